#pragma once
// The main window: title strip, top bar, the eight pages, the tool strip
// and the live preview, the menus and the status bar. Every setting lives in
// the control that shows it; the window gives them to the layout document
// (LayoutHost) and to the preview (PreviewSource).

#include "app/editor_tools.h"
#include "app/form_dialogs.h"
#include "app/main_menu.h"
#include "app/preview_pane.h"
#include "app/receipt_on_form.h"
#include "layout/layout_document.h"
#include "layout/layout_edits.h"
#include "layout/layout_host.h"
#include "layout/printer_metrics.h"
#include "receipt/register_session.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QLabel;
class QPrinter;
class QSplitter;
class QTabWidget;

namespace kelvane {

class CompanyInfoPage;
class EnvironmentPage;
class ImageEditor;
class ImagesPage;
class LinesPage;
class PositionsPage;
class PreviewPlacer;
class ReceiptDate;
class Tfreglist;
class Tforderreg;
class ReceiptInput;
class ReceiptIssuePage;
class ShapeEditor;
class StyleSettingsPage;
class TextItemEditors;
class TextsPage;
class TitleStrip;
class ToolStrip;
class TopBar;

class ReceiptMainForm : public QMainWindow,
                        public LayoutHost,
                        public PreviewSource,
                        public ReceiptFields {
  Q_OBJECT

 public:
  explicit ReceiptMainForm(QWidget* parent = nullptr);
  ~ReceiptMainForm() override;

  // Regions, top to bottom.
  TitleStrip* titleStrip = nullptr;
  TopBar* topBar = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QSplitter* Splitter1 = nullptr;
  ToolStrip* toolStrip = nullptr;
  PreviewPane* preview = nullptr;
  QLabel* modePanel = nullptr;  // status bar: "新規" or "修正"
  QLabel* pathPanel = nullptr;  // status bar: the current register path

  // The eight pages, in tab order.
  ReceiptIssuePage* receiptPage = nullptr;
  StyleSettingsPage* stylePage = nullptr;
  CompanyInfoPage* companyPage = nullptr;
  PositionsPage* positionsPage = nullptr;
  ImagesPage* imagesPage = nullptr;
  LinesPage* linesPage = nullptr;
  TextsPage* textsPage = nullptr;
  EnvironmentPage* environmentPage = nullptr;

  MainMenu menu;
  // Tests drive the register list here; without it the list is shown modally.
  std::function<void(Tfreglist&)> runRegisterList;
  ReceiptInput* receiptInput = nullptr;        // the receipt's fields, amounts and histories
  ReceiptDate* receiptDate = nullptr;          // the issue date: calendar, boxes, items
  Tforderreg* orderreg = nullptr;              // the master lists, hidden between uses
  TextItemEditors* textItemEditors = nullptr;  // the position and free text editors
  ShapeEditor* shapeEditor = nullptr;          // "線関係": the line and shape slots
  ImageEditor* imageEditor = nullptr;          // "画像": the image slots
  PreviewPlacer* previewPlacer = nullptr;      // picking and dragging on the preview
  FormDialogs dialogs = DesktopDialogs();
  // What this copy knows of its register: seen on disk, lines of its own.
  RegisterSession registerSession;
  // A receipt was printed or exported and not recorded since; the receipt
  // as last recorded, to tell a copy printed after recording.
  bool printedUnrecorded = false;
  QByteArray recordedReceipt;

  [[nodiscard]] LayoutDocument& document() { return *document_; }
  // Every change of the document opens a change here; the preview and the
  // undo history listen to it.
  [[nodiscard]] LayoutEdits& edits() { return *edits_; }
  [[nodiscard]] QPrinter& printer() { return *printer_; }
  PrinterMetrics metrics;
  // Paper of the style, held in memory and written into header line 2.
  int stylePaperSize = 0;  // Windows paper number, 0 when not captured
  int styleLandscape = 0;
  int stylePaperSource = 0;

  // The style file last opened ("" until one is), kept as the title's hint.
  [[nodiscard]] QString currentStylePath() const;
  void setCurrentStylePath(const QString& path);
  // The register file: StaticText1 and the status bar's second panel.
  [[nodiscard]] QString registerPathText() const;
  void setRegisterPathText(const QString& path);
  // StaticText1 alone: the path saved for the next run.
  void setRegisterFieldText(const QString& path);
  // The register the window works with now: the status bar's second panel.
  [[nodiscard]] QString currentRegisterPath() const;
  void setCurrentRegisterPath(const QString& path);

  // Page tabs, title bar, top bar and status bar.
  void tabs_show();
  void tabs_hide();
  void setTitleBarShown(bool shown);
  void setTopBarShown(bool shown);
  void setStatusBarShown(bool shown);
  // Brings a page to the front; only a click on a tab changes the top bar's
  // page caption.
  void showPage(QWidget* page);
  // The page shown in the pages area.
  QWidget* currentPage() const;

  // Refills the printer metrics from the program's printer.
  void UpdatePrinterMetrics();
  // Header lines, then the preview.
  void applyHeaderSettings();
  // "元に戻す" and "やり直し" of the menu and the tool strip.
  void undoLayoutStep();
  void redoLayoutStep();

  // LayoutHost
  [[nodiscard]] QByteArray styleTitle() const override;
  [[nodiscard]] QByteArray offsetXText() const override;
  [[nodiscard]] QByteArray offsetYText() const override;
  [[nodiscard]] QByteArray lineWeightOffsetText() const override;
  [[nodiscard]] int previewMode() const override;
  [[nodiscard]] int paperSizeCode() const override { return stylePaperSize; }
  [[nodiscard]] int landscapeFlag() const override { return styleLandscape; }
  [[nodiscard]] int splitterPosition() const override;
  [[nodiscard]] int zoomPercent() const override;
  [[nodiscard]] int paperSourceCode() const override { return stylePaperSource; }
  [[nodiscard]] QByteArray receiptWidthText() const override;
  [[nodiscard]] QByteArray receiptHeightText() const override;
  [[nodiscard]] bool yenMark() const override;
  [[nodiscard]] bool dashMark() const override;
  [[nodiscard]] bool autoDate() const override;
  [[nodiscard]] bool kanjiAmount() const override;
  [[nodiscard]] QByteArray registerPath() const override;
  [[nodiscard]] QByteArray numberHeader() const override;
  [[nodiscard]] QByteArray digitCount() const override;
  [[nodiscard]] QByteArray lastNumber() const override;
  void RefreshPreview() override;

  // PreviewSource
  [[nodiscard]] const LayoutDocument& previewDocument() const override { return *document_; }
  [[nodiscard]] RenderSettings previewSettings() const override;
  // The settings a page for paper is drawn with: fonts and line widths at
  // the preview's resolution, so the paper shows what the preview shows,
  // and every element, also those only previewed when so asked.
  [[nodiscard]] RenderSettings printSettings() const;
  [[nodiscard]] qint64 receiptWidth() const override;
  [[nodiscard]] qint64 receiptHeight() const override;
  void previewFailed(qsizetype line, const QString& message) override;

  // ReceiptFields
  [[nodiscard]] Receipt shownReceipt() const override;
  [[nodiscard]] TaxRounding taxRounding() const override;
  [[nodiscard]] ReceiptTextSettings receiptTextSettings() const override;

  // What the window's controllers are handed: the document's edit path,
  // the dialogs and the message boxes over this window.
  [[nodiscard]] EditorTools editorTools();
  // Reports a failed file step or command in words; the program goes on.
  void reportError(const QString& message);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildRegions();
  void buildPages();
  void addPage(QWidget* page, const QString& caption);
  void connectCommands();
  void connectViewCommands();
  void connectReceiptCommands();
  void connectStyleCommands();
  void connectInformationCommands();
  void restoreWindowFile();
  void startTextEditor();
  void buildControllers();
  void connectEditorCommands();
  void connectEdits();
  // After an undo or redo: the editors show the document's values again.
  void showDocumentAgain(const QList<qsizetype>& lines);
  void showUndoSteps();
  // Whether `widget` lies on one of the six style pages.
  [[nodiscard]] bool isStyleField(const QWidget* widget) const;
  // Whether Ctrl+Z in `widget` is the field's own undo rather than the
  // layout's; typing noted below keeps it the field's.
  [[nodiscard]] bool fieldKeepsUndo(const QWidget* widget) const;
  void noteTyping(const QWidget* widget, QEvent* event);

  std::unique_ptr<LayoutDocument> document_;
  LayoutEdits* edits_ = nullptr;
  std::unique_ptr<QPrinter> printer_;
  bool shown_ = false;
  QWidget* topArea_ = nullptr;
  QString tabCaption_;
  // The field typed in since the last layout step, if any.
  const QWidget* typedIn_ = nullptr;
};

}  // namespace kelvane
