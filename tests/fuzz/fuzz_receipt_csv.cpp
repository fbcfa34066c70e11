// Any file given as a list of receipts to issue: read, chosen from, and
// planned into a batch whose receipts make register lines and item texts.

#include "fuzz_input.h"
#include "receipt/receipt_batch.h"
#include "receipt/register_record.h"

using namespace kelvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const ReceiptCsv csv = readReceiptCsv(fuzz::Bytes(data, size));
  KELVANE_FUZZ_CHECK(csv.rows.size() <= csv.cells.size());
  QSet<int> every;
  for (const ReceiptCsvCells& cells : csv.cells) {
    KELVANE_FUZZ_CHECK(cells.cells.size() == receiptCsvColumns().size());
    every.insert(cells.row);
  }
  // Choosing every listed row leaves the file as it was read.
  const ReceiptCsv all = SelectReceiptCsvRows(csv, every);
  KELVANE_FUZZ_CHECK(all.rows.size() == csv.rows.size() && all.errors.size() == csv.errors.size());

  ReceiptTextSettings kanji;
  kanji.kanjiAmount = true;
  const ReceiptBatch batch =
      PlanReceiptBatch(csv, kanji, {true, QStringLiteral("A"), 4, 1},
                       RegisterNumbersIn("A0002,x,\r\n", "A"), QDate(2026, 12, 8));
  KELVANE_FUZZ_CHECK(batch.receipts.size() + batch.errors.size() >= csv.rows.size());
  for (const BatchReceipt& b : batch.receipts) {
    KELVANE_FUZZ_CHECK(!b.receipt.number.isEmpty() && b.receipt.date);
    const auto record = RegisterRecordOf(b.receipt);
    KELVANE_FUZZ_CHECK(record);
    // What is recorded reads back as a receipt the form can hold.
    KELVANE_FUZZ_CHECK(ReceiptFromRegisterRecord(ParseRegisterLine(FormatRegisterLine(*record))));
    (void)ReceiptItemTexts(b.receipt, kanji);
  }
  return 0;
}
