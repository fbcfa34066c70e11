#include "text/fixed_point.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <limits>

namespace kelvane {
namespace {

TEST(FixedParse, DecimalsAsTheLayoutWritesThem) {
  EXPECT_EQ(fixed::parse("20"), 200000);
  EXPECT_EQ(fixed::parse("35.5"), 355000);
  EXPECT_EQ(fixed::parse("40.1234"), 401234);
  EXPECT_EQ(fixed::parse("-5"), -50000);
  EXPECT_EQ(fixed::parse("+0.5"), 5000);
  EXPECT_EQ(fixed::parse(".5"), 5000);
  EXPECT_EQ(fixed::parse("7."), 70000);
  EXPECT_EQ(fixed::parse(" 12 "), 120000);
  EXPECT_EQ(fixed::parse("1e2"), 1000000);
  EXPECT_EQ(fixed::parse("2.5E-1"), 2500);
  EXPECT_EQ(fixed::parse("0"), 0);
}

TEST(FixedParse, FifthDecimalRoundsHalfToEven) {
  EXPECT_EQ(fixed::parse("0.00005"), 0);
  EXPECT_EQ(fixed::parse("0.00015"), 2);
  EXPECT_EQ(fixed::parse("0.000151"), 2);
  EXPECT_EQ(fixed::parse("0.00025"), 2);
  EXPECT_EQ(fixed::parse("0.000250001"), 3);
  EXPECT_EQ(fixed::parse("-0.00015"), -2);
}

TEST(FixedParse, RejectsWhatIsNotANumber) {
  for (const char* bad : {"", " ", "-", ".", "abc", "1,5", "1.2.3", "12mm", "1e", "0x10", "1 2"}) {
    EXPECT_FALSE(fixed::parse(bad).has_value()) << bad;
  }
}

TEST(FixedParse, RangeOfSixtyFourBits) {
  EXPECT_EQ(fixed::parse("922337203685477.5807"), std::numeric_limits<qint64>::max());
  EXPECT_FALSE(fixed::parse("922337203685477.5808").has_value());
  EXPECT_FALSE(fixed::parse("1e300").has_value());
  EXPECT_EQ(fixed::parse("1e-300"), 0);
  EXPECT_EQ(fixed::parse("000000000000000000000000000000000000000000012"), 120000);
}

TEST(FixedParse, TinyValuesAreZeroAtEveryExponent) {
  // Every exponent from just below the fourth decimal to far beyond the
  // 38 digits a 128-bit intermediate holds: no step of the scaling may
  // overflow (the sanitizer build stops on it), and the value is 0.
  for (int exponent = 6; exponent <= 60; ++exponent) {
    for (const char* digits : {"1", "4.9", "9.99999999"}) {
      const QByteArray text = QByteArray(digits) + "e-" + QByteArray::number(exponent);
      EXPECT_EQ(fixed::parse(text), 0) << text.constData();
    }
  }
  EXPECT_EQ(fixed::parse("1e-43"), 0);
  EXPECT_EQ(fixed::parse("-6e-5"), -1);
  EXPECT_EQ(fixed::parse("0.000050000000000000000000000000000000000000001"), 1);
}

TEST(FixedWhole, StrictAndWithFallback) {
  EXPECT_EQ(fixed::parseWhole("12"), 12);
  EXPECT_EQ(fixed::parseWhole("-3"), -3);
  EXPECT_EQ(fixed::parseWhole(" 7"), 7);
  EXPECT_EQ(fixed::parseWhole("2147483647"), 2147483647);
  EXPECT_EQ(fixed::parseWhole("-2147483648"), std::numeric_limits<int>::min());
  for (const char* bad : {"", "-", "1.0", "2147483648", "12 ", "x1", "99999999999999999999"}) {
    EXPECT_FALSE(fixed::parseWhole(bad).has_value()) << bad;
  }
  EXPECT_EQ(fixed::parseWholeOr("abc", 0), 0);
  EXPECT_EQ(fixed::parseWholeOr("", 1), 1);
  EXPECT_EQ(fixed::parseWholeOr("12632256", 0), 12632256);
}

TEST(FixedDivision, RoundingModes) {
  EXPECT_EQ(fixed::divRoundHalfEven(5, 2), 2);
  EXPECT_EQ(fixed::divRoundHalfEven(7, 2), 4);
  EXPECT_EQ(fixed::divRoundHalfEven(-5, 2), -2);
  EXPECT_EQ(fixed::divRoundHalfEven(-7, 2), -4);
  EXPECT_EQ(fixed::divRoundHalfEven(10, 3), 3);
  EXPECT_EQ(fixed::divRoundHalfAway(5, 2), 3);
  EXPECT_EQ(fixed::divRoundHalfAway(-5, 2), -3);
  EXPECT_EQ(fixed::divRoundHalfAway(67, 144), 0);
  EXPECT_EQ(fixed::divRoundHalfAway(335, 144), 2);
  EXPECT_EQ(fixed::divTrunc(-7, 2), -3);
  EXPECT_EQ(fixed::divTrunc(1, 0), 0);
}

}  // namespace
}  // namespace kelvane
