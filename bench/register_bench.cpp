// Recording a receipt in a register of 100,000 lines, a new number and one
// that is already there, against the floor of reading the file once and
// writing it once. Each recording benchmark prints times_floor: its time
// over the floor's.

#include "receipt/register_file.h"
#include "receipt/register_record.h"
#include "sample_register.h"
#include "text/line_file.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

using namespace kelvane;
using Clock = std::chrono::steady_clock;

constexpr int kLines = 100000;

struct Register {
  QTemporaryDir dir;
  QString path = dir.filePath(QStringLiteral("regidata.klv"));
  QString temp = dir.filePath(QStringLiteral("tempfile.dat"));
  QByteArray content;

  Register() {
    content = joinLines(bench::SampleRegisterLines(kLines));
    reset();
  }
  void reset() const { (void)writeFileAtomically(path, content); }
};

Register& shared() {
  static Register r;
  return r;
}

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Reading the register once and writing it once: what any change costs.
double floorSeconds() {
  static const double floor = [] {
    std::vector<double> runs;
    for (int i = 0; i < 15; ++i) {
      const auto start = Clock::now();
      auto bytes = readWholeFile(shared().path);
      (void)writeFileAtomically(shared().path + ".copy", *bytes);
      runs.push_back(seconds(Clock::now() - start));
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
  }();
  return floor;
}

void BM_ReadAndWriteOnce(benchmark::State& state) {
  for (auto _ : state) {
    auto bytes = readWholeFile(shared().path);
    benchmark::DoNotOptimize(writeFileAtomically(shared().path + ".copy", *bytes).ok());
  }
}

// What recording does to the file: look for the number, then remove its
// lines and append the new one.
void record(benchmark::State& state, const QByteArray& number) {
  Register& r = shared();
  const double floor = floorSeconds();
  double total = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    const auto seen = RegisterLinesOf(r.path, number);
    RegisterGuard guard;
    guard.agreedLines = seen && *seen ? **seen : QList<QByteArray>{};
    guard.mustExist = true;
    auto change = ChangeRegister(
        r.path, r.temp, number, [&](int) { return number + ",2026/12/8,5000,,,,,,,,,,,"; }, guard);
    benchmark::DoNotOptimize(change.ok());
    const double took = seconds(Clock::now() - start);
    total += took;
    state.SetIterationTime(took);
    state.PauseTiming();
    r.reset();
    state.ResumeTiming();
  }
  state.counters["times_floor"] = total / static_cast<double>(state.iterations()) / floor;
}

void BM_RecordNewNumber(benchmark::State& state) { record(state, "B000001"); }
void BM_RecordExistingNumber(benchmark::State& state) { record(state, "A050000"); }

// What a new receipt costs on top: the largest number with the header, so
// that the proposed number is never one the register holds.
void BM_LargestNumberPart(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(LargestNumberPart(shared().path, "A").ok());
}

BENCHMARK(BM_LargestNumberPart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndWriteOnce)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordNewNumber)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_RecordExistingNumber)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
