#include "widgets/str_col_grid.h"

#include "support/widget_app.h"
#include "widgets/scg_cell_drawing.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace kelvane {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

// A shown grid with plain colours and a fixed-size font, so that pixels
// can be checked.
std::unique_ptr<TStrColGrid> MakeGrid(int cols = 5, int rows = 6) {
  testing::EnsureWidgetApplication();
  auto grid = std::make_unique<TStrColGrid>();
  QFont font(QStringLiteral("IPAGothic"));
  font.setPixelSize(14);
  grid->setFont(font);
  grid->SetColCount(cols);
  grid->SetRowCount(rows);
  grid->SetDefaultRowHeight(32);
  grid->SetDefaultColWidth(60);
  grid->SetColor(Qt::white);
  grid->SetFixedColor(QColor(128, 128, 192));
  grid->SetFontColor(Qt::black);
  grid->resize(500, 400);
  grid->show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(grid.get()));
  return grid;
}

void Focus(TStrColGrid& grid) {
  grid.activateWindow();
  grid.setFocus();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&grid));
  QApplication::processEvents();
  EXPECT_TRUE(grid.hasFocus());
}

QImage Shot(TStrColGrid& grid) {
  return grid.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Point of a cell relative to the widget its events go to.
QPoint InViewport(const TStrColGrid& grid, int col, int row) {
  return grid.CellRect(col, row).center() - grid.viewport()->pos();
}

// Bounding box of the pixels darker than mid grey inside `area`.
QRect DarkBox(const QImage& image, const QRect& area) {
  QRect box;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (qGray(image.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

// ------------------------------------------------------------ parameters

TEST(StrColGridParams, LaterParameterDecidesTheCellColour) {
  auto grid = MakeGrid();
  TSCGCellParam& early = grid->CellParams().Add();
  early.SetCol(2);
  early.SetRow(2);
  early.SetCellColor(Qt::red);
  early.SetCellColorEnabled(true);
  TSCGCellParam& late = grid->CellParams().Add();
  late.SetCol(2);
  late.SetRow(2);
  late.SetCellColor(Qt::blue);
  late.SetCellColorEnabled(true);
  TSCGCellParam& range = grid->CellParams().Add();
  range.SetRange(3, 1, 4, 3);
  range.SetCellColor(Qt::green);
  range.SetCellColorEnabled(true);
  TSCGCellParam& over = grid->CellParams().Add();
  over.SetCol(4);
  over.SetRow(3);
  over.SetCellColor(Qt::yellow);
  over.SetCellColorEnabled(true);

  const QImage image = Shot(*grid);
  EXPECT_EQ(image.pixel(grid->CellRect(2, 2).center() + QPoint(0, 12)), QColor(Qt::blue).rgb());
  EXPECT_EQ(image.pixel(grid->CellRect(3, 3).center()), QColor(Qt::green).rgb());
  EXPECT_EQ(image.pixel(grid->CellRect(4, 3).center()), QColor(Qt::yellow).rgb());
  EXPECT_EQ(image.pixel(grid->CellRect(1, 4).center()), kWhite);
}

TEST(StrColGridParams, CellAttributesFromCodeCheckTheRange) {
  auto grid = MakeGrid(4, 3);
  try {
    grid->SetCellColor(4, 0, Qt::red);
    ADD_FAILURE() << "no range error";
  } catch (const GridRangeError& error) {
    EXPECT_EQ(error.message(), QStringLiteral("ｾﾙ位置がｸﾞﾘｯﾄﾞの範囲を超えました。"));
  }
  EXPECT_THROW(grid->SetCellFontColor(0, 3, Qt::red), GridRangeError);
  EXPECT_THROW(grid->SetCellAlignment(-1, 0, TAlignment::Center), GridRangeError);
  EXPECT_THROW(grid->SetCells(0, 3, QStringLiteral("x")), GridRangeError);
  EXPECT_EQ(grid->CellParams().Count(), 0);

  grid->SetCellColor(3, 0, Qt::red);
  ASSERT_EQ(grid->CellParams().Count(), 1);
  const TSCGCellParam& p = grid->CellParams().Items(0);
  EXPECT_TRUE(p.CellColorEnabled());
  EXPECT_TRUE(p.FontColorEnabled());
  EXPECT_EQ(p.FontColor(), QColor(Qt::black));
  // Further attributes of the same cell go into the same item.
  grid->SetCellAlignment(3, 0, TAlignment::Center);
  grid->SetCellFontWidth(3, 0, 2);
  EXPECT_EQ(grid->CellParams().Count(), 1);
  EXPECT_EQ(p.Alignment(), TAlignment::Center);
  // A fixed cell's new parameter starts from the fixed colour.
  grid->SetCellFontWidth(0, 1, 1);
  EXPECT_EQ(grid->CellParams().Items(1).CellColor(), QColor(128, 128, 192));
  EXPECT_EQ(Shot(*grid).pixel(grid->CellRect(3, 0).center() + QPoint(0, 12)),
            QColor(Qt::red).rgb());
}

TEST(StrColGridParams, MissingFontDrawsWithTheGridFontAndWarnsOnce) {
  auto grid = MakeGrid();
  grid->BeginLoading();
  TSCGCellParam& p = grid->CellParams().Add();
  p.SetCol(1);
  p.SetRow(1);
  p.SetFontName(QStringLiteral("未登録"));
  grid->EndLoading();
  grid->SetCells(1, 1, QStringLiteral("WWW"));

  static int warnings;
  warnings = 0;
  const QtMessageHandler old =
      qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtWarningMsg &&
            message.contains(
                QStringLiteral("CellParams で指定されたフォント名が Fonts に登録されていません"))) {
          ++warnings;
        }
      });
  const QImage first = Shot(*grid);
  const QImage second = Shot(*grid);
  qInstallMessageHandler(old);
  EXPECT_EQ(warnings, 1);
  EXPECT_EQ(grid->CellFont(1, 1), grid->font());
  EXPECT_FALSE(DarkBox(first, grid->CellRect(1, 1)).isEmpty());
}

// --------------------------------------------------------------- drawing

TEST(StrColGridDrawing, TwoLinesBecomeTwoHalfHeightBands) {
  auto grid = MakeGrid();
  grid->SetCells(2, 2, QStringLiteral("A\nB"));
  std::vector<QRect> bands;
  grid->OnDrawTextOneLine = [&](TStrColGrid&, int col, int row, TextBand& band) {
    if (col == 2 && row == 2) bands.push_back(band.rect);
  };
  QSignalSpy before(grid.get(), &TStrColGrid::BeforeDraw);
  const QImage image = Shot(*grid);
  EXPECT_GE(before.count(), 1);
  const QRect cell = grid->CellRect(2, 2);
  ASSERT_EQ(bands.size(), 2u);
  // Band rectangles are in painter coordinates; compare their sizes and the
  // offset between them.
  EXPECT_EQ(bands[0].size(), QSize(60, 16));
  EXPECT_EQ(bands[1].size(), QSize(60, 16));
  EXPECT_EQ(bands[1].top() - bands[0].top(), 16);

  // The second band's top edge is a silver line, the first band's bottom is
  // not (normal cell).
  EXPECT_EQ(image.pixel(cell.right() - 3, cell.top() + 16), kSilver);
  EXPECT_EQ(image.pixel(cell.right() - 3, cell.top() + 15), kWhite);
  // "A" lies in the upper band, "B" in the lower one.
  EXPECT_FALSE(DarkBox(image, QRect(cell.left(), cell.top(), 20, 16)).isEmpty());
  EXPECT_FALSE(DarkBox(image, QRect(cell.left(), cell.top() + 17, 20, 15)).isEmpty());

  // Without horizontal lines there is no separator.
  grid->SetOptions(grid->Options() & ~GridOptions(GridOption::HorzLine));
  EXPECT_EQ(Shot(*grid).pixel(cell.right() - 3, cell.top() + 16), kWhite);
}

TEST(StrColGridDrawing, FontWidthDrawsTheTextThatManyTimes) {
  auto grid = MakeGrid();
  grid->SetCells(2, 2, QStringLiteral("WWW"));
  const QRect cell = grid->CellRect(2, 2);
  const QRect once = DarkBox(Shot(*grid), cell);
  ASSERT_FALSE(once.isEmpty());

  grid->SetCellFontWidth(2, 2, 2);
  const QRect twice = DarkBox(Shot(*grid), cell);
  EXPECT_EQ(twice.left(), once.left());
  EXPECT_EQ(twice.right(), once.right() + 1);
  EXPECT_EQ(twice.top(), once.top());

  grid->SetCellFontWidth(2, 2, 0);
  EXPECT_TRUE(DarkBox(Shot(*grid), cell).isEmpty());

  // A cell without a parameter may have its text replaced before drawing.
  grid->OnOutCellText = [](TStrColGrid&, int col, int row, QString& text) {
    if (col == 3 && row == 2) text = QStringLiteral("WWW");
  };
  EXPECT_FALSE(DarkBox(Shot(*grid), grid->CellRect(3, 2)).isEmpty());
}

TEST(StrColGridDrawing, FixedCellsUseTheSameDrawingWithA3DFrame) {
  auto grid = MakeGrid();
  grid->SetCells(1, 0, QStringLiteral("番号"));
  grid->SetCells(0, 2, QStringLiteral("2"));
  grid->SetFixedAlignment(TAlignment::Center);
  const QImage image = Shot(*grid);
  const QRect title = grid->CellRect(1, 0);
  const QColor fixed(128, 128, 192);
  EXPECT_EQ(image.pixel(title.left() + 3, title.bottom() - 3), fixed.rgb());
  EXPECT_EQ(image.pixel(title.left() + 3, title.top()),
            grid->palette().color(QPalette::Light).rgb());
  EXPECT_EQ(image.pixel(title.left() + 3, title.bottom()), kDarkGrey);
  EXPECT_EQ(image.pixel(title.right(), title.top() + 3), kDarkGrey);
  // Centred title text, and the fixed column's text too.
  const QRect text = DarkBox(image, title.adjusted(1, 1, -1, -1));
  ASSERT_FALSE(text.isEmpty());
  EXPECT_LE(std::abs((text.left() - title.left()) - (title.right() - text.right())), 2);
  EXPECT_FALSE(DarkBox(image, grid->CellRect(0, 2).adjusted(1, 1, -1, -1)).isEmpty());
  // The corner is drawn like any fixed cell.
  EXPECT_EQ(image.pixel(grid->CellRect(0, 0).center()), fixed.rgb());

  grid->SetCtl3D(false);
  EXPECT_EQ(Shot(*grid).pixel(title.left() + 3, title.top()), fixed.rgb());
}

TEST(StrColGridDrawing, SelectionIsHighlightedButNotTheFocusedCell) {
  auto grid = MakeGrid();
  grid->SetFocusCellColor(QColor(0, 0, 128));
  grid->SetCurrentCell(1, 1);
  grid->selectionModel()->select(grid->model()->index(1, 1), QItemSelectionModel::Select);
  QImage image = Shot(*grid);
  EXPECT_EQ(image.pixel(grid->CellRect(1, 1).center()), kWhite);  // focused
  EXPECT_EQ(image.pixel(grid->CellRect(2, 2).center()), qRgb(0, 0, 128));

  // Highlighted text takes the highlight text colour, or the focus one.
  grid->SetCells(2, 2, QStringLiteral("WWW"));
  const auto hasTextIn = [&](const std::function<bool(QRgb)>& like) {
    const QImage shot = Shot(*grid);
    const QRect cell = grid->CellRect(2, 2);
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
      for (int x = cell.left(); x <= cell.right(); ++x) {
        if (like(shot.pixel(x, y))) return true;
      }
    }
    return false;
  };
  const auto light = [](QRgb c) { return qGray(c) > 200; };
  const auto reddish = [](QRgb c) { return qRed(c) > 160 && qGreen(c) < 60; };
  EXPECT_TRUE(hasTextIn(light));  // Fusion's highlight text is white
  grid->SetFocusCellFontColor(Qt::red);
  EXPECT_FALSE(hasTextIn(reddish));
  grid->SetFocusCellFontColorEnabled(true);
  EXPECT_TRUE(hasTextIn(reddish));
  EXPECT_FALSE(hasTextIn(light));

  // Row select highlights the whole current row, focused cell included.
  grid->SetOptions(grid->Options() | GridOption::RowSelect);
  image = Shot(*grid);
  for (int col = 1; col < 5; ++col) {
    EXPECT_EQ(image.pixel(grid->CellRect(col, 1).center()), qRgb(0, 0, 128)) << col;
  }
  // Without FocusDraw an unfocused grid shows no highlight.
  grid->SetFocusDraw(false);
  grid->clearFocus();
  ASSERT_FALSE(grid->hasFocus());
  EXPECT_EQ(Shot(*grid).pixel(grid->CellRect(2, 1).center()), kWhite);
}

