#include "app/receipt_input.h"

#include "app/message_boxes.h"
#include "app/pages/receipt_issue_page.h"
#include "app/program_folder.h"
#include "app/receipt_main_form.h"
#include "layout/field_cursor.h"
#include "layout/item_text.h"
#include "layout/layout_slots.h"
#include "receipt/amount_text.h"
#include "receipt/input_history.h"
#include "text/layout_text.h"
#include "widgets/nval_edit.h"
#include "widgets/numeric_text.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>

namespace kelvane {

namespace {

constexpr qint64 kUnitsPerYen = 10000;  // the amount fields hold ten-thousandths

const QString kConfirm = QStringLiteral("確認");

bool isEnter(const QKeyEvent* key) {
  return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

bool movesThroughList(const QKeyEvent* key) {
  switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      return true;
    default:
      return false;
  }
}

// The focus leaves for a menu, a list, a message or another window and
// comes back: the field is not done with. Print and record commit anyway.
bool isPassing(Qt::FocusReason reason) {
  return reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason;
}

// A field's text as the layout may hold it: a line break or tab would
// split the record it goes into.
QString fieldText(const QWidget* field) {
  QString text;
  if (const auto* box = qobject_cast<const QComboBox*>(field)) {
    text = box->currentText();
  } else if (const auto* edit = qobject_cast<const QLineEdit*>(field)) {
    text = edit->text();
  }
  for (QChar& c : text)
    if (c.unicode() < 0x20) c = u' ';
  return text;
}

}  // namespace

ReceiptInput::ReceiptInput(ReceiptMainForm& form) : QObject(&form), form_(form) {
  enableFields();
  connectFields();
}

std::array<QComboBox*, 5> ReceiptInput::historyFields() const {
  const ReceiptIssuePage* p = form_.receiptPage;
  return {p->atesaki_1, p->atesaki_2, p->topic1, p->topic2, p->Field_07};
}

void ReceiptInput::enableFields() {
  ReceiptIssuePage* p = form_.receiptPage;
  for (QWidget* w : std::initializer_list<QWidget*>{
           p->Edit2, p->atesaki_1, p->atesaki_2, p->topic1, p->topic2, p->Field_07, p->in_tax,
           p->NValEditC9, p->NValEditC10, p->NValEditC11, p->NValEditC13, p->NValEditC7,
           p->UpDown3, p->taxTableButton})
    w->setEnabled(true);
  // Numbers and stamp amounts are typed without the input method.
  p->Edit2->setAttribute(Qt::WA_InputMethodEnabled, false);
  p->in_tax->setAttribute(Qt::WA_InputMethodEnabled, false);
}

void ReceiptInput::connectFields() {
  ReceiptIssuePage* p = form_.receiptPage;
  for (QWidget* w : std::initializer_list<QWidget*>{
           p->Edit2, p->atesaki_1, p->atesaki_2, p->topic1, p->topic2, p->Field_07, p->in_tax,
           p->NValEditC9, p->NValEditC10, p->NValEditC11, p->NValEditC13, p->NValEditC7})
    w->installEventFilter(this);
  for (QComboBox* box : {p->atesaki_1, p->atesaki_2, p->topic1, p->topic2}) {
    connect(box, &QComboBox::activated, this, [this, box] {
      if (browsing_) return;
      // Leaving the field with a text that is in the list also "activates"
      // it: that commits like any leaving, the focus going where it was sent.
      if (!box->hasFocus() && !box->view()->isVisible()) {
        commitItems(box);
        return;
      }
      pickedFromList(box);
    });
    connect(box->lineEdit(), &QLineEdit::textEdited, this, [this, box] { edited_.insert(box); });
  }
  connect(p->Edit2, &QLineEdit::textEdited, this, [this, p] { edited_.insert(p->Edit2); });
  for (TNValEditC* amount :
       {p->NValEditC9, p->NValEditC10, p->NValEditC11, p->NValEditC13, p->NValEditC7})
    connect(amount, &TNValEditC::changed, this, [this, amount] { edited_.insert(amount); });
  connect(p->UpDown3, &QSpinBox::valueChanged, this, [this](int rate) {
    form_.receiptPage->NValEditC7->setValueUnits(rate * kUnitsPerYen);
    applyTaxRate();
  });
}

bool ReceiptInput::eventFilter(QObject* watched, QEvent* event) {
  auto* field = static_cast<QWidget*>(watched);
  if (event->type() == QEvent::FocusOut && edited_.count(field) != 0 &&
      !isPassing(static_cast<QFocusEvent*>(event)->reason())) {
    // Typed and left by a click or Tab: the layout takes the text all the
    // same, so the preview, the paper and the register agree.
    commitItems(field);
    return false;
  }
  bool browses = event->type() == QEvent::Wheel && qobject_cast<QComboBox*>(field);
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (isEnter(key)) {
      commit(field);
      return true;  // no beep, nothing inserted
    }
    browses = qobject_cast<QComboBox*>(field) && movesThroughList(key);
  }
  if (browses && !browsing_) {
    // Moving through a closed list is no choice; the list moves while this
    // event is handled, and the flag ends with it.
    browsing_ = true;
    QTimer::singleShot(0, this, [this] { browsing_ = false; });
  }
  return false;
}

