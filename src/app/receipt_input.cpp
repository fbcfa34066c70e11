#include "app/receipt_input.h"

#include "app/message_boxes.h"
#include "app/pages/receipt_issue_page.h"
#include "app/receipt_on_form.h"
#include "layout/field_cursor.h"
#include "layout/layout_slots.h"
#include "numeric/numeric_text.h"
#include "receipt/amount_text.h"
#include "receipt/input_history.h"
#include "receipt/stamp_duty.h"
#include "settings/program_folder.h"
#include "text/layout_text.h"
#include "widgets/nval_edit.h"

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

// A history field's text as its file may hold it: a line break or tab
// would split the list.
QString historyText(const QComboBox* field) {
  QString text = field->currentText();
  for (QChar& c : text)
    if (c.unicode() < 0x20) c = u' ';
  return text;
}

}  // namespace

ReceiptInput::ReceiptInput(ReceiptIssuePage& page, const ReceiptFields& fields, EditorTools tools)
    : QObject(tools.window()), page_(page), fields_(fields), tools_(tools) {
  enableFields();
  connectFields();
}

std::array<QComboBox*, 5> ReceiptInput::historyFields() const {
  const ReceiptIssuePage* p = &page_;
  return {p->atesaki_1, p->atesaki_2, p->topic1, p->topic2, p->Field_07};
}

void ReceiptInput::enableFields() {
  ReceiptIssuePage* p = &page_;
  for (QWidget* w : std::initializer_list<QWidget*>{
           p->Edit2, p->atesaki_1, p->atesaki_2, p->topic1, p->topic2, p->Field_07, p->in_tax,
           p->NValEditC9, p->NValEditC10, p->NValEditC11, p->NValEditC13, p->NValEditC7, p->UpDown3,
           p->taxTableButton, p->amount10, p->amount8, p->taxBasis, p->taxRounding})
    w->setEnabled(true);
  // Numbers and stamp amounts are typed without the input method.
  p->Edit2->setAttribute(Qt::WA_InputMethodEnabled, false);
  p->in_tax->setAttribute(Qt::WA_InputMethodEnabled, false);
}

