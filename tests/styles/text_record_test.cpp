#include "styles/text_record.h"

#include "layout/field_cursor.h"
#include "layout/layout_slots.h"
#include "text/cp932.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

// ---- building

TEST(BuildTextRecord, ResetControlsOfThePositionEditorKeepSizeZero) {
  TextRecordEntry e = TextRecordEntry{};
  e.fontSize = "0";
  EXPECT_EQ(BuildTextRecord(e, TextEditorKind::Position), sj("char,0,0,0,ＭＳ 明朝,0,,0,0,0,"));
}

TEST(BuildTextRecord, AnEmptySizeBecomes12InThePositionEditorOnly) {
  TextRecordEntry e = TextRecordEntry{};
  EXPECT_EQ(BuildTextRecord(e, TextEditorKind::Position), sj("char,0,0,0,ＭＳ 明朝,12,,0,0,0,"));
  EXPECT_EQ(BuildTextRecord(e, TextEditorKind::FreeText), sj("char,0,0,0,ＭＳ 明朝,,,0,0,0,"));
}

TEST(BuildTextRecord, SizeZeroBecomes12InTheFreeTextEditor) {
  TextRecordEntry e = TextRecordEntry{};
  e.fontSize = "0";
  EXPECT_EQ(BuildTextRecord(e, TextEditorKind::FreeText), sj("char,0,0,0,ＭＳ 明朝,12,,0,0,0,"));
  e.fontSize = "9";
  EXPECT_EQ(BuildTextRecord(e, TextEditorKind::FreeText), sj("char,0,0,0,ＭＳ 明朝,9,,0,0,0,"));
}

TEST(BuildTextRecord, EveryFieldInOrder) {
  TextRecordEntry e;
  e.previewOnly = true;
  e.x = "40.5";
  e.y = "18";
  e.fontName = sj("ＭＳ ゴシック");
  e.fontSize = "14";
  e.decoration = sj("太字斜体");
  e.spacing = "-2.5";
  e.vertical = true;
  e.colour = 255;
  e.text = sj("合計金額（税込）");
  EXPECT_EQ(BuildTextRecord(e, TextEditorKind::FreeText),
            sj("char,1,40.5,18,ＭＳ ゴシック,14,太字斜体,-2.5,1,255,合計金額（税込）"));
}

TEST(BuildTextRecord, CommasInTheTextStay) {
  TextRecordEntry e;
  e.fontName = "A";
  e.fontSize = "12";
  e.text = "1,234,567";
  const QByteArray record = BuildTextRecord(e, TextEditorKind::Position);
  EXPECT_EQ(record, "char,0,0,0,A,12,,0,0,0,1,234,567");
  EXPECT_EQ(CharRecordText(record), "1,234,567");
}

TEST(BuildTextRecord, NoFieldCanSplitTheRecordOrTheLine) {
  TextRecordEntry e;
  e.x = "1,000";  // a grouped measure
  e.fontName = "Font, Inc";
  e.text = "a\r\nb";
  const QByteArray record = BuildTextRecord(e, TextEditorKind::Position);
  EXPECT_EQ(record, "char,0,1000,0,Font Inc,12,,0,0,0,a  b");
  auto read = ReadTextRecord(record);
  ASSERT_TRUE(read);
  ASSERT_TRUE(read->has_value());
  EXPECT_EQ((*read)->x, 1000 * 10000);
}

TEST(BuildTextRecord, NegativeColourNumbersAreWrittenAsHeld) {
  TextRecordEntry e;
  e.colour = -16777201;
  EXPECT_EQ(BuildTextRecord(e, TextEditorKind::Position),
            sj("char,0,0,0,ＭＳ 明朝,12,,0,0,-16777201,"));
}

// ---- reading

TEST(ReadTextRecord, AnythingButCharReadsAsNothing) {
  for (const char* record :
       {",", ",,,,,,,,,,text", "line,0,1,2,3,4,1,x,0,", "CHAR,0,1,1,a,1,,0,0,0,", ""}) {
    auto read = ReadTextRecord(record);
    ASSERT_TRUE(read) << record;
    EXPECT_FALSE(read->has_value()) << record;
  }
}

