// The position editor, the free text editor, the company information
// labels and the free text list, driven from the main window with mouse and
// keys; the dialogs answer through the form's hooks.

#include "app/text_item_editors.h"

#include "app/main_menu.h"
#include "app/pages/company_info_page.h"
#include "app/pages/positions_page.h"
#include "app/pages/texts_page.h"
#include "app/receipt_main_form.h"
#include "app/style_commands.h"
#include "layout/field_cursor.h"
#include "layout/layout_slots.h"
#include "settings/program_folder.h"
#include "support/box_answerer.h"
#include "text/cp932.h"
#include "text/layout_text.h"
#include "text/line_file.h"
#include "widgets/icon_button.h"
#include "widgets/nval_edit.h"
#include "widgets/pict_button.h"
#include "widgets/str_col_grid.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace kelvane {
namespace {

using testing::BoxAnswerer;

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }
const QString kNothingSelected = QStringLiteral("調整する項目を左のリストから選択してください");

class TextItemEditorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureWidgetApplication();
    SetProgramFolder(dir_.path());
    form_ = std::make_unique<ReceiptMainForm>();
    form_->dialogs.chooseFont = [this](QWidget*, const FontChoice& start) {
      fontAsked_.append(start);
      return fontAnswer_;
    };
    form_->dialogs.chooseColour = [this](QWidget*, const QColor&) { return colourAnswer_; };
    form_->dialogs.askText = [this](QWidget*, const QString&, const QString& prompt,
                                    const QString& start) -> std::optional<QString> {
      asked_.append(prompt + u'|' + start);
      return textAnswer_;
    };
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    pos_ = form_->positionsPage;
    texts_ = form_->textsPage;
    editors_ = form_->textItemEditors;
    boxes_.texts.clear();  // what start-up said
  }
  void TearDown() override {
    form_.reset();
    SetProgramFolder({});
  }

  QByteArray line(int n) const { return form_->document().line(n); }
  void setLine(int n, const QByteArray& record) { form_->document().setLine(n, record); }
  void clickCaption(int n) {
    form_->showPage(pos_);
    QTest::mouseClick(pos_->placedCaption(n), Qt::LeftButton);
  }
  void clickRow(int row) {
    form_->showPage(texts_);
    TStrColGrid* grid = texts_->StrColGrid3;
    grid->scrollTo(grid->model()->index(row - 1, 0));
    const QPoint centre = grid->CellRect(1, row).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->viewport()->mapFrom(grid, centre));
    ASSERT_EQ(grid->Row(), row);
  }
  // On the box itself: a wide check box takes clicks on its box and caption only.
  static void clickBox(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
  }
  static void enterIn(QWidget* w) {
    w->setFocus();
    QTest::keyClick(w, Qt::Key_Return);
  }
  static void typeInto(QWidget* w, const char* keys) {
    w->setFocus();
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(w, QString::fromLatin1(keys));
  }

  QTemporaryDir dir_;
  BoxAnswerer boxes_;
  std::unique_ptr<ReceiptMainForm> form_;
  PositionsPage* pos_ = nullptr;
  TextsPage* texts_ = nullptr;
  TextItemEditors* editors_ = nullptr;
  QList<FontChoice> fontAsked_;
  std::optional<FontChoice> fontAnswer_;
  std::optional<QColor> colourAnswer_;
  QStringList asked_;
  std::optional<QString> textAnswer_;
};

TEST_F(TextItemEditorsTest, AnUnplacedReceiptFieldIsPlacedByApplying) {
  setLine(241, ",,,,,,,,,,12,000");
  clickCaption(241);
  EXPECT_EQ(editors_->positionLine(), 241);
  EXPECT_EQ(pos_->positionTitle->text(), QStringLiteral("[領収金額] 印刷位置調整"));
  EXPECT_EQ(pos_->fontSizeLabel->text(), QStringLiteral("0"));
  EXPECT_EQ(line(241), ",,,,,,,,,,12,000");  // selecting writes nothing
  typeInto(pos_->positionX, "40.5");
  enterIn(pos_->positionX);  // moves on, applies nothing
  EXPECT_EQ(line(241), ",,,,,,,,,,12,000");
  typeInto(pos_->NValEditC3, "2");
  enterIn(pos_->NValEditC3);
  EXPECT_EQ(line(241), sj("char,0,40.5,0,ＭＳ 明朝,0,,2,0,0,"));
  EXPECT_EQ(pos_->fontNameLabel->text(), QStringLiteral("ＭＳ 明朝"));
  EXPECT_TRUE(boxes_.texts.isEmpty()) << boxes_.texts.join('|').toStdString();
}

