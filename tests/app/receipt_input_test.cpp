// Typing a receipt on the page "領収書発行" from the keyboard: every commit
// reaches the receipt and the stub items, the focus follows the chain, and
// the histories remember what was entered; the amounts by rate fill the
// five figures and the revenue stamp follows the amount.

#include "app/receipt_input.h"
#include "app/pages/company_info_page.h"
#include "app/pages/environment_page.h"
#include "app/pages/receipt_issue_page.h"
#include "app/receipt_date.h"
#include "app/receipt_main_form.h"
#include "app/register_commands.h"
#include "app/register_viewer.h"
#include "layout/field_cursor.h"
#include "layout/layout_slots.h"
#include "receipt/input_history.h"
#include "settings/program_folder.h"
#include "support/box_answerer.h"
#include "support/pdf_pages.h"
#include "support/typing.h"
#include "text/cp932.h"
#include "text/layout_text.h"
#include "text/line_file.h"
#include "widgets/nval_edit.h"
#include "widgets/str_col_grid.h"

#include <gtest/gtest.h>

#include <functional>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

namespace kelvane {
namespace {

using testing::BoxAnswerer;

class ReceiptInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureWidgetApplication();
    SetProgramFolder(dir_.path());
  }
  void TearDown() override { SetProgramFolder({}); }

  std::unique_ptr<ReceiptMainForm> open() {
    auto form = std::make_unique<ReceiptMainForm>();
    form->show();
    form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    page_ = form->receiptPage;
    return form;
  }
  QString file(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }

  // The text of the item at `line`: what follows the record's tenth comma.
  static QString item(ReceiptMainForm& form, int line) {
    return FromLayoutText(CharRecordText(form.document().line(line)));
  }
  static void enter(const QString& text) {
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    testing::TypeAndEnter(text);
  }
  static QWidget* focused() { return QApplication::focusWidget(); }

  QTemporaryDir dir_;
  ReceiptIssuePage* page_ = nullptr;
  BoxAnswerer boxes_;
};

TEST_F(ReceiptInputTest, AWholeReceiptFromTheKeyboard) {
  auto form = open();
  form->environmentPage->CheckBox1->setChecked(true);
  form->environmentPage->CheckBox2->setChecked(true);
  page_->Edit2->setFocus();

  enter(QStringLiteral("No.00012"));
  EXPECT_EQ(item(*form, 239), QStringLiteral("No.00012"));
  EXPECT_EQ(item(*form, 251), QStringLiteral("No.00012"));
  EXPECT_EQ(focused(), page_->atesaki_1);
  enter(QStringLiteral("山田商事"));
  EXPECT_EQ(focused(), page_->atesaki_2);
  enter({});
  EXPECT_EQ(item(*form, 240), QStringLiteral("山田商事"));
  EXPECT_EQ(item(*form, 252), QStringLiteral("山田商事"));
  EXPECT_EQ(focused(), page_->topic1);
  enter(QStringLiteral("お品代として"));
  EXPECT_EQ(item(*form, 242), QStringLiteral("お品代として"));
  EXPECT_EQ(item(*form, 254), QStringLiteral("お品代として"));
  enter(QStringLiteral("12月分"));
  EXPECT_EQ(item(*form, 243), QStringLiteral("12月分"));
  EXPECT_EQ(item(*form, 255), QStringLiteral("12月分"));
  EXPECT_EQ(focused(), page_->Field_07);
  enter(QStringLiteral("佐藤"));
  EXPECT_EQ(focused(), page_->in_tax);
  enter(QStringLiteral("200"));
  EXPECT_EQ(focused(), page_->NValEditC9);

  enter(QStringLiteral("12000"));
  EXPECT_EQ(page_->NValEditC9->text(), QStringLiteral("12,000"));
  EXPECT_EQ(item(*form, 241), QStringLiteral("¥12,000-"));
  EXPECT_EQ(item(*form, 253), QStringLiteral("12,000"));
  EXPECT_EQ(focused(), page_->NValEditC10);
  enter(QStringLiteral("10910"));
  EXPECT_EQ(item(*form, 248), QStringLiteral("10,910"));
  EXPECT_EQ(item(*form, 260), QStringLiteral("10,910"));
  EXPECT_EQ(focused(), page_->NValEditC11);
  enter(QStringLiteral("12000"));
  EXPECT_EQ(item(*form, 244), QStringLiteral("12,000"));
  EXPECT_EQ(item(*form, 256), QStringLiteral("12,000"));
  EXPECT_EQ(focused(), page_->NValEditC13);
  enter(QStringLiteral("1090"));
  EXPECT_EQ(item(*form, 250), QStringLiteral("1,090"));
  EXPECT_EQ(item(*form, 262), QStringLiteral("1,090"));
  EXPECT_EQ(focused(), page_->NValEditC7);

  // The staff member and the stamp are recorded in the register only.
  for (int line = slotmap::kCompanyName1; line < slotmap::kLineCount; ++line) {
    EXPECT_NE(item(*form, line), QStringLiteral("佐藤")) << line;
    EXPECT_NE(item(*form, line), QStringLiteral("200")) << line;
  }
  EXPECT_TRUE(boxes_.texts.isEmpty()) << boxes_.texts.join('|').toStdString();
}