TEST(ReadTextRecord, EveryFieldOfAWrittenRecord) {
  auto read = ReadTextRecord(sj("char,1,40.5,18,ＭＳ 明朝,12,太字,-0.25,1,12632256,a,b,,c"));
  ASSERT_TRUE(read);
  ASSERT_TRUE(read->has_value());
  const TextRecordValues& v = **read;
  EXPECT_TRUE(v.previewOnly);
  EXPECT_EQ(v.x, 405000);
  EXPECT_EQ(v.y, 180000);
  EXPECT_EQ(v.fontName, sj("ＭＳ 明朝"));
  EXPECT_EQ(v.fontSize, "12");
  EXPECT_EQ(v.decoration, sj("太字"));
  EXPECT_EQ(v.spacing, -2500);
  EXPECT_TRUE(v.vertical);
  EXPECT_EQ(v.colour, 12632256);
  EXPECT_EQ(v.text, "a,b,,c");
}

TEST(ReadTextRecord, FlagsAreOnlyTheirExactValues) {
  auto read = ReadTextRecord("char,2,0,0,,x,,0,3,abc,");
  ASSERT_TRUE(read);
  ASSERT_TRUE(read->has_value());
  EXPECT_FALSE((*read)->previewOnly);
  EXPECT_FALSE((*read)->vertical);    // 3 draws vertically, but the box shows 1 only
  EXPECT_EQ((*read)->colour, 0);      // not a number: 0
  EXPECT_EQ((*read)->fontSize, "x");  // shown as written
  EXPECT_TRUE((*read)->text.isEmpty());
}

TEST(ReadTextRecord, MalformedNumberFieldsFailNamingTheField) {
  struct Case {
    const char* record;
    const char* field;
    const char* text;
  };
  for (const Case& c : {Case{"char,0,abc,0,a,12,,0,0,0,t", "位置(X mm)", "abc"},
                        Case{"char,0,1,,a,12,,0,0,0,t", "位置(Y mm)", "「」"},
                        Case{"char,0,1,2,a,12,,1.2.3,0,0,t", "文字間(mm)", "1.2.3"},
                        Case{"char,0,1,2,a,12,,0,,0,t", "縦書き", "「」"},
                        Case{"char,0,1,2,a,12,,0,1.5,0,t", "縦書き", "1.5"},
                        Case{"char,0,1,2", "位置(Y mm)", "「」"}}) {
    auto read = ReadTextRecord(c.record);
    ASSERT_FALSE(read) << c.record;
    EXPECT_TRUE(read.error().contains(QString::fromUtf8(c.field))) << read.error().toStdString();
    EXPECT_TRUE(read.error().contains(QString::fromUtf8(c.text))) << read.error().toStdString();
  }
}

TEST(ReadTextRecord, WhatIsBuiltReadsBack) {
  TextRecordEntry e;
  e.previewOnly = true;
  e.x = "12.3456";
  e.y = "-7";
  e.fontName = sj("ＭＳ Ｐ明朝");
  e.fontSize = "20";
  e.decoration = sj("斜体");
  e.spacing = "1.5";
  e.vertical = true;
  e.colour = 65280;
  e.text = sj("東京都,千代田区");
  auto read = ReadTextRecord(BuildTextRecord(e, TextEditorKind::FreeText));
  ASSERT_TRUE(read);
  ASSERT_TRUE(read->has_value());
  const TextRecordValues& v = **read;
  EXPECT_TRUE(v.previewOnly);
  EXPECT_EQ(v.x, 123456);
  EXPECT_EQ(v.y, -70000);
  EXPECT_EQ(v.fontName, e.fontName);
  EXPECT_EQ(v.fontSize, "20");
  EXPECT_EQ(v.decoration, e.decoration);
  EXPECT_EQ(v.spacing, 15000);
  EXPECT_TRUE(v.vertical);
  EXPECT_EQ(v.colour, 65280);
  EXPECT_EQ(v.text, e.text);
}

