#include "layout/layout_document.h"
#include "layout/field_cursor.h"
#include "layout/header_lines.h"
#include "layout/item_text.h"
#include "layout/layout_slots.h"
#include "text/cp932.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

TEST(FieldCursor, FieldsStrictlyInOrder) {
  FieldCursor c("a,b");
  EXPECT_EQ(c.TakeField(), "a");
  EXPECT_EQ(c.FieldRest(), "b");
  EXPECT_EQ(c.TakeField(), "");  // no comma left: empty, and the rest stays
  EXPECT_EQ(c.FieldRest(), "b");
  EXPECT_EQ(c.TakeField(), "");
  EXPECT_EQ(c.FieldRest(), "b");
}

TEST(FieldCursor, LoneCommaAndAdjacentCommas) {
  FieldCursor lone(",");
  EXPECT_EQ(lone.TakeField(), "");
  EXPECT_EQ(lone.FieldRest(), "");
  FieldCursor c("x,,y,");
  EXPECT_EQ(c.TakeField(), "x");
  EXPECT_EQ(c.TakeField(), "");
  EXPECT_EQ(c.TakeField(), "y");
  EXPECT_EQ(c.FieldRest(), "");
}

TEST(FieldCursor, TextWithoutAnyComma) {
  FieldCursor c("abc");
  EXPECT_EQ(c.TakeField(), "");
  EXPECT_EQ(c.FieldRest(), "abc");
}

TEST(FieldCursor, CharRecordTextKeepsItsCommas) {
  const QByteArray record = sj("char,0,10,10,ＭＳ 明朝,12,,0,0,0,1,234,567");
  EXPECT_EQ(CharRecordText(record), "1,234,567");
  EXPECT_EQ(CharRecordText(","), "");
  // Bytes 0x2C never occur inside a two-byte character, so a text of kanji
  // splits only at real commas.
  // The cursor views the record: the record must outlive it.
  const QByteArray kanji = sj("漢字,表,");
  FieldCursor c(kanji);
  EXPECT_EQ(c.TakeField(), sj("漢字"));
  EXPECT_EQ(c.TakeField(), sj("表"));
}

TEST(LayoutDocument, StartsCompleteWithEmptySlots) {
  LayoutDocument doc;
  EXPECT_EQ(doc.lineCount(), slotmap::kExtendedLineCount);
  EXPECT_EQ(doc.line(266), ",");
  EXPECT_EQ(doc.line(275), ",");
  EXPECT_EQ(doc.line(276), ",");  // beyond the end reads as an empty slot
  EXPECT_TRUE(doc.setLine(slotmap::kRegistrationNumber, "x"));
  EXPECT_FALSE(doc.setLine(276, "x"));
  EXPECT_FALSE(doc.setLine(-1, "x"));
  EXPECT_EQ(doc.lineCount(), slotmap::kExtendedLineCount);
}

TEST(LayoutDocument, ShortLoadIsPaddedAndLongLoadKept) {
  LayoutDocument doc;
  doc.replaceAll({"[Version2.0]", "title,"});
  EXPECT_EQ(doc.lineCount(), slotmap::kExtendedLineCount);
  EXPECT_EQ(doc.line(1), "title,");
  EXPECT_EQ(doc.line(241), ",");
  QList<QByteArray> many(300, ",");
  many[299] = "line,0,1,1,2,2,1,x,0,";
  doc.replaceAll(many);
  EXPECT_EQ(doc.lineCount(), 300);
  EXPECT_EQ(doc.line(299), "line,0,1,1,2,2,1,x,0,");
}

TEST(SlotMap, LineNumbers) {
  EXPECT_EQ(slotmap::shapeLine(1), 12);
  EXPECT_EQ(slotmap::shapeLine(100), 111);
  EXPECT_EQ(slotmap::textLine(1), 127);
  EXPECT_EQ(slotmap::textLine(100), 226);
  EXPECT_EQ(slotmap::imageLine(1), 7);
  EXPECT_EQ(slotmap::imageLine(4), 10);
  EXPECT_EQ(slotmap::imageLine(5), 122);
  EXPECT_EQ(slotmap::imageLine(8), 125);
  EXPECT_EQ(slotmap::itemLine(88), 228);
  EXPECT_EQ(slotmap::itemLine(101), slotmap::kAmount);
  EXPECT_EQ(slotmap::itemLine(126), 266);
  EXPECT_EQ(slotmap::kAmount + slotmap::kStubOffset, slotmap::kStubAmount);
}