TEST_F(TextItemEditorsTest, APlacedItemKeepsItsTextWithCommasAndChecksApplyOnClick) {
  const QByteArray record = sj("char,1,30,12.5,ＭＳ ゴシック,14,斜体,-1.5,1,255,1,234,567");
  setLine(253, record);
  clickCaption(253);
  EXPECT_EQ(line(253), record);
  EXPECT_TRUE(pos_->ChkBoxStr2->isChecked());
  EXPECT_TRUE(pos_->ChkBoxStr1->isChecked());
  EXPECT_EQ(pos_->positionX->text(), QStringLiteral("30"));
  EXPECT_EQ(pos_->positionY->text(), QStringLiteral("12.5"));
  EXPECT_EQ(pos_->fontNameLabel->text(), QStringLiteral("ＭＳ ゴシック"));
  EXPECT_EQ(pos_->decorationLabel->text(), QStringLiteral("斜体"));
  EXPECT_EQ(pos_->NValEditC3->text(), QStringLiteral("-1.5"));
  EXPECT_EQ(editors_->heldText(), "1,234,567");
  QTest::mouseClick(pos_->IconButton3, Qt::LeftButton);
  EXPECT_EQ(line(253), record);
  clickBox(pos_->ChkBoxStr1);
  EXPECT_EQ(line(253), sj("char,1,30,12.5,ＭＳ ゴシック,14,斜体,-1.5,0,255,1,234,567"));
  clickBox(pos_->ChkBoxStr2);
  EXPECT_EQ(line(253), sj("char,0,30,12.5,ＭＳ ゴシック,14,斜体,-1.5,0,255,1,234,567"));
}