TEST(DecorationOf, BoldItalicAloneOrTogether) {
  EXPECT_EQ(DecorationOf(true, false, false, false), sj("太字"));
  EXPECT_EQ(DecorationOf(false, true, false, false), sj("斜体"));
  EXPECT_EQ(DecorationOf(true, true, false, false), sj("太字斜体"));
  EXPECT_TRUE(DecorationOf(false, false, false, false).isEmpty());
  EXPECT_TRUE(DecorationOf(true, false, true, false).isEmpty());
  EXPECT_TRUE(DecorationOf(true, true, false, true).isEmpty());
  EXPECT_TRUE(DecorationOf(false, false, true, true).isEmpty());
}

// ---- nudges

constexpr qint64 mm(double v) { return static_cast<qint64>(v * 10000 + (v < 0 ? -0.5 : 0.5)); }

TEST(Nudge, StepsFollowShiftThenCtrl) {
  EXPECT_EQ(TextNudgeStep(false, false), mm(1));
  EXPECT_EQ(TextNudgeStep(true, false), mm(0.1));
  EXPECT_EQ(TextNudgeStep(false, true), mm(10));
  EXPECT_EQ(TextNudgeStep(true, true), mm(0.1));
}

TEST(Nudge, ShiftRightFromTenAndCtrlUpFromTwentyFiveAndAHalf) {
  EXPECT_EQ(Nudged(mm(10), NudgeDirection::Right, TextNudgeStep(true, false)), mm(10.1));
  EXPECT_EQ(Nudged(mm(25.5), NudgeDirection::Up, TextNudgeStep(false, true)), mm(15.5));
  EXPECT_EQ(Nudged(mm(25.5), NudgeDirection::Up, TextNudgeStep(true, true)), mm(25.4));
}

TEST(Nudge, DirectionsAndAxes) {
  EXPECT_EQ(Nudged(mm(5), NudgeDirection::Up, mm(1)), mm(4));
  EXPECT_EQ(Nudged(mm(5), NudgeDirection::Down, mm(1)), mm(6));
  EXPECT_EQ(Nudged(mm(5), NudgeDirection::Left, mm(1)), mm(4));
  EXPECT_EQ(Nudged(mm(5), NudgeDirection::Right, mm(1)), mm(6));
  EXPECT_EQ(Nudged(mm(0.5), NudgeDirection::Left, mm(1)), mm(-0.5));
  EXPECT_TRUE(NudgesX(NudgeDirection::Left));
  EXPECT_TRUE(NudgesX(NudgeDirection::Right));
  EXPECT_FALSE(NudgesX(NudgeDirection::Up));
  EXPECT_FALSE(NudgesX(NudgeDirection::Down));
}

TEST(Nudge, ResultsRoundToOneDecimalHalvesToEven) {
  EXPECT_EQ(Nudged(mm(10.25), NudgeDirection::Right, mm(1)), mm(11.2));
  EXPECT_EQ(Nudged(mm(10.35), NudgeDirection::Right, mm(1)), mm(11.4));
  EXPECT_EQ(Nudged(mm(10.26), NudgeDirection::Right, mm(1)), mm(11.3));
  EXPECT_EQ(Nudged(mm(10.1234), NudgeDirection::Down, mm(0.1)), mm(10.2));
  EXPECT_EQ(Nudged(mm(-3.25), NudgeDirection::Left, mm(1)), mm(-4.2));
  EXPECT_EQ(Nudged(mm(-3.35), NudgeDirection::Left, mm(1)), mm(-4.4));
  // Zero stays zero; a small rest next to it rounds to it.
  EXPECT_EQ(Nudged(mm(1), NudgeDirection::Up, mm(1)), 0);
  EXPECT_EQ(Nudged(mm(1.04), NudgeDirection::Up, mm(1)), 0);
}

// ---- list operations

class TextRowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int row = 1; row <= 100; ++row) doc_.setLine(slotmap::textLine(row), rec(row));
    doc_.setLine(126, "before");
    doc_.setLine(227, "after");
    doc_.setLine(228, "company");
  }
  static QByteArray rec(int row) { return "char,0,1,1,a,12,,0,0,0,row" + QByteArray::number(row); }
  [[nodiscard]] QByteArray row(int r) const { return doc_.line(slotmap::textLine(r)); }
  void expectNeighboursUntouched() const {
    EXPECT_EQ(doc_.line(126), "before");
    EXPECT_EQ(doc_.line(227), "after");
    EXPECT_EQ(doc_.line(228), "company");
    EXPECT_EQ(doc_.lineCount(), slotmap::kExtendedLineCount);
  }
  LayoutDocument doc_;
};