TEST_F(ReceiptInputTest, AmountMarksAndKanjiNumerals) {
  auto form = open();
  EnvironmentPage* env = form->environmentPage;
  const struct {
    bool kanji, yen, dash;
    const char* receipt;
  } rows[] = {{false, false, false, "12,000"},      {false, true, false, "¥12,000"},
              {false, true, true, "¥12,000-"},      {true, false, false, "壱萬弐千円"},
              {true, true, true, "金壱萬弐千円也"}, {true, false, true, "壱萬弐千円也"}};
  page_->NValEditC9->setValueUnits(12000 * 10000);
  for (const auto& row : rows) {
    env->CheckBox7->setChecked(row.kanji);
    env->CheckBox1->setChecked(row.yen);
    env->CheckBox2->setChecked(row.dash);
    page_->NValEditC9->setFocus();
    QTest::keyClick(page_->NValEditC9, Qt::Key_Return);
    EXPECT_EQ(item(*form, 241), QString::fromUtf8(row.receipt));
    EXPECT_EQ(item(*form, 253), QStringLiteral("12,000")) << "the stub shows the digits";
  }

  // Zero: nothing but the marks in digit mode once zero is hidden, 金円也 in kanji.
  page_->NValEditC9->setZeroDisplay(false);
  page_->NValEditC9->setValueUnits(0);
  env->CheckBox7->setChecked(false);
  env->CheckBox1->setChecked(true);
  env->CheckBox2->setChecked(true);
  QTest::keyClick(page_->NValEditC9, Qt::Key_Return);
  EXPECT_EQ(item(*form, 241), QStringLiteral("¥-"));
  env->CheckBox7->setChecked(true);
  QTest::keyClick(page_->NValEditC9, Qt::Key_Return);
  EXPECT_EQ(item(*form, 241), QStringLiteral("金円也"));

  // A negative amount has no kanji form: refused, both items kept.
  page_->NValEditC9->setValueUnits(-500 * 10000);
  page_->NValEditC9->setFocus();
  QTest::keyClick(page_->NValEditC9, Qt::Key_Return);
  ASSERT_EQ(boxes_.texts.size(), 1);
  EXPECT_TRUE(boxes_.texts.first().contains(QStringLiteral("マイナス")));
  EXPECT_EQ(item(*form, 241), QStringLiteral("金円也"));
  EXPECT_EQ(item(*form, 253), QString());
  EXPECT_EQ(form->focusWidget(), page_->NValEditC9) << "the amount is to be corrected";
}

