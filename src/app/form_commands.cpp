// The main window's commands: which menu item, button and key reaches which
// operation.

#include "app/batch_issue_command.h"
#include "app/batch_issue_dialog.h"
#include "app/info_tools.h"
#include "app/master_list_commands.h"
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
#include "app/print_command.h"
#include "app/receipt_date.h"
#include "app/receipt_draft.h"
#include "app/receipt_input.h"
#include "app/receipt_main_form.h"
#include "app/register_commands.h"
#include "app/settings_store.h"
#include "app/shape_editor.h"
#include "app/style_commands.h"
#include "app/text_item_editors.h"
#include "app/top_bar.h"
#include "layout/header_lines.h"
#include "widgets/icon_button.h"
#include "widgets/nval_edit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPageSetupDialog>
#include <QPushButton>
#include <QScreen>

namespace kelvane {

namespace {

// Enter in the offset and size fields applies them at once; the key goes
// no further.
class ApplyOnEnter : public QObject {
 public:
  ApplyOnEnter(ReceiptMainForm& form) : QObject(&form), form_(form) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    form_.applyHeaderSettings();
    return true;
  }

 private:
  ReceiptMainForm& form_;
};

// A click on one of the numbering labels of "環境設定" opens its editor.
class ClickToEdit : public QObject {
 public:
  ClickToEdit(QObject* parent, std::function<void()> edit)
      : QObject(parent), edit_(std::move(edit)) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::MouseButtonRelease) return false;
    if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
    edit_();
    return true;
  }

 private:
  std::function<void()> edit_;
};

void openOrSay(ReceiptMainForm& form, const QString& path, const QString& what) {
  const QString failure = NotOpenedText(OpenLocalDocument(path), what, path);
  if (!failure.isEmpty()) info_box(failure, QStringLiteral("確認"), &form);
}

}  // namespace

void ReceiptMainForm::connectCommands() {
  connect(menu.releaseVersion, &QAction::triggered, this, [this] {
    info_box(QString::fromUtf8(kReleaseVersionText), QStringLiteral("確認"), this);
  });
  connect(menu.printerSetup, &QAction::triggered, this, [this] {
    dialogs.printerSetup(this, printer());
    UpdatePrinterMetrics();
  });
  connect(menu.Print1, &QAction::triggered, this, [this] { PrintReceipt(*this); });
  connect(menu.printToPdf, &QAction::triggered, this, [this] { PrintReceiptToPdf(*this); });
  connect(menu.issueFromCsv, &QAction::triggered, this, [this] { IssueFromCsvFile(*this); });
  connect(toolStrip->IconButton22, &TIconButton::clicked, this, [this] { PrintReceipt(*this); });
  for (QAction* quit : {menu.quit}) connect(quit, &QAction::triggered, this, &QWidget::close);
  connect(toolStrip->exitButton, &TIconButton::clicked, this, &QWidget::close);
  connect(receiptPage->exitButton, &QPushButton::clicked, this, &QWidget::close);
  connect(environmentPage->closeButton, &QPushButton::clicked, this, &QWidget::close);
  connect(environmentPage->updateButton, &QPushButton::clicked, this, [this] {
    const auto change = edits().quiet();
    RebuildHeaderLines(document(), *this);
    receiptInput->reapplyAmountText();
    conf_write(*this, true);
  });
  // The receipt on screen shows its amount in the new form at once.
  for (QCheckBox* mark : {environmentPage->CheckBox1, environmentPage->CheckBox2}) {
    connect(mark, &QCheckBox::clicked, this, [this] {
      const auto change = edits().quiet();
      applyHeaderSettings();
      receiptInput->reapplyAmountText();
    });
  }
  connect(environmentPage->CheckBox7, &QCheckBox::clicked, this,
          [this] { receiptInput->reapplyAmountText(); });
  connectViewCommands();
  connectReceiptCommands();
  connectStyleCommands();
  connectEditorCommands();
  connectInformationCommands();
  ConnectMasterListCommands(*this);
}

