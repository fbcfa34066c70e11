// What a qualified invoice needs from the model: the tax by rate with its
// one rounding per rate, the registration number, the revenue stamp, and
// the figures kept in the register after the original thirteen fields.

#include "receipt/receipt.h"
#include "receipt/registration_number.h"
#include "receipt/stamp_duty.h"
#include "receipt/tax_by_rate.h"
#include "text/cp932.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

constexpr qint64 yen(qint64 whole) { return whole * 10000; }

TEST(TaxByRate, WorkedExamples) {
  using B = TaxBasis;
  using R = TaxRounding;
  struct Case {
    const char* name;
    RateAmounts in;
    qint64 tax10, tax8, net, gross;
    std::optional<int> rate;
  };
  const Case cases[] = {
      {"11,000 with 10 %",
       {yen(11000), 0, B::Included, R::Down},
       yen(1000),
       0,
       yen(10000),
       yen(11000),
       10},
      {"10,800 with 8 %",
       {0, yen(10800), B::Included, R::Down},
       0,
       yen(800),
       yen(10000),
       yen(10800),
       8},
      {"1,234 with 10 %, down",
       {yen(1234), 0, B::Included, R::Down},
       yen(112),
       0,
       yen(1122),
       yen(1234),
       10},
      {"1,234 with 10 %, nearest",
       {yen(1234), 0, B::Included, R::Nearest},
       yen(112),
       0,
       yen(1122),
       yen(1234),
       10},
      {"1,234 with 10 %, up",
       {yen(1234), 0, B::Included, R::Up},
       yen(113),
       0,
       yen(1121),
       yen(1234),
       10},
      {"5,000 + 3,000 without tax",
       {yen(5000), yen(3000), B::Excluded, R::Down},
       yen(500),
       yen(240),
       yen(8000),
       yen(8740),
       std::nullopt},
      {"a half rounds away from zero",
       {yen(105), 0, B::Excluded, R::Nearest},
       yen(11),
       0,
       yen(105),
       yen(116),
       10},
      {"a refund rounds as a sale",
       {yen(-1234), 0, B::Included, R::Down},
       yen(-112),
       0,
       yen(-1122),
       yen(-1234),
       10},
      {"nothing", {}, 0, 0, 0, 0, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TaxByRate t = ComputeTaxByRate(c.in);
    EXPECT_EQ(t.at10.tax, c.tax10);
    EXPECT_EQ(t.at8.tax, c.tax8);
    EXPECT_EQ(t.totalNet, c.net);
    EXPECT_EQ(t.totalGross, c.gross);
    EXPECT_EQ(t.totalTax, c.tax10 + c.tax8);
    EXPECT_EQ(t.singleRate, c.rate);
  }
}

TEST(TaxByRate, FillsTheFiveFiguresOfTheReceipt) {
  Receipt r;
  r.amount10 = yen(5000);
  r.amount8 = yen(3000);
  r.taxBasis = TaxBasis::Excluded;
  r.taxRate = yen(8);  // the old single rate gives way
  const Receipt done = WithTaxByRate(r, TaxRounding::Down);
  EXPECT_EQ(done.tax10, yen(500));
  EXPECT_EQ(done.tax8, yen(240));
  EXPECT_EQ(done.amount, yen(8740));
  EXPECT_EQ(done.netAmount, yen(8000));
  EXPECT_EQ(done.billedAmount, yen(8740));
  EXPECT_EQ(done.taxAmount, yen(740));
  EXPECT_EQ(done.taxRate, 0) << "two rates: no single rate";
  r.amount8 = 0;
  EXPECT_EQ(WithTaxByRate(r, TaxRounding::Down).taxRate, yen(10));
  Receipt plain;
  plain.amount = yen(3000);
  EXPECT_EQ(WithTaxByRate(plain, TaxRounding::Down), plain);
}

TEST(RegistrationNumber, ShapeAndCheckDigit) {
  EXPECT_EQ(*NormaliseRegistrationNumber(QStringLiteral("ｔ７０００ー０１２０５０００２")),
            QStringLiteral("T7000012050002"));
  EXPECT_EQ(*NormaliseRegistrationNumber(QStringLiteral(" T 7000-0120-50002 ")),
            QStringLiteral("T7000012050002"));
  EXPECT_EQ(*NormaliseRegistrationNumber(QString()), QString());
  for (const char* bad :
       {"T123", "7000012050002", "T70000120500021", "X7000012050002", "T70000120S0002"})
    EXPECT_FALSE(NormaliseRegistrationNumber(QString::fromLatin1(bad))) << bad;
  EXPECT_TRUE(HasCorporateCheckDigit(QStringLiteral("T7000012050002")));
  EXPECT_FALSE(HasCorporateCheckDigit(QStringLiteral("T1234567890123")));
}

TEST(StampDuty, ByTheAmountWritten) {
  const std::pair<qint64, qint64> cases[] = {
      {yen(49999), 0},          {yen(49999) + 5000, 0},    {yen(50000), 200},
      {yen(1000000), 200},      {yen(1000001), 400},       {yen(5000001), 2000},
      {yen(999999999), 150000}, {yen(1000000001), 200000}, {yen(-60000), 0}};
  for (const auto& [amount, stamp] : cases) EXPECT_EQ(StampDutyFor(amount), stamp) << amount;
  // 53,900 with 4,900 tax stated: the 49,000 without tax decides.
  EXPECT_EQ(StampDutyFor(yen(53900) - yen(4900)), 0);
}

// The figures by rate follow the thirteen fields, so a reader that stops at
// the thirteenth sees the line as before; a receipt without them keeps the
// original line.
TEST(RegisterExtension, KeepsTheThirteenFieldsAndRoundTrips) {
  Receipt r;
  r.number = QStringLiteral("Q-1");
  r.date = QDate(2026, 12, 8);
  r.addressee1 = QStringLiteral("山田商店");
  r.amount10 = yen(11000);
  r.amount8 = yen(1080);
  r.registrationNumber = QStringLiteral("T7000012050002");
  r = WithTaxByRate(r, TaxRounding::Down);
  const QByteArray line = FormatRegisterLine(*RegisterRecordOf(r));
  EXPECT_EQ(line, cp932::fromUtf8Literal("Q-1,2026/12/8,12080,山田商店,,,11000,12080,1080,0,,,,"
                                         "11000,1000,1080,80,税込,T7000012050002,"));
  EXPECT_EQ(line.count(','), 19);
  // Read back whole, and written again byte for byte.
  const auto back = ReceiptFromRegisterRecord(ParseRegisterLine(line));
  ASSERT_TRUE(back) << back.error().toStdString();
  EXPECT_EQ(*back, r);
  EXPECT_EQ(FormatRegisterLine(*RegisterRecordOf(*back)), line);

  Receipt old = r;
  old.amount10 = old.amount8 = old.tax10 = old.tax8 = 0;
  old.registrationNumber.clear();
  EXPECT_EQ(FormatRegisterLine(*RegisterRecordOf(old)).count(','), 13);

  RegisterRecord damaged = ParseRegisterLine(line);
  damaged.taxBasis = "??";
  EXPECT_FALSE(ReceiptFromRegisterRecord(damaged));
}

}  // namespace
}  // namespace kelvane