// The kanji setting and the marks, changed by their boxes or "更　新",
// rewrite the amount already on the receipt at once; an amount never put
// in stays out, and one with no kanji form goes in as digits, said.
TEST_F(ReceiptInputTest, AmountSettingsApplyToTheReceiptOnScreen) {
  auto form = open();
  EnvironmentPage* env = form->environmentPage;
  env->CheckBox1->click();
  EXPECT_EQ(item(*form, 241), QString()) << "no amount put in yet";
  page_->NValEditC9->setValueUnits(12000 * 10000);
  page_->NValEditC9->setFocus();
  QTest::keyClick(page_->NValEditC9, Qt::Key_Return);
  ASSERT_EQ(item(*form, 241), QStringLiteral("¥12,000"));

  const struct {
    std::function<void()> change;
    const char* receipt;
  } steps[] = {
      {[env] { env->CheckBox7->click(); }, "金壱萬弐千円"},
      {[env] { env->CheckBox2->click(); }, "金壱萬弐千円也"},
      {[env] {
         env->CheckBox1->setChecked(false);
         env->updateButton->click();
       },
       "壱萬弐千円也"},
      {[env] { env->CheckBox7->click(); }, "12,000-"},
  };
  for (const auto& step : steps) {
    step.change();
    EXPECT_EQ(item(*form, 241), QString::fromUtf8(step.receipt));
    EXPECT_EQ(item(*form, 253), QStringLiteral("12,000"));
  }
  EXPECT_EQ(boxes_.texts, QStringList{QStringLiteral("環境設定を保存しました。")}) << "by 更　新";
  boxes_.texts.clear();

  page_->NValEditC9->setValueUnits(-500 * 10000);
  QTest::keyClick(page_->NValEditC9, Qt::Key_Return);
  env->CheckBox7->click();
  EXPECT_EQ(item(*form, 241), QStringLiteral("-500也")) << "digits, never the amount before";
  EXPECT_EQ(item(*form, 253), QStringLiteral("-500"));
  ASSERT_EQ(boxes_.texts.size(), 1);
  EXPECT_TRUE(boxes_.texts.first().contains(QStringLiteral("マイナス")));

  // Typed and left by a click: the same, said once, the focus where it was sent.
  boxes_.texts.clear();
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  page_->NValEditC9->setFocus();
  QTest::keyClick(page_->NValEditC9, Qt::Key_Delete);
  testing::Type(QStringLiteral("-70"));
  QTest::mouseClick(page_->Edit2, Qt::LeftButton);
  EXPECT_EQ(item(*form, 241), QStringLiteral("-70也"));
  EXPECT_EQ(item(*form, 253), QStringLiteral("-70"));
  EXPECT_EQ(boxes_.texts.size(), 1);
  EXPECT_EQ(form->focusWidget(), page_->Edit2);
}

TEST_F(ReceiptInputTest, AddresseeOnOneLineOrTwo) {
  auto form = open();
  page_->atesaki_1->setEditText(QStringLiteral("株式会社山田商事"));
  page_->atesaki_2->setEditText(QStringLiteral("経理部御中"));
  page_->atesaki_2->setFocus();
  QTest::keyClick(page_->atesaki_2, Qt::Key_Return);
  EXPECT_EQ(item(*form, 240), QString());
  EXPECT_EQ(item(*form, 252), QString());
  EXPECT_EQ(item(*form, 263), QStringLiteral("株式会社山田商事"));
  EXPECT_EQ(item(*form, 265), QStringLiteral("株式会社山田商事"));
  EXPECT_EQ(item(*form, 264), QStringLiteral("経理部御中"));
  EXPECT_EQ(item(*form, 266), QStringLiteral("経理部御中"));

  page_->atesaki_2->setEditText(QString());
  page_->atesaki_2->setFocus();
  QTest::keyClick(page_->atesaki_2, Qt::Key_Return);
  EXPECT_EQ(item(*form, 240), QStringLiteral("株式会社山田商事"));
  EXPECT_EQ(item(*form, 252), QStringLiteral("株式会社山田商事"));
  for (int line = 263; line <= 266; ++line) EXPECT_EQ(item(*form, line), QString()) << line;
}

