// The register list: what it shows, what it saves and exports, and a
// receipt reopened from it, corrected and recorded again.

#include "app/register_viewer.h"
#include "app/pages/environment_page.h"
#include "app/pages/receipt_issue_page.h"
#include "app/receipt_date.h"
#include "app/receipt_input.h"
#include "app/receipt_main_form.h"
#include "app/receipt_on_form.h"
#include "app/register_commands.h"
#include "app/settings_store.h"
#include "app/title_strip.h"
#include "app/top_bar.h"
#include "layout/field_cursor.h"
#include "layout/layout_slots.h"
#include "settings/column_widths_file.h"
#include "settings/program_folder.h"
#include "support/box_answerer.h"
#include "text/cp932.h"
#include "text/line_file.h"
#include "widgets/nval_edit.h"
#include "widgets/scg_cell_param.h"
#include "widgets/str_col_grid.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace kelvane {
namespace {

using testing::BoxAnswerer;

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

class RegisterViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureWidgetApplication();
    SetProgramFolder(dir_.path());
  }
  void TearDown() override { SetProgramFolder({}); }
  QString file(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
  QList<QByteArray> read(const QString& path) const {
    auto lines = readLineFile(path);
    return lines ? *lines : QList<QByteArray>{};
  }
  // A shown list on `path`, its file dialogs answering `answer`.
  std::unique_ptr<Tfreglist> show(const QString& path) {
    auto list = std::make_unique<Tfreglist>(path);
    list->dialogs.chooseFile = [this](QWidget*, ViewerDialogs::Purpose, const QString&) {
      return answer_;
    };
    list->dialogs.includeTitleRow = [this](QWidget*) { return titleRow_; };
    list->show();
    return list;
  }
  static void selectRow(Tfreglist& list, int row) { list.StrColGrid1->SetCurrentCell(1, row); }

  QTemporaryDir dir_;
  QString answer_;
  bool titleRow_ = false;
  BoxAnswerer boxes_;
};

TEST_F(RegisterViewerTest, RowsInFileOrderWithTitlesAndAlignments) {
  ASSERT_TRUE(writeLineFile(file("regidata.klv"),
                            {sj("A1,2018/4/1,10800,山田,品代,,10000,10800,800,8,担当,10000,,"),
                             "A2,2018/4/2,10800.5,,,,,,,,,,,", "A3,2018/4/3,-12345,"}));
  auto list = show(file("regidata.klv"));
  TStrColGrid* g = list->StrColGrid1;
  ASSERT_EQ(g->RowCount(), 4);
  EXPECT_EQ(g->Cells(1, 0), QStringLiteral("番  号"));
  EXPECT_EQ(g->Cells(7, 0), QStringLiteral("摘 要 ２"));
  EXPECT_EQ(g->Cells(3, 1), QStringLiteral("      10,800"));
  EXPECT_EQ(g->Cells(13, 1), QStringLiteral("      10,000"));
  EXPECT_EQ(g->Cells(3, 2), QStringLiteral("           0"));
  EXPECT_EQ(g->Cells(3, 3), QStringLiteral("     -12,345"));
  EXPECT_EQ(g->Cells(4, 3), QString()) << "a short line";
  EXPECT_EQ(g->ColWidths(4), 235);
  EXPECT_EQ(list->viewerPath(), file("regidata.klv"));

  // Choosing the empty row of an empty register does nothing.
  ASSERT_TRUE(writeLineFile(file("empty.klv"), {}));
  answer_ = file("empty.klv");
  list->N7Click();
  EXPECT_EQ(g->RowCount(), 2);
  selectRow(*list, 1);
  list->datasel();
  EXPECT_TRUE(list->isVisible());
  EXPECT_FALSE(list->picked());
}

