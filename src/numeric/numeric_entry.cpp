#include "numeric/numeric_entry.h"

#include "numeric/numeric_text.h"
#include "text/fixed_point.h"

#include <QByteArrayView>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace kelvane::numeric {
namespace {

constexpr int kMinDigits = 1;
constexpr int kMostDigits = 15;
constexpr int kTrimmedDecimals = 14;

// "1.2300" → "1.23", "5.000" → "5"; texts without a point are kept.
void stripTrailingZeros(std::string& text) {
  if (text.find('.') == std::string::npos) return;
  while (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
}

std::string nines(int wholeDigits, int decimals) {
  std::string text(std::size_t(std::max(wholeDigits, 1)), '9');
  if (decimals > 0) text += '.' + std::string(std::size_t(decimals), '9');
  return text;
}

std::string halfUnit(int decimals) {
  return "0." + std::string(std::size_t(std::max(decimals, 0)), '0') + '5';
}

// Whole digits and written decimals of a plain magnitude.
struct DigitShape {
  int whole = 0;
  int decimals = 0;
};

DigitShape shapeOf(const std::string& text) {
  const std::size_t pointAt = text.find('.');
  if (pointAt == std::string::npos) return {int(text.size()), 0};
  return {int(pointAt), int(text.size() - pointAt - 1)};
}

// The first `decimals` decimals of a plain magnitude, the rest cut off.
std::string cutDecimals(std::string text, int decimals) {
  const std::size_t pointAt = text.find('.');
  if (pointAt == std::string::npos) return text;
  if (text.size() > pointAt + 1 + std::size_t(decimals)) text.resize(pointAt + 1 + decimals);
  stripTrailingZeros(text);
  return text;
}

qint64 pow10(int exponent) {
  qint64 p = 1;
  for (int i = 0; i < exponent; ++i) p *= 10;
  return p;
}

}  // namespace

// ---- FloatArithmetic

FloatArithmetic::Value FloatArithmetic::valid(Value v) { return std::isnan(v) ? Value{} : v; }

FloatArithmetic::Value FloatArithmetic::magnitude(Value v) { return std::fabs(v); }

FloatArithmetic::Value FloatArithmetic::withSign(Value magnitude, bool negative) {
  return negative && magnitude != 0 ? -magnitude : magnitude;
}

FloatArithmetic::Value FloatArithmetic::largest(int wholeDigits, int decimals) {
  return read(nines(wholeDigits, decimals)).value_or(maxMagnitude());
}

bool FloatArithmetic::belowHalfUnit(Value magnitude, int decimals) {
  return magnitude < read(halfUnit(decimals)).value_or(Value{});
}

std::string FloatArithmetic::fixed(Value magnitude, int decimals) {
  // Magnitudes here are clamped to at most 15 whole digits before they are
  // written, so the buffer always holds them.
  std::array<char, 128> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                    std::chars_format::fixed, std::max(decimals, 0));
  if (result.ec != std::errc()) return "0";
  return std::string(buffer.data(), result.ptr);
}

std::string FloatArithmetic::trimmed(Value magnitude) {
  // The shortest text that reads back as the same value, so that a typed
  // 123456789.1 is not written as 123456789.0999999…; only when that needs
  // more than 14 decimals is it rounded to 14.
  std::array<char, 128> buffer{};
  auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                              std::chars_format::fixed);
  std::string text = result.ec == std::errc() ? std::string(buffer.data(), result.ptr) : "0";
  if (shapeOf(text).decimals > kTrimmedDecimals) text = fixed(magnitude, kTrimmedDecimals);
  stripTrailingZeros(text);
  return text;
}

