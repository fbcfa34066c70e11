#pragma once
// Moving a whole element of the layout: a line, frame, fill, text or
// picture record keeps its size and everything else, and its coordinates
// all shift by the same distance. The preview's drag and its snapping use it.

#include <QByteArray>

#include <optional>

namespace kelvane {

// The element's first corner (x1, y1 or x, y), millimetres × 10000.
struct ElementOrigin {
  qint64 x = 0;
  qint64 y = 0;
};

// The origin of a "line", "rect", "fillrect", "char" or "image" record;
// none for another line or an unreadable coordinate.
[[nodiscard]] std::optional<ElementOrigin> OriginOfElement(const QByteArray& record);

// `record` with every coordinate moved by dx, dy (millimetres × 10000);
// none when it is no element or a coordinate is unreadable.
[[nodiscard]] std::optional<QByteArray> MovedElement(const QByteArray& record, qint64 dx,
                                                     qint64 dy);

// `value` to the nearest multiple of `grid` (halves away from zero).
[[nodiscard]] qint64 Snapped(qint64 value, qint64 grid);

}  // namespace kelvane
