#pragma once
// A list of receipts read from a CSV file made ready to issue: the empty
// numbers given automatic ones, the empty dates today's, and every row
// checked against the register and the settings before anything is drawn,
// printed or recorded. A batch with one bad row issues nothing.

#include "receipt/receipt.h"
#include "receipt/receipt_csv.h"

#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QSet>
#include <QString>

#include <optional>

namespace kelvane {

// The automatic numbering of the settings ([AUTO_NUMBER], [HEADER_CHAR],
// [HEADER_NUMBER], [LAST_NUMBER]).
struct ReceiptNumbering {
  bool automatic = false;
  QString header;
  int digitCount = 1;
  qint64 lastNumber = 1;
};

// What the register holds that a batch must not give again.
struct RegisterNumbers {
  QSet<QByteArray> keys;              // RegisterKey of every line's number
  std::optional<qint64> largestPart;  // of the numbers with the header
};

// The numbers in the register's bytes; `header` is the numbering header's
// cp932 bytes.
[[nodiscard]] RegisterNumbers RegisterNumbersIn(QByteArrayView registerBytes,
                                                QByteArrayView header);

// How the batch's receipts state their tax as qualified invoices.
struct ReceiptTaxSettings {
  TaxRounding rounding = TaxRounding::Down;
  QString registrationNumber;  // the issuer's, from the layout
};

struct BatchReceipt {
  int row = 0;  // the CSV file's row
  Receipt receipt;
};

struct ReceiptBatch {
  QList<BatchReceipt> receipts;   // every good row, in file order
  QList<ReceiptCsvError> errors;  // the file's faults and the batch's, by row
  // The last number the settings keep once the batch is recorded: the
  // largest number part of the batch's numbers that have the automatic form
  // (the header, then digits) when that is above the last number. Nothing
  // when automatic numbering is off.
  std::optional<qint64> lastNumber;
  [[nodiscard]] bool ok() const { return errors.isEmpty(); }
};

// The receipts of `csv`. Faults of the file are kept; besides them a row is
// bad when it has no number and automatic numbering is off, when its number
// is in the register already, when an amount has ten digits or more (the
// form's fields hold nine), or when kanji are asked for and its amount has
// no kanji form. An automatic number skips the numbers the register or the
// file hold. A row with amounts by rate (10%対象, 8%対象) gets its tax worked
// out, and the five figures from it unless the row gives them.
[[nodiscard]] ReceiptBatch PlanReceiptBatch(const ReceiptCsv& csv,
                                            const ReceiptTextSettings& settings,
                                            const ReceiptNumbering& numbering,
                                            const RegisterNumbers& recorded, const QDate& today,
                                            const ReceiptTaxSettings& tax = {});

}  // namespace kelvane
