#include "receipt/register_record.h"

#include "text/cp932.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

TEST(RegisterRecord, ALineReadsAndWritesBackByteForByte) {
  const QByteArray line =
      sj("A0012,2018/4/1,10800,株式会社サンプル,品代として,,10000,10800,800,8,担当A,200,,");
  const RegisterRecord r = ParseRegisterLine(line);
  EXPECT_EQ(r.number, "A0012");
  EXPECT_EQ(r.date, "2018/4/1");
  EXPECT_EQ(r.amount, "10800");
  EXPECT_EQ(r.addressee1, sj("株式会社サンプル"));
  EXPECT_EQ(r.description2, "");
  EXPECT_EQ(r.taxRate, "8");
  EXPECT_EQ(r.stamp, "200");
  EXPECT_EQ(r.addressee2, "");
  EXPECT_EQ(FormatRegisterLine(r), line);
}

TEST(RegisterRecord, ShortLinesAndTextAfterTheLastComma) {
  RegisterRecord r = ParseRegisterLine("7,2020/1/2,500");
  EXPECT_EQ(r.number, "7");
  EXPECT_EQ(r.date, "2020/1/2");
  EXPECT_EQ(r.amount, "") << "text after the last comma is ignored";
  EXPECT_EQ(r.addressee2, "");
  EXPECT_EQ(FormatRegisterLine(r), "7,2020/1/2,,,,,,,,,,,,");

  r = ParseRegisterLine("no comma at all");
  EXPECT_EQ(r.number, "");
  // Fields after the thirteen are the qualified invoice's; beyond those
  // nineteen, extra fields are dropped.
  r = ParseRegisterLine("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,");
  EXPECT_EQ(r.addressee2, "13");
  EXPECT_EQ(r.amount10, "14");
  EXPECT_EQ(r.tax10, "15");
  EXPECT_EQ(FormatRegisterLine(r), "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,,,,,");
  r = ParseRegisterLine("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,");
  EXPECT_EQ(r.registrationNumber, "19");
  EXPECT_EQ(FormatRegisterLine(r), "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,");
  r = ParseRegisterLine("1,2,3,4,5,6,7,8,9,10,11,12,13,,,,,,,");
  EXPECT_EQ(FormatRegisterLine(r), "1,2,3,4,5,6,7,8,9,10,11,12,13,")
      << "empty fields after the thirteen are not kept";
}

TEST(RegisterRecord, NumbersMatchTrimmedAndWithCase) {
  EXPECT_EQ(RegisterKey(" \tA0012\r "), "A0012");
  EXPECT_EQ(RegisterKey("   "), "");
  EXPECT_TRUE(LineHasNumber(" A0012 ,2018/4/1,", "A0012"));
  EXPECT_FALSE(LineHasNumber("a0012,2018/4/1,", "A0012"));
  EXPECT_FALSE(LineHasNumber("A00121,2018/4/1,", "A0012"));
  EXPECT_TRUE(LineHasNumber(",2018/4/1,", ""));
  EXPECT_TRUE(LineHasNumber("no comma", "")) << "a line without a comma has an empty number";
  EXPECT_FALSE(LineHasNumber("no comma", "no comma"));
}

TEST(RegisterRecord, TextsCannotBreakTheLine) {
  EXPECT_EQ(RegisterText(QStringLiteral("山田, 鈴木")), sj("山田， 鈴木"));
  EXPECT_EQ(RegisterText(QStringLiteral("a\r\nb\tc")), "a  b c");
  EXPECT_EQ(RegisterText(QStringLiteral("😀")), "?");
}

}  // namespace
}  // namespace kelvane
