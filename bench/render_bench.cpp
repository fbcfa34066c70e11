// How long one preview pass of a fully used layout takes, against the floor
// of the same drawing calls replayed without the renderer, and the printer
// pass at 600 dpi.
//
// The layout: all 100 line and shape slots, 100 free texts, the 39 items
// placed, and 8 images of 1200 x 800 pixels (four JPEG, four BMP).

#include "layout/font_substitutions.h"
#include "layout/layout_slots.h"
#include "layout/painter_canvas.h"
#include "layout/picture_loader.h"
#include "layout/recording_canvas.h"
#include "layout/renderer.h"
#include "text/cp932.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace kelvane {
namespace {

QByteArray sj(const QString& text) { return cp932::encode(text).value(); }

QImage photo(int seed) {
  QImage image(1200, 800, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      line[x] = qRgb((x + seed * 40) & 0xFF, (y * 3 + seed) & 0xFF, ((x ^ y) + seed) & 0xFF);
    }
  }
  return image;
}

struct Fixture {
  QTemporaryDir dir;
  LayoutDocument doc;

  Fixture() {
    for (int slot = 1; slot <= 8; ++slot) {
      const bool jpeg = slot % 2 == 1;
      const QString path =
          dir.filePath(QStringLiteral("picture%1.%2").arg(slot).arg(jpeg ? "jpg" : "bmp"));
      photo(slot).save(path, jpeg ? "JPG" : "BMP");
      const int x = 10 + ((slot - 1) % 4) * 45;
      const int y = 10 + ((slot - 1) / 4) * 130;
      doc.setLine(slotmap::imageLine(slot),
                  sj(QStringLiteral("image,0,%1,%2,%3,40,0,,0,0").arg(x).arg(y).arg(path)));
    }
    static const char* const kPatterns[] = {"実線", "破線", "点線", "一点鎖線", "二点鎖線"};
    static const char* const kFills[] = {"塗り潰し", "水平", "垂直", "クロス", "ハッチ"};
    for (int slot = 1; slot <= slotmap::kShapeSlots; ++slot) {
      const int x = 5 + (slot % 10) * 19, y = 5 + (slot / 10) * 27;
      QString record;
      if (slot % 3 == 0) {
        record = QStringLiteral("fillrect,0,%1,%2,%3,%4,1,%5,%6,")
                     .arg(x)
                     .arg(y)
                     .arg(x + 15)
                     .arg(y + 10)
                     .arg(QString::fromUtf8(kFills[slot % 5]))
                     .arg(0xE0E0E0 - slot * 256);
      } else if (slot % 3 == 1) {
        record = QStringLiteral("rect,0,%1,%2,%3,%4,%5,%6,0,")
                     .arg(x)
                     .arg(y)
                     .arg(x + 17.5)
                     .arg(y + 20.25)
                     .arg(1 + slot % 4)
                     .arg(QString::fromUtf8(kPatterns[slot % 5]));
      } else {
        record = QStringLiteral("line,0,%1,%2,%3,%4,%5,%6,255,")
                     .arg(x)
                     .arg(y)
                     .arg(x + 18)
                     .arg(y + 25)
                     .arg(1 + slot % 3)
                     .arg(QString::fromUtf8(kPatterns[(slot + 1) % 5]));
      }
      doc.setLine(slotmap::shapeLine(slot), sj(record));
    }
    for (int slot = 1; slot <= slotmap::kTextSlots; ++slot) {
      const int x = 6 + (slot % 5) * 40, y = 8 + (slot / 5) * 13;
      const int vertical = slot % 10 == 0 ? 1 : 0;
      const QString spacing = slot % 7 == 0 ? QStringLiteral("4.5") : QStringLiteral("0");
      doc.setLine(slotmap::textLine(slot),
                  sj(QStringLiteral("char,0,%1,%2,ＭＳ 明朝,%3,%4,%5,%6,0,合計金額（税込）%7")
                         .arg(x)
                         .arg(y)
                         .arg(8 + slot % 12)
                         .arg(slot % 4 == 0 ? QStringLiteral("太字") : QString())
                         .arg(spacing)
                         .arg(vertical)
                         .arg(slot)));
    }
    for (int tag = slotmap::kFirstItemTag; tag <= slotmap::kLastItemTag; ++tag) {
      const int x = 10 + (tag % 3) * 60, y = 200 + (tag - slotmap::kFirstItemTag) * 2;
      doc.setLine(slotmap::itemLine(tag),
                  sj(QStringLiteral("char,0,%1,%2,ＭＳ ゴシック,11,,0,0,0,株式会社ねむりか 12,000")
                         .arg(x)
                         .arg(y)));
    }
  }
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

RenderSettings previewSettings() {
  RenderSettings s;
  s.previewMode = 1;
  s.zoomPercent = 100;
  s.previewResolution = 96;
  s.metrics.printerDpiX = s.metrics.printerDpiY = 600 * 10000LL;
  s.metrics.screenDpiX = s.metrics.screenDpiY = 96 * 10000LL;
  return s;
}

// The preview page of A4 at 96 dpi, zoom 100.
QImage previewPage() {
  QImage page(794, 1123, QImage::Format_RGB32);
  page.fill(Qt::white);
  return page;
}

constexpr qint64 k96 = 96 * 10000LL;
constexpr qint64 k600 = 600 * 10000LL;

void drawPreview(PictureCache& cache, QImage& page) {
  QPainter painter(&page);
  PainterCanvas canvas(painter, false);
  Renderer renderer(&cache);
  auto done = renderer.DrawLayout(canvas, fixture().doc, previewSettings(), k96, k96);
  if (!done) std::fprintf(stderr, "%s\n", done.error().toUtf8().constData());
}

void replay(const RecordingCanvas& recorded, QImage& page) {
  QPainter painter(&page);
  PainterCanvas canvas(painter, false);
  (void)recorded.replay(canvas);
}

RecordingCanvas recordPreview(PictureCache& cache) {
  RecordingCanvas recording(false);
  Renderer renderer(&cache);
  (void)renderer.DrawLayout(recording, fixture().doc, previewSettings(), k96, k96);
  return recording;
}

void BM_PreviewPass(benchmark::State& state) {
  PictureCache cache;
  QImage page = previewPage();
  drawPreview(cache, page);  // the first pass reads the pictures
  for (auto _ : state) drawPreview(cache, page);
}
BENCHMARK(BM_PreviewPass)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

void BM_PrinterPass(benchmark::State& state) {
  PictureCache cache;
  for (auto _ : state) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    PainterCanvas canvas(painter, true);
    Renderer renderer(&cache);
    (void)renderer.DrawLayout(canvas, fixture().doc, previewSettings(), k600, k600);
    painter.end();
    benchmark::DoNotOptimize(buffer.size());
  }
}
BENCHMARK(BM_PrinterPass)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

