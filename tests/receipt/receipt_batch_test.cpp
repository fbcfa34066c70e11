#include "receipt/receipt_batch.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

const QDate kToday(2026, 12, 8);

ReceiptCsv csvOf(const char* text) { return readReceiptCsv(QByteArray(text)); }

QStringList numbersOf(const ReceiptBatch& b) {
  QStringList out;
  for (const BatchReceipt& r : b.receipts) out << r.receipt.number;
  return out;
}

QStringList errorsOf(const ReceiptBatch& b) {
  QStringList out;
  for (const ReceiptCsvError& e : b.errors)
    out << formatReceiptCsvError(QStringLiteral("in.csv"), e);
  return out;
}

ReceiptNumbering automatic(qint64 last) { return {true, QStringLiteral("A"), 3, last}; }

TEST(ReceiptBatch, AutomaticNumbersFollowTheLastAndSkipWhatIsTaken) {
  const RegisterNumbers recorded = RegisterNumbersIn("A005,2026/1/1,\r\nB9,x,\r\nA004,y,\r\n", "A");
  EXPECT_EQ(recorded.largestPart, 5);
  EXPECT_TRUE(recorded.keys.contains("B9"));

  struct Case {
    const char* name;
    qint64 last;
    const char* csv;
    QStringList numbers;
    qint64 lastAfter;
  };
  const Case cases[] = {
      {"after the register's largest", 2, "番号,領収金額\n,1\n,2\n", {"A006", "A007"}, 7},
      {"after a larger last number", 9, "番号,領収金額\n,1\n", {"A010"}, 10},
      {"past a number the file gives",
       5,
       "番号,領収金額\n,1\nA006,2\n,3\n",
       {"A007", "A006", "A008"},
       8},
      {"typed numbers only", 1, "番号,領収金額\nA050,1\nX1,2\n", {"A050", "X1"}, 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto batch = PlanReceiptBatch(csvOf(c.csv), {}, automatic(c.last), recorded, kToday);
    ASSERT_TRUE(batch.ok()) << errorsOf(batch).join(u'\n').toStdString();
    EXPECT_EQ(numbersOf(batch), c.numbers);
    EXPECT_EQ(batch.lastNumber, c.lastAfter);
  }
}

TEST(ReceiptBatch, EveryBadRowIsSaidWithItsColumnAndNothingElseIsLost) {
  const RegisterNumbers recorded = RegisterNumbersIn("R1,2026/1/1,\r\n", "");
  ReceiptTextSettings kanji;
  kanji.kanjiAmount = true;
  const auto batch = PlanReceiptBatch(csvOf("番号,日付,領収金額,税抜金額\n"
                                            "R1,2026/12/1,1000,\n"   // recorded already
                                            ",2026/12/2,1000,\n"     // no number
                                            "R3,2026/2/30,1000,\n"   // the reader's fault
                                            "R4,,-5,\n"              // no kanji form
                                            "R5,,1000,1000000000\n"  // does not fit the form
                                            "R6,,1000,\n"),
                                      kanji, ReceiptNumbering{}, recorded, kToday);
  EXPECT_EQ(
      errorsOf(batch),
      (QStringList{
          QStringLiteral("in.csv:2: 番号: 番号「R1」は領収書発行リストに既にあります。"),
          QStringLiteral(
              "in.csv:3: 番号: 番号がありません（自動的に番号を入れる設定になっていません）。"),
          QStringLiteral("in.csv:4: 日付: 日付「2026/2/30」はありえない日付です。"),
          QStringLiteral(
              "in.csv:5: 領収金額: 漢数字にできません: マイナスの金額は漢数字にできません。"),
          QStringLiteral(
              "in.csv:6: 税抜金額: 金額は10億円未満にしてください（入力欄は9桁までです）。"),
      }));
  ASSERT_EQ(numbersOf(batch), QStringList{QStringLiteral("R6")});
  EXPECT_EQ(batch.receipts[0].row, 7);
  EXPECT_EQ(batch.receipts[0].receipt.date, kToday) << "an empty date is today";
  EXPECT_EQ(batch.lastNumber, std::nullopt) << "numbering is off";
}

TEST(ReceiptBatch, ARowBecomesTheReceiptItsCellsSay) {
  const auto batch = PlanReceiptBatch(
      csvOf("摘要2,宛名2,宛名1,番号,日付,担当者,摘要1,領収金額,税抜金額,請求金額,消費税額,消費税率,"
            "収入印紙\n"
            "追加分,御中,山田商店,K-1,R8.12.9,佐藤,お品代,\"11,000\",10000,11000,1000,10,200\n"),
      {}, {}, {}, kToday);
  ASSERT_TRUE(batch.ok()) << errorsOf(batch).join(u'\n').toStdString();
  Receipt expected;
  expected.number = QStringLiteral("K-1");
  expected.date = QDate(2026, 12, 9);
  expected.addressee1 = QStringLiteral("山田商店");
  expected.addressee2 = QStringLiteral("御中");
  expected.description1 = QStringLiteral("お品代");
  expected.description2 = QStringLiteral("追加分");
  expected.staff = QStringLiteral("佐藤");
  expected.stamp = QStringLiteral("200");
  expected.amount = 11000 * 10000LL;
  expected.netAmount = 10000 * 10000LL;
  expected.billedAmount = 11000 * 10000LL;
  expected.taxAmount = 1000 * 10000LL;
  expected.taxRate = 10 * 10000LL;
  ASSERT_EQ(batch.receipts.size(), 1);
  EXPECT_EQ(batch.receipts[0].receipt, expected);
  EXPECT_EQ(FormatRegisterLine(*RegisterRecordOf(expected)),
            QByteArray("K-1,2026/12/9,11000,") + RegisterText(QStringLiteral("山田商店")) + ',' +
                RegisterText(QStringLiteral("お品代")) + ',' +
                RegisterText(QStringLiteral("追加分")) + ",10000,11000,1000,10," +
                RegisterText(QStringLiteral("佐藤")) + ",200," +
                RegisterText(QStringLiteral("御中")) + ',');
}

TEST(ReceiptCsvSelection, TheChosenRowsKeepTheirFaultsAndTheFileItsOwn) {
  const ReceiptCsv csv = csvOf("番号,日付\nA,2026/1/1\nB,2026/2/30\nC,2026/1/3\n\"D,x\n");
  ASSERT_EQ(csv.cells.size(), 3) << "the open quote swallowed the rest: no row of its own";
  EXPECT_EQ(csv.cells[1].cells[1], QStringLiteral("2026/2/30")) << "a bad row is listed as written";

  const ReceiptCsv chosen = SelectReceiptCsvRows(csv, {2, 4});
  ASSERT_EQ(chosen.rows.size(), 2);
  EXPECT_EQ(chosen.rows[1].number, QStringLiteral("C"));
  ASSERT_EQ(chosen.errors.size(), 1) << "only the open quote: row 3 was left out";
  EXPECT_EQ(chosen.errors[0].row, 5);
  EXPECT_EQ(SelectReceiptCsvRows(csv, {3}).errors.size(), 2);
}

}  // namespace
}  // namespace kelvane

