#include "layout/printer_metrics.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(PrinterMetrics, DotsToMillimetresHalvesToEven) {
  EXPECT_EQ(DotsToMillimetres(100, 600), 4);  // 4.233
  EXPECT_EQ(DotsToMillimetres(4960, 600), 210);
  EXPECT_EQ(DotsToMillimetres(7016, 600), 297);
  // 2.5 mm and 3.5 mm exactly: at 254 dpi one dot is 0.1 mm.
  EXPECT_EQ(DotsToMillimetres(25, 254), 2);
  EXPECT_EQ(DotsToMillimetres(35, 254), 4);
  EXPECT_EQ(DotsToMillimetres(-25, 254), -2);
  EXPECT_EQ(DotsToMillimetres(100, 0), 0);
}

TEST(PrinterMetrics, ComputedFromDeviceValues) {
  PrinterDeviceValues d;
  d.dpiX = 600;
  d.dpiY = 300;
  d.offsetDotsX = 100;
  d.offsetDotsY = 59;  // 4.995 mm at 300 dpi
  d.physicalWidthDots = 4960;
  d.physicalHeightDots = 3508;
  d.printableWidthDots = 4760;
  d.printableHeightDots = 3390;
  const PrinterMetrics m = ComputePrinterMetrics(d, 96, 120, true);
  EXPECT_EQ(m.printerDpiX, 6000000);
  EXPECT_EQ(m.printerDpiY, 3000000);
  EXPECT_EQ(m.offsetMmX, 4);
  EXPECT_EQ(m.offsetMmY, 5);
  EXPECT_EQ(m.pageWidthMm, 210);
  EXPECT_EQ(m.pageHeightMm, 297);
  EXPECT_EQ(m.printableWidthMm, 2020000);   // 201.51 -> 202
  EXPECT_EQ(m.printableHeightMm, 2870000);  // 287.02
  EXPECT_EQ(m.screenDpiX, 960000);
  EXPECT_EQ(m.screenDpiY, 1200000);
  EXPECT_TRUE(m.hasPrinter);
}

TEST(PrinterMetrics, StandInPageIsA4At600) {
  const PrinterMetrics m = ComputePrinterMetrics(StandInA4Device(), 96, 96, false);
  EXPECT_FALSE(m.hasPrinter);
  EXPECT_EQ(m.printerDpiX, 6000000);
  EXPECT_EQ(m.offsetMmX, 0);
  EXPECT_EQ(m.offsetMmY, 0);
  EXPECT_EQ(m.pageWidthMm, 210);
  EXPECT_EQ(m.pageHeightMm, 297);
  EXPECT_EQ(m.printableWidthMm, 2100000);
}

}  // namespace
}  // namespace kelvane
