// The register list searched, sorted and totalled as a user does it: typing
// into the fields above the grid, clicking a title, reopening a row found,
// exporting what is shown.

#include "app/register_find_bar.h"
#include "app/register_viewer.h"
#include "settings/program_folder.h"
#include "support/box_answerer.h"
#include "support/typing.h"
#include "text/cp932.h"
#include "text/line_file.h"
#include "widgets/str_col_grid.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace kelvane {
namespace {

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

class RegisterFindTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureWidgetApplication();
    SetProgramFolder(dir_.path());
    ASSERT_TRUE(writeLineFile(path_, lines_));
    list_ = std::make_unique<Tfreglist>(path_);
    list_->dialogs.chooseFile = [this](QWidget*, ViewerDialogs::Purpose, const QString&) {
      return answer_;
    };
    list_->dialogs.includeTitleRow = [](QWidget*) { return false; };
    list_->show();
    list_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(list_.get()));
  }
  void TearDown() override { SetProgramFolder({}); }

  // The numbers of the rows shown, top to bottom.
  QStringList numbers() const {
    QStringList shown;
    for (int r = 1; r < list_->StrColGrid1->RowCount(); ++r)
      if (!list_->StrColGrid1->Cells(1, r).isEmpty()) shown << list_->StrColGrid1->Cells(1, r);
    return shown;
  }
  // Types into `field` as a user does and waits for the rows to follow.
  void typeInto(QLineEdit* field, const QString& text) {
    field->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), field);
    testing::Type(text);
    EXPECT_TRUE(list_->findBar->pending()) << "rows change after a pause";
    EXPECT_TRUE(QTest::qWaitFor([this] { return !list_->findBar->pending(); }, 5000));
  }
  void clickTitle(int col, bool twice = false) {
    QHeaderView* titles = list_->StrColGrid1->horizontalHeader();
    const int section = col - list_->StrColGrid1->FixedCols();
    const QPoint middle(titles->sectionViewportPosition(section) + titles->sectionSize(section) / 2,
                        titles->height() / 2);
    if (twice) {
      QTest::mouseDClick(titles->viewport(), Qt::LeftButton, {}, middle);
    } else {
      QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, middle);
    }
  }

  QTemporaryDir dir_;
  QString path_ = dir_.filePath(QStringLiteral("regidata.klv"));
  const QList<QByteArray> lines_{
      sj("A1,2026/4/1,10800,株式会社ＡＢＣ,品代,,10000,10800,800,10,佐藤,200,,"),
      sj("A2,2026/4/30,500,ｶﾌﾞｼｷｶﾞｲｼｬ,送料,,455,500,45,10,鈴木,0,abc商店,"),
      sj("A3,2026/5/1,3000.5,山田商事,,,2728,3000,272.5,10,佐藤,0,,"),
      sj("A4,2026/5/20,100000,ABC,,,90910,100000,9090,10,田中,200,,"),
      sj("A5,2026/6/1,2000,abc,,,1819,2000,181,10,田中,0,,")};
  QString answer_;
  std::unique_ptr<Tfreglist> list_;
  testing::BoxAnswerer boxes_;
};

TEST_F(RegisterFindTest, TypedSearchesShowTheirRowsAndTotals) {
  RegisterFindBar* bar = list_->findBar;
  EXPECT_EQ(numbers(), (QStringList{"A1", "A2", "A3", "A4", "A5"}));
  typeInto(bar->addressee, QStringLiteral("ａｂｃ"));
  EXPECT_EQ(numbers(), (QStringList{"A1", "A2", "A4", "A5"})) << "folded both ways";
  typeInto(bar->dateFrom, QStringLiteral("2026/4/2"));
  typeInto(bar->dateTo, QStringLiteral("2026/5"));
  EXPECT_EQ(numbers(), (QStringList{"A2", "A4"}));
  EXPECT_EQ(
      list_->totalsPanel->text(),
      QStringLiteral("表示 2件 / 全 5件　　領収金額 100,500　　税抜金額 91,365　　消費税額 9,135"));

  // Enter searches and leaves the list open; a bound that cannot be read
  // is marked and left out.
  typeInto(bar->amountTo, QStringLiteral("1x"));
  QTest::keyClick(bar->amountTo, Qt::Key_Return);
  EXPECT_TRUE(list_->isVisible());
  EXPECT_FALSE(bar->amountTo->toolTip().isEmpty());
  EXPECT_EQ(numbers(), (QStringList{"A2", "A4"}));
  bar->amountTo->clear();
  typeInto(bar->amountTo, QStringLiteral("1000"));
  EXPECT_EQ(numbers(), QStringList{"A2"});
  EXPECT_TRUE(bar->amountTo->toolTip().isEmpty());

  typeInto(bar->staff, QStringLiteral("該当なし"));
  EXPECT_EQ(list_->StrColGrid1->RowCount(), 2) << "one empty row";
  EXPECT_TRUE(list_->totalsPanel->text().startsWith(QStringLiteral("表示 0件 / 全 5件")));
  QTest::mouseClick(bar->showAll, Qt::LeftButton);
  EXPECT_EQ(numbers().size(), 5);
  for (QLineEdit* field : bar->findChildren<QLineEdit*>()) EXPECT_TRUE(field->text().isEmpty());
}

