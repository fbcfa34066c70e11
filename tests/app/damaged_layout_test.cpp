// A current layout the preview cannot draw, and settings or layout files
// that are no such files at all: the window stays usable and closable, says
// each thing once and destroys nothing unasked.

#include "app/pages/images_page.h"
#include "app/pages/lines_page.h"
#include "app/pages/receipt_issue_page.h"
#include "app/pages/texts_page.h"
#include "app/preview_pane.h"
#include "app/receipt_main_form.h"
#include "settings/program_folder.h"
#include "support/box_answerer.h"
#include "support/typing.h"
#include "text/cp932.h"
#include "text/line_file.h"
#include "widgets/str_col_grid.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <string_view>
#include <tuple>
#include <vector>

namespace kelvane {
namespace {

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

QList<QByteArray> sampleLines() {
  auto lines = readLineFile(QStringLiteral(KELVANE_SOURCE_DATA "/style/sample.rcd"));
  EXPECT_TRUE(lines);
  return lines.ok() ? *lines : QList<QByteArray>{};
}

// The sample as `damage` leaves it: the document line (from 0) the preview
// stops at, why, that line as loaded and after "この行を消す", and the
// slot's cell in its editor as loaded and once cleared.
struct Damage {
  const char* name;
  std::function<void(QList<QByteArray>&)> damage;
  int line;
  QString cause;
  QByteArray record, emptied;
  std::function<QString(ReceiptMainForm&)> editor;
  QString editorBefore, editorAfter;
};

// What brings a failed pass back to the screen: a zoom change, the window
// activated again, the repaint after it.
void zoomAndActivate(ReceiptMainForm& form) {
  for (int zoom : {70, 50}) {
    form.preview->TrackBar1->setValue(zoom);
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::qWait(250);
  }
}

std::vector<Damage> damages() {
  auto put = [](int line, QByteArray record) {
    return [line, record](QList<QByteArray>& lines) { lines[line] = record; };
  };
  auto shapeRow = [](int row) {
    return [row](ReceiptMainForm& f) { return f.linesPage->StrColGrid1->Cells(1, row); };
  };
  const QByteArray frame = sj("rect,0,0,0,190,130,2,実線,0,"),
                   noX = sj("rect,0,4,,91,30,1,実線,0,");
  const QByteArray badSpacing = "char,0,6,8,x,9,,abc,0,0,x";
  const QByteArray badImage = "image,0,abc,5,pic.bmp,10,10,,0,0";
  return {
      {"empty number in a rect", put(14, noX), 14, "「」は数値", noX, ",", shapeRow(3), "四角形",
       ""},
      {"non-numeric spacing in a text", put(129, badSpacing), 129, "「abc」は数値", badSpacing,
       "char,0,0,0,,0,,0,0,,",
       [](ReceiptMainForm& f) { return f.textsPage->StrColGrid3->Cells(1, 3); }, "x", ""},
      {"bad image position", put(7, badImage), 7, "「abc」", badImage, "image,0,0,0,,0,0,,0,0",
       [](ReceiptMainForm& f) { return f.imagesPage->ix[0]->text(); }, "abc", "0"},
      // Every line one further down leaves the header's line weight offset
      // empty: the pass stops at the first frame, which is not at fault and
      // is not offered for clearing.
      {"extra first line", [](QList<QByteArray>& lines) { lines.prepend("extra"); }, 13,
       "線の太さの調整「」", frame, frame, shapeRow(2), "四角形", "四角形"},
  };
}

class DamagedLayoutTest : public ::testing::TestWithParam<std::size_t> {
 protected:
  void SetUp() override { SetProgramFolder(dir_.path()); }
  void TearDown() override { SetProgramFolder({}); }
  QString file(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }

