// Texts with a width: the calls the renderer makes, and the ink they leave
// on a painter canvas at preview and printer resolution.

#include "layout/layout_slots.h"
#include "layout/text_fit.h"
#include "render/painter_canvas.h"
#include "render/recording_canvas.h"
#include "render/renderer.h"
#include "support/gui_app.h"
#include "text/cp932.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace kelvane {
namespace {

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

constexpr qint64 dpi(int whole) { return whole * 10000LL; }
constexpr qint64 mm(double value) { return static_cast<qint64>(value * 10000); }

// A nine-digit amount in kanji with both marks, as the amount item prints it.
const char* const kLongAmount = "＊金壱億弐千参百四拾五萬六千七百八拾九円也＊";

class FittedTextTest : public ::testing::Test {
 protected:
  LayoutDocument doc;
  RenderSettings settings;  // offsets 10 mm, preview resolution 67

  void SetUp() override {
    settings.metrics.printerDpiX = settings.metrics.printerDpiY = dpi(600);
    settings.metrics.screenDpiX = settings.metrics.screenDpiY = dpi(96);
  }
  RecordingCanvas preview(int line, const QByteArray& record, std::optional<TextFit> fit) {
    doc.setLine(line, record);
    SetFit(doc, line, fit);
    RecordingCanvas canvas(false);
    Renderer renderer;
    EXPECT_TRUE(renderer.DrawLayout(canvas, doc, settings, dpi(67), dpi(67)).ok());
    return canvas;
  }
};

// At 67 dpi a millimetre is 2.6378 pixels; the offset adds 10 mm.
int px67(double millimetres) { return static_cast<int>((millimetres + 10) * 2.6378); }

TEST_F(FittedTextTest, TextWithAWidthIsDrawnFittedInIt) {
  const QByteArray text = sj(kLongAmount);
  const QByteArray record = sj("char,0,40,30,ＭＳ 明朝,20,,0,0,0,") + text;
  struct Case {
    const char* what;
    int vertical;
    std::optional<TextFit> fit;
    bool fitted;
  };
  const Case cases[] = {
      {"no width", 0, std::nullopt, false},
      {"left", 0, TextFit{mm(80), TextAlign::Left}, true},
      {"right", 0, TextFit{mm(80.5), TextAlign::Right}, true},
      {"centre", 0, TextFit{mm(80), TextAlign::Centre}, true},
      {"horizontal flag 14", 14, TextFit{mm(80), TextAlign::Left}, true},
  };
  for (const Case& c : cases) {
    QByteArray r = record;
    if (c.vertical != 0) r.replace(",0,0,0,", ",0," + QByteArray::number(c.vertical) + ",0,");
    const RecordingCanvas canvas = preview(slotmap::kAmount, r, c.fit);
    const auto fitted = canvas.callsOf<FittedTextCall>();
    const auto plain = canvas.callsOf<TextCall>();
    if (!c.fitted) {
      EXPECT_TRUE(fitted.empty()) << c.what;
      EXPECT_EQ(plain, (std::vector{TextCall{{px67(40), px67(30)}, text}})) << c.what;
      continue;
    }
    EXPECT_TRUE(plain.empty()) << c.what;
    const double width = c.fit->width / 10000.0;
    EXPECT_EQ(fitted, (std::vector{FittedTextCall{
                          {px67(40), px67(30)}, text, px67(40 + width) - px67(40), c.fit->align}}))
        << c.what;
  }
}

TEST_F(FittedTextTest, OnlyTheLineWithTheWidthAndOnlyHorizontalTextIsFitted) {
  SetFit(doc, slotmap::kAddressee, TextFit{mm(50), TextAlign::Left});
  // The amount has no width of its own.
  RecordingCanvas canvas =
      preview(slotmap::kAmount, sj("char,0,40,30,,12,,0,0,0,AB"), std::nullopt);
  EXPECT_TRUE(canvas.callsOf<FittedTextCall>().empty());
  // Vertical text fits along its column (below), never across.
  canvas = preview(slotmap::kAddressee, sj("char,0,40,30,,12,,0,1,0,AB"),
                   TextFit{mm(50), TextAlign::Left});
  EXPECT_TRUE(canvas.callsOf<FittedTextCall>().empty());
  // The records themselves draw nothing.
  doc = LayoutDocument();
  SetFit(doc, slotmap::kAmount, TextFit{mm(50), TextAlign::Left});
  canvas = preview(0, doc.line(0), std::nullopt);
  EXPECT_TRUE(canvas.calls().empty());
}

TEST_F(FittedTextTest, SpacedTextKeepsItsCellsInTheWidth) {
  struct Case {
    const char* what;
    const char* spacing;
    TextFit fit;
    double firstCell;  // millimetres from the record's x
    double cell;
  };
  const Case cases[] = {
      {"cells fit", "5", {mm(30), TextAlign::Left}, 0, 5},
      {"cells narrowed", "5", {mm(12), TextAlign::Left}, 0, 3},
      {"narrowed, aligned right", "5", {mm(12), TextAlign::Right}, 0, 3},
      {"aligned right", "5", {mm(30), TextAlign::Right}, 10, 5},
      {"centred", "5", {mm(30), TextAlign::Centre}, 5, 5},
      // A negative spacing right-aligns at x without a width; with one the
      // width's alignment places the run.
      {"negative spacing", "-5", {mm(30), TextAlign::Left}, 0, 5},
  };
  for (const Case& c : cases) {
    const QByteArray record = "char,0,40,30,,12,," + QByteArray(c.spacing) + ",0,0,1234";
    const RecordingCanvas canvas = preview(slotmap::kBeforeTax, record, c.fit);
    const auto calls = canvas.callsOf<FittedTextCall>();
    ASSERT_EQ(calls.size(), 4u) << c.what;
    for (int i = 0; i < 4; ++i) {
      const double left = 40 + c.firstCell + i * c.cell;
      EXPECT_EQ(calls[i], (FittedTextCall{{px67(left), px67(30)},
                                          QByteArray(1, char('1' + i)),
                                          px67(left + c.cell) - px67(left),
                                          TextAlign::Left}))
          << c.what << " " << i;
    }
  }
}

// A width or place far beyond the page keeps the pixel width in range.
TEST_F(FittedTextTest, AWidthBeyondThePageStaysInTheDeviceRange) {
  for (const char* x : {"40", "-99999999999", "99999999999"}) {
    const QByteArray record = "char,0," + QByteArray(x) + ",30,,12,,0,0,0,AB";
    const RecordingCanvas canvas =
        preview(slotmap::kAmount, record, TextFit{mm(1e12), TextAlign::Right});
    const auto calls = canvas.callsOf<FittedTextCall>();
    ASSERT_EQ(calls.size(), 1u) << x;
    EXPECT_GE(calls[0].widthPixels, 0) << x;
    EXPECT_LE(calls[0].widthPixels, 1'000'000'000) << x;
  }
}

// A column of ten characters 5 mm apart is 50 mm long: in a longer height
// it is set at the top, the bottom or the middle; in a shorter one its
// steps shrink and its glyphs are condensed, below half also made smaller.
TEST_F(FittedTextTest, AVerticalColumnFitsItsHeight) {
  const QByteArray record = sj("char,0,40,30,,12,,5,1,0,あいうえおかきくけこ");
  struct Case {
    TextFit fit;
    double firstY, step;
    int heightPerMille;
    bool smaller;
  };
  const Case cases[] = {
      {{mm(100), TextAlign::Left}, 30, 5, 1000, false},
      {{mm(100), TextAlign::Right}, 80, 5, 1000, false},
      {{mm(100), TextAlign::Centre}, 55, 5, 1000, false},
      {{mm(50), TextAlign::Right}, 30, 5, 1000, false},
      {{mm(40), TextAlign::Left}, 30, 4, 800, false},
      {{mm(20), TextAlign::Centre}, 30, 2, 500, true},
  };
  const int em = 11;  // 12 points at 67 dpi
  for (const Case& c : cases) {
    const RecordingCanvas canvas = preview(slotmap::kAddressee, record, c.fit);
    const auto texts = canvas.callsOf<TextCall>();
    ASSERT_EQ(texts.size(), 10u) << c.fit.width;
    for (int i = 0; i < 10; ++i)
      EXPECT_EQ(texts[i].topLeft.y(), px67(c.firstY + i * c.step)) << c.fit.width << " " << i;
    const FontSpec font = canvas.callsOf<FontCall>().back().font;
    EXPECT_EQ(font.heightPerMille, c.heightPerMille) << c.fit.width;
    EXPECT_EQ(font.pixelHeight < em, c.smaller) << c.fit.width;
    // Made smaller, the column keeps to the middle of where it stood.
    if (c.smaller) {
      EXPECT_GT(texts[0].topLeft.x(), px67(40));
    } else {
      EXPECT_EQ(texts[0].topLeft.x(), px67(40));
    }
  }
}

TEST_F(FittedTextTest, RecordedFittedTextReplays) {
  RecordingCanvas source = preview(slotmap::kAmount, sj("char,0,40,30,,12,,0,0,0,AB"),
                                   TextFit{mm(20), TextAlign::Centre});
  RecordingCanvas target;
  ASSERT_TRUE(source.replay(target).ok());
  EXPECT_EQ(target.calls(), source.calls());
}

// ---- ink on a painter canvas

struct InkSpan {
  int left = -1, right = -1;  // columns with ink, inclusive; -1 when none
};

InkSpan inkColumns(const QImage& image) {
  InkSpan span;
  for (int x = 0; x < image.width(); ++x) {
    for (int y = 0; y < image.height(); ++y) {
      if (qGray(image.pixel(x, y)) >= 160) continue;
      if (span.left < 0) span.left = x;
      span.right = x;
      break;
    }
  }
  return span;
}

class FittedInkTest : public ::testing::TestWithParam<int> {
 protected:
  // Renders the amount item with `text` at 20 pt, x = 20 mm, `fit`, on an
  // image of the page at the parameter's resolution.
  QImage render(const char* text, const TextFit& fit) {
    testing::EnsureGuiApplication();
    const int resolution = GetParam();
    const bool printer = resolution == 600;
    RenderSettings settings;
    settings.metrics.printerDpiX = settings.metrics.printerDpiY = dpi(600);
    settings.metrics.screenDpiX = settings.metrics.screenDpiY = dpi(96);
    LayoutDocument doc;
    doc.setLine(slotmap::kAmount, sj("char,0,20,10,ＭＳ 明朝,20,,0,0,0,") + sj(text));
    SetFit(doc, slotmap::kAmount, fit);
    const double perMm = resolution / 25.4;
    QImage image(int(160 * perMm), int(40 * perMm), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterCanvas canvas(painter, printer);
    Renderer renderer;
    EXPECT_TRUE(renderer.DrawLayout(canvas, doc, settings, dpi(resolution), dpi(resolution)).ok());
    painter.end();
    return image;
  }
  // The box's pixel columns: [left, right).
  std::pair<int, int> box(const TextFit& fit) const {
    const double perMm = PixelsPerMillimetre(dpi(GetParam())) / 10000.0;
    return {int(30 * perMm), int((30 + fit.width / 10000.0) * perMm)};
  }
};

TEST_P(FittedInkTest, LongTextIsCondensedIntoItsWidth) {
  // 60 mm: condensed sideways only; 25 mm: below half, so smaller as well.
  for (const TextFit fit : {TextFit{mm(60), TextAlign::Left}, TextFit{mm(25), TextAlign::Right}}) {
    const InkSpan ink = inkColumns(render(kLongAmount, fit));
    const auto [left, right] = box(fit);
    ASSERT_GE(ink.left, 0);
    EXPECT_GE(ink.left, left) << fit.width;
    EXPECT_LT(ink.right, right) << fit.width;
    // Condensed, not shrunk to a dot: the text still spans most of the width.
    EXPECT_GT(ink.right - ink.left, (right - left) * 8 / 10) << fit.width;
  }
}

TEST_P(FittedInkTest, ShortTextIsAlignedInItsWidth) {
  const TextFit width{mm(100), TextAlign::Left};
  const auto [left, right] = box(width);
  const InkSpan natural = inkColumns(render("12,345", width));
  const int inkWidth = natural.right - natural.left;
  ASSERT_GT(inkWidth, 0);
  EXPECT_LT(natural.left - left, inkWidth / 4 + 2);  // starts at the left
  const InkSpan atRight = inkColumns(render("12,345", {width.width, TextAlign::Right}));
  EXPECT_EQ(atRight.right - atRight.left, inkWidth);  // not condensed
  EXPECT_LT(atRight.right, right);
  EXPECT_GT(atRight.right, right - inkWidth / 4 - 3);
  const InkSpan centred = inkColumns(render("12,345", {width.width, TextAlign::Centre}));
  const int middle = (centred.left + centred.right) / 2;
  EXPECT_NEAR(middle, (left + right) / 2, inkWidth / 4 + 2);
}

// The ink of a vertical column longer than its height stays inside it.
TEST_P(FittedInkTest, ALongColumnIsCondensedIntoItsHeight) {
  testing::EnsureGuiApplication();
  const int resolution = GetParam();
  RenderSettings settings;
  settings.metrics.printerDpiX = settings.metrics.printerDpiY = dpi(600);
  LayoutDocument doc;
  doc.setLine(slotmap::kAmount, sj("char,0,20,10,ＭＳ 明朝,20,,8,1,0,") + sj(kLongAmount));
  const double perMm = PixelsPerMillimetre(dpi(resolution)) / 10000.0;
  for (const qint64 height : {mm(120), mm(60)}) {  // condensed; below half, smaller too
    SetFit(doc, slotmap::kAmount, TextFit{height, TextAlign::Left});
    QImage image(int(60 * perMm), int(220 * perMm), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterCanvas canvas(painter, resolution == 600);
    ASSERT_TRUE(
        Renderer().DrawLayout(canvas, doc, settings, dpi(resolution), dpi(resolution)).ok());
    painter.end();
    int top = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (qGray(image.pixel(x, y)) < 160) {
          if (top < 0) top = y;
          bottom = y;
          break;
        }
    ASSERT_GE(top, 0);
    EXPECT_GE(top, int(20 * perMm)) << height;
    EXPECT_LT(bottom, int((20 + height / 10000.0) * perMm) + 1) << height;
    EXPECT_GT(bottom - top, (height / 10000.0) * perMm * 0.8) << height;
  }
}

INSTANTIATE_TEST_SUITE_P(PreviewAndPrinter, FittedInkTest, ::testing::Values(67, 600));

}  // namespace
}  // namespace kelvane
