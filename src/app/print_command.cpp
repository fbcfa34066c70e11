#include "app/print_command.h"

#include "app/receipt_main_form.h"
#include "layout/preview_geometry.h"
#include "layout/receipt_printing.h"

#include <QPrinter>
#include <QSlider>

namespace kelvane {

bool PrintReceipt(ReceiptMainForm& form) {
  QPrinter& printer = form.printer();
  if (!form.metrics.hasPrinter) {
    const QString pdf = form.dialogs.printPdf(&form);
    if (pdf.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
  }
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

}  // namespace kelvane
