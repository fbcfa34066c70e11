#pragma once
// The month calendar of the receipt page as data: a caption, six week
// numbers and 42 day cells (six weeks of seven days, Sunday first, numbered
// 1 to 42 row by row), with the colours each cell is drawn in.

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>

namespace kelvane {

// Colours as 0x00BBGGRR values.
inline constexpr int kCalendarWhite = 16777215;
inline constexpr int kCalendarBlack = 0;
inline constexpr int kCalendarSundayText = 128;        // dark red
inline constexpr int kCalendarSaturdayText = 8421376;  // teal
inline constexpr int kCalendarChosenBackground = 11228758;
inline constexpr int kCalendarHolidayText = 255;  // red
// Not a colour but the system's button-face colour, which the window takes
// from its palette: the background of days outside the displayed month.
inline constexpr int kCalendarButtonFace = -16777201;

inline constexpr int kCalendarWeeks = 6;
inline constexpr int kCalendarCells = 42;

struct CalendarCell {
  int caption = 0;    // the day of the month the cell shows
  int dayNumber = 0;  // the day of the displayed month; 0 for another month's day
  int weekday = 1;    // 1 Sunday ... 7 Saturday
  bool chosen = false;
  bool holiday = false;  // marked from the holiday list
  int background = kCalendarButtonFace;
  int text = kCalendarBlack;

  [[nodiscard]] bool inMonth() const { return dayNumber != 0; }
};

struct MonthLayout {
  QString caption;  // the chosen date as "yyyy年mm月dd日"
  int year = 0;     // the displayed month
  int month = 0;
  int firstCell = 1;  // the cell of the 1st: its weekday, 1 Sunday ... 7 Saturday
  std::array<int, kCalendarWeeks> weekNumbers{};
  std::array<CalendarCell, kCalendarCells> cells{};

  // Cell `number`, 1 to 42.
  [[nodiscard]] const CalendarCell& cell(int number) const { return cells.at(number - 1); }
};

// "yyyy年mm月dd日".
[[nodiscard]] QString CalendarCaption(const QDate& date);

// The week number of the first row of a month: 1 plus the Sundays from
// 1 January up to the day before the 1st of the month. For January,
// 1 January itself counts, so a year that starts on a Sunday starts at 2.
[[nodiscard]] int FirstWeekNumber(int year, int month);

// The month of `chosen` with `chosen` marked and the holiday lines applied
// (see MarkHolidays). `chosen` must be a valid date.
[[nodiscard]] MonthLayout LayOutMonth(const QDate& chosen, const QStringList& holidays = {});

// Gives red text to the cell of every holiday line of the displayed month:
// the cell of the 1st plus the day minus one, whatever the month's length,
// so 30 February marks a day of March. A line whose month or day is not a
// decimal integer, or whose cell would lie outside the 42, is passed over.
void MarkHolidays(MonthLayout& layout, const QStringList& holidays);

}  // namespace kelvane