TEST_F(ReceiptInputTest, HistoriesRememberEveryFieldAtOnce) {
  ASSERT_TRUE(WriteHistoryFile(file("atesaki_1.DAT"),
                               {QStringLiteral("山田商事"), QStringLiteral("abc商店")}));
  QStringList thirty;
  for (int i = 1; i <= 30; ++i) thirty << QStringLiteral("摘要%1").arg(i);
  ASSERT_TRUE(WriteHistoryFile(file("topic1.DAT"), thirty));
  {
    auto form = open();
    EXPECT_EQ(page_->atesaki_1->count(), 2);
    EXPECT_EQ(page_->atesaki_1->currentText(), QString()) << "a loaded list fills no field";
    page_->atesaki_1->setEditText(QStringLiteral("ABC商店"));
    page_->atesaki_2->setEditText(QStringLiteral("御中"));
    page_->topic1->setEditText(QStringLiteral("新しい摘要"));
    page_->topic2->setEditText(QStringLiteral("配送料"));
    page_->Field_07->setEditText(QStringLiteral("佐藤"));
    page_->topic2->setFocus();
    QTest::keyClick(page_->topic2, Qt::Key_Return);

    EXPECT_EQ(page_->atesaki_1->currentText(), QStringLiteral("abc商店"))
        << "the entry's case wins";
    EXPECT_EQ(page_->atesaki_1->itemText(0), QStringLiteral("abc商店"));
    EXPECT_EQ(page_->atesaki_1->count(), 2);
    EXPECT_EQ(page_->topic1->count(), 30);
    EXPECT_EQ(page_->topic1->itemText(0), QStringLiteral("新しい摘要"));
    EXPECT_EQ(page_->topic1->itemText(29), QStringLiteral("摘要29"));
    for (QComboBox* box : form->receiptInput->historyFields())
      EXPECT_EQ(box->count() > 0, true) << box->objectName().toStdString();

    // On disk at once, before the program ends.
    const auto staff = ReadHistoryFile(file("Field_07.DAT"));
    ASSERT_TRUE(staff);
    EXPECT_EQ(*staff, QStringList{QStringLiteral("佐藤")});
    const auto raw = readLineFile(file("atesaki_1.DAT"));
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->first(), ToLayoutText(QStringLiteral("abc商店")));

    // A description 2 chosen from its list goes to the receipt, not to the histories.
    page_->topic2->addItem(QStringLiteral("送料"));
    page_->topic2->setCurrentIndex(page_->topic2->count() - 1);
    emit page_->topic2->activated(page_->topic2->count() - 1);
    EXPECT_EQ(item(*form, 243), QStringLiteral("送料"));
    EXPECT_EQ(focused(), page_->Field_07);
    EXPECT_EQ(*ReadHistoryFile(file("topic2.DAT")), QStringList{QStringLiteral("配送料")});
    form->close();
  }
  auto form = open();
  EXPECT_EQ(page_->topic2->itemText(0), QStringLiteral("配送料"));
  EXPECT_EQ(page_->Field_07->count(), 1);
}

// A history file that cannot be written is said once, the other lists are
// still written, and the end of the program tries once more.
TEST_F(ReceiptInputTest, AHistoryThatCannotBeWrittenIsSaid) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("topic2.DAT")));
  {
    auto form = open();
    ASSERT_EQ(boxes_.texts.size(), 1) << "the unreadable file is said at start-up";
    EXPECT_TRUE(boxes_.texts.first().contains(QStringLiteral("topic2.DAT")));
    boxes_.texts.clear();
    for (const char* text : {"配送料", "送料"}) {
      page_->topic1->setEditText(QString::fromUtf8(text));
      page_->topic2->setEditText(QString::fromUtf8(text));
      page_->topic2->setFocus();
      QTest::keyClick(page_->topic2, Qt::Key_Return);
    }
    ASSERT_EQ(boxes_.texts.size(), 1) << boxes_.texts.join('|').toStdString();
    EXPECT_TRUE(boxes_.texts.first().contains(QStringLiteral("topic2.DAT")));
    EXPECT_EQ(*ReadHistoryFile(file("topic1.DAT")), (QStringList{"送料", "配送料"}));
    EXPECT_EQ(item(*form, 243), QStringLiteral("送料")) << "the receipt goes on";
    boxes_.texts.clear();
    form->close();
  }
  ASSERT_EQ(boxes_.texts.size(), 1);
  EXPECT_TRUE(boxes_.texts.first().contains(QStringLiteral("topic2.DAT")));
}

