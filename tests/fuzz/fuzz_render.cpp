// Any layout drawn as the preview, as the preview that leaves out
// preview-only elements, and as the printer page, on the recording canvas.
// The renderer reads every number of every record strictly; whatever the
// text, it ends the pass with a message or draws within the device range.

#include "fuzz_input.h"
#include "layout/header_lines.h"
#include "layout/layout_document.h"
#include "render/picture_loader.h"
#include "render/recording_canvas.h"
#include "render/renderer.h"
#include "text/cp932.h"
#include "text/fixed_point.h"

#include <QFile>
#include <QImage>

#include <cstdlib>

using namespace kelvane;

namespace {

constexpr int kDeviceLimit = 1'000'000'000;
constexpr int kLargestPixels = 16384;

bool InRange(QPoint p) {
  return std::abs(p.x()) <= kDeviceLimit && std::abs(p.y()) <= kDeviceLimit;
}

// Pictures an image record may name by file name alone: they are looked for
// beside the register, as when a shop moves its folder.
void MakePictures() {
  static const bool made = [] {
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(0x336699);
    KELVANE_FUZZ_CHECK(image.save(fuzz::PathOf("logo.bmp"), "BMP"));
    KELVANE_FUZZ_CHECK(image.save(fuzz::PathOf("logo.png"), "PNG"));
    QFile jpeg(QStringLiteral(KELVANE_FUZZ_CORPUS "/jpeg/baseline_rgb_8x8.jpg"));
    KELVANE_FUZZ_CHECK(jpeg.copy(fuzz::PathOf("seal.jpg")));
    (void)fuzz::AsFile("not a metafile", "mark.wmf");
    return true;
  }();
  (void)made;
}

void CheckCalls(const RecordingCanvas& canvas) {
  for (const auto& call : canvas.calls()) {
    if (const auto* pen = std::get_if<PenCall>(&call)) {
      KELVANE_FUZZ_CHECK(pen->width >= 1 && pen->width <= kLargestPixels);
    } else if (const auto* font = std::get_if<FontCall>(&call)) {
      KELVANE_FUZZ_CHECK(font->font.pixelHeight >= 1 && font->font.pixelHeight <= kLargestPixels);
    } else if (const auto* line = std::get_if<LineCall>(&call)) {
      KELVANE_FUZZ_CHECK(InRange(line->from) && InRange(line->to));
    } else if (const auto* frame = std::get_if<FrameCall>(&call)) {
      KELVANE_FUZZ_CHECK(InRange(frame->a) && InRange(frame->b));
    } else if (const auto* fill = std::get_if<FillCall>(&call)) {
      KELVANE_FUZZ_CHECK(InRange(fill->a) && InRange(fill->b));
    } else if (const auto* text = std::get_if<TextCall>(&call)) {
      KELVANE_FUZZ_CHECK(InRange(text->topLeft) && !text->text.isEmpty());
    } else if (const auto* text = std::get_if<VerticalTextCall>(&call)) {
      KELVANE_FUZZ_CHECK(InRange(text->box.topLeft()) && !text->text.isEmpty());
      KELVANE_FUZZ_CHECK(text->box.width() >= 1 && text->box.width() <= kLargestPixels);
      KELVANE_FUZZ_CHECK(text->box.height() >= text->box.width());
    } else if (const auto* bitmap = std::get_if<BitmapCall>(&call)) {
      KELVANE_FUZZ_CHECK(InRange(bitmap->target.topLeft()) && !bitmap->image.isNull());
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::EnsureApplication();
  MakePictures();
  LayoutDocument document;
  document.replaceAll(splitLines(fuzz::Bytes(data, size)));

  // The settings a loaded style gives the main window's controls.
  const StyleHeader header = ReadStyleHeader(document);
  RenderSettings settings;
  settings.offsetX = fixed::fromWhole(header.offsetX);
  settings.offsetY = fixed::fromWhole(header.offsetY);
  settings.previewMode = header.previewMode;
  settings.lineWeightOffset = header.lineWeightOffset;
  settings.eraLabel = cp932::fromUtf8Literal("令和");
  settings.registerPath = fuzz::PathOf("regidata.klv");
  settings.metrics.screenDpiX = settings.metrics.screenDpiY = fixed::fromWhole(96);
  settings.metrics.printerDpiX = settings.metrics.printerDpiY = fixed::fromWhole(600);

  PictureCache pictures;
  Renderer renderer(&pictures);
  for (const bool showOnlyPrinted : {false, true}) {
    settings.showOnlyPrinted = showOnlyPrinted;
    RecordingCanvas preview(false);
    (void)renderer.DrawLayout(preview, document, settings, fixed::fromWhole(67),
                              fixed::fromWhole(67));
    CheckCalls(preview);
  }
  RecordingCanvas printer(true);
  (void)renderer.DrawLayout(printer, document, settings, fixed::fromWhole(600),
                            fixed::fromWhole(600));
  CheckCalls(printer);
  return 0;
}
