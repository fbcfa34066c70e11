#pragma once
// A picture loaded for an image element.

#include <QImage>

namespace kelvane {

struct Picture {
  QImage image;  // natural size; Format_RGB32 or Format_ARGB32_Premultiplied
  // False for pictures that load but are never drawn (icons, metafiles).
  bool drawable = false;
};

}  // namespace kelvane
