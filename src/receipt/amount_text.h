#pragma once
// Texts of money figures: the amount received in formal kanji numerals
// (壱萬弐千円), amounts with thousands separators for the register list,
// and the tax rate as a plain decimal.

#include <QString>

namespace kelvane {

// Largest amount the kanji form is defined for: fewer than ten digits.
inline constexpr qint64 kMaxKanjiAmount = 999'999'999;

// 0 to kMaxKanjiAmount in kanji numerals, always ending in "円"; every
// non-zero digit is written (壱拾, 壱百), zeros are silent, and "萬" stands
// whenever a digit at the ten-thousands or above is written. Amounts
// outside the range are the caller's to refuse.
[[nodiscard]] QString KanjiAmount(qint64 amount);

// Decimal digits with "," between groups of three: 12345 → 12,345,
// −12345 → -12,345.
[[nodiscard]] QString GroupDigits(qint64 amount);

// A fixed-point value (ten-thousandths) as its shortest decimal text: no
// grouping, "." before a fraction, no trailing zeros (8, 8.5, 10, -0.25).
[[nodiscard]] QString PlainDecimal(qint64 tenThousandths);

}  // namespace kelvane
