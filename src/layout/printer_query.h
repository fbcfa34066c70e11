#pragma once
// Reads the current printer (the default CUPS queue as Qt sees it) into
// PrinterMetrics. Needs a QGuiApplication.

#include "layout/printer_metrics.h"

class QPrinter;

namespace kelvane {

// The device values of an open printer, in its device pixels.
[[nodiscard]] PrinterDeviceValues DeviceValuesOf(const QPrinter& printer);

// Refills the metrics from the default printer and the given screen
// resolution (the main window's logical dots per inch). With no printer
// installed: the A4 stand-in page at 600 dpi and hasPrinter false, so that
// printing goes to a PDF file.
[[nodiscard]] PrinterMetrics UpdatePrinterMetrics(int screenDpiX, int screenDpiY);

}  // namespace kelvane