TEST_F(TextItemEditorsTest, NudgesStepAndRoundThenApply) {
  setLine(239, "char,0,10,25.5,A,12,,0,0,0,No.1");
  clickCaption(239);
  QTest::mouseClick(pos_->PictButton15, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(line(239), "char,0,10.1,25.5,A,12,,0,0,0,No.1");
  QTest::mouseClick(pos_->PictButton12, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(line(239), "char,0,10.1,15.5,A,12,,0,0,0,No.1");
  QTest::mouseClick(pos_->PictButton12, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(line(239), "char,0,10.1,15.4,A,12,,0,0,0,No.1");
  editors_->nudgePosition(NudgeDirection::Left, {});
  editors_->nudgePosition(NudgeDirection::Down, {});
  EXPECT_EQ(line(239), "char,0,9.1,16.4,A,12,,0,0,0,No.1");

  setLine(130, "char,0,5,5,A,12,,0,0,0,t");
  clickRow(4);
  QTest::mouseClick(texts_->PictButton27, Qt::LeftButton, Qt::ControlModifier);
  QTest::mouseClick(texts_->PictButton26, Qt::LeftButton);
  EXPECT_EQ(line(130), "char,0,15,6,A,12,,0,0,0,t");
}

TEST_F(TextItemEditorsTest, NothingSelectedWritesNothingAndSaysSo) {
  const QList<QByteArray> before = form_->document().lines();
  for (TIconButton* button :
       {pos_->IconButton3, pos_->IconButton8, texts_->IconButton2, texts_->IconButton21}) {
    QTest::mouseClick(button, Qt::LeftButton);
  }
  editors_->nudgeText(NudgeDirection::Up, {});
  EXPECT_EQ(form_->document().lines(), before);
  EXPECT_EQ(boxes_.texts, QStringList(5, kNothingSelected));
}

TEST_F(TextItemEditorsTest, ResetsWriteTheEmptyRecordAndClearWhatShowsTheText) {
  setLine(231, "char,1,1,2,A,9,,0,0,0,Tokyo");
  form_->companyPage->dataLabel(231)->setText(QStringLiteral("Tokyo"));
  clickCaption(231);
  QTest::mouseClick(pos_->IconButton8, Qt::LeftButton);
  EXPECT_EQ(line(231), kResetTextRecord);
  EXPECT_TRUE(form_->companyPage->dataLabel(231)->text().isEmpty());
  EXPECT_TRUE(pos_->ChkBoxStr2->isChecked());  // the boxes keep their state
  EXPECT_EQ(pos_->fontSizeLabel->text(), QStringLiteral("0"));
  QTest::mouseClick(pos_->IconButton3, Qt::LeftButton);
  EXPECT_EQ(line(231), sj("char,1,0,0,ＭＳ 明朝,0,,0,0,0,"));

  setLine(129, "char,1,1,2,A,9,,0,0,0,hello");
  texts_->StrColGrid3->SetCells(1, 3, QStringLiteral("hello"));
  clickRow(3);
  QTest::mouseClick(texts_->IconButton21, Qt::LeftButton);
  EXPECT_EQ(line(129), kResetTextRecord);
  EXPECT_TRUE(texts_->StrColGrid3->Cells(1, 3).isEmpty());
  EXPECT_TRUE(texts_->fontSizeLabel->text().isEmpty());
  EXPECT_FALSE(texts_->previewOnlyBox->isChecked());
  QTest::mouseClick(texts_->IconButton2, Qt::LeftButton);
  EXPECT_EQ(line(129), sj("char,0,0,0,ＭＳ 明朝,,,0,0,0,"));
}

TEST_F(TextItemEditorsTest, FreeTextSelectedEditedAndAppliedWithEnter) {
  setLine(127, sj("char,0,10,20,ＭＳ 明朝,0,太字,0,0,0,合計,税込"));
  clickRow(1);
  EXPECT_EQ(editors_->textLine(), 127);
  EXPECT_EQ(texts_->Edit1->text(), QStringLiteral("合計,税込"));
  texts_->Edit1->setText(QStringLiteral("小計,1,000"));
  enterIn(texts_->Edit1);
  // A size "0" is written as 12 here.
  EXPECT_EQ(line(127), sj("char,0,10,20,ＭＳ 明朝,12,太字,0,0,0,小計,1,000"));
  EXPECT_EQ(texts_->StrColGrid3->Cells(1, 1), QStringLiteral("小計,1,000"));
  typeInto(texts_->textY, "33");
  enterIn(texts_->textY);  // moves on
  EXPECT_EQ(line(127), sj("char,0,10,20,ＭＳ 明朝,12,太字,0,0,0,小計,1,000"));
  clickBox(texts_->verticalBox);  // takes effect at the next apply
  EXPECT_EQ(line(127), sj("char,0,10,20,ＭＳ 明朝,12,太字,0,0,0,小計,1,000"));
  typeInto(texts_->textX, "1234.5");
  enterIn(texts_->textX);
  EXPECT_EQ(line(127), sj("char,0,1234.5,33,ＭＳ 明朝,12,太字,0,1,0,小計,1,000"));
  typeInto(texts_->NValEditC4, "-3");
  enterIn(texts_->NValEditC4);
  EXPECT_EQ(line(127), sj("char,0,1234.5,33,ＭＳ 明朝,12,太字,-3,1,0,小計,1,000"));
}

TEST_F(TextItemEditorsTest, AnUnreadableRecordIsSaidAndLeftAsItIs) {
  for (const char* record : {"char,0,abc,0,A,12,,0,0,0,t", "char,0,1,1,A,12,,0,,0,t"}) {
    boxes_.texts.clear();
    setLine(262, record);
    clickCaption(262);
    EXPECT_EQ(line(262), record);
    ASSERT_EQ(boxes_.texts.size(), 1) << record;
    EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("消費税額"))) << record;
    EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("読めません"))) << record;
    EXPECT_EQ(pos_->positionX->text(), QStringLiteral("0"));
    EXPECT_TRUE(editors_->heldText().isEmpty());
  }
  boxes_.texts.clear();
  setLine(140, "char,0,1,1,A,12,,x,0,0,t");
  clickRow(14);
  EXPECT_EQ(line(140), "char,0,1,1,A,12,,x,0,0,t");
  ASSERT_EQ(boxes_.texts.size(), 1);
  EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("文字間(mm)")));
}

