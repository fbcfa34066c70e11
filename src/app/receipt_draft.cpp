#include "app/receipt_draft.h"

#include "app/message_boxes.h"
#include "app/pages/environment_page.h"
#include "app/pages/receipt_issue_page.h"
#include "app/receipt_date.h"
#include "app/receipt_main_form.h"
#include "app/receipt_on_form.h"
#include "app/register_commands.h"
#include "receipt/receipt_draft.h"
#include "settings/program_folder.h"
#include "text/line_file.h"
#include "widgets/nval_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

namespace kelvane {

namespace {

const QString kCorrection = QStringLiteral("修正");

QString draftPath() { return ProgramFile(QString::fromLatin1(kReceiptDraftFileName)); }

ReceiptDraft draftOf(const ReceiptMainForm& form) {
  ReceiptDraft d;
  d.receipt = ReceiptOnForm(form);
  d.keepsTaxRate = true;
  d.correction = form.modePanel->text() == kCorrection;
  return d;
}

// The rate field and its spinner, which steps whole percents 0 to 10.
void restoreRate(ReceiptIssuePage& p, qint64 rate) {
  p.NValEditC7->setValueUnits(rate);
  const qint64 units = p.NValEditC7->valueUnits();
  if (units % 10000 == 0 && units >= 0 && units / 10000 <= p.UpDown3->maximum()) {
    const QSignalBlocker quiet(p.UpDown3);
    p.UpDown3->setValue(static_cast<int>(units / 10000));
  }
}

}  // namespace

Expected<void> SaveReceiptDraft(ReceiptMainForm& form) {
  return writeLineFile(draftPath(), FormatReceiptDraft(draftOf(form)));
}

void RestoreReceiptDraft(ReceiptMainForm& form) {
  if (!QFileInfo(draftPath()).isFile()) return;
  // A draft that cannot be read is no receipt: the start stays new.
  const auto lines = readLineFile(draftPath());
  if (!lines) return;
  const ReceiptDraft d = ParseReceiptDraft(*lines);
  ReceiptIssuePage* p = form.receiptPage;
  if (d.keepsTaxRate) restoreRate(*p, d.receipt.taxRate);
  // A new receipt with nothing but its automatic number is no draft: the
  // number just proposed may have been issued meanwhile.
  ReceiptDraft withoutNumber = d;
  withoutNumber.receipt.number.clear();
  const bool onlyAutomaticNumber = !d.correction && !withoutNumber.holdsReceipt() &&
                                   form.environmentPage->CheckBox4->isChecked();
  if (!d.holdsReceipt() || onlyAutomaticNumber) {
    // The new receipt keeps its automatic number and date; only the rate.
    ApplyReceiptItems(form.edits(), ReceiptItemsOnForm(form), {ReceiptItemGroup::TaxRate});
    return;
  }
  Receipt receipt = d.receipt;
  receipt.taxRate = p->NValEditC7->valueUnits();  // as restored, or the new receipt's
  PutReceiptOnForm(form, receipt);
  form.modePanel->setText(d.correction ? kCorrection : QStringLiteral("新規"));
  SetReceiptItemsFromForm(form);
}

namespace {
QByteArray receiptOnScreen(const ReceiptMainForm& form) {
  ReceiptDraft d = draftOf(form);
  d.correction = false;  // the mode is no part of the receipt
  return FormatReceiptDraft(d).join('\n');
}
}  // namespace

void NotePrinted(ReceiptMainForm& form) {
  if (receiptOnScreen(form) != form.recordedReceipt) form.printedUnrecorded = true;
}

void NoteRecorded(ReceiptMainForm& form) {
  form.printedUnrecorded = false;
  form.recordedReceipt = receiptOnScreen(form);
}

bool KeepPrintedReceipt(ReceiptMainForm& form) {
  if (!form.printedUnrecorded) return true;
  const int answer =
      confirm_box(QStringLiteral("印刷した領収書が発行リストに保存されていません。保存しますか？"),
                  QStringLiteral("実行"), QStringLiteral("キャンセル"), &form);
  if (answer == kBoxFirstButton && !RecordReceipt(form, false)) return false;
  form.printedUnrecorded = false;
  return true;
}

}  // namespace kelvane