void ReceiptInput::commit(QWidget* field) {
  ReceiptIssuePage* p = form_.receiptPage;
  if (field == p->topic2) UpdateInputHistory();
  if (field == p->NValEditC9) {
    if (!PutAmountText()) return;  // left to be corrected, still to commit
    edited_.erase(field);
  } else {
    commitItems(field);
  }
  if (QWidget* next = nextAfter(field)) next->setFocus(Qt::TabFocusReason);
}

void ReceiptInput::commitItems(QWidget* field) {
  ReceiptIssuePage* p = form_.receiptPage;
  edited_.erase(field);
  if (field == p->Edit2) {
    setItems(slotmap::kNumber, fieldText(field));
  } else if (field == p->atesaki_1 || field == p->atesaki_2) {
    applyAddressees();
  } else if (field == p->topic1) {
    setItems(slotmap::kDescription1, fieldText(field));
  } else if (field == p->topic2) {
    setItems(slotmap::kDescription2, fieldText(field));
  } else if (field == p->NValEditC9) {
    PutAmountTextOrDigits();
  } else if (field == p->NValEditC10) {
    setItems(slotmap::kBeforeTax, p->NValEditC10->text());
  } else if (field == p->NValEditC11) {
    setItems(slotmap::kBilled, p->NValEditC11->text());
  } else if (field == p->NValEditC13) {
    setItems(slotmap::kTaxAmount, p->NValEditC13->text());
  } else if (field == p->NValEditC7) {
    applyTaxRate();
  }
}

void ReceiptInput::commitEdits() {
  ReceiptIssuePage* p = form_.receiptPage;
  // In the order of the Enter chain; each commit takes its field out.
  for (QWidget* field : std::initializer_list<QWidget*>{
           p->Edit2, p->atesaki_1, p->atesaki_2, p->topic1, p->topic2, p->NValEditC9,
           p->NValEditC10, p->NValEditC11, p->NValEditC13, p->NValEditC7})
    if (edited_.count(field) != 0) commitItems(field);
}

// A choice from the drop-down list commits like Enter; the description 2
// then leaves the histories alone.
void ReceiptInput::pickedFromList(QComboBox* field) {
  ReceiptIssuePage* p = form_.receiptPage;
  if (field == p->topic2) {
    commitItems(field);
    if (QWidget* next = nextAfter(field)) next->setFocus(Qt::TabFocusReason);
    return;
  }
  commit(field);
}

QWidget* ReceiptInput::nextAfter(QWidget* field) const {
  ReceiptIssuePage* p = form_.receiptPage;
  const QWidget* chain[] = {p->Edit2,      p->atesaki_1,   p->atesaki_2,   p->topic1,
                            p->topic2,     p->Field_07,    p->in_tax,      p->NValEditC9,
                            p->NValEditC10, p->NValEditC11, p->NValEditC13, p->NValEditC7};
  for (size_t i = 0; i + 1 < std::size(chain); ++i)
    if (chain[i] == field) return const_cast<QWidget*>(chain[i + 1]);
  return nullptr;  // the rate ends the chain
}

