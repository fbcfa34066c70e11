#include "receipt/era.h"

namespace kelvane {

namespace {
constexpr int kHeiseiBase = 1988;
constexpr int kReiwaBase = 2018;
const QDate kReiwaStart(2019, 5, 1);
}  // namespace

EraYear EraOf(const QDate& date) {
  if (date < kReiwaStart) return {QStringLiteral("平成"), date.year() - kHeiseiBase};
  return {QStringLiteral("令和"), date.year() - kReiwaBase};
}

std::optional<int> WesternYear(const QString& era, int eraYear) {
  if (era == QStringLiteral("平成")) return kHeiseiBase + eraYear;
  if (era == QStringLiteral("令和")) return kReiwaBase + eraYear;
  return std::nullopt;
}

}  // namespace kelvane