TEST(StrColGridDrawing, FocusFrameIsVisibleOnAnyBackground) {
  auto grid = MakeGrid();
  Focus(*grid);
  grid->SetCurrentCell(2, 2);
  struct Case {
    QColor background, frame;
  };
  for (const Case& c : {Case{Qt::black, Qt::white}, Case{Qt::white, Qt::black},
                        Case{QColor(0x80, 0x80, 0x80), Qt::white}}) {
    grid->SetCellColor(2, 2, c.background);
    const QImage image = Shot(*grid);
    const QRect cell = grid->CellRect(2, 2);
    // Every second pixel of each edge, starting at the corner.
    EXPECT_EQ(image.pixel(cell.left(), cell.top()), c.frame.rgb())
        << qPrintable(c.background.name());
    EXPECT_EQ(image.pixel(cell.left() + 1, cell.top()), c.background.rgb());
    EXPECT_EQ(image.pixel(cell.left() + 2, cell.top()), c.frame.rgb());
    EXPECT_EQ(image.pixel(cell.right(), cell.top() + 2), c.frame.rgb());
    EXPECT_EQ(image.pixel(cell.left(), cell.bottom()), c.frame.rgb());
  }
  // Other cells carry no frame.
  const QImage image = Shot(*grid);
  EXPECT_EQ(image.pixel(grid->CellRect(3, 2).topLeft()), kWhite);
}

