// Searching a register of 100,000 lines once it is open: by a date range,
// by an amount range, by a part of the addressee, and its monthly totals;
// then the same searches as the list window shows them (grid and totals).
// Reading the register into its index is measured on its own.

#include "app/register_find_bar.h"
#include "app/register_viewer.h"
#include "receipt/register_filter.h"
#include "receipt/register_record.h"
#include "settings/program_folder.h"
#include "text/cp932.h"
#include "text/line_file.h"
#include "widgets/str_col_grid.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>

namespace {

using namespace kelvane;

constexpr int kLines = 100000;

// Nine years of receipts to three hundred customers, some written in
// full-width letters or half-width kana, amounts from 100 yen up.
QList<QByteArray> varied(int count) {
  const char* const names[] = {"山田商事",    "株式会社ＡＢＣ", "ｶﾌﾞｼｷｶﾞｲｼｬ ﾐﾄﾞﾘ", "佐藤工務店",
                               "abc trading", "鈴木様",         "有限会社ひかり"};
  QList<QByteArray> lines;
  lines.reserve(count);
  for (int i = 0; i < count; ++i) {
    const QDate date = QDate(2018, 1, 1).addDays(i % 3287);
    RegisterRecord r;
    r.number = "A" + QByteArray::number(i + 1).rightJustified(6, '0');
    r.date = date.toString(QStringLiteral("yyyy/M/d")).toLatin1();
    const qint64 amount = 100 + (i * 7919LL) % 500000;
    r.amount = QByteArray::number(amount);
    r.addressee1 = cp932::fromUtf8Literal(names[i % 7]) + QByteArray::number(i % 300);
    r.description1 = cp932::fromUtf8Literal("お品代");
    r.netAmount = QByteArray::number(amount * 10 / 11);
    r.billedAmount = r.amount;
    r.taxAmount = QByteArray::number(amount - amount * 10 / 11);
    r.taxRate = "10";
    r.staff = cp932::fromUtf8Literal(i % 2 ? "佐藤" : "田中");
    r.stamp = amount >= 50000 ? "200" : "0";
    lines.append(FormatRegisterLine(r));
  }
  return lines;
}

QByteArray& content() {
  static QByteArray c = [] {
    QByteArray all;
    for (const QByteArray& line : varied(kLines)) all += line + "\r\n";
    return all;
  }();
  return c;
}

RegisterIndex& index() {
  static RegisterIndex i(content(), splitLines(content()));
  return i;
}

RegisterFilter dateRange() {
  RegisterFilter f;
  f.dateFrom = QDate(2024, 4, 1);
  f.dateTo = QDate(2025, 3, 31);
  return f;
}
RegisterFilter amountRange() {
  RegisterFilter f;
  f.amountFrom = 10000LL * 10000;
  f.amountTo = 20000LL * 10000;
  return f;
}
RegisterFilter addresseePart() {
  RegisterFilter f;
  f.addressee = QStringLiteral("ミドリ");  // typed full-width, held half-width
  return f;
}

void BM_ReadIntoIndex(benchmark::State& state) {
  for (auto _ : state) {
    RegisterIndex i(content(), splitLines(content()));
    benchmark::DoNotOptimize(i.size());
  }
}

void filterBy(benchmark::State& state, const RegisterFilter& filter) {
  const RegisterIndex& i = index();
  qsizetype found = 0;
  for (auto _ : state) {
    const QList<int> rows = i.matching(filter);
    found = rows.size();
    benchmark::DoNotOptimize(i.sums(rows));
  }
  state.counters["rows_found"] = static_cast<double>(found);
}

void BM_FilterDateRange(benchmark::State& state) { filterBy(state, dateRange()); }
void BM_FilterAmountRange(benchmark::State& state) { filterBy(state, amountRange()); }
void BM_FilterAddresseePart(benchmark::State& state) { filterBy(state, addresseePart()); }

void BM_MonthlyTotals(benchmark::State& state) {
  const RegisterIndex& i = index();
  const QList<int> all = i.all();
  qsizetype months = 0;
  for (auto _ : state) months = i.monthlyTotals(all).size();
  state.counters["months"] = static_cast<double>(months);
}

void BM_SortByAmount(benchmark::State& state) {
  const RegisterIndex& i = index();
  for (auto _ : state) {
    QList<int> order = i.all();
    i.sort(order, 3, true);
    benchmark::DoNotOptimize(order.data());
  }
}

// ---- the window: the rows found into the grid, the totals under it

QApplication& application() {
  static int argc = 1;
  static char name[] = "kelvane-bench";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
}

struct Window {
  QTemporaryDir dir;
  QString path = dir.filePath(QStringLiteral("regidata.klv"));
  std::unique_ptr<Tfreglist> list;
  Window() {
    application();
    SetProgramFolder(dir.path());
    (void)writeLineFile(path, varied(kLines));
    list = std::make_unique<Tfreglist>(path);
    list->file_read(path);
  }
};

Window& window() {
  static Window w;
  return w;
}

// Each pass types the field and empties it again: the search, then all rows.
void inWindow(benchmark::State& state, QLineEdit* RegisterFindBar::*field, const QString& text) {
  Tfreglist& list = *window().list;
  QLineEdit* edit = list.findBar->*field;
  for (auto _ : state) {
    edit->setText(text);
    list.showMatchingRows();
    state.PauseTiming();
    edit->clear();
    list.showMatchingRows();
    state.ResumeTiming();
  }
  edit->setText(text);
  list.showMatchingRows();
  state.counters["rows_shown"] = list.StrColGrid1->RowCount() - 1;
  edit->clear();
  list.showMatchingRows();
}

void BM_WindowDateFrom(benchmark::State& state) {
  inWindow(state, &RegisterFindBar::dateFrom, QStringLiteral("2025/4"));
}
void BM_WindowAddressee(benchmark::State& state) {
  inWindow(state, &RegisterFindBar::addressee, QStringLiteral("ミドリ"));
}
void BM_WindowShowAll(benchmark::State& state) {
  Tfreglist& list = *window().list;
  for (auto _ : state) list.showMatchingRows();
  state.counters["rows_shown"] = list.StrColGrid1->RowCount() - 1;
}

BENCHMARK(BM_ReadIntoIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterDateRange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterAmountRange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterAddresseePart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MonthlyTotals)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByAmount)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowDateFrom)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowAddressee)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowShowAll)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
