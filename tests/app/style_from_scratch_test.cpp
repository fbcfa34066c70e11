// A layout built from nothing through the style editors alone, as a user
// builds one: a frame, a line, a free text, the amount placed, an image.
// The document holds exactly those records, and the page draws them where
// they were placed.

#include "app/pages/images_page.h"
#include "app/pages/lines_page.h"
#include "app/pages/positions_page.h"
#include "app/pages/receipt_issue_page.h"
#include "app/pages/texts_page.h"
#include "app/receipt_main_form.h"
#include "layout/header_lines.h"
#include "layout/layout_slots.h"
#include "render/painter_canvas.h"
#include "render/renderer.h"
#include "settings/program_folder.h"
#include "support/box_answerer.h"
#include "support/typing.h"
#include "text/fixed_point.h"
#include "text/layout_text.h"
#include "widgets/icon_button.h"
#include "widgets/nval_edit.h"
#include "widgets/str_col_grid.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace kelvane {
namespace {

using testing::BoxAnswerer;

constexpr int kDpi = 100;
int px(double mm) { return qRound(mm * kDpi / 25.4); }

void typeInto(QWidget* w, const char* keys) {
  w->setFocus();
  QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(w, QString::fromLatin1(keys));
}

void clickRow(TStrColGrid* grid, int row) {
  grid->scrollTo(grid->model()->index(row - 1, 0));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                    grid->viewport()->mapFrom(grid, grid->CellRect(1, row).center()));
}

// The printer pass on white paper, with the layout's own offsets.
QImage drawn(const LayoutDocument& document, const StyleHeader& header) {
  QImage image(px(120), px(80), QImage::Format_RGB32);
  image.fill(Qt::white);
  RenderSettings settings;
  settings.offsetX = fixed::fromWhole(header.offsetX);
  settings.offsetY = fixed::fromWhole(header.offsetY);
  settings.metrics.printerDpiX = settings.metrics.printerDpiY = fixed::fromWhole(kDpi);
  QPainter painter(&image);
  PainterCanvas canvas(painter, /*printer=*/true);
  EXPECT_TRUE(Renderer().DrawLayout(canvas, document, settings, settings.metrics.printerDpiX,
                                    settings.metrics.printerDpiY));
  return image;
}

int inkIn(const QImage& image, const QRect& area, bool red = false) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb p = image.pixel(x, y);
      count += red ? (qRed(p) > 150 && qGreen(p) < 80) : qGray(p) < 128;
    }
  return count;
}

