#include "receipt/numbering.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(Numbering, WholeNumbersAndTheDigitCount) {
  EXPECT_EQ(WholeNumber("012"), 12);
  EXPECT_EQ(WholeNumber("-5"), -5);
  EXPECT_EQ(WholeNumber("+5"), 5);
  for (const char* bad : {"", "-", "1.5", "1,000", " 1", "12a", "99999999999999999999"})
    EXPECT_EQ(WholeNumber(QString::fromLatin1(bad)), std::nullopt) << bad;
  EXPECT_EQ(DigitCount("4"), 4);
  EXPECT_EQ(DigitCount("abc"), 1) << "a digit count that is not a whole number counts as 1";
  EXPECT_EQ(DigitCount("4.5"), 1);
  EXPECT_EQ(DigitCount("99999999999"), 1);
}

TEST(Numbering, NextNumberPadsWithOneToEightZeros) {
  EXPECT_EQ(NextReceiptNumber("A", 4, 11), "A0012");
  EXPECT_EQ(NextReceiptNumber("A", 4, 9999), "A10000");
  EXPECT_EQ(NextReceiptNumber("A", 12, 0), "A1") << "a pad of 11 is out of range";
  EXPECT_EQ(NextReceiptNumber("A", 10, 0), "A1") << "a pad of 9 is out of range";
  EXPECT_EQ(NextReceiptNumber("A", 9, 0), "A000000001");
  EXPECT_EQ(NextReceiptNumber("", 0, 41), "42");
  EXPECT_EQ(NextReceiptNumber("No.", 1, 7), "No.8");
  EXPECT_EQ(NextReceiptNumber("1", 1, 1), "12") << "the values of a first run";
  EXPECT_EQ(NextReceiptNumber("A", 3, 1000), "A1001");
}

TEST(Numbering, NextNumberAfterTheLargestLastNumber) {
  // A last number a settings file or a typed receipt number can hold: the
  // next one is one more, not a negative number from an overflow.
  EXPECT_EQ(NextReceiptNumber("A", 4, 9223372036854775807), "A9223372036854775808");
  EXPECT_EQ(NextReceiptNumber("A", 4, -9223372036854775807 - 1), "A-9223372036854775807");
  EXPECT_EQ(NextReceiptNumber("A", 3, -1), "A000") << "pads to the digit count as before";
}

TEST(Numbering, NumberPartAfterTheHeaderLength) {
  struct Case {
    const char* number;
    const char* header;
    int digits;
    qint64 part;
    const char* why;
  };
  const Case cases[] = {
      {"A0012", "A", 4, 12, ""},
      {"A1000", "A", 3, 1000, ""},
      // Only the header's length is used: after A -> AB the number part
      // starts one byte later.
      {"A0012", "AB", 4, 12, "header changed from A to AB"},
      {"領収0012", "領収", 4, 12, ""},
      {"A123456", "A", 2, 123, "at most digit count + 1 bytes are read"},
      {"A12x", "A", 4, 1, "not a whole number"},
      {"A", "A", 4, 1, "nothing after the header"},
      {"A12", "A", -3, 1, "no bytes to read"},
      // The header's length is counted in cp932 bytes, not in characters.
      {"Ａ0012", "Ａ", 4, 12, "a full-width header is two bytes"},
      {"AB0012", "Ａ", 4, 12, "read from byte 2, not from character 1"},
      {"No.10012", "領収", 4, 12, "read from byte 4, not from character 2"},
      {"ＡＢ0012", "AB", 4, 1, "byte 2 is inside Ｂ"},
      {"ｱ0012", "ｱ", 4, 12, "a half-width kana is one byte"},
      {"ｱ0012", "ア", 4, 12, "read from byte 2"},
      {"Ａ123456", "Ａ", 2, 123, "digit count + 1 bytes after the header's two"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NumberPart(QString::fromUtf8(c.number), QString::fromUtf8(c.header), c.digits),
              c.part)
        << c.number << " / " << c.header << ": " << c.why;
  }
  EXPECT_TRUE(ExceedsDigitCount(1000, 3));
  EXPECT_FALSE(ExceedsDigitCount(999, 3));
  EXPECT_TRUE(ExceedsDigitCount(-10, 1));
}

}  // namespace
TEST(Numbering, HeaderedNumberPartTakesOnlyDigitsAfterTheHeader) {
  struct Case {
    const char* key;
    const char* header;
    std::optional<qint64> part;
  };
  const Case cases[] = {{"A0012", "A", 12},
                        {"A0012", "", std::nullopt},
                        {"12", "", 12},
                        {"A", "A", std::nullopt},
                        {"A1-2", "A", std::nullopt},
                        {"B12", "A", std::nullopt},
                        {"A999999999999999999", "A", 999999999999999999LL},
                        {"A1000000000000000000", "A", std::nullopt}};
  for (const Case& c : cases)
    EXPECT_EQ(HeaderedNumberPart(c.key, c.header), c.part) << c.key << " / " << c.header;
}

}  // namespace kelvane
