#include "tools/render_job.h"

#include "layout/field_cursor.h"
#include "layout/header_lines.h"
#include "layout/layout_slots.h"
#include "render/painter_canvas.h"
#include "render/picture_loader.h"
#include "render/recording_canvas.h"
#include "text/fixed_point.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

namespace kelvane {

namespace {

constexpr int kA4WidthMm = 210;
constexpr int kA4HeightMm = 297;
constexpr int kMaxPicturePixels = 20000;
constexpr int kMaxHeaderMillimetres = 10000;

// The header measures, by the names the style window gives them.
struct HeaderMeasure {
  const char16_t* name;
  int line;
  int field;
};
constexpr HeaderMeasure kHeaderMeasures[] = {
    {u"全体位置調整X(mm)", slotmap::kPrintSettingsLine, 0},
    {u"全体位置調整Y(mm)", slotmap::kPrintSettingsLine, 1},
    {u"領収書のサイズX(mm)", slotmap::kReceiptSizeLine, 0},
    {u"領収書のサイズY(mm)", slotmap::kReceiptSizeLine, 1},
};

qint64 dotsFor(int millimetres, int dpi) {
  return fixed::divRoundHalfEven(static_cast<__int128>(millimetres) * dpi * 10, 254);
}

Failure cannotWrite(const QString& path, const QString& reason) {
  return Failure{
      QStringLiteral("「%1」に書き込めません: %2").arg(QDir::toNativeSeparators(path), reason)};
}

// A whole number beyond the limit, also one too long for 32 bits: the header
// reads that as 0, yet it is far out of range all the same.
bool wholeBeyond(QByteArrayView text, int limit) {
  qsizetype i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const QByteArrayView digits = text.sliced(i);
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), isDigit)) return false;
  const std::optional<int> value = fixed::parseWhole(text);
  return !value || *value < -limit || *value > limit;
}

Expected<void> checkHeaderMeasures(const LayoutDocument& document) {
  for (const HeaderMeasure& m : kHeaderMeasures) {
    FieldCursor cursor(document.line(m.line));
    cursor.Skip(m.field);
    const QByteArrayView text = cursor.TakeField();
    if (!wholeBeyond(text, kMaxHeaderMillimetres)) continue;
    return Failure{
        QStringLiteral("レイアウトの「%1」の値「%2」は -%3 から %3 mm の範囲にしてください。")
            .arg(QString::fromUtf16(m.name), QString::fromLatin1(text))
            .arg(kMaxHeaderMillimetres)};
  }
  return {};
}

// Calls that put ink on the page; pen, brush and font calls only prepare.
bool marksPage(const CanvasCall& call) {
  if (const auto* bitmap = std::get_if<BitmapCall>(&call)) {
    return !bitmap->target.isEmpty() && !bitmap->image.isNull();
  }
  return std::holds_alternative<LineCall>(call) || std::holds_alternative<FrameCall>(call) ||
         std::holds_alternative<FillCall>(call) || std::holds_alternative<TextCall>(call) ||
         std::holds_alternative<VerticalTextCall>(call) ||
         std::holds_alternative<FittedTextCall>(call);
}

// A dry pass of the same drawing: a layout that draws nothing on this pass
// (empty, or preview-only elements on the printer page) gives no blank page.
Expected<void> refuseBlankPage(const RenderFrame& frame, const LayoutDocument& document,
                               PictureCache& pictures) {
  RecordingCanvas dry(frame.printer);
  Renderer renderer(&pictures);
  auto drawn =
      renderer.DrawLayout(dry, document, frame.settings, frame.resolution, frame.resolution);
  if (!drawn) return drawn;
  if (std::any_of(dry.calls().begin(), dry.calls().end(), marksPage)) return {};
  return Failure{
      frame.printer
          ? QStringLiteral("レイアウトに印刷するものが何もないため、白紙のページは書きません。")
          : QStringLiteral("レイアウトに描くものが何もないため、白紙のプレビューは書きません。")};
}

Expected<void> drawInto(QPainter& painter, const RenderFrame& frame, const LayoutDocument& document,
                        PictureCache& pictures) {
  painter.fillRect(QRect(QPoint(0, 0), frame.pixels), Qt::white);
  if (frame.previewFrame) {
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(QRect(0, 0, frame.pixels.width() - 1, frame.pixels.height() - 1));
  }
  PainterCanvas canvas(painter, frame.printer);
  Renderer renderer(&pictures);
  return renderer.DrawLayout(canvas, document, frame.settings, frame.resolution, frame.resolution);
}

Expected<void> writePng(const RenderFrame& frame, const LayoutDocument& document,
                        const QString& output, PictureCache& pictures) {
  QImage image(frame.pixels, QImage::Format_RGB32);
  const int dotsPerMetre = static_cast<int>(fixed::truncToWhole(frame.resolution) * 10000 / 254);
  image.setDotsPerMeterX(dotsPerMetre);
  image.setDotsPerMeterY(dotsPerMetre);
  {
    QPainter painter(&image);
    auto drawn = drawInto(painter, frame, document, pictures);
    if (!drawn) return drawn;
  }
  QSaveFile file(output);
  if (!file.open(QIODevice::WriteOnly)) return cannotWrite(output, file.errorString());
  if (!image.save(&file, "PNG")) {
    const QString reason = file.errorString();
    file.cancelWriting();
    return cannotWrite(output, reason);
  }
  if (!file.commit()) return cannotWrite(output, file.errorString());
  return {};
}

