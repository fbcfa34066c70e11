#pragma once
// The receipt register as the register list shows it: twenty cells per
// line, amounts grouped and right-aligned, and the way back from a row's
// cells to the receipt form (dates and amounts read again).

#include "receipt/register_record.h"
#include "text/expected.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

namespace kelvane {

// A blank fixed column and the thirteen fields every line has, then the
// qualified invoice's six fields after them (figures by rate, 税区分 and
// 登録番号), empty for a line without them.
inline constexpr int kRegisterFieldColumns = 1 + RegisterRecord::kFieldCount;
inline constexpr int kRegisterColumns = kRegisterFieldColumns + RegisterRecord::kExtensionCount;
using RegisterRow = std::array<QString, kRegisterColumns>;

// The titles of the list's first row.
[[nodiscard]] const RegisterRow& RegisterTitles();

// Whether column `col` shows a grouped amount (those after the thirteen
// fields stay empty when the line has none).
[[nodiscard]] bool IsAmountColumn(int col);

// An amount field as the list shows it: read as a whole number (0 when it
// is none, a fraction included), grouped, padded on the left to 12.
[[nodiscard]] QString GroupedAmountCell(const QString& field);

// The cells of one register line (cp932 bytes).
[[nodiscard]] RegisterRow RegisterLineCells(QByteArrayView line);

// A register line in words for a question about it: number, date, amount
// and addressee, e.g. "番号 A0012　日付 2018/4/1　金額 10,800　宛名 株式会社サンプル".
[[nodiscard]] QString DescribeRegisterLine(QByteArrayView line);

// Every line of a register file's content, in file order.
[[nodiscard]] QList<RegisterRow> RegisterContentRows(const QByteArray& content);

// The same, handed to `visit` one row at a time, so that a long register
// need not be held twice; returns the number of rows.
qsizetype ForEachRegisterRow(const QByteArray& content,
                             const std::function<void(RegisterRow&& row)>& visit);

// The number of lines of a register file's content.
[[nodiscard]] qsizetype RegisterLineCount(const QByteArray& content);

// A row's date cell: year, month and day separated by "/", "-", "," or " "
// (a later one in that order wins), with year 1900, month 7 and day 1 for
// pieces that are not whole numbers. A text with none of the separators, or
// one that gives no calendar date, is a failure.
[[nodiscard]] Expected<QDate> RegisterDateCell(const QString& text);

// An amount cell back to ten-thousandths: the "," removed, blanks around
// allowed, a decimal amount; anything else is a failure.
[[nodiscard]] Expected<qint64> RegisterAmountCell(const QString& text);

// A row written back as a register line: the fields trimmed, amounts
// without grouping and "0" when empty; the six fields after the thirteen
// stay empty when empty, and are written only when one holds something.
[[nodiscard]] QByteArray RegisterLineOfRow(const RegisterRow& row);

// A row as a CSV line: columns 1 to 19, each without its commas and
// followed by ",", the six after the thirteen empty for a line without them.
[[nodiscard]] QByteArray CsvLineOfRow(const RegisterRow& row);

}  // namespace kelvane