std::optional<FloatArithmetic::Value> FloatArithmetic::read(std::string_view magnitude) {
  Value v{};
  const char* first = magnitude.data();
  const char* last = first + magnitude.size();
  const auto result = std::from_chars(first, last, v, std::chars_format::fixed);
  if (result.ec == std::errc::result_out_of_range) {
    // Too small to hold reads as 0, too large as nothing.
    const std::string_view whole = magnitude.substr(0, magnitude.find('.'));
    if (whole.find_first_not_of('0') == std::string_view::npos) return Value{};
    return std::nullopt;
  }
  if (result.ec != std::errc() || result.ptr != last) return std::nullopt;
  return v;
}

FloatArithmetic::Value FloatArithmetic::maxMagnitude() { return std::numeric_limits<Value>::max(); }

// ---- CurrencyArithmetic

CurrencyArithmetic::Value CurrencyArithmetic::magnitude(Value v) {
  if (v == std::numeric_limits<Value>::min()) return std::numeric_limits<Value>::max();
  return v < 0 ? -v : v;
}

CurrencyArithmetic::Value CurrencyArithmetic::largest(int wholeDigits, int decimals) {
  // 10^whole − one unit of the last decimal, in ten-thousandths; beyond four
  // decimals the unit is one ten-thousandth.
  const __int128 top = __int128(pow10(std::min(wholeDigits, 18))) * fixed::kOne;
  const __int128 unit = decimals >= 4 ? 1 : pow10(4 - std::max(decimals, 0));
  const __int128 value = top - unit;
  if (value > std::numeric_limits<Value>::max()) return std::numeric_limits<Value>::max();
  return Value(value);
}

bool CurrencyArithmetic::belowHalfUnit(Value magnitude, int decimals) {
  if (decimals >= 4) return magnitude == 0;
  return magnitude < 5 * pow10(3 - decimals);
}

std::string CurrencyArithmetic::fixed(Value magnitude, int decimals) {
  decimals = std::max(decimals, 0);
  const int kept = std::min(decimals, 4);
  const qint64 scaled = fixed::divRoundHalfAway(magnitude, pow10(4 - kept));
  const qint64 unit = pow10(kept);
  std::string text = std::to_string(scaled / unit);
  if (decimals > 0) {
    std::string fraction = std::to_string(scaled % unit);
    text += '.' + std::string(std::size_t(kept) - fraction.size(), '0') + fraction;
    text += std::string(std::size_t(decimals - kept), '0');
  }
  return text;
}

std::string CurrencyArithmetic::trimmed(Value magnitude) {
  std::string text = fixed(magnitude, 4);
  stripTrailingZeros(text);
  return text;
}

std::optional<CurrencyArithmetic::Value> CurrencyArithmetic::read(std::string_view magnitude) {
  return fixed::parse(QByteArrayView(magnitude.data(), qsizetype(magnitude.size())));
}

CurrencyArithmetic::Value CurrencyArithmetic::maxMagnitude() {
  return std::numeric_limits<Value>::max();
}

// ---- EntryCore

void EntryCore::setLeadingChar(QChar c) {
  leadingChar_ = c < QChar(u' ') ? QChar(u' ') : c;
  show();
}

void EntryCore::setZeroDisplay(bool on) {
  zeroDisplay_ = on;
  show();
}

void EntryCore::setPutAComma(bool on) {
  putAComma_ = on;
  show();
}

KeyOutcome EntryCore::typeCharacter(QChar c, bool selected) {
  if (c == u'-') return typeMinus(selected);
  if (c == u'.') return typePoint(selected);
  if (c >= u'0' && c <= u'9') return typeDigit(c.unicode() - u'0', selected);
  return KeyOutcome::Accepted;
}

KeyOutcome EntryCore::typeMinus(bool selected) {
  if (!prmtNegative_) return KeyOutcome::Rejected;
  if (selected) resetEntry(false);
  minus_ = !minus_;
  show();
  return KeyOutcome::Accepted;
}

KeyOutcome EntryCore::deleteKey(bool selected) {
  if (selected || delAllClear_) resetEntry(false);
  return KeyOutcome::Accepted;
}

