#include "widgets/str_col_grid.h"

#include "widgets/scg_cell_drawing.h"
#include "widgets/str_col_grid_model.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QtDebug>

#include <algorithm>
#include <climits>

namespace kelvane {

namespace {

const QString kOutOfGrid = QStringLiteral("ｾﾙ位置がｸﾞﾘｯﾄﾞの範囲を超えました。");

// A cell is at most as wide or high as the header's largest section, less
// the grid line that its section adds: a width read from a file can be any
// number, and the header ignores a larger one.
int cellSide(int size, const QHeaderView* header) {
  return std::clamp(size, 0, header->maximumSectionSize() - 1);
}
const QString kUnknownFont =
    QStringLiteral("CellParams で指定されたフォント名が Fonts に登録されていません");

bool ImeOn(TImeMode mode) { return mode != TImeMode::Disable && mode != TImeMode::Close; }

Qt::Alignment HorizontalFlag(TAlignment alignment) {
  switch (alignment) {
    case TAlignment::RightJustify:
      return Qt::AlignRight;
    case TAlignment::Center:
      return Qt::AlignHCenter;
    case TAlignment::LeftJustify:
      break;
  }
  return Qt::AlignLeft;
}

QColor OrPalette(const QColor& colour, const QWidget& widget, QPalette::ColorRole role) {
  return colour.isValid() ? colour : widget.palette().color(role);
}

}  // namespace

// ------------------------------------------------------------ helper classes

class TStrColGrid::Delegate : public QStyledItemDelegate {
 public:
  explicit Delegate(TStrColGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    if (grid_->defaultDrawing_) {
      QStyledItemDelegate::paint(painter, option, index);
      return;
    }
    grid_->PaintSection(*painter, option.rect, grid_->model_->ColOf(index),
                        grid_->model_->RowOf(index));
  }

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (editor) {
      grid_->ApplyEditorSettings(editor, grid_->model_->ColOf(index), grid_->model_->RowOf(index));
    }
    return editor;
  }

 private:
  TStrColGrid* grid_;
};

// The fixed row (horizontal) or the fixed column (vertical), drawn cell by
// cell like the normal cells.
class TStrColGrid::Header : public QHeaderView {
 public:
  Header(Qt::Orientation orientation, TStrColGrid* grid)
      : QHeaderView(orientation, grid), grid_(grid) {
    setMinimumSectionSize(1);
    setHighlightSections(false);
    setSectionsClickable(false);
  }

  QSize sizeHint() const override {
    if (orientation() == Qt::Horizontal) return {length(), grid_->fixedRowHeight_ + 1};
    return {grid_->fixedColWidth_ + 1, length()};
  }

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logical) const override {
    if (grid_->defaultDrawing_) {
      QHeaderView::paintSection(painter, rect, logical);
      return;
    }
    if (orientation() == Qt::Horizontal) {
      grid_->PaintSection(*painter, rect, logical + grid_->FixedCols(), 0);
    } else {
      grid_->PaintSection(*painter, rect, 0, logical + grid_->FixedRows());
    }
  }

  void mouseDoubleClickEvent(QMouseEvent* event) override {
    QHeaderView::mouseDoubleClickEvent(event);
    emit grid_->DblClick();
  }

 private:
  TStrColGrid* grid_;
};

// Asks the grid before the current cell moves, so that a handler can keep
// the old one. Mouse presses move the current cell first and select after;
// a refused move therefore also cancels the selection that follows it.
class TStrColGrid::SelectionModel : public QItemSelectionModel {
 public:
  SelectionModel(QAbstractItemModel* model, TStrColGrid* grid)
      : QItemSelectionModel(model, grid), grid_(grid) {}

  void setCurrentIndex(const QModelIndex& index, SelectionFlags command) override {
    refusedLast_ = false;
    if (grid_ && !grid_->quiet_ && index.isValid() && !grid_->SelectCell(index)) {
      refusedLast_ = true;
      return;
    }
    QItemSelectionModel::setCurrentIndex(index, command);
    if (grid_ && index.isValid()) grid_->RememberCell();
  }

  [[nodiscard]] bool RefusedLast() const { return refusedLast_; }
  // The grid is going away: its children may still move the current cell.
  void Detach() { grid_ = nullptr; }

