#include "render/painter_canvas.h"

#include "render/vertical_glyphs.h"
#include "support/gui_app.h"
#include "support/pdf_pages.h"
#include "text/cp932.h"

#include <QFontDatabase>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace kelvane {
namespace {

constexpr LayoutColour kBlack = 0x000000;
constexpr LayoutColour kRed = 0x0000FF;  // 0x00BBGGRR: red in the low byte

QImage paint(QSize size, const std::function<void(PainterCanvas&)>& draw) {
  testing::EnsureGuiApplication();
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  PainterCanvas canvas(painter, false);
  draw(canvas);
  painter.end();
  return image;
}

bool isWhite(const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(255, 255, 255); }

int darkPixels(const QImage& image, QRect area) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (qGray(image.pixel(x, y)) < 128) ++count;
    }
  }
  return count;
}

TEST(PainterCanvas, LayoutColourOrder) {
  EXPECT_EQ(ToQColor(kRed), QColor(255, 0, 0));
  EXPECT_EQ(ToQColor(0xFF0000), QColor(0, 0, 255));
  EXPECT_EQ(ToQColor(12632256), QColor(192, 192, 192));
}

TEST(PainterCanvas, OnePixelLineLeavesItsEndPoint) {
  const QImage image = paint({20, 20}, [](PainterCanvas& c) {
    c.setPen(kBlack, PenStyle::Solid, 1);
    c.drawLine({2, 5}, {10, 5});
  });
  EXPECT_FALSE(isWhite(image, 2, 5));
  EXPECT_FALSE(isWhite(image, 9, 5));
  EXPECT_TRUE(isWhite(image, 10, 5));
  EXPECT_TRUE(isWhite(image, 5, 4));
  EXPECT_TRUE(isWhite(image, 5, 6));
}

TEST(PainterCanvas, FrameLeavesTheInsideVisible) {
  const QImage image = paint({20, 20}, [](PainterCanvas& c) {
    c.setBrush(kRed, BrushStyle::Solid);
    c.fillBox({0, 0}, {20, 20});
    c.setPen(kBlack, PenStyle::Solid, 1);
    c.drawFrame({8, 6}, {2, 2});  // corners in any order
  });
  EXPECT_EQ(image.pixel(2, 2), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(7, 5), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(4, 4), qRgb(255, 0, 0));  // inside untouched
  EXPECT_EQ(image.pixel(8, 3), qRgb(255, 0, 0));  // right edge excluded
  EXPECT_EQ(image.pixel(4, 6), qRgb(255, 0, 0));  // bottom edge excluded
}

TEST(PainterCanvas, FillExcludesRightAndBottomEdges) {
  const QImage image = paint({20, 20}, [](PainterCanvas& c) {
    c.setBrush(kRed, BrushStyle::Solid);
    c.fillBox({6, 5}, {2, 2});
  });
  EXPECT_EQ(image.pixel(2, 2), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(5, 4), qRgb(255, 0, 0));
  EXPECT_TRUE(isWhite(image, 6, 4));
  EXPECT_TRUE(isWhite(image, 5, 5));
}

TEST(PainterCanvas, ClearAndHatchedBrushes) {
  const QImage clear = paint({20, 20}, [](PainterCanvas& c) {
    c.setBrush(kRed, BrushStyle::Clear);
    c.fillBox({0, 0}, {20, 20});
  });
  EXPECT_EQ(darkPixels(clear, clear.rect()), 0);
  EXPECT_TRUE(isWhite(clear, 10, 10));
  const QImage hatched = paint({32, 32}, [](PainterCanvas& c) {
    c.setBrush(kBlack, BrushStyle::Horizontal);
    c.fillBox({0, 0}, {32, 32});
  });
  const int dark = darkPixels(hatched, hatched.rect());
  EXPECT_GT(dark, 0);
  EXPECT_LT(dark, 32 * 32 / 2);  // lines with white gaps between them
}

