#include "layout/preview_geometry.h"

#include "text/fixed_point.h"

#include <cmath>

namespace kelvane {

namespace {

// Millimetres (fixed point) to screen pixels at the zoom, unrounded.
class ScreenScale {
 public:
  ScreenScale(qint64 dpi, qint64 zoom)
      : factor_(static_cast<long double>(dpi) / fixed::kOne / 25.4L *
                (static_cast<long double>(zoom) / fixed::kOne)) {}
  [[nodiscard]] long double pixels(qint64 mm) const {
    return static_cast<long double>(mm) / fixed::kOne * factor_;
  }
  // Halves to even, as the default rounding mode does.
  [[nodiscard]] int rounded(qint64 mm) const {
    return static_cast<int>(std::nearbyint(pixels(mm)));
  }
  [[nodiscard]] int truncated(qint64 mm) const { return static_cast<int>(std::trunc(pixels(mm))); }

 private:
  long double factor_;
};

}  // namespace

PreviewGeometry ComputePreviewGeometry(const PrinterMetrics& m, int zoomPercent, int previewMode,
                                       qint64 receiptWidth, qint64 receiptHeight) {
  PreviewGeometry g;
  g.zoom = fixed::divRoundHalfEven(static_cast<__int128>(zoomPercent) * fixed::kOne, 100);
  g.resolutionX =
      static_cast<int>(fixed::divTrunc(static_cast<__int128>(m.screenDpiX) * g.zoom,
                                       static_cast<__int128>(fixed::kOne) * fixed::kOne));
  g.resolutionY =
      static_cast<int>(fixed::divTrunc(static_cast<__int128>(m.screenDpiY) * g.zoom,
                                       static_cast<__int128>(fixed::kOne) * fixed::kOne));
  const ScreenScale x(m.screenDpiX, g.zoom);
  const ScreenScale y(m.screenDpiY, g.zoom);
  if (previewMode == 1) {
    g.panel = QSize(x.rounded(fixed::fromWhole(m.pageWidthMm)),
                    y.rounded(fixed::fromWhole(m.pageHeightMm)));
    g.paintBox =
        QRect(x.rounded(fixed::fromWhole(m.offsetMmX)), y.rounded(fixed::fromWhole(m.offsetMmY)),
              x.truncated(m.printableWidthMm), y.truncated(m.printableHeightMm));
    g.page = QSize(x.rounded(m.printableWidthMm), y.rounded(m.printableHeightMm));
    return g;
  }
  const qint64 margin = fixed::fromWhole(5);
  g.panel = QSize(x.rounded(receiptWidth + 2 * margin), y.rounded(receiptHeight + 2 * margin));
  g.paintBox = QRect(x.rounded(margin), y.rounded(margin), x.truncated(receiptWidth),
                     y.truncated(receiptHeight));
  g.page = QSize(x.rounded(receiptWidth), y.rounded(receiptHeight));
  return g;
}

}  // namespace kelvane