// Up and Down browse a closed list; only a choice from the open list, or
// Enter, commits.
TEST_F(ReceiptInputTest, BrowsingTheListCommitsNothing) {
  ASSERT_TRUE(WriteHistoryFile(file("topic1.DAT"), {QStringLiteral("一"), QStringLiteral("二")}));
  auto form = open();
  page_->topic1->setFocus();
  QTest::keyClick(page_->topic1, Qt::Key_Down);
  QTest::keyClick(page_->topic1, Qt::Key_Down);
  QCoreApplication::processEvents();
  EXPECT_FALSE(page_->topic1->currentText().isEmpty());
  EXPECT_EQ(focused(), page_->topic1);
  EXPECT_EQ(item(*form, 242), QString());
  emit page_->topic1->activated(0);
  EXPECT_EQ(item(*form, 242), page_->topic1->currentText());
  EXPECT_EQ(focused(), page_->topic2);
}

TEST_F(ReceiptInputTest, TaxRateSpinnerAndRemovingTheTax) {
  auto form = open();
  page_->NValEditC13->setValueUnits(1090 * 10000);
  page_->UpDown3->setValue(10);
  EXPECT_EQ(page_->NValEditC7->valueUnits(), 10 * 10000);
  EXPECT_EQ(item(*form, 249), QStringLiteral("10"));
  EXPECT_EQ(item(*form, 261), QStringLiteral("10"));

  // A typed rate reaches the receipt with Enter.
  page_->NValEditC7->setFocus();
  page_->NValEditC7->selectAll();
  QTest::keyClicks(page_->NValEditC7, QStringLiteral("8.5"));
  QTest::keyClick(page_->NValEditC7, Qt::Key_Return);
  EXPECT_EQ(item(*form, 249), QStringLiteral("8.5"));

  form->menu.removeTax->trigger();
  EXPECT_EQ(page_->UpDown3->value(), 0);
  EXPECT_EQ(page_->NValEditC7->valueUnits(), 0);
  EXPECT_EQ(item(*form, 249), QString());
  EXPECT_EQ(item(*form, 261), QString());
  EXPECT_EQ(page_->NValEditC13->valueUnits(), 1090 * 10000) << "the tax amount stays";
}

TEST_F(ReceiptInputTest, KanjiCheckCommand) {
  auto form = open();
  std::optional<QString> typed;
  form->dialogs.askText = [&typed](QWidget*, const QString&, const QString&, const QString&) {
    return typed;
  };
  const struct {
    const char* typed;
    const char* shown;
  } rows[] = {{"123456789", "壱億弐千参百四拾五萬六千七百八拾九円"},
              {"1000000000", "取り扱い可能な桁は10億円未満です"},
              {"abc", "円"},
              {"１２", "壱拾弐円"},
              {"１２０００", "取り扱い可能な桁は10億円未満です"},  // ten bytes
              {"-5", "マイナスの金額は漢数字にできません。"}};
  for (const auto& row : rows) {
    boxes_.texts.clear();
    typed = QString::fromUtf8(row.typed);
    form->menu.kanjiCheck->trigger();
    ASSERT_EQ(boxes_.texts.size(), 1) << row.typed;
    EXPECT_EQ(boxes_.texts.first(), QString::fromUtf8(row.shown)) << row.typed;
  }
  boxes_.texts.clear();
  typed.reset();
  form->menu.kanjiCheck->trigger();
  EXPECT_TRUE(boxes_.texts.isEmpty()) << "cancelled";
}

