#pragma once
// One drawing of a layout file into a PNG or PDF file, as the preview or as
// the printer pass on an A4 page.

#include "layout/layout_document.h"
#include "render/renderer.h"
#include "tools/render_options.h"

#include <QSize>

namespace kelvane {

struct RenderFrame {
  QSize pixels;           // the picture, in device pixels
  qint64 resolution = 0;  // dots per inch, fixed point, both axes
  bool printer = false;
  bool previewFrame = false;  // the preview's empty page has a 1-pixel outline
  RenderSettings settings;
};

// Refuses an input that is not a plain file (a folder, a pipe, a device)
// before anything opens it: reading a pipe would wait for a writer for ever.
[[nodiscard]] Expected<void> CheckInputFile(const QString& path);

// Works out the picture and the pass from the options and the layout's
// header lines. `inputPath` is where images that have moved are looked for.
// Offsets and receipt sizes beyond 10,000 mm either way are refused.
[[nodiscard]] Expected<RenderFrame> PlanRender(const RenderOptions& options,
                                               const LayoutDocument& document,
                                               const QString& inputPath);

// Draws and writes the output file atomically; nothing is written when the
// drawing fails, nor when this pass draws nothing at all: no blank pages.
[[nodiscard]] Expected<void> WriteRender(const RenderFrame& frame, const LayoutDocument& document,
                                         const QString& output, bool pdf);

// Millimetres on the screen at the zoom, truncated to pixels.
[[nodiscard]] int ScreenPixels(qint64 millimetres, int screenDpi, int zoomPercent);

}  // namespace kelvane