TEST_F(TextItemEditorsTest, CompanyLabelsAskOnlyOncePlacedAndWriteTheText) {
  QLabel* label = form_->companyPage->dataLabel(228);
  form_->showPage(form_->companyPage);
  textAnswer_ = QStringLiteral("株式会社,見本");
  // Through the window, as a real click arrives.
  QTest::mouseClick(form_->windowHandle(), Qt::LeftButton, {},
                    label->mapTo(form_.get(), label->rect().center()));
  EXPECT_TRUE(asked_.isEmpty());  // no record yet: nothing asked
  EXPECT_EQ(editors_->positionLine(), 228);
  editors_->ApplyPositionItem();
  EXPECT_EQ(line(228), sj("char,0,0,0,ＭＳ 明朝,0,,0,0,0,"));

  QTest::mouseClick(label, Qt::LeftButton);
  EXPECT_EQ(asked_, QStringList{QStringLiteral("自社情報入力|")});
  EXPECT_EQ(line(228), sj("char,0,0,0,ＭＳ 明朝,0,,0,0,0,株式会社,見本"));
  EXPECT_EQ(label->text(), QStringLiteral("株式会社,見本"));

  textAnswer_.reset();
  QTest::mouseClick(label, Qt::LeftButton);
  EXPECT_EQ(asked_.last(), QStringLiteral("自社情報入力|株式会社,見本"));
  EXPECT_EQ(line(228), sj("char,0,0,0,ＭＳ 明朝,0,,0,0,0,株式会社,見本"));
  EXPECT_EQ(pos_->positionTitle->text(), QStringLiteral("株式会社,見本"));
}

// 登録番号 is typed like the other company items and kept as "T" and 13
// digits; a refused or unconfirmed number leaves the old one in the layout.
TEST_F(TextItemEditorsTest, RegistrationNumberIsKeptNormalisedRefusedOrAsked) {
  const int number = slotmap::kRegistrationNumber;
  const QByteArray placed = sj("char,0,20,30,ＭＳ 明朝,10,,0,0,0,");
  setLine(number, placed);
  QLabel* label = form_->companyPage->dataLabel(number);
  form_->showPage(form_->companyPage);
  const struct {
    const char* typed;
    const char* answer;  // the button of the check digit question
    const char* kept;
    int boxes;
  } steps[] = {
      {"ｔ７０００ ０１２０ ５０００２", "", "T7000012050002", 0},
      {"T123", "", "T7000012050002", 1},                  // refused
      {"t1234567890123", "いいえ", "T7000012050002", 1},  // asked, the old one kept
      {"T1234567890123", "はい", "T1234567890123", 1},    // asked and kept
      {"T7000012050002", "", "T7000012050002", 0},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.typed);
    boxes_.texts.clear();
    boxes_.answerWith = QString::fromUtf8(step.answer);
    textAnswer_ = QString::fromUtf8(step.typed);
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(line(number), placed + step.kept);
    EXPECT_EQ(label->text(), QString::fromLatin1(step.kept));
    ASSERT_EQ(boxes_.texts.size(), step.boxes) << boxes_.texts.join('|').toStdString();
  }
  EXPECT_EQ(asked_.size(), 5);
  EXPECT_EQ(asked_[1], QStringLiteral("自社情報入力|T7000012050002"));

  // A style that holds the number shows it on the page once loaded.
  setLine(number, placed + "T1234567890123");
  QList<QByteArray> lines = form_->document().lines();
  const QString path = dir_.filePath(QStringLiteral("invoice.rcd"));
  ASSERT_TRUE(writeLineFile(path, lines));
  setLine(number, placed);
  label->clear();
  ASSERT_TRUE(LoadStyleIntoForm(*form_, path));
  EXPECT_EQ(label->text(), QStringLiteral("T1234567890123"));
}

