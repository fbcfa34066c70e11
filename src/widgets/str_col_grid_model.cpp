#include "widgets/str_col_grid_model.h"

#include <algorithm>

namespace kelvane {

StrColGridModel::StrColGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void StrColGridModel::SetColCount(int count) {
  count = std::max(0, count);
  if (count == colCount_) return;
  beginResetModel();
  colCount_ = count;
  fixedCols_ = std::min(fixedCols_, count);
  for (QStringList& row : rows_) {
    if (row.size() > count) row.resize(count);
  }
  endResetModel();
}

void StrColGridModel::SetRowCount(int count) {
  count = std::max(0, count);
  const int old = RowCount();
  if (count == old) return;
  if (count < fixedRows_) {
    beginResetModel();
    rows_.resize(count);
    fixedRows_ = count;
    endResetModel();
    return;
  }
  // Rows come and go at the end in one step each way, however many there are.
  if (count > old) {
    beginInsertRows({}, old - fixedRows_, count - fixedRows_ - 1);
    rows_.resize(count);
    endInsertRows();
  } else {
    beginRemoveRows({}, count - fixedRows_, old - fixedRows_ - 1);
    rows_.resize(count);
    endRemoveRows();
  }
}

void StrColGridModel::SetFixed(int cols, int rows) {
  cols = std::clamp(cols, 0, colCount_);
  rows = std::clamp(rows, 0, RowCount());
  if (cols == fixedCols_ && rows == fixedRows_) return;
  beginResetModel();
  fixedCols_ = cols;
  fixedRows_ = rows;
  endResetModel();
}

QString StrColGridModel::Cell(int col, int row) const {
  if (!Contains(col, row)) return {};
  return rows_[row].value(col);
}

void StrColGridModel::SetCell(int col, int row, const QString& text) {
  QStringList& cells = rows_[row];
  if (col >= cells.size()) {
    if (text.isEmpty()) return;
    cells.resize(col + 1);
  }
  cells[col] = text;
  NotifyCell(col, row);
}

void StrColGridModel::SetRowTexts(int row, const QStringList& texts) {
  rows_[row] = texts.size() > colCount_ ? texts.mid(0, colCount_) : texts;
  if (updating_) return;
  if (row < fixedRows_) {
    if (colCount_ > fixedCols_)
      emit headerDataChanged(Qt::Horizontal, 0, colCount_ - fixedCols_ - 1);
    emit FixedCellChanged(0, row);
    return;
  }
  if (fixedCols_) NotifyCell(0, row);
  if (colCount_ > fixedCols_) {
    emit dataChanged(IndexOf(fixedCols_, row), IndexOf(colCount_ - 1, row));
  }
}

QStringList StrColGridModel::RowTexts(int row) const {
  if (row < 0 || row >= RowCount()) return {};
  QStringList texts = rows_[row];
  texts.resize(colCount_);
  return texts;
}

void StrColGridModel::ClearCells() {
  BeginUpdate();
  for (QStringList& row : rows_) row.clear();
  EndUpdate();
}

void StrColGridModel::MoveRow(int from, int to) {
  if (from == to) return;
  const int source = from - fixedRows_;
  const int destination = to > from ? to - fixedRows_ + 1 : to - fixedRows_;
  beginMoveRows({}, source, source, {}, destination);
  if (to > from) {
    std::rotate(rows_.begin() + from, rows_.begin() + from + 1, rows_.begin() + to + 1);
  } else {
    std::rotate(rows_.begin() + to, rows_.begin() + from, rows_.begin() + from + 1);
  }
  endMoveRows();
  if (fixedCols_) {
    emit headerDataChanged(Qt::Vertical, std::min(source, to - fixedRows_),
                           std::max(source, to - fixedRows_));
    emit FixedCellChanged(0, to);
  }
}

void StrColGridModel::BeginUpdate() { ++updating_; }

void StrColGridModel::EndUpdate() {
  if (updating_ == 0 || --updating_ > 0) return;
  const int rows = rowCount();
  const int cols = columnCount();
  if (rows > 0 && cols > 0) emit dataChanged(index(0, 0), index(rows - 1, cols - 1));
  if (cols > 0) emit headerDataChanged(Qt::Horizontal, 0, cols - 1);
  if (rows > 0) emit headerDataChanged(Qt::Vertical, 0, rows - 1);
  emit FixedCellChanged(0, 0);
}

QModelIndex StrColGridModel::IndexOf(int col, int row) const {
  if (col < fixedCols_ || row < fixedRows_ || !Contains(col, row)) return {};
  return index(row - fixedRows_, col - fixedCols_);
}

void StrColGridModel::NotifyCell(int col, int row) {
  if (updating_) return;
  if (col >= fixedCols_ && row >= fixedRows_) {
    const QModelIndex at = IndexOf(col, row);
    emit dataChanged(at, at, {Qt::DisplayRole, Qt::EditRole});
    return;
  }
  if (row < fixedRows_ && col >= fixedCols_) {
    emit headerDataChanged(Qt::Horizontal, col - fixedCols_, col - fixedCols_);
  }
  if (col < fixedCols_ && row >= fixedRows_) {
    emit headerDataChanged(Qt::Vertical, row - fixedRows_, row - fixedRows_);
  }
  emit FixedCellChanged(col, row);
}

int StrColGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : RowCount() - fixedRows_;
}

int StrColGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : colCount_ - fixedCols_;
}

QVariant StrColGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  return Cell(ColOf(index), RowOf(index));
}

QVariant StrColGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) {
    return fixedRows_ ? QVariant(Cell(section + fixedCols_, 0)) : QVariant();
  }
  return fixedCols_ ? QVariant(Cell(0, section + fixedRows_)) : QVariant();
}

Qt::ItemFlags StrColGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (editable_) flags |= Qt::ItemIsEditable;
  return flags;
}

bool StrColGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  SetCell(ColOf(index), RowOf(index), value.toString());
  return true;
}

}  // namespace kelvane
