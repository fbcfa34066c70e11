#include "numeric/numeric_text.h"

#include <gtest/gtest.h>

namespace kelvane::numeric {
namespace {

// The magnitude with "-" in front when negative, or "0" when the text reads
// as 0.
std::string read(QStringView text, QChar leading = u' ') {
  const std::optional<PlainNumber> n = parseNumberText(text, leading);
  if (!n) return "0";
  return (n->negative ? "-" : "") + n->magnitude;
}

TEST(NumericText, HalfWidthAndGrouping) {
  EXPECT_EQ(toHalfWidth(u"１，２３４．５－＋ａＺ！～\u3000円").toStdU16String(),
            u"1,234.5-+aZ!~ 円");
  EXPECT_EQ(groupThousands("123"), "123");
  EXPECT_EQ(groupThousands("123456"), "123,456");
  EXPECT_EQ(groupThousands("1234567.12345"), "1,234,567.12345");
}

TEST(NumericText, GroupedNumbersWithEveryGroupSeparated) {
  EXPECT_EQ(read(u"1,234,567.25"), "1234567.25");
  EXPECT_EQ(read(u"１，２３４"), "1234");
  EXPECT_EQ(read(u"+5"), "5");
  EXPECT_EQ(read(u".5"), ".5");
  EXPECT_EQ(read(u"-123,456"), "-123456");  // as the field shows it
  for (const char16_t* bad : {u"12,34", u"1234,567", u",123", u"-,123", u"1,234.5,6", u"123,"}) {
    EXPECT_EQ(read(bad), "0") << QString::fromUtf16(bad).toStdString();
  }
}

TEST(NumericText, AnythingElseReadsAsZero) {
  for (const char16_t* bad :
       {u"", u"abc", u"12a", u"1.2.3", u"5-", u"--5", u"-", u".", u"1 234", u"1e5", u"１２円"}) {
    EXPECT_EQ(read(bad), "0") << QString::fromUtf16(bad).toStdString();
  }
  EXPECT_EQ(read(u"1,234\r\n"), "1234");  // a copied spreadsheet cell
}

TEST(NumericText, CurrencyMarksInFront) {
  EXPECT_EQ(read(u"\u00A51,000"), "1000");
  EXPECT_EQ(read(u"\\1,000"), "1000");  // the cp932 yen byte
  EXPECT_EQ(read(u"￥１，０００"), "1000");
  EXPECT_EQ(read(u"$25"), "25");
  EXPECT_EQ(read(u"$$25"), "0");
  // A leading character of its own replaces the "$" and yen rule.
  EXPECT_EQ(read(u"#12", u'#'), "12");
  EXPECT_EQ(read(u"$12", u'#'), "0");
  EXPECT_EQ(read(u"\u00A5-12", u'\\'), "-12");
}

}  // namespace
}  // namespace kelvane::numeric
