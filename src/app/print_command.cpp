#include "app/print_command.h"

#include "app/receipt_draft.h"
#include "app/receipt_input.h"
#include "app/receipt_main_form.h"
#include "app/register_commands.h"
#include "layout/preview_geometry.h"
#include "layout/receipt_printing.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <unistd.h>
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

// Empty when the PDF at `path` is whole and on the disk, or the reason.
QString incompletePdf(const QString& path) {
  QFile pdf(path);
  if (!pdf.open(QIODevice::ReadOnly)) return pdf.errorString();
  if (::fsync(pdf.handle()) != 0 && errno != EINVAL && errno != ENOTSUP)
    return QString::fromLocal8Bit(std::strerror(errno));
  pdf.seek(std::max<qint64>(0, pdf.size() - 64));
  if (!pdf.readAll().trimmed().endsWith("%%EOF"))
    return QStringLiteral(
        "最後まで書き込めませんでした"
        "（ディスクの空きが足りない可能性があります）。");
  return {};
}

// The PDF is written beside its final name and put in place only when it is
// whole, so that an earlier file of that name survives a failed print.
bool writePdf(ReceiptMainForm& form) {
  const QString pdf = form.dialogs.printPdf(&form);
  if (pdf.isEmpty()) return false;
  const QString shown = QDir::toNativeSeparators(pdf);
  QTemporaryFile part(QFileInfo(pdf).absolutePath() + QStringLiteral("/.kelvane-XXXXXX.pdf"));
  if (!part.open()) {
    form.reportError(QStringLiteral("PDF ファイル「%1」を書き込めません: %2").arg(shown, part.errorString()));
    return false;
  }
  part.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
  part.close();
  const QPrinter& device = form.printer();
  QPrinter file(QPrinter::HighResolution);
  file.setOutputFormat(QPrinter::PdfFormat);
  file.setResolution(device.resolution());
  file.setPageLayout(device.pageLayout());
  file.setDocName(device.docName());
  file.setOutputFileName(part.fileName());
  if (!printOn(form, file)) return false;
  // The PDF engine says nothing when the disk fills up under it; a file
  // that does not end with its trailer, or cannot be synced, is not whole.
  if (const QString why = incompletePdf(part.fileName()); !why.isEmpty()) {
    form.reportError(QStringLiteral("PDF ファイル「%1」を書き込めません: %2").arg(shown, why));
    return false;
  }
  if (std::rename(QFile::encodeName(part.fileName()).constData(),
                  QFile::encodeName(pdf).constData()) != 0) {
    form.reportError(QStringLiteral("PDF ファイル「%1」を書き込めません: %2")
                         .arg(shown, QString::fromLocal8Bit(std::strerror(errno))));
    return false;
  }
  part.setAutoRemove(false);
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
