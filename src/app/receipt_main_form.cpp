#include "app/receipt_main_form.h"

#include "app/image_editor.h"
#include "app/message_boxes.h"
#include "app/pages/company_info_page.h"
#include "app/pages/environment_page.h"
#include "app/pages/images_page.h"
#include "app/pages/lines_page.h"
#include "app/pages/positions_page.h"
#include "app/pages/receipt_issue_page.h"
#include "app/pages/style_settings_page.h"
#include "app/pages/texts_page.h"
#include "app/pages/tool_strip.h"
#include "app/preview_placing.h"
#include "app/receipt_date.h"
#include "app/receipt_input.h"
#include "app/settings_store.h"
#include "app/shape_editor.h"
#include "app/style_commands.h"
#include "app/text_item_editors.h"
#include "app/title_strip.h"
#include "app/top_bar.h"
#include "layout/header_lines.h"
#include "layout/preview_geometry.h"
#include "masterlist_window/order_reg.h"
#include "printing/printer_query.h"
#include "settings/program_folder.h"
#include "settings/window_geometry.h"
#include "text/layout_text.h"
#include "widgets/nval_edit.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QSlider>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>

namespace kelvane {

namespace {

constexpr int kPageControlHeight = 260;

// Millimetres as the numeric fields hold them -> fixed point.
qint64 fixedMillimetres(long double mm) { return std::llround(mm * 10000.0L); }

// The size fields show 1,200; header line 3 and the settings file separate
// their fields by commas, so the size is written without the grouping.
QByteArray ungroupedSize(const QString& shown) { return ToLayoutText(QString(shown).remove(u',')); }

}  // namespace

ReceiptMainForm::ReceiptMainForm(QWidget* parent)
    : QMainWindow(parent),
      document_(std::make_unique<LayoutDocument>()),
      edits_(new LayoutEdits(*document_, this)),
      printer_(MakeProgramPrinter()) {
  setWindowTitle(QStringLiteral("ネムリカ"));
  setObjectName(QStringLiteral("ReceiptMainForm"));
  buildRegions();
  buildPages();
  menu.build(menuBar(), this);
  buildControllers();
  connectCommands();
  connectEdits();
  restoreWindowFile();
  // Menu shortcuts act wherever the focus is, also inside a text field.
  qApp->installEventFilter(this);
}

// Each controller gets the page it works on and the document's edit path,
// not the window.
void ReceiptMainForm::buildControllers() {
  receiptInput = new ReceiptInput(*receiptPage, *this, editorTools());
  receiptDate = new ReceiptDate(*receiptPage, *titleStrip, *this, editorTools());
  orderreg = new Tforderreg(this);
  shapeEditor = new ShapeEditor(*linesPage, editorTools());
  imageEditor = new ImageEditor(*imagesPage, editorTools());
  textItemEditors = new TextItemEditors(*positionsPage, *textsPage, *companyPage, editorTools());
  const auto bringForward = [this](PlacedKind kind) {
    switch (kind) {
      case PlacedKind::Shape:
        return showPage(linesPage);
      case PlacedKind::FreeText:
        return showPage(textsPage);
      case PlacedKind::Item:
        return showPage(positionsPage);
      case PlacedKind::Image:
        return showPage(imagesPage);
      case PlacedKind::None:
        return;
    }
  };
  previewPlacer =
      new PreviewPlacer(*preview, edits(),
                        {*shapeEditor, *textItemEditors, *imageEditor, bringForward}, *statusBar());
}

EditorTools ReceiptMainForm::editorTools() {
  return EditorTools{edits(), dialogs, MessageBoxes(this)};
}

Receipt ReceiptMainForm::shownReceipt() const { return ReceiptOnForm(*this); }
TaxRounding ReceiptMainForm::taxRounding() const { return TaxRoundingOnForm(*this); }
ReceiptTextSettings ReceiptMainForm::receiptTextSettings() const {
  return ReceiptTextSettingsOf(*this);
}

ReceiptMainForm::~ReceiptMainForm() {
  qApp->removeEventFilter(this);
  receiptInput->SaveInputHistory();
}

void ReceiptMainForm::buildRegions() {
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  titleStrip = new TitleStrip(central);
  topBar = new TopBar(central);
  column->addWidget(titleStrip);
  column->addWidget(topBar);

  Splitter1 = new QSplitter(Qt::Vertical, central);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  Splitter1->setChildrenCollapsible(false);
  PageControl1 = new QTabWidget(Splitter1);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  PageControl1->setMinimumHeight(120);
  auto* lower = new QWidget(Splitter1);
  auto* lowerRow = new QHBoxLayout(lower);
  lowerRow->setContentsMargins(0, 0, 0, 0);
  toolStrip = new ToolStrip(lower);
  preview = new PreviewPane(*this, lower);
  lowerRow->addWidget(toolStrip);
  lowerRow->addWidget(preview, 1);
  Splitter1->addWidget(PageControl1);
  Splitter1->addWidget(lower);
  Splitter1->setSizes({kPageControlHeight, 400});
  Splitter1->setStretchFactor(1, 1);
  column->addWidget(Splitter1, 1);
  setCentralWidget(central);

  modePanel = new QLabel(statusBar());
  modePanel->setMinimumWidth(80);
  pathPanel = new QLabel(statusBar());
  statusBar()->addWidget(modePanel);
  statusBar()->addWidget(pathPanel, 1);
}

void ReceiptMainForm::buildPages() {
  receiptPage = new ReceiptIssuePage;
  stylePage = new StyleSettingsPage;
  companyPage = new CompanyInfoPage;
  positionsPage = new PositionsPage;
  imagesPage = new ImagesPage;
  linesPage = new LinesPage;
  textsPage = new TextsPage;
  environmentPage = new EnvironmentPage;
  addPage(receiptPage, QStringLiteral("領収書発行"));
  addPage(stylePage, QStringLiteral("スタイル設定"));
  addPage(companyPage, QStringLiteral("自社情報"));
  addPage(positionsPage, QStringLiteral("自社情報＆印字位置"));
  addPage(imagesPage, QStringLiteral("画像"));
  addPage(linesPage, QStringLiteral("線関係"));
  addPage(textsPage, QStringLiteral("文字関係"));
  addPage(environmentPage, QStringLiteral("環境設定"));
  // Only a click on a tab names the page in the top bar.
  connect(PageControl1->tabBar(), &QTabBar::tabBarClicked, this, [this](int index) {
    if (index >= 0) topBar->pageLabel->setText(PageControl1->tabText(index));
  });
}

// Each page scrolls inside its tab, so that the window still fits a small
// screen when a page is wider than the pages area.
void ReceiptMainForm::addPage(QWidget* page, const QString& caption) {
  auto* scroll = new QScrollArea;
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setWidget(page);
  PageControl1->addTab(scroll, caption);
}

QWidget* ReceiptMainForm::currentPage() const {
  auto* scroll = qobject_cast<QScrollArea*>(PageControl1->currentWidget());
  return scroll ? scroll->widget() : nullptr;
}

void ReceiptMainForm::restoreWindowFile() {
  const QString path = ProgramFile(WindowFileName());
  auto ini = IniFile::load(path);
  const QRect work = screen()->availableGeometry();
  const QRect frame = RestoreWindowGeometry(ini ? *ini : IniFile{}, work);
  move(frame.topLeft());
  resize(frame.size());
}

QString ReceiptMainForm::currentStylePath() const { return edits_->source(); }
void ReceiptMainForm::setCurrentStylePath(const QString& path) {
  edits_->setSource(path);
  stylePage->stylebtn->setToolTip(path);
}

QString ReceiptMainForm::registerPathText() const { return environmentPage->StaticText1->text(); }
void ReceiptMainForm::setRegisterPathText(const QString& path) {
  setRegisterFieldText(path);
  setCurrentRegisterPath(path);
}
void ReceiptMainForm::setRegisterFieldText(const QString& path) {
  environmentPage->StaticText1->setText(path);
}
QString ReceiptMainForm::currentRegisterPath() const { return pathPanel->text(); }
void ReceiptMainForm::setCurrentRegisterPath(const QString& path) { pathPanel->setText(path); }

void ReceiptMainForm::tabs_show() { PageControl1->tabBar()->show(); }
void ReceiptMainForm::tabs_hide() { PageControl1->tabBar()->hide(); }
void ReceiptMainForm::setTitleBarShown(bool shown) { titleStrip->setVisible(shown); }
void ReceiptMainForm::setTopBarShown(bool shown) { topBar->setVisible(shown); }
void ReceiptMainForm::setStatusBarShown(bool shown) { statusBar()->setVisible(shown); }
void ReceiptMainForm::showPage(QWidget* page) {
  for (int i = 0; i < PageControl1->count(); ++i) {
    auto* scroll = qobject_cast<QScrollArea*>(PageControl1->widget(i));
    if (scroll && scroll->widget() == page) PageControl1->setCurrentIndex(i);
  }
}

void ReceiptMainForm::UpdatePrinterMetrics() {
  metrics = kelvane::UpdatePrinterMetrics(*printer_, logicalDpiX(), logicalDpiY());
}

void ReceiptMainForm::applyHeaderSettings() {
  const quint64 seen = edits_->revision();
  {
    const auto change = edits_->quiet();
    RebuildHeaderLines(*document_, *this);
  }
  // The preview also follows settings the header lines do not hold (the
  // offsets and the receipt size as typed): drawn even when no line changed.
  // Inside a larger change that change draws.
  if (!edits_->changing() && edits_->revision() == seen) RefreshPreview();
}

// --- LayoutHost -----------------------------------------------------------

QByteArray ReceiptMainForm::styleTitle() const { return ToLayoutText(stylePage->stylebtn->text()); }
QByteArray ReceiptMainForm::offsetXText() const { return ToLayoutText(stylePage->ofxbox->text()); }
QByteArray ReceiptMainForm::offsetYText() const { return ToLayoutText(stylePage->ofYbox->text()); }
QByteArray ReceiptMainForm::lineWeightOffsetText() const {
  return ToLayoutText(stylePage->ps->text());
}
int ReceiptMainForm::previewMode() const { return stylePage->previewMode(); }
int ReceiptMainForm::splitterPosition() const { return Splitter1->sizes().value(0); }
int ReceiptMainForm::zoomPercent() const { return preview->TrackBar1->value(); }
QByteArray ReceiptMainForm::receiptWidthText() const {
  return ungroupedSize(stylePage->d3->text());
}
QByteArray ReceiptMainForm::receiptHeightText() const {
  return ungroupedSize(stylePage->d4->text());
}
bool ReceiptMainForm::yenMark() const { return environmentPage->CheckBox1->isChecked(); }
bool ReceiptMainForm::dashMark() const { return environmentPage->CheckBox2->isChecked(); }
bool ReceiptMainForm::autoDate() const { return environmentPage->CheckBox3->isChecked(); }
bool ReceiptMainForm::kanjiAmount() const { return environmentPage->CheckBox7->isChecked(); }
QByteArray ReceiptMainForm::registerPath() const { return ToLayoutText(registerPathText()); }
QByteArray ReceiptMainForm::numberHeader() const {
  return ToLayoutText(environmentPage->d1->text());
}
QByteArray ReceiptMainForm::digitCount() const { return ToLayoutText(environmentPage->d2->text()); }
QByteArray ReceiptMainForm::lastNumber() const {
  return ToLayoutText(environmentPage->last_number->text());
}
void ReceiptMainForm::RefreshPreview() { preview->RefreshPreview(); }

// --- PreviewSource --------------------------------------------------------

RenderSettings ReceiptMainForm::previewSettings() const {
  RenderSettings s;
  s.offsetX = fixedMillimetres(stylePage->ofxbox->value());
  s.offsetY = fixedMillimetres(stylePage->ofYbox->value());
  s.previewMode = stylePage->previewMode() == 1 ? 1 : 0;
  s.showOnlyPrinted = preview->showOnlyPrinted;
  s.lineWeightOffset = lineWeightOffsetText();
  s.eraLabel = ToLayoutText(titleStrip->Label17->text());
  s.zoomPercent = preview->TrackBar1->value();
  s.registerPath = currentRegisterPath();  // a moved picture is beside the register in use
  s.metrics = metrics;
  return s;
}

RenderSettings ReceiptMainForm::printSettings() const {
  RenderSettings s = previewSettings();
  s.previewResolution =
      ComputePreviewGeometry(metrics, zoomPercent(), s.previewMode, receiptWidth(), receiptHeight())
          .resolutionX;
  s.showOnlyPrinted = false;
  return s;
}

qint64 ReceiptMainForm::receiptWidth() const { return fixedMillimetres(stylePage->d3->value()); }
qint64 ReceiptMainForm::receiptHeight() const { return fixedMillimetres(stylePage->d4->value()); }

void ReceiptMainForm::previewFailed(qsizetype line, const QString& message) {
  OfferToMendLayout(*this, line, message);
}

void ReceiptMainForm::reportError(const QString& message) { MessageBoxes(this).report(message); }

// --- events ---------------------------------------------------------------

void ReceiptMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  startup_restore(*this);
}

void ReceiptMainForm::closeEvent(QCloseEvent* event) {
  if (close_save(*this)) {
    event->accept();
  } else {
    event->ignore();
  }
}

void ReceiptMainForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) RefreshPreview();
}

bool ReceiptMainForm::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress && type != QEvent::InputMethod) {
    return QMainWindow::eventFilter(watched, event);
  }
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return false;
  if (type != QEvent::ShortcutOverride) {
    noteTyping(widget, event);
    return false;
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  const QKeySequence pressed(key->keyCombination());
  if (fieldKeepsUndo(widget) &&
      (pressed == menu.undo->shortcut() || pressed == menu.redo->shortcut()))
    return false;
  for (const QAction* action : findChildren<QAction*>()) {
    if (action->isEnabled() && action->shortcut() == pressed) {
      // Not accepted: the field lets the menu's shortcut have the key.
      event->ignore();
      return true;
    }
  }
  return false;
}

}  // namespace kelvane
