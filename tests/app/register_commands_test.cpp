// Recording, replacing and deleting receipts in the register from the main
// window, automatic numbers, the numbering editors and the offer to record
// after printing.

#include "app/register_commands.h"
#include "app/month_calendar.h"
#include "app/pages/environment_page.h"
#include "app/pages/receipt_issue_page.h"
#include "app/print_command.h"
#include "app/receipt_date.h"
#include "app/receipt_main_form.h"
#include "app/title_strip.h"
#include "layout/field_cursor.h"
#include "layout/layout_slots.h"
#include "settings/program_folder.h"
#include "support/box_answerer.h"
#include "support/pdf_pages.h"
#include "support/read_only_folder.h"
#include "support/typing.h"
#include "text/cp932.h"
#include "text/layout_text.h"
#include "text/line_file.h"
#include "widgets/nval_edit.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

namespace kelvane {
namespace {

using testing::BoxAnswerer;

class RegisterCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureWidgetApplication();
    SetProgramFolder(dir_.path());
    form_ = std::make_unique<ReceiptMainForm>();
    form_->show();
    page_ = form_->receiptPage;
    env_ = form_->environmentPage;
    boxes_.texts.clear();  // what start-up said
  }
  void TearDown() override {
    form_.reset();
    SetProgramFolder({});
  }

