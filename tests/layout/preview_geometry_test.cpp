#include "layout/preview_geometry.h"

#include "text/fixed_point.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

PrinterMetrics screen96() {
  PrinterMetrics m = ComputePrinterMetrics(StandInA4Device(), 96, 96, false);
  return m;
}

TEST(PreviewGeometry, ReceiptModeAtFullZoom) {
  const PreviewGeometry g =
      ComputePreviewGeometry(screen96(), 100, 0, fixed::fromWhole(180), fixed::fromWhole(90));
  EXPECT_EQ(g.resolutionX, 96);
  EXPECT_EQ(g.panel, QSize(718, 378));
  EXPECT_EQ(g.paintBox, QRect(19, 19, 680, 340));
  EXPECT_EQ(g.page, QSize(680, 340));
}

TEST(PreviewGeometry, ResolutionIsTruncatedAtEveryZoom) {
  EXPECT_EQ(ComputePreviewGeometry(screen96(), 10, 0, 0, 0).resolutionX, 9);
  EXPECT_EQ(ComputePreviewGeometry(screen96(), 70, 0, 0, 0).resolutionY, 67);
  EXPECT_EQ(ComputePreviewGeometry(screen96(), 70, 0, 0, 0).zoom, 7000);
}

TEST(PreviewGeometry, PrinterModeShowsThePhysicalPageAndPrintableArea) {
  PrinterDeviceValues device = StandInA4Device();
  device.offsetDotsX = 236;  // 10 mm at 600 dpi
  device.offsetDotsY = 118;  // 5 mm
  device.printableWidthDots -= 2 * 236;
  const PrinterMetrics m = ComputePrinterMetrics(device, 96, 96, true);
  const PreviewGeometry g = ComputePreviewGeometry(m, 100, 1, 0, 0);
  EXPECT_EQ(g.panel, QSize(794, 1123));  // 210 x 297 mm
  EXPECT_EQ(g.paintBox.topLeft(), QPoint(38, 19));
  EXPECT_EQ(g.paintBox.width(), 718);  // 190 mm, truncated
  EXPECT_EQ(g.page.width(), 718);
}

}  // namespace
}  // namespace kelvane
