// Line and shape records as the shape editor writes and reads them, the
// list operations on the 100 slots, and the number and nudge arithmetic.

#include "styles/shape_record.h"

#include "layout/layout_slots.h"
#include "text/cp932.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

TEST(ShapeRecordBuild, WritesNineFieldsAndATrailingComma) {
  ShapeValues v;
  v.kind = kShapeLine;
  v.x1 = "20";
  v.y1 = "35.5";
  v.x2 = "120";
  v.y2 = "35.5";
  v.styleName = sj("実線");
  EXPECT_EQ(BuildShapeRecord(v), sj("line,0,20,35.5,120,35.5,1,実線,0,"));

  v.kind = kShapeFilledBox;
  v.usage = 1;
  v.x1 = v.y1 = "10";
  v.x2 = "60";
  v.y2 = "20";
  v.styleName = sj("水平");
  v.colour = 12632256;
  EXPECT_EQ(BuildShapeRecord(v), sj("fillrect,1,10,10,60,20,1,水平,12632256,"));

  v.kind = kShapeFrame;
  v.usage = 7;  // anything but 1 is printed
  EXPECT_TRUE(BuildShapeRecord(v).startsWith("rect,0,"));
}

TEST(ShapeRecordBuild, CommasCannotShiftTheFields) {
  ShapeValues v;
  v.x1 = "1,250.5";  // grouped thousands as a numeric field may show them
  v.styleName = sj("実,線");
  const QByteArray record = BuildShapeRecord(v);
  EXPECT_EQ(record, sj("line,0,1250.5,0,0,0,1,実線,0,"));
  EXPECT_EQ(record.count(','), 9);
}

TEST(ShapeRecordBuild, CornersCellJoinsTheTextsAsGiven) {
  EXPECT_EQ(ShapeCorners("10", "20.50", "-3", "4", "2"), "[10,20.50]-[-3,4] Size=2");
}

TEST(ShapeRecordRead, KindsStylesAndColours) {
  auto line = ReadShapeRecord(sj("line,1,20,35.5,120,-0.25,3,破線,255,"));
  ASSERT_TRUE(line) << line.error().toStdString();
  EXPECT_FALSE(line->empty);
  EXPECT_EQ(line->kind, kShapeLine);
  EXPECT_EQ(line->usage, 1);
  EXPECT_EQ(line->x1, 200000);
  EXPECT_EQ(line->y1, 355000);
  EXPECT_EQ(line->x2, 1200000);
  EXPECT_EQ(line->y2, -2500);
  EXPECT_EQ(line->width, "3");
  EXPECT_EQ(line->styleName, sj("破線"));
  EXPECT_EQ(line->colour, 255u);

  // A frame keeps a pattern it does not know, as written.
  auto frame = ReadShapeRecord(sj("rect,0,1,2,3,4,1,立体線,x,"));
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->kind, kShapeFrame);
  EXPECT_EQ(frame->styleName, sj("立体線"));
  EXPECT_EQ(frame->colour, 0u) << "a colour that is not a number reads as 0";

  // A filled box with an unknown pattern chooses "枠"; a known one is kept.
  auto unknown = ReadShapeRecord(sj("fillrect,0,1,2,3,4,1,実線,0,"));
  ASSERT_TRUE(unknown);
  EXPECT_EQ(unknown->kind, kShapeFilledBox);
  EXPECT_EQ(unknown->styleName, sj("枠"));
  auto known = ReadShapeRecord(sj("fillrect,0,1,2,3,4,1,ハッチ,0,"));
  ASSERT_TRUE(known);
  EXPECT_EQ(known->styleName, sj("ハッチ"));
  EXPECT_EQ(FillStyleNames().at(FillStyleIndex(sj("ハッチ"))), sj("ハッチ"));

  // Any other non-empty kind is shown as a filled box, as the list does.
  auto other = ReadShapeRecord("box,0,1,2,3,4,1,,0,");
  ASSERT_TRUE(other);
  EXPECT_EQ(other->kind, kShapeFilledBox);
}

