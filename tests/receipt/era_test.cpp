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

}  // namespace
}  // namespace kelvane