  QString file(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
  QString reg() const { return form_->currentRegisterPath(); }
  QList<QByteArray> lines() const {
    auto read = readLineFile(reg());
    return read ? *read : QList<QByteArray>{};
  }
  void writeRegister(const QList<QByteArray>& content) {
    ASSERT_TRUE(writeLineFile(reg(), content));
  }
  // A receipt in the form: number, addressee, amount, dated `date`.
  void fill(const QString& number, const QString& addressee, qint64 yen,
            QDate date = QDate(2026, 12, 8)) {
    page_->Edit2->setText(number);
    page_->atesaki_1->setEditText(addressee);
    page_->NValEditC9->setValueUnits(yen * 10000);
    form_->receiptDate->setIssueDate(date);
  }
  static QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

  QTemporaryDir dir_;
  BoxAnswerer boxes_;
  std::unique_ptr<ReceiptMainForm> form_;
  ReceiptIssuePage* page_ = nullptr;
  EnvironmentPage* env_ = nullptr;
};

TEST_F(RegisterCommandsTest, AFirstRecordCreatesTheRegisterWithEveryField) {
  EXPECT_EQ(reg(), file("regidata.klv"));
  fill(QString(), QStringLiteral("山田商事, 本店"), 10800, QDate(2019, 5, 1));
  page_->topic1->setEditText(QStringLiteral("品代として"));
  page_->NValEditC10->setValueUnits(10000 * 10000);
  page_->NValEditC11->setValueUnits(10800 * 10000);
  page_->NValEditC13->setValueUnits(800 * 10000);
  page_->NValEditC7->setValueUnits(85000);
  page_->Field_07->setEditText(QStringLiteral("担当A"));
  page_->in_tax->setEditText(QStringLiteral("200"));
  page_->atesaki_2->setEditText(QStringLiteral("経理部"));
  form_->menu.recordReceipt->trigger();

  EXPECT_EQ(page_->Edit2->text(), QStringLiteral("1")) << "an empty number becomes 1";
  EXPECT_EQ(
      lines(),
      QList<QByteArray>{sj(
          "1,2019/5/1,10800,山田商事， 本店,品代として,,10000,10800,800,8.5,担当A,200,経理部,")});
  EXPECT_EQ(boxes_.texts, QStringList{QStringLiteral("領収書発行リスト登録しました")});
  EXPECT_EQ(page_->topic1->itemText(0), QStringLiteral("品代として")) << "histories follow";
}

// The form's fields as the register line holds them: amounts as plain
// decimals, texts without commas, tabs or characters cp932 lacks.
TEST_F(RegisterCommandsTest, FormValuesGiveTheRegisterLineByteForByte) {
  const struct {
    const char* addressee1;
    const char* addressee2;
    const char* description2;
    qint64 amount, rate;  // ten-thousandths
    QDate date;
    const char* line;
  } rows[] = {{"山田\t商事", "", "品代,送料😀", 12345678, 0, QDate(2019, 4, 30),
               "R0,2019/4/30,1234.5678,山田 商事,,品代，送料?,0,0,0,0,担当,200,,"},
              {"", "経理部", "", -5000000, 85000, QDate(1989, 1, 8),
               "R1,1989/1/8,-500,,,,0,0,0,8.5,担当,200,経理部,"}};
  int n = 0;
  for (const auto& row : rows) {
    page_->Edit2->setText(QStringLiteral("R%1").arg(n++));
    page_->atesaki_1->setEditText(QString::fromUtf8(row.addressee1));
    page_->atesaki_2->setEditText(QString::fromUtf8(row.addressee2));
    page_->topic2->setEditText(QString::fromUtf8(row.description2));
    page_->Field_07->setEditText(QStringLiteral("担当"));
    page_->in_tax->setEditText(QStringLiteral("200"));
    page_->NValEditC9->setValueUnits(row.amount);
    page_->NValEditC7->setValueUnits(row.rate);
    form_->receiptDate->setIssueDate(row.date);
    ASSERT_TRUE(RecordReceipt(*form_, false));
    EXPECT_EQ(lines().last(), sj(row.line));
  }
}

TEST_F(RegisterCommandsTest, TheEraYearInTheBoxGivesTheWesternYearBack) {
  form_->receiptDate->setIssueDate(QDate(2019, 4, 30));
  EXPECT_EQ(form_->titleStrip->Label17->text(), QStringLiteral("平成"));
  EXPECT_EQ(form_->titleStrip->YERBOX->text(), QStringLiteral("31"));
  page_->Edit2->setText(QStringLiteral("7"));
  ASSERT_TRUE(RecordReceipt(*form_, false));
  form_->receiptDate->setIssueDate(QDate(2019, 5, 1));
  EXPECT_EQ(form_->titleStrip->Label17->text(), QStringLiteral("令和"));
  EXPECT_EQ(form_->titleStrip->YERBOX->text(), QStringLiteral("1"));
  page_->Edit2->setText(QStringLiteral("8"));
  ASSERT_TRUE(RecordReceipt(*form_, false));
  EXPECT_TRUE(lines().at(0).startsWith("7,2019/4/30,"));
  EXPECT_TRUE(lines().at(1).startsWith("8,2019/5/1,"));

  // A year box that cannot be read records nothing.
  form_->titleStrip->YERBOX->setText(QStringLiteral("x"));
  EXPECT_FALSE(RecordReceipt(*form_, false));
  EXPECT_EQ(lines().size(), 2);
  EXPECT_FALSE(boxes_.texts.isEmpty());
}

// A click on the calendar dates the receipt; "日付をクリア－にする" empties
// the date on the paper only.
TEST_F(RegisterCommandsTest, TheCalendarDatesTheReceipt) {
  MonthCalendar* calendar = form_->receiptDate->calendar;
  calendar->DrawCalendar(QDate(2019, 5, 15));
  QLabel* first = nullptr;
  for (QLabel* cell : calendar->day)
    if (cell->property("dayNumber").toInt() == 1) first = cell;
  ASSERT_NE(first, nullptr);
  QTest::mouseClick(first, Qt::LeftButton);
  EXPECT_EQ(form_->titleStrip->Label17->text(), QStringLiteral("令和"));
  EXPECT_EQ(form_->titleStrip->YERBOX->text(), QStringLiteral("1"));
  EXPECT_EQ(form_->titleStrip->MTHBOX->text(), QStringLiteral("5"));
  EXPECT_EQ(form_->titleStrip->DAYBOX->text(), QStringLiteral("1"));
  auto item = [this](int line) { return CharRecordText(form_->document().line(line)); };
  for (int line : {slotmap::kEraYear, slotmap::kEraYear + slotmap::kStubOffset})
    EXPECT_EQ(item(line), "1") << line;
  EXPECT_EQ(item(slotmap::kDay + slotmap::kStubOffset), "1");

  form_->menu.clearDate->trigger();
  for (int line : {slotmap::kEraYear, slotmap::kMonth, slotmap::kDay}) {
    EXPECT_EQ(item(line), "") << line;
    EXPECT_EQ(item(line + slotmap::kStubOffset), "") << line;
  }
  EXPECT_EQ(form_->titleStrip->DAYBOX->text(), QStringLiteral("1")) << "the boxes stay";
  page_->Edit2->setText(QStringLiteral("5"));
  ASSERT_TRUE(RecordReceipt(*form_, false));
  EXPECT_TRUE(lines().first().startsWith("5,2019/5/1,"));
}

TEST_F(RegisterCommandsTest, ReplacingAskedAndAnswered) {
  writeRegister(
      {"A1,2026/1/1,1,,,,,,,,,,,", "A2,2026/1/2,2,,,,,,,,,,,", "A3,2026/1/3,3,,,,,,,,,,,"});
  fill(QStringLiteral("A2"), QStringLiteral("新"), 500);
  boxes_.answerWith = QStringLiteral("キャンセル");
  EXPECT_FALSE(RecordReceipt(*form_, true));
  ASSERT_EQ(boxes_.texts.size(), 1);
  // A line this window did not record or open may be another copy's
  // receipt: the question names it.
  EXPECT_EQ(boxes_.texts.first(), QStringLiteral("A2は既に存在します。更新していいですか?\n\n"
                                                 "置き換わる記録:\n"
                                                 "番号 A2　日付 2026/1/2　金額 2　宛名 "));
  EXPECT_EQ(lines().size(), 3);
  EXPECT_EQ(page_->atesaki_1->count(), 0) << "declining leaves the histories too";

  boxes_.answerWith.clear();
  EXPECT_TRUE(RecordReceipt(*form_, true));
  ASSERT_EQ(lines().size(), 3);
  EXPECT_EQ(lines().at(1), "A3,2026/1/3,3,,,,,,,,,,,");
  EXPECT_TRUE(lines().at(2).startsWith(sj("A2,2026/12/8,500,新,")));
  QFile copy(file("tempfile.dat"));
  ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
  EXPECT_TRUE(copy.readAll().contains("A2,2026/1/2,2,")) << "the register as it stood";

  // Its own line is asked about plainly.
  boxes_.texts.clear();
  EXPECT_TRUE(RecordReceipt(*form_, false));
  EXPECT_EQ(boxes_.texts, QStringList{QStringLiteral("A2は既に存在します。更新していいですか?")});
}

TEST_F(RegisterCommandsTest, AnEmptyNumberBecomesTheCountPlusOne) {
  writeRegister({"1,a,", "2,b,", "3,c,", "4,d,", "5,e,"});
  fill(QString(), QStringLiteral("x"), 1);
  EXPECT_TRUE(RecordReceipt(*form_, false));
  EXPECT_TRUE(boxes_.texts.isEmpty()) << "no question, no announcement";
  EXPECT_EQ(page_->Edit2->text(), QStringLiteral("6"));
  ASSERT_EQ(lines().size(), 6);
  EXPECT_TRUE(lines().last().startsWith("6,"));
}

TEST_F(RegisterCommandsTest, AutomaticNumbersAndTheLastNumber) {
  env_->CheckBox4->setChecked(true);
  // The values of a first run: header 1, one digit, last 1.
  form_->menu.newReceipt->trigger();
  EXPECT_EQ(page_->Edit2->text(), QStringLiteral("12"));

  env_->d1->setText(QStringLiteral("A"));
  env_->d2->setText(QStringLiteral("3"));
  fill(QStringLiteral("A1000"), QStringLiteral("x"), 1);
  EXPECT_TRUE(RecordReceipt(*form_, false));
  EXPECT_EQ(boxes_.texts,
            QStringList{QStringLiteral("最終番号が桁数を超えました\n桁数を調整してください。")});
  EXPECT_EQ(env_->last_number->text(), QStringLiteral("1000"));
  EXPECT_EQ(lines().size(), 1) << "the line stays written";
  StartNewReceipt(*form_);
  EXPECT_EQ(page_->Edit2->text(), QStringLiteral("A1001"));

  // The last number never goes down.
  fill(QStringLiteral("A005"), QStringLiteral("x"), 1);
  EXPECT_TRUE(RecordReceipt(*form_, false));
  EXPECT_EQ(env_->last_number->text(), QStringLiteral("1000"));

  // After recording, a new receipt when asked for.
  env_->CheckBox5->setChecked(true);
  fill(QStringLiteral("A1001"), QStringLiteral("x"), 1);
  EXPECT_TRUE(RecordReceipt(*form_, false));
  EXPECT_EQ(page_->Edit2->text(), QStringLiteral("A1002"));
  EXPECT_EQ(page_->atesaki_1->currentText(), QString());
  EXPECT_EQ(form_->modePanel->text(), QStringLiteral("新規"));
}

TEST_F(RegisterCommandsTest, ANewReceiptClearsTheFormButKeepsTheRate) {
  env_->CheckBox3->setChecked(true);
  fill(QStringLiteral("9"), QStringLiteral("山田"), 100);
  page_->UpDown3->setValue(10);
  form_->receiptDate->setIssueDate(QDate(2019, 4, 30));
  form_->menu.newReceipt->trigger();
  EXPECT_EQ(page_->atesaki_1->currentText(), QString());
  EXPECT_EQ(page_->NValEditC9->valueUnits(), 0);
  EXPECT_EQ(page_->NValEditC7->valueUnits(), 10 * 10000);
  auto item = [this](int line) { return CharRecordText(form_->document().line(line)); };
  EXPECT_EQ(item(slotmap::kAddressee), "");
  EXPECT_EQ(item(slotmap::kTaxRate), "10");
  EXPECT_EQ(item(slotmap::kTaxRate + slotmap::kStubOffset), "10");
  const QDate today = QDate::currentDate();
  EXPECT_EQ(item(slotmap::kMonth), QByteArray::number(today.month())) << "today's date";
  EXPECT_EQ(item(slotmap::kNumber), "");
}

TEST_F(RegisterCommandsTest, DeletingTheShownReceipt) {
  writeRegister({"1,a,", "2,b,", "2,c,", "3,d,"});
  fill(QStringLiteral("2"), QStringLiteral("x"), 5);
  boxes_.answerWith = QStringLiteral("キャンセル");
  form_->menu.deleteShown->trigger();  // Ctrl+Delete
  EXPECT_EQ(lines().size(), 4);
  EXPECT_EQ(page_->Edit2->text(), QStringLiteral("2"));

  boxes_.answerWith.clear();
  boxes_.texts.clear();
  QTest::mouseClick(page_->deleteButton, Qt::LeftButton);
  EXPECT_EQ(boxes_.texts, (QStringList{"削除していいですか?", "削除しました"}));
  EXPECT_EQ(lines(), (QList<QByteArray>{"1,a,", "3,d,"}));
  EXPECT_EQ(page_->Edit2->text(), QString());
  EXPECT_EQ(page_->atesaki_1->currentText(), QString());

  // An absent number, and no register at all: asked, said, nothing lost.
  fill(QStringLiteral("9"), QString(), 0);
  DeleteShownReceipt(*form_);
  EXPECT_EQ(lines(), (QList<QByteArray>{"1,a,", "3,d,"}));
  QFile::remove(reg());
  boxes_.texts.clear();
  DeleteShownReceipt(*form_);
  EXPECT_EQ(boxes_.texts.size(), 2);
  EXPECT_FALSE(QFile::exists(reg()));
}

TEST_F(RegisterCommandsTest, AReplacementThatCannotBeWrittenLeavesTheRegisterWhole) {
  const QString folder = file("shared");
  ASSERT_TRUE(QDir().mkpath(folder));
  form_->setCurrentRegisterPath(folder + QStringLiteral("/regidata.klv"));
  writeRegister({"1,a,", "2,b,"});
  const QList<QByteArray> before = lines();
  fill(QStringLiteral("1"), QStringLiteral("x"), 1);
  {
    testing::ReadOnlyFolder readOnly(folder);
    if (!readOnly.active()) GTEST_SKIP() << "this machine cannot make a folder read-only";
    EXPECT_FALSE(RecordReceipt(*form_, true));
  }
  EXPECT_EQ(lines(), before);
  ASSERT_EQ(boxes_.texts.size(), 2) << boxes_.texts.join('|').toStdString();
  EXPECT_TRUE(boxes_.texts.last().contains(QStringLiteral("前の内容のまま")));
}

TEST_F(RegisterCommandsTest, NumberingAndRegisterEditors) {
  std::optional<QString> typed;
  QString initial;
  form_->dialogs.askText = [&](QWidget*, const QString&, const QString&, const QString& start) {
    initial = start;
    return typed;
  };
  typed = QStringLiteral("No.");
  QTest::mouseClick(env_->d1, Qt::LeftButton);
  EXPECT_EQ(initial, QStringLiteral("1"));
  EXPECT_EQ(env_->d1->text(), QStringLiteral("No."));
  typed = QStringLiteral("abc");
  QTest::mouseClick(env_->d2, Qt::LeftButton);
  EXPECT_EQ(env_->d2->text(), QStringLiteral("0"));
  typed = QStringLiteral("0042");
  QTest::mouseClick(env_->last_number, Qt::LeftButton);
  EXPECT_EQ(env_->last_number->text(), QStringLiteral("42"));
  typed.reset();
  QTest::mouseClick(env_->last_number, Qt::LeftButton);
  EXPECT_EQ(env_->last_number->text(), QStringLiteral("42")) << "cancelled";

  // The field holds the path for the next run; the register in use stays.
  const QString inUse = reg();
  typed = file("next.klv");
  QTest::mouseClick(env_->StaticText1, Qt::LeftButton);
  EXPECT_EQ(env_->StaticText1->text(), file("next.klv"));
  EXPECT_EQ(reg(), inUse);

  // "選択" changes both, and the layout's line 4 at once.
  form_->dialogs.openRegister = [this](QWidget*) { return file("chosen.klv"); };
  QTest::mouseClick(env_->selectRegisterButton, Qt::LeftButton);
  EXPECT_EQ(reg(), file("chosen.klv"));
  EXPECT_EQ(env_->StaticText1->text(), file("chosen.klv"));
  EXPECT_EQ(form_->document().line(slotmap::kRegisterPathLine), ToLayoutText(file("chosen.klv")));
}

TEST_F(RegisterCommandsTest, PrintingOffersToRecord) {
  fill(QStringLiteral("P1"), QStringLiteral("x"), 1);
  form_->dialogs.printPdf = [this](QWidget*) { return file("receipt.pdf"); };
  ASSERT_TRUE(PrintReceiptToPdf(*form_));
  EXPECT_TRUE(boxes_.texts.isEmpty()) << "not asked without the box";
  EXPECT_FALSE(QFile::exists(reg()));

  env_->CheckBox6->setChecked(true);
  ASSERT_TRUE(PrintReceiptToPdf(*form_));
  EXPECT_EQ(boxes_.texts, QStringList{QStringLiteral("領収書リストに保存しますか？")});
  ASSERT_EQ(lines().size(), 1);
  EXPECT_TRUE(lines().first().startsWith("P1,"));
}

// Text typed without Enter is on the paper and in the register alike: a
// field left by a click commits it, and printing, the PDF export, the offer
// to record and recording commit a field still being typed in.
TEST_F(RegisterCommandsTest, TextTypedWithoutEnterIsWhatPrintsAndIsRecorded) {
  form_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  // Places on the paper for the second addressee and the first description.
  form_->document().setLine(slotmap::kAddresseeLine2, "char,0,20,20,,12,,0,0,0,");
  form_->document().setLine(slotmap::kDescription1, "char,0,20,40,,12,,0,0,0,");
  auto item = [this](int line) {
    return FromLayoutText(CharRecordText(form_->document().line(line)));
  };
  form_->dialogs.printPdf = [this](QWidget*) { return file("receipt.pdf"); };
  page_->Edit2->setText(QStringLiteral("T1"));
  form_->receiptDate->setIssueDate(QDate(2026, 12, 8));

  page_->atesaki_2->setFocus();
  testing::Type(QStringLiteral("経理部"));
  QTest::mouseClick(page_->Edit2, Qt::LeftButton);
  ASSERT_EQ(QApplication::focusWidget(), page_->Edit2);
  EXPECT_EQ(item(slotmap::kAddresseeLine2), QStringLiteral("経理部")) << "committed on leaving";
  EXPECT_EQ(item(slotmap::kStubAddresseeLine2), QStringLiteral("経理部"));
  ASSERT_TRUE(PrintReceiptToPdf(*form_));
  EXPECT_TRUE(testing::PdfText(file("receipt.pdf")).contains(QStringLiteral("経理部")));

  // Still in the field when printing, then recorded from the offer.
  env_->CheckBox6->setChecked(true);
  page_->topic1->setFocus();
  testing::Type(QStringLiteral("品代"));
  form_->menu.printToPdf->trigger();
  EXPECT_EQ(form_->focusWidget(), page_->topic1) << "the focus stays";
  EXPECT_TRUE(testing::PdfText(file("receipt.pdf")).contains(QStringLiteral("品代")));
  ASSERT_EQ(lines().size(), 1);
  EXPECT_TRUE(lines().first().startsWith(sj("T1,2026/12/8,0,,品代,,"))) << lines().first().data();

  // An amount still being typed goes into the receipt and the stub when
  // recording (F5) asks to replace the line.
  form_->activateWindow();  // back from the offer's box
  ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  page_->NValEditC9->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), page_->NValEditC9)
      << "leaving a description that is in its list does not move on to the next field";
  testing::Type(QStringLiteral("1500"));
  form_->menu.recordReceipt->trigger();
  EXPECT_EQ(item(slotmap::kAmount), QStringLiteral("1,500"));
  EXPECT_EQ(item(slotmap::kStubAmount), QStringLiteral("1,500"));
  ASSERT_EQ(lines().size(), 1);
  EXPECT_TRUE(lines().first().startsWith(sj("T1,2026/12/8,1500,,品代,,")))
      << lines().first().data();
}

