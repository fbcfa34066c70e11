#pragma once
// The names the layout uses for line patterns, fill patterns and font
// decorations (cp932 texts), and what they select.

#include "render/canvas.h"

#include <QByteArrayView>

namespace kelvane {

// "実線" "破線" "点線" "一点鎖線" "二点鎖線" "立体線"; anything else is solid.
[[nodiscard]] PenStyle PenStyleOf(QByteArrayView name);

// "塗り潰し" "透明" "水平" "垂直" "クロス" "ハッチ"; anything else is solid.
[[nodiscard]] BrushStyle BrushStyleOf(QByteArrayView name);

struct FontStyle {
  bool bold = false;
  bool italic = false;
};

// "太字" "斜体" "太字斜体"; anything else is regular.
[[nodiscard]] FontStyle FontStyleOf(QByteArrayView name);

}  // namespace kelvane
