#include "layout/printer_query.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace kelvane {

PrinterDeviceValues DeviceValuesOf(const QPrinter& printer) {
  PrinterDeviceValues d;
  d.dpiX = printer.logicalDpiX();
  d.dpiY = printer.logicalDpiY();
  const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
  const QRectF page = printer.pageRect(QPrinter::DevicePixel);
  d.offsetDotsX = qRound64(page.left() - paper.left());
  d.offsetDotsY = qRound64(page.top() - paper.top());
  d.physicalWidthDots = qRound64(paper.width());
  d.physicalHeightDots = qRound64(paper.height());
  d.printableWidthDots = qRound64(page.width());
  d.printableHeightDots = qRound64(page.height());
  return d;
}

PrinterMetrics UpdatePrinterMetrics(int screenDpiX, int screenDpiY) {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) {
    return ComputePrinterMetrics(StandInA4Device(), screenDpiX, screenDpiY, false);
  }
  QPrinter printer(info, QPrinter::HighResolution);
  return ComputePrinterMetrics(DeviceValuesOf(printer), screenDpiX, screenDpiY, true);
}

}  // namespace kelvane