  QTemporaryDir dir_;
  testing::BoxAnswerer boxes_;
};

// For each answer: one box however often the window is activated, repainted
// or zoomed; the answer done; End closes; the close saves what is left.
TEST_P(DamagedLayoutTest, SaysItOnceAndDoesOnlyWhatIsChosen) {
  const Damage d = damages().at(GetParam());
  ASSERT_TRUE(QFile::copy(KELVANE_SOURCE_DATA "/cleardata.rcd", file("cleardata.rcd")));
  for (const char* answer : {"閉じる", "この行を消す", "空のレイアウトを読む"}) {
    SCOPED_TRACE(answer);
    QList<QByteArray> lines = sampleLines();
    d.damage(lines);
    ASSERT_TRUE(writeLineFile(file("cardtemp.dat"), lines));
    boxes_.texts.clear();
    boxes_.answerWith = QString::fromUtf8(answer);
    auto form = std::make_unique<ReceiptMainForm>();
    form->show();
    ASSERT_NO_FATAL_FAILURE(zoomAndActivate(*form));
    const bool kept = answer == std::string_view("閉じる");
    if (kept) {
      // Typing a receipt and a look at the register do not mend the
      // element, and do not bring the box back either.
      form->receiptPage->atesaki_1->setFocus();
      testing::TypeAndEnter(QStringLiteral("山田"));
      form->runRegisterList = [](Tfreglist&) {};
      form->menu.showRegisterList->trigger();
      QTest::qWait(250);
    }
    ASSERT_EQ(boxes_.texts.size(), 1) << boxes_.texts.join(u'\n').toStdString();
    EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("%1 行目").arg(d.line + 1)));
    EXPECT_TRUE(boxes_.texts[0].contains(d.cause)) << boxes_.texts[0].toStdString();

