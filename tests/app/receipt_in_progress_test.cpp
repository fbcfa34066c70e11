// The receipt in progress outlives the window: End while typing, then a new
// start shows it again with the tax rate last used; and a receipt printed
// but never recorded is offered for recording before it is left.

#include "app/pages/environment_page.h"
#include "app/pages/receipt_issue_page.h"
#include "app/print_command.h"
#include "app/receipt_date.h"
#include "app/receipt_main_form.h"
#include "app/register_viewer.h"
#include "app/title_strip.h"
#include "app/top_bar.h"
#include "layout/layout_slots.h"
#include "settings/program_folder.h"
#include "support/box_answerer.h"
#include "support/typing.h"
#include "support/widget_app.h"
#include "text/cp932.h"
#include "text/line_file.h"
#include "widgets/nval_edit.h"
#include "widgets/str_col_grid.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace kelvane {
namespace {

using testing::BoxAnswerer;

const QString kPrintedQuestion =
    QStringLiteral("印刷した領収書が発行リストに保存されていません。保存しますか？");

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

class ReceiptInProgressTest : public ::testing::Test {
 public:
  void SetUp() override {
    testing::EnsureWidgetApplication();
    SetProgramFolder(dir_.path());
  }
  void TearDown() override { SetProgramFolder({}); }