// ---- NumericEntry

template <class A>
typename NumericEntry<A>::Value NumericEntry<A>::largestMagnitude() const {
  if (fixDecimal_ < 0) return A::largest(maxDigits_, 0);
  return A::largest(maxDigits_ - fixDecimal_, fixDecimal_);
}

template <class A>
void NumericEntry<A>::setValue(Value value) {
  value = A::valid(value);
  Value magnitude = A::magnitude(value);
  minus_ = A::isNegative(value) && prmtNegative_;

  const int halfUnitDecimals = fixDecimal_ < 0 ? maxDigits_ - 1 : fixDecimal_;
  if (A::belowHalfUnit(magnitude, halfUnitDecimals)) {
    // Too small to show: kept as the zero it reads as, with no lone "-".
    magnitude_ = Value{};
    minus_ = false;
    digits_ = zeroDisplay_ ? 1 : 0;
    decimals_ = 0;
    point_ = false;
    show();
    return;
  }

  const Value largest = largestMagnitude();
  if (!(magnitude < largest)) magnitude = largest;
  if (fixDecimal_ >= 0) {
    // The value keeps exactly the decimals it shows.
    magnitude = A::read(A::fixed(magnitude, fixDecimal_)).value_or(largest);
    if (!(magnitude < largest)) magnitude = largest;
  }

  std::string text = A::trimmed(magnitude);
  if (text.find('.') != std::string::npos && int(text.size()) > maxDigits_ + 1) {
    text.resize(std::size_t(maxDigits_) + 1);  // drops decimals, no rounding
    stripTrailingZeros(text);
    magnitude = A::read(text).value_or(largest);
  }
  const DigitShape shape = shapeOf(text);
  decimals_ = fixDecimal_ < 0 ? shape.decimals : fixDecimal_;
  digits_ = shape.whole + decimals_;
  point_ = decimals_ > 0;
  magnitude_ = magnitude;
  if (A::isZero(magnitude_)) minus_ = false;
  show();
}

template <class A>
void NumericEntry<A>::setMaxDigits(int digits) {
  if (digits < kMinDigits || digits > kMostDigits || fixDecimal_ >= digits) return;
  maxDigits_ = digits;
  const DigitShape shape = shapeOf(A::trimmed(magnitude_));
  if (shape.whole + std::max(shape.decimals, fixDecimal_) > maxDigits_) setValue(value());
}

template <class A>
void NumericEntry<A>::setFixDecimal(int decimals) {
  decimals = std::clamp(decimals, -1, maxDigits_ - 1);
  fixDecimal_ = decimals;
  Value magnitude = magnitude_;
  if (decimals >= 0) {
    magnitude = A::read(cutDecimals(A::trimmed(magnitude_), decimals)).value_or(magnitude_);
  }
  setValue(A::withSign(magnitude, minus_));
}

template <class A>
void NumericEntry<A>::setPrmtNegative(bool permitted) {
  prmtNegative_ = permitted;
  if (!permitted && minus_) setValue(magnitude_);
}

template <class A>
KeyOutcome NumericEntry<A>::typePoint(bool selected) {
  if (fixDecimal_ == 0) {
    point_ = false;
    decimals_ = 0;
    show();
    return KeyOutcome::Rejected;
  }
  if (selected) resetEntry(true);
  if (digits_ >= maxDigits_) return KeyOutcome::Rejected;
  digits_ = std::max(digits_, 1);
  if (point_) return KeyOutcome::Rejected;
  point_ = true;
  show();
  return KeyOutcome::Accepted;
}

