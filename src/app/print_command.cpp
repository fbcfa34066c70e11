#include "app/print_command.h"

#include "app/receipt_draft.h"
#include "app/receipt_input.h"
#include "app/receipt_main_form.h"
#include "app/register_commands.h"
#include "layout/pdf_output.h"
#include "layout/preview_geometry.h"
#include "layout/receipt_archive.h"
#include "layout/receipt_printing.h"
#include "app/pages/environment_page.h"
#include "app/receipt_on_form.h"

#include <QCheckBox>
#include <QPrinter>
#include <QSlider>

namespace kelvane {

namespace {

// The copy of the receipt handed out, kept beside the register. A copy that
// cannot be written never stops printing; it is said once a run.
void keepCopy(ReceiptMainForm& form, const QPrinter& printer, const RecordingCanvas& page) {
  static bool failureSaid = false;
  if (!form.environmentPage->archiveBox->isChecked()) return;
  const Receipt receipt = ReceiptOnForm(form);
  const auto kept =
      ArchiveReceiptPage(RegisterFilePath(form), receipt.number,
                         receipt.date.value_or(QDate::currentDate()), page, printer);
  if (kept || failureSaid) return;
  failureSaid = true;
  form.reportError(QStringLiteral("領収書のPDF控えを残せませんでした（印刷はできています）。\r\n") +
                   kept.error());
}

bool printOn(ReceiptMainForm& form, QPrinter& printer) {
  RenderSettings settings = form.previewSettings();
  // Font sizes and line widths follow the preview's resolution on paper too.
  settings.previewResolution =
      ComputePreviewGeometry(form.metrics, form.preview->TrackBar1->value(), settings.previewMode,
                             form.receiptWidth(), form.receiptHeight())
          .resolutionX;
  settings.showOnlyPrinted = false;
  // The page is drawn once: what prints is what the copy keeps.
  auto page = DrawPrinterPage(printer, form.document(), settings);
  Expected<void> printed = page ? PrintPages(printer, {*page}) : Expected<void>(Failure{page.error()});
  if (!printed) form.reportError(printed.error());
  if (printed) keepCopy(form, printer, *page);
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
