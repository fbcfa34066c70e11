#pragma once
// The texts of a column grid. All cells, fixed ones included, are stored in
// grid coordinates (column, row); the Qt model shows only the normal cells
// and hands the fixed row and column to the headers.

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace kelvane {

class StrColGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit StrColGridModel(QObject* parent = nullptr);

  [[nodiscard]] int ColCount() const { return colCount_; }
  [[nodiscard]] int RowCount() const { return static_cast<int>(rows_.size()); }
  [[nodiscard]] int FixedCols() const { return fixedCols_; }
  [[nodiscard]] int FixedRows() const { return fixedRows_; }
  // Counts below 0 count as 0; fixed counts never exceed the counts.
  void SetColCount(int count);
  void SetRowCount(int count);
  void SetFixed(int cols, int rows);

  [[nodiscard]] bool Contains(int col, int row) const {
    return col >= 0 && row >= 0 && col < colCount_ && row < RowCount();
  }
  // Empty outside the grid.
  [[nodiscard]] QString Cell(int col, int row) const;
  // Callers check the position.
  void SetCell(int col, int row, const QString& text);
  // Row `row` takes `texts` from column 0 on; extra texts are dropped,
  // missing ones read as empty.
  void SetRowTexts(int row, const QStringList& texts);
  [[nodiscard]] QStringList RowTexts(int row) const;
  void ClearCells();
  // Moves the texts of row `from` to row `to`, shifting the rows between.
  void MoveRow(int from, int to);

  // Between these, changes of texts send no per-cell signals; the end sends
  // one change of everything.
  void BeginUpdate();
  void EndUpdate();

  // Model index of a normal cell; invalid for fixed cells.
  [[nodiscard]] QModelIndex IndexOf(int col, int row) const;
  [[nodiscard]] int ColOf(const QModelIndex& index) const { return index.column() + fixedCols_; }
  [[nodiscard]] int RowOf(const QModelIndex& index) const { return index.row() + fixedRows_; }

  void SetEditable(bool editable) { editable_ = editable; }

  [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
  [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
  [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
  [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                    int role) const override;
  [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 signals:
  // A fixed cell's text changed (the headers and the corner repaint).
  void FixedCellChanged(int col, int row);

 private:
  void NotifyCell(int col, int row);

  std::vector<QStringList> rows_;
  int colCount_ = 0;
  int fixedCols_ = 0;
  int fixedRows_ = 0;
  int updating_ = 0;
  bool editable_ = false;
};

}  // namespace kelvane
