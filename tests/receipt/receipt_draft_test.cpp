#include "receipt/receipt_draft.h"

#include "text/cp932.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

namespace kelvane {
namespace {

ReceiptDraft full() {
  ReceiptDraft d;
  Receipt& r = d.receipt;
  r.number = QStringLiteral("R-0012");
  r.addressee1 = QStringLiteral("山田商事株式会社");
  r.addressee2 = QStringLiteral("経理部 御中");
  r.description1 = QStringLiteral("お品代として");
  r.description2 = QStringLiteral("100% 綿 = 上質");
  r.staff = QStringLiteral("佐藤");
  r.stamp = QStringLiteral("200");
  r.amount = 123456789 * 10000LL;
  r.netAmount = -5000;
  r.billedAmount = 1;
  r.taxAmount = 10000;
  r.taxRate = 85000;
  d.keepsTaxRate = true;
  r.date = QDate(2026, 2, 28);
  d.correction = true;
  return d;
}

TEST(ReceiptDraft, EveryFieldComesBackAsWritten) {
  const ReceiptDraft d = full();
  EXPECT_TRUE(d.holdsReceipt());
  EXPECT_EQ(ParseReceiptDraft(FormatReceiptDraft(d)), d);
  // Only the rate and date: no receipt, but the rate is kept.
  ReceiptDraft rateOnly;
  rateOnly.receipt.taxRate = 100000;
  rateOnly.keepsTaxRate = true;
  rateOnly.receipt.date = QDate(2026, 1, 5);
  EXPECT_FALSE(rateOnly.holdsReceipt());
  EXPECT_EQ(ParseReceiptDraft(FormatReceiptDraft(rateOnly)), rateOnly);
}

// The file's bytes stay as they are: a draft written by an earlier copy of
// the program is read by the next.
TEST(ReceiptDraft, TheFileKeepsItsBytes) {
  const QList<QByteArray> expected = {"[ReceiptDraft]=1",
                                      cp932::fromUtf8Literal("[NUMBER]=R-0012"),
                                      cp932::fromUtf8Literal("[ADDRESSEE1]=山田商事株式会社"),
                                      cp932::fromUtf8Literal("[ADDRESSEE2]=経理部 御中"),
                                      cp932::fromUtf8Literal("[DESCRIPTION1]=お品代として"),
                                      cp932::fromUtf8Literal("[DESCRIPTION2]=100%{25} 綿 = 上質"),
                                      cp932::fromUtf8Literal("[STAFF]=佐藤"),
                                      "[STAMP]=200",
                                      "[AMOUNT]=123456789",
                                      "[NET_AMOUNT]=-0.5",
                                      "[BILLED_AMOUNT]=0.0001",
                                      "[TAX_AMOUNT]=1",
                                      "[TAX_RATE]=8.5",
                                      "[DATE]=2026/02/28",
                                      "[CORRECTION]=true"};
  EXPECT_EQ(FormatReceiptDraft(full()), expected);
  ReceiptDraft none;
  EXPECT_EQ(FormatReceiptDraft(none).size(), expected.size() - 2) << "no rate, no date";
}

// The amounts by rate follow the first files' keys, so a file of an earlier
// copy reads as before and its reader passes over the keys it does not know.
TEST(ReceiptDraft, AmountsByRateComeAfterTheFirstKeys) {
  ReceiptDraft d = full();
  Receipt& r = d.receipt;
  r.amount10 = 5000 * 10000LL;
  r.tax10 = 500 * 10000LL;
  r.amount8 = 3000 * 10000LL;
  r.tax8 = 240 * 10000LL;
  r.taxBasis = TaxBasis::Excluded;
  const QList<QByteArray> lines = FormatReceiptDraft(d);
  const QList<QByteArray> earlier = FormatReceiptDraft(full());
  EXPECT_EQ(lines.first(earlier.size()), earlier);
  EXPECT_EQ(lines.sliced(earlier.size()),
            (QList<QByteArray>{"[AMOUNT10]=5000", "[TAX10]=500", "[AMOUNT8]=3000", "[TAX8]=240",
                               cp932::fromUtf8Literal("[TAX_BASIS]=税抜")}));
  EXPECT_EQ(ParseReceiptDraft(lines), d);
  // An earlier file: 税込 and no amounts by rate.
  EXPECT_EQ(ParseReceiptDraft(FormatReceiptDraft(full())).receipt.taxBasis, TaxBasis::Included);

  // Amounts by rate alone are a receipt to keep.
  ReceiptDraft byRateOnly;
  byRateOnly.receipt.amount8 = 10800 * 10000LL;
  EXPECT_TRUE(byRateOnly.holdsReceipt());
  EXPECT_EQ(ParseReceiptDraft(FormatReceiptDraft(byRateOnly)), byRateOnly);
}

TEST(ReceiptDraft, TextsCp932CannotHoldOrThatBreakLinesSurvive) {
  ReceiptDraft d;
  const QString awkward[] = {QStringLiteral("line\r\nbreak"),
                             QStringLiteral("%{41} stays literal"),
                             QStringLiteral("back\\slash and ¥ yen"),
                             QStringLiteral("emoji 😀 and 한글"),
                             QStringLiteral("%"),
                             QStringLiteral("%{"),
                             QString(QChar(0x7F)) + QStringLiteral("\t")};
  for (const QString& text : awkward) {
    d.receipt.addressee2 = text;
    const QList<QByteArray> lines = FormatReceiptDraft(d);
    for (const QByteArray& l : lines) {
      EXPECT_FALSE(l.contains('\r') || l.contains('\n'));
      EXPECT_TRUE(cp932::decode(l)) << l.toStdString();
    }
    EXPECT_EQ(ParseReceiptDraft(lines).receipt.addressee2, text);
  }
}

TEST(ReceiptDraft, DamagedOrForeignContentGivesWhatReads) {
  // Not ours: nothing is taken, whatever the lines say.
  EXPECT_FALSE(ParseReceiptDraft({"[NUMBER]=5"}).holdsReceipt());
  EXPECT_EQ(ParseReceiptDraft({}), ReceiptDraft{});

  QList<QByteArray> lines = FormatReceiptDraft(full());
  lines << "[AMOUNT]=12x"
        << "[DATE]=2026/02/30"
        << "[TAX_RATE]="
        << "[STAFF]=\x81"
        << "no equals sign"
        << "[UNKNOWN]=1"
        << "[ADDRESSEE1]=%{110000}%{D800}%{zz}";
  const ReceiptDraft d = ParseReceiptDraft(lines);
  // A figure that does not read leaves the last.
  EXPECT_EQ(d.receipt.amount, full().receipt.amount);
  EXPECT_EQ(d.receipt.date, full().receipt.date);
  EXPECT_EQ(d.receipt.taxRate, full().receipt.taxRate);
  EXPECT_EQ(d.receipt.staff, full().receipt.staff);  // bytes that are not cp932
  EXPECT_EQ(d.receipt.addressee1, QStringLiteral("%{110000}%{D800}%{zz}"));

  // Random bytes after the header never stop the reader.
  QRandomGenerator random(16);
  for (int round = 0; round < 200; ++round) {
    QList<QByteArray> noise{"[ReceiptDraft]=1"};
    for (int i = 0; i < 20; ++i) {
      QByteArray bytes(random.bounded(40), '\0');
      for (char& b : bytes) b = static_cast<char>(random.bounded(256));
      if (i % 2) bytes.prepend(i % 4 == 1 ? "[ADDRESSEE1]=" : "[AMOUNT]=");
      noise << bytes;
    }
    (void)ParseReceiptDraft(noise);
  }
}

}  // namespace
}  // namespace kelvane
