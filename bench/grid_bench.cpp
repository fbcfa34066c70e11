// How long the issue-list viewer's grid takes to fill 100,000 register rows
// of 14 columns, to paint one screen of them, and to look up a parameter
// when the master list has given every cell one.

#include "widgets/scg_cell_param.h"
#include "widgets/str_col_grid.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace kelvane {
namespace {

constexpr int kRows = 100000;
constexpr int kCols = 14;

QStringList RowOf(int row) {
  QStringList texts;
  texts << QString() << QString::number(row) << QStringLiteral("2024/04/01")
        << QStringLiteral("      10,800") << QStringLiteral("株式会社テスト商事") << QString()
        << QStringLiteral("お品代") << QString() << QStringLiteral("      10,000")
        << QStringLiteral("         800") << QStringLiteral("      10,800")
        << QStringLiteral("          10") << QStringLiteral("山田") << QStringLiteral("200");
  return texts;
}

void Fill(TStrColGrid& grid) {
  grid.SetRowCount(kRows + 1);
  grid.BeginUpdate();
  for (int row = 1; row <= kRows; ++row) grid.SetRowTexts(row, RowOf(row));
  grid.EndUpdate();
}

void BM_FillHundredThousandRows(benchmark::State& state) {
  for (auto _ : state) {
    TStrColGrid grid;
    grid.SetColCount(kCols);
    grid.SetRowCount(2);
    Fill(grid);
    benchmark::DoNotOptimize(grid.Cells(1, kRows));
  }
}
BENCHMARK(BM_FillHundredThousandRows)->Unit(benchmark::kMillisecond);

void BM_PaintOneScreen(benchmark::State& state) {
  TStrColGrid grid;
  grid.SetColCount(kCols);
  grid.SetDefaultRowHeight(17);
  Fill(grid);
  grid.SetOptions(grid.Options() | GridOption::RowSelect);
  grid.resize(908, 566);
  grid.SetRow(kRows / 2);
  QImage image(grid.size(), QImage::Format_RGB32);
  for (auto _ : state) {
    grid.render(&image);
    benchmark::DoNotOptimize(image.bits());
  }
}
BENCHMARK(BM_PaintOneScreen)->Unit(benchmark::kMillisecond);

void BM_LookupWithOneParameterPerCell(benchmark::State& state) {
  TSCGCellParams params;
  for (int row = 0; row < 600; ++row) {
    for (int col = 0; col < 4; ++col) {
      TSCGCellParam& p = params.Add();
      p.SetCol(col);
      p.SetRow(row);
    }
  }
  params.Add().SetRange(0, 0, 3, 0);
  int row = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(params.Find(row % 4, row % 600));
    ++row;
  }
}
BENCHMARK(BM_LookupWithOneParameterPerCell);

}  // namespace
}  // namespace kelvane

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
