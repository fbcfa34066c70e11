#include "render/renderer.h"

#include "render/picture_loader.h"
#include "render/recording_canvas.h"
#include "text/cp932.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kelvane {
namespace {

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

constexpr qint64 dpi(int whole) { return whole * 10000LL; }

class RendererTest : public ::testing::Test {
 protected:
  LayoutDocument doc;
  RenderSettings settings;  // offsets 10 mm, preview resolution 67 (96 dpi at 70 %)
  RecordingCanvas preview{false};
  RecordingCanvas printer{true};

  void SetUp() override {
    settings.metrics.printerDpiX = settings.metrics.printerDpiY = dpi(600);
    settings.metrics.screenDpiX = settings.metrics.screenDpiY = dpi(96);
  }
  // Puts `record` in the first shape slot and draws the preview at 67 dpi.
  Expected<void> drawPreview(const QByteArray& record, int line = 12) {
    doc.setLine(line, record);
    Renderer renderer;
    return renderer.DrawLayout(preview, doc, settings, dpi(67), dpi(67));
  }
  Expected<void> drawPrinter(const QByteArray& record, int line = 12) {
    doc.setLine(line, record);
    Renderer renderer;
    return renderer.DrawLayout(printer, doc, settings, dpi(600), dpi(600));
  }
};

TEST(PixelsPerMillimetre, RoundedToFourDecimals) {
  EXPECT_EQ(PixelsPerMillimetre(dpi(67)), 26378);    // 2.6378
  EXPECT_EQ(PixelsPerMillimetre(dpi(600)), 236220);  // 23.622
  EXPECT_EQ(PixelsPerMillimetre(dpi(96)), 37795);
}

TEST_F(RendererTest, LineOnThePreview) {
  ASSERT_TRUE(drawPreview(sj("line,0,10,10,100,10,1,実線,0,")).ok());
  EXPECT_EQ(preview.callsOf<LineCall>(), (std::vector{LineCall{{52, 52}, {290, 52}}}));
  EXPECT_EQ(preview.callsOf<PenCall>(), (std::vector{PenCall{0, PenStyle::Solid, 1}}));
}

TEST_F(RendererTest, SameLinePrintedAt600Dpi) {
  ASSERT_TRUE(drawPrinter(sj("line,0,10,10,100,10,1,実線,0,")).ok());
  // (10 + 10) x 23.622 = 472.44 and (10 + 100) x 23.622 = 2598.42
  EXPECT_EQ(printer.callsOf<LineCall>(), (std::vector{LineCall{{472, 472}, {2598, 472}}}));
  // 1 + 1 - 1 + 4 = 5 steps at the preview's 67 dpi: 2.33 -> 2 pixels
  EXPECT_EQ(printer.callsOf<PenCall>(), (std::vector{PenCall{0, PenStyle::Solid, 2}}));
}

TEST_F(RendererTest, LineWidthRules) {
  settings.previewResolution = 96;
  ASSERT_TRUE(drawPreview(sj("line,0,1,1,2,2,5,破線,255,")).ok());
  EXPECT_EQ(preview.callsOf<PenCall>().back(), (PenCall{255, PenStyle::Dash, 1}));
  ASSERT_TRUE(drawPreview(sj("rect,0,1,1,2,2,5,実線,0,")).ok());
  EXPECT_EQ(preview.callsOf<PenCall>().back().width, 3);  // 5 x 96 / 144 = 3.33
  ASSERT_TRUE(drawPreview(sj("rect,0,1,1,2,2,4,実線,0,")).ok());
  EXPECT_EQ(preview.callsOf<PenCall>().back().width, 3);  // 4 x 96 / 144 = 2.67
  settings.previewResolution = 72;
  ASSERT_TRUE(drawPreview(sj("line,0,1,1,2,2,2,実線,0,")).ok());
  EXPECT_EQ(preview.callsOf<PenCall>().back().width, 1);  // 2 x 72 / 144 = 1.0
  ASSERT_TRUE(drawPreview(sj("line,0,1,1,2,2,4,実線,0,")).ok());
  EXPECT_EQ(preview.callsOf<PenCall>().back().width, 2);  // 3 x 72 / 144 = 1.5 -> 2
  settings.lineWeightOffset = "0";
  ASSERT_TRUE(drawPreview(sj("line,0,1,1,2,2,0,実線,0,")).ok());
  EXPECT_EQ(preview.callsOf<PenCall>().back().width, 1);  // -1 steps still draw 1 pixel
  ASSERT_TRUE(drawPreview(sj("line,0,1,1,2,2,9,立体線,0,")).ok());
  EXPECT_EQ(preview.callsOf<PenCall>().back(), (PenCall{0, PenStyle::InsideFrame, 1}));
}

// A dashed or dotted line prints as wide as the preview shows it: one pixel
// at the preview's resolution, so its dashes keep their length on paper.
TEST_F(RendererTest, PatternedLinesPrintAsWideAsThePreviewShowsThem) {
  const std::tuple<const char*, int, int, PenStyle, int> cases[] = {
      // record style, printer dpi, preview resolution, pen, printed width
      {"破線", 600, 67, PenStyle::Dash, 9},  // 600 / 67 = 8.96
      {"点線", 600, 96, PenStyle::Dot, 6},   // 6.25
      {"一点鎖線", 300, 67, PenStyle::DashDot, 4},
      {"二点鎖線", 1200, 200, PenStyle::DashDotDot, 6},
      {"点線", 600, 0, PenStyle::Dot, 1},  // no preview yet: one pixel
      {"立体線", 600, 67, PenStyle::InsideFrame, 1},
      {"実線", 600, 67, PenStyle::Solid, 2},  // the solid rule stays
  };
  for (const auto& [name, printerDpi, previewDpi, pen, width] : cases) {
    settings.metrics.printerDpiX = settings.metrics.printerDpiY = dpi(printerDpi);
    settings.previewResolution = previewDpi;
    ASSERT_TRUE(drawPrinter(sj("line,0,1,1,2,2,1,") + sj(name) + ",0,").ok());
    EXPECT_EQ(printer.callsOf<PenCall>().back(), (PenCall{0, pen, width})) << name;
    ASSERT_TRUE(drawPreview(sj("line,0,1,1,2,2,1,") + sj(name) + ",0,").ok());
    if (pen != PenStyle::Solid) {
      EXPECT_EQ(preview.callsOf<PenCall>().back().width, 1) << name;
    }
  }
}

TEST_F(RendererTest, FrameAndFilledBox) {
  ASSERT_TRUE(drawPreview(sj("rect,0,0,0,10,5,1,点線,65280,")).ok());
  EXPECT_EQ(preview.callsOf<FrameCall>(), (std::vector{FrameCall{{26, 26}, {52, 39}}}));
  preview.clear();
  ASSERT_TRUE(drawPreview(sj("fillrect,1,10,10,60,20,1,水平,12632256,")).ok());
  ASSERT_EQ(preview.calls().size(), 3u);
  EXPECT_EQ(std::get<BrushCall>(preview.calls()[0]), (BrushCall{12632256, BrushStyle::Horizontal}));
  EXPECT_EQ(std::get<FillCall>(preview.calls()[1]), (FillCall{{52, 52}, {184, 79}}));
  // The brush is left clear so later texts and frames paint no background.
  EXPECT_EQ(std::get<BrushCall>(preview.calls()[2]).style, BrushStyle::Clear);
}

TEST_F(RendererTest, StyleNamesAndUnknownNames) {
  ASSERT_TRUE(drawPreview(sj("fillrect,0,1,1,2,2,1,枠,0,")).ok());
  EXPECT_EQ(preview.callsOf<BrushCall>().front().style, BrushStyle::Solid);
  ASSERT_TRUE(drawPreview(sj("line,0,1,1,2,2,1,波線,0,")).ok());
  EXPECT_EQ(preview.callsOf<PenCall>().back().style, PenStyle::Solid);
  ASSERT_TRUE(drawPreview(sj("line,0,1,1,2,2,1,二点鎖線,0,")).ok());
  EXPECT_EQ(preview.callsOf<PenCall>().back().style, PenStyle::DashDotDot);
}

TEST_F(RendererTest, PreviewModeOneDropsTheOffsetOnThePreviewOnly) {
  settings.previewMode = 1;
  ASSERT_TRUE(drawPreview(sj("line,0,0,0,10,0,1,実線,0,")).ok());
  EXPECT_EQ(preview.callsOf<LineCall>().front().from, QPoint(0, 0));
  ASSERT_TRUE(drawPrinter(sj("line,0,0,0,10,0,1,実線,0,")).ok());
  EXPECT_EQ(printer.callsOf<LineCall>().front().from, QPoint(236, 236));
  // A decimal overall offset counts in whole millimetres.
  settings.previewMode = 0;
  settings.offsetX = 105000;
  preview.clear();
  ASSERT_TRUE(drawPreview(sj("line,0,0,0,10,0,1,実線,0,")).ok());
  EXPECT_EQ(preview.callsOf<LineCall>().front().from.x(), 26);
}

TEST_F(RendererTest, PreviewOnlyElements) {
  const QByteArray record = sj("line,1,10,10,100,10,1,実線,0,");
  ASSERT_TRUE(drawPreview(record).ok());
  EXPECT_EQ(preview.callsOf<LineCall>().size(), 1u);
  settings.showOnlyPrinted = true;
  preview.clear();
  ASSERT_TRUE(drawPreview(record).ok());
  EXPECT_TRUE(preview.callsOf<LineCall>().empty());
  settings.showOnlyPrinted = false;
  ASSERT_TRUE(drawPrinter(record).ok());
  EXPECT_TRUE(printer.callsOf<LineCall>().empty());
  // An empty flag, or any other number, is drawn everywhere.
  doc.setLine(12, sj("line,,10,10,100,10,1,実線,0,"));
  printer.clear();
  ASSERT_TRUE(drawPrinter(sj("line,2,10,10,100,10,1,実線,0,"), 13).ok());
  EXPECT_EQ(printer.callsOf<LineCall>().size(), 2u);
}

TEST_F(RendererTest, HeaderLinesAndUnknownKindsDrawNothing) {
  doc.setLine(1, "My,Style,");  // a title with a comma must not stop printing
  doc.setLine(2, "10,10,1,0,9,0,380,70,7,-1,");
  doc.setLine(5, "No.,5,12,");
  ASSERT_TRUE(drawPrinter("LINE,0,1,1,2,2,1,x,0,").ok());
  EXPECT_TRUE(printer.calls().empty());
}

TEST_F(RendererTest, ConversionErrorStopsThePassAtThatElement) {
  doc.setLine(13, sj("line,0,1,1,2,2,1,実線,0,"));
  doc.setLine(14, sj("line,0,1,1,abc,2,1,実線,0,"));
  doc.setLine(15, sj("line,0,1,1,2,2,1,実線,0,"));
  Renderer renderer;
  auto result = renderer.DrawLayout(preview, doc, settings, dpi(67), dpi(67));
  ASSERT_FALSE(result.ok());
  EXPECT_TRUE(result.error().contains(QStringLiteral("「abc」"))) << result.error().toStdString();
  EXPECT_TRUE(result.error().contains(QStringLiteral("15 行目"))) << result.error().toStdString();
  EXPECT_EQ(renderer.failedLine(), 14);
  EXPECT_EQ(preview.callsOf<LineCall>().size(), 1u);
  // The same renderer forgets the line once a pass draws everything.
  doc.setLine(14, sj("line,0,1,1,2,2,1,実線,0,"));
  ASSERT_TRUE(renderer.DrawLayout(preview, doc, settings, dpi(67), dpi(67)).ok());
  EXPECT_EQ(renderer.failedLine(), -1);
}

TEST_F(RendererTest, StrictFieldsAndLenientColours) {
  EXPECT_FALSE(drawPreview(sj("line,0,1,1,2,2,,実線,0,")).ok());          // empty width
  EXPECT_FALSE(drawPreview(sj("char,0,1,1,ＭＳ 明朝,12,,0,,0,x")).ok());  // empty vertical
  EXPECT_FALSE(drawPrinter(sj("line,yes,1,1,2,2,1,実線,0,")).ok());       // flag on the printer
  EXPECT_TRUE(drawPreview(sj("line,yes,1,1,2,2,1,実線,0,")).ok());        // not read on the preview
  EXPECT_TRUE(drawPreview(sj("line,0,1,1,2,2,1,実線,red,")).ok());
  EXPECT_EQ(preview.callsOf<PenCall>().back().colour, 0u);
  settings.lineWeightOffset = "x";
  doc.setLine(12, sj("line,0,1,1,2,2,1,実線,0,"));
  Renderer renderer;
  auto bad = renderer.DrawLayout(preview, doc, settings, dpi(67), dpi(67));
  ASSERT_FALSE(bad.ok());
  EXPECT_TRUE(bad.error().contains(QStringLiteral("線の太さの調整「x」")))
      << bad.error().toStdString();
  EXPECT_EQ(renderer.failedLine(), -1) << "the setting is at fault, not the line";
}

// The preview-only flag is read before the numbers, and only where such
// elements are left out: a damaged preview-only element never stops the
// printout, and on paper a damaged flag is named before a damaged number.
TEST_F(RendererTest, PreviewOnlyFlagIsReadBeforeTheNumbers) {
  EXPECT_TRUE(drawPrinter(sj("image,1,x,1,a.jpg,,,,0,0")).ok());
  EXPECT_FALSE(drawPreview(sj("image,1,x,1,a.jpg,,,,0,0")).ok());
  const auto both = drawPrinter(sj("char,y,x,1,,12,,0,0,0,text"));
  ASSERT_FALSE(both.ok());
  EXPECT_TRUE(both.error().contains(QStringLiteral("「y」は整数として")))
      << both.error().toStdString();
  const auto number = drawPreview(sj("char,y,x,1,,12,,0,0,0,text"));
  ASSERT_FALSE(number.ok());
  EXPECT_TRUE(number.error().contains(QStringLiteral("「x」は数値として")))
      << number.error().toStdString();
}

// A text with bytes that are not cp932 is drawn, in one run or character
// by character, and said once for its line; the pass goes on to the end.
TEST_F(RendererTest, DamagedTextIsDrawnAndSaidNotStopped) {
  const struct {
    QByteArray record;
    std::size_t textCalls;
  } cases[] = {{QByteArray("char,0,20,20,,12,,0,0,0,A\xA0"
                           "B"),
                1},
               {QByteArray("char,0,20,20,,12,,5,0,0,A\xA0"
                           "B"),
                3},
               {QByteArray("char,0,20,20,,12,,5,1,0,A\x81\x20"), 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.record.toHex().toStdString());
    preview.clear();
    doc.setLine(129, c.record);
    doc.setLine(130, sj("line,0,10,10,100,10,1,実線,0,"));
    Renderer renderer;
    ASSERT_TRUE(renderer.DrawLayout(preview, doc, settings, dpi(67), dpi(67)).ok());
    EXPECT_EQ(preview.callsOf<TextCall>().size(), c.textCalls);
    EXPECT_EQ(preview.callsOf<LineCall>().size(), 1u) << "the element after it is drawn";
    ASSERT_EQ(renderer.warnings().size(), 1);
    const QString& said = renderer.warnings().first();
    EXPECT_TRUE(said.contains(QStringLiteral("130 行目"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("\uFFFD")));

    // A later pass without the damage says nothing.
    doc.setLine(129, sj("char,0,20,20,,12,,0,0,0,領収"));
    ASSERT_TRUE(renderer.DrawLayout(preview, doc, settings, dpi(67), dpi(67)).ok());
    EXPECT_TRUE(renderer.warnings().isEmpty());
  }
}

TEST_F(RendererTest, TextAtOriginOrEmptyIsNotDrawn) {
  ASSERT_TRUE(drawPreview(sj("char,0,0,0,ＭＳ 明朝,12,,0,0,0,未配置"), 239).ok());
  ASSERT_TRUE(drawPreview(sj("char,0,5,5,ＭＳ 明朝,12,,0,0,0,"), 240).ok());
  ASSERT_TRUE(drawPreview(",,,,,,,,,,No.00012", 241).ok());  // never placed: no kind
  EXPECT_TRUE(preview.callsOf<TextCall>().empty());
}

// The items after line 266 (登録番号, the amounts and taxes by rate) are
// drawn like every other item, in line order; unplaced ones are not.
TEST_F(RendererTest, ExtensionItemsAreDrawnLikeTheOthers) {
  doc.setLine(266, sj("char,0,10,10,,12,,0,0,0,宛名"));
  doc.setLine(267, sj("char,0,10,20,,12,,0,0,0,T7000012050002"));
  doc.setLine(270, sj("char,0,0,0,,12,,0,0,0,未配置"));
  doc.setLine(275, sj("char,1,10,40,,12,,0,0,0,240"));
  ASSERT_TRUE(drawPreview(sj("char,0,10,30,,12,,0,0,0,10,000"), 268).ok());
  std::vector<QByteArray> drawn;
  for (const TextCall& t : preview.callsOf<TextCall>()) drawn.push_back(t.text);
  EXPECT_EQ(drawn, (std::vector<QByteArray>{sj("宛名"), "T7000012050002", "10,000", "240"}));
  ASSERT_TRUE(drawPrinter(sj("char,0,10,30,,12,,0,0,0,10,000"), 268).ok());
  EXPECT_EQ(printer.callsOf<TextCall>().size(), 3u);  // the stub's preview-only tax left out
}

TEST_F(RendererTest, HorizontalTextInOneRun) {
  ASSERT_TRUE(drawPreview(sj("char,0,40.5,18,ＭＳ 明朝,12,太字,0,0,255,合計,金額"), 127).ok());
  const auto fonts = preview.callsOf<FontCall>();
  ASSERT_EQ(fonts.size(), 1u);
  EXPECT_EQ(fonts[0].font, (FontSpec{sj("ＭＳ 明朝"), 11, true, false, 255}));  // 12 x 67 / 72
  EXPECT_EQ(preview.callsOf<TextCall>(),
            (std::vector{TextCall{{133, 73}, sj("合計,金額")}}));  // 50.5 x 2.6378, 28 x 2.6378
}

TEST_F(RendererTest, PrintedTextIsThePointSizeAtThePrinter) {
  ASSERT_TRUE(drawPrinter(sj("char,0,10,10,ＭＳ 明朝,12,斜体,0,0,0,領収"), 127).ok());
  // 11 pixels at 67 dpi are 12 points again; 12 points at 600 dpi are 100 pixels.
  EXPECT_EQ(printer.callsOf<FontCall>()[0].font.pixelHeight, 100);
  EXPECT_TRUE(printer.callsOf<FontCall>()[0].font.italic);
  settings.previewResolution = 9;  // zoom 10 %: the size may move by a point
  printer.clear();
  ASSERT_TRUE(drawPrinter(sj("char,0,10,10,ＭＳ 明朝,10,,0,0,0,領収"), 127).ok());
  // 10 pt are 1 pixel at 9 dpi, which the printer takes back as 8 points.
  EXPECT_EQ(printer.callsOf<FontCall>()[0].font.pixelHeight, 67);
}

TEST_F(RendererTest, NegativeSpacingRightAlignsInCells) {
  settings.offsetX = 0;
  settings.offsetY = 0;
  ASSERT_TRUE(drawPreview(sj("char,0,100,10,ＭＳ 明朝,12,,-5,0,0,ABCD"), 127).ok());
  std::vector<int> xs;
  for (const auto& t : preview.callsOf<TextCall>()) xs.push_back(t.topLeft.x());
  // 80, 85, 90 and 95 mm at 2.6378 pixels per mm
  EXPECT_EQ(xs, (std::vector<int>{211, 224, 237, 250}));
  EXPECT_EQ(preview.callsOf<TextCall>()[0].text, "A");
}

TEST_F(RendererTest, SpacedTextCountsTwoByteCharactersAndStopsAt256Bytes) {
  QByteArray text = sj("漢");
  text += QByteArray(254, 'a');  // bytes 2..255
  text += sj("字");              // starts at byte 256: not drawn
  ASSERT_TRUE(drawPreview(sj("char,0,1,1,ＭＳ 明朝,12,,2,0,0,") + text, 127).ok());
  const auto calls = preview.callsOf<TextCall>();
  ASSERT_EQ(calls.size(), 255u);
  EXPECT_EQ(calls[0].text, sj("漢"));
  EXPECT_EQ(calls[1].text, "a");
  // The one-run mode draws a long text whole.
  preview.clear();
  ASSERT_TRUE(drawPreview(sj("char,0,1,1,ＭＳ 明朝,12,,0,0,0,") + text, 127).ok());
  EXPECT_EQ(preview.callsOf<TextCall>()[0].text, text);
}

TEST_F(RendererTest, VerticalTextMovesSmallKanaAndTurnsTheDash) {
  settings.offsetX = settings.offsetY = 0;
  ASSERT_TRUE(drawPreview(sj("char,0,10,10,ＭＳ 明朝,12,,5,1,0,しゃっ－き"), 127).ok());
  const auto calls = preview.callsOf<TextCall>();
  ASSERT_EQ(calls.size(), 5u);
  const int column = 26;  // 10 mm x 2.6378
  EXPECT_EQ(calls[0].topLeft, QPoint(column, 26));
  EXPECT_EQ(calls[1].topLeft, QPoint(column + 3, 39));  // ゃ: 12 pt / 4 = 3 pixels right
  EXPECT_EQ(calls[2].topLeft, QPoint(column + 3, 52));  // っ
  EXPECT_EQ(calls[3].text, sj("｜"));
  EXPECT_EQ(calls[3].topLeft.x(), column);
  EXPECT_EQ(calls[4].topLeft, QPoint(column, 79));  // 30 mm

  // At the edge of the device range the moved kana stays inside it.
  preview.clear();
  ASSERT_TRUE(drawPreview(sj("char,0,1521474836480,10,ＭＳ 明朝,14,,5,1,0,ゃ"), 127).ok());
  EXPECT_EQ(preview.callsOf<TextCall>().at(0).topLeft.x(), 1'000'000'000);
}

TEST_F(RendererTest, VerticalSpacesAdvanceAQuarterAndNegativeSpacingGoesUp) {
  settings.offsetX = settings.offsetY = 0;
  ASSERT_TRUE(drawPreview(sj("char,0,10,100,ＭＳ 明朝,12,,10,3,0,a b"), 127).ok());
  std::vector<int> ys;
  for (const auto& t : preview.callsOf<TextCall>()) ys.push_back(t.topLeft.y());
  // 100, 110, 112.5 mm
  EXPECT_EQ(ys, (std::vector<int>{263, 290, 296}));
  preview.clear();
  ASSERT_TRUE(drawPreview(sj("char,0,10,100,ＭＳ 明朝,12,,-10,13,0,aあ"), 127).ok());
  EXPECT_EQ(preview.callsOf<TextCall>()[1].topLeft.y(), 237);  // 90 mm
  preview.clear();
  ASSERT_TRUE(drawPreview(sj("char,0,10,100,ＭＳ 明朝,12,,10,7,0,ab"), 127).ok());
  EXPECT_TRUE(preview.callsOf<TextCall>().empty());  // 7 is no writing direction
}

// Every text drawn by the pass, upright ("月 26,39": text and top-left) or
// in a vertical cell ("12 across 26,26 11x11": text, look and box).
std::vector<std::string> drawnTexts(const RecordingCanvas& canvas) {
  std::vector<std::string> out;
  for (const auto& call : canvas.calls()) {
    if (const auto* t = std::get_if<TextCall>(&call)) {
      out.push_back(QStringLiteral("%1 %2,%3")
                        .arg(cp932::decodeReplacing(t->text))
                        .arg(t->topLeft.x())
                        .arg(t->topLeft.y())
                        .toStdString());
    } else if (const auto* v = std::get_if<VerticalTextCall>(&call)) {
      const char* look = v->look == VerticalLook::Turned       ? "turned"
                         : v->look == VerticalLook::SideBySide ? "across"
                                                               : "along";
      out.push_back(QStringLiteral("%1 %2 %3,%4 %5x%6")
                        .arg(cp932::decodeReplacing(v->text), QLatin1String(look))
                        .arg(v->box.x())
                        .arg(v->box.y())
                        .arg(v->box.width())
                        .arg(v->box.height())
                        .toStdString());
    }
  }
  return out;
}

// At 67 dpi a 12-point character is 11 pixels; cells of 5 mm start at 10, 15,
// 20, 25 and 30 mm: 26, 39, 52, 65 and 79 pixels.
TEST_F(RendererTest, VerticalTextTurnsMarksAndSetsHalfWidthRuns) {
  settings.offsetX = settings.offsetY = 0;
  struct Case {
    const char* text;
    std::vector<std::string> drawn;
  };
  const std::vector<Case> cases = {
      {"12月", {"12 across 26,26 11x11", "月 26,39"}},
      {"100円", {"100 across 26,26 11x11", "円 26,39"}},
      {"2024年", {"2024 along 26,26 11x24", "年 26,52"}},
      {"No.12345号", {"No.12345 along 26,26 11x50", "号 26,79"}},
      {"5kg", {"5kg along 26,26 11x24"}},
      {"A1個", {"A1 along 26,26 11x11", "個 26,39"}},
      {"12ab34", {"12ab34 along 26,26 11x37"}},
      {"1日", {"1 26,26", "日 26,39"}},
      {"1 2", {"1 26,26", "  26,39", "2 26,42"}},  // a space is a quarter cell
      {"ｱｲ", {"ｱ 26,26", "ｲ 26,39"}},              // half-width kana stay upright
      {"（株）", {"（ turned 26,26 11x11", "株 26,39", "） turned 26,52 11x11"}},
      {"ね、。", {"ね 26,26", "、 turned 26,39 11x11", "。 turned 26,52 11x11"}},
      {"コピー", {"コ 26,26", "ピ 26,39", "ー turned 26,52 11x11"}},
      {"「～…：」",
       {"「 turned 26,26 11x11", "～ turned 26,39 11x11", "… turned 26,52 11x11",
        "： turned 26,65 11x11", "」 turned 26,79 11x11"}},
      {"－ッ", {"｜ 26,26", "ッ 29,39"}},
  };
  for (const Case& c : cases) {
    preview.clear();
    ASSERT_TRUE(drawPreview(sj("char,0,10,10,ＭＳ 明朝,12,,5,1,0,") + sj(c.text), 127).ok());
    EXPECT_EQ(drawnTexts(preview), c.drawn) << c.text;
  }
}

TEST_F(RendererTest, VerticalRunsUpwardOnThePrinterAndAtTheWindowEnd) {
  settings.offsetX = settings.offsetY = 0;
  // Written upward: the run's box reaches from its higher cell (0 mm).
  ASSERT_TRUE(drawPreview(sj("char,0,10,10,ＭＳ 明朝,12,,-5,3,0,漢2024字"), 127).ok());
  EXPECT_EQ(drawnTexts(preview),
            (std::vector<std::string>{"漢 26,26", "2024 along 26,0 11x24", "字 26,-13"}));
  // On the printer the cell is the printed em.
  ASSERT_TRUE(drawPrinter(sj("char,0,10,10,ＭＳ 明朝,12,,5,13,0,（12"), 127).ok());
  EXPECT_EQ(drawnTexts(printer),
            (std::vector<std::string>{"（ turned 236,236 100x100", "12 across 236,354 100x100"}));
  RecordingCanvas replayed(true);  // the benchmark replays vertical cells too
  ASSERT_TRUE(printer.replay(replayed).ok());
  EXPECT_EQ(replayed.calls(), printer.calls());
  // A run is cut where the characters drawn end, at byte 256.
  QByteArray text;
  for (int i = 0; i < 127; ++i) text += sj("漢");
  preview.clear();
  ASSERT_TRUE(drawPreview(sj("char,0,10,10,ＭＳ 明朝,12,,5,1,0,") + text + "123", 127).ok());
  const auto last = preview.callsOf<VerticalTextCall>();
  ASSERT_EQ(last.size(), 1u);
  EXPECT_EQ(last[0].text, "12");
  EXPECT_EQ(last[0].look, VerticalLook::SideBySide);
  // No writing direction: nothing at all.
  preview.clear();
  ASSERT_TRUE(drawPreview(sj("char,0,10,10,ＭＳ 明朝,12,,5,7,0,（12）"), 127).ok());
  EXPECT_TRUE(drawnTexts(preview).empty());
}

TEST_F(RendererTest, EraNameFollowsTheLabel) {
  settings.eraLabel = sj("令和");
  doc.setLine(127, sj("char,0,1,1,ＭＳ 明朝,12,,0,0,0,平成"));
  ASSERT_TRUE(drawPreview(sj("char,0,1,1,ＭＳ 明朝,12,,0,0,0,平成元年"), 128).ok());
  const auto calls = preview.callsOf<TextCall>();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].text, sj("令和"));
  EXPECT_EQ(calls[1].text, sj("平成元年"));
  settings.eraLabel = sj("平成");
  preview.clear();
  doc.setLine(128, ",");
  ASSERT_TRUE(drawPreview(sj("char,0,1,1,ＭＳ 明朝,12,,0,0,0,平成"), 127).ok());
  EXPECT_EQ(preview.callsOf<TextCall>()[0].text, sj("平成"));
}

class RendererImageTest : public RendererTest {
 protected:
  QTemporaryDir dir;
  QString bitmap(int w, int h, const char* name = "seal.bmp") {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString path = dir.filePath(QString::fromLatin1(name));
    image.save(path, "BMP");
    return path;
  }
  QByteArray record(const QString& path, const char* width, const char* height) {
    return "image,0,10,20," + cp932::encode(path).value() + "," + width + "," + height + ",,0,0";
  }
};

TEST_F(RendererImageTest, OneSideCompletedFromTheProportions) {
  const QString path = bitmap(200, 100);
  ASSERT_TRUE(drawPreview(record(path, "30", "0"), 7).ok());
  const auto calls = preview.callsOf<BitmapCall>();
  ASSERT_EQ(calls.size(), 1u);
  // 30 x 15 mm at 2.6378 pixels per mm; offset 10 mm
  EXPECT_EQ(calls[0].target, QRect(52, 79, 79, 39));
  EXPECT_EQ(calls[0].image.size(), QSize(200, 100));
}

TEST_F(RendererImageTest, ASideCompletedFromAHugeOneStaysInTheDeviceRange) {
  // A hand-edited layout: the other side, from the picture's proportions,
  // lies beyond the range of a millimetre value; the picture is drawn as
  // large as the device range goes instead of at a wrapped-around size.
  const QString wide = bitmap(200, 100);
  const QString tall = bitmap(100, 200, "tall.bmp");
  doc.setLine(7, record(wide, "0", "900000000000000"));
  doc.setLine(8, record(wide, "922337203685477.5807", "0"));
  ASSERT_TRUE(drawPreview(record(tall, "900000000000000", "0"), 9).ok());
  const auto calls = preview.callsOf<BitmapCall>();
  ASSERT_EQ(calls.size(), 3u);
  for (const BitmapCall& call : calls) {
    EXPECT_EQ(call.target.topLeft(), QPoint(52, 79));
    EXPECT_EQ(call.target.size(), QSize(1000000000, 1000000000));
  }
}

TEST_F(RendererImageTest, NaturalSizeScalesWithZoomOrPrinter) {
  const QString path = bitmap(96, 48);
  ASSERT_TRUE(drawPreview(record(path, "0", "0"), 7).ok());
  EXPECT_EQ(preview.callsOf<BitmapCall>()[0].target.size(), QSize(67, 33));  // x 0.70
  ASSERT_TRUE(drawPrinter(record(path, "0", "0"), 7).ok());
  EXPECT_EQ(printer.callsOf<BitmapCall>()[0].target.size(), QSize(600, 300));  // x 6.25
}

TEST_F(RendererImageTest, MovedFileIsFoundBesideTheIssueList) {
  bitmap(10, 10, "logo.bmp");
  settings.registerPath = dir.filePath(QStringLiteral("regidata.klv"));
  ASSERT_TRUE(drawPreview(record(QStringLiteral("C:\\forms\\logo.bmp"), "10", "10"), 7).ok());
  EXPECT_EQ(preview.callsOf<BitmapCall>().size(), 1u);
  preview.clear();
  ASSERT_TRUE(drawPreview(record(QStringLiteral("C:\\forms\\none.bmp"), "10", "10"), 7).ok());
  EXPECT_TRUE(preview.callsOf<BitmapCall>().empty());  // missing: skipped silently
}

TEST_F(RendererImageTest, SecondFlagKeepsTheImageOffThePrintout) {
  const QString path = bitmap(10, 10);
  const QByteArray rec = "image,0,10,20," + cp932::encode(path).value() + ",10,10,,1,0";
  ASSERT_TRUE(drawPreview(rec, 7).ok());
  EXPECT_EQ(preview.callsOf<BitmapCall>().size(), 1u);
  ASSERT_TRUE(drawPrinter(rec, 7).ok());
  EXPECT_TRUE(printer.callsOf<BitmapCall>().empty());
}

TEST_F(RendererImageTest, UnreadablePictureEndsThePass) {
  const QString path = dir.filePath(QStringLiteral("seal.gif"));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("GIF89a");
  f.close();
  doc.setLine(8, sj("line,0,1,1,2,2,1,実線,0,"));
  auto result = drawPreview(record(path, "10", "10"), 7);
  EXPECT_FALSE(result.ok());
  EXPECT_TRUE(preview.callsOf<LineCall>().empty());
}

}  // namespace
}  // namespace kelvane