TEST_F(ReceiptInputTest, AMissingStampTableIsSaid) {
  auto form = open();
  for (QAction* a : {form->menu.taxTable, form->menu.showTaxTable}) {
    boxes_.texts.clear();
    a->trigger();
    ASSERT_EQ(boxes_.texts.size(), 1);
    EXPECT_TRUE(boxes_.texts.first().contains(QStringLiteral("tax_table.htm")));
  }
  boxes_.texts.clear();
  QTest::mouseClick(page_->taxTableButton, Qt::LeftButton);
  EXPECT_EQ(boxes_.texts.size(), 1);
}

// ---- amounts by rate and the stamp -------------------------------------

// Typed over what the field holds (Ctrl+A moves the focus on this page).
void enterInto(QWidget* field, const QString& text) {
  field->setFocus(Qt::TabFocusReason);
  if (auto* box = qobject_cast<QComboBox*>(field)) box->lineEdit()->selectAll();
  if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
  testing::TypeAndEnter(text);
}

// 領収金額, 税抜金額, 請求金額, 消費税額, 消費税率.
QStringList five(const ReceiptIssuePage* p) {
  return {p->NValEditC9->text(), p->NValEditC10->text(), p->NValEditC11->text(),
          p->NValEditC13->text(), p->NValEditC7->text()};
}

TEST_F(ReceiptInputTest, TenPercentWithTaxFillsTheFiveFiguresAndTheRegisterLine) {
  auto form = open();
  enterInto(page_->NValEditC9, QStringLiteral("12000"));
  enterInto(page_->amount10, QStringLiteral("0"));
  EXPECT_EQ(page_->NValEditC9->text(), QStringLiteral("12,000")) << "no amount by rate: as typed";

  enterInto(page_->amount10, QStringLiteral("11000"));
  EXPECT_EQ(five(page_), (QStringList{"11,000", "10,000", "11,000", "1,000", "10"}));
  EXPECT_EQ(QApplication::focusWidget(), page_->amount8);
  EXPECT_EQ(item(*form, slotmap::kBeforeTax), QStringLiteral("10,000"));
  EXPECT_EQ(item(*form, slotmap::kTaxAmount + slotmap::kStubOffset), QStringLiteral("1,000"));
  // The items by rate, the receipt's and the stub's.
  for (int offset : {0, slotmap::kStubRateOffset}) {
    EXPECT_EQ(item(*form, slotmap::kAmount10 + offset), QStringLiteral("11,000"));
    EXPECT_EQ(item(*form, slotmap::kTax10 + offset), QStringLiteral("1,000"));
    EXPECT_EQ(item(*form, slotmap::kAmount8 + offset), QStringLiteral("0"));
    EXPECT_EQ(item(*form, slotmap::kTax8 + offset), QStringLiteral("0"));
  }

  page_->Edit2->setText(QStringLiteral("Q-1"));
  form->receiptDate->setIssueDate(QDate(2026, 3, 15));
  QTest::mouseClick(page_->recordButton, Qt::LeftButton);
  const auto lines = readLineFile(form->currentRegisterPath());
  ASSERT_TRUE(lines);
  ASSERT_EQ(lines->size(), 1);
  EXPECT_EQ(lines->constFirst(), "Q-1,2026/3/15,11000,,,,10000,11000,1000,10,,,,11000,1000,0,0," +
                                     cp932::fromUtf8Literal("税込") + ",,");
}

