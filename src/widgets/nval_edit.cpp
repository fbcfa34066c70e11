#include "widgets/nval_edit.h"

#include "numeric/numeric_text.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPalette>
#include <QScopedValueRollback>

namespace kelvane {

using numeric::KeyOutcome;

NumericLineEdit::NumericLineEdit(std::unique_ptr<numeric::EntryCore> entry, QWidget* parent)
    : QLineEdit(parent), entry_(std::move(entry)) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setAcceptDrops(false);  // a drop would insert into the digits
  normalColor_ = palette().color(QPalette::Text);
  minusColor_ = palette().color(QPalette::WindowText);
  shownColor_ = normalColor_;
  connect(this, &QLineEdit::textChanged, this, &NumericLineEdit::onTextChanged);
  refresh();
}

NumericLineEdit::~NumericLineEdit() = default;

void NumericLineEdit::setMaxDigits(int digits) {
  entry_->setMaxDigits(digits);
  refresh();
}

void NumericLineEdit::setFixDecimal(int decimals) {
  entry_->setFixDecimal(decimals);
  refresh();
}

void NumericLineEdit::setPrmtNegative(bool permitted) {
  entry_->setPrmtNegative(permitted);
  refresh();
}

void NumericLineEdit::setLeadingChar(QChar c) {
  entry_->setLeadingChar(c);
  refresh();
}

void NumericLineEdit::setZeroDisplay(bool on) {
  entry_->setZeroDisplay(on);
  refresh();
}

void NumericLineEdit::setPutAComma(bool on) {
  entry_->setPutAComma(on);
  refresh();
}

void NumericLineEdit::setMinusColor(const QColor& colour) {
  minusColor_ = colour;
  applyColour();
}

void NumericLineEdit::setFontColor(const QColor& colour) {
  if (normalColor_ == minusColor_) minusColor_ = colour;
  normalColor_ = colour;
  applyColour();
}

void NumericLineEdit::setEntryText(const QString& text) {
  entry_->setFromText(text);
  refresh();
}

void NumericLineEdit::endLoading() {
  loading_ = true;
  entry_->loaded();
  refresh();
  loading_ = false;
}

void NumericLineEdit::pasteValue() {
  if (isReadOnly()) return;
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  if (mime && mime->hasText()) {
    entry_->setFromText(mime->text());
  } else {
    entry_->clear();
  }
  refresh();
}

void NumericLineEdit::pasteSelection() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (isReadOnly() || !clipboard->supportsSelection()) return;
  // Nothing selected anywhere: a stray middle click must not wipe an amount.
  const QMimeData* mime = clipboard->mimeData(QClipboard::Selection);
  if (!mime || !mime->hasText()) return;
  // Text that is no number, selected for something else (a name, an
  // address), leaves the amount as it was instead of setting 0 unasked.
  if (!numeric::parseNumberText(mime->text(), entry_->leadingChar())) return;
  entry_->setFromText(mime->text());
  refresh();
}

void NumericLineEdit::cutValue() {
  if (isReadOnly()) return;
  {
    const QScopedValueRollback own(ownText_, true);
    cut();
  }
  entry_->clear();
  refresh();
}

void NumericLineEdit::clearValue() {
  if (isReadOnly()) return;
  entry_->clear();
  refresh();
}

void NumericLineEdit::undoValue() {
  if (isReadOnly()) return;
  {
    const QScopedValueRollback own(ownText_, true);
    undo();
  }
  entry_->setFromText(text());
  refresh();
}

void NumericLineEdit::redoValue() {
  if (isReadOnly()) return;
  {
    const QScopedValueRollback own(ownText_, true);
    redo();
  }
  entry_->setFromText(text());
  refresh();
}

