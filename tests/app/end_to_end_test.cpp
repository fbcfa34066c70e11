// A shop's first day, driven as a user drives it: from a program folder that
// holds only the delivered files, load the A4 receipt, number and date
// receipts automatically, type one from the keyboard, print it on the real
// CUPS queue, record it when asked, start the next one, and find everything
// again after a restart.

#include "app/pages/environment_page.h"
#include "app/pages/lines_page.h"
#include "app/pages/receipt_issue_page.h"
#include "app/receipt_main_form.h"
#include "settings/program_folder.h"
#include "support/box_answerer.h"
#include "support/pdf_pages.h"
#include "support/typing.h"
#include "text/cp932.h"
#include "text/line_file.h"
#include "widgets/nval_edit.h"
#include "widgets/str_col_grid.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

namespace kelvane {
namespace {

using testing::BoxAnswerer;

constexpr double kMmPerPoint = 25.4 / 72;

void copyDeliveredFiles(const QString& to) {
  const QString from = QStringLiteral(KELVANE_SOURCE_DATA);
  QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString file = it.next();
    const QString target = to + file.mid(from.size());
    QDir().mkpath(QFileInfo(target).path());
    ASSERT_TRUE(QFile::copy(file, target)) << target.toStdString();
  }
}

void enter(const QString& text) { testing::TypeAndEnter(text); }

std::optional<testing::PdfWord> findWord(const QList<testing::PdfWord>& words,
                                         const QString& text) {
  for (const auto& w : words)
    if (w.text == text) return w;
  return std::nullopt;
}

TEST(EndToEnd, AShopsFirstReceipt) {
  if (const QString why = testing::CupsQueueMissing(); !why.isEmpty()) {
    if (testing::RunningInCi()) FAIL() << why.toStdString();
    GTEST_SKIP() << why.toStdString();
  }
  testing::EnsureWidgetApplication();
  QTemporaryDir folder;
  copyDeliveredFiles(folder.path());
  SetProgramFolder(folder.path());
  BoxAnswerer boxes;
  const QString today = QDate::currentDate().toString(QStringLiteral("yyyy/M/d"));
  {
    ReceiptMainForm form;
    form.dialogs.openStyle = [&](QWidget*, const QString&) {
      return folder.filePath(QStringLiteral("style/a4_receipt.rcd"));
    };
    std::optional<QString> typed;
    form.dialogs.askText = [&](QWidget*, const QString&, const QString&, const QString&) {
      return typed;
    };
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EnvironmentPage* env = form.environmentPage;
    ReceiptIssuePage* page = form.receiptPage;
    EXPECT_FALSE(env->CheckBox4->isChecked()) << "the first run";

    form.menu.N16->trigger();  // the A4 receipt
    for (QCheckBox* box : {env->CheckBox1, env->CheckBox2, env->CheckBox3, env->CheckBox4,
                           env->CheckBox6, env->CheckBox7}) {
      form.showPage(env);
      QTest::mouseClick(box, Qt::LeftButton);
      ASSERT_TRUE(box->isChecked()) << box->objectName().toStdString();
    }
    typed = QStringLiteral("A");
    QTest::mouseClick(env->d1, Qt::LeftButton);
    typed = QStringLiteral("4");
    QTest::mouseClick(env->d2, Qt::LeftButton);

    form.showPage(page);
    QTest::keyClick(&form, Qt::Key_F4);
    EXPECT_EQ(page->Edit2->text(), QStringLiteral("A0002"));
    page->Edit2->setFocus();
    enter({});
    enter(QStringLiteral("山田商事"));
    enter({});
    enter(QStringLiteral("お品代として"));
    enter({});
    enter(QStringLiteral("佐藤"));
    enter(QStringLiteral("200"));
    ASSERT_EQ(QApplication::focusWidget(), page->NValEditC9);
    enter(QStringLiteral("12000"));

    const QString title =
        QStringLiteral("kelvane-first-day-%1").arg(QDateTime::currentMSecsSinceEpoch());
    form.printer().setDocName(title);
    boxes.texts.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("領収書リストに保存しますか？")});