TEST_F(ReceiptInputTest, TwoRatesWithoutTaxKeepTheBilledAmountTypedAndOutliveTheWindow) {
  {
    auto form = open();
    page_->taxBasis->setFocus();
    QTest::keyClick(page_->taxBasis, Qt::Key_Down);  // 税抜
    ASSERT_EQ(page_->taxBasis->currentText(), QStringLiteral("税抜"));
    enterInto(page_->amount10, QStringLiteral("5000"));
    EXPECT_EQ(five(page_), (QStringList{"5,500", "5,000", "5,500", "500", "10"}));
    enterInto(page_->NValEditC11, QStringLiteral("9000"));

    enterInto(page_->amount8, QStringLiteral("3000"));
    EXPECT_EQ(five(page_), (QStringList{"8,740", "8,000", "9,000", "740", "0"}));
    EXPECT_EQ(item(*form, slotmap::kTaxRate), QString()) << "two rates: no single rate";
    form->close();
  }
  const auto conf = readLineFile(file("kelvane.conf"));
  ASSERT_TRUE(conf);
  EXPECT_EQ(conf->size(), 25);
  EXPECT_EQ(conf->constLast(), "[TAX_BASIS]=" + cp932::fromUtf8Literal("税抜"));

  auto form = open();
  EXPECT_EQ(page_->taxBasis->currentText(), QStringLiteral("税抜"));
  EXPECT_EQ(page_->amount10->valueUnits(), 5000 * 10000);
  EXPECT_EQ(page_->amount8->valueUnits(), 3000 * 10000);
  EXPECT_EQ(five(page_), (QStringList{"8,740", "8,000", "9,000", "740", "0"}));
}

TEST_F(ReceiptInputTest, TheStampFollowsTheAmountUntilTheUserSetsOne) {
  auto form = open();
  enterInto(page_->NValEditC9, QStringLiteral("70000"));
  EXPECT_EQ(page_->in_tax->currentText(), QStringLiteral("200"));
  enterInto(page_->amount10, QStringLiteral("60000"));  // 54,546 without tax
  EXPECT_EQ(page_->in_tax->currentText(), QStringLiteral("200"));
  enterInto(page_->amount10, QStringLiteral("40000"));
  EXPECT_EQ(page_->in_tax->currentText(), QString());

  enterInto(page_->in_tax, QStringLiteral("400"));
  enterInto(page_->amount10, QStringLiteral("40000"));
  EXPECT_EQ(page_->in_tax->currentText(), QStringLiteral("400")) << "the user's stamp";

  // A total the fields cannot hold is refused, the figures left as they are.
  page_->taxBasis->setFocus();
  QTest::keyClick(page_->taxBasis, Qt::Key_Down);  // 税抜: 44,000
  boxes_.texts.clear();
  enterInto(page_->amount10, QStringLiteral("999999999"));
  EXPECT_EQ(boxes_.texts.size(), 1);
  EXPECT_EQ(page_->NValEditC9->text(), QStringLiteral("44,000"));
}

}  // namespace
}  // namespace kelvane

