#include "receipt/era.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(Era, TheBoundaryIsTheFirstOfMay2019) {
  EXPECT_EQ(EraOf(QDate(2019, 4, 30)).name, QStringLiteral("平成"));
  EXPECT_EQ(EraOf(QDate(2019, 4, 30)).year, 31);
  EXPECT_EQ(EraOf(QDate(2019, 5, 1)).name, QStringLiteral("令和"));
  EXPECT_EQ(EraOf(QDate(2019, 5, 1)).year, 1);
  EXPECT_EQ(EraOf(QDate(2026, 12, 8)).year, 8);
  EXPECT_EQ(EraOf(QDate(1989, 1, 8)).year, 1);
}

TEST(Era, TheWesternYearComesBackFromTheEraYear) {
  EXPECT_EQ(WesternYear(QStringLiteral("令和"), 1), 2019);
  EXPECT_EQ(WesternYear(QStringLiteral("平成"), 31), 2019);
  EXPECT_EQ(WesternYear(QStringLiteral("令和"), 8), 2026);
  EXPECT_EQ(WesternYear(QStringLiteral("昭和"), 60), std::nullopt);
}

}  // namespace
}  // namespace kelvane
