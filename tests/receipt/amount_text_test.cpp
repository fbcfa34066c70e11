#include "receipt/amount_text.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(KanjiAmount, WorkedExamples) {
  const struct {
    qint64 amount;
    const char* kanji;
  } rows[] = {{0, "円"},
              {1, "壱円"},
              {10, "壱拾円"},
              {11, "壱拾壱円"},
              {20, "弐拾円"},
              {100, "壱百円"},
              {101, "壱百壱円"},
              {110, "壱百壱拾円"},
              {1000, "壱千円"},
              {1001, "壱千壱円"},
              {1234, "壱千弐百参拾四円"},
              {10000, "壱萬円"},
              {12000, "壱萬弐千円"},
              {100000, "壱拾萬円"},
              {305000, "参拾萬五千円"},
              {1000000, "壱百萬円"},
              {1200000, "壱百弐拾萬円"},
              {20000000, "弐千萬円"},
              {99999999, "九千九百九拾九萬九千九百九拾九円"},
              {100000000, "壱億円"},
              {100010000, "壱億壱萬円"},
              {123456789, "壱億弐千参百四拾五萬六千七百八拾九円"},
              {200000001, "弐億壱円"},
              {999999999, "九億九千九百九拾九萬九千九百九拾九円"}};
  for (const auto& row : rows)
    EXPECT_EQ(KanjiAmount(row.amount), QString::fromUtf8(row.kanji)) << row.amount;
}

TEST(GroupDigits, GroupsOfThreeWithTheSignInFront) {
  EXPECT_EQ(GroupDigits(0), "0");
  EXPECT_EQ(GroupDigits(999), "999");
  EXPECT_EQ(GroupDigits(1000), "1,000");
  EXPECT_EQ(GroupDigits(12345), "12,345");
  EXPECT_EQ(GroupDigits(-12345), "-12,345");
  EXPECT_EQ(GroupDigits(-100), "-100");
  EXPECT_EQ(GroupDigits(-123456), "-123,456");
  EXPECT_EQ(GroupDigits(123456789012), "123,456,789,012");
  EXPECT_EQ(GroupDigits(std::numeric_limits<qint64>::min()), "-9,223,372,036,854,775,808");
}

TEST(PlainDecimal, ShortestTextOfTheRate) {
  EXPECT_EQ(PlainDecimal(80000), "8");
  EXPECT_EQ(PlainDecimal(85000), "8.5");
  EXPECT_EQ(PlainDecimal(100000), "10");
  EXPECT_EQ(PlainDecimal(1), "0.0001");
  EXPECT_EQ(PlainDecimal(0), "0");
  EXPECT_EQ(PlainDecimal(-2500), "-0.25");
  EXPECT_EQ(PlainDecimal(std::numeric_limits<qint64>::min()), "-922337203685477.5808");
}

}  // namespace
}  // namespace kelvane