// The amounts and taxes by rate are placed like the other receipt fields.
TEST_F(TextItemEditorsTest, TheItemsByRateArePlacedWithThePositionEditor) {
  clickCaption(slotmap::kAmount10);
  EXPECT_EQ(editors_->positionLine(), 268);
  EXPECT_EQ(pos_->positionTitle->text(), QStringLiteral("[10%対象] 印刷位置調整"));
  typeInto(pos_->positionX, "120");
  enterIn(pos_->positionX);
  typeInto(pos_->positionY, "85.5");
  enterIn(pos_->positionY);
  typeInto(pos_->NValEditC3, "0");
  enterIn(pos_->NValEditC3);
  EXPECT_EQ(line(268), sj("char,0,120,85.5,ＭＳ 明朝,0,,0,0,0,"));

  // The stub's 8% tax, already placed, keeps its text and moves by the arrows.
  setLine(slotmap::kStubTax8, sj("char,0,30,40,ＭＳ 明朝,9,,0,0,0,240"));
  clickCaption(slotmap::kStubTax8);
  EXPECT_EQ(pos_->positionTitle->text(), QStringLiteral("[8%消費税] 印刷位置調整"));
  QTest::mouseClick(pos_->PictButton15, Qt::LeftButton);
  EXPECT_EQ(line(slotmap::kStubTax8), sj("char,0,31,40,ＭＳ 明朝,9,,0,0,0,240"));
  EXPECT_EQ(line(268), sj("char,0,120,85.5,ＭＳ 明朝,0,,0,0,0,"));
  EXPECT_TRUE(boxes_.texts.isEmpty()) << boxes_.texts.join('|').toStdString();
}

TEST_F(TextItemEditorsTest, FontDialogStartsFromTheEditorAndAppliesEitherWay) {
  setLine(243, sj("char,0,1,1,ＭＳ 明朝,1.5,太字,0,0,0,t"));
  clickCaption(243);
  QTest::mouseClick(pos_->Button18, Qt::LeftButton);
  EXPECT_TRUE(fontAsked_.isEmpty());  // the position editor needs a whole size
  ASSERT_EQ(boxes_.texts.size(), 1);
  EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("1.5")));
  EXPECT_EQ(line(243), sj("char,0,1,1,ＭＳ 明朝,1.5,太字,0,0,0,t"));

  setLine(150, sj("char,0,1,1,ＭＳ 明朝,1.5,太字斜体,0,0,255,t"));
  clickRow(24);
  QTest::mouseClick(texts_->Button19, Qt::LeftButton);  // cancelled: applies all the same
  ASSERT_EQ(fontAsked_.size(), 1);
  EXPECT_EQ(fontAsked_[0].pointSize, 10);
  EXPECT_EQ(fontAsked_[0].family, QStringLiteral("ＭＳ 明朝"));
  EXPECT_TRUE(fontAsked_[0].bold && fontAsked_[0].italic);
  EXPECT_EQ(fontAsked_[0].colour, 255);
  EXPECT_EQ(line(150), sj("char,0,1,1,ＭＳ 明朝,1.5,太字斜体,0,0,255,t"));

  fontAnswer_ = FontChoice{QStringLiteral("IPAGothic"), 16, false, true, false, false, 0x0000FF00};
  QTest::mouseClick(texts_->Button19, Qt::LeftButton);
  EXPECT_EQ(line(150), sj("char,0,1,1,IPAGothic,16,斜体,0,0,65280,t"));
  EXPECT_EQ(texts_->decorationLabel->text(), QStringLiteral("斜体"));
  fontAnswer_->underline = true;
  QTest::mouseClick(texts_->Button19, Qt::LeftButton);
  EXPECT_EQ(line(150), sj("char,0,1,1,IPAGothic,16,,0,0,65280,t"));
}

