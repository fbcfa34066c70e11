#include "widgets/scg_cell_drawing.h"

#include <QRegularExpression>

#include <cstdlib>

namespace kelvane {

QColor ContrastColour(const QColor& pixel) {
  const int r = pixel.red(), g = pixel.green(), b = pixel.blue();
  const QColor inverse(255 - r, 255 - g, 255 - b);
  const int difference =
      std::abs(r - inverse.red()) + std::abs(g - inverse.green()) + std::abs(b - inverse.blue());
  if (difference >= 24) return inverse;
  const unsigned value = (static_cast<unsigned>(b) << 16) | (g << 8) | r;
  return value < 0xC0C0C1u ? QColor(Qt::white) : QColor(Qt::black);
}

QString CombineCaption(TCaptionType type, const QString& caption, const QString& cellText) {
  switch (type) {
    case TCaptionType::ctCaption:
      return caption.isEmpty() ? cellText : caption;
    case TCaptionType::ctCellText:
      return cellText.isEmpty() ? caption : cellText;
    case TCaptionType::ctHeader:
      return caption + cellText;
    case TCaptionType::ctFooter:
      return cellText + caption;
    case TCaptionType::ctTop: {
      QString text = caption + u'\n' + cellText;
      if (cellText.isEmpty()) text += u'\n';
      return text;
    }
    case TCaptionType::ctBottom:
      return cellText + u'\n' + caption;
  }
  return cellText;
}

QStringList SplitLines(const QString& text) {
  static const QRegularExpression kBreak(QStringLiteral("\r\n|\n|\r"));
  return text.split(kBreak);
}

QRect BandRect(const QRect& cell, int index, int count) {
  const int height = cell.height() / count;
  const int top = cell.top() + index * height;
  const int bottom = index == count - 1 ? cell.bottom() : top + height - 1;
  return QRect(QPoint(cell.left(), top), QPoint(cell.right(), bottom));
}

QPoint TextOrigin(const QRect& band, QSize textSize, TAlignment alignment, TTextLayout layout) {
  // Right and bottom are the first pixels outside the band.
  const int right = band.left() + band.width();
  const int bottom = band.top() + band.height();
  int x = band.left() + 2;
  if (alignment == TAlignment::RightJustify) x = right - textSize.width() - 2;
  if (alignment == TAlignment::Center) x = band.left() + (band.width() - textSize.width()) / 2;
  int y = band.top() + 2;
  if (layout == TTextLayout::Center) y = band.top() + (band.height() - textSize.height()) / 2 + 1;
  if (layout == TTextLayout::Bottom) y = bottom - textSize.height() - 1;
  return {x, y};
}

bool IsHighlighted(bool gridHasFocus, bool focusDraw, bool selected, bool focusedCell,
                   GridOptions options) {
  if (!(gridHasFocus || focusDraw) || !selected) return false;
  const bool showFocused =
      options.testFlag(GridOption::DrawFocusSelected) || options.testFlag(GridOption::RowSelect);
  return !(focusedCell && !showFocused);
}

FrameEdges FocusFrameEdges(bool rowSelect, bool focusedCell, bool inCurrentRow, int col,
                           int firstCol, int lastCol) {
  if (!rowSelect) {
    if (!focusedCell) return {};
    return {true, true, true, true};
  }
  if (!inCurrentRow) return {};
  return {true, true, col == firstCol, col == lastCol};
}

std::vector<QPoint> DottedFramePoints(const QRect& cell, FrameEdges edges) {
  std::vector<QPoint> points;
  if (cell.isEmpty()) return points;
  if (edges.top || edges.bottom) {
    for (int x = cell.left(); x <= cell.right(); x += 2) {
      if (edges.top) points.emplace_back(x, cell.top());
      if (edges.bottom) points.emplace_back(x, cell.bottom());
    }
  }
  if (edges.left || edges.right) {
    for (int y = cell.top(); y <= cell.bottom(); y += 2) {
      if (edges.left) points.emplace_back(cell.left(), y);
      if (edges.right) points.emplace_back(cell.right(), y);
    }
  }
  return points;
}

}  // namespace kelvane
