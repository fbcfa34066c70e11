#include "printing/printer_query.h"

#include "support/gui_app.h"
#include "support/pdf_pages.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(PrinterQuery, ReadsPageAndMarginsOfAPrinter) {
  testing::EnsureGuiApplication();
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setResolution(600);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageMargins(QMarginsF(4.2333, 5, 4.2333, 5), QPageLayout::Millimeter);
  const PrinterDeviceValues d = DeviceValuesOf(printer);
  EXPECT_EQ(d.dpiX, 600);
  EXPECT_EQ(d.dpiY, 600);
  EXPECT_NEAR(d.offsetDotsX, 100, 1);
  const PrinterMetrics m = ComputePrinterMetrics(d, 96, 96, true);
  EXPECT_EQ(m.offsetMmX, 4);
  EXPECT_EQ(m.offsetMmY, 5);
  EXPECT_EQ(m.pageWidthMm, 210);
  EXPECT_EQ(m.pageHeightMm, 297);
  // Qt rounds the margins to whole points before it converts them to dots.
  EXPECT_NEAR(m.printableWidthMm / 10000, 202, 1);
  EXPECT_NEAR(m.printableHeightMm / 10000, 287, 1);
  EXPECT_EQ(m.printableWidthMm % 10000, 0);
}

// The default queue of the machine, through CUPS. The test suite's script
// sets up a PDF queue and names it in PRINTER, which CUPS takes as the
// default destination.
TEST(PrinterQuery, DefaultCupsPrinter) {
  // A CI run must print for real: without the queue it fails here too.
  if (const QString why = testing::CupsQueueMissing(); !why.isEmpty() && testing::RunningInCi())
    FAIL() << why.toStdString();
  testing::EnsureGuiApplication();
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) {
    const PrinterMetrics m = UpdatePrinterMetrics(96, 96);
    EXPECT_FALSE(m.hasPrinter);
    EXPECT_EQ(m.printerDpiX, 600 * 10000);
    EXPECT_EQ(m.pageWidthMm, 210);
    EXPECT_EQ(m.pageHeightMm, 297);
    EXPECT_EQ(m.offsetMmX, 0);
    GTEST_SKIP() << "no CUPS printer here: checked the A4 stand-in";
  }
  const PrinterMetrics m = UpdatePrinterMetrics(96, 120);
  EXPECT_TRUE(m.hasPrinter);
  EXPECT_GT(m.printerDpiX, 0);
  EXPECT_GT(m.pageWidthMm, 100);
  EXPECT_GT(m.pageHeightMm, 100);
  EXPECT_LE(m.printableWidthMm, m.pageWidthMm * 10000);
  EXPECT_EQ(m.screenDpiY, 120 * 10000);
}

}  // namespace
}  // namespace kelvane
