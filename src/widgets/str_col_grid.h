#pragma once
// TStrColGrid: a string grid that draws its cells itself, with per-cell and
// per-range parameters, named fonts, multi-line cells split into bands, a
// focus highlight of its own colours and a dotted focus frame that stays
// visible on any background.
//
// Coordinates are (column, row) with the fixed row and column included:
// with one fixed row, row 0 is the title row. The fixed row is the
// horizontal header and the fixed column the vertical header, so that both
// stay in view while scrolling; every cell, fixed or not, is drawn by
// PaintCell.

#include "widgets/scg_cell_param.h"

#include <QColor>
#include <QSet>
#include <QStringList>
#include <QTableView>

namespace kelvane {

class StrColGridModel;

struct TGridRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TGridRect&) const = default;
};

class TStrColGrid : public QTableView, private CellParamHost {
  Q_OBJECT

 public:
  explicit TStrColGrid(QWidget* parent = nullptr);
  ~TStrColGrid() override;

  // ---- size and texts
  [[nodiscard]] int ColCount() const;
  void SetColCount(int count);
  [[nodiscard]] int RowCount() const;
  // Cheap for any count: rows are added or removed in one step.
  void SetRowCount(int count);
  // Only 0 or 1 fixed rows and columns are supported; larger values count
  // as 1.
  [[nodiscard]] int FixedCols() const;
  void SetFixedCols(int count);
  [[nodiscard]] int FixedRows() const;
  void SetFixedRows(int count);

  // Empty outside the grid.
  [[nodiscard]] QString Cells(int col, int row) const;
  // Throws GridRangeError outside the grid.
  void SetCells(int col, int row, const QString& text);
  void SetRowTexts(int row, const QStringList& texts);
  [[nodiscard]] QStringList RowTexts(int row) const;
  void ClearCells();
  // Bulk fills between these send one change at the end.
  void BeginUpdate();
  void EndUpdate();
  // Moves the texts of normal row `from` to `to`, shifting those between.
  void MoveRow(int from, int to);