void ReceiptMainForm::connectViewCommands() {
  connect(menu.showReceiptPage, &QAction::triggered, this, [this] { showPage(receiptPage); });
  connect(menu.showCompanyPage, &QAction::triggered, this, [this] { showPage(companyPage); });
  connect(menu.showEnvironmentPage, &QAction::triggered, this,
          [this] { showPage(environmentPage); });
  connect(menu.useTabs, &QAction::triggered, this, [this](bool on) {
    if (on) {
      tabs_show();
    } else {
      tabs_hide();
    }
  });
  connect(menu.showTitleBar, &QAction::triggered, this, &ReceiptMainForm::setTitleBarShown);
  connect(menu.useTopBar, &QAction::triggered, this, &ReceiptMainForm::setTopBarShown);
  connect(menu.showStatusBar, &QAction::triggered, this, &ReceiptMainForm::setStatusBarShown);
  connect(menu.N42, &QAction::triggered, this, [this](bool on) {
    preview->showOnlyPrinted = on;
    RefreshPreview();
  });
}

void ReceiptMainForm::connectReceiptCommands() {
  auto startNew = [this] {
    if (KeepPrintedReceipt(*this)) StartNewReceipt(*this);
  };
  auto record = [this] { RecordReceipt(*this, true); };
  auto remove = [this] { DeleteShownReceipt(*this); };
  connect(menu.newReceipt, &QAction::triggered, this, startNew);
  connect(receiptPage->newButton, &QPushButton::clicked, this, startNew);
  connect(menu.recordReceipt, &QAction::triggered, this, record);
  connect(receiptPage->recordButton, &QPushButton::clicked, this, record);
  connect(menu.deleteShown, &QAction::triggered, this, remove);
  connect(receiptPage->deleteButton, &QPushButton::clicked, this, remove);
  connect(menu.clearDate, &QAction::triggered, receiptDate, &ReceiptDate::clearDateItems);
  auto reopen = [this] { ReopenFromRegister(*this); };
  connect(menu.showRegisterList, &QAction::triggered, this, reopen);
  connect(topBar->registerListButton, &QPushButton::clicked, this, reopen);
  connect(environmentPage->selectRegisterButton, &QPushButton::clicked, this,
          [this] { ChooseRegisterFile(*this); });
  const std::pair<QLabel*, void (*)(ReceiptMainForm&)> editors[] = {
      {environmentPage->d1, &EditNumberHeader},
      {environmentPage->d2, &EditDigitCount},
      {environmentPage->last_number, &EditLastNumber},
      {environmentPage->StaticText1, &EditRegisterField}};
  for (const auto& [label, edit] : editors) {
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(new ClickToEdit(label, [this, edit = edit] { edit(*this); }));
  }
}

void ReceiptMainForm::connectStyleCommands() {
  connect(menu.N16, &QAction::triggered, this, [this] { OpenStyleFile(*this); });
  connect(stylePage->IconButton15, &TIconButton::clicked, this, [this] { OpenStyleFile(*this); });
  connect(menu.N17, &QAction::triggered, this, [this] { SaveStyleFile(*this); });
  connect(stylePage->IconButton14, &TIconButton::clicked, this, [this] { SaveStyleFile(*this); });
  connect(menu.N13, &QAction::triggered, this, [this] { ClearStyle(*this); });
  connect(stylePage->Button1, &QPushButton::clicked, this, [this] { EnterStyleTitle(*this); });
  connect(stylePage->IconButton13, &TIconButton::clicked, this, [this] { applyHeaderSettings(); });
  connect(toolStrip->previewButton, &TIconButton::clicked, this, [this] { applyHeaderSettings(); });
  connect(toolStrip->IconButton25, &TIconButton::clicked, this,
          [this] { SetUpPrinterPaper(*this); });
  connect(menu.showStylePage, &QAction::triggered, this, [this] { showPage(stylePage); });
  connect(menu.showPositionsPage, &QAction::triggered, this, [this] { showPage(positionsPage); });
  connect(menu.showImagesPage, &QAction::triggered, this, [this] { showPage(imagesPage); });
  connect(menu.linesMenu, &QMenu::aboutToShow, this, [this] { showPage(linesPage); });
  connect(menu.linesMenu->menuAction(), &QAction::triggered, this, [this] { showPage(linesPage); });
  connect(menu.textsMenu, &QMenu::aboutToShow, this, [this] { showPage(textsPage); });
  connect(menu.textsMenu->menuAction(), &QAction::triggered, this, [this] { showPage(textsPage); });
  auto* enter = new ApplyOnEnter(*this);
  for (TNValEdit* edit : {stylePage->ofxbox, stylePage->ofYbox, stylePage->d3, stylePage->d4}) {
    edit->installEventFilter(enter);
  }
}