// A new receipt dated automatically shows the date in the boxes too, so the
// register records the date printed.
TEST_F(RegisterCommandsTest, AnAutomaticDateIsTheDateRecorded) {
  form_->receiptDate->setIssueDate(QDate(2020, 1, 15));
  env_->CheckBox3->setChecked(true);
  StartNewReceipt(*form_);
  const QDate today = QDate::currentDate();
  EXPECT_EQ(form_->titleStrip->MTHBOX->text(), QString::number(today.month()));
  EXPECT_EQ(form_->titleStrip->DAYBOX->text(), QString::number(today.day()));
  EXPECT_EQ(CharRecordText(form_->document().line(slotmap::kDay)), QByteArray::number(today.day()));
  page_->Edit2->setText(QStringLiteral("D1"));
  ASSERT_TRUE(RecordReceipt(*form_, false));
  ASSERT_EQ(lines().size(), 1);
  EXPECT_TRUE(lines().first().startsWith(
      "D1," + today.toString(QStringLiteral("yyyy/M/d")).toLatin1() + ","))
      << lines().first().data();
}

// ---- receipts that were said to be recorded are never lost ---------------

// Automatic numbering with the header A and four digits, from `last`.
void numberFrom(EnvironmentPage* env, int last) {
  env->CheckBox4->setChecked(true);
  env->d1->setText(QStringLiteral("A"));
  env->d2->setText(QStringLiteral("4"));
  env->last_number->setText(QString::number(last));
}

