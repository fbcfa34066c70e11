#pragma once
// Printing the receipt: the layout drawn once on one page of the program's
// printer, as the printer pass of the renderer.

#include "layout/layout_document.h"
#include "layout/renderer.h"
#include "text/expected.h"

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
// Text that is not cp932 prints with the replacement character. A printer that cannot start a job is a failure too.
[[nodiscard]] Expected<void> PrintLayout(QPrinter& printer, const LayoutDocument& document,
                                         const RenderSettings& settings,
                                         PictureCache* pictures = nullptr);

}  // namespace kelvane
