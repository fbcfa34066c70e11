#pragma once
// Reading a list of receipts to issue in bulk from a CSV file (RFC 4180), as
// shops keep them in a spreadsheet. The reader checks every row and every
// cell and collects all faults, so the user sees each bad row at once and
// nothing is issued from a list that has one.
//
// Row numbers are those of the file's records: the header is row 1, and a
// quoted field holding line breaks keeps its record one row (so the number
// is the one a spreadsheet shows, not the text line of a plain editor).
// Blank lines are skipped but counted.

#include "receipt/tax_by_rate.h"
#include "text/expected.h"

#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

namespace kelvane {

// A CSV file larger than this is refused before it is read.
inline constexpr qint64 kReceiptCsvMaxBytes = 64LL * 1024 * 1024;
// At most this many receipts in one file.
inline constexpr int kReceiptCsvMaxRows = 100000;

// One data row. Texts are as written (the number without surrounding
// blanks); an empty date or amount is nothing, for the caller to fill in.
// Amounts and the tax rate are fixed-point (value × 10000); amounts are
// whole yen.
struct ReceiptCsvRow {
  int row = 0;  // the file's row number
  QString number;
  std::optional<QDate> date;
  QString addressee1;
  QString addressee2;
  QString description1;
  QString description2;
  QString staff;
  std::optional<qint64> received;    // 領収金額
  std::optional<qint64> net;         // 税抜金額
  std::optional<qint64> billed;      // 請求金額
  std::optional<qint64> tax;         // 消費税額
  std::optional<qint64> taxRate;     // 消費税率 (10 % is 100000)
  std::optional<qint64> stamp;       // 収入印紙
  std::optional<qint64> amount10;    // 10%対象
  std::optional<qint64> amount8;     // 8%対象
  std::optional<TaxBasis> taxBasis;  // 税区分
};

// A fault of the file (row 0), of a row (no column) or of one cell.
struct ReceiptCsvError {
  int row = 0;
  QString column;
  QString reason;
};

// Every data row's cells as written, bad rows included, for a list that
// shows the user each row: `cells` by the index of receiptCsvColumns(), an
// absent column empty.
struct ReceiptCsvCells {
  int row = 0;
  QStringList cells;
};

struct ReceiptCsv {
  QList<ReceiptCsvRow> rows;      // only the rows without a fault
  QList<ReceiptCsvError> errors;  // in file order
  QList<ReceiptCsvCells> cells;   // every data row, in file order
  [[nodiscard]] bool ok() const { return errors.isEmpty(); }
};

// The part of `csv` the user chose: the rows numbered in `rows`, with their
// faults, and the faults of no listed row (the file's as a whole).
[[nodiscard]] ReceiptCsv SelectReceiptCsvRows(const ReceiptCsv& csv, const QSet<int>& rows);

// The column names the file may use, in the order the program lists them.
[[nodiscard]] const QList<QString>& receiptCsvColumns();

// Reads the bytes of a CSV file: UTF-8 with or without a byte order mark,
// or cp932 when they are not valid UTF-8.
[[nodiscard]] ReceiptCsv readReceiptCsv(QByteArrayView bytes);

// Reads the file at `path`; a file that cannot be read or is too large is a
// failure, every other fault is in the result's errors.
[[nodiscard]] Expected<ReceiptCsv> readReceiptCsvFile(const QString& path);

// "INPUT.csv:ROW: COLUMN: reason", leaving out the column of a row's fault
// and the row of a fault of the whole file.
[[nodiscard]] QString formatReceiptCsvError(const QString& fileName, const ReceiptCsvError& error);

// The parsers of single cells, shared with the window's row list. Each gives
// nothing for an empty cell and a failure (Japanese) for a bad one.
[[nodiscard]] Expected<std::optional<QDate>> parseReceiptCsvDate(const QString& text);
[[nodiscard]] Expected<std::optional<qint64>> parseReceiptCsvAmount(const QString& text);
[[nodiscard]] Expected<std::optional<qint64>> parseReceiptCsvRate(const QString& text);

}  // namespace kelvane