 private:
  TStrColGrid* grid_;
  bool refusedLast_ = false;
};

// --------------------------------------------------------------------- grid

TStrColGrid::TStrColGrid(QWidget* parent)
    : QTableView(parent), model_(new StrColGridModel(this)), params_(this), fonts_(this) {
  params_.SetFonts(&fonts_);
  fonts_.SetParams(&params_);
  options_ = applied_ = DefaultGridOptions();
  model_->SetColCount(5);
  model_->SetRowCount(5);
  model_->SetFixed(1, 1);

  top_ = new Header(Qt::Horizontal, this);
  side_ = new Header(Qt::Vertical, this);
  setHorizontalHeader(top_);
  setVerticalHeader(side_);
  // Qt would fit a column to its contents on a double click of its border.
  disconnect(top_, &QHeaderView::sectionHandleDoubleClicked, this, nullptr);
  top_->setDefaultSectionSize(defaultColWidth_ + 1);
  side_->setDefaultSectionSize(defaultRowHeight_ + 1);
  side_->setSectionResizeMode(QHeaderView::Fixed);

  setModel(model_);
  QItemSelectionModel* standard = selectionModel();
  selection_ = new SelectionModel(model_, this);
  setSelectionModel(selection_);
  delete standard;

  setItemDelegate(new Delegate(this));
  setShowGrid(false);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  corner_ = findChild<QAbstractButton*>();
  if (corner_) corner_->installEventFilter(this);

  connect(side_, &QHeaderView::sectionMoved, this, &TStrColGrid::OnSectionMoved);
  connect(model_, &StrColGridModel::FixedCellChanged, this, [this](int col, int row) {
    if (corner_ && col < FixedCols() && row < FixedRows()) corner_->update();
  });
  connect(model_, &QAbstractItemModel::modelReset, this, &TStrColGrid::ResetCurrentCell);
  connect(model_, &QAbstractItemModel::rowsInserted, this, &TStrColGrid::ResetCurrentCell);

  ApplyOptions(options_);
  UpdateHeaders();
  ResetCurrentCell();
}

TStrColGrid::~TStrColGrid() {
  quiet_ = true;
  selection_->Detach();
}

// ---- size and texts

int TStrColGrid::ColCount() const { return model_->ColCount(); }
int TStrColGrid::RowCount() const { return model_->RowCount(); }
int TStrColGrid::FixedCols() const { return model_->FixedCols(); }
int TStrColGrid::FixedRows() const { return model_->FixedRows(); }

void TStrColGrid::SetColCount(int count) {
  // A reset of the columns would forget their widths.
  std::vector<int> widths;
  for (int c = 0; c < std::min(ColCount(), std::max(0, count)); ++c) widths.push_back(ColWidths(c));
  quiet_ = true;
  model_->SetColCount(count);
  for (int c = 0; c < static_cast<int>(widths.size()); ++c) SetColWidths(c, widths[c]);
  quiet_ = false;
  UpdateHeaders();
  ResetCurrentCell();
}

void TStrColGrid::SetRowCount(int count) {
  quiet_ = true;
  model_->SetRowCount(count);
  quiet_ = false;
  UpdateHeaders();
  ResetCurrentCell();
}

void TStrColGrid::SetFixedCols(int count) {
  std::vector<int> widths;
  for (int c = 0; c < ColCount(); ++c) widths.push_back(ColWidths(c));
  quiet_ = true;
  model_->SetFixed(std::clamp(count, 0, 1), FixedRows());
  for (int c = 0; c < ColCount(); ++c) SetColWidths(c, widths[c]);
  quiet_ = false;
  UpdateHeaders();
  ApplyOptions(applied_);
  ResetCurrentCell();
}

void TStrColGrid::SetFixedRows(int count) {
  std::vector<int> widths;
  for (int c = 0; c < ColCount(); ++c) widths.push_back(ColWidths(c));
  quiet_ = true;
  model_->SetFixed(FixedCols(), std::clamp(count, 0, 1));
  for (int c = 0; c < ColCount(); ++c) SetColWidths(c, widths[c]);
  quiet_ = false;
  UpdateHeaders();
  ResetCurrentCell();
}