namespace kelvane {
namespace {

// The delivered qualified-invoice style with the shop's registration number:
// what "PDFに出力" writes carries the number and both rates.
TEST_F(ReceiptInputTest, TheQualifiedInvoiceStylePrintsTheNumberAndBothRates) {
  ASSERT_TRUE(QFile::copy(QStringLiteral(KELVANE_SOURCE_DATA "/style/qualified_invoice.rcd"),
                          file("cardtemp.dat")));
  auto form = open();
  form->dialogs.askText = [](QWidget*, const QString&, const QString&, const QString&) {
    return std::optional<QString>(QStringLiteral("T7000012050002"));
  };
  form->showPage(form->companyPage);
  QTest::mouseClick(form->companyPage->dataLabel(slotmap::kRegistrationNumber), Qt::LeftButton);
  form->showPage(form->receiptPage);
  enterInto(page_->atesaki_1, QStringLiteral("山田商店"));
  enterInto(page_->amount10, QStringLiteral("11000"));
  enterInto(page_->amount8, QStringLiteral("1080"));
  EXPECT_EQ(five(page_), (QStringList{"12,080", "11,000", "12,080", "1,080", "0"}));

  form->dialogs.printPdf = [this](QWidget*) { return file("invoice.pdf"); };
  form->menu.printToPdf->trigger();
  const QString text = testing::PdfText(file("invoice.pdf"));
  for (const char* shown :
       {"T7000012050002", "山田商店", "11,000", "1,000", "1,080", "80", "12,080", "軽減税率"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown << "\n" << text.toStdString();
}

}  // namespace
}  // namespace kelvane

#include "receipt/register_history.h"
#include "support/read_only_folder.h"

#include <QCryptographicHash>
#include <QTableWidget>

namespace kelvane {
namespace {

// "PDFに出力" keeps the page handed out beside the register, as printed;
// a copy that cannot be kept never stops printing and is said once.
TEST_F(ReceiptInputTest, EveryReceiptHandedOutIsKeptAsPrinted) {
  ASSERT_TRUE(QFile::copy(QStringLiteral(KELVANE_SOURCE_DATA "/style/qualified_invoice.rcd"),
                          file("cardtemp.dat")));
  auto form = open();
  page_->Edit2->setText(QStringLiteral("K-1"));
  form->receiptDate->setIssueDate(QDate(2026, 12, 8));
  enterInto(page_->amount10, QStringLiteral("11000"));
  form->dialogs.printPdf = [this](QWidget*) { return file("mail.pdf"); };
  form->menu.printToPdf->trigger();
  const QString copy = form->currentRegisterPath() + ".archive/2026/12/K-1_2026-12-08.pdf";
  ASSERT_TRUE(QFile::exists(copy)) << boxes_.texts.join('|').toStdString();
  const QImage kept = testing::RasterisePdf(copy, 60, file("kept"));
  const QImage mailed = testing::RasterisePdf(file("mail.pdf"), 60, file("mailed"));
  ASSERT_FALSE(kept.isNull());
  EXPECT_EQ(kept, mailed) << "the copy is the page handed out";
  const auto handed = [&] { return ReadHistory(form->currentRegisterPath()).value(); };
  ASSERT_EQ(handed().size(), 1);
  EXPECT_EQ(handed()[0].action, HistoryAction::HandedOut);
  EXPECT_TRUE(handed()[0].after.startsWith("K-1,2026/12/8,11000,"));
  EXPECT_EQ(handed()[0].copyPath, QStringLiteral("2026/12/K-1_2026-12-08.pdf"));
  {
    QFile f(copy);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(handed()[0].copySha256,
              QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex());
  }

  // The register list opens the copy of the receipt recorded.
  ASSERT_TRUE(RecordReceipt(*form, false));
  {
    Tfreglist list(form->currentRegisterPath());
    list.show();
    QString opened;
    list.dialogs.openCopy = [&opened](const QString& pdf) {
      opened = pdf;
      return QString();
    };
    list.StrColGrid1->SetCurrentCell(1, 1);
    list.openCopyAction->trigger();
    EXPECT_EQ(opened, copy);
    // Its history names the copy by its SHA-256.
    list.historyAction->trigger();
    auto* table = list.findChild<QTableWidget*>(QStringLiteral("historyTable"));
    ASSERT_TRUE(table);
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->item(0, 1)->text(), QStringLiteral("発行"));
    EXPECT_TRUE(table->item(0, 5)->text().contains(QString::fromLatin1(handed()[0].copySha256)));
  }

  testing::ReadOnlyFolder month(form->currentRegisterPath() + ".archive/2026/12");
  if (!month.active()) GTEST_SKIP() << "this machine cannot make a folder read-only";
  boxes_.texts.clear();
  for (const char* name : {"again.pdf", "third.pdf"}) {
    form->dialogs.printPdf = [this, name](QWidget*) { return file(name); };
    form->menu.printToPdf->trigger();
    EXPECT_TRUE(QFile::exists(file(name))) << "printing goes on";
  }
  ASSERT_EQ(boxes_.texts.size(), 1) << boxes_.texts.join('|').toStdString();
  EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("PDF控えを残せませんでした")));
  // Each print without a copy says so in the history.
  const QList<HistoryEntry> history = handed();
  ASSERT_EQ(history.size(), 4);
  for (const HistoryEntry& e : history.sliced(2)) {
    EXPECT_EQ(e.action, HistoryAction::HandedOut);
    EXPECT_TRUE(e.copySha256.isEmpty());
    EXPECT_FALSE(e.copyMissing.isEmpty());
  }
}

}  // namespace
}  // namespace kelvane
