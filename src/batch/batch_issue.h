#pragma once
// Issuing a batch of receipts read from a CSV file: every receipt drawn on
// the style, into one PDF and/or one print job, and recorded in the
// register, all or nothing. The window's batch dialog and the command line
// tool both run it.

#include "layout/layout_document.h"
#include "receipt/receipt_batch.h"
#include "render/renderer.h"
#include "text/expected.h"

#include <QDate>
#include <QString>

#include <functional>
#include <optional>

class QPrinter;

namespace kelvane {

struct BatchSetup {
  LayoutDocument layout;  // the style; each receipt's items are put into a copy
  RenderSettings render;  // the era label is set for each receipt
  // The printer whose paper, orientation and resolution the pages are drawn
  // for; the PDF file gets the same pages.
  const QPrinter* pageDevice = nullptr;
  ReceiptTextSettings text;
  ReceiptNumbering numbering;
  ReceiptTaxSettings tax;  // rounding, and the issuer's registration number
  QString registerPath;
  QString tempCopyPath;  // "tempfile.dat": the register as it stood
  bool registerMustExist = false;
  QDate today;
  // Each receipt's page kept as a PDF copy beside the register.
  bool keepCopies = false;
};

struct BatchOutputs {
  QString pdfPath;              // empty: no PDF
  QPrinter* printer = nullptr;  // null: no print job
  bool record = false;          // into the register
};

// What the batch is doing now, for a progress bar.
enum class BatchStage { Drawing, WritingPdf, Recording, Printing };

// Told as work goes on; false cancels the batch. Cancelling is heard until
// the register is written; after that the batch runs to its end.
using BatchProgress = std::function<bool(BatchStage stage, int done, int total)>;

struct BatchResult {
  ReceiptBatch batch;      // the receipts; refused, when it has errors, with nothing done
  bool cancelled = false;  // nothing done either
  bool recorded = false;
  bool pdfWritten = false;
  bool printed = false;
  // The PDF or the print job failed after the register was written (or,
  // for the print job, after the PDF was): what is done stays done.
  std::optional<QString> outputFailure;
  // The copies beside the register could not all be kept (the first reason).
  std::optional<QString> copyFailure;
};

// Plans the batch under the register's lock (when recording), draws every
// page, writes the PDF beside its name, appends the register lines, puts the
// PDF in place, then sends the print job. A failure before the register is
// written changes nothing and is the result's failure.
[[nodiscard]] Expected<BatchResult> IssueReceiptBatch(const ReceiptCsv& csv,
                                                      const BatchSetup& setup,
                                                      const BatchOutputs& outputs,
                                                      const BatchProgress& progress = {});

// The register lines the batch's receipts make, in order.
[[nodiscard]] Expected<QList<QByteArray>> BatchRegisterLines(const ReceiptBatch& batch);

}  // namespace kelvane
