#pragma once
// The pieces of drawing one grid cell that do not need a painter: text
// combining, band split, text placement, highlight and focus-frame rules and
// the frame's contrast colour.

#include "widgets/scg_cell_param.h"

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <vector>

namespace kelvane {

// Silver: band separators on normal cells and the normal grid lines.
inline constexpr QRgb kSilver = 0xFFC0C0C0;
// Dark grey: bottom and right edges of 3-D fixed cells.
inline constexpr QRgb kDarkGrey = 0xFF808080;

// The colour a dotted focus-frame pixel takes over `pixel`: the inverse,
// unless the inverse is too close (channel differences summing below 24),
// then white below 0xC0C0C1 (as 0x00BBGGRR) and black above.
[[nodiscard]] QColor ContrastColour(const QColor& pixel);

// The text a cell with a parameter shows. ctTop adds one more line break
// when the cell's own text is empty.
[[nodiscard]] QString CombineCaption(TCaptionType type, const QString& caption,
                                     const QString& cellText);

// Lines of a cell's text; CR LF, LF and CR all break, an empty text is one
// empty line.
[[nodiscard]] QStringList SplitLines(const QString& text);

// Band i of `count` equal bands of `cell` (the height divided with the
// fraction dropped; the last band reaches the cell's bottom).
[[nodiscard]] QRect BandRect(const QRect& cell, int index, int count);

// Top-left corner of a text of `textSize` in `band`.
[[nodiscard]] QPoint TextOrigin(const QRect& band, QSize textSize, TAlignment alignment,
                                TTextLayout layout);

// Whether a selected cell is filled with the focus colours.
[[nodiscard]] bool IsHighlighted(bool gridHasFocus, bool focusDraw, bool selected, bool focusedCell,
                                 GridOptions options);

struct FrameEdges {
  bool top = false, bottom = false, left = false, right = false;
  [[nodiscard]] bool any() const { return top || bottom || left || right; }
  bool operator==(const FrameEdges&) const = default;
};

// Which edges of a normal cell get the dotted focus frame. Without row
// select only the focused cell is framed; with it the whole current row,
// closed at `firstCol` and `lastCol`.
[[nodiscard]] FrameEdges FocusFrameEdges(bool rowSelect, bool focusedCell, bool inCurrentRow,
                                         int col, int firstCol, int lastCol);

// Pixels of the dotted frame along `edges` of `cell`: every second pixel of
// each edge, starting at its first.
[[nodiscard]] std::vector<QPoint> DottedFramePoints(const QRect& cell, FrameEdges edges);

}  // namespace kelvane