TEST(ShapeRecordRead, EmptySlotsAndMalformedNumbers) {
  for (const char* record : {",", "", ",,,,"}) {
    auto empty = ReadShapeRecord(record);
    ASSERT_TRUE(empty) << record;
    EXPECT_TRUE(empty->empty) << record;
  }
  // An empty usage is printed, as when drawing.
  auto noUsage = ReadShapeRecord("line,,1,2,3,4,1,,0,");
  ASSERT_TRUE(noUsage);
  EXPECT_EQ(noUsage->usage, 0);

  const auto badCorner = ReadShapeRecord("line,0,10,1O,20,20,1,,0,");
  ASSERT_FALSE(badCorner);
  EXPECT_TRUE(badCorner.error().contains(QStringLiteral("「1O」")))
      << badCorner.error().toStdString();
  EXPECT_TRUE(badCorner.error().contains(QStringLiteral("始点Y")));
  const auto badUsage = ReadShapeRecord("line,yes,10,10,20,20,1,,0,");
  ASSERT_FALSE(badUsage);
  EXPECT_TRUE(badUsage.error().contains(QStringLiteral("「yes」")));
  // A record cut short has no corners to read.
  EXPECT_FALSE(ReadShapeRecord("rect,0,10,"));
  // Bytes that are no cp932 text still give a message, not a crash.
  const auto garbage = ReadShapeRecord(QByteArray("line,0,\x81\xff\x82,1,1,1,1,,0,"));
  ASSERT_FALSE(garbage);
  EXPECT_FALSE(garbage.error().isEmpty());
}

TEST(ShapeRecordRead, WhatIsWrittenReadsBack) {
  ShapeValues v;
  v.kind = kShapeFilledBox;
  v.usage = 1;
  v.x1 = "12.5";
  v.y1 = "-3";
  v.x2 = "100";
  v.y2 = "0.1";
  v.width = "4";
  v.styleName = sj("クロス");
  v.colour = 0x00FF8040;
  auto back = ReadShapeRecord(BuildShapeRecord(v));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->kind, v.kind);
  EXPECT_EQ(back->usage, 1);
  EXPECT_EQ(back->x1, 125000);
  EXPECT_EQ(back->y1, -30000);
  EXPECT_EQ(back->x2, 1000000);
  EXPECT_EQ(back->y2, 1000);
  EXPECT_EQ(back->width, "4");
  EXPECT_EQ(back->styleName, v.styleName);
  EXPECT_EQ(back->colour, v.colour);
}

// ------------------------------------------------------------ list operations

class ShapeRowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Every line names itself, so that any move shows.
    QList<QByteArray> lines;
    for (int i = 0; i < slotmap::kLineCount; ++i) lines.append("L" + QByteArray::number(i) + ",");
    doc_.replaceAll(lines);
  }
  QByteArray row(int r) const { return doc_.line(slotmap::shapeLine(r)); }
  static QByteArray named(int line) { return "L" + QByteArray::number(line) + ","; }
  // Lines outside the shape slots, the hidden line 112 and the image slots
  // included, are never touched.
  void expectOutsideUntouched() const {
    for (int i = 0; i < slotmap::kLineCount; ++i) {
      if (i >= 12 && i <= 111) continue;
      EXPECT_EQ(doc_.line(i), named(i)) << "line " << i;
    }
    EXPECT_EQ(doc_.lineCount(), slotmap::kExtendedLineCount);
  }
  LayoutDocument doc_;
};

TEST_F(ShapeRowsTest, InsertMovesTheRowsDownAndDropsTheLast) {
  ASSERT_TRUE(InsertShapeRow(doc_, 5));
  EXPECT_EQ(row(4), named(15));
  EXPECT_EQ(row(5), ",");
  EXPECT_EQ(row(6), named(16));
  EXPECT_EQ(row(100), named(110)) << "row 100's content is gone";
  expectOutsideUntouched();

  ASSERT_TRUE(InsertShapeRow(doc_, 100));
  EXPECT_EQ(row(100), ",");
  EXPECT_EQ(row(99), named(109));
  expectOutsideUntouched();
}

TEST_F(ShapeRowsTest, DeleteMovesTheRowsUpAndEmptiesTheLast) {
  ASSERT_TRUE(DeleteShapeRow(doc_, 1));
  EXPECT_EQ(row(1), named(13));
  EXPECT_EQ(row(99), named(111));
  EXPECT_EQ(row(100), ",");
  expectOutsideUntouched();

  ASSERT_TRUE(DeleteShapeRow(doc_, 100));
  EXPECT_EQ(row(100), ",");
  EXPECT_EQ(row(99), named(111));
  expectOutsideUntouched();
}

