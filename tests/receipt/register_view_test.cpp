#include "receipt/register_view.h"

#include "text/cp932.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

TEST(RegisterView, CellsInColumnOrderWithGroupedAmounts) {
  const RegisterRow row = RegisterLineCells(
      sj("A0012,2018/4/"
         "1,10800,株式会社サンプル,品代として,送料,10000,10800,800,8,担当A,10000,経理部,"));
  EXPECT_EQ(row[0], QString());
  EXPECT_EQ(row[1], QStringLiteral("A0012"));
  EXPECT_EQ(row[2], QStringLiteral("2018/4/1"));
  EXPECT_EQ(row[3], QStringLiteral("      10,800"));  // padded to 12
  EXPECT_EQ(row[4], QStringLiteral("株式会社サンプル"));
  EXPECT_EQ(row[5], QStringLiteral("経理部"));
  EXPECT_EQ(row[6], QStringLiteral("品代として"));
  EXPECT_EQ(row[7], QStringLiteral("送料"));
  EXPECT_EQ(row[8], QStringLiteral("      10,000"));
  EXPECT_EQ(row[9], QStringLiteral("         800"));  // the tax amount before the billed one
  EXPECT_EQ(row[10], QStringLiteral("      10,800"));
  EXPECT_EQ(row[11], QStringLiteral("           8"));
  EXPECT_EQ(row[12], QStringLiteral("担当A"));
  EXPECT_EQ(row[13], QStringLiteral("      10,000"));
}

TEST(RegisterView, AmountsThatAreNoWholeNumberShowAsZero) {
  EXPECT_EQ(GroupedAmountCell("10800"), QStringLiteral("      10,800"));
  EXPECT_EQ(GroupedAmountCell("10800.5"), QStringLiteral("           0"));
  EXPECT_EQ(GroupedAmountCell("-12345"), QStringLiteral("     -12,345"));
  EXPECT_EQ(GroupedAmountCell(""), QStringLiteral("           0"));
  EXPECT_EQ(GroupedAmountCell("123456789012345"), QStringLiteral("123,456,789,012,345"));
  // A short line: the missing cells are empty, amounts 0.
  const RegisterRow row = RegisterLineCells("7,2020/1/2,");
  EXPECT_EQ(row[1], QStringLiteral("7"));
  EXPECT_EQ(row[3], QStringLiteral("           0"));
  EXPECT_EQ(row[4], QString());
  // Lines of a file, each ending however it ends.
  const auto rows = RegisterContentRows("1,a,\r\n2,b,\n3,c,");
  ASSERT_EQ(rows.size(), 3);
  EXPECT_EQ(rows[2][1], QStringLiteral("3"));
  EXPECT_TRUE(RegisterContentRows("").isEmpty());
}

TEST(RegisterView, DatesReadWithTheLastSeparatorThatOccurs) {
  EXPECT_EQ(*RegisterDateCell("2018/4/1"), QDate(2018, 4, 1));
  EXPECT_EQ(*RegisterDateCell("2018-04-01"), QDate(2018, 4, 1));
  EXPECT_EQ(*RegisterDateCell("2018/04"), QDate(2018, 7, 4)) << "month 7 when there is none";
  EXPECT_EQ(*RegisterDateCell("2018 4 1"), QDate(2018, 4, 1));
  EXPECT_EQ(*RegisterDateCell("2018/4/1 "), QDate(1900, 7, 1)) << "split at the trailing space";
  EXPECT_EQ(*RegisterDateCell("2018,4,1"), QDate(2018, 4, 1));
  for (const char* bad : {"20180401", "", "2018/13/1", "2018/2/30", "0/1/1", "99999/1/1"})
    EXPECT_FALSE(RegisterDateCell(QString::fromLatin1(bad))) << bad;
}

TEST(RegisterView, RowsWrittenBackAsRegisterLinesAndCsv) {
  EXPECT_EQ(*RegisterAmountCell("      10,800"), 10800 * 10000);
  EXPECT_EQ(*RegisterAmountCell(" 8.5 "), 85000);
  EXPECT_EQ(*RegisterAmountCell(""), 0);
  EXPECT_FALSE(RegisterAmountCell("abc"));

  const QByteArray line =
      sj("A0012,2018/4/1,10800,株式会社サンプル,品代として,,10000,10800,800,8,担当A,200,,");
  RegisterRow row = RegisterLineCells(line);
  EXPECT_EQ(RegisterLineOfRow(row), line);
  row[9].clear();  // an empty amount goes back as 0
  row[4] = QStringLiteral("  山田 ");
  EXPECT_EQ(RegisterLineOfRow(row),
            sj("A0012,2018/4/1,10800,山田,品代として,,10000,10800,0,8,担当A,200,,"));

  EXPECT_EQ(CsvLineOfRow(RegisterLineCells(line)),
            sj("A0012,2018/4/1,      10800,株式会社サンプル,,品代として,,      10000,         800,"
               "      10800,           8,担当A,         200,,,,,,,"));
  EXPECT_EQ(CsvLineOfRow(RegisterTitles()).count(','), 19);
}

// The six fields after the thirteen: grouped amounts, but empty rather than
// 0 for a line without them; written back only when one holds something.
TEST(RegisterView, FieldsAfterTheThirteenInTheLastSixColumns) {
  const QByteArray base = sj("A1,2026/12/8,19800,山田,品代,,18000,19800,1800,10,担当,200,経理部,");
  const std::pair<QByteArray, QStringList> cases[] = {
      {sj("11000,1000,8800,652,税込,T7000012050002,"),
       {"      11,000", "       1,000", "       8,800", "         652", "税込", "T7000012050002"}},
      {"", {"", "", "", "", "", ""}},
      {",,,,,T7000012050002,", {"", "", "", "", "", "T7000012050002"}}};
  for (const auto& [extension, cells] : cases) {
    const RegisterRow row = RegisterLineCells(base + extension);
    EXPECT_EQ(QStringList(row.end() - 6, row.end()), cells) << extension.constData();
    EXPECT_EQ(RegisterLineOfRow(row), base + extension);
    EXPECT_EQ(CsvLineOfRow(row).count(','), 19);
  }
}

}  // namespace
TEST(RegisterView, ALineDescribedForAQuestion) {
  const std::pair<QByteArray, QString> cases[] = {
      {"A1,2026/1/2,12000,x,,,,,,,,,y,",
       QStringLiteral("番号 A1　日付 2026/1/2　金額 12,000　宛名 x y")},
      {"A2,2026/1/2,-1234567.5,,,,,,,,,,,",
       QStringLiteral("番号 A2　日付 2026/1/2　金額 -1,234,567.5　宛名 ")},
      {"A3,,999,", QStringLiteral("番号 A3　日付 　金額 999　宛名 ")},
      {"A4,,abc,", QStringLiteral("番号 A4　日付 　金額 abc　宛名 ")}};
  for (const auto& [line, words] : cases)
    EXPECT_EQ(DescribeRegisterLine(line), words) << line.constData();
}

}  // namespace kelvane