// The extension lines go on from line 267 with the same rule, line = tag + 140.
TEST(SlotMap, ExtensionLinesContinueTheItems) {
  EXPECT_EQ(slotmap::itemLine(127), slotmap::kRegistrationNumber);
  EXPECT_EQ(slotmap::kRegistrationNumber, slotmap::kLineCount);
  EXPECT_EQ(slotmap::itemLine(128), slotmap::kAmount10);
  EXPECT_EQ(slotmap::kTax8 + slotmap::kStubRateOffset, slotmap::kStubTax8);
  EXPECT_EQ(slotmap::itemLine(135), slotmap::kExtendedLineCount - 1);
  EXPECT_TRUE(slotmap::isItemTag(88) && slotmap::isItemTag(135));
  EXPECT_FALSE(slotmap::isItemTag(87) || slotmap::isItemTag(136));
  // The company items in page order: 228 to 238, then 登録番号.
  for (int i = 0; i < slotmap::kCompanyItems; ++i)
    EXPECT_EQ(slotmap::companyIndex(slotmap::companyLine(i)), i) << i;
  EXPECT_EQ(slotmap::companyLine(11), slotmap::kRegistrationNumber);
  for (int line : {227, 239, 266, 268}) EXPECT_EQ(slotmap::companyIndex(line), -1) << line;
}

// Settings as plain values, as the main window's controls will hold them.
struct PlainHost : LayoutHost {
  QByteArray title = "A4";
  QByteArray offX = "10", offY = "12", weight = "1";
  int mode = 0, paper = 9, landscape = 0, splitter = 380, zoom = 70, source = 7;
  QByteArray width = "180", height = "90";
  bool yen = false, dash = false, date = false, kanji = false;
  QByteArray reg = "/home/shop/regidata.klv";
  QByteArray header = "No.", digits = "5", last = "12";
  int refreshes = 0;

  QByteArray styleTitle() const override { return title; }
  QByteArray offsetXText() const override { return offX; }
  QByteArray offsetYText() const override { return offY; }
  QByteArray lineWeightOffsetText() const override { return weight; }
  int previewMode() const override { return mode; }
  int paperSizeCode() const override { return paper; }
  int landscapeFlag() const override { return landscape; }
  int splitterPosition() const override { return splitter; }
  int zoomPercent() const override { return zoom; }
  int paperSourceCode() const override { return source; }
  QByteArray receiptWidthText() const override { return width; }
  QByteArray receiptHeightText() const override { return height; }
  bool yenMark() const override { return yen; }
  bool dashMark() const override { return dash; }
  bool autoDate() const override { return date; }
  bool kanjiAmount() const override { return kanji; }
  QByteArray registerPath() const override { return reg; }
  QByteArray numberHeader() const override { return header; }
  QByteArray digitCount() const override { return digits; }
  QByteArray lastNumber() const override { return last; }
  void RefreshPreview() override { ++refreshes; }
};

class ItemTextTest : public ::testing::Test {
 protected:
  LayoutDocument doc;
  PlainHost host;
  const QByteArray placed = sj("char,0,40.5,18,ＭＳ 明朝,12,太字,0,0,0,old text");
  void SetUp() override {
    doc.setLine(slotmap::kAmount, placed);
    doc.setLine(slotmap::kStubAmount, placed);
  }
  QByteArray textAt(int line) const { return CharRecordText(doc.line(line)); }
};

TEST_F(ItemTextTest, AmountGetsYenAndDash) {
  host.yen = host.dash = true;
  SetItemText(doc, host, slotmap::kAmount, "12,000");
  EXPECT_EQ(doc.line(slotmap::kAmount), sj("char,0,40.5,18,ＭＳ 明朝,12,太字,0,0,0,\\12,000-"));
  EXPECT_EQ(host.refreshes, 1);
}

TEST_F(ItemTextTest, KanjiModeMarks) {
  host.yen = host.dash = host.kanji = true;
  SetItemText(doc, host, slotmap::kAmount, sj("壱萬弐千円"));
  EXPECT_EQ(textAt(slotmap::kAmount), sj("金壱萬弐千円也"));
  host.dash = false;
  SetItemText(doc, host, slotmap::kAmount, sj("壱萬弐千円"));
  EXPECT_EQ(textAt(slotmap::kAmount), sj("金壱萬弐千円"));
}

TEST_F(ItemTextTest, EmptyAmountStillMarked) {
  host.yen = host.dash = true;
  SetItemText(doc, host, slotmap::kAmount, "");
  EXPECT_EQ(textAt(slotmap::kAmount), "\\-");
}

TEST_F(ItemTextTest, StubAmountAndOtherItemsGetNoMarks) {
  host.yen = host.dash = true;
  SetItemText(doc, host, slotmap::kStubAmount, "12,000");
  EXPECT_EQ(textAt(slotmap::kStubAmount), "12,000");
}

TEST_F(ItemTextTest, EmptySlotBecomesTenEmptyFieldsAndText) {
  SetItemText(doc, host, slotmap::kNumber, "No.00012");
  EXPECT_EQ(doc.line(slotmap::kNumber), ",,,,,,,,,,No.00012");
  // A record with too few fields is filled out to ten; a last piece without
  // a comma is never a field, so it goes.
  doc.setLine(slotmap::kMonth, "char,0,5,");
  SetItemTextQuiet(doc, slotmap::kMonth, "12");
  EXPECT_EQ(doc.line(slotmap::kMonth), "char,0,5,,,,,,,,12");
  doc.setLine(slotmap::kMonth, "char,0,5");
  SetItemTextQuiet(doc, slotmap::kMonth, "12");
  EXPECT_EQ(doc.line(slotmap::kMonth), "char,0,,,,,,,,,12");
}

