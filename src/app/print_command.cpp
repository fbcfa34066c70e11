#include "app/print_command.h"

#include "app/pages/environment_page.h"
#include "app/receipt_draft.h"
#include "app/receipt_input.h"
#include "app/receipt_main_form.h"
#include "app/receipt_on_form.h"
#include "app/register_commands.h"
#include "printing/pdf_output.h"
#include "printing/receipt_archive.h"
#include "printing/receipt_printing.h"
#include "receipt/register_file.h"
#include "receipt/register_record.h"
#include "text/layout_text.h"

#include <QCheckBox>
#include <QPrinter>

namespace kelvane {

namespace {

// The receipt as a register line, for the history's 発行 entry.
QByteArray handedOutLine(const Receipt& receipt) {
  auto record = RegisterRecordOf(receipt);
  return record ? FormatRegisterLine(*record) : RegisterText(receipt.number) + ',';
}

// The copy of the receipt handed out, kept beside the register, and a 発行
// entry in the register's history with its SHA-256 (or why there is no
// copy). Neither ever stops printing; a failure is said once a run.
void keepCopy(ReceiptMainForm& form, const QPrinter& printer, const RecordingCanvas& page) {
  static bool failureSaid = false;
  if (!form.environmentPage->archiveBox->isChecked()) return;
  Receipt receipt = ReceiptOnForm(form);
  if (!receipt.date || !receipt.date->isValid()) receipt.date = QDate::currentDate();
  const QString registerPath = RegisterFilePath(form);
  const auto kept = ArchiveReceiptPage(registerPath, receipt.number, *receipt.date, page, printer);
  const QByteArray line = handedOutLine(receipt);
  const auto noted = NoteInHistory(registerPath, {HandedOutEntryOf(registerPath, line, kept)});
  if ((kept && noted) || failureSaid) return;
  failureSaid = true;
  QString text = QStringLiteral("領収書のPDF控えを残せませんでした（印刷はできています）。\r\n");
  if (!kept) text += kept.error();
  if (!noted) text += (kept ? QString() : QStringLiteral("\r\n")) + noted.error();
  form.reportError(text);
}

bool printOn(ReceiptMainForm& form, QPrinter& printer) {
  // The page is drawn once: what prints is what the copy keeps.
  auto page = DrawPrinterPage(printer, form.document(), form.printSettings());
  Expected<void> printed =
      page ? PrintPages(printer, {*page}) : Expected<void>(Failure{page.error()});
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
