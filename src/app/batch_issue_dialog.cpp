#include "app/batch_issue_dialog.h"

#include "app/message_boxes.h"
#include "batch/batch_issue.h"
#include "layout/field_cursor.h"
#include "layout/layout_slots.h"
#include "receipt/amount_text.h"
#include "receipt/numbering.h"
#include "receipt/register_record.h"
#include "text/fixed_point.h"
#include "text/layout_text.h"
#include "text/line_file.h"
#include "widgets/nval_edit.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kelvane {

namespace {

const QString kTitle = QStringLiteral("CSVから一括発行");
const QString kConfirm = QStringLiteral("確認");
const QColor kBadColour(0xC0, 0x00, 0x00);

QString cellOf(const ReceiptCsvCells& row, const QString& column) {
  const qsizetype i = receiptCsvColumns().indexOf(column);
  return i >= 0 && i < row.cells.size() ? row.cells[i] : QString();
}

// The numbers the register holds now, for the numbers the list shows. A
// register that cannot be read shows no faults here: the batch reads it
// again when it runs and says so then.
RegisterNumbers recordedNumbers(const QString& path, const QString& header) {
  if (!QFileInfo::exists(path)) return {};
  const auto bytes = readWholeFile(path);
  if (!bytes) return {};
  return RegisterNumbersIn(*bytes, RegisterText(header));
}

// The column in front of the reason, unless the reason names it first.
QString faultText(const ReceiptCsvError& e) {
  if (e.column.isEmpty() || e.reason.startsWith(e.column)) return e.reason;
  return e.column + QStringLiteral(": ") + e.reason;
}

QString stageText(BatchStage stage, int done, int total) {
  switch (stage) {
    case BatchStage::Drawing:
      return QStringLiteral("領収書を描いています（%1 / %2）").arg(done).arg(total);
    case BatchStage::WritingPdf:
      return QStringLiteral("PDF に書き出しています（%1 / %2）").arg(done).arg(total);
    case BatchStage::Recording:
      return QStringLiteral("発行リストに登録しています");
    case BatchStage::Printing:
      return QStringLiteral("印刷しています（%1 / %2）").arg(done).arg(total);
  }
  return {};
}

// A box lists at most this many rows; the list shows every one.
constexpr int kRowsInBox = 20;

QString joinedShort(const QStringList& items, const QString& separator) {
  if (items.size() <= kRowsInBox) return items.join(separator);
  return items.first(kRowsInBox).join(separator) + separator +
         QStringLiteral("ほか %1 件").arg(items.size() - kRowsInBox);
}

QTableWidgetItem* readOnlyItem() {
  auto* item = new QTableWidgetItem;
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return item;
}

}  // namespace

BatchIssueDialog::BatchIssueDialog(BatchIssueWork work, QString csvPath, ReceiptCsv csv,
                                   QWidget* parent)
    : QDialog(parent), work_(std::move(work)), csvPath_(std::move(csvPath)), csv_(std::move(csv)) {
  setWindowTitle(kTitle);
  const BatchSetup planned = work_.setup();
  text_ = planned.text;
  numbering_ = planned.numbering;
  tax_ = planned.tax;
  recorded_ = recordedNumbers(planned.registerPath, numbering_.header);
  today_ = QDate::currentDate();

  auto* layout = new QVBoxLayout(this);
  auto* fileLabel =
      new QLabel(QStringLiteral("ファイル: %1").arg(QDir::toNativeSeparators(csvPath_)), this);
  fileLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(fileLabel);
  fileFaults = new QLabel(this);
  fileFaults->setObjectName(QStringLiteral("fileFaults"));
  fileFaults->setWordWrap(true);
  fileFaults->setStyleSheet(QStringLiteral("color: #c00000;"));
  layout->addWidget(fileFaults);

  rows = new QTableWidget(0, 6, this);
  rows->setHorizontalHeaderLabels({QStringLiteral("行"), QStringLiteral("番号"),
                                   QStringLiteral("日付"), QStringLiteral("宛名"),
                                   QStringLiteral("金額"), QStringLiteral("状態")});
  rows->setSelectionBehavior(QAbstractItemView::SelectRows);
  rows->setSelectionMode(QAbstractItemView::SingleSelection);
  rows->setEditTriggers(QAbstractItemView::NoEditTriggers);
  rows->verticalHeader()->hide();
  rows->horizontalHeader()->setStretchLastSection(true);
  rows->installEventFilter(this);
  layout->addWidget(rows, 1);
  countLabel = new QLabel(this);
  layout->addWidget(countLabel);

  auto* outputs = new QHBoxLayout;
  printBox = new QCheckBox(QStringLiteral("印刷する"), this);
  pdfBox = new QCheckBox(QStringLiteral("PDFに出力する"), this);
  recordBox = new QCheckBox(QStringLiteral("発行リストに登録する"), this);
  printBox->setEnabled(work_.hasPrinter);
  printBox->setChecked(work_.hasPrinter);
  pdfBox->setChecked(!work_.hasPrinter);
  recordBox->setChecked(true);
  for (QCheckBox* box : {printBox, pdfBox, recordBox}) {
    outputs->addWidget(box);
    connect(box, &QCheckBox::toggled, this, [this] { showSummary(checkedRows()); });
  }
  outputs->addStretch();
  issueButton = new QPushButton(QStringLiteral("発行"), this);
  cancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
  issueButton->setDefault(true);
  issueButton->setAutoDefault(true);
  cancelButton->setAutoDefault(false);
  outputs->addWidget(issueButton);
  outputs->addWidget(cancelButton);
  layout->addLayout(outputs);
  connect(issueButton, &QPushButton::clicked, this, [this] { issue(); });
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

  // Every fault at once: the file's, and the batch's against the register
  // and the settings, so the user sees each bad row before choosing.
  const ReceiptBatch whole = PlanReceiptBatch(csv_, text_, numbering_, recorded_, today_, tax_);
  fillRows(whole);
  addFaults(whole.errors);
  connect(rows, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (!refreshing_ && item->column() == RowColumn) rowToggled(item->row());
  });
  refresh();
  rows->resizeColumnsToContents();
  rows->setCurrentCell(0, RowColumn);
  rows->setFocus();
  resize(760, 480);
}

