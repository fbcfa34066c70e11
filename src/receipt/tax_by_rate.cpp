#include "receipt/tax_by_rate.h"

#include "text/fixed_point.h"

namespace kelvane {

namespace {

// numerator ÷ denominator (denominator > 0) in whole yen as fixed point,
// rounded as asked; the magnitude is rounded so a refund rounds as a sale.
qint64 roundedYen(qint64 numerator, qint64 denominator, TaxRounding rounding) {
  const bool negative = numerator < 0;
  const qint64 magnitude = negative ? -numerator : numerator;
  const qint64 unit = denominator * fixed::kOne;  // one yen
  qint64 yen = magnitude / unit;
  const qint64 rest = magnitude % unit;
  if (rounding == TaxRounding::Up && rest != 0) ++yen;
  if (rounding == TaxRounding::Nearest && rest * 2 >= unit) ++yen;
  return fixed::fromWhole(negative ? -yen : yen);
}

RateFigures figuresAt(qint64 amount, int rate, const RateAmounts& a) {
  RateFigures f;
  if (a.basis == TaxBasis::Included) {
    f.gross = amount;
    f.tax = roundedYen(amount * rate, 100 + rate, a.rounding);
    f.net = amount - f.tax;
  } else {
    f.net = amount;
    f.tax = roundedYen(amount * rate, 100, a.rounding);
    f.gross = amount + f.tax;
  }
  return f;
}

}  // namespace

TaxByRate ComputeTaxByRate(const RateAmounts& a) {
  TaxByRate t;
  t.at10 = figuresAt(a.amount10, kStandardRate, a);
  t.at8 = figuresAt(a.amount8, kReducedRate, a);
  t.totalNet = t.at10.net + t.at8.net;
  t.totalTax = t.at10.tax + t.at8.tax;
  t.totalGross = t.at10.gross + t.at8.gross;
  if (a.amount10 != 0 && a.amount8 == 0) t.singleRate = kStandardRate;
  if (a.amount8 != 0 && a.amount10 == 0) t.singleRate = kReducedRate;
  return t;
}

QString TaxBasisName(TaxBasis basis) {
  return basis == TaxBasis::Included ? QStringLiteral("税込") : QStringLiteral("税抜");
}

std::optional<TaxBasis> TaxBasisNamed(const QString& name) {
  const QString n = name.trimmed();
  if (n == u"税込" || n == u"内税") return TaxBasis::Included;
  if (n == u"税抜" || n == u"外税") return TaxBasis::Excluded;
  return std::nullopt;
}

QString TaxRoundingName(TaxRounding rounding) {
  switch (rounding) {
    case TaxRounding::Nearest:
      return QStringLiteral("四捨五入");
    case TaxRounding::Up:
      return QStringLiteral("切り上げ");
    default:
      return QStringLiteral("切り捨て");
  }
}

std::optional<TaxRounding> TaxRoundingNamed(const QString& name) {
  const QString n = name.trimmed();
  for (TaxRounding r : {TaxRounding::Down, TaxRounding::Nearest, TaxRounding::Up})
    if (n == TaxRoundingName(r)) return r;
  return std::nullopt;
}

}  // namespace kelvane
