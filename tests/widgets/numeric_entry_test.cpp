#include "widgets/numeric_entry.h"

#include <gtest/gtest.h>

#include <limits>

namespace kelvane::numeric {
namespace {

// Types `keys` one by one without a selection; the count of rejected keys
// (beeps).
int type(EntryCore& entry, std::u16string_view keys) {
  int beeps = 0;
  for (const char16_t c : keys) {
    if (entry.typeCharacter(QChar(c), false) == KeyOutcome::Rejected) ++beeps;
  }
  return beeps;
}

std::u16string shown(const EntryCore& entry) { return entry.text().toStdU16String(); }

TEST(FloatEntry, TypedDigitsAreGrouped) {
  FloatEntry entry;
  EXPECT_EQ(type(entry, u"1234"), 0);
  EXPECT_EQ(shown(entry), u"1,234");
  EXPECT_EQ(entry.value(), 1234);
  entry.setPutAComma(false);
  EXPECT_EQ(shown(entry), u"1234");
  EXPECT_EQ(type(entry, u"a +,"), 0);  // other characters change nothing
  EXPECT_EQ(shown(entry), u"1234");
}

TEST(FloatEntry, PointAndLeadingZeros) {
  FloatEntry entry;
  type(entry, u".5");
  EXPECT_EQ(shown(entry), u"0.5");
  EXPECT_DOUBLE_EQ(double(entry.value()), 0.5);
  EXPECT_EQ(entry.digitCount(), 2);

  FloatEntry zeros;
  type(zeros, u"007");
  EXPECT_EQ(shown(zeros), u"7");
  type(zeros, u".0");
  EXPECT_EQ(shown(zeros), u"7.0");
  EXPECT_EQ(type(zeros, u"."), 1);  // one point only
  type(zeros, u"25");
  EXPECT_EQ(shown(zeros), u"7.025");
  EXPECT_DOUBLE_EQ(double(zeros.value()), 7.025);
}

TEST(FloatEntry, BackspaceTakesAPendingPointWithTheLastDigit) {
  FloatEntry entry;
  type(entry, u"1.");
  EXPECT_EQ(shown(entry), u"1.");
  EXPECT_EQ(entry.backspace(false), KeyOutcome::Accepted);
  EXPECT_EQ(shown(entry), u"");
  EXPECT_EQ(entry.value(), 0);

  FloatEntry zero;
  zero.setZeroDisplay(true);
  type(zero, u"1.");
  (void)zero.backspace(false);
  EXPECT_EQ(shown(zero), u"0");

  FloatEntry longer;
  type(longer, u"12.05");
  (void)longer.backspace(false);
  EXPECT_EQ(shown(longer), u"12.0");
  (void)longer.backspace(false);
  EXPECT_EQ(shown(longer), u"12.");
  (void)longer.backspace(false);
  EXPECT_EQ(shown(longer), u"1");
  EXPECT_EQ(longer.value(), 1);
}

TEST(FloatEntry, MinusBeforeAndAfterDigits) {
  FloatEntry entry;
  EXPECT_EQ(type(entry, u"-"), 0);
  EXPECT_EQ(shown(entry), u"-");
  EXPECT_TRUE(entry.showsNegative());
  EXPECT_EQ(entry.value(), 0);
  type(entry, u"5");
  EXPECT_EQ(shown(entry), u"-5");
  EXPECT_EQ(entry.value(), -5);
  type(entry, u"-");
  EXPECT_EQ(shown(entry), u"5");
  EXPECT_FALSE(entry.showsNegative());
  EXPECT_EQ(entry.value(), 5);
}

TEST(FloatEntry, BackspaceKeepsTheMinusUntilTheLastDigit) {
  FloatEntry entry;
  type(entry, u"-12");
  (void)entry.backspace(false);
  EXPECT_EQ(shown(entry), u"-1");
  EXPECT_EQ(entry.value(), -1);
  type(entry, u"-");  // toggling still works on the kept sign
  EXPECT_EQ(shown(entry), u"1");
  type(entry, u"-");
  (void)entry.backspace(false);
  EXPECT_EQ(shown(entry), u"");
  EXPECT_FALSE(entry.minusPending());
  type(entry, u"-");
  (void)entry.backspace(false);  // a lone minus goes too
  EXPECT_EQ(shown(entry), u"");
}

TEST(FloatEntry, FixedDecimals) {
  FloatEntry entry;
  entry.setFixDecimal(2);
  EXPECT_EQ(type(entry, u"1.234"), 1);
  EXPECT_EQ(shown(entry), u"1.23");
  entry.focusOut();
  EXPECT_EQ(shown(entry), u"1.23");
  EXPECT_DOUBLE_EQ(double(entry.value()), 1.23);

  entry.setValue(1.5L);
  EXPECT_EQ(shown(entry), u"1.50");
  // The value is kept with the decimals it shows.
  entry.setValue(2.346L);
  EXPECT_EQ(shown(entry), u"2.35");
  EXPECT_DOUBLE_EQ(double(entry.value()), 2.35);

  FloatEntry whole;
  whole.setFixDecimal(0);
  EXPECT_EQ(type(whole, u"3.4"), 1);
  EXPECT_EQ(shown(whole), u"34");
}

TEST(FloatEntry, DigitLimits) {
  FloatEntry entry;
  entry.setFixDecimal(2);
  EXPECT_EQ(type(entry, u"1234567"), 0);
  EXPECT_EQ(type(entry, u"8"), 1);  // eighth whole digit with two decimals
  EXPECT_EQ(shown(entry), u"1,234,567");
  EXPECT_EQ(type(entry, u".89"), 0);
  EXPECT_EQ(shown(entry), u"1,234,567.89");

  FloatEntry free;
  EXPECT_EQ(type(free, u"123456789"), 0);
  EXPECT_EQ(type(free, u"0"), 1);
  EXPECT_EQ(type(free, u"."), 1);  // no room for decimals
  EXPECT_EQ(shown(free), u"123,456,789");

  FloatEntry small;
  EXPECT_EQ(type(small, u"0.12345678"), 0);
  EXPECT_EQ(type(small, u"9"), 1);
  EXPECT_EQ(shown(small), u"0.12345678");
}

TEST(FloatEntry, NegativesNotPermitted) {
  FloatEntry entry;
  entry.setPrmtNegative(false);
  EXPECT_EQ(type(entry, u"-"), 1);
  entry.setValue(-3);
  EXPECT_EQ(entry.value(), 3);
  EXPECT_EQ(shown(entry), u"3");

  FloatEntry later;
  later.setValue(-4);
  later.setPrmtNegative(false);
  EXPECT_EQ(later.value(), 4);
}

TEST(FloatEntry, SetValueClampsAndCountsDigits) {
  FloatEntry entry;
  entry.setValue(1e12L);
  EXPECT_EQ(shown(entry), u"999,999,999");
  entry.setValue(-1e12L);
  EXPECT_EQ(shown(entry), u"-999,999,999");
  entry.setValue(1.23456789012L);  // cut to nine digits, not rounded
  EXPECT_EQ(shown(entry), u"1.23456789");
  EXPECT_EQ(entry.digitCount(), 9);
  entry.setValue(0.1L);
  EXPECT_EQ(shown(entry), u"0.1");
  EXPECT_EQ(entry.decimalCount(), 1);
  // Measures with many digits keep their decimals exactly.
  entry.setMaxDigits(15);
  entry.setValue(123456789.1L);
  EXPECT_EQ(shown(entry), u"123,456,789.1");
}

TEST(FloatEntry, OddValuesAreTamed) {
  FloatEntry entry;
  entry.setValue(std::numeric_limits<long double>::quiet_NaN());
  EXPECT_EQ(entry.value(), 0);
  EXPECT_EQ(shown(entry), u"");
  entry.setValue(std::numeric_limits<long double>::infinity());
  EXPECT_EQ(shown(entry), u"999,999,999");
  entry.setValue(-std::numeric_limits<long double>::infinity());
  EXPECT_EQ(shown(entry), u"-999,999,999");
  // Too small to show: zero, without a lone minus.
  entry.setValue(-1e-12L);
  EXPECT_EQ(shown(entry), u"");
  EXPECT_EQ(entry.value(), 0);
}

TEST(FloatEntry, SelectionStartsANewEntry) {
  FloatEntry entry;
  entry.setValue(-456);
  EXPECT_EQ(entry.typeDigit(7, true), KeyOutcome::Accepted);
  EXPECT_EQ(shown(entry), u"7");
  EXPECT_EQ(entry.typeMinus(true), KeyOutcome::Accepted);
  EXPECT_EQ(shown(entry), u"-");
  type(entry, u"8");
  EXPECT_EQ(entry.typePoint(true), KeyOutcome::Accepted);  // the minus stays
  EXPECT_EQ(shown(entry), u"-0.");
  EXPECT_EQ(entry.backspace(true), KeyOutcome::Accepted);
  EXPECT_EQ(shown(entry), u"");
}

TEST(FloatEntry, DeleteClearsOnlyWithSelectionOrDelAllClear) {
  FloatEntry entry;
  type(entry, u"42");
  (void)entry.deleteKey(false);
  EXPECT_EQ(entry.value(), 42);
  (void)entry.deleteKey(true);
  EXPECT_EQ(entry.value(), 0);
  type(entry, u"42");
  entry.setDelAllClear(true);
  (void)entry.deleteKey(false);
  EXPECT_EQ(entry.value(), 0);
}

TEST(FloatEntry, EscapeRestoresTheValueAtFocus) {
  FloatEntry entry;
  entry.setValue(25);
  entry.focusIn();
  (void)entry.typeDigit(9, true);
  type(entry, u"9");
  EXPECT_EQ(entry.value(), 99);
  entry.escape();
  EXPECT_EQ(entry.value(), 25);
  EXPECT_EQ(shown(entry), u"25");
}

TEST(FloatEntry, LeadingCharacterAndZeroDisplay) {
  FloatEntry entry;
  entry.setLeadingChar(u'\\');
  EXPECT_EQ(shown(entry), u"");  // zero shows nothing, not even the mark
  entry.setValue(-1000);
  EXPECT_EQ(shown(entry), u"\\-1,000");
  entry.setValue(0);
  entry.setZeroDisplay(true);
  EXPECT_EQ(shown(entry), u"\\0");
  entry.setLeadingChar(QChar(u'\t'));  // below a space: none
  EXPECT_EQ(entry.leadingChar(), u' ');
  EXPECT_EQ(shown(entry), u"0");
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
  entry.setFromText(u"-2.5");
  EXPECT_EQ(shown(entry), u"-2.5");
  entry.setFromText(u"99999999999999999999999");
  EXPECT_EQ(shown(entry), u"999,999,999");
  entry.setLeadingChar(u'#');
  entry.setFromText(entry.text());  // the field's own text reads back
  EXPECT_EQ(entry.value(), 999999999);
}

TEST(FloatEntry, DigitSettingsAreClamped) {
  FloatEntry entry;
  entry.setMaxDigits(0);
  entry.setMaxDigits(16);
  EXPECT_EQ(entry.maxDigits(), 9);
  entry.setFixDecimal(20);
  EXPECT_EQ(entry.fixDecimal(), 8);
  entry.setMaxDigits(8);  // not above FixDecimal: ignored
  EXPECT_EQ(entry.maxDigits(), 9);
  entry.setFixDecimal(-5);
  EXPECT_EQ(entry.fixDecimal(), -1);

  entry.setValue(123456.789L);
  entry.setMaxDigits(4);  // too many digits now: clamped
  EXPECT_EQ(shown(entry), u"9,999");
  entry.setMaxDigits(9);
  entry.setValue(3.789L);
  entry.setFixDecimal(1);  // cut, not rounded
  EXPECT_EQ(shown(entry), u"3.7");
  entry.setFixDecimal(-1);
  EXPECT_EQ(shown(entry), u"3.7");
  entry.setFixDecimal(3);
  EXPECT_EQ(shown(entry), u"3.700");
}

TEST(FloatEntry, LoadedKeepsTheSignAndTakesTheValueAtFocus) {
  FloatEntry entry;
  entry.setValue(-7);
  entry.loaded();
  EXPECT_EQ(shown(entry), u"-7");
  EXPECT_EQ(entry.valueAtFocus(), -7);
}

TEST(CurrencyEntry, AtMostFourDecimals) {
  CurrencyEntry entry;
  EXPECT_EQ(type(entry, u"0.1234"), 0);
  EXPECT_EQ(type(entry, u"5"), 1);
  EXPECT_EQ(shown(entry), u"0.1234");
  EXPECT_EQ(entry.value(), 1234);
  EXPECT_EQ(entry.decimalCount(), 4);
  EXPECT_EQ(entry.digitCount(), 5);
}

TEST(CurrencyEntry, ValuesInTenThousandths) {
  CurrencyEntry entry;
  type(entry, u"12000");
  EXPECT_EQ(entry.value(), 120000000);
  EXPECT_EQ(shown(entry), u"12,000");
  entry.setValue(-15000);
  EXPECT_EQ(shown(entry), u"-1.5");
  entry.setFixDecimal(2);
  EXPECT_EQ(shown(entry), u"-1.50");
  entry.setValue(12345);  // 1.2345 keeps the two decimals it shows
  EXPECT_EQ(entry.value(), 12300);
  entry.setValue(49);  // 0.0049: below half a cent
  EXPECT_EQ(entry.value(), 0);
  entry.setFromText(u"0.00004");
  EXPECT_EQ(entry.value(), 0);
}

TEST(CurrencyEntry, FifteenDigitsStayWithinSixtyFourBits) {
  CurrencyEntry entry;
  entry.setMaxDigits(15);
  EXPECT_EQ(type(entry, u"922337203685477"), 0);
  EXPECT_EQ(entry.value(), 922337203685477 * 10000LL);
  (void)entry.backspace(false);
  EXPECT_EQ(type(entry, u"8"), 1);  // would not fit
  entry.setValue(0);
  EXPECT_EQ(type(entry, u"922337203685478"), 1);
  EXPECT_EQ(shown(entry), u"92,233,720,368,547");
  // The extremes of the type are cut to the fifteen whole digits.
  entry.setValue(std::numeric_limits<qint64>::min());
  EXPECT_EQ(entry.value(), -922337203685477 * 10000LL);
  entry.setFromText(u"99999999999999999999");
  EXPECT_EQ(entry.value(), 922337203685477 * 10000LL);
}

}  // namespace
}  // namespace kelvane::numeric
