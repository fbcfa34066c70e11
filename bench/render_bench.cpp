// How long one preview pass of a fully used layout takes, against the floor
// of the same drawing calls replayed without the renderer, and the printer
// pass at 600 dpi.
//
// The layout (full_layout.h): all 100 line and shape slots, 100 free texts,
// the 39 items placed, and 8 images of 1200 x 800 pixels.

#include "drawing_bench_main.h"
#include "full_layout.h"
#include "layout/layout_slots.h"
#include "render/painter_canvas.h"
#include "render/picture_loader.h"
#include "render/recording_canvas.h"
#include "render/renderer.h"
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
  return kelvane::RunDrawingBenchmarks(argc, argv, kelvane::printTargets);
}