TEST_F(ShapeRowsTest, ExchangeSwapsOnlyTheTwoRows) {
  ASSERT_TRUE(ExchangeShapeRows(doc_, 3, 40));
  EXPECT_EQ(row(3), named(51));
  EXPECT_EQ(row(40), named(14));
  EXPECT_EQ(row(4), named(15)) << "the rows between stay";
  ASSERT_TRUE(ExchangeShapeRows(doc_, 100, 99));
  EXPECT_EQ(row(100), named(110));
  EXPECT_EQ(row(99), named(111));
  ASSERT_TRUE(ExchangeShapeRows(doc_, 7, 7));
  EXPECT_EQ(row(7), named(18));
  expectOutsideUntouched();
}

TEST_F(ShapeRowsTest, RowsOutsideTheListChangeNothing) {
  for (int r : {0, -1, 101, 200}) {
    EXPECT_FALSE(InsertShapeRow(doc_, r)) << r;
    EXPECT_FALSE(DeleteShapeRow(doc_, r)) << r;
    EXPECT_FALSE(ExchangeShapeRows(doc_, r, 5)) << r;
    EXPECT_FALSE(ExchangeShapeRows(doc_, 5, r)) << r;
  }
  for (int r = 1; r <= 100; ++r) EXPECT_EQ(row(r), named(r + 11));
  expectOutsideUntouched();
}

// ----------------------------------------------------- numbers and nudging

TEST(ShapeNumbers, FieldToNumber) {
  EXPECT_EQ(FieldToNumber("").value(), 0);
  EXPECT_EQ(FieldToNumber("\"\"").value(), 0);
  EXPECT_EQ(FieldToNumber("12.5").value(), 125000);
  EXPECT_EQ(FieldToNumber("-0.0001").value(), -1);
  const auto bad = FieldToNumber("12mm");
  ASSERT_FALSE(bad);
  EXPECT_TRUE(bad.error().contains(QStringLiteral("「12mm」")));
  EXPECT_FALSE(FieldToNumber("\""));
}

TEST(ShapeNumbers, NudgeStepsAndTheirRounding) {
  EXPECT_EQ(NudgeStep(false, false), 10000);
  EXPECT_EQ(NudgeStep(false, true), 100000);
  EXPECT_EQ(NudgeStep(true, false), 1000);
  EXPECT_EQ(NudgeStep(true, true), 1000) << "Shift wins";

  EXPECT_EQ(NudgedValue(100000, 10000), 110000);
  EXPECT_EQ(NudgedValue(102500, 10000), 112000) << "11.25 rounds to the even 11.2";
  EXPECT_EQ(NudgedValue(103500, 10000), 114000) << "11.35 rounds to the even 11.4";
  EXPECT_EQ(NudgedValue(1234, 0), 1000);
  EXPECT_EQ(NudgedValue(1000, -1000), 0);
  EXPECT_EQ(NudgedValue(0, -1000), -1000);
  qint64 v = 0;
  for (int i = 0; i < 30; ++i) v = NudgedValue(v, 1000);
  EXPECT_EQ(v, 30000) << "thirty tenths make exactly 3 mm";
}

TEST(ShapeNumbers, TextsForRecordFields) {
  EXPECT_EQ(FixedText(0), "0");
  EXPECT_EQ(FixedText(355000), "35.5");
  EXPECT_EQ(FixedText(-1000), "-0.1");
  EXPECT_EQ(FixedText(12), "0.0012");
  EXPECT_EQ(FixedText(std::numeric_limits<qint64>::min()), "-922337203685477.5808");

  EXPECT_EQ(NumberFieldText("1,234.5", 0), "1234.5");
  EXPECT_EQ(NumberFieldText("12.", 120000), "12.");
  EXPECT_EQ(NumberFieldText("-", 0), "0") << "a lone minus being typed";
  EXPECT_EQ(NumberFieldText("", -5000), "-0.5");
}

}  // namespace
}  // namespace kelvane