TEST(PainterCanvas, WidePenIsWide) {
  const QImage image = paint({30, 30}, [](PainterCanvas& c) {
    c.setPen(kBlack, PenStyle::Solid, 5);
    c.drawLine({5, 15}, {25, 15});
  });
  EXPECT_FALSE(isWhite(image, 15, 13));
  EXPECT_FALSE(isWhite(image, 15, 17));
  EXPECT_TRUE(isWhite(image, 15, 10));
}

// A dashed pen nine pixels wide (a preview pixel on a 600 dpi printer):
// nine pixels thick, dashes of 18 widths and gaps of 6, ends cut flat.
TEST(PainterCanvas, AWideDashedPenKeepsItsDashLengths) {
  const QImage image = paint({600, 40}, [](PainterCanvas& c) {
    c.setPen(kBlack, PenStyle::Dash, 9);
    c.drawLine({0, 20}, {600, 20});
  });
  std::vector<int> runs;  // lengths of dark and light runs along the line
  bool dark = true;
  int run = 0;
  for (int x = 0; x < 600; ++x) {
    if ((qGray(image.pixel(x, 20)) < 128) == dark) {
      ++run;
      continue;
    }
    runs.push_back(run);
    dark = !dark;
    run = 1;
  }
  ASSERT_GE(runs.size(), 4u);
  EXPECT_NEAR(runs[0], 162, 1);
  EXPECT_NEAR(runs[1], 54, 1);
  EXPECT_NEAR(runs[2], 162, 1);
  int thick = 0;
  for (int y = 0; y < 40; ++y) thick += qGray(image.pixel(80, y)) < 128;
  EXPECT_EQ(thick, 9);
}

TEST(PainterCanvas, TextHangsFromItsTopLeftCorner) {
  const QImage image = paint({120, 60}, [](PainterCanvas& c) {
    c.setFont(FontSpec{cp932::fromUtf8Literal("ＭＳ 明朝"), 30, false, false, kBlack});
    ASSERT_TRUE(c.textOut({20, 20}, cp932::fromUtf8Literal("領収")).ok());
  });
  EXPECT_GT(darkPixels(image, QRect(20, 20, 70, 32)), 50);
  EXPECT_EQ(darkPixels(image, QRect(0, 0, 120, 19)), 0);
  EXPECT_EQ(darkPixels(image, QRect(0, 0, 19, 60)), 0);
}

TEST(PainterCanvas, Byte5CIsDrawnAsTheYenSign) {
  auto drawText = [](const std::function<void(QPainter&, PainterCanvas&)>& how) {
    testing::EnsureGuiApplication();
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterCanvas canvas(painter, false);
    canvas.setFont(FontSpec{cp932::fromUtf8Literal("ＭＳ ゴシック"), 24, false, false, kBlack});
    how(painter, canvas);
    painter.end();
    return image;
  };
  const QImage fromByte = drawText([](QPainter&, PainterCanvas& c) {
    ASSERT_TRUE(c.textOut({5, 5}, "\\1").ok());
  });
  const QImage backslash = drawText([](QPainter& p, PainterCanvas& c) {
    ASSERT_TRUE(c.textOut({5, 5}, "x").ok());  // sets the font and pen the same way
    p.fillRect(0, 0, 60, 40, Qt::white);
    p.drawText(QPoint(5, 5 + QFontMetrics(p.font()).ascent()), QStringLiteral("\\1"));
  });
  const QImage yen = drawText([](QPainter& p, PainterCanvas& c) {
    ASSERT_TRUE(c.textOut({5, 5}, "x").ok());
    p.fillRect(0, 0, 60, 40, Qt::white);
    p.drawText(QPoint(5, 5 + QFontMetrics(p.font()).ascent()), QStringLiteral("¥1"));
  });
  EXPECT_EQ(fromByte, yen);
  EXPECT_NE(fromByte, backslash);
}

