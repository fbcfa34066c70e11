#include "printing/receipt_printing.h"

#include "render/painter_canvas.h"
#include "render/recording_canvas.h"
#include "text/fixed_point.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>

namespace kelvane {

namespace {

bool writesPdf(const QPrinter& printer) { return printer.outputFormat() == QPrinter::PdfFormat; }

Failure cannotStart(const QPrinter& printer) {
  if (!writesPdf(printer)) {
    return Failure{
        QStringLiteral("プリンター「%1」で印刷を始められません。").arg(printer.printerName())};
  }
  if (printer.outputFileName().isEmpty()) {
    return Failure{QStringLiteral("印刷する PDF ファイルの名前が決まっていません。")};
  }
  return Failure{QStringLiteral("PDF ファイル「%1」に印刷を始められません。")
                     .arg(QDir::toNativeSeparators(printer.outputFileName()))};
}

Failure cannotFinish(const QPrinter& printer) {
  if (writesPdf(printer)) {
    return Failure{QStringLiteral("PDF ファイル「%1」を書き終えられませんでした。")
                       .arg(QDir::toNativeSeparators(printer.outputFileName()))};
  }
  return Failure{
      QStringLiteral("プリンター「%1」に印刷を送れませんでした。").arg(printer.printerName())};
}

// Ends a job whose page could not be drawn. Not every print engine can
// abort (Qt's PDF and CUPS engines cannot), so a PDF file written anyway
// is removed as well.
void abandonJob(QPrinter& printer, QPainter& painter) {
  printer.abort();
  painter.end();
  if (writesPdf(printer)) QFile::remove(printer.outputFileName());
}

}  // namespace

Expected<RecordingCanvas> DrawPrinterPage(const QPrinter& printer, const LayoutDocument& document,
                                          const RenderSettings& settings, PictureCache* pictures) {
  // Fonts and natural-size pictures follow the resolution the page is
  // really drawn at, even when the metrics were measured before a change.
  RenderSettings pass = settings;
  pass.metrics.printerDpiX = fixed::fromWhole(printer.logicalDpiX());
  pass.metrics.printerDpiY = fixed::fromWhole(printer.logicalDpiY());
  RecordingCanvas page(/*printer=*/true);
  Renderer renderer(pictures);
  auto drawn =
      renderer.DrawLayout(page, document, pass, pass.metrics.printerDpiX, pass.metrics.printerDpiY);
  if (!drawn) return Failure{drawn.error()};
  return page;
}

Expected<void> PrintPages(QPrinter& printer, const std::vector<RecordingCanvas>& pages,
                          const PageProgress& progress) {
  QPainter painter;
  if (!painter.begin(&printer)) return cannotStart(printer);
  PainterCanvas canvas(painter, /*printer=*/true);
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (i > 0 && !printer.newPage()) {
      abandonJob(printer, painter);
      return cannotFinish(printer);
    }
    if (auto drawn = pages[i].replay(canvas); !drawn) {
      abandonJob(printer, painter);
      return drawn;
    }
    if (progress && !progress(int(i + 1))) {
      abandonJob(printer, painter);
      return Failure{QStringLiteral("印刷を取り消しました。")};
    }
  }
  if (!painter.end() || printer.printerState() == QPrinter::Error) return cannotFinish(printer);
  return {};
}

Expected<void> PrintLayout(QPrinter& printer, const LayoutDocument& document,
                           const RenderSettings& settings, PictureCache* pictures) {
  // The printer page held in memory until it is known to draw completely.
  auto page = DrawPrinterPage(printer, document, settings, pictures);
  if (!page) return Failure{page.error()};
  std::vector<RecordingCanvas> pages;
  pages.push_back(std::move(*page));
  return PrintPages(printer, pages);
}

}  // namespace kelvane
