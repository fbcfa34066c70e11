#pragma once
// The consumption tax of a receipt worked out by rate, as a qualified
// invoice states it: the amount of each rate as typed (with or without
// tax), the tax of each rate rounded once, and the receipt's totals.

#include <QString>
#include <QtGlobal>

#include <optional>

namespace kelvane {

inline constexpr int kStandardRate = 10;  // percent, since 2019-10-01
inline constexpr int kReducedRate = 8;    // food and newspapers

enum class TaxBasis { Included, Excluded };    // 税込 / 税抜
enum class TaxRounding { Down, Nearest, Up };  // 切り捨て / 四捨五入 / 切り上げ

// Amounts are fixed point, ten-thousandths of a yen, as the amount fields
// hold them.
struct RateAmounts {
  qint64 amount10 = 0;  // 10%対象
  qint64 amount8 = 0;   // 8%対象
  TaxBasis basis = TaxBasis::Included;
  TaxRounding rounding = TaxRounding::Down;
};

struct RateFigures {
  qint64 net = 0;    // without tax
  qint64 tax = 0;    // whole yen
  qint64 gross = 0;  // with tax
};

struct TaxByRate {
  RateFigures at10;
  RateFigures at8;
  qint64 totalNet = 0;
  qint64 totalTax = 0;
  qint64 totalGross = 0;
  // The rate when only one rate has an amount; nothing when both or none.
  std::optional<int> singleRate;
};

// 税込: tax = amount × rate ÷ (100 + rate); 税抜: tax = amount × rate ÷ 100;
// each rounded to whole yen as asked (toward zero, to the nearest with
// halves away from zero, or away from zero).
[[nodiscard]] TaxByRate ComputeTaxByRate(const RateAmounts& amounts);

// The names the window, the settings and the CSV files use.
[[nodiscard]] QString TaxBasisName(TaxBasis basis);
[[nodiscard]] std::optional<TaxBasis> TaxBasisNamed(const QString& name);
[[nodiscard]] QString TaxRoundingName(TaxRounding rounding);
[[nodiscard]] std::optional<TaxRounding> TaxRoundingNamed(const QString& name);

}  // namespace kelvane
