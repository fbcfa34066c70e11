#include "app/pages/environment_page.h"
#include "app/pages/lines_page.h"
#include "app/pages/receipt_input_menu.h"
#include "app/pages/receipt_issue_page.h"
#include "app/pages/style_settings_page.h"
#include "app/preview_pane.h"
#include "app/print_command.h"
#include "app/receipt_main_form.h"
#include "app/settings_store.h"
#include "app/top_bar.h"
#include "layout/layout_slots.h"
#include "settings/program_folder.h"
#include "support/box_answerer.h"
#include "support/pdf_pages.h"
#include "support/widget_app.h"
#include "text/layout_text.h"
#include "text/line_file.h"
#include "widgets/nval_edit.h"
#include "widgets/str_col_grid.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace kelvane {
namespace {

using testing::BoxAnswerer;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureWidgetApplication();
    SetProgramFolder(dir_.path());
  }
  void TearDown() override { SetProgramFolder({}); }

  std::unique_ptr<ReceiptMainForm> open() {
    auto form = std::make_unique<ReceiptMainForm>();
    form->dialogs.openStyle = [this](QWidget*, const QString&) { return answer_; };
    form->dialogs.saveStyle = [this](QWidget*, const QString& proposed) {
      proposedSave_ = proposed;
      return answer_;
    };
    form->show();
    return form;
  }
  QString file(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
  QString copySample() const {
    const QString path = file("sample.rcd");
    QFile::copy(QStringLiteral(KELVANE_SOURCE_DATA "/style/sample.rcd"), path);
    return path;
  }

  QTemporaryDir dir_;
  QString answer_;
  QString proposedSave_;
  BoxAnswerer boxes_;
};

QList<QCheckBox*> checkBoxes(ReceiptMainForm& f) {
  EnvironmentPage* e = f.environmentPage;
  return {e->CheckBox1, e->CheckBox2, e->CheckBox3, e->CheckBox4,
          e->CheckBox5, e->CheckBox6, e->CheckBox7, e->CheckBox8};
}
QList<QAction*> viewItems(ReceiptMainForm& f) {
  return {f.menu.useTabs, f.menu.showTitleBar, f.menu.useTopBar, f.menu.showStatusBar};
}

TEST_F(MainWindowTest, FirstRunWithNoFiles) {
  auto form = open();
  const QRect work = form->screen()->availableGeometry();
  EXPECT_EQ(form->pos(), work.topLeft());
  EXPECT_EQ(form->size(), QSize(1288, 784));
  for (QCheckBox* b : checkBoxes(*form))
    EXPECT_FALSE(b->isChecked()) << b->objectName().toStdString();
  for (QAction* a : viewItems(*form)) EXPECT_TRUE(a->isChecked());
  EXPECT_EQ(form->stylePage->ofxbox->value(), 10);
  EXPECT_EQ(form->stylePage->ofYbox->value(), 10);
  EXPECT_EQ(form->registerPathText(), file("regidata.klv"));
  EXPECT_EQ(form->pathPanel->text(), file("regidata.klv"));
  EXPECT_EQ(form->currentPage(), form->receiptPage);
  EXPECT_EQ(form->preview->TrackBar1->value(), 70);
  EXPECT_FALSE(form->preview->PreviewSuspended);
  EXPECT_TRUE(boxes_.texts.isEmpty()) << boxes_.texts.join('|').toStdString();
}

TEST_F(MainWindowTest, SettingsRoundTripWithEveryBoxCheckedAndClear) {
  for (bool on : {true, false}) {
    {
      auto form = open();
      for (QCheckBox* b : checkBoxes(*form)) b->setChecked(on);
      for (QAction* a : viewItems(*form)) a->setChecked(on);
      form->stylePage->ofxbox->setValue(on ? 12 : -3);
      form->preview->TrackBar1->setValue(on ? 40 : 90);
      form->close();
    }
    auto lines = readLineFile(file("kelvane.conf"));
    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->size(), 24);
    auto form = open();
    for (QCheckBox* b : checkBoxes(*form))
      EXPECT_EQ(b->isChecked(), on) << b->objectName().toStdString();
    for (QAction* a : viewItems(*form)) EXPECT_EQ(a->isChecked(), on) << a->text().toStdString();
    EXPECT_EQ(form->PageControl1->tabBar()->isVisible(), on);
    EXPECT_EQ(form->stylePage->ofxbox->value(), on ? 12 : -3);
    EXPECT_EQ(form->preview->TrackBar1->value(), on ? 40 : 90);
    form->close();
  }
}