  std::unique_ptr<ReceiptMainForm> open() {
    auto form = std::make_unique<ReceiptMainForm>();
    form->dialogs.printPdf = [this](QWidget*) { return file("receipt.pdf"); };
    form->show();
    return form;
  }
  QString file(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
  QList<QByteArray> registerLines(ReceiptMainForm& form) const {
    auto read = readLineFile(form.currentRegisterPath());
    return read ? *read : QList<QByteArray>{};
  }
  static void typeInto(QWidget* field, const QString& text, bool enter) {
    field->setFocus();
    if (enter) {
      testing::TypeAndEnter(text);
    } else {
      testing::Type(text);
    }
  }
  static void expectEmpty(ReceiptMainForm& form) {
    ReceiptIssuePage* p = form.receiptPage;
    EXPECT_EQ(p->Edit2->text(), QString());
    for (QComboBox* box :
         {p->atesaki_1, p->atesaki_2, p->topic1, p->topic2, p->Field_07, p->in_tax})
      EXPECT_EQ(box->currentText(), QString()) << box->objectName().toStdString();
    EXPECT_EQ(p->NValEditC9->valueUnits(), 0);
    EXPECT_FALSE(form.document().line(slotmap::kStubAmount).endsWith("0"));
  }

  QTemporaryDir dir_;
  BoxAnswerer boxes_;
};

TEST_F(ReceiptInProgressTest, EndWhileTypingKeepsTheReceiptForTheNextStart) {
  {
    auto form = open();
    ReceiptIssuePage* p = form->receiptPage;
    expectEmpty(*form);
    EXPECT_EQ(p->NValEditC7->valueUnits(), 10 * 10000) << "the standard rate on a first run";
    EXPECT_EQ(p->UpDown3->value(), 10);
    EXPECT_TRUE(form->document().line(slotmap::kTaxRate).endsWith(",10"));
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    typeInto(p->Edit2, QStringLiteral("R-7"), true);
    typeInto(p->atesaki_1, QStringLiteral("山田商事"), true);
    typeInto(p->atesaki_2, QStringLiteral("経理部"), false);
    typeInto(p->topic1, QStringLiteral("お品代"), false);
    typeInto(p->topic2, QStringLiteral("送料"), false);
    typeInto(p->Field_07, QStringLiteral("佐藤"), false);
    typeInto(p->in_tax, QStringLiteral("400"), false);
    typeInto(p->NValEditC10, QStringLiteral("11000"), true);
    typeInto(p->NValEditC11, QStringLiteral("12100"), false);
    typeInto(p->NValEditC13, QStringLiteral("1100"), false);
    QTest::keyClick(p->UpDown3, Qt::Key_Down);
    QTest::keyClick(p->UpDown3, Qt::Key_Down);
    form->receiptDate->setIssueDate(QDate(2026, 3, 15));
    typeInto(p->NValEditC9, QStringLiteral("12345"), false);
    QTest::keyClick(p->NValEditC9, Qt::Key_End);
    EXPECT_FALSE(form->isVisible());
  }
  auto conf = readLineFile(file("kelvane.conf"));
  ASSERT_TRUE(conf);
  EXPECT_EQ(conf->size(), 24) << "the settings file is unchanged in form";

  auto form = open();
  ReceiptIssuePage* p = form->receiptPage;
  EXPECT_EQ(p->Edit2->text(), QStringLiteral("R-7"));
  EXPECT_EQ(p->atesaki_1->currentText(), QStringLiteral("山田商事"));
  EXPECT_EQ(p->atesaki_2->currentText(), QStringLiteral("経理部"));
  EXPECT_EQ(p->topic1->currentText(), QStringLiteral("お品代"));
  EXPECT_EQ(p->topic2->currentText(), QStringLiteral("送料"));
  EXPECT_EQ(p->Field_07->currentText(), QStringLiteral("佐藤"));
  EXPECT_EQ(p->in_tax->currentText(), QStringLiteral("400"));
  EXPECT_EQ(p->NValEditC9->valueUnits(), 12345 * 10000);
  EXPECT_EQ(p->NValEditC10->valueUnits(), 11000 * 10000);
  EXPECT_EQ(p->NValEditC11->valueUnits(), 12100 * 10000);
  EXPECT_EQ(p->NValEditC13->valueUnits(), 1100 * 10000);
  EXPECT_EQ(p->NValEditC7->valueUnits(), 8 * 10000) << "the rate last used";
  EXPECT_EQ(p->UpDown3->value(), 8);
  EXPECT_EQ(form->titleStrip->MTHBOX->text(), QStringLiteral("3"));
  EXPECT_EQ(form->titleStrip->DAYBOX->text(), QStringLiteral("15"));
  // The items print what the fields show.
  const LayoutDocument& d = form->document();
  EXPECT_TRUE(d.line(slotmap::kNumber).endsWith(",R-7"));
  EXPECT_TRUE(d.line(slotmap::kAddresseeLine1).endsWith(sj(",山田商事")));
  EXPECT_TRUE(d.line(slotmap::kAddresseeLine2).endsWith(sj(",経理部")));
  EXPECT_TRUE(d.line(slotmap::kDescription1).endsWith(sj(",お品代")));
  EXPECT_TRUE(d.line(slotmap::kStubAmount).endsWith("12,345"));
  EXPECT_TRUE(d.line(slotmap::kTaxRate).endsWith(",8"));
  EXPECT_TRUE(d.line(slotmap::kMonth).endsWith(",3"));
  EXPECT_EQ(form->modePanel->text(), QStringLiteral("新規"));
  EXPECT_TRUE(boxes_.texts.isEmpty()) << boxes_.texts.join('|').toStdString();
}

// A first start, and drafts that are damaged or not ours, start empty; a
// rate alone is kept, and a new receipt that held only its automatic
// number takes the next number again.
TEST_F(ReceiptInProgressTest, NoDraftOrADamagedOneStartsEmpty) {
  const struct {
    const char* name;
    QByteArray content;
    qint64 rate;
  } cases[] = {
      {"first start", {}, 10},
      {"random bytes", QByteArray("\x81\xff\x00=\r\n[NUMBER]=\x82", 16), 10},
      {"not ours", "[NUMBER]=Z1\r\n[AMOUNT]=5\r\n", 10},
      {"damaged figures", "[ReceiptDraft]=1\r\n[AMOUNT]=5x\r\n[TAX_RATE]=8\r\n[DATE]=2026/13/1\r\n",
       8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(file("receipt.dat"));
    if (!c.content.isEmpty()) {
      ASSERT_TRUE(writeFileAtomically(file("receipt.dat"), c.content));
    }
    boxes_.texts.clear();
    auto form = open();
    expectEmpty(*form);
    EXPECT_EQ(form->receiptPage->NValEditC7->valueUnits(), c.rate * 10000);
    EXPECT_EQ(form->titleStrip->DAYBOX->text(), QString::number(QDate::currentDate().day()));
    EXPECT_TRUE(boxes_.texts.isEmpty()) << boxes_.texts.join('|').toStdString();
  }

  {
    auto form = open();
    EnvironmentPage* e = form->environmentPage;
    e->CheckBox4->setChecked(true);
    e->d1->setText(QStringLiteral("A"));
    e->d2->setText(QStringLiteral("4"));
    e->last_number->setText(QStringLiteral("1"));
    QTest::mouseClick(form->receiptPage->newButton, Qt::LeftButton);
    EXPECT_EQ(form->receiptPage->Edit2->text(), QStringLiteral("A0002"));
    form->close();
  }
  auto conf = readLineFile(file("kelvane.conf"));
  ASSERT_TRUE(conf);
  const qsizetype last = conf->indexOf("[LAST_NUMBER]=1");
  ASSERT_GE(last, 0);
  (*conf)[last] = "[LAST_NUMBER]=5";  // another copy issued meanwhile
  ASSERT_TRUE(writeLineFile(file("kelvane.conf"), *conf));
  auto form = open();
  EXPECT_EQ(form->receiptPage->Edit2->text(), QStringLiteral("A0006"));
}

// ---- a printed receipt that was never recorded ---------------------------

struct Trigger {
  const char* name;
  // Leaves the receipt on screen; `form` may be closed by it.
  std::function<void(ReceiptInProgressTest&, ReceiptMainForm&)> run;
  QString numberAfter;  // the number the form shows when it went on
};

class PrintedReceiptTest : public ReceiptInProgressTest {
 protected:
  // P1 in the form, written to a PDF, not recorded.
  std::unique_ptr<ReceiptMainForm> printed() {
    auto form = open();
    form->receiptPage->Edit2->setText(QStringLiteral("P1"));
    form->receiptPage->NValEditC9->setValueUnits(500 * 10000);
    form->receiptDate->setIssueDate(QDate(2026, 12, 8));
    EXPECT_TRUE(PrintReceiptToPdf(*form));
    boxes_.texts.clear();
    return form;
  }
  void writeRegister(ReceiptMainForm& form) {
    ASSERT_TRUE(writeLineFile(form.currentRegisterPath(), {"B1,2026/1/5,700,,,,,,,,,,,"}));
  }
};

std::vector<Trigger> triggers() {
  return {
      {"new receipt (F4 button)",
       [](ReceiptInProgressTest&, ReceiptMainForm& f) {
         QTest::mouseClick(f.receiptPage->newButton, Qt::LeftButton);
       },
       QString()},
      {"reopening another from the register",
       [](ReceiptInProgressTest&, ReceiptMainForm& f) {
         f.runRegisterList = [](Tfreglist& list) {
           list.show();
           list.StrColGrid1->SetCurrentCell(1, 1);
           list.datasel();
         };
         QTest::mouseClick(f.topBar->registerListButton, Qt::LeftButton);
       },
       QStringLiteral("B1")},
      {"loading a style",
       [](ReceiptInProgressTest& t, ReceiptMainForm& f) {
         const QString style = t.file("sample.rcd");
         QFile::copy(QStringLiteral(KELVANE_SOURCE_DATA "/style/sample.rcd"), style);
         f.dialogs.openStyle = [style](QWidget*, const QString&) { return style; };
         f.menu.N16->trigger();
       },
       QString()},
      {"closing the window", [](ReceiptInProgressTest&, ReceiptMainForm& f) { f.close(); },
       QStringLiteral("P1")},
  };
}

TEST_F(PrintedReceiptTest, LeavingItAsksOnceAndRecordsOnGo) {
  for (const Trigger& trigger : triggers()) {
    for (const bool go : {true, false}) {
      SCOPED_TRACE(std::string(trigger.name) + (go ? " / 実行" : " / キャンセル"));
      QFile::remove(file("regidata.klv"));
      auto form = printed();
      writeRegister(*form);
      boxes_.answerWith = go ? QStringLiteral("実行") : QStringLiteral("キャンセル");
      trigger.run(*this, *form);
      EXPECT_EQ(boxes_.texts, QStringList{kPrintedQuestion});
      const auto lines = registerLines(*form);
      ASSERT_EQ(lines.size(), go ? 2 : 1);
      if (go) {
        EXPECT_TRUE(lines.last().startsWith("P1,2026/12/8,500,"));
      }
      EXPECT_EQ(form->receiptPage->Edit2->text(), trigger.numberAfter) << "went on";
      // Asked once: the receipt it was about is gone or recorded.
      boxes_.texts.clear();
      if (form->isVisible()) trigger.run(*this, *form);
      EXPECT_TRUE(boxes_.texts.isEmpty()) << boxes_.texts.join('|').toStdString();
    }
  }
  boxes_.answerWith.clear();
}

TEST_F(PrintedReceiptTest, NothingAsksWhenNothingWaitsForRecording) {
  auto newReceipt = [](ReceiptMainForm& f) {
    QTest::mouseClick(f.receiptPage->newButton, Qt::LeftButton);
  };
  {
    SCOPED_TRACE("nothing printed");
    auto form = open();
    form->receiptPage->Edit2->setText(QStringLiteral("N1"));
    boxes_.texts.clear();
    newReceipt(*form);
    form->close();
    EXPECT_TRUE(boxes_.texts.isEmpty()) << boxes_.texts.join('|').toStdString();
  }
  {
    SCOPED_TRACE("recorded after printing");
    auto form = printed();
    QTest::mouseClick(form->receiptPage->recordButton, Qt::LeftButton);
    EXPECT_EQ(boxes_.texts, QStringList{QStringLiteral("領収書発行リスト登録しました")});
    // A copy exported for mailing after the recording waits for nothing.
    ASSERT_TRUE(PrintReceiptToPdf(*form));
    boxes_.texts.clear();
    newReceipt(*form);
    EXPECT_TRUE(boxes_.texts.isEmpty()) << boxes_.texts.join('|').toStdString();
  }
  {
    SCOPED_TRACE("changed after recording, then printed: the question comes");
    QFile::remove(file("regidata.klv"));
    auto form = printed();
    QTest::mouseClick(form->receiptPage->recordButton, Qt::LeftButton);
    form->receiptPage->NValEditC9->setValueUnits(600 * 10000);
    ASSERT_TRUE(PrintReceiptToPdf(*form));
    boxes_.texts.clear();
    boxes_.answerWith = QStringLiteral("キャンセル");
    newReceipt(*form);
    EXPECT_EQ(boxes_.texts, QStringList{kPrintedQuestion});
    boxes_.answerWith.clear();
  }
  {
    SCOPED_TRACE("recorded by the offer after printing");
    QFile::remove(file("regidata.klv"));
    auto form = open();
    form->environmentPage->CheckBox6->setChecked(true);
    form->close();
  }
  {
    auto form = printed();  // the offer was answered 実行
    ASSERT_EQ(registerLines(*form).size(), 1);
    boxes_.texts.clear();
    newReceipt(*form);
    EXPECT_TRUE(boxes_.texts.isEmpty()) << boxes_.texts.join('|').toStdString();
  }
  {
    SCOPED_TRACE("the offer after printing declined: the question comes");
    boxes_.answerWith = QStringLiteral("キャンセル");
    auto form = printed();
    newReceipt(*form);
    EXPECT_EQ(boxes_.texts, QStringList{kPrintedQuestion});
    boxes_.answerWith.clear();
  }
}

}  // namespace
}  // namespace kelvane
