// The receipt in progress outlives the window: End while typing, then a new
// start shows it again with the tax rate last used; and a receipt printed
// but never recorded is offered for recording before it is left.

#include "app/pages/environment_page.h"
#include "app/pages/receipt_issue_page.h"
#include "app/print_command.h"
#include "app/program_folder.h"
#include "app/receipt_date.h"
#include "app/receipt_main_form.h"
#include "app/register_viewer.h"
#include "app/title_strip.h"
#include "app/top_bar.h"
#include "layout/layout_slots.h"
#include "support/box_answerer.h"
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
  // ASCII as keys, Japanese as the input method commits it.
  static void typeInto(QWidget* field, const QString& text, bool enter) {
    field->setFocus();
    for (const QChar c : text) {
      if (c.unicode() < 0x80) {
        QTest::keyClick(field, c.toLatin1());
      } else {
        QInputMethodEvent commit;
        commit.setCommitString(QString(c));
        QApplication::sendEvent(field, &commit);
      }
    }
    if (enter) QTest::keyClick(field, Qt::Key_Return);
  }
  static void expectEmpty(ReceiptMainForm& form) {
    ReceiptIssuePage* p = form.receiptPage;
    EXPECT_EQ(p->Edit2->text(), QString());
    for (QComboBox* box : {p->atesaki_1, p->atesaki_2, p->topic1, p->topic2, p->Field_07, p->in_tax})
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
      {"damaged figures", "[ReceiptDraft]=1\r\n[AMOUNT]=5x\r\n[TAX_RATE]=8\r\n[DATE]=2026/13/1\r\n", 8},
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

}  // namespace
}  // namespace kelvane
