#include "app/print_command.h"

#include "app/receipt_draft.h"
#include "app/receipt_input.h"
#include "app/receipt_main_form.h"
#include "app/register_commands.h"
#include "layout/pdf_output.h"
#include "layout/preview_geometry.h"
#include "layout/receipt_printing.h"

#include <QPrinter>
#include <QSlider>

namespace kelvane {

namespace {

bool printOn(ReceiptMainForm& form, QPrinter& printer) {
  RenderSettings settings = form.previewSettings();
  // Font sizes and line widths follow the preview's resolution on paper too.
  settings.previewResolution =
      ComputePreviewGeometry(form.metrics, form.preview->TrackBar1->value(), settings.previewMode,
                             form.receiptWidth(), form.receiptHeight())
          .resolutionX;
  settings.showOnlyPrinted = false;
  const auto printed = PrintLayout(printer, form.document(), settings);
  if (!printed) form.reportError(printed.error());
  form.RefreshPreview();
  return static_cast<bool>(printed);
}

// The PDF is written beside its final name and put in place only when it is
// whole, so that an earlier file of that name survives a failed print.
bool writePdf(ReceiptMainForm& form) {
  const QString pdf = form.dialogs.printPdf(&form);
  if (pdf.isEmpty()) return false;
  auto out = PdfOutput::Begin(pdf, form.printer());
  if (!out) {
    form.reportError(out.error());
    return false;
  }
  if (!printOn(form, (*out)->printer())) return false;
  if (auto finished = (*out)->finish(); !finished) {
    form.reportError(finished.error());
    return false;
  }
  return true;
}

}  // namespace

// A receipt printed (or written as a PDF for mailing) is issued: the user
// may record it at once.
bool PrintReceipt(ReceiptMainForm& form) {
  form.receiptInput->commitEdits();  // a field still being typed in prints as shown
  const bool printed = form.metrics.hasPrinter ? printOn(form, form.printer()) : writePdf(form);
  if (printed) NotePrinted(form);
  if (printed) OfferToRecord(form);
  return printed;
}

bool PrintReceiptToPdf(ReceiptMainForm& form) {
  form.receiptInput->commitEdits();
  const bool written = writePdf(form);
  if (written) NotePrinted(form);
  if (written) OfferToRecord(form);
  return written;
}

}  // namespace kelvane
