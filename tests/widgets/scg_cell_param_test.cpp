#include "widgets/scg_cell_param.h"

#include "support/widget_app.h"
#include "widgets/scg_cell_drawing.h"

#include <gtest/gtest.h>

#include <functional>

namespace kelvane {
namespace {

// A grid stand-in that can be put into the loading state.
class FakeHost : public CellParamHost {
 public:
  bool loading = false;
  int changes = 0;
  [[nodiscard]] bool IsLoading() const override { return loading; }
  [[nodiscard]] GridOptions StoredOptions() const override { return GridOption::RowSelect; }
  [[nodiscard]] QFont GridFont() const override { return QFont(QStringLiteral("IPAGothic"), 12); }
  void CellParamsChanged() override { ++changes; }
};

TSCGCellParam& Single(TSCGCellParams& params, int col, int row) {
  TSCGCellParam& p = params.Add();
  p.SetCol(col);
  p.SetRow(row);
  return p;
}

QString MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const GridRangeError& error) {
    return error.message();
  }
  return QStringLiteral("(no error)");
}

// ------------------------------------------------------------------ lookup

TEST(CellParamLookup, LaterItemWinsOnTheSameCell) {
  TSCGCellParams params;
  TSCGCellParam& first = Single(params, 2, 3);
  TSCGCellParam& second = Single(params, 2, 3);
  EXPECT_EQ(params.Find(2, 3), &second);
  EXPECT_EQ(params.Find(3, 2), nullptr);

  params.Delete(second.Index());
  EXPECT_EQ(params.Find(2, 3), &first);
}

TEST(CellParamLookup, RangeAndSingleDecideByOrder) {
  TSCGCellParams params;
  TSCGCellParam& range = params.Add();
  range.SetRange(1, 1, 4, 4);
  TSCGCellParam& single = Single(params, 2, 2);
  EXPECT_EQ(params.Find(2, 2), &single);
  EXPECT_EQ(params.Find(4, 4), &range);
  EXPECT_EQ(params.Find(5, 4), nullptr);

  TSCGCellParam& later = params.Add();
  later.SetRange(2, 2, 3, 3);
  EXPECT_EQ(params.Find(2, 2), &later);
  EXPECT_EQ(params.Find(1, 1), &range);

  // Switching the range off makes it a single item at its first cell again.
  later.SetRangeEnabled(false);
  EXPECT_EQ(params.Find(3, 3), &range);
  EXPECT_EQ(params.Find(2, 2), &later);
}

TEST(CellParamLookup, IndexFollowsMovesAndDeletes) {
  TSCGCellParams params;
  TSCGCellParam& a = Single(params, 1, 1);
  TSCGCellParam& b = Single(params, 5, 5);
  b.SetCol(1);
  b.SetRow(1);
  EXPECT_EQ(params.Find(1, 1), &b);
  EXPECT_EQ(params.Find(5, 5), nullptr);
  b.SetRow(2);
  EXPECT_EQ(params.Find(1, 1), &a);
  EXPECT_EQ(params.Find(1, 2), &b);

  params.Delete(0);  // `a`; `b` moves to index 0
  EXPECT_EQ(b.Index(), 0);
  EXPECT_EQ(params.Find(1, 1), nullptr);
  EXPECT_EQ(params.Find(1, 2), &b);
  params.Clear();
  EXPECT_EQ(params.Count(), 0);
}

TEST(CellParamLookup, OneItemPerCellOfALargeList) {
  TSCGCellParams params;
  for (int row = 0; row < 2000; ++row) {
    for (int col = 0; col < 14; ++col) Single(params, col, row).SetTag(row * 100 + col);
  }
  TSCGCellParam& band = params.Add();
  band.SetRange(0, 500, 13, 500);
  for (int row = 0; row < 2000; row += 37) {
    for (int col = 0; col < 14; ++col) {
      const TSCGCellParam* p = params.Find(col, row);
      ASSERT_NE(p, nullptr);
      EXPECT_EQ(p, row == 500 ? &band : &params.Items(row * 14 + col));
    }
  }
}

// --------------------------------------------------------------- validation

