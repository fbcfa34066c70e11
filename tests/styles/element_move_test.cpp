// Moving a whole element: every coordinate shifts by the same distance and
// the rest of the record (text with commas, file names, flags) stays byte
// for byte; snapping to the half millimetre.

#include "styles/element_move.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

constexpr qint64 mm(double value) { return qint64(value * 10000 + (value < 0 ? -0.5 : 0.5)); }

TEST(ElementMove, EveryCoordinateMovesAndTheRestStays) {
  const struct {
    QByteArray record;
    qint64 dx, dy;
    QByteArray moved;
  } cases[] = {
      {"line,0,10,20,60,20,1,PS,0,", mm(2.5), mm(-1), "line,0,12.5,19,62.5,19,1,PS,0,"},
      {"rect,1,0,0,5.25,7,3,x,255", mm(0.5), mm(0.5), "rect,1,0.5,0.5,5.75,7.5,3,x,255"},
      {"fillrect,,1,1,2,2", mm(-3), 0, "fillrect,,-2,1,-1,2"},
      {"char,0,30,40,MS Gothic,10,,0,0,0,a,b,c", mm(1), mm(0.1),
       "char,0,31,40.1,MS Gothic,10,,0,0,0,a,b,c"},
      {"image,0,10,10,/pics/a,b.bmp,20,20,,0,0", mm(-10), mm(5),
       "image,0,0,15,/pics/a,b.bmp,20,20,,0,0"},
      {"char,0,30,40", mm(1), mm(1), "char,0,31,41"},
  };
  for (const auto& c : cases) {
    const auto moved = MovedElement(c.record, c.dx, c.dy);
    ASSERT_TRUE(moved) << c.record.constData();
    EXPECT_EQ(*moved, c.moved) << c.record.constData();
    // Moving back gives the record again.
    EXPECT_EQ(MovedElement(*moved, -c.dx, -c.dy), c.record) << c.record.constData();
  }
}

TEST(ElementMove, NoElementOrAnUnreadableCoordinateIsNotMoved) {
  for (const QByteArray& record :
       {QByteArray(), QByteArray("5.0"), QByteArray("fit,3,100,0"), QByteArray("line,0,1,x,2,2"),
        QByteArray("char,0,1"), QByteArray("rect,0,1,2,3")}) {
    EXPECT_FALSE(MovedElement(record, mm(1), mm(1))) << record.constData();
  }
  EXPECT_FALSE(OriginOfElement("line,0,a,1,2,2"));
  EXPECT_FALSE(OriginOfElement("fit,3,100,0"));
}

TEST(ElementMove, OriginIsTheFirstCorner) {
  const auto shape = OriginOfElement("rect,0,12.5,7,1,1,1,x,0");
  ASSERT_TRUE(shape);
  EXPECT_EQ(shape->x, mm(12.5));
  EXPECT_EQ(shape->y, mm(7));
  const auto text = OriginOfElement("char,0,-3,40.25,f,10,,0,0,0,t");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->x, mm(-3));
  EXPECT_EQ(text->y, mm(40.25));
}

TEST(ElementMove, SnapsToTheNearestStep) {
  const struct {
    double value, grid, snapped;
  } cases[] = {{12.24, 0.5, 12}, {12.25, 0.5, 12.5}, {12.74, 0.5, 12.5}, {-0.25, 0.5, -0.5},
               {-0.24, 0.5, 0},  {3.14, 0.1, 3.1},   {3.15, 0.1, 3.2},   {7, 0.5, 7}};
  for (const auto& c : cases) {
    EXPECT_EQ(Snapped(mm(c.value), mm(c.grid)), mm(c.snapped)) << c.value << " to " << c.grid;
  }
}

}  // namespace
}  // namespace kelvane
