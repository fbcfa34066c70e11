// The master-list window: pages of 40 entries on 15 tabs, picking with a
// double-click, Enter or "選択実行", registering with Shift, and what it
// does with list files that are missing, damaged or cannot be written.

#include "masterlist_window/order_reg.h"

#include "masterlist_window/tab_rows.h"
#include "settings/program_folder.h"
#include "support/read_only_folder.h"
#include "support/widget_app.h"
#include "text/cp932.h"
#include "text/line_file.h"
#include "widgets/str_col_grid.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

namespace kelvane {
namespace {

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

struct Asked {
  QString caption, prompt, initial;
};

class OrderRegTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureWidgetApplication();
    SetProgramFolder(dir_.path());
    reg_ = std::make_unique<Tforderreg>();
    reg_->askText = [this](QWidget*, const QString& caption, const QString& prompt,
                           const QString& initial) -> std::optional<QString> {
      asked_.append({caption, prompt, initial});
      return answer_;
    };
    reg_->reportError = [this](QWidget*, const QString& message) { reports_ << message; };
  }
  void TearDown() override {
    reg_.reset();
    SetProgramFolder({});
  }

  // Shown without blocking; the caller's part of a showing.
  void open(MasterListKind kind = MasterListKind::Addressees,
            Tforderreg::Mode mode = Tforderreg::Mode::Selection) {
    reg_->kind = kind;
    reg_->mode = mode;
    reg_->hide();  // each showing reads the list
    reg_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(reg_.get()));
  }
  TStrColGrid& grid() const { return *reg_->StrColGrid1; }
  void doubleClick(int col, int row, Qt::KeyboardModifiers modifiers = {}) {
    const QPoint at = grid().CellRect(col, row).center() - grid().viewport()->pos();
    QTest::mouseDClick(grid().viewport(), Qt::LeftButton, modifiers, at);
  }
  void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(&grid(), k, modifiers);
  }
  QString listFile(const char* name = "atesaki.dat") const {
    return dir_.filePath(QStringLiteral("basedata/") + QString::fromLatin1(name));
  }
  static QByteArray bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  void writeList(const MasterList& list, const char* name = "atesaki.dat") {
    ASSERT_TRUE(QDir().mkpath(dir_.filePath(QStringLiteral("basedata"))));
    ASSERT_TRUE(SaveMasterListFile(listFile(name), list));
  }

  QTemporaryDir dir_;
  std::unique_ptr<Tforderreg> reg_;
  std::optional<QString> answer_;
  QList<Asked> asked_;
  QStringList reports_;
};

TEST_F(OrderRegTest, AFreshInstallationShowsTheFirstFortyEmptyEntries) {
  ASSERT_FALSE(QFileInfo::exists(dir_.filePath(QStringLiteral("basedata"))));
  open();
  EXPECT_EQ(bytes(listFile()), QByteArray(172000, '\0'));
  EXPECT_EQ(reg_->listPath(), listFile());
  EXPECT_TRUE(reports_.isEmpty());

  EXPECT_EQ(grid().RowTexts(0), (QStringList{"No", "宛　名", "No", "宛　名"}));
  for (int r = 1; r <= 20; ++r) {
    EXPECT_EQ(grid().RowTexts(r),
              (QStringList{QString::number(r), "", QString::number(r + 20), ""}));
  }
  EXPECT_EQ(reg_->modeLabel->text(), QStringLiteral("宛名を選択して下さい"));
  EXPECT_EQ(reg_->windowTitle(), QStringLiteral("ネムリカ"));
  ASSERT_EQ(reg_->TabControl1->count(), 15);
  EXPECT_EQ(reg_->TabControl1->tabText(0), QStringLiteral("No001"));
  EXPECT_EQ(reg_->TabControl1->tabText(14), QStringLiteral("No561"));
  const auto* panel = reg_->StatusBar1->findChild<QLabel*>();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->text(),
            QStringLiteral("登録はSHIFTキーを押しながらセルをダブルクリックして下さい"));
  EXPECT_EQ(grid().toolTip(), panel->text());
  EXPECT_EQ(reg_->size(), QSize(738, 522));
  // The whole page is in view: no cell hides behind the grid's edge.
  EXPECT_TRUE(grid().viewport()->rect().contains(
      grid().CellRect(3, 20).translated(-grid().viewport()->pos())));
}