QMenu* NumericLineEdit::createNumericContextMenu() {
  QMenu* menu = createStandardContextMenu();
  // The edit box's menu lists Undo, Redo, Cut, Copy, Paste, Delete and
  // Select All in this order (separators aside). The editing entries are
  // replaced by ones that go through the value; Copy and Select All stay.
  QList<QAction*> items;
  for (QAction* action : menu->actions()) {
    if (!action->isSeparator()) items.append(action);
  }
  if (items.size() < 7) return menu;
  const auto replace = [&](QAction* old, void (NumericLineEdit::*command)(), bool enabled) {
    auto* action = new QAction(old->icon(), old->text(), menu);
    action->setEnabled(enabled);
    menu->insertAction(old, action);
    menu->removeAction(old);
    delete old;
    connect(action, &QAction::triggered, this, command);
  };
  const bool editable = !isReadOnly();
  replace(items[0], &NumericLineEdit::undoValue, editable && isUndoAvailable());
  replace(items[1], &NumericLineEdit::redoValue, editable && isRedoAvailable());
  replace(items[2], &NumericLineEdit::cutValue, editable && hasSelectedText());
  replace(items[4], &NumericLineEdit::pasteValue, editable);
  replace(items[5], &NumericLineEdit::clearValue, editable && hasSelectedText());
  return menu;
}

void NumericLineEdit::refresh() {
  const QString& shown = entry_->text();
  if (shown != text()) {
    const QScopedValueRollback own(ownText_, true);
    setText(shown);
  }
  end(false);
  applyColour();
}

void NumericLineEdit::apply(KeyOutcome outcome) {
  if (outcome == KeyOutcome::Rejected) {
    beep();
    // A rejected key leaves text and selection alone, unless the entry
    // itself changed (a point refused in a whole-number field).
    if (entry_->text() != text()) refresh();
    return;
  }
  refresh();
}

void NumericLineEdit::typeText(const QString& text) {
  if (isReadOnly()) return;
  for (const QChar c : text) {
    apply(entry_->typeCharacter(numeric::toHalfWidth(c), hasSelectedText()));
  }
}

void NumericLineEdit::keyPressEvent(QKeyEvent* event) {
  const bool editable = !isReadOnly();
  if (event->matches(QKeySequence::Copy)) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  if (event->matches(QKeySequence::Paste)) {
    pasteValue();
    event->accept();
    return;
  }
  if (event->matches(QKeySequence::Cut)) {
    cutValue();
    event->accept();
    return;
  }
  if (event->matches(QKeySequence::Undo)) {
    undoValue();
    event->accept();
    return;
  }
  if (event->matches(QKeySequence::Redo)) {
    redoValue();
    event->accept();
    return;
  }
  if (event->matches(QKeySequence::SelectAll)) {
    selectAll();
    event->accept();
    return;
  }

  switch (event->key()) {
    case Qt::Key_Backspace:
      if (editable) apply(entry_->backspace(hasSelectedText()));
      event->accept();
      return;
    case Qt::Key_Delete:
      if (editable) apply(entry_->deleteKey(hasSelectedText()));
      event->accept();
      return;
    case Qt::Key_Left:  // the caret stays at the end
      event->accept();
      return;
    case Qt::Key_Home:
      selectAll();
      event->accept();
      return;
    case Qt::Key_Escape:
      if (!editable) {  // left to the window, which may close a dialog
        QLineEdit::keyPressEvent(event);
        return;
      }
      entry_->escape();
      refresh();
      event->accept();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (enterNext_) {
        focusNextPrevChild(true);
        event->accept();
      } else {
        QLineEdit::keyPressEvent(event);  // returnPressed() still fires
        event->ignore();
      }
      return;
    case Qt::Key_Up:
    case Qt::Key_Down:
      if (arrowNext_) {
        focusNextPrevChild(event->key() == Qt::Key_Down);
        event->accept();
        return;
      }
      break;
    default:
      break;
  }

  const QString typed = event->text();
  const Qt::KeyboardModifiers commandKeys =
      Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
  if (event->modifiers() & commandKeys) {
    // Control characters would edit the digits behind the value's back
    // (Ctrl+K, Ctrl+U, …); key combinations without text belong to the
    // window.
    if (typed.isEmpty()) {
      event->ignore();
    } else {
      event->accept();
    }
    return;
  }
  if (!typed.isEmpty()) {
    typeText(typed);
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void NumericLineEdit::inputMethodEvent(QInputMethodEvent* event) {
  // The input method is off, but if one still commits text (full-width
  // digits), it is typed like keys.
  typeText(event->commitString());
  event->accept();
}

QVariant NumericLineEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
  if (query == Qt::ImEnabled) return false;
  return QLineEdit::inputMethodQuery(query);
}

void NumericLineEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (event->reason() == Qt::PopupFocusReason) return;  // back from the context menu
  entry_->focusIn();
  setAttribute(Qt::WA_InputMethodEnabled, false);
  if (event->reason() == Qt::MouseFocusReason) return;  // the release places the caret
  if (autoSelect_) {
    selectAll();
  } else {
    end(false);
  }
}

void NumericLineEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (event->reason() == Qt::PopupFocusReason) return;  // the context menu needs the selection
  entry_->focusOut();
  refresh();
}

void NumericLineEdit::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton) {
    // The edit box would insert the primary selection among the digits,
    // which reads back as 0: it replaces the whole value instead.
    pasteSelection();
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton) return;
  if (doubleClick_) {
    doubleClick_ = false;
    return;
  }
  const bool wholeSelected = hasSelectedText() && selectedText() == text();
  if (!wholeSelected) end(false);
}

void NumericLineEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  doubleClick_ = true;
  QLineEdit::mouseDoubleClickEvent(event);
}

void NumericLineEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createNumericContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

void NumericLineEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::ReadOnlyChange) {
    setAttribute(Qt::WA_InputMethodEnabled, false);  // QLineEdit turns it back on
  } else if (event->type() == QEvent::PaletteChange && !ownColour_) {
    const QColor colour = palette().color(QPalette::Active, QPalette::Text);
    if (colour != shownColor_) setFontColor(colour);
  }
}

void NumericLineEdit::applyColour() {
  const QColor colour = entry_->showsNegative() ? minusColor_ : normalColor_;
  shownColor_ = colour;
  QPalette p = palette();
  if (p.color(QPalette::Active, QPalette::Text) == colour &&
      p.color(QPalette::Inactive, QPalette::Text) == colour) {
    return;
  }
  // Disabled text keeps the style's grey.
  p.setColor(QPalette::Active, QPalette::Text, colour);
  p.setColor(QPalette::Inactive, QPalette::Text, colour);
  const QScopedValueRollback own(ownColour_, true);
  setPalette(p);
}

void NumericLineEdit::onTextChanged(const QString& text) {
  if (!ownText_) {
    // Set from outside through QLineEdit::setText or the text property.
    entry_->setFromText(text);
    refresh();
    // When the rebuilt text differs, its own change has been reported.
    if (this->text() != text) return;
  }
  if (loading_) return;
  setModified(true);
  emit changed();
}

void NumericLineEdit::beep() {
  QApplication::beep();
  emit beeped();
}

// ---- TNValEdit

TNValEdit::TNValEdit(QWidget* parent)
    : NumericLineEdit(std::make_unique<numeric::FloatEntry>(), parent) {}

void TNValEdit::setValue(long double value) {
  entry().setValue(value);
  refresh();
}

const numeric::FloatEntry& TNValEdit::entry() const {
  return static_cast<const numeric::FloatEntry&>(core());
}

numeric::FloatEntry& TNValEdit::entry() { return static_cast<numeric::FloatEntry&>(core()); }

// ---- TNValEditC

TNValEditC::TNValEditC(QWidget* parent)
    : NumericLineEdit(std::make_unique<numeric::CurrencyEntry>(), parent) {}

void TNValEditC::setValueUnits(qint64 tenThousandths) {
  entry().setValue(tenThousandths);
  refresh();
}

const numeric::CurrencyEntry& TNValEditC::entry() const {
  return static_cast<const numeric::CurrencyEntry&>(core());
}

numeric::CurrencyEntry& TNValEditC::entry() { return static_cast<numeric::CurrencyEntry&>(core()); }

}  // namespace kelvane
