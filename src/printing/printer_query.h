#pragma once
// Reads the current printer (the default CUPS queue as Qt sees it) into
// PrinterMetrics. Needs a QGuiApplication.

#include "layout/printer_metrics.h"

#include <memory>

class QPrinter;

namespace kelvane {

// The device values of an open printer, in its device pixels.
[[nodiscard]] PrinterDeviceValues DeviceValuesOf(const QPrinter& printer);

// Refills the metrics from the default printer and the given screen
// resolution (the main window's logical dots per inch). With no printer
// installed: the A4 stand-in page at 600 dpi and hasPrinter false, so that
// printing goes to a PDF file.
[[nodiscard]] PrinterMetrics UpdatePrinterMetrics(int screenDpiX, int screenDpiY);

// Refills the metrics from the program's own printer, so that a paper size
// or orientation set on it (a loaded style, the paper set-up) is measured.
// A printer that writes a PDF file counts as no printer installed.
[[nodiscard]] PrinterMetrics UpdatePrinterMetrics(const QPrinter& printer, int screenDpiX,
                                                  int screenDpiY);

// The printer the program prints receipts on: the default printer at its
// full resolution, or, with no printer installed, MakeStandInPdfPrinter().
[[nodiscard]] std::unique_ptr<QPrinter> MakeProgramPrinter();

// A PDF writer on the A4 stand-in page (600 dpi, no margins), measured as
// StandInA4Device(). The caller names its file before printing.
[[nodiscard]] std::unique_ptr<QPrinter> MakeStandInPdfPrinter();

}  // namespace kelvane
