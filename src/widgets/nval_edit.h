#pragma once
// The numeric edit fields: TNValEdit for measures (millimetres, as long
// double) and TNValEditC for money and the tax rate (ten-thousandths in a
// signed 64-bit integer). The field keeps a value and rebuilds its
// right-aligned text from it after every key; typed keys, pasted text and
// text set from outside go through the entry logic of numeric_entry.h.
//
// Naming: the Qt properties carry the field's setting names (MaxDigits,
// FixDecimal, PrmtNegative, …, Value); the C++ accessors are the same names
// in lower camel case (maxDigits(), setMaxDigits(), prmtNegative(), …).

#include "numeric/numeric_entry.h"

#include <QColor>
#include <QLineEdit>

#include <memory>

class QMenu;

namespace kelvane {

// What both fields share: every setting but the value.
class NumericLineEdit : public QLineEdit {
  Q_OBJECT
  Q_PROPERTY(int MaxDigits READ maxDigits WRITE setMaxDigits)
  Q_PROPERTY(bool PrmtNegative READ prmtNegative WRITE setPrmtNegative)
  Q_PROPERTY(int FixDecimal READ fixDecimal WRITE setFixDecimal)
  Q_PROPERTY(bool DelAllClear READ delAllClear WRITE setDelAllClear)
  Q_PROPERTY(QChar LeadingChar READ leadingChar WRITE setLeadingChar)
  Q_PROPERTY(bool ZeroDisplay READ zeroDisplay WRITE setZeroDisplay)
  Q_PROPERTY(bool PutAComma READ putAComma WRITE setPutAComma)
  Q_PROPERTY(bool EnterNext READ enterNext WRITE setEnterNext)
  Q_PROPERTY(bool ArrowNext READ arrowNext WRITE setArrowNext)
  Q_PROPERTY(QColor MinusColor READ minusColor WRITE setMinusColor)
  Q_PROPERTY(QColor FontColor READ fontColor WRITE setFontColor)
  Q_PROPERTY(bool AutoSelect READ autoSelect WRITE setAutoSelect)

 public:
  ~NumericLineEdit() override;

  // Digits of the number, whole and decimal together: 1–15 (default 9); a
  // value outside, or one not above FixDecimal, is ignored.
  [[nodiscard]] int maxDigits() const { return entry_->maxDigits(); }
  void setMaxDigits(int digits);
  // Decimals: −1 as typed (default), 0 whole numbers, n exactly n; clamped
  // to −1 … MaxDigits − 1, the value cut to them.
  [[nodiscard]] int fixDecimal() const { return entry_->fixDecimal(); }
  void setFixDecimal(int decimals);
  [[nodiscard]] bool prmtNegative() const { return entry_->prmtNegative(); }
  void setPrmtNegative(bool permitted);
  // Delete clears the value even without a selection.
  [[nodiscard]] bool delAllClear() const { return entry_->delAllClear(); }
  void setDelAllClear(bool on) { entry_->setDelAllClear(on); }
  // Shown in front of the number, e.g. "\" (shown as ¥); a space means none.
  [[nodiscard]] QChar leadingChar() const { return entry_->leadingChar(); }
  void setLeadingChar(QChar c);
  // Zero shows "0" rather than an empty field.
  [[nodiscard]] bool zeroDisplay() const { return entry_->zeroDisplay(); }
  void setZeroDisplay(bool on);
  // Whole digits grouped in threes with ",".
  [[nodiscard]] bool putAComma() const { return entry_->putAComma(); }
  void setPutAComma(bool on);
  // Enter moves the focus on; without it Enter is left to the window, so a
  // dialog's default button gets it.
  [[nodiscard]] bool enterNext() const { return enterNext_; }
  void setEnterNext(bool on) { enterNext_ = on; }
  // Up and Down move the focus to the previous and next control.
  [[nodiscard]] bool arrowNext() const { return arrowNext_; }
  void setArrowNext(bool on) { arrowNext_ = on; }
  // Text colour while the value is negative or a minus is typed.
  [[nodiscard]] QColor minusColor() const { return minusColor_; }
  void setMinusColor(const QColor& colour);
  // The text colour of non-negative values. Setting it (or the palette's
  // Text colour from outside) also moves MinusColor when both were equal.
  [[nodiscard]] QColor fontColor() const { return normalColor_; }
  void setFontColor(const QColor& colour);
  // Getting the focus by keyboard selects the whole text (default true).
  [[nodiscard]] bool autoSelect() const { return autoSelect_; }
  void setAutoSelect(bool on) { autoSelect_ = on; }

