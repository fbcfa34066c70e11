#include "widgets/numeric_text.h"

#include <gtest/gtest.h>

namespace kelvane::numeric {
namespace {

// The magnitude text with "-" in front for a negative number, or "0" when
// the text reads as 0.
std::string read(QStringView text, QChar leading = u' ') {
  const std::optional<PlainNumber> n = parseNumberText(text, leading);
  if (!n) return "0";
  return (n->negative ? "-" : "") + n->magnitude;
}

TEST(HalfWidth, FullWidthFormsAndIdeographicSpace) {
  EXPECT_EQ(toHalfWidth(u"１，２３４．５").toStdU16String(), u"1,234.5");
  EXPECT_EQ(toHalfWidth(u"－＋ａＺ！～").toStdU16String(), u"-+aZ!~");
  EXPECT_EQ(toHalfWidth(u"\u3000").toStdU16String(), u" ");
  EXPECT_EQ(toHalfWidth(u"円12").toStdU16String(), u"円12");  // outside the table: kept
}

TEST(ParseNumberText, PlainAndGroupedNumbers) {
  EXPECT_EQ(read(u"1234"), "1234");
  EXPECT_EQ(read(u"1,234"), "1234");
  EXPECT_EQ(read(u"1,234,567.25"), "1234567.25");
  EXPECT_EQ(read(u"+5"), "5");
  EXPECT_EQ(read(u"-0.5"), "-0.5");
  EXPECT_EQ(read(u".5"), ".5");
  EXPECT_EQ(read(u"7."), "7.");
  EXPECT_EQ(read(u"１，２３４"), "1234");
}

TEST(ParseNumberText, CommasOnlyBetweenEveryGroupOfThree) {
  EXPECT_EQ(read(u"12,34"), "0");
  EXPECT_EQ(read(u"1234,567"), "0");  // the first group is not separated
  EXPECT_EQ(read(u",123"), "0");
  EXPECT_EQ(read(u"1,234.5,6"), "0");  // no comma among the decimals
  EXPECT_EQ(read(u"1,,234"), "0");
  EXPECT_EQ(read(u"123,"), "0");
}

TEST(ParseNumberText, SignedGroupedNumbersAsTheFieldShowsThem) {
  // The field shows "-123,456"; pasting it back must give the same number.
  EXPECT_EQ(read(u"-123,456"), "-123456");
  EXPECT_EQ(read(u"-1,234"), "-1234");
  EXPECT_EQ(read(u"-,123"), "0");
}

TEST(ParseNumberText, AnythingElseReadsAsZero) {
  for (const char16_t* bad : {u"", u"abc", u"12a", u"1.2.3", u"5-", u"--5", u"+-5", u"-", u".",
                              u"1 234", u"1e5", u"0x10"}) {
    EXPECT_EQ(read(bad), "0") << QString::fromUtf16(bad).toStdString();
  }
  EXPECT_EQ(read(u"１２円"), "0");
}

TEST(ParseNumberText, CurrencyMarksInFront) {
  EXPECT_EQ(read(u"\u00A51,000"), "1000");
  EXPECT_EQ(read(u"\\1,000"), "1000");  // the cp932 yen byte
  EXPECT_EQ(read(u"￥１，０００"), "1000");
  EXPECT_EQ(read(u"$25"), "25");
  EXPECT_EQ(read(u"$$25"), "0");  // only one mark is dropped
  EXPECT_EQ(read(u"25$"), "0");
  // A leading character of its own replaces the "$" and yen rule.
  EXPECT_EQ(read(u"#12", u'#'), "12");
  EXPECT_EQ(read(u"$12", u'#'), "0");
  EXPECT_EQ(read(u"\u00A5-12", u'\\'), "-12");
  EXPECT_EQ(read(u"12", u'#'), "12");
}

TEST(ParseNumberText, LineBreaksAroundACopiedCellAreDropped) {
  EXPECT_EQ(read(u"1,234\r\n"), "1234");
  EXPECT_EQ(read(u"\u3000 12 "), "12");
}

TEST(SplitPlainNumber, SignAndMagnitude) {
  EXPECT_EQ(splitPlainNumber("-12.5")->magnitude, "12.5");
  EXPECT_TRUE(splitPlainNumber("-12.5")->negative);
  EXPECT_FALSE(splitPlainNumber("1-2"));
  EXPECT_FALSE(splitPlainNumber(""));
  EXPECT_FALSE(splitPlainNumber("+"));
}

TEST(GroupThousands, WholeDigitsOnly) {
  EXPECT_EQ(groupThousands("0"), "0");
  EXPECT_EQ(groupThousands("123"), "123");
  EXPECT_EQ(groupThousands("1234"), "1,234");
  EXPECT_EQ(groupThousands("123456"), "123,456");
  EXPECT_EQ(groupThousands("1234567.12345"), "1,234,567.12345");
}

}  // namespace
}  // namespace kelvane::numeric