TEST_F(RegisterViewerTest, SaveAsNewFileAndCsv) {
  ASSERT_TRUE(writeLineFile(file("regidata.klv"),
                            {sj("A1,2018/4/1,10800,山田,品代,,10000,10800,800,8,担当,200,,"),
                             "A2,2018/4/2,,,,,,,,,,,,"}));
  auto list = show(file("regidata.klv"));
  answer_ = file("copy.klv");
  list->N6Click();
  EXPECT_EQ(read(file("copy.klv")),
            (QList<QByteArray>{sj("A1,2018/4/1,10800,山田,品代,,10000,10800,800,8,担当,200,,"),
                               "A2,2018/4/2,,,,,,,,,,,,"}))
      << "a copy of the lines, not of the cells";
  EXPECT_EQ(list->viewerPath(), file("regidata.klv")) << "the path shown stays";

  // Lines the cells would change come through byte for byte: no number, a
  // fraction, an empty stamp, blanks, a byte pair that is not cp932, and
  // fields after the thirteenth.
  const QList<QByteArray> odd{",2018/4/3,5,x,,,,,,,,,,", "A3,2018/4/3,1234.5678,,,,,,,,,,,",
                              " A4 , 2018/4/4 ,10, y ,,,,,,,,,,",
                              "A5,2018/4/5,1,\x81\x20z,,,,,,,,200,,extra,more,"};
  ASSERT_TRUE(writeLineFile(file("odd.klv"), odd));
  answer_ = file("odd.klv");
  list->N7Click();
  answer_ = file("odd-copy.klv");
  list->N6Click();
  EXPECT_EQ(read(file("odd-copy.klv")), odd);
  answer_ = file("regidata.klv");
  list->N7Click();

  answer_ = file("list.csv");
  list->CSV1Click();
  QList<QByteArray> csv = read(file("list.csv"));
  ASSERT_EQ(csv.size(), 2) << "no title row";
  EXPECT_EQ(csv[1],
            "A2,2018/4/2,           0,,,,,           0,           0,           0,           0,,    "
            "       0,,,,,,,");
  titleRow_ = true;
  list->CSV1Click();
  csv = read(file("list.csv"));
  ASSERT_EQ(csv.size(), 3);
  EXPECT_TRUE(csv[0].startsWith(sj("番  号,日  付,領収金額,")));

  // A new register file over an existing one does nothing.
  answer_ = file("copy.klv");
  list->N5Click();
  EXPECT_EQ(read(file("copy.klv")).size(), 2);
  EXPECT_EQ(list->StrColGrid1->RowCount(), 3);
  answer_ = file("new.klv");
  list->N5Click();
  EXPECT_TRUE(QFile::exists(file("new.klv")));
  EXPECT_EQ(list->StrColGrid1->RowCount(), 2);
}

TEST_F(RegisterViewerTest, ColumnWidthsAndThePlaceAreKept) {
  ASSERT_TRUE(
      writeLineFile(file("display.dat"), {"[list_colwidths[3]]=abc", "[list_colwidths[4]]=300"}));
  {
    auto list = show(file("none.klv"));
    EXPECT_EQ(list->StrColGrid1->ColWidths(3), 50);
    EXPECT_EQ(list->StrColGrid1->ColWidths(4), 300);
    EXPECT_EQ(list->viewerPath(), file("regidata.klv")) << "a missing file falls back";
    list->StrColGrid1->SetColWidths(5, 111);
    list->resize(700, 400);
    list->reject();
  }
  const auto widths = read(file("display.dat"));
  ASSERT_EQ(widths.size(), 21);
  EXPECT_EQ(widths[6], "[list_colwidths[5]]=111");
  auto ini = read(file(WindowFileName().toUtf8().constData()));
  EXPECT_TRUE(ini.contains("[freglist]"));
  EXPECT_TRUE(ini.contains("Width=700"));
  auto list = show(file("none.klv"));
  EXPECT_EQ(list->size(), QSize(700, 400));
}