void BM_ReplayFloor(benchmark::State& state) {
  PictureCache cache;
  const RecordingCanvas recorded = recordPreview(cache);
  QImage page = previewPage();
  for (auto _ : state) replay(recorded, page);
}
BENCHMARK(BM_ReplayFloor)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

template <class F>
double medianMs(F&& draw, int runs) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    QElapsedTimer timer;
    timer.start();
    draw();
    times.push_back(timer.nsecsElapsed() / 1e6);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// The two figures the preview is held to: one frame, and at most half as
// much again as the bare drawing calls.
void printTargets() {
  PictureCache cache;
  QImage page = previewPage();
  drawPreview(cache, page);
  const RecordingCanvas recorded = recordPreview(cache);
  const double preview = medianMs([&] { drawPreview(cache, page); }, 41);
  const double floor = medianMs([&] { replay(recorded, page); }, 41);
  std::printf("drawing calls per pass: %zu (%zu pictures, %zu texts, %zu lines)\n",
              recorded.calls().size(), recorded.callsOf<BitmapCall>().size(),
              recorded.callsOf<TextCall>().size(), recorded.callsOf<LineCall>().size());
  std::printf("preview pass median: %.2f ms (target <= 16 ms)\n", preview);
  std::printf("replay floor median: %.2f ms\n", floor);
  std::printf("preview / replay: %.2f (target <= 1.5)\n", preview / floor);
}

}  // namespace
}  // namespace kelvane

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  kelvane::InstallFontSubstitutions();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  kelvane::printTargets();
  return 0;
}