    const bool cleared = answer == std::string_view("この行を消す");
    const bool emptied = answer == std::string_view("空のレイアウトを読む");
    const QByteArray left = emptied ? QByteArray(",") : cleared ? d.emptied : d.record;
    EXPECT_EQ(form->document().line(d.line), left);
    EXPECT_EQ(form->document().line(16), emptied ? QByteArray(",") : lines[16]);
    if (!emptied) {
      EXPECT_EQ(d.editor(*form), cleared ? d.editorAfter : d.editorBefore);
    }
    if (!emptied && d.line > 13) {
      // The frame of line 12 was drawn before the pass stopped.
      const QImage page = form->preview->PaintBox1->grab().toImage();
      int dark = 0;
      for (int y = 2; y < page.height() - 2; ++y)
        for (int x = 2; x < page.width() - 2; ++x) dark += qGray(page.pixel(x, y)) < 128;
      EXPECT_GT(dark, 100);
    }
    QTest::keyClick(form.get(), Qt::Key_End);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(boxes_.texts.size(), 1);
    const auto saved = readLineFile(file("cardtemp.dat"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->value(d.line), left);
    if (kept) {
      EXPECT_EQ(*saved, lines) << "a layout that cannot be drawn is not rewritten";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedLayoutTest, ::testing::Range<std::size_t>(0, 4));

// A byte that is not Shift_JIS in a text spoils one character, not the
// layout: the preview draws on to the end and says the line once, however
// often it repaints, and the receipt prints.
TEST(DamagedText, IsDrawnSaidOnceAndPrinted) {
  QTemporaryDir dir;
  SetProgramFolder(dir.path());
  testing::BoxAnswerer boxes;
  QList<QByteArray> lines = sampleLines();
  lines[129] = "char,0,30,30,,12,,0,0,0,x\xff\xfey";
  ASSERT_TRUE(writeLineFile(dir.filePath(QStringLiteral("cardtemp.dat")), lines));
  auto form = std::make_unique<ReceiptMainForm>();
  form->show();
  ASSERT_NO_FATAL_FAILURE(zoomAndActivate(*form));
  form->receiptPage->atesaki_1->setFocus();
  testing::TypeAndEnter(QStringLiteral("山田"));
  QTest::qWait(250);
  ASSERT_EQ(boxes.texts.size(), 1) << boxes.texts.join(u'\n').toStdString();
  EXPECT_TRUE(boxes.texts[0].contains(QStringLiteral("130 行目"))) << boxes.texts[0].toStdString();
  EXPECT_TRUE(boxes.texts[0].contains(QStringLiteral("FF FE")));
  EXPECT_TRUE(form->preview->layoutDraws());

  const QString pdf = dir.filePath(QStringLiteral("receipt.pdf"));
  form->dialogs.printPdf = [&pdf](QWidget*) { return pdf; };
  form->menu.printToPdf->trigger();
  QTest::qWait(100);
  EXPECT_EQ(boxes.texts.size(), 1) << boxes.texts.join(u'\n').toStdString();
  EXPECT_TRUE(QFile::exists(pdf));
  form.reset();
  SetProgramFolder({});
}

// A settings file or current layout that is none at all is kept as ".bad"
// (replacing an older one) and said; one with anything of its kind is read.
TEST(StartFiles, OnlyAFileThatIsNoneAtAllIsKeptAsBad) {
  QByteArray noise(4096, '\0');
  quint32 state = 20240601;
  for (char& b : noise) b = static_cast<char>((state = state * 1664525u + 1013904223u) >> 24);
  QFile png(KELVANE_SOURCE_DATA "/kelvane.png");
  ASSERT_TRUE(png.open(QIODevice::ReadOnly));
  const QByteArray picture = png.readAll();
  QList<QByteArray> rect = sampleLines(), shifted = sampleLines();
  rect[14] = sj("rect,0,4,,91,30,1,実線,0,");
  shifted.prepend("extra");
  const std::vector<std::tuple<const char*, QByteArray, bool>> cases{
      {"kelvane.conf", noise, true},
      {"kelvane.conf", picture, true},
      {"kelvane.conf", joinLines({"[Version]=2.00", "[OFFSET_X]=12"}), false},
      {"kelvane.conf", joinLines({"\xff\xfe garbage", "[OFFSET_X]=12", "x=y"}), false},
      {"cardtemp.dat", noise, true},
      {"cardtemp.dat", picture, true},
      {"cardtemp.dat", joinLines({"[Version]=2.00", "[OFFSET_X]=12"}), true},
      {"cardtemp.dat", joinLines(sampleLines()), false},
      {"cardtemp.dat", joinLines(shifted), false},
      {"cardtemp.dat", joinLines({"[Version2.0]", "Shop,"}), false},
      {"cardtemp.dat", joinLines(rect), false},
  };
  testing::BoxAnswerer boxes;
  boxes.answerWith = QStringLiteral("閉じる");
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const auto& [name, content, keptAside] = cases[i];
    SCOPED_TRACE(i);
    QTemporaryDir dir;
    SetProgramFolder(dir.path());
    const QString path = dir.filePath(QString::fromLatin1(name)), bad = path + ".bad";
    ASSERT_TRUE(writeFileAtomically(path, content) && writeFileAtomically(bad, "older"));
    boxes.texts.clear();
    auto form = std::make_unique<ReceiptMainForm>();
    form->show();
    QTest::qWait(50);
    const QString told = boxes.texts.join(u'\n');
    EXPECT_EQ(readWholeFile(bad).value(), keptAside ? content : QByteArray("older"));
    EXPECT_EQ(QFile::exists(path), !keptAside);
    auto says = [&told](const QString& p) {
      return told.contains(QStringLiteral("「%1」").arg(QDir::toNativeSeparators(p)));
    };
    EXPECT_EQ(says(path) && says(bad), keptAside) << told.toStdString();
    if (keptAside) {
      EXPECT_EQ(form->document().line(12), ",") << "nothing of it is loaded";
    }
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(QFile::exists(path)) << "the close writes a new one";
    EXPECT_EQ(readWholeFile(bad).value(), keptAside ? content : QByteArray("older"));
  }
  SetProgramFolder({});
}

}  // namespace
}  // namespace kelvane