TEST_F(TextItemEditorsTest, ColourSwatchesWriteTheLayoutColourWhenConfirmed) {
  setLine(244, "char,0,1,1,A,12,,0,0,16777216,t");  // beyond what the palette shows
  clickCaption(244);
  QTest::mouseClick(pos_->Panel28, Qt::LeftButton);  // cancelled
  EXPECT_EQ(line(244), "char,0,1,1,A,12,,0,0,16777216,t");
  editors_->ApplyPositionItem();  // the number comes back as it was read
  EXPECT_EQ(line(244), "char,0,1,1,A,12,,0,0,16777216,t");
  colourAnswer_ = QColor(0x12, 0x34, 0x56);
  QTest::mouseClick(pos_->Panel28, Qt::LeftButton);
  EXPECT_EQ(line(244), "char,0,1,1,A,12,,0,0,5649426,t");  // 0x563412
  EXPECT_EQ(pos_->Panel28->palette().color(QPalette::Window), QColor(0x12, 0x34, 0x56));

  clickRow(2);
  QTest::mouseClick(texts_->Panel38, Qt::LeftButton);
  EXPECT_EQ(line(128), sj("char,0,0,0,ＭＳ 明朝,,,0,0,5649426,"));
}

TEST_F(TextItemEditorsTest, ListOperationsRebuildTheListAndKeepTheSelection) {
  for (int row = 1; row <= 100; ++row)
    setLine(slotmap::textLine(row), "char,0,1,1,A,12,,0,0,0,r" + QByteArray::number(row));
  setLine(227, "after");
  TStrColGrid* grid = texts_->StrColGrid3;
  clickRow(5);
  form_->menu.insertTextRow->trigger();
  EXPECT_EQ(line(131), ",");
  EXPECT_EQ(grid->Cells(1, 6), QStringLiteral("r5"));
  EXPECT_TRUE(grid->Cells(1, 5).isEmpty());
  EXPECT_EQ(editors_->textLine(), 131);
  editors_->N54->trigger();  // delete row 5 again
  EXPECT_EQ(grid->Cells(1, 5), QStringLiteral("r5"));
  EXPECT_EQ(line(226), ",");
  editors_->N53->trigger();
  EXPECT_EQ(grid->Cells(1, 5), QStringLiteral("r6"));
  EXPECT_EQ(grid->Cells(1, 6), QStringLiteral("r5"));
  form_->menu.exchangeTextRow->trigger();
  EXPECT_EQ(grid->Cells(1, 5), QStringLiteral("r5"));

  clickRow(100);
  form_->menu.exchangeTextRow->trigger();
  EXPECT_EQ(boxes_.texts.size(), 1);
  form_->menu.deleteTextRow->trigger();
  EXPECT_EQ(line(226), ",");
  EXPECT_EQ(line(227), "after");
  EXPECT_TRUE(form_->menu.insertTextRow->isEnabled());
  EXPECT_EQ(editors_->textListMenu->actions().size(), 3);
  EXPECT_EQ(editors_->N53->text(), QStringLiteral("交　換"));
}

TEST_F(TextItemEditorsTest, DraggingARowExchangesTheTwoSlotsOnly) {
  for (int row = 1; row <= 100; ++row)
    setLine(slotmap::textLine(row), "char,0,1,1,A,12,,0,0,0,r" + QByteArray::number(row));
  editors_->RebuildTextList();
  TStrColGrid* grid = texts_->StrColGrid3;
  grid->verticalHeader()->moveSection(1, 4);  // row 2 dragged onto row 5
  EXPECT_EQ(line(128), "char,0,1,1,A,12,,0,0,0,r5");
  EXPECT_EQ(line(131), "char,0,1,1,A,12,,0,0,0,r2");
  EXPECT_EQ(line(129), "char,0,1,1,A,12,,0,0,0,r3");
  for (int row = 1; row <= 6; ++row) {
    EXPECT_EQ(grid->Cells(1, row), FromLayoutText(CharRecordText(line(slotmap::textLine(row)))))
        << row;
  }
}

TEST_F(TextItemEditorsTest, CaptionSinksWhilePressed) {
  form_->showPage(pos_);
  QLabel* caption = pos_->placedCaption(250);
  const QPoint at = caption->pos();
  QTest::mousePress(caption, Qt::LeftButton);
  EXPECT_EQ(caption->pos(), at + QPoint(1, 1));
  QTest::mouseRelease(caption, Qt::LeftButton);
  EXPECT_EQ(caption->pos(), at);
  EXPECT_EQ(editors_->positionLine(), 250);
}

}  // namespace
}  // namespace kelvane
