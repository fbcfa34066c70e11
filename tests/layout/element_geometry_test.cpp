// Picking elements on the preview by the geometry of the drawing pass: each
// point finds the element drawn there, the last drawn on top, frames by
// their edges or, failing all else, from inside; what the preview leaves out
// cannot be picked; the pieces are exactly the calls drawn.

#include "render/element_geometry.h"
#include "render/recording_canvas.h"
#include "render/renderer.h"
#include "text/cp932.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }
constexpr qint64 dpi(int whole) { return whole * 10000LL; }

// Every character 6 pixels wide: the test does not depend on the fonts.
int fixedWidth(const FontSpec&, QByteArrayView text) { return int(text.size()) * 6; }

class ElementGeometryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings.offsetX = settings.offsetY = 0;
    settings.previewResolution = 72;  // a 10 point text is 10 pixels high
    // At 254 dpi a millimetre is 10 pixels.
    doc.setLine(12, sj("fillrect,0,10,10,30,30,1,塗り潰し,0,"));  // 100..299
    doc.setLine(13, sj("rect,0,20,20,60,50,1,実線,0,"));          // edges 200 / 599, 200 / 499
    doc.setLine(14, sj("line,0,10,80,90,80,1,実線,0,"));          // y 800, x 100..900
    doc.setLine(15, sj("fillrect,1,70,10,90,30,1,塗り潰し,0,"));  // preview only
    doc.setLine(16, sj("fillrect,0,25,25,35,35,1,塗り潰し,0,"));  // over the first fill
    doc.setLine(17, sj("fillrect,0,0,90,10,95,1,透明,0,"));       // paints nothing
    doc.setLine(127, sj("char,0,40,60,Gothic,10,,0,0,0,ABCD"));   // 400..423, 600..609
    doc.setLine(128, sj("char,0,40,65,Gothic,10,,2,0,0,ABC"));    // 400, 420, 440 apart
  }
  std::vector<ElementShape> shapes(RecordingCanvas* drawn = nullptr) {
    GeometryCanvas canvas(drawn, false, fixedWidth);
    Renderer renderer;
    EXPECT_TRUE(renderer.DrawLayout(canvas, doc, settings, dpi(254), dpi(254)).ok());
    return canvas.takeShapes();
  }

  LayoutDocument doc;
  RenderSettings settings;
};

TEST_F(ElementGeometryTest, EachPointPicksTheElementDrawnThere) {
  const struct {
    QPoint at;
    qsizetype line;
    const char* why;
  } cases[] = {
      {{150, 150}, 12, "inside the fill"},
      {{220, 230}, 12, "on the fill, inside the frame but off its edges"},
      {{260, 260}, 16, "two fills overlap: the later one is on top"},
      {{201, 250}, 13, "the frame's edge lies over the fill"},
      {{597, 400}, 13, "near the right edge"},
      {{400, 300}, 13, "inside the frame and on nothing else"},
      {{500, 802}, 14, "within a few pixels of the line"},
      {{950, 800}, -1, "past the line's end"},
      {{500, 806}, -1, "too far below the line"},
      {{410, 605}, 127, "on the text"},
      {{430, 605}, -1, "right of the text's four characters"},
      {{415, 655}, 128, "between two characters of a spaced text"},
      {{800, 200}, 15, "a preview-only fill on the preview"},
      {{50, 920}, -1, "a clear fill paints nothing"},
      {{1000, 1000}, -1, "on the empty paper"},
  };
  const auto all = shapes();
  for (const auto& c : cases) EXPECT_EQ(ElementAt(all, c.at), c.line) << c.why;
}

TEST_F(ElementGeometryTest, WhatThePreviewLeavesOutCannotBePicked) {
  settings.showOnlyPrinted = true;
  const auto all = shapes();
  EXPECT_EQ(ElementAt(all, {800, 200}), -1);
  EXPECT_EQ(ShapeOfLine(all, 15), nullptr);
  EXPECT_EQ(ElementAt(all, {150, 150}), 12);
}

TEST_F(ElementGeometryTest, PiecesAreTheCallsDrawnAndPassedOn) {
  RecordingCanvas drawn;
  const auto all = shapes(&drawn);
  // Every drawing call reached the canvas underneath, as a plain pass makes them.
  RecordingCanvas plain;
  Renderer renderer;
  ASSERT_TRUE(renderer.DrawLayout(plain, doc, settings, dpi(254), dpi(254)).ok());
  EXPECT_EQ(drawn.calls(), plain.calls());

  const ElementShape* line = ShapeOfLine(all, 14);
  ASSERT_NE(line, nullptr);
  ASSERT_EQ(line->pieces.size(), 1u);
  const LineCall call = drawn.callsOf<LineCall>().front();
  EXPECT_EQ(line->pieces[0].from, call.from);
  EXPECT_EQ(line->pieces[0].to, call.to);

  const ElementShape* frame = ShapeOfLine(all, 13);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->pieces[0].kind, ElementPiece::Kind::Outline);
  EXPECT_EQ(frame->bounds, QRect(QPoint(200, 200), QPoint(599, 499)));
  // The spaced text is one piece from its first character to the end of its last.
  const ElementShape* spaced = ShapeOfLine(all, 128);
  ASSERT_NE(spaced, nullptr);
  ASSERT_EQ(spaced->pieces.size(), 1u);
  EXPECT_EQ(spaced->bounds, QRect(QPoint(400, 650), QPoint(445, 659)));
  // In drawing order; the clear fill and the empty lines have no shape.
  std::vector<qsizetype> lines;
  for (const ElementShape& s : all) lines.push_back(s.line);
  EXPECT_EQ(lines, (std::vector<qsizetype>{12, 13, 14, 15, 16, 127, 128}));
}

TEST_F(ElementGeometryTest, AMovedElementIsPickedWhereItIsDrawnNow) {
  doc.setLine(14, sj("line,0,10,85,90,85,1,実線,0,"));
  const auto all = shapes();
  EXPECT_EQ(ElementAt(all, {500, 800}), -1);
  EXPECT_EQ(ElementAt(all, {500, 850}), 14);
}

TEST_F(ElementGeometryTest, WideLinesReachFurther) {
  settings.previewResolution = 144 * 6;  // width steps become 6 pixels each
  doc.setLine(14, sj("line,0,10,80,90,80,2,実線,0,"));
  const auto all = shapes();
  EXPECT_EQ(ElementAt(all, {500, 809}), 14);  // half of 12 pixels and 3 more
  EXPECT_EQ(ElementAt(all, {500, 810}), -1);
}

}  // namespace
}  // namespace kelvane
