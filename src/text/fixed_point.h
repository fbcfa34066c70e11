#pragma once
// Fixed-point numbers: 64-bit integers holding a value times 10000 (four
// decimals), as positions in millimetres, resolutions, zoom and amounts are
// kept. Parsing is of the texts the program writes into its files.

#include <QByteArrayView>
#include <QtGlobal>

#include <optional>

namespace kelvane::fixed {

inline constexpr qint64 kOne = 10000;

// A decimal number with "." and an optional exponent, blanks around it
// allowed; more than four decimals round half to even. Empty text, other
// characters or a value beyond the 64-bit range give nothing.
[[nodiscard]] std::optional<qint64> parse(QByteArrayView text);

// A whole decimal number in the 32-bit range, leading blanks allowed.
[[nodiscard]] std::optional<int> parseWhole(QByteArrayView text);

// The same with `fallback` for anything that is not such a number.
[[nodiscard]] int parseWholeOr(QByteArrayView text, int fallback);

// num / den rounded to the nearest integer, halves to the even neighbour.
[[nodiscard]] qint64 divRoundHalfEven(__int128 num, __int128 den);

// num / den rounded to the nearest integer, halves away from zero.
[[nodiscard]] qint64 divRoundHalfAway(__int128 num, __int128 den);

// num / den truncated toward zero, kept within the 64-bit range.
[[nodiscard]] qint64 divTrunc(__int128 num, __int128 den);

[[nodiscard]] constexpr qint64 fromWhole(qint64 whole) { return whole * kOne; }

// The whole part, truncated toward zero.
[[nodiscard]] constexpr qint64 truncToWhole(qint64 value) { return value / kOne; }

}  // namespace kelvane::fixed