// ----------------------------------------------------- selection and mouse

TEST(StrColGridInput, WholeRowSelectionAndDoubleClick) {
  auto grid = MakeGrid(14, 20);
  grid->SetOptions(grid->Options() | GridOption::RowSelect);
  QSignalSpy clicks(grid.get(), &TStrColGrid::Click);
  QSignalSpy doubles(grid.get(), &TStrColGrid::DblClick);
  QSignalSpy rows(grid.get(), &TStrColGrid::RowChanged);

  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, InViewport(*grid, 3, 4));
  EXPECT_EQ(grid->Row(), 4);
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 4, 13, 4}));
  EXPECT_EQ(clicks.count(), 1);
  ASSERT_EQ(rows.count(), 1);
  EXPECT_EQ(rows[0], (QList<QVariant>{1, 1, 3, 4}));  // from the first cell

  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, InViewport(*grid, 2, 5));
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, InViewport(*grid, 2, 5));
  EXPECT_EQ(doubles.count(), 1);
  EXPECT_EQ(grid->Selection().Top, 5);

  // Keyboard navigation moves the row and counts as a click.
  Focus(*grid);
  const int before = clicks.count();
  QTest::keyClick(grid.get(), Qt::Key_Down);
  EXPECT_EQ(grid->Selection().Top, 6);
  EXPECT_EQ(clicks.count(), before + 1);
}

