#include "receipt/receipt_batch.h"

#include "receipt/numbering.h"
#include "receipt/register_record.h"
#include "text/fixed_point.h"
#include "text/line_file.h"

#include <algorithm>
#include <limits>

namespace kelvane {

namespace {

QString column(int index) { return receiptCsvColumns()[index]; }

struct AmountCell {
  int column;
  qint64 Receipt::*field;
};

// Column indexes as receiptCsvColumns lists them.
constexpr int kNumberColumn = 0;
constexpr int kReceivedColumn = 7;
constexpr AmountCell kAmountCells[] = {{7, &Receipt::amount},       {8, &Receipt::netAmount},
                                       {9, &Receipt::billedAmount}, {10, &Receipt::taxAmount},
                                       {13, &Receipt::amount10},    {14, &Receipt::amount8}};

Receipt receiptOf(const ReceiptCsvRow& row, const QDate& today, const ReceiptTaxSettings& tax) {
  Receipt r;
  r.number = row.number;
  r.date = row.date.value_or(today);
  r.addressee1 = row.addressee1;
  r.addressee2 = row.addressee2;
  r.description1 = row.description1;
  r.description2 = row.description2;
  r.staff = row.staff;
  if (row.stamp) r.stamp = QString::number(*row.stamp / fixed::kOne);
  r.amount = row.received.value_or(0);
  r.netAmount = row.net.value_or(0);
  r.billedAmount = row.billed.value_or(0);
  r.taxAmount = row.tax.value_or(0);
  r.taxRate = row.taxRate.value_or(0);
  r.amount10 = row.amount10.value_or(0);
  r.amount8 = row.amount8.value_or(0);
  r.taxBasis = row.taxBasis.value_or(TaxBasis::Included);
  r.registrationNumber = tax.registrationNumber;
  if (!r.hasRateFigures()) return r;
  // The figures the row gives stand; the others come from the amounts by rate.
  const Receipt worked = WithTaxByRate(r, tax.rounding);
  r.tax10 = worked.tax10;
  r.tax8 = worked.tax8;
  r.amount = row.received.value_or(worked.amount);
  r.netAmount = row.net.value_or(worked.netAmount);
  r.billedAmount = row.billed.value_or(worked.billedAmount);
  r.taxAmount = row.tax.value_or(worked.taxAmount);
  r.taxRate = row.taxRate.value_or(worked.taxRate);
  return r;
}

// Gives automatic numbers after the last one issued, past every number the
// register or the file holds already.
class NumberGiver {
 public:
  NumberGiver(const ReceiptNumbering& n, const RegisterNumbers& recorded, QSet<QByteArray> inFile)
      : numbering_(n),
        recorded_(recorded),
        inFile_(std::move(inFile)),
        last_(std::max(n.lastNumber, recorded.largestPart.value_or(n.lastNumber))) {}

  QString next() {
    for (;;) {
      const QString number = NextReceiptNumber(numbering_.header, numbering_.digitCount, last_);
      const bool atEnd = last_ == std::numeric_limits<qint64>::max();
      if (!atEnd) ++last_;
      const QByteArray key = RegisterKey(RegisterText(number));
      if (atEnd || (!recorded_.keys.contains(key) && !inFile_.contains(key))) {
        return number;
      }
    }
  }

 private:
  const ReceiptNumbering& numbering_;
  const RegisterNumbers& recorded_;
  QSet<QByteArray> inFile_;
  qint64 last_;
};

}  // namespace

RegisterNumbers RegisterNumbersIn(QByteArrayView registerBytes, QByteArrayView header) {
  RegisterNumbers out;
  ForEachLine(registerBytes, [&](QByteArrayView line) {
    const QByteArray key = RegisterKeyOfLine(line);
    if (const auto part = HeaderedNumberPart(key, header); part && part > out.largestPart)
      out.largestPart = part;
    out.keys.insert(key);
  });
  return out;
}

ReceiptBatch PlanReceiptBatch(const ReceiptCsv& csv, const ReceiptTextSettings& settings,
                              const ReceiptNumbering& numbering, const RegisterNumbers& recorded,
                              const QDate& today, const ReceiptTaxSettings& tax) {
  ReceiptBatch batch;
  batch.errors = csv.errors;
  QSet<QByteArray> inFile;
  for (const ReceiptCsvRow& row : csv.rows)
    if (!row.number.isEmpty()) inFile.insert(RegisterKey(RegisterText(row.number)));
  NumberGiver giver(numbering, recorded, inFile);

  for (const ReceiptCsvRow& row : csv.rows) {
    const qsizetype errorsBefore = batch.errors.size();
    const auto fail = [&](int col, const QString& reason) {
      batch.errors.append({row.row, column(col), reason});
    };
    Receipt receipt = receiptOf(row, today, tax);
    if (receipt.number.isEmpty()) {
      if (numbering.automatic) {
        receipt.number = giver.next();
      } else {
        fail(kNumberColumn,
             QStringLiteral("番号がありません（自動的に番号を入れる設定になっていません）。"));
      }
    } else if (recorded.keys.contains(RegisterKey(RegisterText(receipt.number)))) {
      fail(kNumberColumn,
           QStringLiteral("番号「%1」は領収書発行リストに既にあります。").arg(receipt.number));
    }
    for (const AmountCell& cell : kAmountCells) {
      const qint64 value = receipt.*cell.field;
      if (!FitsAmountField(value))
        fail(cell.column,
             QStringLiteral("金額は10億円未満にしてください（入力欄は9桁までです）。"));
    }
    if (receipt.amount < 0 || FitsAmountField(receipt.amount)) {  // a too large one is said above
      if (const auto refusal = KanjiAmountRefusal(receipt.amount, settings))
        fail(kReceivedColumn, QStringLiteral("漢数字にできません: ") + *refusal);
    }
    if (batch.errors.size() == errorsBefore) batch.receipts.append({row.row, std::move(receipt)});
  }
  std::stable_sort(
      batch.errors.begin(), batch.errors.end(),
      [](const ReceiptCsvError& a, const ReceiptCsvError& b) { return a.row < b.row; });
  if (numbering.automatic) {
    qint64 last = numbering.lastNumber;
    // Only numbers of the automatic form move it: a number typed in another
    // form ("K-77") says nothing about the next automatic one.
    const QByteArray header = RegisterText(numbering.header);
    for (const BatchReceipt& b : batch.receipts) {
      const auto part = HeaderedNumberPart(RegisterKey(RegisterText(b.receipt.number)), header);
      if (part) last = std::max(last, *part);
    }
    batch.lastNumber = last;
  }
  return batch;
}

}  // namespace kelvane