TEST(CellParamValidation, NegativePositionsAndWidthsKeepTheOldValue) {
  TSCGCellParams params;
  TSCGCellParam& p = Single(params, 1, 2);
  EXPECT_EQ(p.Name(), QStringLiteral("パラメータ1"));
  EXPECT_EQ(p.DisplayName(), QStringLiteral("パラメータ1 (  1,  2)-(  0,  0)"));

  EXPECT_EQ(MessageOf([&] { p.SetCol(-1); }),
            QStringLiteral("パラメータ1 (  1,  2)-(  0,  0).Col の値が 0 を下まわりました"));
  EXPECT_EQ(MessageOf([&] { p.SetRow(-3); }),
            QStringLiteral("パラメータ1 (  1,  2)-(  0,  0).Row の値が 0 を下まわりました"));
  EXPECT_EQ(MessageOf([&] { p.SetFontWidth(-1); }),
            QStringLiteral("パラメータ1 (  1,  2)-(  0,  0).FontWidth の値が範囲を超えました"));
  EXPECT_EQ(p.Col(), 1);
  EXPECT_EQ(p.Row(), 2);
  EXPECT_EQ(p.FontWidth(), 1);
  EXPECT_EQ(params.Find(1, 2), &p);
  p.SetFontWidth(0);
  EXPECT_EQ(p.FontWidth(), 0);
}

TEST(CellParamValidation, InvertedRangeIsUndoneOutsideLoading) {
  FakeHost host;
  TSCGCellParams params(&host);
  TSCGCellParam& p = Single(params, 3, 3);
  EXPECT_EQ(MessageOf([&] { p.SetRangeEnabled(true); }), QStringLiteral("範囲が不正です"));
  EXPECT_FALSE(p.RangeEnabled());
  EXPECT_EQ(params.Find(3, 3), &p);

  p.SetRange(3, 3, 5, 6);
  EXPECT_EQ(MessageOf([&] { p.SetColMax(2); }), QStringLiteral("範囲が不正です"));
  EXPECT_EQ(p.ColMax(), 5);
  EXPECT_EQ(params.Find(5, 6), &p);
  EXPECT_EQ(MessageOf([&] { p.SetRange(4, 4, 4, 3); }), QStringLiteral("範囲が不正です"));
  EXPECT_EQ(p.DisplayName(), QStringLiteral("パラメータ1 (  3,  3)-(  5,  6)"));

  // Loading sets the bounds one by one; an inverted range matches nothing.
  host.loading = true;
  p.SetColMax(0);
  EXPECT_EQ(p.ColMax(), 0);
  EXPECT_EQ(params.Find(3, 3), nullptr);
}

TEST(CellParamDefaults, NewItemTakesTheGridOptions) {
  FakeHost host;
  TSCGCellParams params(&host);
  const TSCGCellParam& p = params.Add();
  EXPECT_EQ(p.Options(), GridOptions(GridOption::RowSelect));
  EXPECT_FALSE(p.OptionsEnabled());
  EXPECT_EQ(p.CaptionType(), TCaptionType::ctCellText);
  EXPECT_EQ(p.FontWidth(), 1);
  EXPECT_EQ(params.Add().Name(), QStringLiteral("パラメータ2"));
  EXPECT_GT(host.changes, 0);
  EXPECT_EQ(TSCGCellParams().Add().Options(), DefaultGridOptions());
}

// -------------------------------------------------------------------- fonts

struct FontsAndParams {
  FakeHost host;
  TSCGCellParams params{&host};
  TSCGCellFonts fonts{&host};
  FontsAndParams() {
    testing::EnsureWidgetApplication();
    params.SetFonts(&fonts);
    fonts.SetParams(&params);
  }
};

TEST(CellFonts, NamesAreDefaultedUniqueAndNeverEmpty) {
  FontsAndParams g;
  TSCGCellFont& first = g.fonts.Add();
  TSCGCellFont& second = g.fonts.Add();
  EXPECT_EQ(first.Name(), QStringLiteral("フォント1"));
  EXPECT_EQ(second.Name(), QStringLiteral("フォント2"));
  EXPECT_EQ(first.Font().family(), QStringLiteral("IPAGothic"));
  EXPECT_EQ(first.DisplayName(), QStringLiteral("フォント1( IPAGothic, 12 )"));

  EXPECT_EQ(MessageOf([&] { first.SetName(QString()); }),
            QStringLiteral("フォント名は空にできません"));
  EXPECT_EQ(MessageOf([&] { first.SetName(QStringLiteral("フォント2")); }),
            QStringLiteral("このフォント名はすでに使用されています"));
  EXPECT_EQ(first.Name(), QStringLiteral("フォント1"));
  first.SetName(QStringLiteral("フォント1"));  // its own name is no clash

  // After a deletion the count would repeat "フォント2".
  g.fonts.Delete(0);
  EXPECT_EQ(g.fonts.Add().Name(), QStringLiteral("フォント3"));
}

