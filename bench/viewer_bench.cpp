// The register list on a register of 100,000 lines: reading it into the
// grid until it can be shown, and exporting it as CSV. The process's peak
// memory is printed with each (peak_MB).

#include "app/register_viewer.h"
#include "receipt/register_record.h"
#include "sample_register.h"
#include "settings/program_folder.h"
#include "text/line_file.h"
#include "widgets/str_col_grid.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <sys/resource.h>

namespace {

using namespace kelvane;

constexpr int kLines = 100000;

QApplication& application() {
  static int argc = 1;
  static char name[] = "kelvane-bench";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
}

struct Fixture {
  QTemporaryDir dir;
  QString path = dir.filePath(QStringLiteral("regidata.klv"));
  Fixture() {
    SetProgramFolder(dir.path());
    (void)writeLineFile(path, bench::SampleRegisterLines(kLines));
  }
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

double peakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_OpenHundredThousandLines(benchmark::State& state) {
  application();
  Fixture& f = fixture();
  for (auto _ : state) {
    Tfreglist list(f.path);
    list.file_read(f.path);
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(list.StrColGrid1->RowCount());
  }
  state.counters["peak_MB"] = peakMegabytes();
}

void BM_ExportHundredThousandLinesAsCsv(benchmark::State& state) {
  application();
  Fixture& f = fixture();
  Tfreglist list(f.path);
  list.file_read(f.path);
  const QString csv = f.dir.filePath(QStringLiteral("list.csv"));
  list.dialogs.chooseFile = [&](QWidget*, ViewerDialogs::Purpose, const QString&) { return csv; };
  list.dialogs.includeTitleRow = [](QWidget*) { return true; };
  for (auto _ : state) list.CSV1Click();
  state.counters["peak_MB"] = peakMegabytes();
}

BENCHMARK(BM_OpenHundredThousandLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportHundredThousandLinesAsCsv)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