namespace kelvane {
namespace {

// Rows with amounts by rate get their tax worked out; a figure the row
// gives stands.
TEST(ReceiptBatch, AmountsByRateWorkOutTheTaxUnlessTheRowGivesTheFigures) {
  const ReceiptTaxSettings tax{TaxRounding::Down, QStringLiteral("T7000012050002")};
  const auto batch = PlanReceiptBatch(csvOf("番号,10%対象,8%対象,税区分,請求金額\n"
                                            "A,11000,,,\n"
                                            "B,5000,3000,税抜,\n"
                                            "C,11000,,税込,20000\n"
                                            "D,,,外税,\n"
                                            "E,1,,売上,\n"),
                                      {}, {}, {}, kToday, tax);
  EXPECT_EQ(errorsOf(batch),
            QStringList{QStringLiteral(
                "in.csv:6: 税区分: 税区分「売上」は「税込」か「税抜」で書いてください。")});
  ASSERT_EQ(batch.receipts.size(), 4);
  struct Expect {
    qint64 amount, net, billed, tax, rate, tax10, tax8;
  };
  const Expect expected[] = {{11000, 10000, 11000, 1000, 10, 1000, 0},
                             {8740, 8000, 8740, 740, 0, 500, 240},
                             {11000, 10000, 20000, 1000, 10, 1000, 0},
                             {0, 0, 0, 0, 0, 0, 0}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const Receipt& r = batch.receipts[i].receipt;
    const Expect& e = expected[i];
    EXPECT_EQ(r.amount, e.amount * 10000);
    EXPECT_EQ(r.netAmount, e.net * 10000);
    EXPECT_EQ(r.billedAmount, e.billed * 10000);
    EXPECT_EQ(r.taxAmount, e.tax * 10000);
    EXPECT_EQ(r.taxRate, e.rate * 10000);
    EXPECT_EQ(r.tax10, e.tax10 * 10000);
    EXPECT_EQ(r.tax8, e.tax8 * 10000);
    EXPECT_EQ(r.registrationNumber, QStringLiteral("T7000012050002"));
  }
  EXPECT_EQ(batch.receipts[1].receipt.taxBasis, TaxBasis::Excluded);
  EXPECT_EQ(batch.receipts[3].receipt.taxBasis, TaxBasis::Excluded) << "外税 reads as 税抜";
}

}  // namespace
}  // namespace kelvane
