// "CSVから一括発行" in the window: the rows of a file with their faults, the
// refusal while a bad row is checked, the batch of the rows left checked
// into the register and one PDF, and a batch cancelled in its progress
// dialog.

#include "app/batch_issue_dialog.h"
#include "app/batch_issue_command.h"
#include "app/pages/environment_page.h"
#include "app/pages/receipt_issue_page.h"
#include "app/receipt_main_form.h"
#include "app/register_commands.h"
#include "settings/program_folder.h"
#include "support/box_answerer.h"
#include "support/pdf_pages.h"
#include "text/cp932.h"
#include "text/line_file.h"
#include "widgets/nval_edit.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace kelvane {
namespace {

using testing::BoxAnswerer;

// Row 3 has a date that is no calendar date; rows 2 and 4 take automatic
// numbers.
const char kCsv[] =
    "番号,日付,宛名1,領収金額\r\n"
    ",2026/12/1,山田商事,12000\r\n"
    "B-2,2026/2/30,鈴木様,3000\r\n"
    ",2026/12/3,佐藤様,\"1,500\"\r\n";

class BatchIssueDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureWidgetApplication();
    SetProgramFolder(dir_.path());
    // The sample layout, whose items show the addressee on the paper.
    ASSERT_TRUE(QFile::copy(QStringLiteral(KELVANE_SOURCE_DATA "/style/sample.rcd"),
                            dir_.filePath(QStringLiteral("cardtemp.dat"))));
    form_ = std::make_unique<ReceiptMainForm>();
    form_->show();
    EnvironmentPage* env = form_->environmentPage;
    env->CheckBox4->setChecked(true);
    env->d1->setText(QStringLiteral("A"));
    env->d2->setText(QStringLiteral("4"));
    env->last_number->setText(QStringLiteral("41"));
    // A receipt being typed, which the batch must leave alone.
    form_->receiptPage->Edit2->setText(QStringLiteral("7"));
    form_->receiptPage->atesaki_1->setEditText(QStringLiteral("田中様"));
    form_->receiptPage->NValEditC9->setValueUnits(5000 * 10000);
    writeFile(csv(), QByteArray(kCsv));
    form_->dialogs.openCsv = [this](QWidget*) { return csv(); };
    form_->dialogs.printPdf = [this](QWidget*) {
      ++pdfAsked_;
      return pdf();
    };
    boxes_.texts.clear();
  }
  void TearDown() override {
    form_.reset();
    SetProgramFolder({});
  }

  QString csv() const { return dir_.filePath(QStringLiteral("list.csv")); }
  QString pdf() const { return dir_.filePath(QStringLiteral("out.pdf")); }
  QString reg() const { return form_->currentRegisterPath(); }
  static void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  static QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  // Opens the dialog through the command and hands it to `drive`.
  void withDialog(const std::function<void(BatchIssueDialog&)>& drive) {
    IssueFromCsvFile(*form_, [&](BatchIssueDialog& dialog) {
      dialog.show();
      QApplication::setActiveWindow(&dialog);
      drive(dialog);
    });
  }
  static QString cell(const BatchIssueDialog& d, int line, int column) {
    return d.rows->item(line, column)->text();
  }

  QTemporaryDir dir_;
  BoxAnswerer boxes_;
  std::unique_ptr<ReceiptMainForm> form_;
  int pdfAsked_ = 0;
};