TEST(CellFonts, RenameAndDeleteFollowIntoParameters) {
  FontsAndParams g;
  g.fonts.Add().SetName(QStringLiteral("見出し"));
  g.fonts.Add();
  TSCGCellParam& a = Single(g.params, 0, 0);
  TSCGCellParam& b = Single(g.params, 1, 0);
  TSCGCellParam& c = Single(g.params, 2, 0);
  a.SetFontName(QStringLiteral("見出し"));
  b.SetFontName(QStringLiteral("見出し"));
  c.SetFontName(QStringLiteral("フォント2"));

  g.fonts.Items(0).SetName(QStringLiteral("太字"));
  EXPECT_EQ(a.FontName(), QStringLiteral("太字"));
  EXPECT_EQ(b.FontName(), QStringLiteral("太字"));
  EXPECT_EQ(c.FontName(), QStringLiteral("フォント2"));

  g.fonts.Delete(0);
  EXPECT_TRUE(a.FontName().isEmpty());
  EXPECT_TRUE(b.FontName().isEmpty());
  EXPECT_EQ(c.FontName(), QStringLiteral("フォント2"));
  g.fonts.Clear();
  EXPECT_TRUE(c.FontName().isEmpty());
}

TEST(CellFonts, UnknownFontNameIsDroppedOutsideLoading) {
  FontsAndParams g;
  TSCGCellParam& p = g.params.Add();
  p.SetFontName(QStringLiteral("どこにもない"));
  EXPECT_TRUE(p.FontName().isEmpty());
  g.host.loading = true;
  p.SetFontName(QStringLiteral("あとで追加"));
  EXPECT_EQ(p.FontName(), QStringLiteral("あとで追加"));
}

// ------------------------------------------------------ pure drawing pieces

TEST(CellDrawing, ContrastColourStaysVisible) {
  EXPECT_EQ(ContrastColour(Qt::black), QColor(Qt::white));
  EXPECT_EQ(ContrastColour(Qt::white), QColor(Qt::black));
  // Mid grey is its own inverse nearly: white instead.
  EXPECT_EQ(ContrastColour(QColor(0x80, 0x80, 0x80)), QColor(Qt::white));
  EXPECT_EQ(ContrastColour(QColor(0x7F, 0x80, 0x81)), QColor(Qt::white));
  // Channel differences 15 + 5 + 1 = 21 are still too close; 55 * 3 is not.
  EXPECT_EQ(ContrastColour(QColor(120, 130, 128)), QColor(Qt::white));
  EXPECT_EQ(ContrastColour(QColor(100, 100, 100)), QColor(155, 155, 155));
  EXPECT_EQ(ContrastColour(QColor(255, 0, 0)), QColor(0, 255, 255));
  EXPECT_EQ(ContrastColour(QColor(192, 192, 192)), QColor(63, 63, 63));
}

TEST(CellDrawing, CaptionCombinesWithTheCellText) {
  const QString cap = QStringLiteral("見出し"), text = QStringLiteral("本文");
  EXPECT_EQ(CombineCaption(TCaptionType::ctCaption, cap, text), cap);
  EXPECT_EQ(CombineCaption(TCaptionType::ctCaption, QString(), text), text);
  EXPECT_EQ(CombineCaption(TCaptionType::ctCellText, cap, text), text);
  EXPECT_EQ(CombineCaption(TCaptionType::ctCellText, cap, QString()), cap);
  EXPECT_EQ(CombineCaption(TCaptionType::ctHeader, cap, text), cap + text);
  EXPECT_EQ(CombineCaption(TCaptionType::ctFooter, cap, text), text + cap);
  EXPECT_EQ(CombineCaption(TCaptionType::ctTop, cap, text), cap + "\n" + text);
  EXPECT_EQ(CombineCaption(TCaptionType::ctTop, cap, QString()), cap + "\n\n");
  EXPECT_EQ(CombineCaption(TCaptionType::ctBottom, cap, text), text + "\n" + cap);
}

