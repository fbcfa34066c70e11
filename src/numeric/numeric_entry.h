#pragma once
// The entry logic of the numeric fields, without any widget: the value, how
// far the user has typed it (digits, decimals, a pending point or minus),
// the limits from the digit settings and the text the field shows.
//
// The value is kept as a magnitude and a minus flag, so that "-" can stand
// before any digit has been typed. Two value types share one logic through
// an arithmetic policy: long double for measures (millimetres), and
// ten-thousandths in a signed 64-bit integer for money and the tax rate.

#include <QChar>
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>
#include <string>
#include <string_view>

namespace kelvane::numeric {

// What a key did; a rejected key leaves the value as it was and the field
// beeps.
enum class KeyOutcome { Accepted, Rejected };

// Measures as long double. Texts are plain ASCII magnitudes ("12.5").
struct FloatArithmetic {
  using Value = long double;
  // Decimals a typed entry may reach; the digit count limits it first.
  static constexpr int kMaxDecimals = 15;

  [[nodiscard]] static Value valid(Value v);  // NaN reads as 0
  [[nodiscard]] static bool isNegative(Value v) { return v < 0; }
  [[nodiscard]] static Value magnitude(Value v);
  [[nodiscard]] static Value withSign(Value magnitude, bool negative);
  [[nodiscard]] static bool isZero(Value magnitude) { return magnitude == 0; }
  // 10^wholeDigits − 10^−decimals.
  [[nodiscard]] static Value largest(int wholeDigits, int decimals);
  // magnitude < 5 × 10^−(decimals + 1): shown as zero with that many decimals.
  [[nodiscard]] static bool belowHalfUnit(Value magnitude, int decimals);
  [[nodiscard]] static std::string fixed(Value magnitude, int decimals);
  // At most 14 decimals, no trailing zeros, no trailing point.
  [[nodiscard]] static std::string trimmed(Value magnitude);
  // Nothing when the text is no magnitude or beyond the range.
  [[nodiscard]] static std::optional<Value> read(std::string_view magnitude);
  [[nodiscard]] static Value maxMagnitude();
};

// Money as a count of ten-thousandths; every result is whole ten-thousandths.
struct CurrencyArithmetic {
  using Value = qint64;
  static constexpr int kMaxDecimals = 4;

  [[nodiscard]] static Value valid(Value v) { return v; }
  [[nodiscard]] static bool isNegative(Value v) { return v < 0; }
  [[nodiscard]] static Value magnitude(Value v);  // the most negative value saturates
  [[nodiscard]] static Value withSign(Value magnitude, bool negative) {
    return negative ? -magnitude : magnitude;
  }
  [[nodiscard]] static bool isZero(Value magnitude) { return magnitude == 0; }
  [[nodiscard]] static Value largest(int wholeDigits, int decimals);
  // Never finer than 0.00005: below that only 0 is left.
  [[nodiscard]] static bool belowHalfUnit(Value magnitude, int decimals);
  [[nodiscard]] static std::string fixed(Value magnitude, int decimals);
  [[nodiscard]] static std::string trimmed(Value magnitude);
  // A fifth decimal and beyond rounds half to even.
  [[nodiscard]] static std::optional<Value> read(std::string_view magnitude);
  [[nodiscard]] static Value maxMagnitude();
};

// Settings and entry state that do not depend on the value type, and the
// operations the field's widget calls.
class EntryCore {
 public:
  virtual ~EntryCore() = default;

  // Most digits of the number, whole and decimal together: 1–15. A value
  // outside that range, or one not above FixDecimal, is ignored.
  [[nodiscard]] int maxDigits() const { return maxDigits_; }
  virtual void setMaxDigits(int digits) = 0;
  // −1: decimals as typed; 0: whole numbers; n: exactly n decimals. Clamped
  // to −1 … MaxDigits − 1; the value is cut to the new number of decimals.
  [[nodiscard]] int fixDecimal() const { return fixDecimal_; }
  virtual void setFixDecimal(int decimals) = 0;
  // Switching negatives off makes a negative value positive.
  [[nodiscard]] bool prmtNegative() const { return prmtNegative_; }
  virtual void setPrmtNegative(bool permitted) = 0;