// Two windows on one register propose the same automatic number: the
// second copy's question names the first copy's receipt, and its default
// button, Enter or the close control keep that receipt.
TEST_F(RegisterCommandsTest, TwoCopiesWithOneNumberNeverReplaceEachOther) {
  ReceiptMainForm other;
  other.show();
  for (ReceiptMainForm* f : {form_.get(), &other}) {
    numberFrom(f->environmentPage, 0);
    StartNewReceipt(*f);
    EXPECT_EQ(f->receiptPage->Edit2->text(), QStringLiteral("A0001"));
  }
  page_->atesaki_1->setEditText(QStringLiteral("最初の客"));
  ASSERT_TRUE(RecordReceipt(*form_, false));
  const QList<QByteArray> first = lines();
  other.receiptPage->atesaki_1->setEditText(QStringLiteral("次の客"));
  for (const auto answer : {BoxAnswerer::Answer::Enter, BoxAnswerer::Answer::Close}) {
    boxes_.texts.clear();
    boxes_.answer = answer;
    EXPECT_FALSE(RecordReceipt(other, true));
    ASSERT_EQ(boxes_.texts.size(), 1);
    EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("番号 A0001　日付 2026/12/8")) ||
                boxes_.texts[0].contains(QStringLiteral("宛名 最初の客")))
        << boxes_.texts[0].toStdString();
    EXPECT_EQ(lines(), first) << "the first copy's receipt stays";
  }
  // The next number is above every number the register holds.
  boxes_.answer = BoxAnswerer::Answer::Button;
  StartNewReceipt(other);
  EXPECT_EQ(other.receiptPage->Edit2->text(), QStringLiteral("A0002"));
}