TEST_F(ItemTextTest, QuietSetsWithoutMarksOrRefresh) {
  host.yen = true;
  SetItemTextQuiet(doc, slotmap::kAmount, "500");
  EXPECT_EQ(textAt(slotmap::kAmount), "500");
  EXPECT_EQ(host.refreshes, 0);
}

TEST_F(ItemTextTest, TextWithCommasReplacesTheOldText) {
  SetItemText(doc, host, slotmap::kAmount, "1,234,567");
  SetItemText(doc, host, slotmap::kAmount, "8");
  EXPECT_EQ(textAt(slotmap::kAmount), "8");
  EXPECT_TRUE(doc.line(slotmap::kAmount).startsWith(sj("char,0,40.5,18,ＭＳ 明朝,12,太字,0,0,0,")));
}

TEST(HeaderLines, RebuiltFromTheSettings) {
  LayoutDocument doc;
  PlainHost host;
  host.yen = true;
  host.date = true;
  RebuildHeaderLines(doc, host);
  EXPECT_EQ(doc.line(0), "[Version1.1]");
  EXPECT_EQ(doc.line(1), "A4,");
  EXPECT_EQ(doc.line(2), "10,12,1,0,9,0,380,70,7,-1,");
  EXPECT_EQ(doc.line(3), "180,90,1,0,1,");
  EXPECT_EQ(doc.line(4), "/home/shop/regidata.klv,");
  EXPECT_EQ(doc.line(5), "No.,5,12,");
  EXPECT_EQ(doc.line(6), ",");
}

TEST(HeaderLines, NoBoxTickedGivesThreeZeros) {
  LayoutDocument doc;
  PlainHost host;
  RebuildHeaderLines(doc, host);
  EXPECT_EQ(doc.line(3), "180,90,0,0,0,");
}

TEST(StyleHeader, ReadsBackWhatTheRebuildWrote) {
  LayoutDocument doc;
  PlainHost host;
  host.mode = 1;
  host.landscape = 1;
  RebuildHeaderLines(doc, host);
  const StyleHeader h = ReadStyleHeader(doc);
  EXPECT_EQ(h.offsetX, 10);
  EXPECT_EQ(h.offsetY, 12);
  EXPECT_EQ(h.lineWeightOffset, "1");
  EXPECT_EQ(h.previewMode, 1);
  EXPECT_EQ(h.paperSizeCode, 9);
  EXPECT_EQ(h.landscapeFlag, 1);
  EXPECT_EQ(h.paperSourceCode, 7);
  EXPECT_EQ(h.receiptWidth, 180);
  EXPECT_EQ(h.receiptHeight, 90);
}

TEST(StyleHeader, NonWholeNumbersReadAsZero) {
  LayoutDocument doc;
  doc.setLine(2, "10.5,abc,x,,9");
  doc.setLine(3, "180.5,90,");
  const StyleHeader h = ReadStyleHeader(doc);
  EXPECT_EQ(h.offsetX, 0);
  EXPECT_EQ(h.offsetY, 0);
  EXPECT_EQ(h.lineWeightOffset, "x");
  EXPECT_EQ(h.paperSizeCode, 0);  // the last field without a comma stays in the rest
  EXPECT_EQ(h.receiptWidth, 0);
  EXPECT_EQ(h.receiptHeight, 90);
}

}  // namespace
}  // namespace kelvane

namespace kelvane {
namespace {

// Every element line is of exactly one kind, and the kinds hold the slots
// the editors list: 100 shapes, 100 free texts, 8 pictures, and the 48
// company and receipt items.
TEST(SlotKinds, EveryElementLineIsOfOneKind) {
  int shapes = 0, texts = 0, items = 0, images = 0;
  for (int line = 0; line < slotmap::kExtendedLineCount; ++line) {
    const int kinds = slotmap::isShapeLine(line) + slotmap::isTextLine(line) +
                      slotmap::isItemLine(line) + slotmap::isImageLine(line);
    EXPECT_LE(kinds, 1) << line;
    shapes += slotmap::isShapeLine(line);
    texts += slotmap::isTextLine(line);
    items += slotmap::isItemLine(line);
    images += slotmap::isImageLine(line);
  }
  EXPECT_EQ(shapes, slotmap::kShapeSlots);
  EXPECT_EQ(texts, slotmap::kTextSlots);
  EXPECT_EQ(items, slotmap::kExtendedLineCount - slotmap::kCompanyName1);
  EXPECT_EQ(images, 2 * slotmap::kImageSlotsPerGroup);
  for (int slot = 1; slot <= 8; ++slot) EXPECT_TRUE(slotmap::isImageLine(slotmap::imageLine(slot)));
}

}  // namespace
}  // namespace kelvane