template <class A>
KeyOutcome NumericEntry<A>::typeDigit(int digit, bool selected) {
  if (selected) resetEntry(false);
  const int oldDigits = digits_;
  const int oldDecimals = decimals_;
  const auto reject = [&] {
    digits_ = oldDigits;
    decimals_ = oldDecimals;
    return KeyOutcome::Rejected;
  };

  // The new magnitude is written as text and read back, which rounds it to
  // the typed decimals exactly once.
  std::string next;
  if (point_) {
    ++decimals_;
    if (decimals_ > A::kMaxDecimals) return reject();
    next = A::fixed(magnitude_, oldDecimals);
    if (oldDecimals == 0) next += '.';
  } else {
    next = A::fixed(magnitude_, 0);
    if (next == "0") {
      if (digits_ == 1) digits_ = 0;  // a leading zero does not count
      next.clear();
    }
  }
  next += char('0' + digit);
  digits_ = (point_ && decimals_ == 1 && A::isZero(magnitude_)) ? 2 : digits_ + 1;

  if (digits_ > maxDigits_) return reject();
  if (!point_ && fixDecimal_ >= 0 && digits_ > maxDigits_ - fixDecimal_) return reject();
  if (point_ && fixDecimal_ >= 0 && decimals_ > fixDecimal_) return reject();
  const std::optional<Value> typed = A::read(next);
  if (!typed || largestMagnitude() < *typed) return reject();  // beyond 64 bits of money
  magnitude_ = *typed;
  show();
  return KeyOutcome::Accepted;
}

template <class A>
KeyOutcome NumericEntry<A>::backspace(bool selected) {
  if (selected || digits_ == 0) {
    resetEntry(false);
    return KeyOutcome::Accepted;
  }
  // A pending point without decimals goes with the last whole digit: "12."
  // becomes "1".
  std::string text = A::fixed(magnitude_, decimals_);
  text.pop_back();
  --digits_;
  if (decimals_ == 0) {
    point_ = false;
  } else {
    --decimals_;
  }
  magnitude_ = text.empty() ? Value{} : A::read(text).value_or(Value{});
  // The minus goes with the last digit, not with any earlier one.
  if (!point_ && A::isZero(magnitude_)) minus_ = false;
  show();
  return KeyOutcome::Accepted;
}

template <class A>
void NumericEntry<A>::setFromText(QStringView text) {
  const std::optional<PlainNumber> number = parseNumberText(text, leadingChar_);
  if (!number) {
    setValue(Value{});
    return;
  }
  const Value magnitude = A::read(number->magnitude).value_or(A::maxMagnitude());
  setValue(A::withSign(magnitude, number->negative));
}

template <class A>
void NumericEntry<A>::focusOut() {
  valueAtFocus_ = value();
  setValue(valueAtFocus_);
}

template <class A>
void NumericEntry<A>::loaded() {
  const Value stored = value();
  digits_ = 0;
  decimals_ = 0;
  point_ = false;
  minus_ = false;
  setValue(stored);
  valueAtFocus_ = value();
}

template <class A>
void NumericEntry<A>::resetEntry(bool keepMinus) {
  magnitude_ = Value{};
  digits_ = 0;
  decimals_ = 0;
  point_ = false;
  if (!keepMinus) minus_ = false;
  show();
}

template <class A>
void NumericEntry<A>::show() {
  QString text;
  if (!A::isZero(magnitude_) || point_) {
    std::string body = A::fixed(magnitude_, decimals_);
    if (putAComma_) body = groupThousands(body);
    if (point_ && decimals_ == 0 && digits_ < maxDigits_) body += '.';
    text = QString::fromLatin1(body.data(), qsizetype(body.size()));
  } else {
    digits_ = 0;
    decimals_ = 0;
    if (zeroDisplay_) text = QStringLiteral("0");
  }
  if (minus_) text.prepend(u'-');
  if (leadingChar_ != u' ' && (zeroDisplay_ || !A::isZero(magnitude_) || minus_ || point_)) {
    text.prepend(leadingChar_);
  }
  text_ = text;
}

template class NumericEntry<FloatArithmetic>;
template class NumericEntry<CurrencyArithmetic>;

}  // namespace kelvane::numeric
