#include "layout/printer_metrics.h"

#include "text/fixed_point.h"

namespace kelvane {

qint64 DotsToMillimetres(qint64 dots, int dpi) {
  // dots / (dpi / 25.4) = dots * 254 / (dpi * 10), exactly.
  if (dpi <= 0) return 0;
  return fixed::divRoundHalfEven(static_cast<__int128>(dots) * 254,
                                 static_cast<__int128>(dpi) * 10);
}

PrinterMetrics ComputePrinterMetrics(const PrinterDeviceValues& device, int screenDpiX,
                                     int screenDpiY, bool hasPrinter) {
  PrinterMetrics m;
  m.printerDpiX = fixed::fromWhole(device.dpiX);
  m.printerDpiY = fixed::fromWhole(device.dpiY);
  m.offsetMmX = DotsToMillimetres(device.offsetDotsX, device.dpiX);
  m.offsetMmY = DotsToMillimetres(device.offsetDotsY, device.dpiY);
  m.pageWidthMm = DotsToMillimetres(device.physicalWidthDots, device.dpiX);
  m.pageHeightMm = DotsToMillimetres(device.physicalHeightDots, device.dpiY);
  m.printableWidthMm = fixed::fromWhole(DotsToMillimetres(device.printableWidthDots, device.dpiX));
  m.printableHeightMm =
      fixed::fromWhole(DotsToMillimetres(device.printableHeightDots, device.dpiY));
  m.screenDpiX = fixed::fromWhole(screenDpiX);
  m.screenDpiY = fixed::fromWhole(screenDpiY);
  m.hasPrinter = hasPrinter;
  return m;
}

PrinterDeviceValues StandInA4Device() {
  PrinterDeviceValues d;
  d.dpiX = d.dpiY = 600;
  d.physicalWidthDots = d.printableWidthDots = 4961;    // 210 mm
  d.physicalHeightDots = d.printableHeightDots = 7016;  // 297 mm
  return d;
}

}  // namespace kelvane