TEST_F(BatchIssueDialogTest, IssuesTheGoodRowsOnlyOnceTheBadOneIsUnchecked) {
  const QList<QByteArray> documentBefore = form_->document().lines();
  withDialog([&](BatchIssueDialog& d) {
    ASSERT_EQ(d.rows->rowCount(), 3);
    EXPECT_FALSE(d.fileFaults->isVisible());
    EXPECT_EQ(d.checkedRows(), (QSet<int>{2, 3, 4})) << "every row is checked at first";
    EXPECT_EQ(cell(d, 0, BatchIssueDialog::NumberColumn), QStringLiteral("A0042"));
    EXPECT_EQ(cell(d, 2, BatchIssueDialog::NumberColumn), QStringLiteral("A0043"));
    EXPECT_EQ(cell(d, 2, BatchIssueDialog::AmountColumn), QStringLiteral("1,500"));
    // The bad row is marked with its reason; the good ones are not.
    EXPECT_TRUE(d.faultsOf(2).isEmpty() && d.faultsOf(4).isEmpty());
    ASSERT_EQ(d.faultsOf(3).size(), 1);
    const QString state = cell(d, 1, BatchIssueDialog::StateColumn);
    EXPECT_TRUE(state.contains(QStringLiteral("日付「2026/2/30」はありえない")))
        << state.toStdString();
    EXPECT_EQ(d.rows->item(1, BatchIssueDialog::AddresseeColumn)->foreground().color(),
              QColor(0xC0, 0, 0));
    EXPECT_FALSE(d.rows->item(1, BatchIssueDialog::StateColumn)->icon().isNull());

    d.printBox->setChecked(false);
    d.pdfBox->setChecked(true);
    d.recordBox->setChecked(true);
    // Enter presses 発行: refused, naming the row, nothing asked or written.
    QTest::keyClick(d.rows, Qt::Key_Return);
    ASSERT_EQ(boxes_.texts.size(), 1);
    EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("3 行目")))
        << boxes_.texts[0].toStdString();
    EXPECT_EQ(pdfAsked_, 0);
    EXPECT_FALSE(QFile::exists(reg()));

    // Space on the bad row unchecks it. The numbers do not move; a good row
    // unchecked gives its number to the next.
    QTest::keyClick(d.rows, Qt::Key_Down);
    QTest::keyClick(d.rows, Qt::Key_Space);
    EXPECT_EQ(d.checkedRows(), (QSet<int>{2, 4}));
    EXPECT_EQ(cell(d, 2, BatchIssueDialog::NumberColumn), QStringLiteral("A0043"));
    QTest::keyClick(d.rows, Qt::Key_Up);
    QTest::keyClick(d.rows, Qt::Key_Space);
    EXPECT_EQ(cell(d, 2, BatchIssueDialog::NumberColumn), QStringLiteral("A0042"));
    QTest::keyClick(d.rows, Qt::Key_Space);
    EXPECT_EQ(d.checkedRows(), (QSet<int>{2, 4}));

    boxes_.texts.clear();
    QTest::keyClick(d.rows, Qt::Key_Return);
    EXPECT_EQ(pdfAsked_, 1);
    EXPECT_EQ(d.result(), QDialog::Accepted);
  });

  ASSERT_EQ(boxes_.texts.size(), 1);
  EXPECT_TRUE(
      boxes_.texts[0].startsWith(QStringLiteral("2 件の領収書を発行しました（合計 13,500 円）。")))
      << boxes_.texts[0].toStdString();
  const auto lines = readLineFile(reg());
  ASSERT_TRUE(lines);
  ASSERT_EQ(lines->size(), 2);
  EXPECT_TRUE(lines->at(0).startsWith(cp932::fromUtf8Literal("A0042,2026/12/1,12000,山田商事,")));
  EXPECT_TRUE(lines->at(1).startsWith(cp932::fromUtf8Literal("A0043,2026/12/3,1500,佐藤様,")));
  EXPECT_TRUE(
      testing::PdfInfo(pdf()).contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))))
      << testing::PdfInfo(pdf()).toStdString();
  const QString text = testing::PdfText(pdf());
  EXPECT_TRUE(text.contains(QStringLiteral("山田商事")) &&
              text.contains(QStringLiteral("佐藤様")) && !text.contains(QStringLiteral("鈴木様")))
      << text.toStdString();
  // The last number follows, into the settings file too, as after F5.
  EXPECT_EQ(form_->environmentPage->last_number->text(), QStringLiteral("43"));
  EXPECT_TRUE(bytesOf(dir_.filePath(QStringLiteral("kelvane.conf"))).contains("[LAST_NUMBER]=43"));
  // The receipt on screen is as it was.
  EXPECT_EQ(form_->document().lines(), documentBefore);
  EXPECT_EQ(form_->receiptPage->Edit2->text(), QStringLiteral("7"));
  EXPECT_EQ(form_->receiptPage->atesaki_1->currentText(), QStringLiteral("田中様"));
  EXPECT_EQ(form_->receiptPage->NValEditC9->valueUnits(), 5000 * 10000);
}

TEST_F(BatchIssueDialogTest, CancellingInTheProgressDialogChangesNothing) {
  const QByteArray before =
      cp932::fromUtf8Literal("A0001,2026/11/30,500,前の客,,,0,0,0,0,,,,") + "\r\n";
  form_->setCurrentRegisterPath(dir_.filePath(QStringLiteral("regidata.klv")));
  writeFile(reg(), before);
  // The user cancels as soon as the progress dialog shows.
  QTimer canceller;
  canceller.setInterval(0);
  QObject::connect(&canceller, &QTimer::timeout, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* progress = qobject_cast<QProgressDialog*>(w);
      if (!progress || !progress->isVisible()) continue;
      if (auto* cancel = progress->findChild<QPushButton*>())
        QTest::mouseClick(cancel, Qt::LeftButton);
    }
  });
  withDialog([&](BatchIssueDialog& d) {
    d.rows->item(1, BatchIssueDialog::RowColumn)->setCheckState(Qt::Unchecked);
    d.pdfBox->setChecked(true);
    d.recordBox->setChecked(true);
    canceller.start();
    EXPECT_FALSE(d.issue());
    canceller.stop();
    EXPECT_TRUE(d.isVisible()) << "the list stays for another try";
  });
  ASSERT_FALSE(boxes_.texts.isEmpty());
  EXPECT_EQ(boxes_.texts.last(), QStringLiteral("中止しました。何も発行していません。"));
  EXPECT_EQ(bytesOf(reg()), before);
  EXPECT_FALSE(QFile::exists(pdf()));
  EXPECT_EQ(form_->environmentPage->last_number->text(), QStringLiteral("41"));
}