// A qualified invoice's line beside an older one: the six columns after the
// thirteen shown, exported, and their figures back in the receipt taken.
TEST_F(RegisterViewerTest, FieldsAfterTheThirteenShownExportedAndReopened) {
  ASSERT_TRUE(writeLineFile(file("regidata.klv"),
                            {sj("Q1,2026/12/8,18800,,,,18000,18800,800,,,0,,10000,1000,10000,800,"
                                "税抜,T7000012050002,"),
                             "Q2,2026/12/8,500,,,,,,,,,,,"}));
  auto list = show(file("regidata.klv"));
  EXPECT_EQ(list->StrColGrid1->Cells(17, 1), QStringLiteral("         800"));
  EXPECT_EQ(list->StrColGrid1->CellParams().Find(17, 1)->Alignment(), TAlignment::RightJustify);
  titleRow_ = true;
  answer_ = file("list.csv");
  list->CSV1Click();
  EXPECT_EQ(
      read(file("list.csv")),
      (QList<QByteArray>{
          sj("番  号,日  付,領収金額,宛  先 1,宛  先 2,摘 要 １,摘 要 "
             "２,税抜金額,消費税額,請求金額,"
             "消 費 税,社内担当者,印紙,10%対象,10%消費税,8%対象,8%消費税,税区分,登録番号,"),
          sj("Q1,2026/12/8,      18800,,,,,      18000,         800,      18800,           0,,"
             "           0,      10000,       1000,      10000,         800,税抜,T7000012050002,"),
          "Q2,2026/12/8,         500,,,,,           0,           0,           0,           0,,"
          "           0,,,,,,,"}));
  selectRow(*list, 1);
  list->datasel();
  ASSERT_TRUE(list->picked());
  const Receipt& r = list->picked()->receipt;
  constexpr qint64 yen = 10000;  // the receipt's amounts are ten-thousandths
  EXPECT_EQ(std::tuple(r.amount10, r.tax10, r.amount8, r.tax8, r.taxBasis, r.registrationNumber),
            std::tuple(10000 * yen, 1000 * yen, 10000 * yen, 800 * yen, TaxBasis::Excluded,
                       QStringLiteral("T7000012050002")));
}

// A "display.dat" written for the fourteen columns: its widths taken, the
// later columns at their design widths, and its lines kept first.
TEST_F(RegisterViewerTest, AWidthsFileOfFourteenColumnsLoads) {
  QList<QByteArray> old{"[Version]=1.00"};
  for (int col = 0; col < 14; ++col) old << "[list_colwidths[" + QByteArray::number(col) + "]]=77";
  ASSERT_TRUE(writeLineFile(file("display.dat"), old));
  show(file("regidata.klv"))->reject();
  const QList<QByteArray> written = read(file("display.dat"));
  ASSERT_EQ(written.size(), 21);
  EXPECT_EQ(written.first(15), old);
  EXPECT_EQ(written[20], "[list_colwidths[19]]=120");
}

TEST_F(RegisterViewerTest, ARowThatCannotBeReadChangesNothing) {
  // An amount of ten digits would be cut to 999,999,999 by the form.
  const struct {
    QByteArray line;
    const char* said;
  } rows[] = {{"A1,2018/13/1,500,,,,,,,,,,,", "日付"},
              {"A2,20180401,500,", "日付"},
              {"A3,2018/4/1,1000000000,,,,,,,,,,,", "10億円"},
              {"A4,2018/4/1,500,,,,-1234567890,,,,,,,", "10億円"}};
  QList<QByteArray> lines;
  for (const auto& row : rows) lines << row.line;
  ASSERT_TRUE(writeLineFile(file("regidata.klv"), lines));
  auto list = show(file("regidata.klv"));
  for (int row = 1; row <= static_cast<int>(std::size(rows)); ++row) {
    boxes_.texts.clear();
    selectRow(*list, row);
    list->datasel();
    EXPECT_FALSE(list->picked()) << row;
    EXPECT_TRUE(list->isVisible());
    ASSERT_EQ(boxes_.texts.size(), 1);
    EXPECT_TRUE(boxes_.texts.first().contains(QString::fromUtf8(rows[row - 1].said)))
        << boxes_.texts.first().toStdString();
    EXPECT_TRUE(boxes_.texts.first().contains(QStringLiteral("開けません")));
  }
}