// The close control on a question that deletes or replaces cancels it.
TEST_F(RegisterCommandsTest, AClosedQuestionNeitherDeletesNorReplaces) {
  fill(QStringLiteral("7"), QStringLiteral("x"), 5);
  ASSERT_TRUE(RecordReceipt(*form_, false));
  const QList<QByteArray> before = lines();
  boxes_.answer = BoxAnswerer::Answer::Close;
  EXPECT_FALSE(RecordReceipt(*form_, false));
  DeleteShownReceipt(*form_);
  // A stray Enter does not delete a recorded receipt either.
  boxes_.answer = BoxAnswerer::Answer::Enter;
  DeleteShownReceipt(*form_);
  EXPECT_EQ(lines(), before);
  EXPECT_EQ(boxes_.texts.size(), 3) << boxes_.texts.join('|').toStdString();
  EXPECT_EQ(page_->Edit2->text(), QStringLiteral("7")) << "the form stays";
}

// A last number set back, or lost, never proposes a number the register holds.
TEST_F(RegisterCommandsTest, TheNextNumberIsAboveTheRegistersLargest) {
  writeRegister({"A0005,2026/1/1,1,,,,,,,,,,,", "A0003,2026/1/1,1,,,,,,,,,,,", "B0100,x,"});
  numberFrom(env_, 2);
  StartNewReceipt(*form_);
  EXPECT_EQ(page_->Edit2->text(), QStringLiteral("A0006"));
  EXPECT_EQ(env_->last_number->text(), QStringLiteral("2")) << "changed only by recording";
}

