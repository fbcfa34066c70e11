#pragma once
// Draws the whole layout document on one canvas: the screen preview or the
// printer page. Millimetres become device pixels with one scale per axis
// plus the style's overall offset.

#include "layout/layout_document.h"
#include "layout/printer_metrics.h"
#include "render/canvas.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kelvane {

class PictureCache;

// What one drawing pass reads besides the document; the main window fills
// it from its controls, the command-line renderer from the file's header.
struct RenderSettings {
  qint64 offsetX = 10 * 10000;  // overall offset, millimetres, fixed point
  qint64 offsetY = 10 * 10000;
  int previewMode = 0;           // 0: the preview shows the overall offset; 1: it does not
  bool showOnlyPrinted = false;  // leave preview-only elements out of the preview too
  // Trunc(screen dpi X x zoom) of the latest preview: font sizes and line
  // widths follow it on every canvas, the printer's included.
  int previewResolution = 67;
  QByteArray lineWeightOffset = "1";  // whole number, as the style holds it
  QByteArray eraLabel;                // cp932 era name of the receipt date
  int zoomPercent = 70;
  // Full path of the current issue-list file: its folder is where an image
  // whose file has moved is looked for.
  QString registerPath;
  PrinterMetrics metrics;
};

class Renderer {
 public:
  // `pictures` (optional) keeps decoded image files between passes.
  explicit Renderer(PictureCache* pictures = nullptr) : pictures_(pictures) {}

  // Draws every line of `document` in order. `resolutionX/Y` are dots per
  // inch, fixed point. On a malformed number or an unreadable picture the
  // pass stops at that element, the elements before it stay drawn, and the
  // failure names the line and the bad text. Text that is not cp932 does
  // not stop the pass: it is drawn and told in warnings().
  [[nodiscard]] Expected<void> DrawLayout(Canvas& canvas, const LayoutDocument& document,
                                          const RenderSettings& settings, qint64 resolutionX,
                                          qint64 resolutionY);

  // The document line (from 0) whose own text stopped the last pass: the
  // window offers to clear it. -1 when the pass drew every line, or when it
  // stopped at the style's line weight offset, which no line clears.
  [[nodiscard]] qsizetype failedLine() const { return failedLine_; }

  // What the last pass drew all the same but the user should know, one
  // message per line naming it: text with bytes that are not cp932, drawn
  // with the replacement character.
  [[nodiscard]] const QStringList& warnings() const { return warnings_; }

 private:
  PictureCache* pictures_;
  qsizetype failedLine_ = -1;
  QStringList warnings_;
};

// Pixels per millimetre at `dpi` (both fixed point): dpi / 25.4 rounded
// half to even to four decimals.
[[nodiscard]] qint64 PixelsPerMillimetre(qint64 dpi);

}  // namespace kelvane
