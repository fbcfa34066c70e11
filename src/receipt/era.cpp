#include "receipt/era.h"

namespace kelvane {

EraYear EraOf(const QDate& date) {
  if (date < QDate(2019, 5, 1)) return {QStringLiteral("平成"), date.year() - 1988};
  return {QStringLiteral("令和"), date.year() - 2018};
}

}  // namespace kelvane