Expected<void> writePdf(const RenderFrame& frame, const LayoutDocument& document,
                        const QString& output, PictureCache& pictures) {
  QSaveFile file(output);
  if (!file.open(QIODevice::WriteOnly)) return cannotWrite(output, file.errorString());
  const int dpi = static_cast<int>(fixed::truncToWhole(frame.resolution));
  {
    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("ネムリカ"));
    writer.setResolution(dpi);
    const QSizeF millimetres(frame.pixels.width() * 25.4 / dpi, frame.pixels.height() * 25.4 / dpi);
    writer.setPageSize(frame.printer ? QPageSize(QPageSize::A4)
                                     : QPageSize(millimetres, QPageSize::Millimeter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer)) {
      file.cancelWriting();
      return cannotWrite(output, QStringLiteral("PDF を作れません"));
    }
    auto drawn = drawInto(painter, frame, document, pictures);
    painter.end();
    if (!drawn) {
      file.cancelWriting();
      return drawn;
    }
  }
  if (!file.commit()) return cannotWrite(output, file.errorString());
  return {};
}

}  // namespace

Expected<void> CheckInputFile(const QString& path) {
  const QFileInfo info(path);
  // A missing file is left to the reading, which names the system's reason.
  if (!info.exists() || info.isFile()) return {};
  return Failure{
      QStringLiteral(
          "「%1」は普通のファイルではないため読みません(フォルダー、パイプ、装置は読めません)。")
          .arg(QDir::toNativeSeparators(path))};
}

int ScreenPixels(qint64 millimetres, int screenDpi, int zoomPercent) {
  // mm x dpi / 25.4 x zoom / 100
  return static_cast<int>(fixed::divTrunc(
      static_cast<__int128>(millimetres) * screenDpi * zoomPercent * 10, 254 * 100));
}

Expected<RenderFrame> PlanRender(const RenderOptions& options, const LayoutDocument& document,
                                 const QString& inputPath) {
  if (auto measures = checkHeaderMeasures(document); !measures) return Failure{measures.error()};
  const StyleHeader header = ReadStyleHeader(document);
  RenderFrame frame;
  RenderSettings& s = frame.settings;
  s.offsetX = fixed::fromWhole(header.offsetX);
  s.offsetY = fixed::fromWhole(header.offsetY);
  s.lineWeightOffset = header.lineWeightOffset;
  s.previewMode = header.previewMode;
  s.zoomPercent = options.zoomPercent;
  s.previewResolution = options.screenDpi * options.zoomPercent / 100;
  s.registerPath = QFileInfo(inputPath).absoluteFilePath();

  const int printerDpi = options.print ? options.printerDpi : 600;
  PrinterDeviceValues a4;
  a4.dpiX = a4.dpiY = printerDpi;
  a4.physicalWidthDots = a4.printableWidthDots = dotsFor(kA4WidthMm, printerDpi);
  a4.physicalHeightDots = a4.printableHeightDots = dotsFor(kA4HeightMm, printerDpi);
  s.metrics = ComputePrinterMetrics(a4, options.screenDpi, options.screenDpi, false);

  if (options.print) {
    frame.printer = true;
    frame.resolution = fixed::fromWhole(printerDpi);
    frame.pixels =
        QSize(static_cast<int>(a4.physicalWidthDots), static_cast<int>(a4.physicalHeightDots));
    return frame;
  }
  frame.previewFrame = true;
  frame.resolution = fixed::fromWhole(s.previewResolution);
  const bool wholePage = header.previewMode == 1;
  const qint64 widthMm = wholePage ? kA4WidthMm : header.receiptWidth;
  const qint64 heightMm = wholePage ? kA4HeightMm : header.receiptHeight;
  frame.pixels = QSize(ScreenPixels(widthMm, options.screenDpi, options.zoomPercent),
                       ScreenPixels(heightMm, options.screenDpi, options.zoomPercent));
  if (frame.pixels.width() <= 0 || frame.pixels.height() <= 0) {
    return Failure{QStringLiteral("領収書のサイズ(%1 × %2 mm)が小さすぎてプレビューを描けません。")
                       .arg(header.receiptWidth)
                       .arg(header.receiptHeight)};
  }
  if (frame.pixels.width() > kMaxPicturePixels || frame.pixels.height() > kMaxPicturePixels) {
    return Failure{QStringLiteral("領収書のサイズ(%1 × %2 mm)が大きすぎてプレビューを描けません。")
                       .arg(header.receiptWidth)
                       .arg(header.receiptHeight)};
  }
  return frame;
}

Expected<void> WriteRender(const RenderFrame& frame, const LayoutDocument& document,
                           const QString& output, bool pdf) {
  PictureCache pictures;
  if (auto marked = refuseBlankPage(frame, document, pictures); !marked) return marked;
  return pdf ? writePdf(frame, document, output, pictures)
             : writePng(frame, document, output, pictures);
}

}  // namespace kelvane
