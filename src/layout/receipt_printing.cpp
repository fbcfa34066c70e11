#include "layout/receipt_printing.h"

#include "layout/painter_canvas.h"
#include "layout/recording_canvas.h"
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

Expected<void> printPage(QPrinter& printer, const RecordingCanvas& page) {
  QPainter painter;
  if (!painter.begin(&printer)) return cannotStart(printer);
  PainterCanvas canvas(painter, /*printer=*/true);
  if (auto drawn = page.replay(canvas); !drawn) {
    abandonJob(printer, painter);
    return drawn;
  }
  if (!painter.end() || printer.printerState() == QPrinter::Error) return cannotFinish(printer);
  return {};
}

}  // namespace

Expected<void> PrintLayout(QPrinter& printer, const LayoutDocument& document,
                           const RenderSettings& settings, PictureCache* pictures) {
  // Fonts and natural-size pictures follow the resolution the page is
  // really drawn at, even when the metrics were measured before a change.
  RenderSettings pass = settings;
  pass.metrics.printerDpiX = fixed::fromWhole(printer.logicalDpiX());
  pass.metrics.printerDpiY = fixed::fromWhole(printer.logicalDpiY());
  // The printer page held in memory until it is known to draw completely.
  RecordingCanvas page(/*printer=*/true);
  Renderer renderer(pictures);
  auto drawn =
      renderer.DrawLayout(page, document, pass, pass.metrics.printerDpiX, pass.metrics.printerDpiY);
  if (!drawn) return drawn;
  return printPage(printer, page);
}

}  // namespace kelvane
