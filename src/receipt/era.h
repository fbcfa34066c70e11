#pragma once
// The Japanese era of a receipt date: 平成 before 2019-05-01, 令和 from
// that day on.

#include <QDate>
#include <QString>

namespace kelvane {

struct EraYear {
  QString name;  // "平成" or "令和"
  int year = 0;  // the year within the era
};

[[nodiscard]] EraYear EraOf(const QDate& date);

}  // namespace kelvane
