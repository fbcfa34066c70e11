#pragma once
// The register list's search fields and its monthly totals window. The
// fields above the grid say which receipts to show as they are typed into;
// the totals window shows the month-by-month sums of the rows shown and
// writes them as CSV.

#include "receipt/register_filter.h"

#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <functional>

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace kelvane {

class RegisterFindBar : public QWidget {
  Q_OBJECT

 public:
  // Typing waits this long for the next key before the rows change, so that
  // a long register is searched once per pause rather than once per key.
  static constexpr int kPauseMs = 200;

  explicit RegisterFindBar(QWidget* parent = nullptr);

  QLineEdit* dateFrom = nullptr;
  QLineEdit* dateTo = nullptr;
  QLineEdit* amountFrom = nullptr;
  QLineEdit* amountTo = nullptr;
  QLineEdit* addressee = nullptr;
  QLineEdit* number = nullptr;
  QLineEdit* description = nullptr;
  QLineEdit* staff = nullptr;
  QPushButton* showAll = nullptr;  // "すべて表示": every field emptied

  // What the fields ask; a bound that cannot be read is left out, and its
  // field is marked with the reason as its tip.
  [[nodiscard]] RegisterFilter filter() const;
  // Whether a change waits for the pause in typing to be searched.
  [[nodiscard]] bool pending() const { return pause_.isActive(); }

 signals:
  void filterChanged();

 protected:
  // Enter in a field searches at once and stays there: the list would take
  // it as the choice of the selected row.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  [[nodiscard]] QList<QLineEdit*> fields() const;
  void markBounds();
  void changedNow();

  QTimer pause_;
};

class MonthlyTotalsWindow : public QDialog {
  Q_OBJECT

 public:
  // `chooseCsv` names the CSV file to write, or gives empty when cancelled.
  MonthlyTotalsWindow(const QList<MonthTotal>& months,
                      std::function<QString(QWidget* parent)> chooseCsv, QWidget* parent);

  QTableWidget* table = nullptr;  // 年月, 件数 and the three sums, one row a month
  QPushButton* exportCsv = nullptr;

  void exportToCsv();

 private:
  QList<MonthTotal> months_;
  std::function<QString(QWidget*)> chooseCsv_;
};

}  // namespace kelvane
