#pragma once
// "CSVから一括発行": the rows of a CSV file of receipts, each with a check
// box and, for a bad row, what is wrong with it; the outputs (printer, PDF,
// register); and the run of the batch behind a progress dialog that can be
// cancelled. The receipt on screen is left as it is: the batch draws on a
// copy of the layout.

#include "app/form_dialogs.h"
#include "batch/batch_issue.h"
#include "receipt/receipt_batch.h"
#include "receipt/receipt_csv.h"

#include <QDate>
#include <QDialog>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QPrinter;
class QPushButton;
class QTableWidget;

namespace kelvane {

// What the dialog works on: the batch's setup as the window stands, the
// program's printer, and what the window does once receipts are recorded.
struct BatchIssueWork {
  // Taken when the dialog opens (to plan the list) and again at 発行.
  std::function<BatchSetup()> setup;
  QPrinter& printer;
  bool hasPrinter = false;
  const FormDialogs& dialogs;
  // The number of the receipt on screen, which the batch may have used.
  std::function<QString()> shownNumber;
  // The batch recorded receipts in the register at `path`, the last
  // automatic number given being `lastNumber`.
  std::function<void(const QString& path, std::optional<qint64> lastNumber)> recorded;
};

class BatchIssueDialog : public QDialog {
  Q_OBJECT

 public:
  BatchIssueDialog(BatchIssueWork work, QString csvPath, ReceiptCsv csv, QWidget* parent);

  // Columns of the row list.
  enum Column { RowColumn, NumberColumn, DateColumn, AddresseeColumn, AmountColumn, StateColumn };

  QLabel* fileFaults = nullptr;         // faults of the file as a whole; hidden when there are none
  QTableWidget* rows = nullptr;         // one line a data row, the check box in 行
  QCheckBox* printBox = nullptr;        // 印刷する
  QCheckBox* pdfBox = nullptr;          // PDFに出力する
  QCheckBox* recordBox = nullptr;       // 発行リストに登録する
  QPushButton* issueButton = nullptr;   // 発行 (Enter)
  QPushButton* cancelButton = nullptr;  // キャンセル
  QLabel* countLabel = nullptr;         // how many rows are checked

  // The file's row numbers of the checked lines.
  [[nodiscard]] QSet<int> checkedRows() const;
  // Whether the row is marked bad, and why.
  [[nodiscard]] QStringList faultsOf(int fileRow) const;

  // 発行: refuses while a bad row is checked, else runs the batch. Returns
  // whether receipts were issued.
  bool issue();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void fillRows(const ReceiptBatch& whole);
  void addFaults(const QList<ReceiptCsvError>& errors);
  void renumber(const QSet<int>& checked);
  void styleRow(int line, bool isChecked);
  void showSummary(const QSet<int>& checked);
  void refresh();
  void rowToggled(int line);
  void reportDone(const BatchResult& result, const QString& pdfPath);

  BatchIssueWork work_;
  QString csvPath_;
  ReceiptCsv csv_;
  // What the list's numbers and dates are planned with; the batch plans
  // again when it runs, against the register as it then stands.
  ReceiptTextSettings text_;
  ReceiptNumbering numbering_;
  ReceiptTaxSettings tax_;
  RegisterNumbers recorded_;
  QDate today_;
  QHash<int, int> lineOfRow_;       // file row → line of the list
  QList<int> emptyNumberLines_;     // lines whose number is given automatically
  QHash<int, QStringList> faults_;  // by file row
  QStringList fileFaultTexts_;      // faults of no listed row
  bool refreshing_ = false;
};

}  // namespace kelvane
