#include "app/register_commands.h"

#include "app/message_boxes.h"
#include "app/pages/environment_page.h"
#include "app/pages/receipt_issue_page.h"
#include "app/preview_pane.h"
#include "app/receipt_date.h"
#include "app/receipt_draft.h"
#include "app/receipt_input.h"
#include "app/receipt_main_form.h"
#include "app/receipt_on_form.h"
#include "app/register_viewer.h"
#include "app/settings_store.h"
#include "app/title_strip.h"
#include "layout/item_text.h"
#include "layout/layout_slots.h"
#include "receipt/numbering.h"
#include "receipt/register_file.h"
#include "receipt/register_lock.h"
#include "receipt/register_record.h"
#include "receipt/register_view.h"
#include "settings/program_folder.h"
#include "text/layout_text.h"
#include "widgets/nval_edit.h"

#include <QCheckBox>

#include <QComboBox>
#include <QDate>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

namespace kelvane {

namespace {

const QString kConfirm = QStringLiteral("確認");
const QString kGo = QStringLiteral("実行");
const QString kCancel = QStringLiteral("キャンセル");
constexpr const char* kTempCopyName = "tempfile.dat";
constexpr const char* kFallbackRegisterName = "regidata.dat";

// The receipt on the form as a register line; the number is put in when
// the line is made.
Expected<RegisterRecord> recordOfForm(const ReceiptMainForm& form) {
  if (!form.receiptDate->dateInBoxes()) {
    const TitleStrip* t = form.titleStrip;
    return Failure{
        QStringLiteral("日付の年「%1%2」が読めないため記録できません。日付を選び直してください。")
            .arg(t->Label17->text(), t->YERBOX->text())};
  }
  return RegisterRecordOf(ReceiptOnForm(form));
}

QString registerPath(ReceiptMainForm& form) {
  if (form.currentRegisterPath().isEmpty())
    form.setCurrentRegisterPath(ProgramFile(QString::fromLatin1(kFallbackRegisterName)));
  return form.currentRegisterPath();
}

QString tempCopyPath() { return ProgramFile(QString::fromLatin1(kTempCopyName)); }

bool reportChangeFailure(ReceiptMainForm& form, const QString& error) {
  form.reportError(error + QStringLiteral("\r\n領収書発行リストは前の内容のままです。"));
  return false;
}

// With automatic numbering, the last number follows the one just recorded.
void followLastNumber(ReceiptMainForm& form) {
  const EnvironmentPage* e = form.environmentPage;
  FollowLastNumber(
      form, NumberPart(form.receiptPage->Edit2->text(), e->d1->text(), DigitCount(e->d2->text())));
}

// The last number, or the largest number part with the header that the
// register holds when that is larger: a last number lost in a crash or
// set back by hand never proposes a number the register already has.
qint64 lastIssued(ReceiptMainForm& form) {
  const EnvironmentPage* e = form.environmentPage;
  const qint64 last = WholeNumber(e->last_number->text()).value_or(1);
  const QString path = form.currentRegisterPath();
  if (path.isEmpty()) return last;
  const auto largest = LargestNumberPart(path, RegisterText(e->d1->text()));
  return largest && *largest ? std::max(last, **largest) : last;
}

// Asks before the lines of the number are replaced; only the go-ahead
// button agrees. A line this copy did not record or open itself may be
// another copy's receipt: the question names it and Enter cancels.
bool agreesToReplace(ReceiptMainForm& form, const QList<QByteArray>& lines) {
  QString question =
      form.receiptPage->Edit2->text() + QStringLiteral("は既に存在します。更新していいですか?");
  if (form.registerSession.ownsAll(form.currentRegisterPath(), lines)) {
    return confirm_box(question, kGo, kCancel, &form) == kBoxFirstButton;
  }
  question += QStringLiteral("\r\n\r\n置き換わる記録:");
  for (const QByteArray& line : lines)
    question += QStringLiteral("\r\n") + DescribeRegisterLine(line);
  return confirm_box(question, kGo, kCancel, &form, BoxDefault::Second) == kBoxFirstButton;
}

// An abandoned lock of another PC on a shared register: the user may break
// it; キャンセル is the default, since the other PC may only be slow.
bool agreesToBreakLock(ReceiptMainForm& form, const QString& path) {
  const auto holder = RegisterLockHolderOf(path);
  if (!holder || !holder->abandoned()) return false;
  const QString question =
      RegisterInUseMessage(path, holder) + QStringLiteral("\r\n\r\n印を消して続けますか？");
  if (confirm_box(question, QStringLiteral("印を消して続ける"), kCancel, &form,
                  BoxDefault::Second) != kBoxFirstButton)
    return false;
  if (auto broken = BreakRegisterLock(path); !broken) {
    form.reportError(broken.error());
    return false;
  }
  return true;
}

}  // namespace

QString RegisterFilePath(ReceiptMainForm& form) { return registerPath(form); }

QString RegisterTempCopyPath() { return tempCopyPath(); }

void FollowLastNumber(ReceiptMainForm& form, qint64 part) {
  EnvironmentPage* e = form.environmentPage;
  if (!e->CheckBox4->isChecked()) return;
  if (ExceedsDigitCount(part, DigitCount(e->d2->text()))) {
    info_box(QStringLiteral("最終番号が桁数を超えました\r\n桁数を調整してください。"), kConfirm,
             &form);
  }
  if (WholeNumber(e->last_number->text()).value_or(1) < part)
    e->last_number->setText(QString::number(part));
}

bool RecordReceipt(ReceiptMainForm& form, bool announce) {
  // The register gets what the paper shows: edits still in a field first.
  form.receiptInput->commitEdits();
  const QString path = registerPath(form);
  auto body = recordOfForm(form);
  if (!body) {
    form.reportError(body.error());
    return false;
  }
  QLineEdit* number = form.receiptPage->Edit2;
  RegisterSession& session = form.registerSession;
  auto present = RegisterLinesOf(path, RegisterText(number->text()));
  if (!present) {
    form.reportError(present.error());
    return false;
  }
  if (!*present && session.seen(path)) {
    form.reportError(MissingRegisterMessage(path) + QStringLiteral("\r\n記録はしていません。"));
    return false;
  }
  if (*present && QFileInfo(path).isFile()) session.markSeen(path);
  // The lines of the number go, and the receipt becomes the last line; an
  // empty number becomes the count of lines read plus one. What the user
  // agreed to replace is checked again under the lock: when another copy
  // changed the lines of the number meanwhile, the user is asked again.
  RegisterRecord record = *body;
  RegisterGuard guard{present->value_or(QList<QByteArray>{}), session.seen(path)};
  for (;;) {
    if (!guard.agreedLines->isEmpty() && !agreesToReplace(form, *guard.agreedLines)) return false;
    const auto change = ChangeRegister(
        path, tempCopyPath(), RegisterText(number->text()),
        [&](int linesRead) {
          if (number->text().isEmpty()) number->setText(QString::number(linesRead + 1));
          record.number = RegisterText(number->text());
          return FormatRegisterLine(record);
        },
        guard);
    if (!change) {
      if (agreesToBreakLock(form, path)) continue;
      return reportChangeFailure(form, change.error());
    }
    if (!change->conflict) break;
    guard.agreedLines = change->found;
  }
  session.markSeen(path);
  session.own(path, FormatRegisterLine(record));
  NoteRecorded(form);
  followLastNumber(form);
  conf_write_numbering(form);
  form.receiptInput->UpdateInputHistory();
  if (announce) info_box(QStringLiteral("領収書発行リスト登録しました"), kConfirm, &form);
  if (form.environmentPage->CheckBox5->isChecked()) StartNewReceipt(form);
  return true;
}

void DeleteShownReceipt(ReceiptMainForm& form) {
  // Only a click on the go-ahead button deletes: Enter, Esc and the close
  // control keep the recorded receipt.
  if (confirm_box(QStringLiteral("削除していいですか?"), kGo, kCancel, &form, BoxDefault::Second) !=
      kBoxFirstButton)
    return;
  QLineEdit* number = form.receiptPage->Edit2;
  const QString path = registerPath(form);
  RegisterGuard guard;
  guard.mustExist = form.registerSession.seen(path);
  auto change = ChangeRegister(path, tempCopyPath(), RegisterText(number->text()), {}, guard);
  if (!change && agreesToBreakLock(form, path))
    change = ChangeRegister(path, tempCopyPath(), RegisterText(number->text()), {}, guard);
  if (!change) {
    reportChangeFailure(form, change.error());
    return;
  }
  if (number->text().isEmpty()) number->setText(QString::number(change->linesRead + 1));
  ClearReceiptFields(form);
  info_box(QStringLiteral("削除しました"), kConfirm, &form);
}

void ClearReceiptFields(ReceiptMainForm& form) {
  form.printedUnrecorded = false;  // the printed receipt is gone from the form
  ReceiptIssuePage* p = form.receiptPage;
  for (QComboBox* box :
       {p->atesaki_1, p->atesaki_2, p->topic1, p->topic2, p->Field_07, p->in_tax}) {
    box->setCurrentIndex(-1);
    box->setEditText(QString());
  }
  p->Edit2->clear();
  for (TNValEditC* amount :
       {p->NValEditC9, p->NValEditC10, p->NValEditC11, p->NValEditC13, p->amount10, p->amount8})
    amount->setValueUnits(0);
  const auto change = form.edits().quiet();
  for (int line = slotmap::itemLine(100); line <= slotmap::itemLine(126); ++line) {
    if (line == slotmap::kTaxRate || line == slotmap::kTaxRate + slotmap::kStubOffset) continue;
    SetItemTextQuiet(form.document(), line, {});
  }
  ApplyReceiptItems(form.edits(), ReceiptItemsOnForm(form), {ReceiptItemGroup::ByRate});
  form.receiptInput->forgetEdits();
}

void StartNewReceipt(ReceiptMainForm& form) {
  // A new receipt is one change, however many items it empties and fills.
  const auto change = form.edits().quiet();
  ClearReceiptFields(form);
  EnvironmentPage* e = form.environmentPage;
  QLineEdit* number = form.receiptPage->Edit2;
  if (e->CheckBox4->isChecked()) {
    number->setText(NextReceiptNumber(e->d1->text(), DigitCount(e->d2->text()), lastIssued(form)));
  }
  const QDate today = QDate::currentDate();
  form.receiptDate->DrawCalendar(today);
  const bool dated = e->CheckBox3->isChecked();
  // The boxes too: the register records the date they show.
  if (dated) form.receiptDate->showInBoxes(today);
  const ReceiptItems items = ReceiptItemsOnForm(form);
  ApplyReceiptItems(form.edits(), items, {ReceiptItemGroup::Number, ReceiptItemGroup::TaxRate});
  if (dated) ApplyReceiptItems(form.edits(), items, {ReceiptItemGroup::Date});
  form.modePanel->setText(QStringLiteral("新規"));
}

// ---- settings editors ---------------------------------------------------

void EditNumberHeader(ReceiptMainForm& form) {
  QLabel* header = form.environmentPage->d1;
  if (auto typed = form.dialogs.askText(&form, QStringLiteral("ネムリカ"),
                                        QStringLiteral("自動連番ﾍｯﾀﾞｰ設定"), header->text()))
    header->setText(*typed);
}

namespace {
void editWholeNumber(ReceiptMainForm& form, QLabel* label) {
  if (auto typed = form.dialogs.askText(&form, QStringLiteral("ネムリカ"),
                                        QStringLiteral("自動連番桁設定"), label->text()))
    label->setText(QString::number(WholeNumber(*typed).value_or(0)));
}
}  // namespace

void EditDigitCount(ReceiptMainForm& form) { editWholeNumber(form, form.environmentPage->d2); }
void EditLastNumber(ReceiptMainForm& form) {
  editWholeNumber(form, form.environmentPage->last_number);
}

void EditRegisterField(ReceiptMainForm& form) {
  QLabel* field = form.environmentPage->StaticText1;
  if (auto typed = form.dialogs.askText(&form, QStringLiteral("ネムリカ"),
                                        QStringLiteral("データファイル指定"), field->text()))
    form.setRegisterFieldText(*typed);
}

void ChooseRegisterFile(ReceiptMainForm& form) {
  const QString path = form.dialogs.openRegister(&form);
  if (path.isEmpty()) return;
  form.setRegisterPathText(path);
  const auto change = form.edits().quiet();  // a setting, no undo step
  form.document().setLine(slotmap::kRegisterPathLine, ToLayoutText(path));
}

namespace {

void takeIntoForm(ReceiptMainForm& form, const Receipt& r) {
  PutReceiptOnForm(form, r);
  if (!r.date) form.receiptDate->DrawCalendar(QDate::currentDate());
  form.modePanel->setText(QStringLiteral("修正"));
}

// Every receipt item from the form as one change.
void setItemsFromForm(ReceiptMainForm& form) {
  const auto change = form.edits().quiet();
  ApplyReceiptItems(form.edits(), ReceiptItemsOnForm(form));
  // In kanji mode an amount with no kanji form goes in as digits, said:
  // never the amount of the receipt shown before.
  form.receiptInput->PutAmountTextOrDigits();
  form.receiptInput->forgetEdits();
}

}  // namespace

void ReopenFromRegister(ReceiptMainForm& form) {
  Tfreglist viewer(form.currentRegisterPath(), &form);
  if (form.runRegisterList) {
    form.runRegisterList(viewer);
  } else {
    viewer.exec();
  }
  if (viewer.picked() && KeepPrintedReceipt(form)) {
    takeIntoForm(form, viewer.picked()->receipt);
    // Recording it again replaces the line the user opened: asked plainly.
    form.registerSession.own(form.currentRegisterPath(), viewer.picked()->line);
    form.showPage(form.receiptPage);  // the reopened receipt is what the user works on next
  }
  setItemsFromForm(form);
}

void SetReceiptItemsFromForm(ReceiptMainForm& form) { setItemsFromForm(form); }

void OfferToRecord(ReceiptMainForm& form) {
  if (!form.environmentPage->CheckBox6->isChecked()) return;
  form.receiptInput->commitEdits();
  if (confirm_box(QStringLiteral("領収書リストに保存しますか？"), kGo, kCancel, &form) ==
      kBoxFirstButton)
    RecordReceipt(form, false);
}

}  // namespace kelvane
