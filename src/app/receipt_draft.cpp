#include "app/receipt_draft.h"

#include "app/message_boxes.h"
#include "app/pages/environment_page.h"
#include "app/pages/receipt_issue_page.h"
#include "app/program_folder.h"
#include "app/receipt_date.h"
#include "app/receipt_main_form.h"
#include "app/receipt_on_form.h"
#include "app/register_commands.h"
#include "receipt/receipt_draft.h"
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
  const ReceiptIssuePage* p = form.receiptPage;
  ReceiptDraft d;
  d.number = p->Edit2->text();
  d.addressee1 = p->atesaki_1->currentText();
  d.addressee2 = p->atesaki_2->currentText();
  d.description1 = p->topic1->currentText();
  d.description2 = p->topic2->currentText();
  d.staff = p->Field_07->currentText();
  d.stamp = p->in_tax->currentText();
  d.amount = p->NValEditC9->valueUnits();
  d.netAmount = p->NValEditC10->valueUnits();
  d.billedAmount = p->NValEditC11->valueUnits();
  d.taxAmount = p->NValEditC13->valueUnits();
  d.taxRate = p->NValEditC7->valueUnits();
  d.date = form.receiptDate->dateInBoxes();
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
  if (d.taxRate) restoreRate(*p, *d.taxRate);
  // A new receipt with nothing but its automatic number is no draft: the
  // number just proposed may have been issued meanwhile.
  ReceiptDraft withoutNumber = d;
  withoutNumber.number.clear();
  const bool onlyAutomaticNumber = !d.correction && !withoutNumber.holdsReceipt() &&
                                   form.environmentPage->CheckBox4->isChecked();
  if (!d.holdsReceipt() || onlyAutomaticNumber) {
    // The new receipt keeps its automatic number and date; only the rate.
    ApplyReceiptItems(form, ReceiptItemsOnForm(form), {ReceiptItemGroup::TaxRate});
    form.RefreshPreview();
    return;
  }
  p->Edit2->setText(d.number);
  p->atesaki_1->setEditText(d.addressee1);
  p->atesaki_2->setEditText(d.addressee2);
  p->topic1->setEditText(d.description1);
  p->topic2->setEditText(d.description2);
  p->Field_07->setEditText(d.staff);
  p->in_tax->setEditText(d.stamp);
  p->NValEditC9->setValueUnits(d.amount);
  p->NValEditC10->setValueUnits(d.netAmount);
  p->NValEditC11->setValueUnits(d.billedAmount);
  p->NValEditC13->setValueUnits(d.taxAmount);
  if (d.date) {
    form.receiptDate->showInBoxes(*d.date);
    form.receiptDate->DrawCalendar(*d.date);
  }
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
  const int answer = confirm_box(
      QStringLiteral("印刷した領収書が発行リストに保存されていません。保存しますか？"),
      QStringLiteral("実行"), QStringLiteral("キャンセル"), &form);
  if (answer == kBoxFirstButton && !RecordReceipt(form, false)) return false;
  form.printedUnrecorded = false;
  return true;
}

}  // namespace kelvane
