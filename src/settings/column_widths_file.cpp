#include "settings/column_widths_file.h"

#include "text/fixed_point.h"

namespace kelvane {

namespace {

constexpr int kUnreadableWidth = 50;

QByteArray keyOf(size_t col) { return "[list_colwidths[" + QByteArray::number(col) + "]]"; }

}  // namespace

ColumnWidths DesignColumnWidths() {
  // After the thirteen fields: the four amounts by rate, wide enough for
  // a grouped amount of twelve characters, 税区分, and 登録番号 ("T" and
  // 13 digits).
  return {10, 93, 101, 108, 235, 254, 64, 64, 64, 64, 64, 64, 64, 64, 84, 84, 84, 84, 52, 120};
}

void ReadColumnWidths(const QList<QByteArray>& lines, ColumnWidths& widths) {
  for (const QByteArray& line : lines) {
    const qsizetype eq = line.indexOf('=');
    if (eq < 0) continue;
    const QByteArray key = line.left(eq);
    for (size_t col = 0; col < widths.size(); ++col) {
      if (key == keyOf(col)) widths[col] = fixed::parseWholeOr(line.mid(eq + 1), kUnreadableWidth);
    }
  }
}

QList<QByteArray> ColumnWidthsLines(const ColumnWidths& widths) {
  QList<QByteArray> lines{"[Version]=1.00"};
  for (size_t col = 0; col < widths.size(); ++col)
    lines << keyOf(col) + '=' + QByteArray::number(widths[col]);
  return lines;
}

}  // namespace kelvane
