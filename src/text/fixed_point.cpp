#include "text/fixed_point.h"

#include <limits>

namespace kelvane::fixed {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

constexpr __int128 kLimit = std::numeric_limits<qint64>::max();

qint64 clampTo64(__int128 v) {
  if (v > kLimit) return std::numeric_limits<qint64>::max();
  if (v < -kLimit - 1) return std::numeric_limits<qint64>::min();
  return static_cast<qint64>(v);
}

}  // namespace

qint64 divTrunc(__int128 num, __int128 den) {
  if (den == 0) return 0;
  return clampTo64(num / den);
}

namespace {

enum class Halves { ToEven, AwayFromZero };

qint64 divRound(__int128 num, __int128 den, Halves halves) {
  if (den == 0) return 0;
  if (den < 0) {
    num = -num;
    den = -den;
  }
  __int128 q = num / den;
  __int128 r = num % den;
  if (r < 0) r = -r;
  const __int128 twice = 2 * r;
  const bool up = twice > den || (twice == den && (halves == Halves::AwayFromZero || q % 2 != 0));
  if (up) q += (num < 0) ? -1 : 1;
  return clampTo64(q);
}

}  // namespace

qint64 divRoundHalfEven(__int128 num, __int128 den) { return divRound(num, den, Halves::ToEven); }

qint64 divRoundHalfAway(__int128 num, __int128 den) {
  return divRound(num, den, Halves::AwayFromZero);
}

std::optional<qint64> parse(QByteArrayView text) {
  qsizetype i = 0;
  const qsizetype n = text.size();
  while (i < n && isBlank(text[i])) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  // Digits are gathered as an integer mantissa with a decimal exponent; 38
  // significant digits are more than any 64-bit fixed value needs.
  __int128 mantissa = 0;
  int exponent = 0;
  int digits = 0;
  bool any = false;
  bool dropped = false;  // non-zero digits beyond what the mantissa holds
  auto take = [&](char c, bool fraction) {
    any = true;
    if (digits < 36) {
      mantissa = mantissa * 10 + (c - '0');
      if (mantissa != 0) ++digits;
      if (fraction) --exponent;
    } else {
      if (!fraction) ++exponent;
      if (c != '0') dropped = true;
    }
  };
  while (i < n && isDigit(text[i])) take(text[i++], false);
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && isDigit(text[i])) take(text[i++], true);
  }
  if (!any) return std::nullopt;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool expNegative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) expNegative = text[i++] == '-';
    if (i >= n || !isDigit(text[i])) return std::nullopt;
    int e = 0;
    while (i < n && isDigit(text[i])) {
      if (e < 10000) e = e * 10 + (text[i] - '0');
      ++i;
    }
    exponent += expNegative ? -e : e;
  }
  while (i < n && isBlank(text[i])) ++i;
  if (i != n) return std::nullopt;

  // value * 10^4 = mantissa * 10^(exponent + 4)
  int shift = exponent + 4;
  __int128 result = 0;
  if (mantissa == 0) {
    result = 0;
  } else if (shift >= 0) {
    if (shift > 20) return std::nullopt;
    result = mantissa;
    for (int k = 0; k < shift; ++k) {
      result *= 10;
      if (result > kLimit + 1) return std::nullopt;
    }
  } else if (-shift > 37) {
    // The mantissa holds at most 36 digits, so it is below half of the
    // divisor: the value rounds to 0. 10^39 would not fit the divisor.
    result = 0;
  } else {
    __int128 den = 1;
    for (int k = 0; k < -shift; ++k) den *= 10;
    __int128 q = mantissa / den;
    const __int128 r = mantissa % den;
    const __int128 twice = 2 * r;
    if (twice > den || (twice == den && (dropped || q % 2 != 0))) ++q;
    result = q;
  }
  if (negative) result = -result;
  if (result > kLimit || result < -kLimit - 1) return std::nullopt;
  return static_cast<qint64>(result);
}

std::optional<int> parseWhole(QByteArrayView text) {
  qsizetype i = 0;
  const qsizetype n = text.size();
  while (i < n && isBlank(text[i])) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i >= n) return std::nullopt;
  qint64 value = 0;
  for (; i < n; ++i) {
    if (!isDigit(text[i])) return std::nullopt;
    value = value * 10 + (text[i] - '0');
    if (value > 2147483648LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

int parseWholeOr(QByteArrayView text, int fallback) { return parseWhole(text).value_or(fallback); }

}  // namespace kelvane::fixed
