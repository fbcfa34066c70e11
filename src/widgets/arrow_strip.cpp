#include "widgets/arrow_strip.h"

#include <algorithm>

namespace kelvane {
namespace {

constexpr QRgb kInk = 0xff000000;
constexpr QRgb kGreyInk = 0xff808080;
constexpr QRgb kHighlight = 0xffffffff;

// Plots a solid triangle pointing along `direction` into the frame that
// starts at column `frameLeft`, moved by (dx, dy). Drawn pixel by pixel, never
// antialiased: a blended edge would leave olive-tinted pixels that the
// button cannot knock out.
void PlotArrow(QImage& image, ArrowDirection direction, int frameLeft, int size, int dx, int dy,
               QRgb colour) {
  const int half = size / 4;                   // rows either side of the centre at the base
  const int along0 = (size - (half + 1)) / 2;  // first column of the base, pointing right
  const int centre = (size - 1) / 2;
  for (int a = 0; a <= half; ++a) {
    const int reach = half - a;
    for (int b = centre - reach; b <= centre + reach; ++b) {
      const int along = along0 + a;
      int x = 0;
      int y = 0;
      switch (direction) {
        case ArrowDirection::Right:
          x = along, y = b;
          break;
        case ArrowDirection::Left:
          x = size - 1 - along, y = b;
          break;
        case ArrowDirection::Down:
          x = b, y = along;
          break;
        case ArrowDirection::Up:
          x = b, y = size - 1 - along;
          break;
      }
      x += dx;
      y += dy;
      if (x >= 0 && x < size && y >= 0 && y < size) image.setPixel(frameLeft + x, y, colour);
    }
  }
}

}  // namespace

QImage ArrowStrip(ArrowDirection direction, int frameSize) {
  const int size = std::max(frameSize, 8);
  QImage strip(size * 3, size, QImage::Format_RGB32);
  strip.fill(kArrowStripBackground);
  // Up.
  PlotArrow(strip, direction, 0, size, 0, 0, kInk);
  // Disabled: grey with a white shadow below and to the right, as if embossed.
  PlotArrow(strip, direction, size, size, 1, 1, kHighlight);
  PlotArrow(strip, direction, size, size, 0, 0, kGreyInk);
  // Pressed: the up arrow pushed one pixel down and right.
  PlotArrow(strip, direction, 2 * size, size, 1, 1, kInk);
  return strip;
}

}  // namespace kelvane
