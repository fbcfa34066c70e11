#include "receipt/receipt.h"

#include "layout/layout_slots.h"
#include "text/cp932.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

namespace slot = slotmap;
QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }
constexpr qint64 yen(qint64 y) { return y * 10000; }

Receipt sample() {
  return {QStringLiteral("A0012"),
          QDate(2019, 5, 1),
          QStringLiteral("株式会社サンプル"),
          {},
          QStringLiteral("品代として"),
          {},
          QStringLiteral("担当A"),
          QStringLiteral("200"),
          yen(10800),
          yen(10000),
          yen(10800),
          yen(800),
          yen(8)};
}

TEST(Receipt, RecordsAndReadsBackByteForByte) {
  Receipt fractions = sample();
  fractions.taxRate = 85000;
  fractions.amount = yen(-1234) - 5;
  fractions.addressee2 = QStringLiteral("経理部 御中");
  Receipt blank = sample();
  blank.date = QDate(2019, 4, 30);
  blank.addressee1 = blank.staff = blank.stamp = QString();
  const std::pair<Receipt, const char*> rows[] = {
      {sample(), "A0012,2019/5/1,10800,株式会社サンプル,品代として,,10000,10800,800,8,担当A,200,,"},
      {fractions,
       "A0012,2019/5/1,-1234.0005,株式会社サンプル,品代として,,10000,10800,800,8.5,"
       "担当A,200,経理部 御中,"},
      {blank, "A0012,2019/4/30,10800,,品代として,,10000,10800,800,8,,,,"}};
  for (const auto& [receipt, expected] : rows) {
    const QByteArray line = FormatRegisterLine(*RegisterRecordOf(receipt));
    EXPECT_EQ(line, sj(expected));
    const auto back = ReceiptFromRegisterRecord(ParseRegisterLine(line));
    ASSERT_TRUE(back) << back.error().toStdString();
    EXPECT_EQ(*back, receipt) << expected;
  }
}

TEST(Receipt, WhatTheRegisterCannotHoldOrTheFormCannotTake) {
  Receipt r = sample();
  r.description1 = QStringLiteral("品代,送料\t込");
  r.stamp = QStringLiteral("  200");
  EXPECT_EQ(RegisterRecordOf(r)->description1, sj("品代，送料 込"));
  EXPECT_EQ(ReceiptFromRegisterRecord(*RegisterRecordOf(r))->stamp, QStringLiteral("200"));
  r.date.reset();
  EXPECT_FALSE(RegisterRecordOf(r)) << "no date, no line";

  const std::pair<const char*, bool> lines[] = {{"1,,,,,,,,,,,,,", true},  // no date, amounts 0
                                                {"1,2026-2-3, 999999999.9999 ,,,,,,,,,,,", true},
                                                {"1,2026/2/30,1,,,,,,,,,,,", false},
                                                {"1,20261208,1,,,,,,,,,,,", false},
                                                {"1,2026/12/8,abc,,,,,,,,,,,", false},
                                                {"1,2026/12/8,1,,,,,,x,,,,,", false},
                                                {"1,2026/12/8,1000000000,,,,,,,,,,,", false},
                                                {"1,2026/12/8,1,,,,-1000000000,,,,,,,", false}};
  for (const auto& [line, readable] : lines)
    EXPECT_EQ(bool(ReceiptFromRegisterRecord(ParseRegisterLine(line))), readable) << line;
}

TEST(Receipt, AmountItemsWithMarksKanjiAndZeroDisplay) {
  const struct {
    qint64 amount;
    ReceiptTextSettings settings;  // kanji, "\", "-", zero display
    const char* receipt;
    const char* stub;
    bool refused;
  } rows[] = {
      {yen(12000), {false, true, true, true}, "\\12,000-", "12,000", false},
      {yen(12000), {true, true, true, true}, "金壱萬弐千円也", "12,000", false},
      {yen(12000) + 5000, {true, false, false, true}, "壱萬弐千円", "12,000.5", false},
      {0, {false, true, true, false}, "\\-", "", false},
      {0, {}, "0", "0", false},
      {yen(-5), {true, true, false, true}, "金-5", "-5", true},
      {yen(12345678) + 1234, {}, "12,345,678.1", "12,345,678.1", false},  // the field's digits
      {yen(1'000'000'000), {true, false, false, true}, "999,999,999", "999,999,999", true},
  };
  for (const auto& row : rows) {
    Receipt r;
    r.amount = r.billedAmount = row.amount;
    const ReceiptItems items = ReceiptItemTexts(r, row.settings);
    EXPECT_EQ(items.text(slot::kAmount), sj(row.receipt)) << row.amount;
    EXPECT_EQ(items.text(slot::kStubAmount), sj(row.stub)) << row.amount;
    EXPECT_EQ(items.text(slot::kBilled + slot::kStubOffset), sj(row.stub)) << row.amount;
    EXPECT_EQ(items.kanjiRefusal.has_value(), row.refused) << row.amount;
  }
}

TEST(Receipt, AddresseeRateAndEraItems) {
  Receipt r = sample();
  r.number = QStringLiteral("A\n12");
  r.taxRate = 0;
  ReceiptItems items = ReceiptItemTexts(r, {});
  EXPECT_EQ(items.text(slot::kNumber + slot::kStubOffset), "A 12");
  EXPECT_EQ(items.text(slot::kAddressee + slot::kStubOffset), sj("株式会社サンプル"));
  EXPECT_EQ(items.text(slot::kAddresseeLine1), "");
  EXPECT_EQ(items.text(slot::kTaxRate), "");
  EXPECT_EQ(items.text(slot::kEraYear) + items.text(slot::kMonth) + items.text(slot::kDay), "151");

  r.addressee2 = QStringLiteral("経理部 御中");  // the first line moves to the two-line items
  r.taxRate = 85000;
  r.date = QDate(2019, 4, 30);  // the last day of 平成
  items = ReceiptItemTexts(r, {});
  EXPECT_EQ(items.text(slot::kAddressee) + items.text(slot::kAddressee + slot::kStubOffset), "");
  EXPECT_EQ(items.text(slot::kStubAddresseeLine1), sj("株式会社サンプル"));
  EXPECT_EQ(items.text(slot::kAddresseeLine2), sj("経理部 御中"));
  EXPECT_EQ(items.text(slot::kTaxRate + slot::kStubOffset), "8.5");
  EXPECT_EQ(items.text(slot::kEraYear + slot::kStubOffset), "31");
  r.date.reset();
  EXPECT_EQ(ReceiptItemTexts(r, {}).text(slot::kDay), "");
}

}  // namespace
}  // namespace kelvane
