#pragma once
// "display.dat": the widths of the register list's fourteen columns, kept
// between runs.

#include <QByteArray>
#include <QList>

#include <array>

namespace kelvane {

inline constexpr char kColumnWidthsFileName[] = "display.dat";
using ColumnWidths = std::array<int, 14>;

// The design widths of the columns.
[[nodiscard]] ColumnWidths DesignColumnWidths();

// Applies the file's lines to `widths`: a line whose key is one of the
// fourteen sets that column, to 50 when its value is not a whole number;
// every other line is ignored.
void ReadColumnWidths(const QList<QByteArray>& lines, ColumnWidths& widths);

// The fifteen lines of the file.
[[nodiscard]] QList<QByteArray> ColumnWidthsLines(const ColumnWidths& widths);

}  // namespace kelvane