TEST(StrColGridInput, HandlersCanRefuseTheMove) {
  auto grid = MakeGrid();
  grid->SetCurrentCell(1, 1);
  bool refuse = true;
  QObject::connect(grid.get(), &TStrColGrid::CellChanged, grid.get(), [&](int, int, int, int) {
    if (refuse) grid->RefuseCellChange();
  });
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, InViewport(*grid, 3, 3));
  EXPECT_EQ(grid->Col(), 1);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 1, 1}));

  // A parameter's enter handler that fails refuses it too, also by throwing.
  refuse = false;
  TSCGCellParam& p = grid->CellParams().Add();
  p.SetRange(3, 3, 4, 4);
  p.OnEnterCell = [](TStrColGrid&, const CellMove&) -> bool { throw std::runtime_error("no"); };
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, InViewport(*grid, 4, 4));
  EXPECT_EQ(grid->Col(), 1);
  p.OnEnterCell = [](TStrColGrid&, const CellMove& move) { return move.newCol != 4; };
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, InViewport(*grid, 3, 3));
  EXPECT_EQ(grid->Col(), 3);
  EXPECT_EQ(grid->Row(), 3);

  // Leaving goes through the exit handler of the old cell's parameter.
  std::vector<CellMove> exits;
  p.OnExitCell = [&](TStrColGrid&, const CellMove& move) {
    exits.push_back(move);
    return true;
  };
  grid->SetCurrentCell(2, 1);
  ASSERT_EQ(exits.size(), 1u);
  EXPECT_EQ(exits[0].oldCol, 3);
  EXPECT_EQ(exits[0].newCol, 2);
}

