#pragma once
// Resolutions, offsets and page sizes of the current printer and the screen,
// in the units the preview and the renderer convert with.

#include <QtGlobal>

namespace kelvane {

// What the printer driver reports, in device dots.
struct PrinterDeviceValues {
  int dpiX = 0;
  int dpiY = 0;
  qint64 offsetDotsX = 0;  // physical offset of the printable area
  qint64 offsetDotsY = 0;
  qint64 physicalWidthDots = 0;
  qint64 physicalHeightDots = 0;
  qint64 printableWidthDots = 0;
  qint64 printableHeightDots = 0;
};

struct PrinterMetrics {
  qint64 printerDpiX = 0;  // fixed point (x 10000)
  qint64 printerDpiY = 0;
  qint64 offsetMmX = 0;  // whole millimetres
  qint64 offsetMmY = 0;
  qint64 pageWidthMm = 0;  // whole millimetres
  qint64 pageHeightMm = 0;
  qint64 printableWidthMm = 0;  // fixed point, whole millimetres
  qint64 printableHeightMm = 0;
  qint64 screenDpiX = 0;  // fixed point
  qint64 screenDpiY = 0;
  // False when no printer is installed: the page is the A4 stand-in and
  // printing goes to a PDF file.
  bool hasPrinter = false;

  bool operator==(const PrinterMetrics&) const = default;
};

// Dots -> whole millimetres at `dpi`, rounded half to even.
[[nodiscard]] qint64 DotsToMillimetres(qint64 dots, int dpi);

// Fills every field from the printer's dots and the screen's resolution.
[[nodiscard]] PrinterMetrics ComputePrinterMetrics(const PrinterDeviceValues& device,
                                                   int screenDpiX, int screenDpiY, bool hasPrinter);

// The page used when no printer is installed: A4 at 600 dpi, no offsets.
[[nodiscard]] PrinterDeviceValues StandInA4Device();

}  // namespace kelvane