TEST_F(MainWindowTest, AWindowOffTheScreenOpensOnTheWorkArea) {
  ASSERT_TRUE(writeLineFile(file(WindowFileName().toUtf8().constData()),
                            {"[fkelvane]", "Left=50000", "Top=-50", "Width=900", "Height=600"}));
  auto form = open();
  EXPECT_EQ(form->pos(), form->screen()->availableGeometry().topLeft());
  EXPECT_EQ(form->size(), QSize(900, 600));
}

TEST_F(MainWindowTest, PreviewSizesFollowZoomAndMode) {
  auto form = open();
  ASSERT_EQ(form->logicalDpiX(), 96) << "the sizes below are for a 96 dpi screen";
  form->stylePage->d3->setValue(180);
  form->stylePage->d4->setValue(90);
  form->preview->TrackBar1->setValue(100);
  EXPECT_EQ(form->preview->Panel1->size(), QSize(718, 378));
  EXPECT_EQ(form->preview->PaintBox1->geometry(), QRect(19, 19, 680, 340));
  form->preview->TrackBar1->setValue(10);
  EXPECT_EQ(form->preview->geometry().resolutionX, 9);
  form->stylePage->setPreviewMode(1);
  form->RefreshPreview();
  const PreviewGeometry& g = form->preview->geometry();
  EXPECT_EQ(form->preview->Panel1->size(), g.panel);
  EXPECT_GT(g.panel.height(), g.panel.width()) << "the A4 page stands upright";
}

TEST_F(MainWindowTest, EndClosesWhileTyping) {
  auto form = open();
  form->showPage(form->stylePage);
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  TNValEdit* field = form->stylePage->ofxbox;
  field->setFocus();
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(field, "27");
  QTest::keyClick(field, Qt::Key_End);
  EXPECT_FALSE(form->isVisible());
  auto lines = readLineFile(file("kelvane.conf"));
  ASSERT_TRUE(lines);
  EXPECT_TRUE(lines->contains("[OFFSET_X]=27"));
  EXPECT_TRUE(QFile::exists(file("cardtemp.dat")));
}

// The receipt input keys move the focus on the receipt page only; a field
// that cannot take the focus yet, or a text field on another page, keeps
// Ctrl+A for selecting its text.
TEST_F(MainWindowTest, ReceiptInputKeysMoveTheFocusOnTheReceiptPage) {
  auto form = open();
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  ReceiptIssuePage* page = form->receiptPage;
  ASSERT_NE(page->inputMenu, nullptr);
  EXPECT_EQ(page->inputMenu->actions().size(), 12);
  page->NValEditC11->setEnabled(false);
  EXPECT_FALSE(page->inputMenu->itemFor(page->NValEditC11)->isEnabled());
  page->Edit2->setFocus();
  QTest::keyClick(page->Edit2, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), page->NValEditC9);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), page->atesaki_1);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_G, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), page->NValEditC7);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), page->NValEditC7) << "請求金額 is disabled";

  form->showPage(form->stylePage);
  TNValEdit* offset = form->stylePage->ofxbox;
  offset->setFocus();
  offset->deselect();
  QTest::keyClick(offset, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), offset);
  EXPECT_EQ(offset->selectedText(), offset->text());
}

TEST_F(MainWindowTest, TabsToggleAndPagesStillSwitch) {
  auto form = open();
  QTabBar* tabs = form->PageControl1->tabBar();
  form->menu.useTabs->trigger();
  EXPECT_FALSE(tabs->isVisible());
  form->menu.showCompanyPage->trigger();
  EXPECT_EQ(form->PageControl1->currentIndex(), 2);
  form->menu.showReceiptPage->trigger();
  EXPECT_EQ(form->currentPage(), form->receiptPage);
  form->menu.useTabs->trigger();
  EXPECT_TRUE(tabs->isVisible());
  EXPECT_TRUE(form->menu.useTabs->isChecked());
  // Only a click on a tab names the page in the top bar.
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
  EXPECT_EQ(form->topBar->pageLabel->text(), QStringLiteral("スタイル設定"));
  form->menu.showReceiptPage->trigger();
  EXPECT_EQ(form->topBar->pageLabel->text(), QStringLiteral("スタイル設定"));
}

TEST_F(MainWindowTest, TopBarComesBackAboveThePages) {
  auto form = open();
  form->menu.showTitleBar->trigger();
  form->menu.useTopBar->trigger();
  form->menu.useTopBar->trigger();
  QApplication::processEvents();
  EXPECT_TRUE(form->topBar->isVisible());
  EXPECT_LE(form->topBar->geometry().bottom(), form->Splitter1->geometry().top());
  EXPECT_EQ(form->topBar->y(), 0) << "with the title bar hidden the top bar is first";
}

