#pragma once
// Printing the receipt: the layout drawn once on one page of the program's
// printer, as the printer pass of the renderer.

#include "layout/layout_document.h"
#include "render/recording_canvas.h"
#include "render/renderer.h"
#include "text/expected.h"

#include <functional>
#include <vector>

class QPrinter;

namespace kelvane {

class PictureCache;

// Draws `document` on one page of `printer` and ends the job, so the page
// goes to the printer (or into its PDF file). The page is drawn at the
// printer's own resolution, measured from the top-left corner of its
// printable area plus the overall offset of `settings`; `settings.metrics`
// gives the screen resolution for images at their natural size. The number
// of copies is left to the printer.
//
// The whole page is drawn and checked before the job starts: a layout that
// cannot be drawn (a malformed number, an unreadable picture) starts no job
// and returns the renderer's message, so nothing half drawn is printed.
// Text that is not cp932 prints with the replacement character. A printer that cannot start a job
// is a failure too.
[[nodiscard]] Expected<void> PrintLayout(QPrinter& printer, const LayoutDocument& document,
                                         const RenderSettings& settings,
                                         PictureCache* pictures = nullptr);

// The printer pass of `document` as `printer` would draw it, held in memory:
// a batch of receipts is drawn and checked whole before its job starts.
[[nodiscard]] Expected<RecordingCanvas> DrawPrinterPage(const QPrinter& printer,
                                                        const LayoutDocument& document,
                                                        const RenderSettings& settings,
                                                        PictureCache* pictures = nullptr);

// Told after each page is sent; false stops the job before the next page
// (the pages sent so far are abandoned as far as the printer allows).
using PageProgress = std::function<bool(int pagesSent)>;

// Every page in one job of `printer`, in order, then the job ends. A job
// that is stopped or fails leaves no PDF file behind.
[[nodiscard]] Expected<void> PrintPages(QPrinter& printer,
                                        const std::vector<RecordingCanvas>& pages,
                                        const PageProgress& progress = {});

}  // namespace kelvane
