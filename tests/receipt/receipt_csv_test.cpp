#include "receipt/receipt_csv.h"

#include "text/cp932.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace kelvane {
namespace {

QString errorsOf(const ReceiptCsv& csv) {
  QStringList lines;
  for (const auto& e : csv.errors) lines << formatReceiptCsvError(QStringLiteral("in.csv"), e);
  return lines.join(u'\n');
}

TEST(ReceiptCsv, QuotingLineEndsAndEncodingsGiveTheSameRows) {
  const QByteArray utf8 =
      "番号,宛名1,摘要1,領収金額\n"
      "1,\"山田, 太郎\",\"月謝\"\"12月\"\"\",\"1,000\"\n"
      "2,鈴木,会費,2000";
  struct Case {
    const char* name;
    QByteArray bytes;
  };
  QByteArray crlf = utf8;
  crlf.replace("\n", "\r\n");
  const Case cases[] = {
      {"utf-8, LF, no last line end", utf8},
      {"utf-8, CR LF, last line end", crlf + "\r\n"},
      {"byte order mark", "\xEF\xBB\xBF" + utf8 + "\n"},
      {"cp932", cp932::fromUtf8Literal(utf8.constData())},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto csv = readReceiptCsv(c.bytes);
    ASSERT_TRUE(csv.ok()) << errorsOf(csv).toStdString();
    ASSERT_EQ(csv.rows.size(), 2);
    EXPECT_EQ(csv.rows[0].addressee1, QStringLiteral("山田, 太郎"));
    EXPECT_EQ(csv.rows[0].description1, QStringLiteral("月謝\"12月\""));
    EXPECT_EQ(csv.rows[0].received, 1000 * 10000LL);
    EXPECT_EQ(csv.rows[1].number, QStringLiteral("2"));
    EXPECT_EQ(csv.rows[1].row, 3);
    EXPECT_EQ(csv.rows[1].received, 2000 * 10000LL);
    EXPECT_FALSE(csv.rows[1].date.has_value());
  }
}

TEST(ReceiptCsv, CellsParse) {
  using Amount = std::optional<qint64>;
  EXPECT_EQ(*parseReceiptCsvAmount(QStringLiteral("１２，３４５")), Amount(123450000));
  EXPECT_EQ(*parseReceiptCsvAmount(QStringLiteral(" -1,000 ")), Amount(-10000000));
  EXPECT_EQ(*parseReceiptCsvAmount(QString()), Amount());
  EXPECT_EQ(*parseReceiptCsvRate(QStringLiteral("8.5")), Amount(85000));
  EXPECT_EQ(*parseReceiptCsvRate(QStringLiteral("10%")), Amount(100000));
  using Date = std::optional<QDate>;
  EXPECT_EQ(*parseReceiptCsvDate(QStringLiteral("2026/12/8")), Date(QDate(2026, 12, 8)));
  EXPECT_EQ(*parseReceiptCsvDate(QStringLiteral("2026-12-08")), Date(QDate(2026, 12, 8)));
  EXPECT_EQ(*parseReceiptCsvDate(QStringLiteral("R8.12.8")), Date(QDate(2026, 12, 8)));
  EXPECT_EQ(*parseReceiptCsvDate(QStringLiteral("令和元.5.1")), Date(QDate(2019, 5, 1)));
  EXPECT_EQ(*parseReceiptCsvDate(QStringLiteral("h31.4.30")), Date(QDate(2019, 4, 30)));
  EXPECT_EQ(*parseReceiptCsvDate(QString()), Date());
}

// Each bad file gives exactly these lines: the row as the file counts it
// (a quoted line break keeps one row) and the column.
TEST(ReceiptCsv, EveryFaultNamesItsRowAndColumn) {
  struct Case {
    const char* csv;
    const char* errors;
  };
  const Case cases[] = {
      {"番号,備考\n", "in.csv:1: 備考: 知らない列名です"},
      {"番号,日付,番号\n", "in.csv:1: 番号: 同じ名前の列が二つあります"},
      {"番号,宛名1\n\"1\",\"a\nb\"\n2,\"x",
       "in.csv:2: 宛名1: 改行や制御文字は使えません。\n"
       "in.csv:3: 引用符（\"）が閉じていません。"},
      {"番号,日付\n\n1,2026/2/30\n2,R1.4.30\n3,2026.1.1",
       "in.csv:3: 日付: 日付「2026/2/30」はありえない日付です。\n"
       "in.csv:4: 日付: 日付「R1.4.30」は令和の日付ではありません。\n"
       "in.csv:5: 日付: 日付「2026.1.1」は 2026/12/8"},
      {"番号,領収金額,消費税率\n1,12a,8\n2,1.5,x\n3,\"1,00\",200",
       "in.csv:2: 領収金額: 金額「12a」は数字ではありません。\n"
       "in.csv:3: 領収金額: 金額「1.5」は円単位の整数で書いてください。\n"
       "in.csv:3: 消費税率: 消費税率「x」は 8、10、8.5 のような数で書いてください。\n"
       "in.csv:4: 領収金額: 金額「1,00」は数字ではありません。\n"
       "in.csv:4: 消費税率: 消費税率「200」が 100 を超えています。"},
      {"番号,領収金額\n1,100000000000000",
       "in.csv:2: 領収金額: 金額「100000000000000」が大きすぎます。"},
      {"番号,担当者\n1,😀\n2,a,b",
       "in.csv:2: 担当者: 文字「😀」は Shift_JIS で保存できません。\n"
       "in.csv:3: 列が多すぎます（列名は 2 列、この行は 3 列）。"},
      {"番号\n7\n8\n7", "in.csv:4: 番号: 番号「7」は 2 行目と重なっています。"},
      {"番号\n\x82", "in.csv: 文字コードが UTF-8 でも Shift_JIS でもありません。"},
      {"", "in.csv:1: 列名の行がありません。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.csv);
    const auto csv = readReceiptCsv(QByteArray(c.csv));
    const QStringList want = QString::fromUtf8(c.errors).split(u'\n');
    const QStringList got = errorsOf(csv).split(u'\n');
    ASSERT_EQ(got.size(), want.size()) << errorsOf(csv).toStdString();
    for (qsizetype i = 0; i < want.size(); ++i)
      EXPECT_TRUE(got[i].startsWith(want[i])) << got[i].toStdString();
  }
}

TEST(ReceiptCsv, ABadRowLeavesTheGoodOnesAndATooLargeFileIsRefused) {
  const auto csv = readReceiptCsv(QByteArray("番号,領収金額\n1,5\n2,x\n3,7\n"));
  ASSERT_EQ(csv.rows.size(), 2);
  EXPECT_EQ(csv.rows[1].row, 4);
  const auto big = readReceiptCsv(QByteArray(kReceiptCsvMaxBytes + 1, ','));
  ASSERT_EQ(big.errors.size(), 1);
  EXPECT_EQ(big.errors[0].row, 0);
}

TEST(ReceiptCsv, RandomBytesNeverCrash) {
  QRandomGenerator random(17);
  const char alphabet[] = "\",\r\n1a-/\x82\xA0\xEF\xBB\xBF";
  for (int round = 0; round < 3000; ++round) {
    QByteArray bytes = round % 2 ? "番号,日付,宛名1,領収金額\n" : "";
    const int size = int(random.bounded(200));
    for (int i = 0; i < size; ++i)
      bytes += round % 3 ? alphabet[random.bounded(int(sizeof alphabet - 1))]
                         : char(random.bounded(256));
    const auto csv = readReceiptCsv(bytes);
    for (const auto& row : csv.rows) EXPECT_GT(row.row, 1);
  }
}

}  // namespace
}  // namespace kelvane