TEST_F(MainWindowTest, SavingRightAfterOpeningKeepsTheSlots) {
  auto form = open();
  const QString sample = copySample();
  answer_ = sample;
  form->menu.N16->trigger();
  EXPECT_EQ(form->currentStylePath(), sample);
  EXPECT_EQ(form->linesPage->StrColGrid1->Cells(1, 1), QStringLiteral("四角形"));
  EXPECT_EQ(form->stylePage->d3->value(), 200);
  answer_ = file("saved.rcd");
  form->menu.N17->trigger();
  EXPECT_EQ(proposedSave_, sample);
  const auto original = readLineFile(sample);
  const auto saved = readLineFile(file("saved.rcd"));
  ASSERT_TRUE(original && saved);
  ASSERT_EQ(saved->size(), original->size());
  EXPECT_EQ(saved->at(0), "[Version2.0]");
  EXPECT_EQ(saved->at(slotmap::kRegisterPathLine), file("regidata.klv").toUtf8() + ",");
  for (int i = 6; i < slotmap::kNumber; ++i) EXPECT_EQ(saved->at(i), original->at(i)) << i;
  // Opening a style starts a new receipt: the receipt items keep their
  // places and lose their texts.
  auto placement = [](const QByteArray& record) {
    QByteArrayList fields = record.split(',');
    while (fields.size() < 11) fields.append(QByteArray());
    return fields.mid(0, 10);
  };
  for (int i = slotmap::kNumber; i < saved->size(); ++i)
    EXPECT_EQ(placement(saved->at(i)), placement(original->at(i))) << i;
  EXPECT_TRUE(boxes_.texts.last().endsWith(QStringLiteral("を保存しました。")));
}

// A receipt of a metre or more: the fields show 1,200, the style and the
// settings file keep 1200 and give it back.
TEST_F(MainWindowTest, AReceiptSizeOfFourDigitsComesBackWhole) {
  {
    auto form = open();
    for (auto [edit, typed] :
         {std::pair{form->stylePage->d3, "1200"}, {form->stylePage->d4, "950"}}) {
      edit->setFocus();
      edit->selectAll();
      QTest::keyClicks(edit, QString::fromLatin1(typed));
      QTest::keyClick(edit, Qt::Key_Return);
    }
    EXPECT_EQ(form->stylePage->d3->text(), QStringLiteral("1,200"));
    EXPECT_EQ(form->document().line(slotmap::kReceiptSizeLine), "1200,950,0,0,0,");
    answer_ = file("big.rcd");
    form->menu.N17->trigger();
    const auto saved = readLineFile(answer_);
    ASSERT_TRUE(saved && saved->size() > slotmap::kReceiptSizeLine);
    EXPECT_EQ(saved->at(slotmap::kReceiptSizeLine), "1200,950,0,0,0,");
    form->stylePage->d3->setValue(50);
    form->stylePage->d4->setValue(60);
    form->menu.N16->trigger();
    EXPECT_EQ(form->stylePage->d3->value(), 1200);
    EXPECT_EQ(form->stylePage->d4->value(), 950);
    form->close();
  }
  const auto conf = readLineFile(file("kelvane.conf"));
  ASSERT_TRUE(conf);
  EXPECT_TRUE(conf->contains("[SIZE_X]=1200"));
  EXPECT_TRUE(conf->contains("[SIZE_Y]=950"));
  auto form = open();
  EXPECT_EQ(form->stylePage->d3->value(), 1200);
  EXPECT_EQ(form->stylePage->d4->value(), 950);
}