TEST_F(TextRowsTest, InsertMovesTheRowsBelowDownAndDropsRow100) {
  ASSERT_TRUE(InsertTextRow(doc_, 5));
  for (int r = 1; r <= 4; ++r) EXPECT_EQ(row(r), rec(r));
  EXPECT_EQ(row(5), ",");
  for (int r = 6; r <= 100; ++r) EXPECT_EQ(row(r), rec(r - 1)) << r;
  expectNeighboursUntouched();
}

TEST_F(TextRowsTest, InsertAtRow100EmptiesIt) {
  ASSERT_TRUE(InsertTextRow(doc_, 100));
  EXPECT_EQ(row(99), rec(99));
  EXPECT_EQ(row(100), ",");
  expectNeighboursUntouched();
}

TEST_F(TextRowsTest, DeleteMovesTheRowsBelowUpAndEmptiesRow100) {
  ASSERT_TRUE(DeleteTextRow(doc_, 5));
  for (int r = 1; r <= 4; ++r) EXPECT_EQ(row(r), rec(r));
  for (int r = 5; r <= 99; ++r) EXPECT_EQ(row(r), rec(r + 1)) << r;
  EXPECT_EQ(row(100), ",");
  expectNeighboursUntouched();
}

TEST_F(TextRowsTest, DeleteRow100EmptiesIt) {
  ASSERT_TRUE(DeleteTextRow(doc_, 100));
  EXPECT_EQ(row(99), rec(99));
  EXPECT_EQ(row(100), ",");
  expectNeighboursUntouched();
}

TEST_F(TextRowsTest, ExchangeSwapsARowWithTheNext) {
  ASSERT_TRUE(ExchangeTextRow(doc_, 7));
  EXPECT_EQ(row(7), rec(8));
  EXPECT_EQ(row(8), rec(7));
  EXPECT_EQ(row(6), rec(6));
  EXPECT_EQ(row(9), rec(9));
  ASSERT_TRUE(ExchangeTextRow(doc_, 99));
  EXPECT_EQ(row(99), rec(100));
  EXPECT_EQ(row(100), rec(99));
  expectNeighboursUntouched();
}

TEST_F(TextRowsTest, ExchangeAtRow100ChangesNothing) {
  EXPECT_FALSE(ExchangeTextRow(doc_, 100));
  EXPECT_EQ(row(100), rec(100));
  expectNeighboursUntouched();
}

TEST_F(TextRowsTest, SwapExchangesOnlyTheTwoRows) {
  ASSERT_TRUE(SwapTextRows(doc_, 3, 9));
  EXPECT_EQ(row(3), rec(9));
  EXPECT_EQ(row(9), rec(3));
  for (int r = 4; r <= 8; ++r) EXPECT_EQ(row(r), rec(r));
  ASSERT_TRUE(SwapTextRows(doc_, 100, 1));
  EXPECT_EQ(row(1), rec(100));
  EXPECT_EQ(row(100), rec(1));
  ASSERT_TRUE(SwapTextRows(doc_, 4, 4));
  EXPECT_EQ(row(4), rec(4));
  expectNeighboursUntouched();
}

TEST_F(TextRowsTest, RowsOutsideTheListChangeNothing) {
  const QList<QByteArray> before = doc_.lines();
  for (int r : {0, -1, 101, 1000}) {
    EXPECT_FALSE(InsertTextRow(doc_, r)) << r;
    EXPECT_FALSE(DeleteTextRow(doc_, r)) << r;
    EXPECT_FALSE(ExchangeTextRow(doc_, r)) << r;
    EXPECT_FALSE(SwapTextRows(doc_, r, 1)) << r;
    EXPECT_FALSE(SwapTextRows(doc_, 1, r)) << r;
  }
  EXPECT_EQ(doc_.lines(), before);
}

}  // namespace
}  // namespace kelvane
