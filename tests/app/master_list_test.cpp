// The master lists from the main window: the "参照" buttons pick an entry
// into their field and the receipt and move the focus on; "マスター登録"
// registers into each list; one hidden window serves every use.

#include "app/master_list_commands.h"
#include "app/pages/receipt_issue_page.h"
#include "app/receipt_main_form.h"
#include "layout/field_cursor.h"
#include "layout/layout_slots.h"
#include "masterlist_window/order_reg.h"
#include "settings/program_folder.h"
#include "support/box_answerer.h"
#include "text/cp932.h"
#include "text/layout_text.h"
#include "widgets/str_col_grid.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace kelvane {
namespace {

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

// What the picker looked like while it was open.
struct Seen {
  QString label;
  QString picked;
  QString header;
  bool selectButton = false;
};

class MasterListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureWidgetApplication();
    SetProgramFolder(dir_.path());
    form_ = std::make_unique<ReceiptMainForm>();
    form_->show();
    form_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    page_ = form_->receiptPage;
    form_->dialogs.askText = [this](QWidget*, const QString&, const QString& prompt,
                                    const QString&) -> std::optional<QString> {
      prompts_ << prompt;
      return answer_;
    };
    boxes_.texts.clear();
  }
  void TearDown() override {
    form_.reset();
    SetProgramFolder({});
  }

  // Starts a use with `start`; once the picker shows, `act` runs on it and
  // whatever is still open is cancelled. Returns what the picker showed.
  Seen drive(const std::function<void()>& start, const std::function<void(Tforderreg&)>& act) {
    Tforderreg& picker = *form_->orderreg;
    Seen seen;
    bool ran = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (ran || !picker.isVisible() || QApplication::activeModalWidget() != &picker) return;
      ran = true;
      seen = {picker.modeLabel->text(), picker.picked_text, picker.StrColGrid1->Cells(1, 0),
              picker.Button1->isVisible()};
      act(picker);
      if (picker.isVisible()) picker.reject();
    });
    poll.start();
    start();
    EXPECT_TRUE(ran) << "the picker was shown";
    EXPECT_FALSE(picker.isVisible());
    return seen;
  }
  static void doubleClick(Tforderreg& picker, int col, int row,
                          Qt::KeyboardModifiers modifiers = {}) {
    TStrColGrid* grid = picker.StrColGrid1;
    const QPoint at = grid->CellRect(col, row).center() - grid->viewport()->pos();
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, modifiers, at);
  }
  auto pickCell(int col, int row) {
    return [col, row](Tforderreg& picker) { doubleClick(picker, col, row); };
  }
  auto clickOn(QPushButton* button) {
    return [button] { QTest::mouseClick(button, Qt::LeftButton); };
  }
  // The main window's own focus, which it takes back once it is active.
  QWidget* focusAfterwards() { return form_->focusWidget(); }

  void writeList(const char* name, std::initializer_list<std::pair<int, const char*>> entries) {
    MasterList list;
    for (const auto& [n, text] : entries) list.setEntry(n, {sj(text), {}, {}, 0});
    ASSERT_TRUE(QDir().mkpath(dir_.filePath(QStringLiteral("basedata"))));
    ASSERT_TRUE(SaveMasterListFile(listFile(name), list));
  }
  QString listFile(const char* name) const {
    return dir_.filePath(QStringLiteral("basedata/") + QString::fromLatin1(name));
  }
  // The text of the item at `line`: what follows the record's tenth comma.
  QString item(int line) const {
    return FromLayoutText(CharRecordText(form_->document().line(line)));
  }

  QTemporaryDir dir_;
  testing::BoxAnswerer boxes_;
  std::unique_ptr<ReceiptMainForm> form_;
  ReceiptIssuePage* page_ = nullptr;
  std::optional<QString> answer_;
  QStringList prompts_;
};

TEST_F(MasterListTest, OneHiddenPickerAndLiveCommands) {
  Tforderreg* picker = form_->orderreg;
  ASSERT_NE(picker, nullptr);
  EXPECT_FALSE(picker->isVisible());
  EXPECT_EQ(picker->parent(), form_.get());
  for (QAction* item : {form_->menu.registerAddressees, form_->menu.registerDescriptions1,
                        form_->menu.registerDescriptions2, form_->menu.registerStaff}) {
    EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
  }
  for (QPushButton* b : {page_->atesaki1Pick, page_->atesaki2Pick, page_->topic1Pick,
                         page_->topic2Pick, page_->field07Pick}) {
    EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
  }
  drive(clickOn(page_->topic1Pick), [](Tforderreg&) {});
  drive(clickOn(page_->atesaki1Pick), [](Tforderreg&) {});
  EXPECT_EQ(form_->orderreg, picker) << "the same window every time";
  EXPECT_TRUE(QFileInfo::exists(listFile("topic1.dat")));
  EXPECT_TRUE(QFileInfo::exists(listFile("atesaki.dat")));
}