void ReceiptInput::connectFields() {
  ReceiptIssuePage* p = &page_;
  for (QWidget* w : std::initializer_list<QWidget*>{
           p->Edit2, p->atesaki_1, p->atesaki_2, p->topic1, p->topic2, p->Field_07, p->in_tax,
           p->NValEditC9, p->NValEditC10, p->NValEditC11, p->NValEditC13, p->NValEditC7,
           p->amount10, p->amount8})
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
  for (TNValEditC* amount : {p->NValEditC9, p->NValEditC10, p->NValEditC11, p->NValEditC13,
                             p->NValEditC7, p->amount10, p->amount8})
    connect(amount, &TNValEditC::changed, this, [this, amount] { edited_.insert(amount); });
  // Only the user's choice works the figures out again: a receipt put on
  // the form keeps the five figures it was recorded with.
  for (QComboBox* choice : {p->taxBasis, p->taxRounding})
    connect(choice, &QComboBox::activated, this, [this] { computeByRate(); });
  // A stamp typed or picked is the user's from then on.
  connect(p->in_tax->lineEdit(), &QLineEdit::textEdited, this, [this] { suggestedStamp_.clear(); });
  connect(p->in_tax, &QComboBox::activated, this, [this] { suggestedStamp_.clear(); });
  connect(p->UpDown3, &QSpinBox::valueChanged, this, [this](int rate) {
    page_.NValEditC7->setValueUnits(rate * kUnitsPerYen);
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
  ReceiptIssuePage* p = &page_;
  if (field == p->topic2) UpdateInputHistory();
  if (field == p->NValEditC9) {
    if (!PutAmountText()) return;  // left to be corrected, still to commit
    edited_.erase(field);
    suggestStamp();
  } else {
    commitItems(field);
  }
  if (QWidget* next = nextAfter(field)) next->setFocus(Qt::TabFocusReason);
}

void ReceiptInput::commitItems(QWidget* field) {
  ReceiptIssuePage* p = &page_;
  edited_.erase(field);
  if (field == p->NValEditC9) {
    PutAmountTextOrDigits();
    suggestStamp();
    return;
  }
  if (field == p->amount10 || field == p->amount8) {
    computeByRate();
    return;
  }
  using G = ReceiptItemGroup;
  const std::pair<QWidget*, G> groups[] = {{p->Edit2, G::Number},
                                           {p->atesaki_1, G::Addressee},
                                           {p->atesaki_2, G::Addressee},
                                           {p->topic1, G::Description1},
                                           {p->topic2, G::Description2},
                                           {p->NValEditC10, G::NetAmount},
                                           {p->NValEditC11, G::BilledAmount},
                                           {p->NValEditC13, G::TaxAmount},
                                           {p->NValEditC7, G::TaxRate}};
  for (const auto& [widget, group] : groups)
    if (widget == field) putItems(group);
  // The tax stated decides which amount the stamp goes by.
  if (field == p->NValEditC13) suggestStamp();
}

void ReceiptInput::commitEdits() {
  ReceiptIssuePage* p = &page_;
  // In the order of the Enter chain; each commit takes its field out.
  for (QWidget* field : std::initializer_list<QWidget*>{
           p->Edit2, p->atesaki_1, p->atesaki_2, p->topic1, p->topic2, p->amount10, p->amount8,
           p->NValEditC9, p->NValEditC10, p->NValEditC11, p->NValEditC13, p->NValEditC7})
    if (edited_.count(field) != 0) commitItems(field);
}

// A choice from the drop-down list commits like Enter; the description 2
// then leaves the histories alone.
void ReceiptInput::pickedFromList(QComboBox* field) {
  ReceiptIssuePage* p = &page_;
  if (field == p->topic2) {
    commitItems(field);
    if (QWidget* next = nextAfter(field)) next->setFocus(Qt::TabFocusReason);
    return;
  }
  commit(field);
}

QWidget* ReceiptInput::nextAfter(QWidget* field) const {
  ReceiptIssuePage* p = &page_;
  const QWidget* chain[] = {p->Edit2,       p->atesaki_1,   p->atesaki_2,   p->topic1,
                            p->topic2,      p->Field_07,    p->in_tax,      p->NValEditC9,
                            p->NValEditC10, p->NValEditC11, p->NValEditC13, p->NValEditC7};
  for (size_t i = 0; i + 1 < std::size(chain); ++i)
    if (chain[i] == field) return const_cast<QWidget*>(chain[i + 1]);
  // The amounts by rate, then the figures they filled.
  if (field == p->amount10) return p->amount8;
  if (field == p->amount8) return p->NValEditC9;
  return nullptr;  // the rate ends the chain
}

// The field's items of the receipt and the stub: one change.
void ReceiptInput::putItems(ReceiptItemGroup group) {
  ApplyReceiptItems(tools_.edits, fields_.shownItems(), {group});
}

bool ReceiptInput::PutAmountText() {
  const ReceiptItems items = fields_.shownItems();
  if (items.kanjiRefusal) {
    TNValEditC* amount = page_.NValEditC9;
    QString message = *items.kanjiRefusal;
    if (amount->valueUnits() < 0) message += QStringLiteral("\r\n領収金額を確かめてください。");
    tools_.boxes.info(message, kConfirm);
    amount->setFocus();
    return false;
  }
  ApplyReceiptItems(tools_.edits, items, {ReceiptItemGroup::Amount});
  return true;
}

void ReceiptInput::PutAmountTextOrDigits() {
  // Without a kanji form the receipt takes the digits.
  const ReceiptItems items = fields_.shownItems();
  ApplyReceiptItems(tools_.edits, items, {ReceiptItemGroup::Amount});
  if (items.kanjiRefusal) {
    tools_.boxes.info(*items.kanjiRefusal + QStringLiteral("\r\n領収書の金額は数字で入れました。"),
                      kConfirm);
  }
}

void ReceiptInput::reapplyAmountText() {
  const LayoutDocument& document = tools_.document();
  if (CharRecordText(document.line(slotmap::kAmount)).isEmpty() &&
      CharRecordText(document.line(slotmap::kStubAmount)).isEmpty())
    return;
  edited_.erase(page_.NValEditC9);
  PutAmountTextOrDigits();
}

void ReceiptInput::applyTaxRate() { putItems(ReceiptItemGroup::TaxRate); }

void ReceiptInput::forgetEdits() {
  edited_.clear();
  computedBilled_.reset();
  suggestedStamp_.clear();
}

void ReceiptInput::computeByRate() {
  ReceiptIssuePage* p = &page_;
  edited_.erase(p->amount10);
  edited_.erase(p->amount8);
  using G = ReceiptItemGroup;
  const Receipt shown = fields_.shownReceipt();
  if (!shown.hasRateFigures()) {
    // Typed the old way: the five stay, only the items by rate empty.
    ApplyReceiptItems(tools_.edits, fields_.shownItems(), {G::ByRate});
    return;
  }
  const Receipt computed = WithTaxByRate(shown, fields_.taxRounding());
  // The amount fields hold nine digits: a larger total would show cut.
  if (!FitsAmountField(computed.amount)) {
    tools_.boxes.info(QStringLiteral("税込の合計が10億円以上になるため、金額内訳に入りません。\r\n"
                                     "10%対象と8%対象を確かめてください。"),
                      kConfirm);
    return;
  }
  // Before any computation 請求金額 follows 領収金額 as the user typed it.
  const qint64 following = computedBilled_.value_or(shown.amount);
  const bool billedFollows = shown.billedAmount == 0 || shown.billedAmount == following;
  p->NValEditC9->setValueUnits(computed.amount);
  p->NValEditC10->setValueUnits(computed.netAmount);
  p->NValEditC13->setValueUnits(computed.taxAmount);
  p->NValEditC7->setValueUnits(computed.taxRate);
  if (billedFollows) {
    p->NValEditC11->setValueUnits(computed.billedAmount);
    computedBilled_ = computed.billedAmount;
  }
  {
    // The spinner beside the rate steps from the rate now shown.
    const QSignalBlocker quiet(p->UpDown3);
    p->UpDown3->setValue(static_cast<int>(computed.taxRate / kUnitsPerYen));
  }
  for (QWidget* figure :
       {p->NValEditC9, p->NValEditC10, p->NValEditC11, p->NValEditC13, p->NValEditC7})
    edited_.erase(figure);
  const ReceiptItems items = fields_.shownItems();
  {
    const auto change = tools_.edits.quiet();
    ApplyReceiptItems(
        tools_.edits, items,
        {G::Amount, G::NetAmount, G::BilledAmount, G::TaxAmount, G::TaxRate, G::ByRate});
    suggestStamp();
  }
  if (items.kanjiRefusal) {
    tools_.boxes.info(*items.kanjiRefusal + QStringLiteral("\r\n領収書の金額は数字で入れました。"),
                      kConfirm);
  }
}

void ReceiptInput::suggestStamp() {
  QComboBox* stamp = page_.in_tax;
  const QString current = stamp->currentText();
  if (!current.isEmpty() && current != suggestedStamp_) return;  // the user's stamp
  const Receipt r = fields_.shownReceipt();
  // A receipt that states its tax needs the stamp of the amount without it.
  const bool statesTax = r.taxAmount != 0 || r.hasRateFigures();
  const qint64 duty = StampDutyFor(statesTax ? r.amount - r.taxAmount : r.amount);
  suggestedStamp_ = duty == 0 ? QString() : QString::number(duty);
  if (suggestedStamp_ == current) return;
  const QSignalBlocker quiet(stamp);
  stamp->setCurrentIndex(-1);
  stamp->setEditText(suggestedStamp_);
}

void ReceiptInput::removeTax() {
  ReceiptIssuePage* p = &page_;
  {
    const QSignalBlocker quiet(p->UpDown3);
    p->UpDown3->setValue(0);
  }
  p->NValEditC7->setValueUnits(0);
  applyTaxRate();
}

void ReceiptInput::kanjiCheck() {
  const std::optional<QString> typed =
      tools_.dialogs.askText(tools_.window(), QStringLiteral("ネムリカ"),
                             QStringLiteral("漢数字変換確認-金額を入力してください-"), QString());
  if (!typed) return;
  if (ToLayoutText(*typed).size() >= 10) {
    tools_.boxes.info(QStringLiteral("取り扱い可能な桁は10億円未満です"), kConfirm);
    return;
  }
  bool whole = false;
  const qint64 amount = numeric::toHalfWidth(typed->trimmed()).toLongLong(&whole);
  if (whole && amount < 0) {
    tools_.boxes.info(QStringLiteral("マイナスの金額は漢数字にできません。"), kConfirm);
    return;
  }
  tools_.boxes.info(KanjiAmount(whole ? amount : 0), kConfirm);
}

// ---- histories ----------------------------------------------------------

void ReceiptInput::LoadInputHistory() {
  const auto fields = historyFields();
  for (size_t i = 0; i < fields.size(); ++i) {
    const QString current = fields[i]->currentText();
    auto read = ReadHistoryFile(ProgramFile(QString::fromLatin1(kHistoryFileNames[i])));
    if (!read) tools_.boxes.report(read.error());
    lists_[i] = read ? *read : QStringList{};
    unsaved_[i] = false;
    showHistory(static_cast<int>(i), current);
  }
}

void ReceiptInput::UpdateInputHistory() {
  const auto fields = historyFields();
  for (size_t i = 0; i < fields.size(); ++i) {
    const QString text = historyText(fields[i]);
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
    tools_.boxes.report(written.error() +
                        QStringLiteral("\r\n入力履歴はこのあとも保存を試みます。"));
  }
  return false;
}

}  // namespace kelvane