TEST(StrColGridInput, ParameterOptionsApplyWhileItsCellIsCurrent) {
  auto grid = MakeGrid();
  TSCGCellParam& p = grid->CellParams().Add();
  p.SetCol(2);
  p.SetRow(2);
  p.SetOptions(grid->Options() | GridOption::Editing);
  p.SetOptionsEnabled(true);
  grid->SetCurrentCell(2, 2);
  EXPECT_TRUE(grid->EffectiveOptions().testFlag(GridOption::Editing));
  EXPECT_FALSE(grid->Options().testFlag(GridOption::Editing));
  EXPECT_TRUE(grid->model()->flags(grid->model()->index(1, 1)) & Qt::ItemIsEditable);
  grid->SetCurrentCell(3, 2);
  EXPECT_FALSE(grid->EffectiveOptions().testFlag(GridOption::Editing));
}

TEST(StrColGridInput, InPlaceEditorUsesTheCellFontAndWritesTheCell) {
  auto grid = MakeGrid();
  grid->SetOptions(grid->Options() | GridOption::Editing);
  TSCGCellFont& big = grid->Fonts().Add();
  QFont font = big.Font();
  font.setPixelSize(20);
  big.SetFont(font);
  TSCGCellParam& p = grid->CellParams().Add();
  p.SetCol(2);
  p.SetRow(3);
  p.SetFontName(big.Name());
  Focus(*grid);
  // A real double click: press and release, then the double-click event.
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, InViewport(*grid, 2, 3));
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, InViewport(*grid, 2, 3));
  auto* editor = grid->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->font().pixelSize(), 20);
  QTest::keyClicks(editor, QStringLiteral("abc"));
  EXPECT_EQ(editor->text(), QStringLiteral("abc"));
  QTest::keyClick(editor, Qt::Key_Return);
  QApplication::processEvents();  // the delegate commits in a queued call
  EXPECT_EQ(grid->Cells(2, 3), QStringLiteral("abc"));
}

TEST(StrColGridInput, DraggingAFixedCellMovesTheRow) {
  auto grid = MakeGrid(3, 6);
  grid->SetOptions(grid->Options() | GridOption::RowMoving);
  for (int row = 1; row < 6; ++row) {
    grid->SetRowTexts(row, {QString::number(row), QStringLiteral("r%1").arg(row)});
  }
  QSignalSpy moved(grid.get(), &TStrColGrid::RowMoved);
  QHeaderView* side = grid->verticalHeader();
  const int x = side->width() / 2;
  const auto y = [&](int row) {
    return side->sectionViewportPosition(row - 1) + side->sectionSize(row - 1) / 2;
  };
  QTest::mousePress(side->viewport(), Qt::LeftButton, {}, QPoint(x, y(1)));
  QTest::mouseMove(side->viewport(), QPoint(x, y(2)));
  QTest::mouseMove(side->viewport(), QPoint(x, y(3) + 4));
  QTest::mouseRelease(side->viewport(), Qt::LeftButton, {}, QPoint(x, y(3) + 4));

  ASSERT_EQ(moved.count(), 1);
  EXPECT_EQ(moved[0], (QList<QVariant>{1, 3}));
  EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("r2"));
  EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("r3"));
  EXPECT_EQ(grid->Cells(1, 3), QStringLiteral("r1"));
  EXPECT_EQ(grid->Cells(0, 3), QStringLiteral("1"));
  // Header sections stay in order: section n is still row n.
  EXPECT_EQ(side->visualIndex(0), 0);
  EXPECT_EQ(side->logicalIndex(2), 2);
}

TEST(StrColGridInput, WithoutAFixedColumnTheRowItselfIsDragged) {
  auto grid = MakeGrid(3, 5);
  grid->SetFixedCols(0);
  grid->SetOptions(grid->Options() | GridOption::RowMoving);
  for (int row = 1; row < 5; ++row) grid->SetCells(0, row, QStringLiteral("r%1").arg(row));
  QSignalSpy moved(grid.get(), &TStrColGrid::RowMoved);
  QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, InViewport(*grid, 0, 4));
  QTest::mouseMove(grid->viewport(), InViewport(*grid, 0, 3));
  QTest::mouseMove(grid->viewport(), InViewport(*grid, 0, 2));
  QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, InViewport(*grid, 0, 2));
  ASSERT_EQ(moved.count(), 1);
  EXPECT_EQ(moved[0], (QList<QVariant>{4, 2}));
  EXPECT_EQ(grid->RowTexts(2).value(0), QStringLiteral("r4"));
  EXPECT_EQ(grid->RowTexts(3).value(0), QStringLiteral("r2"));
  EXPECT_EQ(grid->Row(), 2);  // the current row moved with its texts

  EXPECT_THROW(grid->MoveRow(0, 2), GridRangeError);  // the title row stays
  EXPECT_THROW(grid->MoveRow(1, 5), GridRangeError);
}