  // ---- geometry, pixels without the grid line
  [[nodiscard]] int ColWidths(int col) const;
  void SetColWidths(int col, int width);
  [[nodiscard]] int RowHeights(int row) const;
  void SetRowHeights(int row, int height);
  [[nodiscard]] int DefaultColWidth() const { return defaultColWidth_; }
  void SetDefaultColWidth(int width);
  [[nodiscard]] int DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int height);
  // The cell's rectangle in this widget's coordinates (for hit tests).
  [[nodiscard]] QRect CellRect(int col, int row) const;

  // ---- current cell and selection
  [[nodiscard]] int Col() const;
  void SetCol(int col);
  [[nodiscard]] int Row() const;
  void SetRow(int row);
  void SetCurrentCell(int col, int row);
  [[nodiscard]] TGridRect Selection() const;
  // Called from a CellChanged, ColChanged or RowChanged handler: the move is
  // refused and the old cell stays current.
  void RefuseCellChange() { refused_ = true; }

  // ---- colours; an unset colour follows the palette
  [[nodiscard]] QColor Color() const;
  void SetColor(const QColor& colour);
  [[nodiscard]] QColor FixedColor() const;
  void SetFixedColor(const QColor& colour);
  [[nodiscard]] QColor FontColor() const;
  void SetFontColor(const QColor& colour);
  [[nodiscard]] QColor FocusCellColor() const;
  void SetFocusCellColor(const QColor& colour);
  [[nodiscard]] QColor FocusCellFontColor() const;
  void SetFocusCellFontColor(const QColor& colour);
  [[nodiscard]] bool FocusCellFontColorEnabled() const { return focusCellFontColorEnabled_; }
  void SetFocusCellFontColorEnabled(bool on);

  // ---- behaviour
  // The grid's stored options; a current cell's parameter may apply others
  // while it is current.
  [[nodiscard]] GridOptions Options() const { return options_; }
  void SetOptions(GridOptions options);
  [[nodiscard]] GridOptions EffectiveOptions() const { return applied_; }
  // 3-D look of the fixed cells.
  [[nodiscard]] bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool on);
  [[nodiscard]] TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  [[nodiscard]] TAlignment FixedAlignment() const { return fixedAlignment_; }
  void SetFixedAlignment(TAlignment alignment);
  [[nodiscard]] TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout layout);
  [[nodiscard]] TTextLayout FixedLayout() const { return fixedLayout_; }
  void SetFixedLayout(TTextLayout layout);
  [[nodiscard]] bool FocusDraw() const { return focusDraw_; }
  void SetFocusDraw(bool on);
  [[nodiscard]] bool CellDivide() const { return cellDivide_; }
  void SetCellDivide(bool on);
  [[nodiscard]] TImeMode ImeMode() const { return imeMode_; }
  void SetImeMode(TImeMode mode);
  // On: Qt's own item drawing instead of PaintCell.
  [[nodiscard]] bool DefaultDrawing() const { return defaultDrawing_; }
  void SetDefaultDrawing(bool on);

  [[nodiscard]] TSCGCellParams& CellParams() { return params_; }
  [[nodiscard]] TSCGCellFonts& Fonts() { return fonts_; }

  // ---- cell attributes from code: the cell's parameter, or a new one with
  // both colours enabled. Throw GridRangeError outside the grid.
  void SetCellAlignment(int col, int row, TAlignment alignment);
  void SetCellFontColor(int col, int row, const QColor& colour);
  void SetCellFontWidth(int col, int row, int width);
  void SetCellColor(int col, int row, const QColor& colour);

  // While loading, parameters may refer to fonts not yet added and ranges
  // may be momentarily inverted. The end selects the current cell again.
  void BeginLoading() { ++loading_; }
  void EndLoading();

  // The font a cell is drawn and edited with.
  [[nodiscard]] QFont CellFont(int col, int row) const;

  // Draws cell (col, row) into `cell` (without its grid lines).
  void PaintCell(QPainter& painter, const QRect& cell, int col, int row);

  // Hooks that change what is drawn; called while painting.
  OutCellTextHandler OnOutCellText;
  DrawTextOneLineHandler OnDrawTextOneLine;
  DrawCellHandler OnDrawCell;

 signals:
  // Emitted while a move of the current cell is decided, with the old and
  // the new cell; a handler may call RefuseCellChange().
  void CellChanged(int oldCol, int oldRow, int newCol, int newRow);
  void ColChanged(int oldCol, int oldRow, int newCol, int newRow);
  void RowChanged(int oldCol, int oldRow, int newCol, int newRow);
  void BeforeDraw();
  // A mouse press on a normal cell, or a key that moved the current cell.
  void Click();
  void DblClick();
  // The user dragged row `from` to row `to`; the texts have moved already.
  void RowMoved(int from, int to);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class Delegate;
  class Header;
  class SelectionModel;

  // CellParamHost
  [[nodiscard]] bool IsLoading() const override { return loading_ > 0; }
  [[nodiscard]] GridOptions StoredOptions() const override { return options_; }
  [[nodiscard]] QFont GridFont() const override { return font(); }
  void CellParamsChanged() override;

  // Paints a whole section: the cell and its right and bottom grid line.
  void PaintSection(QPainter& painter, const QRect& section, int col, int row);
  [[nodiscard]] TSCGCellParam& ParamForCode(int col, int row);
  void CheckCell(int col, int row) const;
  // Runs the enter/exit handlers and signals for a move to `index`; false
  // refuses it.
  bool SelectCell(const QModelIndex& index);
  void ApplyCellSettings(int col, int row);
  void ApplyOptions(GridOptions options);
  void RememberCell();
  void ResetCurrentCell();
  void UpdateHeaders();
  void RepaintAll();
  void OnSectionMoved(int logical, int oldVisual, int newVisual);
  void ApplyEditorSettings(QWidget* editor, int col, int row) const;
  void WarnMissingFont(const QString& name);

  StrColGridModel* model_;
  SelectionModel* selection_;
  Header* top_;
  Header* side_;
  QWidget* corner_ = nullptr;
  TSCGCellParams params_;
  TSCGCellFonts fonts_;

  GridOptions options_;
  GridOptions applied_;
  bool ctl3D_ = true;
  TAlignment alignment_ = TAlignment::LeftJustify;
  TAlignment fixedAlignment_ = TAlignment::LeftJustify;
  TTextLayout layout_ = TTextLayout::Top;
  TTextLayout fixedLayout_ = TTextLayout::Top;
  bool focusDraw_ = true;
  bool cellDivide_ = true;
  bool defaultDrawing_ = false;
  bool focusCellFontColorEnabled_ = false;
  TImeMode imeMode_ = TImeMode::DontCare;
  QColor color_, fixedColor_, fontColor_, focusCellColor_, focusCellFontColor_;

  int defaultColWidth_ = 64;
  int defaultRowHeight_ = 24;
  int fixedColWidth_ = 64;
  int fixedRowHeight_ = 24;

  int lastCol_ = -1;
  int lastRow_ = -1;
  int loading_ = 0;
  bool refused_ = false;
  // Structure changes move the current cell without the user: no events.
  bool quiet_ = false;
  QSet<QString> warnedFonts_;

  // Row dragging inside the cells when there is no fixed column.
  int dragRow_ = -1;
  bool dragging_ = false;
};

}  // namespace kelvane
