#include "receipt/month_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace kelvane {
namespace {

std::vector<int> captions(const MonthLayout& layout, int from, int to) {
  std::vector<int> shown;
  for (int i = from; i <= to; ++i) shown.push_back(layout.cell(i).caption);
  return shown;
}

// The cells whose text is the holiday red.
std::vector<int> redCells(const MonthLayout& layout) {
  std::vector<int> red;
  for (int i = 1; i <= kCalendarCells; ++i) {
    if (layout.cell(i).text == kCalendarHolidayText) red.push_back(i);
  }
  return red;
}

TEST(MonthLayout, July1999StartsOnThursdayInWeek27) {
  const MonthLayout july = LayOutMonth(QDate(1999, 7, 14));
  EXPECT_EQ(july.caption, QStringLiteral("1999年07月14日"));
  EXPECT_EQ(july.year, 1999);
  EXPECT_EQ(july.month, 7);
  EXPECT_EQ(july.firstCell, 5);
  EXPECT_EQ(july.weekNumbers, (std::array<int, 6>{27, 28, 29, 30, 31, 32}));

  // The last days of June, then July, then the first days of August.
  EXPECT_EQ(captions(july, 1, 5), (std::vector<int>{27, 28, 29, 30, 1}));
  EXPECT_EQ(captions(july, 35, 42), (std::vector<int>{31, 1, 2, 3, 4, 5, 6, 7}));
  for (int i : {1, 4, 36, 42}) {
    EXPECT_EQ(july.cell(i).dayNumber, 0) << i;
    EXPECT_FALSE(july.cell(i).inMonth()) << i;
    EXPECT_EQ(july.cell(i).background, kCalendarButtonFace) << i;
    EXPECT_EQ(july.cell(i).text, kCalendarBlack) << i;
  }
  EXPECT_EQ(july.cell(1).weekday, 1) << "a Sunday outside the month keeps black text";

  EXPECT_EQ(july.cell(5).dayNumber, 1);
  EXPECT_EQ(july.cell(5).weekday, 5);
  EXPECT_EQ(july.cell(35).dayNumber, 31);
  EXPECT_EQ(july.cell(6).background, kCalendarWhite);
  EXPECT_EQ(july.cell(6).text, kCalendarBlack);
  EXPECT_EQ(july.cell(7).text, kCalendarSaturdayText) << "3 July 1999";
  EXPECT_EQ(july.cell(8).text, kCalendarSundayText) << "4 July 1999";

  // The chosen day, and only it.
  const CalendarCell& chosen = july.cell(5 + 13);
  EXPECT_TRUE(chosen.chosen);
  EXPECT_EQ(chosen.background, kCalendarChosenBackground);
  EXPECT_EQ(chosen.text, kCalendarWhite);
  int chosenCount = 0;
  for (const CalendarCell& cell : july.cells) chosenCount += cell.chosen;
  EXPECT_EQ(chosenCount, 1);
}

TEST(MonthLayout, WeekNumbersCountSundaysBeforeTheFirst) {
  // 1 January 2023 is a Sunday and counts itself.
  EXPECT_EQ(FirstWeekNumber(2023, 1), 2);
  EXPECT_EQ(LayOutMonth(QDate(2023, 1, 1)).weekNumbers[0], 2);
  // January 2022 starts on a Saturday: no Sunday yet.
  EXPECT_EQ(FirstWeekNumber(2022, 1), 1);
  // February 2023: the Sundays 1, 8, 15, 22 and 29 January.
  EXPECT_EQ(FirstWeekNumber(2023, 2), 6);
  // A leap year's March counts 29 February: 2020 has Sundays on 5 Jan ... 23 Feb.
  EXPECT_EQ(FirstWeekNumber(2020, 3), 9);
  EXPECT_EQ(FirstWeekNumber(2020, 12), 49);
}

TEST(MonthLayout, AMonthStartingOnSundayShowsNoDayBeforeIt) {
  // 1 October 2023 is a Sunday; 39 Sundays come before it, itself not counted.
  const MonthLayout october = LayOutMonth(QDate(2023, 10, 1));
  EXPECT_EQ(october.firstCell, 1);
  EXPECT_EQ(october.weekNumbers[0], 40);
  EXPECT_EQ(october.cell(1).dayNumber, 1);
  EXPECT_EQ(october.cell(1).text, kCalendarWhite) << "chosen";
  EXPECT_EQ(october.cell(31).dayNumber, 31);
  EXPECT_EQ(captions(october, 32, 42), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(october.cell(32).dayNumber, 0);
}

TEST(MonthLayout, YearEndsAndLeapDays) {
  // January 2021 starts on a Friday: the end of December 2020 before it.
  const MonthLayout january = LayOutMonth(QDate(2021, 1, 10));
  EXPECT_EQ(captions(january, 1, 6), (std::vector<int>{27, 28, 29, 30, 31, 1}));
  EXPECT_EQ(january.weekNumbers[0], 1);
  // December 2021 runs into January 2022.
  const MonthLayout december = LayOutMonth(QDate(2021, 12, 31));
  EXPECT_EQ(december.firstCell, 4);
  EXPECT_EQ(december.cell(34).dayNumber, 31);
  EXPECT_EQ(captions(december, 35, 36), (std::vector<int>{1, 2}));
  // February 2024 has 29 days; February 2023 28.
  EXPECT_EQ(LayOutMonth(QDate(2024, 2, 1)).cell(5 + 28).dayNumber, 29);
  EXPECT_EQ(LayOutMonth(QDate(2023, 2, 1)).cell(4 + 28).dayNumber, 0);
}

TEST(MonthLayout, HolidaysOfTheMonthGetRedText) {
  const QStringList holidays{"05,03,", "05,05,", "01,01,", "11,03,"};
  // May 2024 starts on a Wednesday (cell 4), May 2025 on a Thursday.
  EXPECT_EQ(redCells(LayOutMonth(QDate(2024, 5, 20), holidays)), (std::vector<int>{6, 8}));
  EXPECT_EQ(redCells(LayOutMonth(QDate(2025, 5, 20), holidays)), (std::vector<int>{7, 9}));
  EXPECT_EQ(redCells(LayOutMonth(QDate(2024, 6, 20), holidays)), (std::vector<int>{}));

  // A chosen holiday keeps its chosen background under the red text.
  const MonthLayout chosen = LayOutMonth(QDate(2024, 5, 3), holidays);
  EXPECT_TRUE(chosen.cell(6).chosen);
  EXPECT_TRUE(chosen.cell(6).holiday);
  EXPECT_EQ(chosen.cell(6).background, kCalendarChosenBackground);
  EXPECT_EQ(chosen.cell(6).text, kCalendarHolidayText);
}

TEST(MonthLayout, AHolidayIsPlacedByItsDayNotByTheMonthsLength) {
  // February 2023 starts on a Wednesday (cell 4): 30 February is cell 33,
  // which shows 2 March with the button-face background.
  const MonthLayout february = LayOutMonth(QDate(2023, 2, 1), {"02,30,"});
  EXPECT_EQ(redCells(february), (std::vector<int>{33}));
  EXPECT_EQ(february.cell(33).caption, 2);
  EXPECT_EQ(february.cell(33).background, kCalendarButtonFace);
  // In a leap year the same line falls on 1 March.
  const MonthLayout leap = LayOutMonth(QDate(2024, 2, 1), {"02,30,"});
  EXPECT_EQ(redCells(leap), (std::vector<int>{34}));
  EXPECT_EQ(leap.cell(34).caption, 1);
}

TEST(MonthLayout, LinesThatAreNoHolidayMarkNothing) {
  const QStringList notNumbers{"",        "garbage", "05,",  "05,03", "ab,03,",          "05,x3,",
                               "05,3.5,", "0x5,03,", ",03,", "05,,",  "\xEF\xBF\xBD,03,"};
  const QStringList offTheGrid{"05,-9,", "05,40,", "05,99999999999,", "05,2147483647,"};
  const QStringList marking{"5,3,", "05,00,", "05,04,extra"};
  EXPECT_EQ(redCells(LayOutMonth(QDate(2024, 5, 20), notNumbers + offTheGrid)),
            (std::vector<int>{}));
  const QStringList lines = notNumbers + offTheGrid + marking;
  // May 2024 starts in cell 4: "5,3," is 3 May (cell 6), "05,00," the cell
  // before the 1st (30 April), "05,04,extra" 4 May (cell 7). Day 40 would
  // be cell 43 and day -9 before cell 1.
  EXPECT_EQ(redCells(LayOutMonth(QDate(2024, 5, 20), lines)), (std::vector<int>{3, 6, 7}));
  // In a month starting on Sunday, day 0 has no cell.
  EXPECT_EQ(redCells(LayOutMonth(QDate(2022, 5, 1), {"05,00,", "05,42,", "05,43,"})),
            (std::vector<int>{42}));
}

TEST(MonthLayout, AnInvalidDateGivesAnEmptyLayout) {
  const MonthLayout none = LayOutMonth(QDate());
  EXPECT_EQ(none.year, 0);
  EXPECT_TRUE(none.caption.isEmpty());
}

}  // namespace
}  // namespace kelvane
