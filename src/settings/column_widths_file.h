#pragma once
// "display.dat": the widths of the register list's columns, kept between
// runs. The lines of the first fourteen come first, as they always did; a
// reader that knows only those ignores the later keys, and a file written
// before the later columns existed leaves them at their design widths.

#include <QByteArray>
#include <QList>

#include <array>

namespace kelvane {

inline constexpr char kColumnWidthsFileName[] = "display.dat";
// The list's columns (kRegisterColumns): the blank one, the thirteen
// fields and the six after them.
inline constexpr int kColumnWidthCount = 20;
using ColumnWidths = std::array<int, kColumnWidthCount>;

// The design widths of the columns.
[[nodiscard]] ColumnWidths DesignColumnWidths();

// Applies the file's lines to `widths`: a line whose key is one of the
// columns' keys sets that column, to 50 when its value is not a whole number;
// every other line is ignored.
void ReadColumnWidths(const QList<QByteArray>& lines, ColumnWidths& widths);

// The lines of the file: the version, then one per column in column order.
[[nodiscard]] QList<QByteArray> ColumnWidthsLines(const ColumnWidths& widths);

}  // namespace kelvane