TEST(CellDrawing, BandsSplitTheCellEvenly) {
  EXPECT_EQ(SplitLines(QString()), QStringList{QString()});
  EXPECT_EQ(SplitLines(QStringLiteral("A\r\nB\nC\rD")), (QStringList{"A", "B", "C", "D"}));

  const QRect cell(10, 20, 50, 16);
  EXPECT_EQ(BandRect(cell, 0, 2), QRect(10, 20, 50, 8));
  EXPECT_EQ(BandRect(cell, 1, 2), QRect(10, 28, 50, 8));
  // 17 / 3 = 5; the last band takes the rest.
  const QRect odd(0, 0, 30, 17);
  EXPECT_EQ(BandRect(odd, 0, 3), QRect(0, 0, 30, 5));
  EXPECT_EQ(BandRect(odd, 1, 3), QRect(0, 5, 30, 5));
  EXPECT_EQ(BandRect(odd, 2, 3), QRect(0, 10, 30, 7));
  // More lines than pixels: empty bands, nothing negative.
  EXPECT_TRUE(BandRect(QRect(0, 0, 30, 2), 1, 4).isEmpty());
}

TEST(CellDrawing, TextPlacementFollowsAlignmentAndLayout) {
  const QRect band(10, 20, 51, 30);  // first pixels outside: x 61, y 50
  const QSize text(20, 12);
  EXPECT_EQ(TextOrigin(band, text, TAlignment::LeftJustify, TTextLayout::Top), QPoint(12, 22));
  EXPECT_EQ(TextOrigin(band, text, TAlignment::RightJustify, TTextLayout::Bottom),
            QPoint(61 - 20 - 2, 50 - 12 - 1));
  EXPECT_EQ(TextOrigin(band, text, TAlignment::Center, TTextLayout::Center),
            QPoint(10 + 31 / 2, 20 + 18 / 2 + 1));
  // Too wide to centre: halved toward zero, not floored.
  EXPECT_EQ(TextOrigin(band, QSize(54, 12), TAlignment::Center, TTextLayout::Top).x(), 9);
}

TEST(CellDrawing, HighlightAndFocusFrameRules) {
  const GridOptions plain = DefaultGridOptions();
  EXPECT_TRUE(IsHighlighted(false, true, true, false, plain));
  EXPECT_FALSE(IsHighlighted(false, false, true, false, plain));
  EXPECT_TRUE(IsHighlighted(true, false, true, false, plain));
  EXPECT_FALSE(IsHighlighted(true, true, false, false, plain));
  // The focused cell keeps its colours unless told otherwise.
  EXPECT_FALSE(IsHighlighted(true, true, true, true, plain));
  EXPECT_TRUE(IsHighlighted(true, true, true, true, plain | GridOption::DrawFocusSelected));
  EXPECT_TRUE(IsHighlighted(true, true, true, true, plain | GridOption::RowSelect));

  EXPECT_EQ(FocusFrameEdges(false, true, true, 3, 1, 5), (FrameEdges{true, true, true, true}));
  EXPECT_FALSE(FocusFrameEdges(false, false, true, 3, 1, 5).any());
  EXPECT_EQ(FocusFrameEdges(true, false, true, 1, 1, 5), (FrameEdges{true, true, true, false}));
  EXPECT_EQ(FocusFrameEdges(true, false, true, 3, 1, 5), (FrameEdges{true, true, false, false}));
  EXPECT_EQ(FocusFrameEdges(true, false, true, 5, 1, 5), (FrameEdges{true, true, false, true}));
  EXPECT_FALSE(FocusFrameEdges(true, true, false, 3, 1, 5).any());

  const auto points = DottedFramePoints(QRect(0, 0, 5, 3), {true, false, false, false});
  EXPECT_EQ(points, (std::vector<QPoint>{{0, 0}, {2, 0}, {4, 0}}));
}

}  // namespace
}  // namespace kelvane