// The receipt's item and the stub's, then one preview refresh.
void ReceiptInput::setItems(int receiptLine, const QString& text) {
  const QByteArray bytes = ToLayoutText(text);
  SetItemTextQuiet(form_.document(), receiptLine, bytes);
  SetItemTextQuiet(form_.document(), receiptLine + slotmap::kStubOffset, bytes);
  form_.RefreshPreview();
}

std::optional<QString> ReceiptInput::kanjiRefusal() const {
  if (!form_.kanjiAmount()) return std::nullopt;
  const qint64 units = form_.receiptPage->NValEditC9->valueUnits();
  if (units < 0) return QStringLiteral("マイナスの金額は漢数字にできません。");
  if (units / kUnitsPerYen > kMaxKanjiAmount)
    return QStringLiteral("取り扱い可能な桁は10億円未満です");
  return std::nullopt;
}

// The receipt side with its marks, the stub always in digits.
void ReceiptInput::putAmount(const QString& receiptText) {
  LayoutDocument& document = form_.document();
  SetItemTextQuiet(document, slotmap::kAmount, WithAmountMarks(ToLayoutText(receiptText), form_));
  SetItemTextQuiet(document, slotmap::kStubAmount,
                   ToLayoutText(form_.receiptPage->NValEditC9->text()));
  form_.RefreshPreview();
}

bool ReceiptInput::PutAmountText() {
  TNValEditC* amount = form_.receiptPage->NValEditC9;
  if (const auto refused = kanjiRefusal()) {
    QString message = *refused;
    if (amount->valueUnits() < 0) message += QStringLiteral("\r\n領収金額を確かめてください。");
    info_box(message, kConfirm, &form_);
    amount->setFocus();
    return false;
  }
  // Fractions of a yen are cut off in kanji.
  putAmount(form_.kanjiAmount() ? KanjiAmount(amount->valueUnits() / kUnitsPerYen)
                                : amount->text());
  return true;
}

void ReceiptInput::PutAmountTextOrDigits() {
  TNValEditC* amount = form_.receiptPage->NValEditC9;
  const auto refused = kanjiRefusal();
  if (!refused) {
    putAmount(form_.kanjiAmount() ? KanjiAmount(amount->valueUnits() / kUnitsPerYen)
                                  : amount->text());
    return;
  }
  putAmount(amount->text());
  info_box(*refused + QStringLiteral("\r\n領収書の金額は数字で入れました。"), kConfirm, &form_);
}

void ReceiptInput::reapplyAmountText() {
  const LayoutDocument& document = form_.document();
  if (CharRecordText(document.line(slotmap::kAmount)).isEmpty() &&
      CharRecordText(document.line(slotmap::kStubAmount)).isEmpty())
    return;
  edited_.erase(form_.receiptPage->NValEditC9);
  PutAmountTextOrDigits();
}

void ReceiptInput::applyAddressees() {
  const ReceiptIssuePage* p = form_.receiptPage;
  const QByteArray first = ToLayoutText(fieldText(p->atesaki_1));
  const QByteArray second = ToLayoutText(fieldText(p->atesaki_2));
  LayoutDocument& d = form_.document();
  const bool twoLines = !second.isEmpty();
  SetItemTextQuiet(d, slotmap::kAddressee, twoLines ? QByteArray() : first);
  SetItemTextQuiet(d, slotmap::kAddressee + slotmap::kStubOffset, twoLines ? QByteArray() : first);
  SetItemTextQuiet(d, slotmap::kAddresseeLine1, twoLines ? first : QByteArray());
  SetItemTextQuiet(d, slotmap::kStubAddresseeLine1, twoLines ? first : QByteArray());
  SetItemTextQuiet(d, slotmap::kAddresseeLine2, second);
  SetItemTextQuiet(d, slotmap::kStubAddresseeLine2, second);
  form_.RefreshPreview();
}