TEST_F(OrderRegTest, ShiftDoubleClickRegistersEntry27OnTheRightPair) {
  open();
  answer_ = QStringLiteral("東京支店");
  doubleClick(3, 7, Qt::ShiftModifier);
  ASSERT_EQ(asked_.size(), 1);
  EXPECT_EQ(asked_[0].caption, QStringLiteral("Quillmark"));
  EXPECT_EQ(asked_[0].prompt, QStringLiteral("宛名入力"));
  EXPECT_EQ(asked_[0].initial, QString());
  EXPECT_EQ(QFileInfo(listFile()).size(), 103372);
  EXPECT_EQ(reg_->records().entry(27).text, sj("東京支店"));
  EXPECT_EQ(MasterList::fromFileContent(bytes(listFile())).entry(27).text, sj("東京支店"));
  EXPECT_EQ(grid().Cells(3, 7), QStringLiteral("東京支店")) << "shown at once";
  EXPECT_EQ(reg_->picked_text, QStringLiteral("東京支店"));
  EXPECT_TRUE(reg_->isVisible()) << "the window stays open";

  // Its number cell belongs to the same pair; the left pair is entry 7.
  answer_ = QStringLiteral("大阪支店");
  doubleClick(2, 7, Qt::ShiftModifier);
  EXPECT_EQ(asked_.last().initial, QStringLiteral("東京支店"));
  doubleClick(0, 7, Qt::ShiftModifier);
  EXPECT_EQ(reg_->records().entry(27).text, sj("大阪支店"));
  EXPECT_EQ(reg_->records().entry(7).text, sj("大阪支店"));

  reg_->hide();
  open();
  EXPECT_EQ(grid().Cells(3, 7), QStringLiteral("大阪支店")) << "read again from the file";
  EXPECT_EQ(grid().Cells(1, 7), QStringLiteral("大阪支店"));
}

TEST_F(OrderRegTest, CancellingTheInputBoxKeepsTheTextAndClearsTheRest) {
  MasterList list;
  list.setEntry(5, {sj("山田商事"), "Y1", sj("やまだ"), 42});
  list.setEntry(6, {sj("佐藤商店"), "S1", sj("さとう"), 43});
  ASSERT_TRUE(QDir().mkpath(dir_.filePath(QStringLiteral("basedata"))));
  QByteArray fresh = list.fileContent() + QByteArray(399 * 172, '\0');  // 1000 records
  ASSERT_TRUE(writeFileAtomically(listFile(), fresh));
  open();
  answer_.reset();
  doubleClick(1, 5, Qt::ShiftModifier);
  EXPECT_EQ(asked_.size(), 1);
  EXPECT_EQ(reg_->records().entry(5), (MasterListEntry{sj("山田商事"), {}, {}, 0}));
  EXPECT_EQ(reg_->records().entry(6), (MasterListEntry{sj("佐藤商店"), "S1", sj("さとう"), 43}));
  EXPECT_EQ(QFileInfo(listFile()).size(), 103372) << "rewritten";
  EXPECT_EQ(reg_->picked_text, QStringLiteral("山田商事"));
}

TEST_F(OrderRegTest, APlainDoubleClickPicksAndCloses) {
  MasterList list;
  list.setEntry(3, {sj("鈴木"), {}, {}, 0});
  writeList(list, "tanto.dat");
  open(MasterListKind::Staff);
  reg_->picked_text = QStringLiteral("前の担当");
  doubleClick(1, 3);
  EXPECT_EQ(reg_->picked_text, QStringLiteral("鈴木"));
  EXPECT_FALSE(reg_->isVisible());
  EXPECT_EQ(reg_->result(), QDialog::Accepted);
  EXPECT_TRUE(asked_.isEmpty());

  // An empty entry gives an empty text, which empties the field.
  open(MasterListKind::Staff);
  doubleClick(3, 20);
  EXPECT_EQ(reg_->picked_text, QString());
  EXPECT_FALSE(reg_->isVisible());
}

