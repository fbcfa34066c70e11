#pragma once
// What the style editors show of a loaded layout: the texts their lists and
// labels take from the document's slots, as cp932 bytes exactly as written.

#include "layout/header_lines.h"
#include "layout/layout_document.h"
#include "layout/layout_slots.h"

#include <QByteArray>
#include <array>

namespace kelvane {

// The overview labels of one image slot: position and file, as written.
struct ImageOverview {
  QByteArray x;
  QByteArray y;
  QByteArray file;
};

// One row of the line/shape list. An empty slot leaves every text empty and
// the colour cell white.
struct ShapeRow {
  QByteArray kindCaption;     // cell 1: "直線" or "四角形"
  QByteArray corners;         // cell 2: "[x1,y1]-[x2,y2] Size=width", fields as written
  quint32 colour = 0xFFFFFF;  // cell 3 background, 0x00BBGGRR
  QByteArray penStyle;        // cell 4
  QByteArray kind;            // cell 5: "line", "rect", "fillrect"
};

struct StyleContents {
  QByteArray title;
  StyleHeader header;
  std::array<ImageOverview, 8> images;  // image slots 1 to 8
  std::array<ShapeRow, 100> shapes;     // list rows 1 to 100
  std::array<QByteArray, 100> texts;    // text list rows 1 to 100
  // Company information: lines 228 to 238, then 登録番号 (line 267).
  std::array<QByteArray, slotmap::kCompanyItems> company;
};

[[nodiscard]] StyleContents ReadStyleContents(const LayoutDocument& document);

// What the style editors write into `line` when they clear its element: an
// image record without a file in an image slot, the reset "char" record in
// a free text, company or receipt item slot (items 88 to 135), and an empty
// slot "," in a line or shape slot and in every line that is no element
// slot.
[[nodiscard]] QByteArray EmptiedElementRecord(qsizetype line);

}  // namespace kelvane