  // Text set from outside: parsed as pasted text (unreadable text gives 0),
  // the caret at the end. QLineEdit::setText and the "text" property lead to
  // the same parse.
  void setEntryText(const QString& text);

  // While a window loads the settings of its fields, changes fire no
  // changed(); endLoading() sets the stored value afresh and takes it as the
  // value Esc returns to.
  void beginLoading() { loading_ = true; }
  void endLoading();
  [[nodiscard]] bool isLoading() const { return loading_; }

  // The clipboard and editing commands of the field, also behind Ctrl+V,
  // Ctrl+X, Ctrl+Z and the context menu; nothing happens when read-only.
  // Paste replaces the whole value by the clipboard's text (0 without text).
  void pasteValue();
  // The middle click's paste of the primary selection (X11): the same
  // replacement, ignored where the platform has no selection or nothing is
  // selected.
  void pasteSelection();
  // Copies the selection, then the value is 0.
  void cutValue();
  void clearValue();
  // The edit box's undo (or redo), then its text is parsed as the value.
  void undoValue();
  void redoValue();

  // The edit box's context menu with Undo, Redo, Cut, Paste and Delete
  // running the commands above. The caller owns it.
  [[nodiscard]] QMenu* createNumericContextMenu();

 signals:
  // The text changed (not while loading); the field is then modified.
  void changed();
  // A key was rejected; the system beep has sounded.
  void beeped();

 protected:
  NumericLineEdit(std::unique_ptr<numeric::EntryCore> entry, QWidget* parent);

  [[nodiscard]] numeric::EntryCore& core() { return *entry_; }
  [[nodiscard]] const numeric::EntryCore& core() const { return *entry_; }
  // Text, caret and colour from the entry, after the value has been set.
  void refresh();

  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void apply(numeric::KeyOutcome outcome);
  void typeText(const QString& text);
  void applyColour();
  void onTextChanged(const QString& text);
  void beep();

  std::unique_ptr<numeric::EntryCore> entry_;
  QColor normalColor_;
  QColor minusColor_;
  QColor shownColor_;
  bool enterNext_ = false;
  bool arrowNext_ = false;
  bool autoSelect_ = true;
  bool loading_ = false;
  bool ownText_ = false;    // the field sets its own text: not parsed back
  bool ownColour_ = false;  // the field sets its own colour: not a new font colour
  bool doubleClick_ = false;
};

// Measures: millimetre positions, offsets and sizes.
class TNValEdit : public NumericLineEdit {
  Q_OBJECT
  Q_PROPERTY(double Value READ valueAsDouble WRITE setValueAsDouble)

 public:
  explicit TNValEdit(QWidget* parent = nullptr);

  [[nodiscard]] long double value() const { return entry().value(); }
  void setValue(long double value);
  [[nodiscard]] double valueAsDouble() const { return double(value()); }
  void setValueAsDouble(double value) { setValue(value); }

 private:
  [[nodiscard]] const numeric::FloatEntry& entry() const;
  [[nodiscard]] numeric::FloatEntry& entry();
};

// Money and the tax rate, in ten-thousandths: 12,000 yen is 120000000.
class TNValEditC : public NumericLineEdit {
  Q_OBJECT
  Q_PROPERTY(qint64 Value READ valueUnits WRITE setValueUnits)

 public:
  explicit TNValEditC(QWidget* parent = nullptr);

  [[nodiscard]] qint64 valueUnits() const { return entry().value(); }
  void setValueUnits(qint64 tenThousandths);

 private:
  [[nodiscard]] const numeric::CurrencyEntry& entry() const;
  [[nodiscard]] numeric::CurrencyEntry& entry();
};

}  // namespace kelvane
