// The register list and the register's history: a receipt deleted in the
// list, found again among the deleted ones, its history shown, restored.

#include "app/register_viewer.h"
#include "receipt/register_file.h"
#include "receipt/register_history.h"
#include "settings/program_folder.h"
#include "support/box_answerer.h"
#include "text/cp932.h"
#include "text/line_file.h"
#include "widgets/scg_cell_param.h"
#include "widgets/str_col_grid.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QTableWidget>
#include <QTemporaryDir>

namespace kelvane {
namespace {

using testing::BoxAnswerer;

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

class RegisterHistoryWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureWidgetApplication();
    SetProgramFolder(dir_.path());
    for (const QByteArray& line : {a1_, a2_}) {
      ASSERT_TRUE(ChangeRegister(reg(), dir_.filePath(QStringLiteral("tempfile.dat")), line.left(2),
                                 [&](int) { return line; }));
    }
    list_ = std::make_unique<Tfreglist>(reg());
    list_->show();
    boxes_.answerWith = QStringLiteral("実行");
  }
  void TearDown() override {
    list_.reset();
    SetProgramFolder({});
  }
  QString reg() const { return dir_.filePath(QStringLiteral("regidata.klv")); }
  QList<QByteArray> lines() const { return readLineFile(reg()).value(); }
  HistoryEntry lastEntry() const { return ReadHistory(reg()).value().last(); }
  void select(int row) { list_->StrColGrid1->SetCurrentCell(1, row); }
  bool grey(int col, int row) const {
    const TSCGCellParam* look = list_->StrColGrid1->CellParams().Find(col, row);
    return look && look->FontColorEnabled() && look->FontColor() == QColor(Qt::gray);
  }

  QTemporaryDir dir_;
  const QByteArray a1_ = sj("A1,2026/12/1,11000,山田商店,品代,,10000,11000,1000,10,担当,200,,");
  const QByteArray a2_ = "A2,2026/12/2,2200,,,,2000,2200,200,10,,200,,";
  std::unique_ptr<Tfreglist> list_;
  BoxAnswerer boxes_;
};

TEST_F(RegisterHistoryWindowTest, ADeletedReceiptIsShownWithItsHistoryAndRestored) {
  TStrColGrid* g = list_->StrColGrid1;
  select(1);
  list_->deleteAction->trigger();
  ASSERT_EQ(lines(), QList<QByteArray>{a2_});
  EXPECT_EQ(lastEntry().action, HistoryAction::Deleted);
  EXPECT_EQ(lastEntry().before, a1_);
  EXPECT_EQ(g->RowCount(), 2) << "the deleted receipt is not listed yet";

  list_->showDeletedAction->setChecked(true);
  ASSERT_EQ(g->RowCount(), 3);
  EXPECT_EQ(g->Cells(1, 1), QStringLiteral("A2"));
  EXPECT_EQ(g->Cells(0, 2), QStringLiteral("削除済み"));
  EXPECT_EQ(g->Cells(1, 2), QStringLiteral("A1"));
  EXPECT_EQ(g->Cells(4, 2), QStringLiteral("山田商店"));
  for (int col : {1, 3, 4}) EXPECT_TRUE(grey(col, 2)) << col;
  EXPECT_EQ(g->CellParams().Find(3, 2)->Alignment(), TAlignment::RightJustify)
      << "amounts stay right";
  EXPECT_FALSE(grey(1, 1));

  // A deleted receipt is not opened from the list.
  select(2);
  boxes_.texts.clear();
  list_->datasel();
  EXPECT_FALSE(list_->picked());
  ASSERT_EQ(boxes_.texts.size(), 1);
  EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("削除済み")));

  list_->historyAction->trigger();
  auto* table = list_->findChild<QTableWidget*>(QStringLiteral("historyTable"));
  ASSERT_NE(table, nullptr);
  ASSERT_EQ(table->rowCount(), 2);
  EXPECT_EQ(table->item(0, 1)->text(), QStringLiteral("登録"));
  EXPECT_EQ(table->item(1, 1)->text(), QStringLiteral("削除"));
  EXPECT_EQ(table->item(1, 3)->text(), cp932::decode(a1_).value());
  EXPECT_EQ(table->item(1, 4)->text(), QStringLiteral("（なし）"));
  table->window()->close();

  list_->restoreAction->trigger();
  EXPECT_EQ(lines(), (QList<QByteArray>{a2_, a1_})) << "recorded again, byte for byte";
  EXPECT_EQ(lastEntry().action, HistoryAction::Recorded);
  EXPECT_EQ(lastEntry().after, a1_);
  EXPECT_EQ(g->RowCount(), 3) << "no longer among the deleted ones";
  EXPECT_EQ(g->Cells(0, 2), QString());
  EXPECT_FALSE(grey(1, 2));
}

}  // namespace
}  // namespace kelvane

#include "app/register_find_bar.h"

#include <QLineEdit>

namespace kelvane {
namespace {

// With a search in the list the deleted receipts stand after the rows it
// shows, and the one picked is the one restored.
TEST_F(RegisterHistoryWindowTest, DeletedReceiptsFollowTheRowsTheSearchShows) {
  TStrColGrid* g = list_->StrColGrid1;
  select(2);
  list_->deleteAction->trigger();  // A2
  ASSERT_EQ(lines(), QList<QByteArray>{a1_});
  list_->findBar->number->setText(QStringLiteral("ZZ"));  // matches no row
  list_->showMatchingRows();
  list_->showDeletedAction->setChecked(true);
  EXPECT_EQ(list_->lineIndexOfRow(1), -1);
  ASSERT_TRUE(list_->isDeletedRow(1));
  EXPECT_EQ(g->Cells(1, 1), QStringLiteral("A2"));
  select(1);
  list_->restoreAction->trigger();
  EXPECT_EQ(lines(), (QList<QByteArray>{a1_, a2_}));
}

}  // namespace
}  // namespace kelvane