// A damaged byte spoils its character only: drawn as U+FFFD, the rest as is.
TEST(PainterCanvas, TextThatIsNotCp932IsDrawnWithTheReplacementCharacter) {
  const FontSpec font{cp932::fromUtf8Literal("ＭＳ ゴシック"), 24, false, false, kBlack};
  const QImage damaged = paint({80, 40}, [&font](PainterCanvas& c) {
    c.setFont(font);
    EXPECT_TRUE(c.textOut({5, 5}, QByteArray("A\xA0"
                                             "B"))
                    .ok());
  });
  testing::EnsureGuiApplication();
  QImage expected(80, 40, QImage::Format_RGB32);
  expected.fill(Qt::white);
  {
    QPainter p(&expected);
    PainterCanvas canvas(p, false);
    canvas.setFont(font);
    ASSERT_TRUE(canvas.textOut({5, 5}, "x").ok());  // the same font and pen
    p.fillRect(0, 0, 80, 40, Qt::white);
    p.drawText(QPoint(5, 5 + QFontMetrics(p.font()).ascent()), QStringLiteral("A\uFFFDB"));
  }
  EXPECT_EQ(damaged, expected);
}

// The box around the dark pixels within `area`.
QRect inkIn(const QImage& image, QRect area) {
  QRect ink;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (qGray(image.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
    }
  }
  return ink;
}

bool wide(QRect ink, QRect) { return ink.width() > ink.height(); }
bool tall(QRect ink, QRect) { return ink.height() > ink.width(); }
bool upperRight(QRect ink, QRect cell) {
  return ink.center().x() > cell.center().x() && ink.center().y() < cell.center().y();
}
bool acrossInOneCell(QRect ink, QRect cell) {
  return ink.left() >= cell.left() && ink.right() <= cell.right() &&
         ink.width() > cell.width() / 2 && ink.height() < cell.height();
}
bool alongTheColumn(QRect ink, QRect box) {
  return box.contains(ink) && ink.height() > 3 * ink.width();
}

// A 48-pixel column: what each vertical cell looks like, beside the same
// characters set upright.
TEST(PainterCanvas, VerticalCellsStandAsInAColumn) {
  const QRect cell(40, 40, 48, 48);
  struct Case {
    const char* text;
    std::optional<VerticalLook> look;  // none: upright, as horizontal text
    QRect box;
    bool (*check)(QRect ink, QRect box);
  };
  const Case cases[] = {
      {"（", VerticalLook::Turned, cell, wide},
      {"（", std::nullopt, cell, tall},
      {"）", VerticalLook::Turned, cell, wide},
      {"ー", VerticalLook::Turned, cell, tall},
      {"ー", std::nullopt, cell, wide},
      {"～", VerticalLook::Turned, cell, tall},
      {"…", VerticalLook::Turned, cell, tall},
      {"：", VerticalLook::Turned, cell, wide},  // no vertical glyph: turned a quarter
      {"：", std::nullopt, cell, tall},
      {"、", VerticalLook::Turned, cell, upperRight},
      {"。", VerticalLook::Turned, cell, upperRight},
      {"12", VerticalLook::SideBySide, cell, acrossInOneCell},
      {"100", VerticalLook::SideBySide, cell, acrossInOneCell},
      {"ABCD2024", VerticalLook::Clockwise, QRect(40, 40, 48, 192), alongTheColumn},
  };
  for (const char* face : {"ＭＳ 明朝", "ＭＳ ゴシック"}) {
    for (const Case& c : cases) {
      const QImage image = paint({160, 280}, [&](PainterCanvas& canvas) {
        canvas.setFont(FontSpec{cp932::fromUtf8Literal(face), 48, false, false, kBlack});
        const QByteArray text = cp932::fromUtf8Literal(c.text);
        if (c.look) {
          EXPECT_TRUE(canvas.textOutVertical(c.box, text, *c.look).ok());
        } else {
          EXPECT_TRUE(canvas.textOut(c.box.topLeft(), text).ok());
        }
      });
      const QRect ink = inkIn(image, image.rect());
      ASSERT_FALSE(ink.isEmpty()) << face << " " << c.text;
      EXPECT_TRUE(c.check(ink, c.box))
          << face << " " << c.text << (c.look ? "" : " upright") << " ink " << ink.x() << ","
          << ink.y() << " " << ink.width() << "x" << ink.height();
    }
  }
}