TEST_F(OrderRegTest, TabNo561ShowsTheLastEntries) {
  MasterList list;
  list.setEntry(561, {"first", {}, {}, 0});
  list.setEntry(600, {"last", {}, {}, 0});
  writeList(list);
  open();
  TTabRows* tabs = reg_->TabControl1;
  ASSERT_TRUE(tabs->rect().contains(tabs->tabRect(14))) << "every tab in view";
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(14).center());
  EXPECT_EQ(tabs->currentIndex(), 14);
  EXPECT_EQ(grid().RowTexts(1), (QStringList{"561", "first", "581", ""}));
  EXPECT_EQ(grid().RowTexts(20), (QStringList{"580", "", "600", "last"}));
  EXPECT_GT(tabs->tabRect(14).top(), tabs->tabRect(0).top()) << "its row next to the page";

  // The keyboard changes pages too.
  tabs->setFocus();
  QTest::keyClick(tabs, Qt::Key_Left);
  EXPECT_EQ(grid().Cells(0, 1), QStringLiteral("521"));

  // A pick on that page takes that page's entry.
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(14).center());
  doubleClick(3, 20);
  EXPECT_EQ(reg_->picked_text, QStringLiteral("last"));

  // Each showing starts on the first tab.
  open();
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_EQ(grid().Cells(0, 1), QStringLiteral("1"));
}

TEST_F(OrderRegTest, TheEntryUnderTheDoubleClickIsTaken) {
  open();
  answer_ = QStringLiteral("七");
  doubleClick(3, 7, Qt::ShiftModifier);
  // Shown again, the cursor is back on entry 1; a quick double-click on
  // the same spot still means entry 27.
  open();
  EXPECT_EQ(grid().Row(), 1);
  doubleClick(3, 7);
  EXPECT_EQ(reg_->picked_text, QStringLiteral("七"));
  EXPECT_EQ(grid().Col(), 3);
  EXPECT_EQ(grid().Row(), 7);
}

TEST_F(OrderRegTest, LongTextsAreCutToEightyBytesOnAWholeCharacter) {
  open();
  answer_ = QString(100, u'A');
  doubleClick(1, 1, Qt::ShiftModifier);
  EXPECT_EQ(reg_->records().entry(1).text, QByteArray(80, 'A'));
  EXPECT_EQ(grid().Cells(1, 1), QString(80, u'A'));
  EXPECT_EQ(reg_->picked_text, QString(100, u'A')) << "the text as given";

  answer_ = QString(79, u'a') + QStringLiteral("東京");
  doubleClick(1, 2, Qt::ShiftModifier);
  EXPECT_EQ(reg_->records().entry(2).text, QByteArray(79, 'a'));
}

TEST_F(OrderRegTest, AShortFileShowsNothingBeyondItsEnd) {
  MasterList full;
  for (int n = 1; n <= 600; ++n) full.setEntry(n, {"addr" + QByteArray::number(n), {}, {}, 0});
  writeList(full);
  open();
  EXPECT_EQ(grid().Cells(1, 5), QStringLiteral("addr5"));
  reg_->hide();

  QByteArray shortList(172, '\0');
  for (int n = 1; n <= 3; ++n)
    shortList += EncodeMasterRecord({"t" + QByteArray::number(n), {}, {}, 0});
  ASSERT_TRUE(writeFileAtomically(listFile("topic1.dat"), shortList));
  open(MasterListKind::Descriptions1);
  EXPECT_EQ(grid().Cells(1, 3), QStringLiteral("t3"));
  EXPECT_EQ(grid().Cells(1, 4), QString()) << "not the addressee list's entry 4";
  EXPECT_EQ(grid().Cells(3, 1), QString());
  EXPECT_EQ(reg_->records().entry(600), MasterListEntry{});
  EXPECT_TRUE(reports_.isEmpty()) << "whole records are no damage";
}

