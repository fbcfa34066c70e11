// How long a month's batch takes: 1,000 receipts from a CSV file drawn into
// one PDF and recorded in a register of 100,000 lines, per receipt, against
// the printer pass alone (drawing one receipt's page, as every print does).

#include "batch/batch_issue.h"
#include "drawing_bench_main.h"
#include "layout/item_text.h"
#include "printing/printer_paper.h"
#include "printing/printer_query.h"
#include "printing/receipt_archive.h"
#include "printing/receipt_printing.h"
#include "sample_register.h"
#include "text/line_file.h"
#include "tools/issue_folder.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>

namespace kelvane {
namespace {

constexpr int kReceipts = 1000;
constexpr int kRegisterLines = 100000;

// A program folder with the delivered A4 receipt as its layout, automatic
// numbering on, and a register of 100,000 receipts.
struct BatchFixture {
  QTemporaryDir dir;
  QByteArray registerBytes;
  ReceiptCsv csv;
  IssueFolder folder;
  std::unique_ptr<QPrinter> page = MakeStandInPdfPrinter();
  BatchSetup setup;

  BatchFixture() {
    QFile::copy(QStringLiteral(KELVANE_SOURCE_DATA "/style/a4_receipt.rcd"), file("cardtemp.dat"));
    (void)writeFileAtomically(file("kelvane.conf"),
                              "[AUTO_NUMBER]=true\r\n[HEADER_CHAR]=A\r\n[HEADER_NUMBER]=6\r\n"
                              "[LAST_NUMBER]=1\r\n[KANSUJI]=true\r\n[TOP_MARK]=true\r\n");
    for (const QByteArray& line : bench::SampleRegisterLines(kRegisterLines))
      registerBytes += line + "\r\n";
    QByteArray rows = "日付,宛名1,宛名2,摘要1,領収金額,税抜金額,消費税額,消費税率\r\n";
    for (int i = 0; i < kReceipts; ++i)
      rows += "2026/12/8,会員" + QByteArray::number(i) + ",様,12月分会費,\"" +
              QByteArray::number(11000 + i) + "\",10000,1000,10\r\n";
    csv = readReceiptCsv(rows);
    folder = ReadIssueFolder(dir.path(), {}).value();
    ApplyStylePaper(*page, folder.paperSizeCode, folder.landscapeFlag);
    setup.layout = folder.layout;
    setup.render = IssueRenderSettings(folder, *page);
    setup.pageDevice = page.get();
    setup.text = folder.text;
    setup.numbering = folder.numbering;
    setup.registerPath = folder.registerPath;
    setup.tempCopyPath = file("tempfile.dat");
    setup.today = QDate(2026, 12, 8);
  }
  QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
  void freshRegister() const { (void)writeFileAtomically(setup.registerPath, registerBytes); }
};

BatchFixture& fixture() {
  static BatchFixture f;
  return f;
}

void reportPerReceipt(benchmark::State& state, double seconds, const char* what) {
  const double ms = seconds * 1000.0 / kReceipts;
  state.counters["ms_per_receipt"] = ms;
  std::fprintf(stderr, "%s: %.2f ms a receipt (%d receipts)\n", what, ms, kReceipts);
}

// Arg 1: each receipt's copy kept beside the register too, as by default.
void BM_IssueToPdfAndRegister(benchmark::State& state) {
  BatchFixture& f = fixture();
  BatchOutputs outputs;
  outputs.pdfPath = f.file("month.pdf");
  outputs.record = true;
  BatchSetup setup = f.setup;
  setup.keepCopies = state.range(0) == 1;
  for (auto _ : state) {
    f.freshRegister();
    QDir(ReceiptArchiveFolder(setup.registerPath)).removeRecursively();
    const auto start = std::chrono::steady_clock::now();
    auto result = IssueReceiptBatch(f.csv, setup, outputs);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (!result || !result->recorded || !result->pdfWritten) {
      state.SkipWithError("the batch failed");
      return;
    }
    state.SetIterationTime(took.count());
    reportPerReceipt(state, took.count(),
                     setup.keepCopies ? "1,000 receipts to one PDF, the register and copies"
                                      : "1,000 receipts to one PDF and the register");
  }
}
BENCHMARK(BM_IssueToPdfAndRegister)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The printer pass alone, as printing one receipt from the window runs it:
// each receipt's page drawn and written as a one-page PDF.
void BM_PrinterPassAlone(benchmark::State& state) {
  BatchFixture& f = fixture();
  const ReceiptBatch batch =
      PlanReceiptBatch(f.csv, f.setup.text, f.setup.numbering, {}, f.setup.today);
  QPrinter pdf(QPrinter::HighResolution);
  pdf.setOutputFormat(QPrinter::PdfFormat);
  pdf.setResolution(f.page->resolution());
  pdf.setPageLayout(f.page->pageLayout());
  pdf.setOutputFileName(f.file("one.pdf"));
  for (auto _ : state) {
    LayoutDocument document = f.setup.layout;
    const auto start = std::chrono::steady_clock::now();
    for (const BatchReceipt& b : batch.receipts) {
      for (const auto& [line, text] : ReceiptItemTexts(b.receipt, f.setup.text).lines)
        SetItemTextQuiet(document, line, text);
      if (!PrintLayout(pdf, document, f.setup.render)) {
        state.SkipWithError("a page failed");
        return;
      }
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(took.count());
    reportPerReceipt(state, took.count(), "printer pass alone (one receipt a PDF)");
  }
}
BENCHMARK(BM_PrinterPassAlone)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace kelvane

int main(int argc, char** argv) { return kelvane::RunDrawingBenchmarks(argc, argv); }