TEST_F(MasterListTest, AddresseesGoOnOneLineOrTwoAndTheFocusMovesOn) {
  writeList("atesaki.dat", {{1, "山田商事"}, {22, "経理部"}});
  page_->atesaki_1->setEditText(QStringLiteral("前の宛名"));
  const Seen seen = drive(clickOn(page_->atesaki1Pick), pickCell(1, 1));
  EXPECT_EQ(seen.label, QStringLiteral("宛名を選択して下さい"));
  EXPECT_EQ(seen.picked, QStringLiteral("前の宛名")) << "the field's text goes in";
  EXPECT_EQ(seen.header, QStringLiteral("宛　名"));
  EXPECT_TRUE(seen.selectButton);
  EXPECT_EQ(page_->atesaki_1->currentText(), QStringLiteral("山田商事"));
  EXPECT_EQ(item(slotmap::kAddressee), QStringLiteral("山田商事"));
  EXPECT_EQ(item(slotmap::kAddressee + slotmap::kStubOffset), QStringLiteral("山田商事"));
  EXPECT_EQ(focusAfterwards(), page_->atesaki_2);

  // From the keyboard: Space on the button, Enter on the entry.
  page_->atesaki2Pick->setFocus();
  drive([this] { QTest::keyClick(page_->atesaki2Pick, Qt::Key_Space); },
        [](Tforderreg& picker) {
          picker.StrColGrid1->SetCurrentCell(3, 2);
          QTest::keyClick(picker.StrColGrid1, Qt::Key_Return);
        });
  EXPECT_EQ(page_->atesaki_2->currentText(), QStringLiteral("経理部"));
  EXPECT_EQ(item(slotmap::kAddressee), QString()) << "two lines now";
  EXPECT_EQ(item(slotmap::kAddresseeLine1), QStringLiteral("山田商事"));
  EXPECT_EQ(item(slotmap::kAddresseeLine2), QStringLiteral("経理部"));
  EXPECT_EQ(item(slotmap::kStubAddresseeLine2), QStringLiteral("経理部"));
  EXPECT_EQ(focusAfterwards(), page_->topic1);

  // An empty entry empties the field: back to one line.
  drive(clickOn(page_->atesaki2Pick), pickCell(1, 20));
  EXPECT_EQ(page_->atesaki_2->currentText(), QString());
  EXPECT_EQ(item(slotmap::kAddresseeLine2), QString());
  EXPECT_EQ(item(slotmap::kAddressee), QStringLiteral("山田商事"));
}

TEST_F(MasterListTest, DescriptionsReachTheirItemsWithoutTouchingTheHistories) {
  writeList("topic1.dat", {{1, "品代として"}});
  writeList("topic2.dat", {{40, "一月分"}});
  Seen seen = drive(clickOn(page_->topic1Pick), pickCell(1, 1));
  EXPECT_EQ(seen.label, QStringLiteral("摘要1を選択して下さい"));
  EXPECT_EQ(seen.header, QStringLiteral("摘 要 1"));
  EXPECT_EQ(item(slotmap::kDescription1), QStringLiteral("品代として"));
  EXPECT_EQ(item(slotmap::kDescription1 + slotmap::kStubOffset), QStringLiteral("品代として"));
  EXPECT_EQ(focusAfterwards(), page_->topic2);

  seen = drive(clickOn(page_->topic2Pick), pickCell(3, 20));
  EXPECT_EQ(seen.header, QStringLiteral("摘 要 2"));
  EXPECT_EQ(page_->topic2->currentText(), QStringLiteral("一月分"));
  EXPECT_EQ(item(slotmap::kDescription2), QStringLiteral("一月分"));
  EXPECT_EQ(item(slotmap::kDescription2 + slotmap::kStubOffset), QStringLiteral("一月分"));
  EXPECT_EQ(focusAfterwards(), page_->Field_07);
  for (QComboBox* field : {page_->atesaki_1, page_->topic1, page_->topic2}) {
    EXPECT_EQ(field->count(), 0) << "a pick is no history entry";
  }
  EXPECT_FALSE(QFileInfo::exists(dir_.filePath(QStringLiteral("topic2.DAT"))));
}