QString TStrColGrid::Cells(int col, int row) const { return model_->Cell(col, row); }

void TStrColGrid::SetCells(int col, int row, const QString& text) {
  CheckCell(col, row);
  model_->SetCell(col, row, text);
}

void TStrColGrid::SetRowTexts(int row, const QStringList& texts) {
  CheckCell(0, row);
  model_->SetRowTexts(row, texts);
}

QStringList TStrColGrid::RowTexts(int row) const { return model_->RowTexts(row); }

void TStrColGrid::ClearCells() { model_->ClearCells(); }

void TStrColGrid::BeginUpdate() { model_->BeginUpdate(); }

void TStrColGrid::EndUpdate() { model_->EndUpdate(); }

void TStrColGrid::MoveRow(int from, int to) {
  CheckCell(0, from);
  CheckCell(0, to);
  if (from < FixedRows() || to < FixedRows()) throw GridRangeError(kOutOfGrid);
  quiet_ = true;
  model_->MoveRow(from, to);
  quiet_ = false;
  RememberCell();
}

// ---- geometry

int TStrColGrid::ColWidths(int col) const {
  if (col < 0 || col >= ColCount()) throw GridRangeError(kOutOfGrid);
  if (col < FixedCols()) return fixedColWidth_;
  return top_->sectionSize(col - FixedCols()) - 1;
}

void TStrColGrid::SetColWidths(int col, int width) {
  if (col < 0 || col >= ColCount()) throw GridRangeError(kOutOfGrid);
  width = cellSide(width, top_);
  if (col < FixedCols()) {
    fixedColWidth_ = width;
    updateGeometries();
    return;
  }
  top_->resizeSection(col - FixedCols(), width + 1);
}

int TStrColGrid::RowHeights(int row) const {
  if (row < 0 || row >= RowCount()) throw GridRangeError(kOutOfGrid);
  if (row < FixedRows()) return fixedRowHeight_;
  return side_->sectionSize(row - FixedRows()) - 1;
}

void TStrColGrid::SetRowHeights(int row, int height) {
  if (row < 0 || row >= RowCount()) throw GridRangeError(kOutOfGrid);
  height = cellSide(height, side_);
  if (row < FixedRows()) {
    fixedRowHeight_ = height;
    updateGeometries();
    return;
  }
  side_->resizeSection(row - FixedRows(), height + 1);
}

void TStrColGrid::SetDefaultColWidth(int width) {
  defaultColWidth_ = cellSide(width, top_);
  fixedColWidth_ = defaultColWidth_;
  top_->setDefaultSectionSize(defaultColWidth_ + 1);
  updateGeometries();
}

void TStrColGrid::SetDefaultRowHeight(int height) {
  defaultRowHeight_ = cellSide(height, side_);
  fixedRowHeight_ = defaultRowHeight_;
  side_->setDefaultSectionSize(defaultRowHeight_ + 1);
  updateGeometries();
}

QRect TStrColGrid::CellRect(int col, int row) const {
  if (!model_->Contains(col, row)) return {};
  const bool fixedCol = col < FixedCols();
  const bool fixedRow = row < FixedRows();
  const int x = fixedCol ? 0 : top_->sectionViewportPosition(col - FixedCols());
  const int y = fixedRow ? 0 : side_->sectionViewportPosition(row - FixedRows());
  const QPoint origin(fixedCol ? side_->x() : viewport()->x() + x,
                      fixedRow ? top_->y() : viewport()->y() + y);
  return {origin, QSize(ColWidths(col), RowHeights(row))};
}

// ---- current cell and selection

int TStrColGrid::Col() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? model_->ColOf(current) : FixedCols();
}

int TStrColGrid::Row() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? model_->RowOf(current) : FixedRows();
}

void TStrColGrid::SetCol(int col) { SetCurrentCell(col, Row()); }

void TStrColGrid::SetRow(int row) { SetCurrentCell(Col(), row); }

void TStrColGrid::SetCurrentCell(int col, int row) {
  const QModelIndex index = model_->IndexOf(col, row);
  if (!index.isValid()) throw GridRangeError(kOutOfGrid);
  QItemSelectionModel::SelectionFlags command = QItemSelectionModel::ClearAndSelect;
  if (applied_.testFlag(GridOption::RowSelect)) command |= QItemSelectionModel::Rows;
  selection_->setCurrentIndex(index, command);
  scrollTo(index);
}