// A picture whose folder has gone is looked for beside the register in use,
// not beside the register typed on 環境設定 for the next run, on the
// preview and on the printed page alike.
TEST_F(MainWindowTest, AMovedPictureIsFoundBesideTheRegisterInUse) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("next")));
  auto picture = [this](const char* name, Qt::GlobalColor colour) {
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(file(name)));
  };
  picture("logo.png", Qt::red);
  picture("next/logo.png", Qt::blue);
  auto form = open();
  form->dialogs.askText = [this](QWidget*, const QString&, const QString&, const QString&) {
    return std::optional<QString>(file("next/regidata.klv"));
  };
  QTest::mouseClick(form->environmentPage->StaticText1, Qt::LeftButton);
  ASSERT_EQ(form->registerPathText(), file("next/regidata.klv"));
  ASSERT_EQ(form->currentRegisterPath(), file("regidata.klv"));
  form->document().setLine(7,
                           "image,0,10,10," + ToLayoutText(file("gone/logo.png")) + ",20,20,,0,0");

  auto count = [](const QImage& image, auto wanted) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += wanted(QColor(image.pixel(x, y)));
    return n;
  };
  auto red = [](const QColor& c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; };
  auto blue = [](const QColor& c) { return c.blue() > 200 && c.red() < 60 && c.green() < 60; };
  form->stylePage->d3->setValue(100);
  form->stylePage->d4->setValue(60);
  form->RefreshPreview();
  const QImage shown = form->preview->PaintBox1->grab().toImage();
  EXPECT_GT(count(shown, red), 400);
  EXPECT_EQ(count(shown, blue), 0);

  form->dialogs.printPdf = [this](QWidget*) { return file("receipt.pdf"); };
  form->menu.printToPdf->trigger();
  const QImage page = testing::RasterisePdf(file("receipt.pdf"), 50, file("page"));
  ASSERT_FALSE(page.isNull()) << boxes_.texts.join('|').toStdString();
  EXPECT_GT(count(page, red), 400);
  EXPECT_EQ(count(page, blue), 0);
}

TEST_F(MainWindowTest, ClearingWithoutTheEmptyStyleKeepsTheLayout) {
  auto form = open();
  answer_ = copySample();
  form->menu.N16->trigger();
  const QByteArray frame = form->document().line(12);
  form->menu.N13->trigger();
  EXPECT_EQ(form->document().line(12), frame);
  ASSERT_FALSE(boxes_.texts.isEmpty());
  EXPECT_TRUE(boxes_.texts.last().contains(QStringLiteral("cleardata.rcd")));
  EXPECT_GE(form->document().lineCount(), slotmap::kLineCount);
}

// The delivered empty style leaves no slot filled and the style settings at
// their defaults, and keeps the receipt's register path.
TEST_F(MainWindowTest, ClearingWithTheDeliveredEmptyStyleEmptiesEverySlot) {
  ASSERT_TRUE(
      QFile::copy(QStringLiteral(KELVANE_SOURCE_DATA "/cleardata.rcd"), file("cleardata.rcd")));
  auto form = open();
  answer_ = copySample();
  form->menu.N16->trigger();
  const QString registerPath = form->registerPathText();
  form->menu.N13->trigger();
  ASSERT_EQ(boxes_.texts.size(), 1) << boxes_.texts.join(u'\n').toStdString();
  EXPECT_TRUE(boxes_.texts[0].startsWith(QStringLiteral("スタイルデータをクリアにします。")));
  for (int line = slotmap::kNumberingLine + 1; line < slotmap::kLineCount; ++line)
    EXPECT_EQ(form->document().line(line), ",") << "line " << line;
  EXPECT_EQ(form->stylePage->stylebtn->text(), QString());
  EXPECT_EQ(form->stylePage->ofxbox->value(), 10);
  EXPECT_EQ(form->stylePage->ofYbox->value(), 10);
  EXPECT_EQ(form->stylePage->d3->value(), 0);
  EXPECT_EQ(form->linesPage->StrColGrid1->Cells(1, 1), QString());
  EXPECT_EQ(form->registerPathText(), registerPath);
  EXPECT_EQ(form->currentStylePath(), answer_) << "clearing keeps the current style path";
}

// Clearing throws the whole layout away: only 実行 does it; キャンセル,
// Enter and the window's close control keep every line.
TEST_F(MainWindowTest, ClearingTheStyleAsksFirst) {
  ASSERT_TRUE(
      QFile::copy(QStringLiteral(KELVANE_SOURCE_DATA "/cleardata.rcd"), file("cleardata.rcd")));
  auto form = open();
  answer_ = copySample();
  form->menu.N16->trigger();
  const QList<QByteArray> sample = form->document().lines();
  ASSERT_NE(sample.value(12), ",");
  const struct {
    BoxAnswerer::Answer answer;
    const char* button;
  } keeps[] = {{BoxAnswerer::Answer::Button, "キャンセル"},
               {BoxAnswerer::Answer::Enter, ""},
               {BoxAnswerer::Answer::Close, ""}};
  for (const auto& k : keeps) {
    boxes_.texts.clear();
    boxes_.answer = k.answer;
    boxes_.answerWith = QString::fromUtf8(k.button);
    form->menu.N13->trigger();
    ASSERT_EQ(boxes_.texts.size(), 1);
    EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("よろしいですか")));
    EXPECT_EQ(form->document().lines(), sample) << k.button;
  }
  boxes_.answer = BoxAnswerer::Answer::Button;
  boxes_.answerWith = QStringLiteral("実行");
  form->menu.N13->trigger();
  EXPECT_EQ(form->document().line(12), ",");
}