TEST_F(OrderRegTest, TheKeyboardAndTheButtonsPickRegisterAndCancel) {
  MasterList list;
  list.setEntry(22, {sj("二十二"), {}, {}, 0});
  writeList(list);
  open();
  EXPECT_TRUE(reg_->Button1->isVisible());
  // The header row is no entry.
  QTest::mouseDClick(grid().horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(20, 5));
  EXPECT_TRUE(reg_->isVisible());
  grid().SetCurrentCell(3, 2);
  reg_->Button1->click();
  EXPECT_EQ(reg_->picked_text, QStringLiteral("二十二")) << "選択実行 picks the selected entry";
  EXPECT_FALSE(reg_->isVisible());

  open();
  grid().setFocus();
  grid().SetCurrentCell(1, 1);
  key(Qt::Key_Down);
  answer_ = QStringLiteral("二番");
  key(Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(reg_->records().entry(2).text, sj("二番"));
  EXPECT_TRUE(reg_->isVisible());
  key(Qt::Key_Right);
  key(Qt::Key_Right);
  key(Qt::Key_Enter);
  EXPECT_EQ(reg_->picked_text, QStringLiteral("二十二"));
  EXPECT_FALSE(reg_->isVisible());

  open();
  reg_->picked_text = QStringLiteral("そのまま");
  QTest::keyClick(reg_.get(), Qt::Key_Escape);
  EXPECT_FALSE(reg_->isVisible());
  EXPECT_EQ(reg_->result(), QDialog::Rejected);
  open();
  reg_->Button2->click();
  EXPECT_FALSE(reg_->isVisible());
  EXPECT_EQ(reg_->picked_text, QStringLiteral("そのまま"));
}

TEST_F(OrderRegTest, AListThatCannotBeReadIsNeverOverwritten) {
  ASSERT_TRUE(QDir().mkpath(listFile()));  // a folder where the file belongs
  MasterList other;
  other.setEntry(1, {"topic", {}, {}, 0});
  writeList(other, "topic1.dat");
  open(MasterListKind::Descriptions1);
  open(MasterListKind::Addressees);
  ASSERT_EQ(reports_.size(), 1);
  EXPECT_TRUE(reports_[0].contains(QStringLiteral("atesaki.dat")));
  EXPECT_EQ(grid().Cells(1, 1), QString()) << "nothing of the list shown before";

  doubleClick(1, 1, Qt::ShiftModifier);
  EXPECT_TRUE(asked_.isEmpty());
  ASSERT_EQ(reports_.size(), 2);
  EXPECT_TRUE(reports_[1].contains(QStringLiteral("登録できません")));
  EXPECT_TRUE(QFileInfo(listFile()).isDir());

  // Damaged content is read with a notice and may be registered into.
  QByteArray damaged(172 * 2, '\xEE');
  ASSERT_TRUE(writeFileAtomically(listFile("tanto.dat"), damaged));
  open(MasterListKind::Staff);
  ASSERT_EQ(reports_.size(), 3);
  EXPECT_TRUE(reports_[2].contains(QStringLiteral("tanto.dat")));
  EXPECT_EQ(reg_->records().entry(1).text.size(), 80);
  answer_ = QStringLiteral("担当");
  doubleClick(1, 2, Qt::ShiftModifier);
  EXPECT_EQ(QFileInfo(listFile("tanto.dat")).size(), 103372);
}

TEST_F(OrderRegTest, AFailedSaveLeavesFileGridAndPickedText) {
  MasterList list;
  list.setEntry(1, {"old", {}, {}, 0});
  writeList(list);
  open();
  testing::ReadOnlyFolder locked(dir_.filePath(QStringLiteral("basedata")));
  if (!locked.active()) GTEST_SKIP() << "this machine writes into read-only folders";
  reg_->picked_text = QStringLiteral("field");
  answer_ = QStringLiteral("new");
  doubleClick(1, 1, Qt::ShiftModifier);
  ASSERT_EQ(reports_.size(), 1);
  EXPECT_TRUE(reports_[0].contains(QStringLiteral("書き込めません")));
  EXPECT_EQ(bytes(listFile()), list.fileContent());
  EXPECT_EQ(grid().Cells(1, 1), QStringLiteral("old"));
  EXPECT_EQ(reg_->records().entry(1).text, QByteArray("old"));
  EXPECT_EQ(reg_->picked_text, QStringLiteral("field"));
}

TEST_F(OrderRegTest, BytesThatAreNotCp932AreCarriedThrough) {
  MasterList list;
  list.setEntry(1, {QByteArray("A\xFF\xFF"), {}, {}, 0});
  list.setEntry(2, {QByteArray("B\x85"), "\xFD", QByteArray("\x80\xA0"), -7});
  writeList(list);
  open();
  EXPECT_EQ(grid().Cells(1, 1), QStringLiteral("A\uFFFD\uFFFD"));
  // Cancelled on the entry itself: its bytes stay.
  doubleClick(1, 1, Qt::ShiftModifier);
  EXPECT_EQ(reg_->records().entry(1).text, QByteArray("A\xFF\xFF"));
  // Another entry registered: entry 2 is written back unchanged.
  answer_ = QStringLiteral("三");
  doubleClick(1, 3, Qt::ShiftModifier);
  const MasterList back = MasterList::fromFileContent(bytes(listFile()));
  EXPECT_EQ(back.entry(1).text, QByteArray("A\xFF\xFF"));
  EXPECT_EQ(back.entry(2), list.entry(2));
  EXPECT_EQ(back.entry(3).text, sj("三"));

  // A character the file cannot hold is refused, nothing is written.
  const QByteArray before = bytes(listFile());
  answer_ = QStringLiteral("店\U0001F600");
  doubleClick(1, 4, Qt::ShiftModifier);
  ASSERT_EQ(reports_.size(), 1);
  EXPECT_TRUE(reports_[0].contains(QStringLiteral("登録できません")));
  EXPECT_EQ(bytes(listFile()), before);
  EXPECT_EQ(reg_->picked_text, QStringLiteral("三"));
}

TEST_F(OrderRegTest, EachKindHasItsFileHeaderLabelAndPrompt) {
  const struct {
    MasterListKind kind;
    const char* file;
    const char* header;
    const char* label;
    const char* prompt;
  } kinds[] = {
      {MasterListKind::Addressees, "atesaki.dat", "宛　名", "宛名登録", "宛名入力"},
      {MasterListKind::Descriptions1, "topic1.dat", "摘 要 1", "摘要1登録", "摘要1入力"},
      {MasterListKind::Descriptions2, "topic2.dat", "摘 要 2", "摘要2登録", "摘要2入力"},
      {MasterListKind::Staff, "tanto.dat", "社内担当者", "社内担当者登録", "社内担当者入力"},
  };
  for (const auto& k : kinds) {
    SCOPED_TRACE(k.file);
    open(k.kind, Tforderreg::Mode::Registration);
    EXPECT_EQ(reg_->listPath(), listFile(k.file));
    EXPECT_EQ(QFileInfo(listFile(k.file)).size(), 172000);
    EXPECT_EQ(grid().Cells(1, 0), QString::fromUtf8(k.header));
    EXPECT_EQ(grid().Cells(3, 0), QString::fromUtf8(k.header));
    EXPECT_EQ(reg_->modeLabel->text(), QString::fromUtf8(k.label));
    answer_ = QStringLiteral("x");
    doubleClick(1, 1, Qt::ShiftModifier);
    EXPECT_EQ(asked_.last().prompt, QString::fromUtf8(k.prompt));
    reg_->hide();
  }
  EXPECT_EQ(QFileInfo(listFile("atesaki.dat")).size(), 103372) << "each kind writes its own file";
  EXPECT_EQ(QFileInfo(listFile("tanto.dat")).size(), 103372);
}

}  // namespace
}  // namespace kelvane