// In kanji mode an amount with no kanji form is reopened as digits on the
// receipt, said; the stub has the digits; the amount shown before is gone.
TEST_F(RegisterViewerTest, ANegativeAmountReopenedInKanjiModeIsWrittenInDigits) {
  ReceiptMainForm form;
  form.show();
  form.environmentPage->CheckBox7->setChecked(true);
  form.receiptPage->NValEditC9->setValueUnits(12000 * 10000);
  ASSERT_TRUE(form.receiptInput->PutAmountText());
  ASSERT_TRUE(form.document().line(slotmap::kAmount).endsWith(sj("壱萬弐千円")));
  ASSERT_TRUE(writeLineFile(form.currentRegisterPath(), {"R1,2026/12/1,-500,,,,,,,,,,,"}));
  form.runRegisterList = [](Tfreglist& list) {
    list.show();
    list.StrColGrid1->SetCurrentCell(1, 1);
    list.datasel();
  };
  boxes_.texts.clear();
  ReopenFromRegister(form);
  EXPECT_EQ(form.receiptPage->Edit2->text(), QStringLiteral("R1"));
  EXPECT_TRUE(form.document().line(slotmap::kAmount).endsWith(",-500"))
      << form.document().line(slotmap::kAmount).data();
  EXPECT_TRUE(form.document().line(slotmap::kStubAmount).endsWith(",-500"));
  ASSERT_EQ(boxes_.texts.size(), 1);
  EXPECT_TRUE(boxes_.texts.first().contains(QStringLiteral("マイナス")));
}

// A line reopened gives the items typing its fields gives, a rate of 0 as
// empty rate items, and recorded again unchanged it is the same bytes.
TEST_F(RegisterViewerTest, AReopenedLineIsTheReceiptTypedAndRecordsTheSameBytes) {
  const struct {
    QByteArray line;
    bool kanjiWithMarks;
    QByteArray rateItem;
  } rows[] = {
      {sj("A1,2019/5/1,10800,山田商事,品代,送料,10000,10800,800,8,担当,200,経理部,"), true, "8"},
      {"B2,2026/12/8,-500,,,,0,0,0,0,,0,,", false, ""},
      {sj("C3,1989/1/8,999999999,株式会社サンプル,,,0,0,0,10,,1000,,"), false, "10"},
      // Fractions of a yen, a rate of 8.5 and no stamp come back as issued,
      // not as the list's cells show them.
      {"D4,2026/12/8,1234.5,,,,1143.1,1234.5,91.4,8.5,,,,", false, "8.5"}};
  const auto items = [](ReceiptMainForm& form) {
    QList<QByteArray> texts;
    for (int line = slotmap::kNumber; line <= slotmap::kStubAddresseeLine2; ++line)
      texts << CharRecordText(form.document().line(line));
    return texts;
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.line.toStdString());
    ReceiptMainForm form;
    form.show();
    for (QCheckBox* box : {form.environmentPage->CheckBox7, form.environmentPage->CheckBox1,
                           form.environmentPage->CheckBox2})
      box->setChecked(row.kanjiWithMarks);
    ASSERT_TRUE(writeLineFile(form.currentRegisterPath(), {row.line}));
    form.runRegisterList = [](Tfreglist& list) {
      list.show();
      list.StrColGrid1->SetCurrentCell(1, 1);
      list.datasel();
    };
    ReopenFromRegister(form);
    const QList<QByteArray> reopened = items(form);
    for (int line : {slotmap::kTaxRate, slotmap::kTaxRate + slotmap::kStubOffset})
      EXPECT_EQ(CharRecordText(form.document().line(line)), row.rateItem);
    ASSERT_TRUE(RecordReceipt(form, false));
    EXPECT_EQ(read(form.currentRegisterPath()), QList<QByteArray>{row.line});

    // The same fields typed into an emptied form, each committed by Enter.
    ReceiptIssuePage* p = form.receiptPage;
    const Receipt typed = ReceiptOnForm(form);
    const QDate date = *form.receiptDate->dateInBoxes();
    ClearReceiptFields(form);
    form.receiptDate->clearDateItems();
    ASSERT_NE(items(form), reopened);
    form.receiptDate->setIssueDate(date);
    PutReceiptOnForm(form, typed);
    for (QWidget* field : std::initializer_list<QWidget*>{
             p->Edit2, p->atesaki_1, p->atesaki_2, p->topic1, p->topic2, p->NValEditC9,
             p->NValEditC10, p->NValEditC11, p->NValEditC13, p->NValEditC7})
      form.receiptInput->commit(field);
    EXPECT_EQ(items(form), reopened);
  }
}