    const auto pdf = testing::WaitForPdf(qEnvironmentVariable("KELVANE_CUPS_PDF_DIR"), title, 30);
    ASSERT_TRUE(pdf) << "no PDF for " << title.toStdString();
    // The queue's PDF is drawn again by the print filters and keeps no text,
    // so the words are found in the same page written as a PDF by the
    // program, and the queue's page must show ink in their places.
    const QString own = folder.filePath(QStringLiteral("own.pdf"));
    form.dialogs.printPdf = [&](QWidget*) { return own; };
    boxes.answerWith = QStringLiteral("キャンセル");  // recorded once is enough
    ASSERT_TRUE(form.menu.printToPdf->isEnabled());
    form.menu.printToPdf->trigger();
    boxes.answerWith.clear();
    const auto words = testing::PdfWords(own);
    const double originX = form.metrics.offsetMmX + 5;  // the A4 receipt's overall offset
    const double originY = form.metrics.offsetMmY + 5;
    const auto kanji = findWord(words, QStringLiteral("金壱萬弐千円也"));
    ASSERT_TRUE(kanji) << "the receipt side in kanji";
    EXPECT_NEAR(kanji->xMin * kMmPerPoint, originX + 40, 3);
    EXPECT_NEAR(kanji->yMin * kMmPerPoint, originY + 50, 4);
    const auto stub = findWord(words, QStringLiteral("12,000"));
    ASSERT_TRUE(stub) << "the stub in digits";
    EXPECT_NEAR(stub->xMin * kMmPerPoint, originX + 40, 3);
    EXPECT_NEAR(stub->yMin * kMmPerPoint, originY + 190, 4);
    const QImage queued = testing::RasterisePdf(*pdf, 100, folder.filePath(QStringLiteral("q")));
    const QImage written = testing::RasterisePdf(own, 100, folder.filePath(QStringLiteral("o")));
    ASSERT_FALSE(queued.isNull());
    ASSERT_EQ(queued.size(), written.size());
    for (const auto* word : {&*kanji, &*stub}) {
      const QRect box(QPoint(qRound(word->xMin * 100 / 72), qRound(word->yMin * 100 / 72)),
                      QPoint(qRound(word->xMax * 100 / 72), qRound(word->yMax * 100 / 72)));
      const int inQueue = testing::DarkPixels(queued.copy(box));
      const int inOwn = testing::DarkPixels(written.copy(box));
      EXPECT_GT(inOwn, 20) << word->text.toStdString();
      EXPECT_NEAR(inQueue, inOwn, inOwn / 3 + 5)
          << word->text.toStdString() << " on the queue's page";
    }
    QFile::remove(*pdf);

    const auto lines = readLineFile(form.currentRegisterPath());
    ASSERT_TRUE(lines);
    EXPECT_EQ(
        *lines,
        QList<QByteArray>{cp932::fromUtf8Literal(
            ("A0002," + today.toStdString() + ",12000,山田商事,お品代として,,0,0,0,10,佐藤,200,,")
                .c_str())});
    EXPECT_EQ(env->last_number->text(), QStringLiteral("2"));
    form.activateWindow();  // the questions took the focus away
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_F4);
    EXPECT_EQ(page->Edit2->text(), QStringLiteral("A0003"));
    form.close();
  }
  ReceiptMainForm again;
  again.show();
  EXPECT_TRUE(again.environmentPage->CheckBox7->isChecked());
  EXPECT_EQ(again.environmentPage->d1->text(), QStringLiteral("A"));
  EXPECT_EQ(again.environmentPage->last_number->text(), QStringLiteral("2"));
  EXPECT_EQ(again.receiptPage->Edit2->text(), QStringLiteral("A0003"));
  EXPECT_EQ(again.receiptPage->atesaki_1->itemText(0), QStringLiteral("山田商事"));
  EXPECT_EQ(again.linesPage->StrColGrid1->Cells(1, 1), QStringLiteral("四角形"));
  again.close();
  SetProgramFolder({});
}

}  // namespace
}  // namespace kelvane
