// The window's controllers work on what they are handed: a page, the
// document's edit path, the dialogs and a message-box service. Each is
// built here on its page alone, with no main window, and driven with keys
// and clicks; its changes reach the document as undo steps (or, for the
// receipt's own fields, as changes that are no steps).

#include "app/editor_tools.h"
#include "app/pages/company_info_page.h"
#include "app/pages/lines_page.h"
#include "app/pages/positions_page.h"
#include "app/pages/receipt_issue_page.h"
#include "app/pages/texts_page.h"
#include "app/receipt_input.h"
#include "app/receipt_on_form.h"
#include "app/shape_editor.h"
#include "app/text_item_editors.h"
#include "layout/field_cursor.h"
#include "layout/layout_slots.h"
#include "support/box_answerer.h"
#include "support/typing.h"
#include "text/cp932.h"
#include "widgets/icon_button.h"
#include "widgets/nval_edit.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTest>

namespace kelvane {
namespace {

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

// A window of its own holding the pages under test, standing in for the
// main window the boxes would stand over.
class EditorsAloneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureWidgetApplication();
    row_ = new QHBoxLayout(&host_);
  }

  template <typename Page>
  Page& addPage() {
    auto* page = new Page(&host_);
    row_->addWidget(page);
    return *page;
  }
  void showHost() {
    host_.show();
    host_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host_));
  }
  EditorTools tools() { return EditorTools{edits_, dialogs_, MessageBoxes(&host_)}; }
  static void typeInto(QWidget* field, const char* keys) {
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, QString::fromLatin1(keys));
    QTest::keyClick(field, Qt::Key_Return);
  }

  testing::BoxAnswerer boxes_;
  QWidget host_;
  QHBoxLayout* row_ = nullptr;
  LayoutDocument document_;
  LayoutEdits edits_{document_};
  FormDialogs dialogs_;
};

TEST_F(EditorsAloneTest, TheShapeEditorWritesItsPageIntoTheDocumentAsOneStep) {
  LinesPage& page = addPage<LinesPage>();
  ShapeEditor editor(page, tools());
  showHost();
  editor.PickShapeRow(3);
  typeInto(page.x1, "12.5");
  EXPECT_EQ(document_.line(slotmap::shapeLine(3)), sj("line,0,12.5,0,0,0,1,実線,0,"));
  ASSERT_TRUE(edits_.canUndo());
  EXPECT_EQ(edits_.undoName(), QStringLiteral("線の変更"));
  edits_.undo();
  EXPECT_EQ(document_.line(slotmap::shapeLine(3)), LayoutDocument::kEmptySlot);
  EXPECT_TRUE(boxes_.texts.isEmpty()) << boxes_.texts.join(u'\n').toStdString();
}

TEST_F(EditorsAloneTest, TheTextEditorsWorkOnTheirThreePagesAlone) {
  PositionsPage& positions = addPage<PositionsPage>();
  TextsPage& texts = addPage<TextsPage>();
  CompanyInfoPage& company = addPage<CompanyInfoPage>();
  TextItemEditors editors(positions, texts, company, tools());
  showHost();
  editors.PickTextRow(2);
  EXPECT_EQ(editors.textLine(), slotmap::textLine(2));
  texts.Edit1->setText(QStringLiteral("毎度ありがとうございます"));
  texts.Edit1->setFocus();
  QTest::keyClick(texts.Edit1, Qt::Key_Return);
  EXPECT_EQ(CharRecordText(document_.line(slotmap::textLine(2))), sj("毎度ありがとうございます"));
  EXPECT_EQ(edits_.undoName(), QStringLiteral("文字の変更"));
  edits_.undo();
  EXPECT_EQ(document_.line(slotmap::textLine(2)), LayoutDocument::kEmptySlot);
}

// The receipt as the form would give it: here only the addressee typed.
class AddresseeOnly : public ReceiptFields {
 public:
  explicit AddresseeOnly(const ReceiptIssuePage& page) : page_(page) {}
  Receipt shownReceipt() const override {
    Receipt r;
    r.addressee1 = page_.atesaki_1->currentText();
    return r;
  }
  TaxRounding taxRounding() const override { return TaxRounding::Down; }
  ReceiptTextSettings receiptTextSettings() const override { return {}; }

 private:
  const ReceiptIssuePage& page_;
};

TEST_F(EditorsAloneTest, TheReceiptInputPutsWhatItsFieldsGiveIntoTheItemsWithoutAStep) {
  ReceiptIssuePage& page = addPage<ReceiptIssuePage>();
  const AddresseeOnly fields(page);
  ReceiptInput input(page, fields, tools());
  // The addressee item placed, as a style places it.
  document_.setLine(slotmap::kAddressee, sj("char,0,10,20,ＭＳ 明朝,12,,0,0,0,,"));
  showHost();
  int heard = 0;
  QObject::connect(&edits_, &LayoutEdits::changed, [&] { ++heard; });
  page.atesaki_1->setFocus();
  testing::TypeAndEnter(QStringLiteral("山田商事"));
  EXPECT_EQ(CharRecordText(document_.line(slotmap::kAddressee)), sj("山田商事"));
  EXPECT_EQ(heard, 1) << "the preview hears the receipt's text once";
  EXPECT_FALSE(edits_.canUndo()) << "typing a receipt fills no undo stack";
}

}  // namespace
}  // namespace kelvane