// Reopened, corrected and recorded again: one line for the number, at the
// end, with the Western year of its date.
TEST_F(RegisterViewerTest, AReceiptReopenedCorrectedAndRecordedAgain) {
  ReceiptMainForm form;
  form.show();
  const QString reg = form.currentRegisterPath();
  ASSERT_TRUE(writeLineFile(
      reg, {sj("A1,2019/5/1,10800,山田商事,品代,送料,10000,10800,800,8,担当,200,経理部,"),
            "A2,2019/5/2,500,,,,,,,,,,,"}));
  form.runRegisterList = [](Tfreglist& list) {
    list.show();
    list.StrColGrid1->SetCurrentCell(1, 1);
    list.datasel();
  };
  ASSERT_TRUE(form.topBar->registerListButton->isEnabled());
  QTest::mouseClick(form.topBar->registerListButton, Qt::LeftButton);
  ReceiptIssuePage* p = form.receiptPage;
  EXPECT_EQ(p->Edit2->text(), QStringLiteral("A1"));
  EXPECT_EQ(p->atesaki_2->currentText(), QStringLiteral("経理部"));
  EXPECT_EQ(p->in_tax->currentText(), QStringLiteral("200"));
  EXPECT_EQ(p->NValEditC7->valueUnits(), 8 * 10000);
  EXPECT_EQ(form.titleStrip->Label17->text(), QStringLiteral("令和"));
  EXPECT_EQ(form.titleStrip->YERBOX->text(), QStringLiteral("1"));
  EXPECT_EQ(form.modePanel->text(), QStringLiteral("修正"));
  EXPECT_TRUE(form.document().line(slotmap::kAddresseeLine2).endsWith(sj("経理部")));
  EXPECT_TRUE(form.document().line(slotmap::kStubAmount).endsWith("10,800"));

  p->NValEditC9->setValueUnits(11000 * 10000);
  boxes_.texts.clear();
  ASSERT_TRUE(RecordReceipt(form, false));
  EXPECT_EQ(boxes_.texts, QStringList{QStringLiteral("A1は既に存在します。更新していいですか?")});
  const auto lines = read(reg);
  ASSERT_EQ(lines.size(), 2);
  EXPECT_TRUE(lines[0].startsWith("A2,"));
  EXPECT_EQ(lines[1],
            sj("A1,2019/5/1,11000,山田商事,品代,送料,10000,10800,800,8,担当,200,経理部,"));

  // Closed without a choice: the form stays, its items are set again.
  form.runRegisterList = [](Tfreglist& list) { list.reject(); };
  form.document().setLine(slotmap::kNumber, ",");
  ReopenFromRegister(form);
  EXPECT_TRUE(form.document().line(slotmap::kNumber).endsWith("A1"));
}

}  // namespace
}  // namespace kelvane