TGridRect TStrColGrid::Selection() const {
  const QItemSelection selection = selection_->selection();
  if (selection.isEmpty()) return {Col(), Row(), Col(), Row()};
  TGridRect r{INT_MAX, INT_MAX, -1, -1};
  for (const QItemSelectionRange& range : selection) {
    r.Left = std::min(r.Left, range.left());
    r.Top = std::min(r.Top, range.top());
    r.Right = std::max(r.Right, range.right());
    r.Bottom = std::max(r.Bottom, range.bottom());
  }
  return {r.Left + FixedCols(), r.Top + FixedRows(), r.Right + FixedCols(), r.Bottom + FixedRows()};
}

bool TStrColGrid::SelectCell(const QModelIndex& index) {
  const CellMove move{lastCol_, lastRow_, model_->ColOf(index), model_->RowOf(index)};
  ApplyCellSettings(move.newCol, move.newRow);
  if (move.newCol == move.oldCol && move.newRow == move.oldRow) return true;
  const bool colMoved = move.newCol != move.oldCol;
  const bool rowMoved = move.newRow != move.oldRow;
  TSCGCellParam* entered = params_.Find(move.newCol, move.newRow);
  TSCGCellParam* left = move.oldCol >= 0 ? params_.Find(move.oldCol, move.oldRow) : nullptr;

  bool ok = true;
  const auto run = [&](const CellMoveHandler& handler, bool when) {
    if (!ok || !when || !handler) return;
    try {
      ok = handler(*this, move);
    } catch (...) {
      ok = false;
    }
  };
  if (left) {
    run(left->OnExitCell, true);
    run(left->OnExitCol, colMoved);
    run(left->OnExitRow, rowMoved);
  }
  if (entered) {
    run(entered->OnEnterCell, true);
    run(entered->OnEnterCol, colMoved);
    run(entered->OnEnterRow, rowMoved);
  }
  using Signal = void (TStrColGrid::*)(int, int, int, int);
  const auto notify = [&](Signal signal, bool when) {
    if (!ok || !when) return;
    refused_ = false;
    try {
      (this->*signal)(move.oldCol, move.oldRow, move.newCol, move.newRow);
    } catch (...) {
      refused_ = true;
    }
    ok = !refused_;
    refused_ = false;
  };
  notify(&TStrColGrid::CellChanged, true);
  notify(&TStrColGrid::ColChanged, colMoved);
  notify(&TStrColGrid::RowChanged, rowMoved);

  if (!ok) ApplyCellSettings(move.oldCol, move.oldRow);
  return ok;
}

void TStrColGrid::ApplyCellSettings(int col, int row) {
  const TSCGCellParam* p = params_.Find(col, row);
  ApplyOptions(p && p->OptionsEnabled() ? p->Options() : options_);
  setAttribute(Qt::WA_InputMethodEnabled,
               ImeOn(p && p->ImeModeEnabled() ? p->ImeMode() : imeMode_));
}

void TStrColGrid::ApplyEditorSettings(QWidget* editor, int col, int row) const {
  const TSCGCellParam* p = params_.Find(col, row);
  editor->setFont(CellFont(col, row));
  editor->setAttribute(Qt::WA_InputMethodEnabled,
                       ImeOn(p && p->ImeModeEnabled() ? p->ImeMode() : imeMode_));
}

void TStrColGrid::ApplyOptions(GridOptions options) {
  const bool changed = options != applied_;
  applied_ = options;
  setSelectionBehavior(options.testFlag(GridOption::RowSelect) ? SelectRows : SelectItems);
  setSelectionMode(options.testFlag(GridOption::RangeSelect) ? ContiguousSelection
                                                             : SingleSelection);
  const bool editing = options.testFlag(GridOption::Editing);
  model_->SetEditable(editing);
  setEditTriggers(editing ? (DoubleClicked | EditKeyPressed | AnyKeyPressed) : NoEditTriggers);
  setTabKeyNavigation(options.testFlag(GridOption::Tabs));
  const QHeaderView::ResizeMode resize =
      options.testFlag(GridOption::ColSizing) ? QHeaderView::Interactive : QHeaderView::Fixed;
  if (top_->count() > 0 && top_->sectionResizeMode(0) != resize) top_->setSectionResizeMode(resize);
  if (top_->count() == 0) top_->setSectionResizeMode(resize);
  side_->setSectionsMovable(options.testFlag(GridOption::RowMoving) && FixedCols() > 0);
  if (changed) RepaintAll();
}