// The columns that stay as they are whatever is checked: the date and the
// amount as the receipt gets them, the addressee and the file's number.
void BatchIssueDialog::fillRows(const ReceiptBatch& whole) {
  QHash<int, const Receipt*> receiptOfRow;
  for (const BatchReceipt& b : whole.receipts) receiptOfRow.insert(b.row, &b.receipt);
  rows->setRowCount(int(csv_.cells.size()));
  for (int line = 0; line < csv_.cells.size(); ++line) {
    const ReceiptCsvCells& cells = csv_.cells[line];
    const Receipt* receipt = receiptOfRow.value(cells.row);
    lineOfRow_.insert(cells.row, line);
    auto* check = readOnlyItem();
    check->setFlags(check->flags() | Qt::ItemIsUserCheckable);
    check->setCheckState(Qt::Checked);
    check->setText(QString::number(cells.row));
    check->setData(Qt::UserRole, cells.row);
    rows->setItem(line, RowColumn, check);
    for (int column = NumberColumn; column <= StateColumn; ++column)
      rows->setItem(line, column, readOnlyItem());
    const QString number = cellOf(cells, QStringLiteral("番号"));
    rows->item(line, NumberColumn)->setText(number);
    if (number.isEmpty() && numbering_.automatic) emptyNumberLines_.append(line);
    rows->item(line, DateColumn)
        ->setText(receipt ? receipt->date->toString(QStringLiteral("yyyy/M/d"))
                          : cellOf(cells, QStringLiteral("日付")));
    QStringList addressee{cellOf(cells, QStringLiteral("宛名1")),
                          cellOf(cells, QStringLiteral("宛名2"))};
    addressee.removeAll(QString());
    rows->item(line, AddresseeColumn)->setText(addressee.join(QStringLiteral("　")));
    QTableWidgetItem* amount = rows->item(line, AmountColumn);
    amount->setText(receipt ? AmountFieldText(receipt->amount, true)
                            : cellOf(cells, QStringLiteral("領収金額")));
    amount->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
}

void BatchIssueDialog::addFaults(const QList<ReceiptCsvError>& errors) {
  const QString fileName = QFileInfo(csvPath_).fileName();
  for (const ReceiptCsvError& e : errors) {
    if (lineOfRow_.contains(e.row)) {
      QStringList& list = faults_[e.row];
      if (!list.contains(faultText(e))) list.append(faultText(e));
    } else if (const QString text = formatReceiptCsvError(fileName, e);
               !fileFaultTexts_.contains(text)) {
      fileFaultTexts_.append(text);
    }
  }
}

QSet<int> BatchIssueDialog::checkedRows() const {
  QSet<int> out;
  for (int line = 0; line < rows->rowCount(); ++line) {
    const QTableWidgetItem* item = rows->item(line, RowColumn);
    if (item->checkState() == Qt::Checked) out.insert(item->data(Qt::UserRole).toInt());
  }
  return out;
}

QStringList BatchIssueDialog::faultsOf(int fileRow) const { return faults_.value(fileRow); }

// An empty number shows the automatic number the batch would give it with
// the rows checked now; an unchecked row gets none.
void BatchIssueDialog::renumber(const QSet<int>& checked) {
  if (emptyNumberLines_.isEmpty()) return;
  ReceiptCsv part;
  for (const ReceiptCsvRow& row : csv_.rows)
    if (checked.contains(row.row)) part.rows.append(row);
  QHash<int, QString> numberOfRow;
  for (const BatchReceipt& b :
       PlanReceiptBatch(part, text_, numbering_, recorded_, today_, tax_).receipts)
    numberOfRow.insert(b.row, b.receipt.number);
  for (int line : std::as_const(emptyNumberLines_)) {
    const int row = csv_.cells[line].row;
    rows->item(line, NumberColumn)->setText(numberOfRow.value(row));
  }
}

// A bad row in red with its reasons and a warning sign, checked or not; a
// good row left out greyed.
void BatchIssueDialog::styleRow(int line, bool isChecked) {
  const QStringList faults = faults_.value(csv_.cells[line].row);
  QTableWidgetItem* state = rows->item(line, StateColumn);
  state->setText(!faults.isEmpty() ? faults.join(QStringLiteral(" / "))
                 : isChecked       ? QString()
                                   : QStringLiteral("発行しない"));
  state->setToolTip(faults.join(QLatin1Char('\n')));
  state->setIcon(faults.isEmpty() ? QIcon() : style()->standardIcon(QStyle::SP_MessageBoxWarning));
  const QBrush brush = !faults.isEmpty() ? QBrush(kBadColour)
                       : isChecked       ? QBrush()
                                         : palette().brush(QPalette::Disabled, QPalette::Text);
  for (int column = RowColumn; column <= StateColumn; ++column)
    rows->item(line, column)->setForeground(brush);
}

void BatchIssueDialog::showSummary(const QSet<int>& checked) {
  if (fileFaultTexts_.isEmpty()) {
    fileFaults->hide();
  } else {
    fileFaults->setText(QStringLiteral("このファイルからは発行できません:\n") +
                        fileFaultTexts_.join(QLatin1Char('\n')));
    fileFaults->show();
  }
  const int bad = int(std::count_if(checked.begin(), checked.end(),
                                    [this](int row) { return faults_.contains(row); }));
  countLabel->setText(
      QStringLiteral("%1 行中 %2 行を発行します").arg(rows->rowCount()).arg(checked.size()) +
      (bad ? QStringLiteral("（問題のある行 %1 行にチェックが付いています）").arg(bad)
           : QString()));
  issueButton->setEnabled(fileFaultTexts_.isEmpty() && !checked.isEmpty() &&
                          (printBox->isChecked() || pdfBox->isChecked() || recordBox->isChecked()));
}

void BatchIssueDialog::refresh() {
  refreshing_ = true;
  const QSet<int> checked = checkedRows();
  renumber(checked);
  for (int line = 0; line < rows->rowCount(); ++line)
    styleRow(line, checked.contains(csv_.cells[line].row));
  showSummary(checked);
  refreshing_ = false;
}

// One row checked or unchecked: only it and the automatic numbers change.
void BatchIssueDialog::rowToggled(int line) {
  refreshing_ = true;
  const QSet<int> checked = checkedRows();
  renumber(checked);
  styleRow(line, checked.contains(csv_.cells[line].row));
  showSummary(checked);
  refreshing_ = false;
}

// Space checks or unchecks the current row wherever the cursor is in it.
bool BatchIssueDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == rows && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
      if (QTableWidgetItem* item = rows->item(rows->currentRow(), RowColumn)) {
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
      }
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

bool BatchIssueDialog::issue() {
  if (!fileFaultTexts_.isEmpty()) return false;
  const QSet<int> checked = checkedRows();
  QList<int> bad;
  for (int row : checked)
    if (faults_.contains(row)) bad.append(row);
  std::sort(bad.begin(), bad.end());
  if (!bad.isEmpty()) {
    QStringList names;
    for (int row : bad) names.append(QStringLiteral("%1 行目").arg(row));
    info_box(
        QStringLiteral("問題のある行にチェックが付いています: %1。\r\n"
                       "その行のチェックを外すか、CSV ファイルを直してから発行してください。\r\n"
                       "何も発行していません。")
            .arg(joinedShort(names, QStringLiteral("、"))),
        kConfirm, this);
    return false;
  }
  if (checked.isEmpty()) return false;

  BatchOutputs outputs;
  if (pdfBox->isChecked()) {
    outputs.pdfPath = work_.dialogs.printPdf(this);
    if (outputs.pdfPath.isEmpty()) return false;
  }
  if (printBox->isChecked() && printBox->isEnabled()) outputs.printer = &work_.printer;
  outputs.record = recordBox->isChecked();
  const BatchSetup setup = work_.setup();

  QProgressDialog progress(stageText(BatchStage::Drawing, 0, int(checked.size())),
                           QStringLiteral("中止"), 0, int(checked.size()), this);
  progress.setWindowTitle(kTitle);
  progress.setWindowModality(Qt::WindowModal);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  progress.setMinimumDuration(0);
  progress.show();
  bool cancellable = true;
  const BatchProgress tell = [&](BatchStage stage, int done, int total) {
    progress.setLabelText(stageText(stage, done, total));
    progress.setMaximum(std::max(total, 1));
    progress.setValue(done);
    QCoreApplication::processEvents();
    if (!cancellable) return true;
    if (progress.wasCanceled()) return false;
    if (stage == BatchStage::Recording) {
      // The register is written next: from here the batch runs to its end.
      cancellable = false;
      progress.setCancelButton(nullptr);
    }
    return true;
  };
  const auto result = IssueReceiptBatch(SelectReceiptCsvRows(csv_, checked), setup, outputs, tell);
  progress.hide();

  if (!result) {
    info_box(result.error(), kConfirm, this);
    return false;
  }
  if (result->cancelled) {
    info_box(QStringLiteral("中止しました。何も発行していません。"), kConfirm, this);
    return false;
  }
  if (!result->batch.ok()) {
    // Another copy recorded one of the numbers since the list was read.
    addFaults(result->batch.errors);
    refresh();
    QStringList lines;
    const QString fileName = QFileInfo(csvPath_).fileName();
    for (const ReceiptCsvError& e : result->batch.errors)
      lines.append(formatReceiptCsvError(fileName, e));
    info_box(QStringLiteral("発行できませんでした。次の行を確かめてください:\r\n") +
                 joinedShort(lines, QStringLiteral("\r\n")) +
                 QStringLiteral("\r\n何も発行していません。"),
             kConfirm, this);
    return false;
  }
  if (result->recorded) {
    // The batch's receipts are not the one on screen: recording the form
    // over one of them is asked naming it, with キャンセル the default.
    work_.recorded(setup.registerPath, result->batch.lastNumber);
  }
  reportDone(*result, outputs.pdfPath);
  accept();
  return true;
}

void BatchIssueDialog::reportDone(const BatchResult& result, const QString& pdfPath) {
  qint64 total = 0;
  for (const BatchReceipt& b : result.batch.receipts) total += b.receipt.amount;
  QString text = QStringLiteral("%1 件の領収書を発行しました（合計 %2 円）。")
                     .arg(result.batch.receipts.size())
                     .arg(GroupDigits(fixed::truncToWhole(total)));
  if (result.printed) text += QStringLiteral("\r\n印刷しました。");
  if (result.pdfWritten)
    text +=
        QStringLiteral("\r\nPDF「%1」に書き出しました。").arg(QDir::toNativeSeparators(pdfPath));
  if (result.recorded) text += QStringLiteral("\r\n発行リストに登録しました。");
  if (result.outputFailure) text += QStringLiteral("\r\n\r\n") + *result.outputFailure;
  if (result.copyFailure)
    text += QStringLiteral("\r\n\r\n領収書のPDF控えを残せませんでした: ") + *result.copyFailure;
  // The receipt on screen is left alone, but its number may be one the batch
  // has just used: the user is told before recording it would ask to replace.
  const QString onScreen = work_.shownNumber();
  for (const BatchReceipt& b : result.batch.receipts) {
    if (!result.recorded || onScreen.isEmpty() ||
        RegisterKey(RegisterText(b.receipt.number)) != RegisterKey(RegisterText(onScreen)))
      continue;
    text += QStringLiteral(
                "\r\n\r\n画面の領収書の番号「%1」は今回の発行で使いました。"
                "新規領収書(F4)で次の番号にしてください。")
                .arg(onScreen);
    break;
  }
  info_box(text, kConfirm, this);
}

}  // namespace kelvane
