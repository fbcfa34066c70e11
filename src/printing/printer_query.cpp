#include "printing/printer_query.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

namespace kelvane {

namespace {

constexpr int kStandInDpi = 600;

}  // namespace

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

PrinterMetrics UpdatePrinterMetrics(const QPrinter& printer, int screenDpiX, int screenDpiY) {
  const bool hasPrinter = printer.outputFormat() == QPrinter::NativeFormat;
  return ComputePrinterMetrics(DeviceValuesOf(printer), screenDpiX, screenDpiY, hasPrinter);
}

std::unique_ptr<QPrinter> MakeProgramPrinter() {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) return MakeStandInPdfPrinter();
  auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  printer->setDocName(QStringLiteral("領収書"));
  return printer;
}

std::unique_ptr<QPrinter> MakeStandInPdfPrinter() {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setDocName(QStringLiteral("領収書"));
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setResolution(kStandInDpi);
  printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
  return printer;
}

}  // namespace kelvane