void TStrColGrid::RememberCell() {
  lastCol_ = Col();
  lastRow_ = Row();
}

void TStrColGrid::ResetCurrentCell() {
  // The current cell is never left without a cell while there are normal
  // cells, as a string grid always has one.
  if (!currentIndex().isValid() && model_->rowCount() > 0 && model_->columnCount() > 0) {
    QItemSelectionModel::SelectionFlags command = QItemSelectionModel::ClearAndSelect;
    if (applied_.testFlag(GridOption::RowSelect)) command |= QItemSelectionModel::Rows;
    const bool quiet = quiet_;
    quiet_ = true;
    selection_->setCurrentIndex(model_->index(0, 0), command);
    quiet_ = quiet;
  }
  RememberCell();
}

// ---- colours and behaviour

QColor TStrColGrid::Color() const { return OrPalette(color_, *this, QPalette::Base); }

void TStrColGrid::SetColor(const QColor& colour) {
  color_ = colour;
  QPalette palette = viewport()->palette();
  palette.setColor(QPalette::Base, Color());
  viewport()->setPalette(palette);
  RepaintAll();
}

QColor TStrColGrid::FixedColor() const { return OrPalette(fixedColor_, *this, QPalette::Button); }

void TStrColGrid::SetFixedColor(const QColor& colour) {
  fixedColor_ = colour;
  RepaintAll();
}

QColor TStrColGrid::FontColor() const { return OrPalette(fontColor_, *this, QPalette::Text); }

void TStrColGrid::SetFontColor(const QColor& colour) {
  fontColor_ = colour;
  RepaintAll();
}

QColor TStrColGrid::FocusCellColor() const {
  return OrPalette(focusCellColor_, *this, QPalette::Highlight);
}

void TStrColGrid::SetFocusCellColor(const QColor& colour) {
  focusCellColor_ = colour;
  RepaintAll();
}

QColor TStrColGrid::FocusCellFontColor() const {
  return OrPalette(focusCellFontColor_, *this, QPalette::HighlightedText);
}

void TStrColGrid::SetFocusCellFontColor(const QColor& colour) {
  focusCellFontColor_ = colour;
  RepaintAll();
}

void TStrColGrid::SetFocusCellFontColorEnabled(bool on) {
  focusCellFontColorEnabled_ = on;
  RepaintAll();
}