TEST(StyleFromScratch, AFrameALineATextTheAmountAndAnImage) {
  testing::EnsureWidgetApplication();
  QTemporaryDir folder;
  SetProgramFolder(folder.path());
  ASSERT_TRUE(QFile::copy(QStringLiteral(KELVANE_SOURCE_DATA "/cleardata.rcd"),
                          folder.filePath(QStringLiteral("cleardata.rcd"))));
  QImage seal(40, 20, QImage::Format_RGB32);
  seal.fill(QColor(220, 0, 0));
  const QString sealPath = folder.filePath(QStringLiteral("seal.png"));
  ASSERT_TRUE(seal.save(sealPath));
  BoxAnswerer boxes;
  ReceiptMainForm form;
  form.dialogs.choosePicture = [&](QWidget*, const QString&) { return sealPath; };
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  form.menu.N13->trigger();  // start from the empty layout, after its question
  ASSERT_EQ(boxes.texts.size(), 1);
  boxes.texts.clear();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

  // A frame and a line on "線関係".
  LinesPage* lines = form.linesPage;
  form.showPage(lines);
  clickRow(lines->StrColGrid1, 1);
  QTest::mouseClick(lines->HTMLRadioGroup2->button(1), Qt::LeftButton);  // 枠
  typeInto(lines->x1, "5");
  typeInto(lines->y1, "5");
  typeInto(lines->x2, "95");
  typeInto(lines->y2, "55");
  QTest::mouseClick(lines->IconButton12, Qt::LeftButton);
  clickRow(lines->StrColGrid1, 2);
  QTest::mouseClick(lines->HTMLRadioGroup2->button(0), Qt::LeftButton);  // 直線
  typeInto(lines->x1, "10");
  typeInto(lines->y1, "40");
  typeInto(lines->x2, "90");
  typeInto(lines->y2, "40");
  QTest::mouseClick(lines->IconButton12, Qt::LeftButton);

  // A free text on "文字関係".
  TextsPage* texts = form.textsPage;
  form.showPage(texts);
  clickRow(texts->StrColGrid3, 1);
  texts->Edit1->setFocus();
  texts->Edit1->clear();
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("領収書"));
  QApplication::sendEvent(texts->Edit1, &commit);
  typeInto(texts->textX, "40");
  typeInto(texts->textY, "8");
  QTest::mouseClick(texts->IconButton2, Qt::LeftButton);

  // The amount received placed on "自社情報＆印字位置".
  PositionsPage* positions = form.positionsPage;
  form.showPage(positions);
  QTest::mouseClick(positions->placedCaption(slotmap::kAmount), Qt::LeftButton);
  typeInto(positions->positionX, "20");
  typeInto(positions->positionY, "25");
  QTest::mouseClick(positions->IconButton3, Qt::LeftButton);

  // An image on "画像": an empty slot asks for the picture at once.
  ImagesPage* images = form.imagesPage;
  form.showPage(images);
  QTest::mouseClick(images->selectButtons[0], Qt::LeftButton);
  typeInto(images->imageX, "60");
  typeInto(images->imageY, "44");
  typeInto(images->imageWidth, "20");
  typeInto(images->imageHeight, "10");
  QTest::mouseClick(images->IconButton4, Qt::LeftButton);

  // The amount itself, typed on the receipt page.
  form.showPage(form.receiptPage);
  form.receiptPage->NValEditC9->setFocus();
  testing::TypeAndEnter(QStringLiteral("12000"));
  EXPECT_TRUE(boxes.texts.isEmpty()) << boxes.texts.join('|').toStdString();

  const LayoutDocument& d = form.document();
  EXPECT_EQ(d.line(slotmap::shapeLine(1)),
            ToLayoutText(QStringLiteral("rect,0,5,5,95,55,1,実線,0,")));
  EXPECT_EQ(d.line(slotmap::shapeLine(2)),
            ToLayoutText(QStringLiteral("line,0,10,40,90,40,1,実線,0,")));
  EXPECT_EQ(d.line(slotmap::shapeLine(3)), ",");
  EXPECT_TRUE(d.line(slotmap::textLine(1)).startsWith("char,0,40,8,"));
  EXPECT_TRUE(d.line(slotmap::textLine(1)).endsWith(ToLayoutText(QStringLiteral("領収書"))));
  EXPECT_TRUE(d.line(slotmap::kAmount).startsWith("char,0,20,25,"));
  EXPECT_TRUE(d.line(slotmap::kAmount).endsWith("12,000"));
  EXPECT_EQ(d.line(slotmap::imageLine(1)), ToLayoutText(QStringLiteral("image,0,60,44,") +
                                                        sealPath + QStringLiteral(",20,10,,0,0")));

  const StyleHeader header = ReadStyleHeader(d);
  const QImage page = drawn(d, header);
  ASSERT_TRUE(page.save(folder.filePath(QStringLiteral("page.png"))));
  const double ox = header.offsetX, oy = header.offsetY;
  EXPECT_GT(inkIn(page, QRect(px(ox + 4), px(oy + 20), px(2), px(10))), 0)
      << "the frame's left side";
  EXPECT_GT(inkIn(page, QRect(px(ox + 30), px(oy + 39), px(20), px(2))), 0) << "the line";
  EXPECT_GT(inkIn(page, QRect(px(ox + 40), px(oy + 8), px(15), px(6))), 0) << "the free text";
  EXPECT_GT(inkIn(page, QRect(px(ox + 20), px(oy + 25), px(15), px(5))), 0) << "the amount";
  EXPECT_GT(inkIn(page, QRect(px(ox + 61), px(oy + 45), px(18), px(8)), true), px(10) * px(5))
      << "the red seal";
  EXPECT_EQ(inkIn(page, QRect(px(ox + 60), px(oy + 10), px(30), px(20))), 0) << "nothing else";
  form.close();
  SetProgramFolder({});
}

}  // namespace
}  // namespace kelvane
