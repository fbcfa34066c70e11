#pragma once
// Where the preview puts the paper and the drawing area for a zoom and a
// preview mode, in screen pixels.

#include "layout/printer_metrics.h"

#include <QRect>
#include <QSize>

namespace kelvane {

struct PreviewGeometry {
  qint64 zoom = 0;      // fixed point: slider position / 100
  int resolutionX = 0;  // Trunc(screen dpi x zoom): the preview's dots per inch
  int resolutionY = 0;
  QSize panel;     // the white paper panel
  QRect paintBox;  // the drawing area inside the panel
  QSize page;      // the white page drawn from the drawing area's origin
};

// Mode 1 shows the page as the printer sees it (physical page, printable
// area at its offset); mode 0 shows the receipt with a 5 mm margin.
// `receiptWidth/Height` are millimetres, fixed point.
[[nodiscard]] PreviewGeometry ComputePreviewGeometry(const PrinterMetrics& metrics, int zoomPercent,
                                                     int previewMode, qint64 receiptWidth,
                                                     qint64 receiptHeight);

}  // namespace kelvane