void ReceiptInput::applyTaxRate() {
  const qint64 rate = form_.receiptPage->NValEditC7->valueUnits();
  setItems(slotmap::kTaxRate, rate != 0 ? PlainDecimal(rate) : QString());
}

void ReceiptInput::removeTax() {
  ReceiptIssuePage* p = form_.receiptPage;
  {
    const QSignalBlocker quiet(p->UpDown3);
    p->UpDown3->setValue(0);
  }
  p->NValEditC7->setValueUnits(0);
  applyTaxRate();
}

void ReceiptInput::kanjiCheck() {
  const std::optional<QString> typed = form_.dialogs.askText(
      &form_, QStringLiteral("ネムリカ"), QStringLiteral("漢数字変換確認-金額を入力してください-"),
      QString());
  if (!typed) return;
  if (ToLayoutText(*typed).size() >= 10) {
    info_box(QStringLiteral("取り扱い可能な桁は10億円未満です"), kConfirm, &form_);
    return;
  }
  bool whole = false;
  const qint64 amount = numeric::toHalfWidth(typed->trimmed()).toLongLong(&whole);
  if (whole && amount < 0) {
    info_box(QStringLiteral("マイナスの金額は漢数字にできません。"), kConfirm, &form_);
    return;
  }
  info_box(KanjiAmount(whole ? amount : 0), kConfirm, &form_);
}

// ---- histories ----------------------------------------------------------

void ReceiptInput::LoadInputHistory() {
  const auto fields = historyFields();
  for (size_t i = 0; i < fields.size(); ++i) {
    const QString current = fields[i]->currentText();
    auto read = ReadHistoryFile(ProgramFile(QString::fromLatin1(kHistoryFileNames[i])));
    if (!read) form_.reportError(read.error());
    lists_[i] = read ? *read : QStringList{};
    unsaved_[i] = false;
    showHistory(static_cast<int>(i), current);
  }
}

void ReceiptInput::UpdateInputHistory() {
  const auto fields = historyFields();
  for (size_t i = 0; i < fields.size(); ++i) {
    const QString text = fieldText(fields[i]);
    const HistoryUpdate update = UpdateHistoryList(lists_[i], text);
    if (update.changed) {
      unsaved_[i] = true;
      showHistory(static_cast<int>(i), update.text);
      saveHistory(static_cast<int>(i));
    } else if (update.text != fields[i]->currentText()) {
      fields[i]->setEditText(update.text);
    }
  }
}

bool ReceiptInput::SaveInputHistory() {
  for (size_t i = 0; i < lists_.size(); ++i) {
    if (!unsaved_[i]) continue;
    saveFailureShown_[i] = false;  // the last chance: always say it
    if (!saveHistory(static_cast<int>(i))) return false;
  }
  return true;
}

void ReceiptInput::showHistory(int index, const QString& text) {
  QComboBox* field = historyFields()[static_cast<size_t>(index)];
  const QSignalBlocker quiet(field);
  field->clear();
  field->addItems(lists_[static_cast<size_t>(index)]);
  field->setCurrentIndex(-1);
  field->setEditText(text);
}

// Written at once, so that a crash loses no entry. A list that is empty
// leaves its file alone.
bool ReceiptInput::saveHistory(int index) {
  const auto i = static_cast<size_t>(index);
  if (lists_[i].isEmpty()) {
    unsaved_[i] = false;
    return true;
  }
  const auto written =
      WriteHistoryFile(ProgramFile(QString::fromLatin1(kHistoryFileNames[i])), lists_[i]);
  if (written) {
    unsaved_[i] = false;
    saveFailureShown_[i] = false;
    return true;
  }
  if (!saveFailureShown_[i]) {
    saveFailureShown_[i] = true;
    form_.reportError(written.error() +
                      QStringLiteral("\r\n入力履歴はこのあとも保存を試みます。"));
  }
  return false;
}

}  // namespace kelvane