// The register on a stick that is pulled out between two recordings.
TEST_F(RegisterCommandsTest, AVanishedRegisterIsNotMadeAnew) {
  const QString stick = file("stick");
  ASSERT_TRUE(QDir().mkpath(stick));
  form_->setRegisterPathText(stick + QStringLiteral("/regidata.klv"));
  fill(QStringLiteral("1"), QStringLiteral("x"), 1);
  ASSERT_TRUE(RecordReceipt(*form_, false));
  ASSERT_TRUE(QDir(stick).removeRecursively());
  ASSERT_TRUE(QDir().mkpath(stick));  // the empty mount point
  fill(QStringLiteral("2"), QStringLiteral("x"), 1);
  EXPECT_FALSE(RecordReceipt(*form_, true));
  ASSERT_EQ(boxes_.texts.size(), 1);
  EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("見つかりません")));
  EXPECT_TRUE(boxes_.texts[0].contains(stick));
  EXPECT_TRUE(QDir(stick).isEmpty()) << "nothing recorded, no lock file left";
  boxes_.texts.clear();
  DeleteShownReceipt(*form_);
  ASSERT_EQ(boxes_.texts.size(), 2) << "asked, then told it is not there";
  EXPECT_TRUE(boxes_.texts[1].contains(QStringLiteral("見つかりません")));
}