TEST_F(MainWindowTest, TheCurrentLayoutComesBackNextRun) {
  {
    auto form = open();
    answer_ = copySample();
    form->menu.N16->trigger();
    form->close();
  }
  auto form = open();
  EXPECT_EQ(form->linesPage->StrColGrid1->Cells(1, 1), QStringLiteral("四角形"));
  EXPECT_EQ(form->document().line(0), "[Version1.1]");
}

// "PDFに出力" writes the printer's page; a PDF of the same name is replaced
// only by a whole new one.
TEST_F(MainWindowTest, PdfExportReplacesAnEarlierFileOnlyWhenWhole) {
  auto form = open();
  answer_ = copySample();
  form->menu.N16->trigger();
  const QString out = file("receipt.pdf");
  form->dialogs.printPdf = [&out](QWidget*) { return out; };
  ASSERT_TRUE(writeLineFile(out, {"old"}));

  const QByteArray frame = form->document().line(15);
  form->document().setLine(15, "line,0,1,1,x1,2,1,,0,");
  form->menu.printToPdf->trigger();
  ASSERT_FALSE(boxes_.texts.isEmpty());
  EXPECT_TRUE(boxes_.texts.last().contains(QStringLiteral("x1")))
      << boxes_.texts.last().toStdString();
  const auto kept = readLineFile(out);
  ASSERT_TRUE(kept);
  EXPECT_EQ(*kept, QByteArrayList{"old"});

  form->document().setLine(15, frame);
  boxes_.texts.clear();
  form->menu.printToPdf->trigger();
  EXPECT_TRUE(boxes_.texts.isEmpty()) << boxes_.texts.join('|').toStdString();
  ASSERT_TRUE(testing::PdfIsComplete(out));
  EXPECT_EQ(QDir(dir_.path()).entryList({QStringLiteral(".kelvane-*")}, QDir::Files | QDir::Hidden),
            QStringList{});
  const QImage page = testing::RasterisePdf(out, 100, file("page"));
  ASSERT_FALSE(page.isNull());
  const QSizeF paper = form->printer().pageLayout().fullRectPoints().size();
  EXPECT_NEAR(page.width(), paper.width() * 100 / 72, 2);
  const double originX = form->metrics.offsetMmX + 5;
  const int row = qRound((form->metrics.offsetMmY + 5 + 60) * 100 / 25.4);
  EXPECT_NEAR(testing::FirstDarkInRow(page, row), originX * 100 / 25.4, 3);

  form->dialogs.printPdf = [this](QWidget*) { return file("no/such/folder/receipt.pdf"); };
  form->menu.printToPdf->trigger();
  ASSERT_FALSE(boxes_.texts.isEmpty());
  EXPECT_TRUE(boxes_.texts.last().contains(QStringLiteral("receipt.pdf")));
}

TEST_F(MainWindowTest, PrintsTheSampleOnTheCupsQueue) {
  if (const QString why = testing::CupsQueueMissing(); !why.isEmpty()) {
    if (testing::RunningInCi()) FAIL() << why.toStdString();
    GTEST_SKIP() << why.toStdString();
  }
  auto form = open();
  ASSERT_TRUE(form->metrics.hasPrinter) << "PRINTER names the default queue";
  answer_ = copySample();
  form->menu.N16->trigger();
  const QString title =
      QStringLiteral("kelvane-window-%1").arg(QDateTime::currentMSecsSinceEpoch());
  form->printer().setDocName(title);
  ASSERT_TRUE(PrintReceipt(*form)) << boxes_.texts.join('|').toStdString();
  const auto pdf = testing::WaitForPdf(qEnvironmentVariable("KELVANE_CUPS_PDF_DIR"), title, 30);
  ASSERT_TRUE(pdf) << "no PDF for " << title.toStdString();
  const QImage page = testing::RasterisePdf(*pdf, 100, file("page"));
  ASSERT_FALSE(page.isNull());
  // The sample's outer frame starts at the overall offset (5 mm) from the
  // printable area's corner.
  const double originX = form->metrics.offsetMmX + 5;
  const int row = qRound((form->metrics.offsetMmY + 5 + 60) * 100 / 25.4);
  EXPECT_NEAR(testing::FirstDarkInRow(page, row), originX * 100 / 25.4, 3);
  QFile::remove(*pdf);
}

}  // namespace
}  // namespace kelvane