TEST_F(MasterListTest, AStaffMemberChangesTheFieldOnly) {
  writeList("tanto.dat", {{3, "佐藤"}});
  const QList<QByteArray> before = form_->document().lines();
  page_->field07Pick->setFocus();
  const Seen seen = drive(clickOn(page_->field07Pick), pickCell(1, 3));
  EXPECT_EQ(seen.header, QStringLiteral("社内担当者"));
  EXPECT_EQ(page_->Field_07->currentText(), QStringLiteral("佐藤"));
  EXPECT_EQ(form_->document().lines(), before) << "nothing in the receipt";
  EXPECT_EQ(focusAfterwards(), page_->field07Pick) << "the focus stays";
}

TEST_F(MasterListTest, CancellingGivesTheTextBackUnlessAnEntryWasRegistered) {
  page_->topic1->setEditText(QStringLiteral("手入力"));
  drive(clickOn(page_->topic1Pick),
        [](Tforderreg& picker) { QTest::keyClick(&picker, Qt::Key_Escape); });
  EXPECT_EQ(page_->topic1->currentText(), QStringLiteral("手入力"));

  // A registration in selection use becomes the picked text, even when the
  // window is then cancelled.
  answer_ = QStringLiteral("新しい摘要");
  drive(clickOn(page_->topic1Pick), [](Tforderreg& picker) {
    doubleClick(picker, 1, 4, Qt::ShiftModifier);
    EXPECT_TRUE(picker.isVisible());
    picker.Button2->click();
  });
  EXPECT_EQ(prompts_, QStringList{QStringLiteral("摘要1入力")});
  EXPECT_EQ(page_->topic1->currentText(), QStringLiteral("新しい摘要"));
  EXPECT_EQ(item(slotmap::kDescription1), QStringLiteral("新しい摘要"));
  EXPECT_EQ(MasterList::fromFileContent([this] {
              QFile f(listFile("topic1.dat"));
              return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
            }())
                .entry(4)
                .text,
            sj("新しい摘要"));
}

TEST_F(MasterListTest, TheMenuRegistersIntoEachListWithoutTouchingTheFields) {
  const struct {
    QAction* item;
    const char* file;
    const char* label;
  } uses[] = {{form_->menu.registerAddressees, "atesaki.dat", "宛名登録"},
              {form_->menu.registerDescriptions1, "topic1.dat", "摘要1登録"},
              {form_->menu.registerDescriptions2, "topic2.dat", "摘要2登録"},
              {form_->menu.registerStaff, "tanto.dat", "社内担当者登録"}};
  page_->atesaki_1->setEditText(QStringLiteral("宛名のまま"));
  answer_ = QStringLiteral("登録した");
  for (const auto& use : uses) {
    SCOPED_TRACE(use.file);
    const Seen seen = drive([&] { use.item->trigger(); },
                            [](Tforderreg& picker) {
                              doubleClick(picker, 3, 7, Qt::ShiftModifier);
                              doubleClick(picker, 3, 7);  // a plain double-click closes it
                            });
    EXPECT_EQ(seen.label, QString::fromUtf8(use.label));
    EXPECT_FALSE(seen.selectButton) << "no 選択実行 when registering";
    EXPECT_EQ(QFileInfo(listFile(use.file)).size(), 103372);
  }
  EXPECT_EQ(page_->atesaki_1->currentText(), QStringLiteral("宛名のまま"));
  EXPECT_EQ(page_->Field_07->currentText(), QString());

  // Picking afterwards has its button again.
  const Seen seen = drive(clickOn(page_->field07Pick), [](Tforderreg& picker) {
    picker.StrColGrid1->SetCurrentCell(3, 7);
    picker.Button1->click();
  });
  EXPECT_TRUE(seen.selectButton);
  EXPECT_EQ(page_->Field_07->currentText(), QStringLiteral("登録した"));
}

TEST_F(MasterListTest, AListThatCannotBeReadIsSaidInABox) {
  ASSERT_TRUE(QDir().mkpath(listFile("topic2.dat")));
  page_->topic2->setEditText(QStringLiteral("そのまま"));
  drive(clickOn(page_->topic2Pick), [](Tforderreg& picker) {
    doubleClick(picker, 1, 1, Qt::ShiftModifier);
    picker.reject();
  });
  ASSERT_EQ(boxes_.texts.size(), 2);
  EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("topic2.dat")));
  EXPECT_TRUE(boxes_.texts[1].contains(QStringLiteral("登録できません")));
  EXPECT_TRUE(prompts_.isEmpty());
  EXPECT_EQ(page_->topic2->currentText(), QStringLiteral("そのまま"));
}

}  // namespace
}  // namespace kelvane