// A register named in the settings that is not there is said at start; the
// default register is used, and the settings keep the user's path.
TEST_F(RegisterCommandsTest, AMissingRegisterAtStartIsSaidAndItsPathKept) {
  const QByteArray gone = QFile::encodeName(file("stick/regidata.klv"));
  ASSERT_TRUE(writeLineFile(file("kelvane.conf"), {"[DATA_NAME]=" + gone}));
  boxes_.texts.clear();
  auto next = std::make_unique<ReceiptMainForm>();
  next->show();
  ASSERT_EQ(boxes_.texts.size(), 1);
  EXPECT_TRUE(boxes_.texts[0].contains(file("stick/regidata.klv")));
  EXPECT_EQ(next->currentRegisterPath(), file("regidata.klv"));
  ASSERT_TRUE(next->close());
  const auto conf = readLineFile(file("kelvane.conf"));
  ASSERT_TRUE(conf);
  EXPECT_TRUE(conf->contains("[DATA_NAME]=" + gone));
}

// A copy records and dies without its close: the settings already hold the
// last number, and the next start proposes the number after it.
TEST_F(RegisterCommandsTest, TheLastNumberOutlivesACrash) {
  if (!qEnvironmentVariableIsEmpty("KELVANE_CRASH_FOLDER")) GTEST_SKIP();
  ASSERT_TRUE(writeLineFile(file("kelvane.conf"), {"[AUTO_NUMBER]=true", "[HEADER_CHAR]=A",
                                                   "[HEADER_NUMBER]=4", "[LAST_NUMBER]=0"}));
  QProcess copy;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("KELVANE_CRASH_FOLDER"), dir_.path());
  copy.setProcessEnvironment(env);
  copy.start(QCoreApplication::applicationFilePath(),
             {QStringLiteral("--gtest_filter=RegisterCrash.RecordAndDie")});
  ASSERT_TRUE(copy.waitForFinished(60000));
  ASSERT_EQ(copy.exitCode(), 0) << copy.readAll().toStdString();
  ASSERT_EQ(lines().size(), 1);
  EXPECT_TRUE(lines()[0].startsWith("A0001,"));
  const auto conf = readLineFile(file("kelvane.conf"));
  ASSERT_TRUE(conf);
  EXPECT_TRUE(conf->contains("[LAST_NUMBER]=1"));
  EXPECT_TRUE(conf->contains("[AUTO_NUMBER]=true")) << "the other lines stay";

  auto next = std::make_unique<ReceiptMainForm>();
  next->show();
  EXPECT_EQ(next->receiptPage->Edit2->text(), QStringLiteral("A0002"));
}