  [[nodiscard]] bool delAllClear() const { return delAllClear_; }
  void setDelAllClear(bool on) { delAllClear_ = on; }
  // Shown in front of the number; a space means none, and anything below a
  // space is taken as a space.
  [[nodiscard]] QChar leadingChar() const { return leadingChar_; }
  void setLeadingChar(QChar c);
  [[nodiscard]] bool zeroDisplay() const { return zeroDisplay_; }
  void setZeroDisplay(bool on);
  [[nodiscard]] bool putAComma() const { return putAComma_; }
  void setPutAComma(bool on);

  // The text the field shows, rebuilt after every operation.
  [[nodiscard]] const QString& text() const { return text_; }
  // The value is negative or a minus has been typed: the minus colour.
  [[nodiscard]] bool showsNegative() const { return minus_; }

  [[nodiscard]] int digitCount() const { return digits_; }
  [[nodiscard]] int decimalCount() const { return decimals_; }
  [[nodiscard]] bool pointPending() const { return point_; }
  [[nodiscard]] bool minusPending() const { return minus_; }

  // One typed character (half-width): a digit, "." or "-"; any other
  // character is taken without effect. `selected`: text is selected, so the
  // key starts a new entry.
  KeyOutcome typeCharacter(QChar c, bool selected);
  KeyOutcome typeMinus(bool selected);
  virtual KeyOutcome typePoint(bool selected) = 0;
  virtual KeyOutcome typeDigit(int digit, bool selected) = 0;
  virtual KeyOutcome backspace(bool selected) = 0;
  // Clears the value with a selection or with DelAllClear.
  KeyOutcome deleteKey(bool selected);

  // Back to the value the field had at the last focus change.
  virtual void escape() = 0;
  // Value 0, nothing pending: after cut, clear, or a paste without text.
  void clear() { resetEntry(false); }
  // Pasted or assigned text; anything unreadable sets 0.
  virtual void setFromText(QStringView text) = 0;
  virtual void focusIn() = 0;
  // Remembers the value and sets it again, which closes the entry.
  virtual void focusOut() = 0;
  // After all settings have been loaded: the value set afresh and taken as
  // the value at focus.
  virtual void loaded() = 0;

 protected:
  // Value 0 with nothing typed; `keepMinus` for a point after a selection.
  virtual void resetEntry(bool keepMinus) = 0;
  // Rebuilds text_ from the value and the entry state.
  virtual void show() = 0;

  int maxDigits_ = 9;
  int fixDecimal_ = -1;
  bool prmtNegative_ = true;
  bool delAllClear_ = false;
  QChar leadingChar_ = u' ';
  bool zeroDisplay_ = false;
  bool putAComma_ = true;

  int digits_ = 0;
  int decimals_ = 0;
  bool point_ = false;
  bool minus_ = false;
  QString text_;
};

template <class Arith>
class NumericEntry final : public EntryCore {
 public:
  using Value = typename Arith::Value;

  NumericEntry() { show(); }

  // The signed value; 0 (never −0) while only a minus is pending.
  [[nodiscard]] Value value() const { return Arith::withSign(magnitude_, minus_); }
  // Clamped to the largest magnitude the digit settings allow, rounded to
  // FixDecimal decimals, made positive when negatives are not permitted.
  void setValue(Value value);
  [[nodiscard]] Value valueAtFocus() const { return valueAtFocus_; }

  void setMaxDigits(int digits) override;
  void setFixDecimal(int decimals) override;
  void setPrmtNegative(bool permitted) override;

  KeyOutcome typePoint(bool selected) override;
  KeyOutcome typeDigit(int digit, bool selected) override;
  KeyOutcome backspace(bool selected) override;
  void escape() override { setValue(valueAtFocus_); }
  void setFromText(QStringView text) override;
  void focusIn() override { valueAtFocus_ = value(); }
  void focusOut() override;
  void loaded() override;

 protected:
  void resetEntry(bool keepMinus) override;
  void show() override;

 private:
  [[nodiscard]] Value largestMagnitude() const;

  Value magnitude_{};
  Value valueAtFocus_{};
};

extern template class NumericEntry<FloatArithmetic>;
extern template class NumericEntry<CurrencyArithmetic>;

using FloatEntry = NumericEntry<FloatArithmetic>;
using CurrencyEntry = NumericEntry<CurrencyArithmetic>;

}  // namespace kelvane::numeric
