// kelvane-issue: issues the receipts of a CSV file at once - one PDF, one
// print job and/or the register - with the settings, register and layout
// of a program folder. Nothing is issued from a file with a bad row.

#include "batch/batch_issue.h"
#include "printing/printer_paper.h"
#include "printing/printer_query.h"
#include "receipt/receipt_csv.h"
#include "render/font_substitutions.h"
#include "tools/issue_folder.h"
#include "tools/issue_options.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinter>

#include <cstdio>
#include <memory>

#include <unistd.h>

namespace kelvane {
namespace {

void say(std::FILE* to, const QString& text) {
  std::fprintf(to, "%s\n", text.toUtf8().constData());
}

int fail(const QString& message) {
  say(stderr, QStringLiteral("kelvane-issue: ") + message);
  return 1;
}

void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) fail(message);
}

// The printer of --print: the current one (PRINTER, else the CUPS default).
Expected<std::unique_ptr<QPrinter>> currentPrinter() {
  auto printer = MakeProgramPrinter();
  const QByteArray named = qgetenv("PRINTER");
  if (!named.isEmpty()) printer->setPrinterName(QString::fromLocal8Bit(named));
  if (printer->outputFormat() == QPrinter::PdfFormat || !printer->isValid())
    return Failure{
        QStringLiteral("印刷できるプリンターがありません。--pdf で PDF に書き出せます。")};
  return printer;
}

// A bar on the terminal while more than ten receipts are drawn and sent.
class ProgressBar {
 public:
  explicit ProgressBar(bool shown) : shown_(shown) {}
  ~ProgressBar() { finish(); }
  bool operator()(BatchStage stage, int done, int total) {
    if (!shown_ || total <= 10) return true;
    static const char* names[] = {"作成", "PDF", "登録", "印刷"};
    const int width = 30;
    const int filled = total > 0 ? done * width / total : width;
    std::fprintf(stderr, "\r%s [%s%s] %d/%d", names[int(stage)],
                 QByteArray(filled, '#').constData(), QByteArray(width - filled, ' ').constData(),
                 done, total);
    std::fflush(stderr);
    drawn_ = true;
    return true;
  }
  void finish() {
    if (drawn_) std::fputc('\n', stderr);
    drawn_ = false;
  }

 private:
  bool shown_;
  bool drawn_ = false;
};

void listIssued(const ReceiptBatch& batch) {
  qint64 total = 0;
  for (const BatchReceipt& b : batch.receipts) {
    const Receipt& r = b.receipt;
    QString to = r.addressee1;
    if (!r.addressee2.isEmpty()) to += u' ' + r.addressee2;
    say(stdout, QStringLiteral("%1\t%2\t%3円").arg(r.number, to, AmountFieldText(r.amount, true)));
    total += r.amount;
  }
  say(stdout, QStringLiteral("合計\t%1 件\t%2円")
                  .arg(batch.receipts.size())
                  .arg(AmountFieldText(total, true)));
}

int run(const IssueOptions& o) {
  auto folder = ReadIssueFolder(o.folder, o.style);
  if (!folder) return fail(folder.error());
  auto csv = readReceiptCsvFile(o.input);
  if (!csv) return fail(csv.error());

  std::unique_ptr<QPrinter> printer;
  if (o.print) {
    auto current = currentPrinter();
    if (!current) return fail(current.error());
    printer = std::move(*current);
  }
  std::unique_ptr<QPrinter> pdfPage;
  if (!printer) pdfPage = MakeStandInPdfPrinter();
  QPrinter& pageDevice = printer ? *printer : *pdfPage;
  ApplyStylePaper(pageDevice, folder->paperSizeCode, folder->landscapeFlag);
  // The job and the PDF are titled after the list they come from.
  pageDevice.setDocName(QStringLiteral("領収書 ") + QFileInfo(o.input).completeBaseName());

  BatchSetup setup;
  setup.layout = folder->layout;
  setup.render = IssueRenderSettings(*folder, pageDevice);
  setup.pageDevice = &pageDevice;
  setup.text = folder->text;
  setup.numbering = folder->numbering;
  setup.tax = folder->tax;
  setup.registerPath = folder->registerPath;
  setup.tempCopyPath = QDir(folder->folder).filePath(QStringLiteral("tempfile.dat"));
  setup.registerMustExist = folder->registerNamed;
  setup.today = QDate::currentDate();
  setup.keepCopies = folder->conf.archive.value_or(true);
  BatchOutputs outputs;
  outputs.pdfPath = o.pdf.isEmpty() ? QString() : QFileInfo(o.pdf).absoluteFilePath();
  outputs.printer = printer.get();
  outputs.record = o.record;

  ProgressBar bar(::isatty(STDERR_FILENO) == 1);
  auto result = IssueReceiptBatch(*csv, setup, outputs, std::ref(bar));
  bar.finish();
  if (!result) return fail(result.error() + QStringLiteral("\n何も発行していません。"));
  const ReceiptBatch& batch = result->batch;
  if (!batch.ok()) {
    for (const ReceiptCsvError& e : batch.errors) say(stderr, formatReceiptCsvError(o.input, e));
    return fail(QStringLiteral("誤りのある行があるため、何も発行していません。"));
  }
  if (batch.receipts.isEmpty()) return fail(QStringLiteral("発行する領収書がありません。"));
  int status = 0;
  if (result->recorded && batch.lastNumber) {
    if (auto saved = SaveIssueNumbering(*folder, *batch.lastNumber); !saved)
      status = fail(saved.error());
  }
  listIssued(batch);
  if (result->outputFailure) status = fail(*result->outputFailure);
  if (result->copyFailure)
    fail(QStringLiteral("領収書のPDF控えを残せませんでした: ") + *result->copyFailure);
  return status;
}

}  // namespace
}  // namespace kelvane

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(kelvane::quietQtMessages);
  // The arguments are read before Qt sees them: Qt would take "--style FILE"
  // for its own widget style option and drop it.
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  auto options = kelvane::ParseIssueOptions(arguments, QDir::homePath());
  if (!options) return kelvane::fail(options.error());
  int qtArgc = 1;  // the program name only
  QGuiApplication app(qtArgc, argv);
  kelvane::InstallFontSubstitutions();
  return kelvane::run(*options);
}