// The copy that records and ends without closing its window.
TEST(RegisterCrash, RecordAndDie) {
  const QString folder = qEnvironmentVariable("KELVANE_CRASH_FOLDER");
  if (folder.isEmpty()) GTEST_SKIP() << "run by TheLastNumberOutlivesACrash";
  testing::EnsureWidgetApplication();
  BoxAnswerer boxes;
  SetProgramFolder(folder);
  auto* form = new ReceiptMainForm;  // never closed, never destroyed
  form->show();
  if (form->receiptPage->Edit2->text() != QStringLiteral("A0001")) std::_Exit(3);
  form->receiptPage->atesaki_1->setEditText(QStringLiteral("x"));
  std::_Exit(RecordReceipt(*form, false) ? 0 : 4);
}

}  // namespace
}  // namespace kelvane

#include "receipt/register_lock.h"

#include <QDateTime>

namespace kelvane {
namespace {

// A register on a shared folder whose lock another PC left behind long ago:
// F5 names the PC and breaks the lock only when the user says so; Enter
// keeps it.
TEST_F(RegisterCommandsTest, AnAbandonedLockOfAnotherPcIsBrokenOnlyWhenAsked) {
  writeRegister({"1,2026/12/1,500,,,,,,,,,,,"});
  {
    QFile lock(RegisterLockPath(reg()));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write("4242\nkelvane\nRECEPTION-PC\n");
    ASSERT_TRUE(lock.flush());
    ASSERT_TRUE(lock.setFileTime(QDateTime::currentDateTime().addSecs(-20 * 60),
                                 QFileDevice::FileModificationTime));
  }
  fill(QStringLiteral("2"), QStringLiteral("山田様"), 3000);
  boxes_.answer = BoxAnswerer::Answer::Enter;
  EXPECT_FALSE(RecordReceipt(*form_, false));
  ASSERT_GE(boxes_.texts.size(), 1);
  EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("パソコン「RECEPTION-PC」")) &&
              boxes_.texts[0].contains(QStringLiteral("20分前")))
      << boxes_.texts[0].toStdString();
  EXPECT_EQ(lines().size(), 1);
  EXPECT_TRUE(QFile::exists(RegisterLockPath(reg())));

  boxes_.texts.clear();
  boxes_.answer = BoxAnswerer::Answer::Button;
  boxes_.answerWith = QStringLiteral("印を消して続ける");
  EXPECT_TRUE(RecordReceipt(*form_, false));
  EXPECT_EQ(lines().size(), 2);
  EXPECT_FALSE(QFile::exists(RegisterLockPath(reg())));
}

}  // namespace
}  // namespace kelvane
