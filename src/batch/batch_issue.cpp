#include "batch/batch_issue.h"

#include "layout/item_text.h"
#include "printing/pdf_output.h"
#include "printing/receipt_archive.h"
#include "printing/receipt_printing.h"
#include "receipt/era.h"
#include "receipt/register_file.h"
#include "receipt/register_record.h"
#include "render/picture_loader.h"
#include "text/layout_text.h"
#include "text/line_file.h"

#include <QFileInfo>
#include <QPrinter>

#include <memory>
#include <vector>

namespace kelvane {

namespace {

// The register as it stands, read under its lock when the batch records.
struct RegisterState {
  std::unique_ptr<HeldRegister> held;
  QByteArray bytes;
};

Expected<RegisterState> readRegister(const BatchSetup& setup, bool record) {
  RegisterState state;
  if (record) {
    auto held = HeldRegister::Hold(setup.registerPath, setup.registerMustExist);
    if (!held) return Failure{held.error()};
    state.held = std::move(*held);
    state.bytes = state.held->content().value_or(QByteArray());
    return state;
  }
  if (!QFileInfo::exists(setup.registerPath)) return state;
  auto bytes = readWholeFile(setup.registerPath);
  if (!bytes) return Failure{bytes.error()};
  state.bytes = *bytes;
  return state;
}

Expected<std::vector<RecordingCanvas>> drawPages(const ReceiptBatch& batch, const BatchSetup& setup,
                                                 const BatchProgress& progress, bool& cancelled) {
  std::vector<RecordingCanvas> pages;
  pages.reserve(std::size_t(batch.receipts.size()));
  LayoutDocument document = setup.layout;
  RenderSettings render = setup.render;
  PictureCache pictures;
  const int total = int(batch.receipts.size());
  for (const BatchReceipt& b : batch.receipts) {
    const ReceiptItems items = ReceiptItemTexts(b.receipt, setup.text);
    for (const auto& [line, text] : items.lines) SetItemTextQuiet(document, line, text);
    render.eraLabel = ToLayoutText(EraOf(*b.receipt.date).name);
    auto page = DrawPrinterPage(*setup.pageDevice, document, render, &pictures);
    if (!page) {
      return Failure{QStringLiteral("%1 行目の領収書（番号 %2）を描けません: %3")
                         .arg(b.row)
                         .arg(b.receipt.number, page.error())};
    }
    pages.push_back(std::move(*page));
    if (progress && !progress(BatchStage::Drawing, int(pages.size()), total)) {
      cancelled = true;
      return pages;
    }
  }
  return pages;
}

Expected<std::unique_ptr<PdfOutput>> writePdf(const QString& path, const QPrinter& like,
                                              const std::vector<RecordingCanvas>& pages,
                                              const BatchProgress& progress, bool& cancelled) {
  auto out = PdfOutput::Begin(path, like);
  if (!out) return out;
  const int total = int(pages.size());
  auto printed = PrintPages((*out)->printer(), pages, [&](int sent) {
    cancelled = progress && !progress(BatchStage::WritingPdf, sent, total);
    return !cancelled;
  });
  if (cancelled) return out;
  if (!printed) return Failure{printed.error()};
  return out;
}

// The copy of each receipt handed out, and a 発行 entry in the register's
// history with its SHA-256. The first copy that cannot be kept stops the
// copies, never the batch: the receipts after it are noted without one.
void keepCopies(BatchResult& result, const BatchSetup& setup,
                const std::vector<RecordingCanvas>& pages, const QList<QByteArray>& lines) {
  QPrinter writer(QPrinter::HighResolution);  // one for every copy
  QList<HistoryEntry> entries;
  for (qsizetype i = 0; i < result.batch.receipts.size(); ++i) {
    if (result.copyFailure) {
      entries.append(HandedOutWithoutCopy(lines[i], *result.copyFailure));
      continue;
    }
    const Receipt& r = result.batch.receipts[i].receipt;
    auto kept = ArchiveReceiptPage(setup.registerPath, r.number, *r.date, pages[std::size_t(i)],
                                   *setup.pageDevice, &writer);
    if (!kept) result.copyFailure = kept.error();
    entries.append(HandedOutEntryOf(setup.registerPath, lines[i], kept));
  }
  if (auto noted = NoteInHistory(setup.registerPath, entries); !noted)
    result.copyFailure = result.copyFailure.value_or(QString()) + noted.error();
}

}  // namespace

Expected<QList<QByteArray>> BatchRegisterLines(const ReceiptBatch& batch) {
  QList<QByteArray> lines;
  lines.reserve(batch.receipts.size());
  for (const BatchReceipt& b : batch.receipts) {
    auto record = RegisterRecordOf(b.receipt);
    if (!record) return Failure{record.error()};
    lines.append(FormatRegisterLine(*record));
  }
  return lines;
}

Expected<BatchResult> IssueReceiptBatch(const ReceiptCsv& csv, const BatchSetup& setup,
                                        const BatchOutputs& outputs,
                                        const BatchProgress& progress) {
  BatchResult result;
  auto state = readRegister(setup, outputs.record);  // held until the lines are in
  if (!state) return Failure{state.error()};
  const RegisterNumbers recorded =
      RegisterNumbersIn(state->bytes, RegisterText(setup.numbering.header));
  result.batch =
      PlanReceiptBatch(csv, setup.text, setup.numbering, recorded, setup.today, setup.tax);
  if (!result.batch.ok() || result.batch.receipts.isEmpty()) return result;
  auto lines = BatchRegisterLines(result.batch);
  if (!lines) return Failure{lines.error()};

  const bool drawsPages = !outputs.pdfPath.isEmpty() || outputs.printer;
  std::vector<RecordingCanvas> pages;
  if (drawsPages) {
    auto drawn = drawPages(result.batch, setup, progress, result.cancelled);
    if (!drawn) return Failure{drawn.error()};
    if (result.cancelled) return result;
    pages = std::move(*drawn);
  }
  std::unique_ptr<PdfOutput> pdf;
  if (!outputs.pdfPath.isEmpty()) {
    auto written = writePdf(outputs.pdfPath, *setup.pageDevice, pages, progress, result.cancelled);
    if (!written) return Failure{written.error()};
    if (result.cancelled) return result;
    pdf = std::move(*written);
  }
  if (outputs.record) {
    if (progress && !progress(BatchStage::Recording, 0, 1)) {
      result.cancelled = true;
      return result;
    }
    if (auto appended = state->held->append(setup.tempCopyPath, *lines); !appended)
      return Failure{appended.error() +
                     QStringLiteral("\r\n領収書発行リストは前の内容のままです。")};
    result.recorded = true;
  }
  (*state).held.reset();  // another copy may record again while the pages print
  if (pdf) {
    if (auto finished = pdf->finish(); !finished) {
      if (!result.recorded) return Failure{finished.error()};
      result.outputFailure = finished.error();
    } else {
      result.pdfWritten = true;
    }
  }
  if (setup.keepCopies && drawsPages) keepCopies(result, setup, pages, *lines);
  if (outputs.printer) {
    const int total = int(pages.size());
    auto printed = PrintPages(*outputs.printer, pages, [&](int sent) {
      if (progress) progress(BatchStage::Printing, sent, total);
      return true;  // the receipts are recorded: the job goes out whole
    });
    if (printed)
      result.printed = true;
    else
      result.outputFailure = printed.error();
  }
  return result;
}

}  // namespace kelvane
