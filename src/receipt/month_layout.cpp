#include "receipt/month_layout.h"

#include "receipt/holiday_list.h"

namespace kelvane {

namespace {

// 1 Sunday ... 7 Saturday.
int SundayFirstWeekday(const QDate& date) { return date.dayOfWeek() % 7 + 1; }

}  // namespace

QString CalendarCaption(const QDate& date) {
  return QStringLiteral("%1年%2月%3日")
      .arg(date.year(), 4, 10, QLatin1Char('0'))
      .arg(date.month(), 2, 10, QLatin1Char('0'))
      .arg(date.day(), 2, 10, QLatin1Char('0'));
}

int FirstWeekNumber(int year, int month) {
  const QDate first(year, month, 1);
  QDate day(year, 1, 1);
  if (!first.isValid() || !day.isValid()) return 1;
  int week = 1;
  // The walk looks at 1 January before it compares with the 1st, which is
  // why January counts its own 1st and no other month does.
  do {
    if (SundayFirstWeekday(day) == 1) ++week;
    day = day.addDays(1);
  } while (day < first);
  return week;
}

MonthLayout LayOutMonth(const QDate& chosen, const QStringList& holidays) {
  MonthLayout layout;
  if (!chosen.isValid()) return layout;
  layout.caption = CalendarCaption(chosen);
  layout.year = chosen.year();
  layout.month = chosen.month();
  const QDate first(layout.year, layout.month, 1);
  const int firstWeek = FirstWeekNumber(layout.year, layout.month);
  for (int row = 0; row < kCalendarWeeks; ++row) layout.weekNumbers[row] = firstWeek + row;

  layout.firstCell = SundayFirstWeekday(first);
  // Every cell shows the day of its place, before, in or after the month.
  for (int index = 0; index < kCalendarCells; ++index) {
    const QDate date = first.addDays(index - (layout.firstCell - 1));
    CalendarCell& cell = layout.cells[index];
    cell.caption = date.day();
    cell.weekday = index % 7 + 1;
    if (date.month() != layout.month || date.year() != layout.year) {
      cell.background = kCalendarButtonFace;
      cell.text = kCalendarBlack;
      continue;
    }
    cell.dayNumber = date.day();
    cell.background = kCalendarWhite;
    cell.text = cell.weekday == 1   ? kCalendarSundayText
                : cell.weekday == 7 ? kCalendarSaturdayText
                                    : kCalendarBlack;
    if (date == chosen) {
      cell.chosen = true;
      cell.background = kCalendarChosenBackground;
      cell.text = kCalendarWhite;
    }
  }
  MarkHolidays(layout, holidays);
  return layout;
}

void MarkHolidays(MonthLayout& layout, const QStringList& holidays) {
  for (const QString& line : holidays) {
    const HolidayFields fields = SplitHolidayLine(line);
    bool monthOk = false;
    bool dayOk = false;
    const int month = fields.month.toInt(&monthOk, 10);
    const int day = fields.day.toInt(&dayOk, 10);
    // The user's file may hold anything; such a line marks no day.
    if (!monthOk || !dayOk || month != layout.month) continue;
    const qint64 cell = qint64(layout.firstCell) + day - 1;
    if (cell < 1 || cell > kCalendarCells) continue;
    CalendarCell& marked = layout.cells[cell - 1];
    marked.holiday = true;
    marked.text = kCalendarHolidayText;
  }
}

}  // namespace kelvane