void TStrColGrid::SetOptions(GridOptions options) {
  options_ = options;
  ApplyCellSettings(Col(), Row());
  if (options.testFlag(GridOption::RowSelect) && currentIndex().isValid()) {
    selection_->select(currentIndex(),
                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
}

void TStrColGrid::SetCtl3D(bool on) {
  ctl3D_ = on;
  RepaintAll();
}

void TStrColGrid::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  RepaintAll();
}

void TStrColGrid::SetFixedAlignment(TAlignment alignment) {
  fixedAlignment_ = alignment;
  RepaintAll();
}

void TStrColGrid::SetLayout(TTextLayout layout) {
  layout_ = layout;
  RepaintAll();
}

void TStrColGrid::SetFixedLayout(TTextLayout layout) {
  fixedLayout_ = layout;
  RepaintAll();
}

void TStrColGrid::SetFocusDraw(bool on) {
  focusDraw_ = on;
  RepaintAll();
}

void TStrColGrid::SetCellDivide(bool on) {
  cellDivide_ = on;
  RepaintAll();
}

void TStrColGrid::SetImeMode(TImeMode mode) {
  imeMode_ = mode;
  ApplyCellSettings(Col(), Row());
}

void TStrColGrid::SetDefaultDrawing(bool on) {
  defaultDrawing_ = on;
  RepaintAll();
}

// ---- cell attributes from code

void TStrColGrid::CheckCell(int col, int row) const {
  if (!model_->Contains(col, row)) throw GridRangeError(kOutOfGrid);
}

TSCGCellParam& TStrColGrid::ParamForCode(int col, int row) {
  CheckCell(col, row);
  if (TSCGCellParam* p = params_.Find(col, row)) return *p;
  TSCGCellParam& p = params_.Add();
  p.SetCol(col);
  p.SetRow(row);
  p.SetFontColor(FontColor());
  p.SetFontColorEnabled(true);
  p.SetCellColor(col < FixedCols() || row < FixedRows() ? FixedColor() : Color());
  p.SetCellColorEnabled(true);
  return p;
}

void TStrColGrid::SetCellAlignment(int col, int row, TAlignment alignment) {
  ParamForCode(col, row).SetAlignment(alignment);
}

void TStrColGrid::SetCellFontColor(int col, int row, const QColor& colour) {
  ParamForCode(col, row).SetFontColor(colour);
}

void TStrColGrid::SetCellFontWidth(int col, int row, int width) {
  ParamForCode(col, row).SetFontWidth(width);
}

void TStrColGrid::SetCellColor(int col, int row, const QColor& colour) {
  TSCGCellParam& p = ParamForCode(col, row);
  p.SetCellColor(colour);
  p.SetCellColorEnabled(true);
}

void TStrColGrid::EndLoading() {
  if (loading_ == 0 || --loading_ > 0) return;
  RememberCell();
  ApplyCellSettings(Col(), Row());
  RepaintAll();
}

void TStrColGrid::CellParamsChanged() { RepaintAll(); }

void TStrColGrid::RepaintAll() {
  viewport()->update();
  top_->viewport()->update();
  side_->viewport()->update();
  if (corner_) corner_->update();
}

void TStrColGrid::UpdateHeaders() {
  top_->setVisible(FixedRows() > 0);
  side_->setVisible(FixedCols() > 0);
  updateGeometries();
  RepaintAll();
}

void TStrColGrid::OnSectionMoved(int /*logical*/, int oldVisual, int newVisual) {
  // The header only shows the move; the texts move in the model and the
  // sections go back, so that section n stays row n.
  {
    const QSignalBlocker block(side_);
    side_->moveSection(newVisual, oldVisual);
  }
  const int from = oldVisual + FixedRows();
  const int to = newVisual + FixedRows();
  MoveRow(from, to);
  emit RowMoved(from, to);
}

// ---- drawing

QFont TStrColGrid::CellFont(int col, int row) const {
  const TSCGCellParam* p = params_.Find(col, row);
  if (p && !p->FontName().isEmpty()) {
    if (const TSCGCellFont* f = fonts_.Find(p->FontName())) return f->Font();
  }
  return font();
}

void TStrColGrid::WarnMissingFont(const QString& name) {
  // Drawing goes on with the grid's font; a paint event must not throw.
  if (warnedFonts_.contains(name)) return;
  warnedFonts_.insert(name);
  qWarning().noquote() << kUnknownFont << name;
}

void TStrColGrid::PaintSection(QPainter& painter, const QRect& section, int col, int row) {
  painter.save();
  painter.setClipRect(section);
  const bool fixed = col < FixedCols() || row < FixedRows();
  PaintCell(painter, section.adjusted(0, 0, -1, -1), col, row);
  // Grid lines run along the right and bottom edge of each section; without
  // them the pixel keeps the background.
  const bool vertical = applied_.testFlag(fixed ? GridOption::FixedVertLine : GridOption::VertLine);
  const bool horizontal =
      applied_.testFlag(fixed ? GridOption::FixedHorzLine : GridOption::HorzLine);
  const QColor line = fixed ? QColor(Qt::black) : QColor(kSilver);
  const QColor empty = fixed ? FixedColor() : Color();
  painter.setPen(vertical ? line : empty);
  painter.drawLine(section.right(), section.top(), section.right(), section.bottom());
  painter.setPen(horizontal ? line : empty);
  painter.drawLine(section.left(), section.bottom(), section.right(), section.bottom());
  painter.restore();
}

void TStrColGrid::PaintCell(QPainter& painter, const QRect& cell, int col, int row) {
  painter.save();
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.setRenderHint(QPainter::Antialiasing, false);
  const bool fixed = col < FixedCols() || row < FixedRows();

  // 1. parameter and the options it brings
  TSCGCellParam* p = params_.Find(col, row);
  const GridOptions options = p && p->OptionsEnabled() ? p->Options() : options_;

  // 2. font and background
  QFont font = this->font();
  if (p && !p->FontName().isEmpty()) {
    if (const TSCGCellFont* f = fonts_.Find(p->FontName())) {
      font = f->Font();
    } else {
      WarnMissingFont(p->FontName());
    }
  }
  const QModelIndex index = fixed ? QModelIndex() : model_->IndexOf(col, row);
  const bool focused = !fixed && index == currentIndex();
  const bool highlighted = !fixed && IsHighlighted(hasFocus(), focusDraw_,
                                                   selection_->isSelected(index), focused, options);
  QColor background;
  QColor text = FontColor();
  if (fixed && !p) {
    background = FixedColor();
  } else if (highlighted) {
    background = FocusCellColor();
  } else if (p) {
    background = p->CellColorEnabled() ? OrPalette(p->CellColor(), *this, QPalette::Base)
                                       : (fixed ? FixedColor() : Color());
  } else {
    background = Color();
  }
  if (p && p->FontColorEnabled()) text = OrPalette(p->FontColor(), *this, QPalette::Text);
  // 3. highlighted text; with no colour of its own it takes the system's
  // highlight text, so that it stays readable on the highlight.
  if (highlighted && focusCellFontColorEnabled_) {
    text = FocusCellFontColor();
  } else if (highlighted && !(p && p->FontColorEnabled())) {
    text = palette().color(QPalette::HighlightedText);
  }
  painter.fillRect(cell, background);
  if (p && p->BrushEnabled()) painter.fillRect(cell, p->Brush());

  // 4. text, draw count, alignment and layout
  QString content;
  if (!p) {
    content = Cells(col, row);
    if (OnOutCellText) OnOutCellText(*this, col, row, content);
  } else {
    content = CombineCaption(p->CaptionType(), p->Caption(), Cells(col, row));
    if (p->OnOutCellText) p->OnOutCellText(*this, col, row, content);
  }
  const int drawCount = p ? p->FontWidth() : 1;
  const TAlignment alignment = p ? p->Alignment() : (fixed ? fixedAlignment_ : alignment_);
  const TTextLayout layout = p ? p->Layout() : (fixed ? fixedLayout_ : layout_);
  painter.setFont(font);
  const QFontMetrics metrics(font, painter.device());

  if (cellDivide_) {
    // 5. one band per line
    const QStringList lines = SplitLines(content);
    const int count = static_cast<int>(lines.size());
    for (int i = 0; i < count; ++i) {
      TextBand band{lines[i],
                    alignment,
                    layout,
                    options.testFlag(GridOption::HorzLine),
                    i,
                    count,
                    BandRect(cell, i, count)};
      if (OnDrawTextOneLine) OnDrawTextOneLine(*this, col, row, band);
      if (p && p->OnDrawTextOneLine) p->OnDrawTextOneLine(*this, col, row, band);
      const QPoint at =
          TextOrigin(band.rect, QSize(metrics.horizontalAdvance(band.text), metrics.height()),
                     band.alignment, band.layout);
      painter.save();
      painter.setClipRect(band.rect, Qt::IntersectClip);
      painter.setPen(text);
      for (int k = 0; k < drawCount; ++k) {
        painter.drawText(QPoint(at.x() + k, at.y() + metrics.ascent()), band.text);
      }
      painter.restore();
      if (!band.separator) continue;
      const QRect& r = band.rect;
      if (i > 0) {
        painter.setPen(fixed && ctl3D_ ? palette().color(QPalette::Light) : QColor(kSilver));
        painter.drawLine(r.left(), r.top(), r.right(), r.top());
      }
      if (fixed && i < count - 1) {
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
      }
    }
  } else {
    // 6. word-wrapped in the cell less 2 pixels each side
    const QRect area = cell.adjusted(2, 2, -2, -2);
    painter.setPen(text);
    for (int k = 0; k < drawCount; ++k) {
      painter.drawText(area.translated(k, 0),
                       int(HorizontalFlag(alignment) | Qt::AlignTop) | Qt::TextWordWrap, content);
    }
  }

  // 7. the owners' own drawing
  if (OnDrawCell) OnDrawCell(*this, painter, col, row, cell);
  if (p && p->OnDrawCell) p->OnDrawCell(*this, painter, col, row, cell);

  // 8. dotted focus frame, in the contrast of what lies under it (the
  // background just filled)
  if (hasFocus() && !fixed) {
    const bool ranged = p && p->RangeEnabled();
    const FrameEdges edges =
        FocusFrameEdges(options.testFlag(GridOption::RowSelect), focused, row == Row(), col,
                        ranged ? p->Col() : FixedCols(), ranged ? p->ColMax() : ColCount() - 1);
    if (edges.any()) {
      const std::vector<QPoint> points = DottedFramePoints(cell, edges);
      painter.setPen(ContrastColour(background));
      painter.drawPoints(points.data(), static_cast<int>(points.size()));
    }
  }

  // 9. 3-D frame of fixed cells
  if (fixed && ctl3D_) {
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(cell.topLeft(), cell.topRight());
    painter.drawLine(cell.topLeft(), cell.bottomLeft());
    painter.setPen(QColor(kDarkGrey));
    painter.drawLine(cell.bottomLeft(), cell.bottomRight());
    painter.drawLine(cell.topRight(), cell.bottomRight());
  }
  painter.restore();
}

// ---- events

void TStrColGrid::paintEvent(QPaintEvent* event) {
  emit BeforeDraw();
  QTableView::paintEvent(event);
}

void TStrColGrid::focusInEvent(QFocusEvent* event) {
  QTableView::focusInEvent(event);
  ApplyCellSettings(Col(), Row());
}

void TStrColGrid::focusOutEvent(QFocusEvent* event) {
  QTableView::focusOutEvent(event);
  RepaintAll();
}

void TStrColGrid::mousePressEvent(QMouseEvent* event) {
  const QModelIndex at = indexAt(event->position().toPoint());
  const bool left = event->button() == Qt::LeftButton;
  dragging_ = false;
  dragRow_ = -1;
  if (left && at.isValid() && applied_.testFlag(GridOption::RowMoving) && FixedCols() == 0) {
    dragRow_ = model_->RowOf(at);
  }
  QTableView::mousePressEvent(event);
  if (left && at.isValid()) emit Click();
}

void TStrColGrid::mouseMoveEvent(QMouseEvent* event) {
  if (dragRow_ >= 0 && (event->buttons() & Qt::LeftButton)) {
    const int over = rowAt(event->position().toPoint().y());
    if (over >= 0 && over + FixedRows() != dragRow_) dragging_ = true;
    // While a row is dragged the selection stays on it.
    if (dragging_) return;
  }
  QTableView::mouseMoveEvent(event);
}

void TStrColGrid::mouseReleaseEvent(QMouseEvent* event) {
  const int from = dragRow_;
  const bool moved = dragging_;
  dragRow_ = -1;
  dragging_ = false;
  QTableView::mouseReleaseEvent(event);
  if (!moved) return;
  const int over = rowAt(event->position().toPoint().y());
  if (over < 0) return;
  const int to = over + FixedRows();
  if (to == from) return;
  MoveRow(from, to);
  emit RowMoved(from, to);
}

void TStrColGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableView::mouseDoubleClickEvent(event);
  emit DblClick();
}

void TStrColGrid::keyPressEvent(QKeyEvent* event) {
  const QModelIndex before = currentIndex();
  QTableView::keyPressEvent(event);
  if (currentIndex() != before) emit Click();
}

void TStrColGrid::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
  if (selection_->RefusedLast()) return;
  QTableView::setSelection(rect, command);
}

bool TStrColGrid::eventFilter(QObject* watched, QEvent* event) {
  if (watched == corner_ && event->type() == QEvent::Paint && !defaultDrawing_ && FixedCols() > 0 &&
      FixedRows() > 0) {
    QPainter painter(corner_);
    PaintSection(painter, corner_->rect(), 0, 0);
    return true;
  }
  return QTableView::eventFilter(watched, event);
}

}  // namespace kelvane
