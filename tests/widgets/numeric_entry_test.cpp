#include "numeric/numeric_entry.h"

#include <gtest/gtest.h>

#include <limits>

namespace kelvane::numeric {
namespace {

// Types `keys` one by one without a selection; the number of beeps.
int type(EntryCore& entry, std::u16string_view keys) {
  int beeps = 0;
  for (const char16_t c : keys) {
    if (entry.typeCharacter(QChar(c), false) == KeyOutcome::Rejected) ++beeps;
  }
  return beeps;
}

std::u16string shown(const EntryCore& entry) { return entry.text().toStdU16String(); }

TEST(FloatEntry, DigitsPointAndMinusAsTyped) {
  FloatEntry entry;
  EXPECT_EQ(type(entry, u"1234x +,"), 0);  // other characters change nothing
  EXPECT_EQ(shown(entry), u"1,234");
  entry.setPutAComma(false);
  EXPECT_EQ(shown(entry), u"1234");
  EXPECT_EQ(entry.typeDigit(7, true), KeyOutcome::Accepted);  // a selection starts anew
  EXPECT_EQ(entry.value(), 7);

  FloatEntry point;
  type(point, u".5");
  EXPECT_EQ(shown(point), u"0.5");
  EXPECT_EQ(type(point, u"."), 1);

  FloatEntry minus;
  type(minus, u"-");
  EXPECT_EQ(shown(minus), u"-");
  EXPECT_EQ(minus.value(), 0);
  type(minus, u"5");
  EXPECT_EQ(shown(minus), u"-5");
  EXPECT_TRUE(minus.showsNegative());
  type(minus, u"-");
  EXPECT_EQ(shown(minus), u"5");
  EXPECT_EQ(minus.value(), 5);
}

TEST(FloatEntry, BackspaceTakesThePointWithItsDigitAndTheMinusWithTheLastDigit) {
  FloatEntry entry;
  type(entry, u"1.");
  EXPECT_EQ(shown(entry), u"1.");
  (void)entry.backspace(false);
  EXPECT_EQ(shown(entry), u"");
  entry.setZeroDisplay(true);
  type(entry, u"1.");
  (void)entry.backspace(false);
  EXPECT_EQ(shown(entry), u"0");

  FloatEntry negative;
  type(negative, u"-12");
  (void)negative.backspace(false);
  EXPECT_EQ(shown(negative), u"-1");  // still negative, and "-" still toggles
  type(negative, u"-");
  EXPECT_EQ(shown(negative), u"1");
  type(negative, u"-");
  (void)negative.backspace(false);
  EXPECT_EQ(shown(negative), u"");
  EXPECT_FALSE(negative.minusPending());
}

TEST(FloatEntry, FixedDecimalsAndDigitLimits) {
  FloatEntry entry;
  entry.setFixDecimal(2);
  EXPECT_EQ(type(entry, u"1.234"), 1);
  EXPECT_EQ(shown(entry), u"1.23");
  entry.focusOut();
  EXPECT_EQ(shown(entry), u"1.23");
  entry.setValue(1.5L);
  EXPECT_EQ(shown(entry), u"1.50");
  entry.setValue(2.346L);  // the value keeps the decimals it shows
  EXPECT_DOUBLE_EQ(double(entry.value()), 2.35);
  entry.setValue(0);
  EXPECT_EQ(type(entry, u"1234567"), 0);
  EXPECT_EQ(type(entry, u"8"), 1);  // eighth whole digit beside two decimals

  FloatEntry free;
  EXPECT_EQ(type(free, u"123456789"), 0);
  EXPECT_EQ(type(free, u"0."), 2);  // tenth digit; no room for a point
  EXPECT_EQ(shown(free), u"123,456,789");

  FloatEntry whole;
  whole.setFixDecimal(0);
  EXPECT_EQ(type(whole, u"3.4"), 1);
  EXPECT_EQ(shown(whole), u"34");
}

TEST(FloatEntry, SetValueClampsCutsAndTamesOddValues) {
  FloatEntry entry;
  entry.setValue(1e12L);
  EXPECT_EQ(shown(entry), u"999,999,999");
  entry.setValue(-std::numeric_limits<long double>::infinity());
  EXPECT_EQ(shown(entry), u"-999,999,999");
  entry.setValue(std::numeric_limits<long double>::quiet_NaN());
  EXPECT_EQ(entry.value(), 0);
  entry.setValue(-1e-12L);  // too small to show: zero, not a lone "-"
  EXPECT_EQ(shown(entry), u"");
  EXPECT_EQ(entry.value(), 0);
  entry.setValue(1.23456789012L);  // nine digits, cut
  EXPECT_EQ(shown(entry), u"1.23456789");
  entry.setMaxDigits(15);
  entry.setValue(123456789.1L);  // not 123456789.099999
  EXPECT_EQ(shown(entry), u"123,456,789.1");

  entry.setPrmtNegative(false);
  EXPECT_EQ(type(entry, u"-"), 1);
  entry.setValue(-3);
  EXPECT_EQ(entry.value(), 3);
}

TEST(FloatEntry, DigitSettingsAreClamped) {
  FloatEntry entry;
  entry.setMaxDigits(16);
  EXPECT_EQ(entry.maxDigits(), 9);
  entry.setFixDecimal(20);
  EXPECT_EQ(entry.fixDecimal(), 8);
  entry.setMaxDigits(8);  // not above FixDecimal: ignored
  EXPECT_EQ(entry.maxDigits(), 9);
  entry.setFixDecimal(-5);
  EXPECT_EQ(entry.fixDecimal(), -1);

  entry.setValue(123456.789L);
  entry.setMaxDigits(4);
  EXPECT_EQ(shown(entry), u"9,999");
  entry.setMaxDigits(9);
  entry.setValue(-3.789L);
  entry.setFixDecimal(1);  // cut, not rounded
  EXPECT_EQ(shown(entry), u"-3.7");
}

TEST(FloatEntry, EscapeDeleteLeadingCharAndLoading) {
  FloatEntry entry;
  entry.setValue(25);
  entry.focusIn();
  (void)entry.typeDigit(9, true);
  entry.escape();
  EXPECT_EQ(shown(entry), u"25");
  (void)entry.deleteKey(false);
  EXPECT_EQ(entry.value(), 25);
  entry.setDelAllClear(true);
  (void)entry.deleteKey(false);
  EXPECT_EQ(entry.value(), 0);

  entry.setLeadingChar(u'\\');
  EXPECT_EQ(shown(entry), u"");  // zero shows nothing, not even the mark
  entry.setValue(-1000);
  EXPECT_EQ(shown(entry), u"\\-1,000");
  entry.loaded();
  EXPECT_EQ(shown(entry), u"\\-1,000");
  EXPECT_EQ(entry.valueAtFocus(), -1000);
}

TEST(FloatEntry, ParsedText) {
  FloatEntry entry;
  entry.setFromText(u"１，２３４");
  EXPECT_EQ(entry.value(), 1234);
  entry.setFromText(u"12,34");
  EXPECT_EQ(entry.value(), 0);
  entry.setFromText(u"abc");
  EXPECT_EQ(entry.value(), 0);
  entry.setFromText(u"\u00A51,000");
  EXPECT_EQ(entry.value(), 1000);
  entry.setFromText(u"99999999999999999999999");
  EXPECT_EQ(shown(entry), u"999,999,999");
  entry.setLeadingChar(u'#');
  entry.setValue(-123456);
  entry.setFromText(entry.text());  // the field's own text reads back
  EXPECT_EQ(entry.value(), -123456);
}

TEST(CurrencyEntry, FourDecimalsInTenThousandths) {
  CurrencyEntry entry;
  EXPECT_EQ(type(entry, u"0.1234"), 0);
  EXPECT_EQ(type(entry, u"5"), 1);
  EXPECT_EQ(shown(entry), u"0.1234");
  EXPECT_EQ(entry.value(), 1234);
  entry.setValue(-15000);
  EXPECT_EQ(shown(entry), u"-1.5");
  entry.setFixDecimal(2);
  entry.setValue(12345);
  EXPECT_EQ(entry.value(), 12300);
  entry.setValue(49);  // 0.0049: below half a cent
  EXPECT_EQ(entry.value(), 0);
}

TEST(CurrencyEntry, FifteenDigitsStayWithinSixtyFourBits) {
  CurrencyEntry entry;
  entry.setMaxDigits(15);
  EXPECT_EQ(type(entry, u"922337203685477"), 0);
  EXPECT_EQ(entry.value(), 922337203685477 * 10000LL);
  (void)entry.backspace(false);
  EXPECT_EQ(type(entry, u"8"), 1);  // would not fit
  entry.setValue(std::numeric_limits<qint64>::min());
  EXPECT_EQ(entry.value(), -922337203685477 * 10000LL);
  entry.setFromText(u"99999999999999999999");
  EXPECT_EQ(entry.value(), 922337203685477 * 10000LL);
}

}  // namespace
}  // namespace kelvane::numeric