// Another copy records one of the file's numbers while the list is open:
// the batch refuses whole and the row is marked.
TEST_F(BatchIssueDialogTest, ANumberRecordedMeanwhileRefusesTheBatch) {
  writeFile(csv(), QByteArray("番号,宛名1,領収金額\r\n5,甲,100\r\n6,乙,200\r\n"));
  const QByteArray other = cp932::fromUtf8Literal("5,2026/12/1,900,丙,,,0,0,0,0,,,,") + "\r\n";
  withDialog([&](BatchIssueDialog& d) {
    EXPECT_TRUE(d.faultsOf(2).isEmpty());
    writeFile(reg(), other);
    d.pdfBox->setChecked(false);
    EXPECT_FALSE(d.issue());
    ASSERT_FALSE(d.faultsOf(2).isEmpty());
    EXPECT_TRUE(d.faultsOf(2)[0].contains(QStringLiteral("既にあります")));
    EXPECT_EQ(d.rows->item(0, BatchIssueDialog::StateColumn)->text(), d.faultsOf(2)[0]);
  });
  ASSERT_EQ(boxes_.texts.size(), 1);
  EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("list.csv:2: 番号:")))
      << boxes_.texts[0].toStdString();
  EXPECT_EQ(bytesOf(reg()), other);
}

// A file that cannot be read says so; a file whose header is wrong lists
// its rows but issues nothing.
TEST_F(BatchIssueDialogTest, FaultsOfTheWholeFile) {
  form_->dialogs.openCsv = [this](QWidget*) { return dir_.filePath(QStringLiteral("gone.csv")); };
  form_->menu.issueFromCsv->trigger();
  ASSERT_EQ(boxes_.texts.size(), 1);
  EXPECT_TRUE(boxes_.texts[0].startsWith(QStringLiteral("CSV ファイルを読めません。")));

  writeFile(csv(), QByteArray("番号,日付,宛先\r\n1,2026/12/1,x\r\n"));
  form_->dialogs.openCsv = [this](QWidget*) { return csv(); };
  withDialog([&](BatchIssueDialog& d) {
    EXPECT_EQ(d.rows->rowCount(), 0) << "no row is read under a header that is wrong";
    EXPECT_TRUE(d.fileFaults->isVisible());
    EXPECT_TRUE(d.fileFaults->text().contains(QStringLiteral("宛先")))
        << d.fileFaults->text().toStdString();
    EXPECT_FALSE(d.issueButton->isEnabled());
    EXPECT_FALSE(d.issue());
  });
  EXPECT_FALSE(QFile::exists(reg()));
}

}  // namespace
}  // namespace kelvane

namespace kelvane {
namespace {

// The number proposed on screen taken by the batch: the user is told, and
// recording the form under it asks naming the batch's receipt, Enter
// keeping it.
TEST_F(BatchIssueDialogTest, TheNumberOnScreenTakenByTheBatchIsNeverReplacedByEnter) {
  form_->receiptPage->Edit2->setText(QStringLiteral("A0042"));
  withDialog([&](BatchIssueDialog& d) {
    d.rows->item(1, BatchIssueDialog::RowColumn)->setCheckState(Qt::Unchecked);
    d.pdfBox->setChecked(false);
    d.recordBox->setChecked(true);
    QTest::keyClick(d.rows, Qt::Key_Return);
  });
  ASSERT_EQ(boxes_.texts.size(), 1);
  EXPECT_TRUE(boxes_.texts[0].contains(
      QStringLiteral("画面の領収書の番号「A0042」は今回の発行で使いました")))
      << boxes_.texts[0].toStdString();
  const QByteArray recorded = bytesOf(reg());

  boxes_.texts.clear();
  boxes_.answer = BoxAnswerer::Answer::Enter;
  EXPECT_FALSE(RecordReceipt(*form_, false));
  ASSERT_EQ(boxes_.texts.size(), 1);
  EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("山田商事"))) << "the question names it";
  EXPECT_EQ(bytesOf(reg()), recorded);
}

}  // namespace
}  // namespace kelvane