// ------------------------------------------------------ size and geometry

TEST(StrColGridLayout, SizesWidthsAndFixedCounts) {
  auto grid = MakeGrid(14, 2);
  grid->SetColWidths(0, 10);
  grid->SetColWidths(4, 235);
  EXPECT_EQ(grid->ColWidths(0), 10);
  EXPECT_EQ(grid->ColWidths(4), 235);
  EXPECT_EQ(grid->ColWidths(5), 60);
  EXPECT_EQ(grid->CellRect(0, 1).width(), 10);
  EXPECT_EQ(grid->CellRect(1, 1).left(), grid->CellRect(0, 1).right() + 2);  // one grid line
  EXPECT_THROW((void)grid->ColWidths(14), GridRangeError);

  grid->SetDefaultRowHeight(17);
  EXPECT_EQ(grid->RowHeights(1), 17);
  EXPECT_EQ(grid->CellRect(1, 1).height(), 17);

  // Column sizing by dragging is the header's job while it is allowed.
  EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
  grid->SetOptions(grid->Options() | GridOption::ColSizing);
  EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);

  // More than one fixed row or column is not supported: it counts as one.
  grid->SetFixedRows(3);
  EXPECT_EQ(grid->FixedRows(), 1);
  grid->SetFixedCols(0);
  EXPECT_EQ(grid->FixedCols(), 0);
  EXPECT_EQ(grid->ColWidths(4), 235);  // widths survive the change
  EXPECT_TRUE(grid->verticalHeader()->isHidden());
  EXPECT_EQ(grid->Col(), 0);

  grid->SetRowCount(0);
  EXPECT_EQ(grid->FixedRows(), 0);
  EXPECT_EQ(grid->Cells(0, 0), QString());
}

TEST(StrColGridLayout, WidthsBeyondTheLargestSectionAreCut) {
  // "display.dat" may hold any number: a width beyond the header's largest
  // section is cut to it (the grid line is added without overflowing), and
  // the other columns keep theirs.
  auto grid = MakeGrid(14, 2);
  const int largest = grid->horizontalHeader()->maximumSectionSize() - 1;
  grid->SetColWidths(4, 235);
  grid->SetColWidths(3, 2147483647);
  grid->SetColWidths(0, 2147483647);
  grid->SetRowHeights(1, 2147483647);
  EXPECT_EQ(grid->ColWidths(3), largest);
  EXPECT_EQ(grid->ColWidths(0), largest);
  EXPECT_EQ(grid->RowHeights(1), grid->verticalHeader()->maximumSectionSize() - 1);
  EXPECT_EQ(grid->ColWidths(4), 235);
  grid->SetColWidths(3, -7);
  EXPECT_EQ(grid->ColWidths(3), 0);
}

TEST(StrColGridLayout, HundredThousandRowsFillInOneChange) {
  auto grid = MakeGrid(14, 2);
  QSignalSpy changes(grid->model(), &QAbstractItemModel::dataChanged);
  QElapsedTimer timer;
  timer.start();
  const int rows = 100000;
  grid->SetRowCount(rows + 1);
  grid->BeginUpdate();
  QStringList texts;
  for (int col = 0; col < 14; ++col) texts << QStringLiteral("      10,800");
  for (int row = 1; row <= rows; ++row) {
    texts[1] = QString::number(row);
    grid->SetRowTexts(row, texts);
  }
  grid->EndUpdate();
  (void)Shot(*grid);
  EXPECT_EQ(changes.count(), 1);
  EXPECT_EQ(grid->Cells(1, rows), QString::number(rows));
  EXPECT_EQ(grid->Cells(13, rows), QStringLiteral("      10,800"));
  // Generous: a sanity bound, the benchmark measures.
  EXPECT_LT(timer.elapsed(), 5000);

  grid->SetRow(rows);
  EXPECT_EQ(grid->Selection().Top, rows);
  grid->SetRowCount(2);
  EXPECT_EQ(grid->RowCount(), 2);
  EXPECT_EQ(grid->Row(), 1);
}

}  // namespace
}  // namespace kelvane