// Where the font has a vertical form (GSUB 'vert'), the cell shows exactly
// that glyph, standing where the upright character would.
TEST(PainterCanvas, TurnedCellsUseTheFontsOwnVerticalGlyphs) {
  const FontSpec font{cp932::fromUtf8Literal("ＭＳ 明朝"), 48, false, false, kBlack};
  for (const char* text : {"（", "ー", "、", "「"}) {
    const QImage turned = paint({100, 100}, [&](PainterCanvas& c) {
      c.setFont(font);
      EXPECT_TRUE(
          c.textOutVertical({20, 20, 48, 48}, cp932::fromUtf8Literal(text), VerticalLook::Turned)
              .ok());
    });
    QImage own(100, 100, QImage::Format_RGB32);
    own.fill(Qt::white);
    {
      QPainter p(&own);
      QFont qfont(QStringLiteral("IPAMincho"));
      qfont.setPixelSize(48);
      qfont.setStyleStrategy(QFont::PreferAntialias);
      const QRawFont raw = QRawFont::fromFont(qfont, QFontDatabase::Japanese);
      const quint32 glyph = raw.glyphIndexesForString(QString::fromUtf8(text)).value(0);
      const auto vertical = VerticalGlyphsOf(raw);
      ASSERT_TRUE(vertical->contains(glyph)) << text;
      QGlyphRun run;
      run.setRawFont(raw);
      run.setGlyphIndexes({vertical->value(glyph)});
      run.setPositions({QPointF(0, 0)});
      p.drawGlyphRun(QPointF(20, 20 + QFontMetrics(qfont).ascent()), run);
    }
    EXPECT_EQ(turned, own) << text;
  }
}

// The vertical glyph is the font's own: the PDF embeds it and prints it.
TEST(PainterCanvas, VerticalFormsPrintIntoPdf) {
  testing::EnsureGuiApplication();
  QTemporaryDir dir;
  const QString pdf = dir.filePath(QStringLiteral("vertical.pdf"));
  {
    QPdfWriter writer(pdf);
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QPageSize::A6));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    PainterCanvas canvas(painter, true);
    canvas.setFont(FontSpec{cp932::fromUtf8Literal("ＭＳ 明朝"), 200, false, false, kBlack});
    EXPECT_TRUE(canvas
                    .textOutVertical({400, 400, 200, 200}, cp932::fromUtf8Literal("（"),
                                     VerticalLook::Turned)
                    .ok());
    EXPECT_TRUE(canvas
                    .textOutVertical({400, 800, 200, 200}, cp932::fromUtf8Literal("ー"),
                                     VerticalLook::Turned)
                    .ok());
    EXPECT_TRUE(canvas.textOutVertical({400, 1200, 200, 200}, "12", VerticalLook::SideBySide).ok());
  }
  const QImage page = testing::RasterisePdf(pdf, 150, dir.filePath(QStringLiteral("page")));
  if (page.isNull()) GTEST_SKIP() << "pdftoppm is not installed";
  // 600 dpi cells of 200 pixels are 50 pixels at 150 dpi.
  const QRect bracket = inkIn(page, QRect(100, 100, 50, 50));
  const QRect vowel = inkIn(page, QRect(100, 200, 50, 50));
  const QRect digits = inkIn(page, QRect(90, 300, 70, 50));
  EXPECT_GT(bracket.width(), bracket.height());
  EXPECT_GT(vowel.height(), vowel.width());
  EXPECT_GE(digits.left(), 100);
  EXPECT_LT(digits.right(), 150);
  EXPECT_GT(digits.width(), 25);
}

TEST(PainterCanvas, BitmapIsStretchedOntoTheTarget) {
  QImage source(2, 1, QImage::Format_RGB32);
  source.setPixel(0, 0, qRgb(255, 0, 0));
  source.setPixel(1, 0, qRgb(0, 0, 255));
  const QImage image =
      paint({30, 30}, [&](PainterCanvas& c) { c.stretchBitmap(QRect(10, 10, 10, 5), source); });
  EXPECT_EQ(image.pixel(11, 12), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(18, 12), qRgb(0, 0, 255));
  EXPECT_TRUE(isWhite(image, 20, 12));
  EXPECT_TRUE(isWhite(image, 11, 15));
  EXPECT_TRUE(isWhite(image, 9, 12));
}

}  // namespace
}  // namespace kelvane