// The main menu's row commands reach the same editor as the lists' pop-ups.
void ReceiptMainForm::connectEditorCommands() {
  const std::pair<QAction*, void (ShapeEditor::*)()> shapeRows[] = {
      {menu.insertShapeRow, &ShapeEditor::InsertShapeRow},
      {menu.exchangeShapeRow, &ShapeEditor::ExchangeShapeRow},
      {menu.deleteShapeRow, &ShapeEditor::DeleteShapeRow}};
  for (const auto& [action, command] : shapeRows)
    connect(action, &QAction::triggered, shapeEditor, command);
  const std::pair<QAction*, void (TextItemEditors::*)()> textRows[] = {
      {menu.insertTextRow, &TextItemEditors::InsertTextRow},
      {menu.exchangeTextRow, &TextItemEditors::ExchangeTextRow},
      {menu.deleteTextRow, &TextItemEditors::DeleteTextRow}};
  for (const auto& [action, command] : textRows)
    connect(action, &QAction::triggered, textItemEditors, command);
}

void ReceiptMainForm::connectInformationCommands() {
  auto manual = [this] { openOrSay(*this, ManualPath(), QStringLiteral("取扱説明書")); };
  auto taxTable = [this] { openOrSay(*this, TaxTablePath(), QStringLiteral("印紙税額表")); };
  connect(menu.manual, &QAction::triggered, this, manual);
  connect(environmentPage->helpButton, &QPushButton::clicked, this, manual);
  connect(menu.webPage, &QAction::triggered, this, manual);
  connect(menu.taxTable, &QAction::triggered, this, taxTable);
  connect(menu.showTaxTable, &QAction::triggered, this, taxTable);
  connect(receiptPage->taxTableButton, &QPushButton::clicked, this, taxTable);
  connect(menu.kanjiCheck, &QAction::triggered, receiptInput, &ReceiptInput::kanjiCheck);
  connect(menu.removeTax, &QAction::triggered, receiptInput, &ReceiptInput::removeTax);
  connect(menu.supportMail, &QAction::triggered, this, [this] {
    if (!OpenSupportMail())
      info_box(QString::fromUtf8(kNoMailProgramText), QStringLiteral("確認"), this);
  });
  connect(menu.textEditor, &QAction::triggered, this, [this] { startTextEditor(); });
  connect(menu.memoryReport, &QAction::triggered, this,
          [this] { info_box(MemoryReportText(), QStringLiteral("確認"), this); });
  connect(menu.screenReport, &QAction::triggered, this, [this] {
    info_box(ScreenResolutionText(screen()->geometry().size()), QStringLiteral("確認"), this);
  });
}

void ReceiptMainForm::startTextEditor() {
  if (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier) {
    // Shift shows the item's caption and gives it Ctrl+M for the rest of
    // the run.
    QMessageBox::information(this, QStringLiteral("ネムリカ"), menu.textEditor->text());
    menu.textEditor->setShortcut(QKeySequence::fromString(QStringLiteral("ctrl+M")));
    menu.textEditor->setShortcutContext(Qt::WindowShortcut);
    return;
  }
  if (!StartTextEditor()) {
    info_box(QString::fromUtf8(kNoTextEditorText), QStringLiteral("確認"), this);
  }
}

}  // namespace kelvane