TEST_F(RegisterFindTest, TitlesSortAndAFoundRowReopensItsReceipt) {
  clickTitle(3);
  EXPECT_EQ(numbers(), (QStringList{"A2", "A5", "A3", "A1", "A4"})) << "amounts as numbers";
  EXPECT_EQ(list_->StrColGrid1->Cells(3, 0), QStringLiteral("領収金額 ▲"));
  clickTitle(3);
  EXPECT_EQ(numbers(), (QStringList{"A4", "A1", "A3", "A5", "A2"}));
  typeInto(list_->findBar->staff, QStringLiteral("佐藤"));
  EXPECT_EQ(numbers(), (QStringList{"A1", "A3"})) << "the sort stays while searching";

  // The second row shown is the third line of the file.
  list_->StrColGrid1->SetCurrentCell(1, 2);
  list_->datasel();
  ASSERT_TRUE(list_->picked());
  EXPECT_EQ(list_->picked()->line, lines_[2]);
  EXPECT_EQ(list_->picked()->receipt.number, QStringLiteral("A3"));
  EXPECT_EQ(*readLineFile(path_), lines_) << "the file never changes";
}

TEST_F(RegisterFindTest, ExportsAndMonthlyTotalsOfTheRowsShown) {
  // A double click on a title does not take the selected row.
  clickTitle(3, true);
  EXPECT_TRUE(list_->isVisible());
  EXPECT_FALSE(list_->picked());
  typeInto(list_->findBar->staff, QStringLiteral("田中"));
  clickTitle(2);
  clickTitle(2);
  ASSERT_EQ(numbers(), (QStringList{"A5", "A4"}));

  // Saved as another file: the whole register in file order.
  answer_ = dir_.filePath(QStringLiteral("copy.klv"));
  list_->N6Click();
  EXPECT_EQ(*readLineFile(answer_), lines_);

  answer_ = dir_.filePath(QStringLiteral("list.csv"));
  const struct {
    const char* choice;
    QStringList numbers;
  } exports[] = {{"表示中の行だけ", {"A5", "A4"}},
                 {"発行リスト全体", {"A1", "A2", "A3", "A4", "A5"}},
                 {"キャンセル", {"A1", "A2", "A3", "A4", "A5"}}};
  for (const auto& e : exports) {
    boxes_.answerWith = QString::fromUtf8(e.choice);
    list_->CSV1Click();
    QStringList written;
    for (const QByteArray& line : *readLineFile(answer_))
      written << QString::fromLatin1(line.left(2));
    EXPECT_EQ(written, e.numbers) << e.choice;
  }

  QTest::mouseClick(list_->monthlyButton, Qt::LeftButton);
  MonthlyTotalsWindow* months = list_->monthlyTotalsWindow();
  ASSERT_NE(months, nullptr);
  ASSERT_EQ(months->table->rowCount(), 2);
  EXPECT_EQ(months->table->item(0, 0)->text(), QStringLiteral("2026/05"));
  EXPECT_EQ(months->table->item(0, 2)->text(), QStringLiteral("100,000"));
  answer_ = dir_.filePath(QStringLiteral("months.csv"));
  QTest::mouseClick(months->exportCsv, Qt::LeftButton);
  EXPECT_EQ(*readLineFile(answer_),
            (QList<QByteArray>{sj("年月,件数,領収金額,税抜金額,消費税額,"),
                               "2026/5,1,100000,90910,9090,", "2026/6,1,2000,1819,181,"}));
}

}  // namespace
}  // namespace kelvane
