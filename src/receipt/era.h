#pragma once
// The Japanese era of a receipt date: 平成 before 2019-05-01, 令和 from
// that day on.

#include <QDate>
#include <QString>

#include <optional>

namespace kelvane {

struct EraYear {
  QString name;  // "平成" or "令和"
  int year = 0;  // the year within the era
};

[[nodiscard]] EraYear EraOf(const QDate& date);

// The Western year of a year within an era; nothing for an era other than
// 平成 and 令和.
[[nodiscard]] std::optional<int> WesternYear(const QString& era, int eraYear);

}  // namespace kelvane
