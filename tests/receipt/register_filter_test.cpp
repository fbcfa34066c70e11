#include "receipt/register_filter.h"

#include "text/cp932.h"
#include "text/line_file.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

constexpr qint64 yen = 10000;

// Six receipts over three months, one with an unreadable date, one with a
// fraction of a yen that its cells show as 0.
class RegisterIndexTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const QByteArray content =
        sj("A1,2026/4/1,10800,株式会社ＡＢＣ,品代,,10000,10800,800,10,佐藤,200,,\r\n"
           "A2,2026/4/30,500,ｶﾌﾞｼｷｶﾞｲｼｬ,送料,,455,500,45,10,鈴木,0,abc商店,\r\n"
           "A10,2026/5/1,3000.5,山田商事,,お品代,2728,3000,272.5,10,佐藤,0,,\r\n"
           "B3,2026/6/15,-1000,山田,返品,,-910,-1000,-90,10,,0,,\r\n"
           "A9,2026/13/1,700,なし,,,,,,,,,,\r\n"
           "a11,2026/5/20,100000,abc,,,90910,100000,9090,10,田中,200,,\r\n");
    lines_ = splitLines(content);
    index_ = RegisterIndex(content, lines_);
  }
  QList<int> match(const RegisterFilter& f) const { return index_.matching(f); }

  QList<QByteArray> lines_;
  RegisterIndex index_;
};

TEST_F(RegisterIndexTest, EachFilterAndTheirCombination) {
  using F = RegisterFilter;
  const struct {
    const char* what;
    void (*ask)(F&);
    QList<int> rows;
  } cases[] = {
      {"nothing asked", [](F&) {}, {0, 1, 2, 3, 4, 5}},
      {"date range, ends included, bad date out",
       [](F& f) { f.dateFrom = QDate(2026, 4, 30), f.dateTo = QDate(2026, 5, 20); },
       {1, 2, 5}},
      {"date from only", [](F& f) { f.dateFrom = QDate(2026, 5, 2); }, {3, 5}},
      {"amount range on the line's amount",
       [](F& f) { f.amountFrom = 500 * yen, f.amountTo = 3000 * yen + 5000; },
       {1, 2, 4}},
      {"amount up to, negatives included", [](F& f) { f.amountTo = 500 * yen; }, {1, 3}},
      {"full-width typed for half-width",
       [](F& f) { f.addressee = QStringLiteral("ａｂｃ"); },
       {0, 1, 5}},
      {"half-width kana found by full-width",
       [](F& f) { f.addressee = QStringLiteral("カブシキ"); },
       {1}},
      {"second addressee line", [](F& f) { f.addressee = QStringLiteral("商店"); }, {1}},
      {"no match across the two lines", [](F& f) { f.addressee = QStringLiteral("ｶﾞｲｼｬabc"); }, {}},
      {"number part, case folded", [](F& f) { f.number = QStringLiteral("A1"); }, {0, 2, 5}},
      {"description, either line", [](F& f) { f.description = QStringLiteral("品代"); }, {0, 2}},
      {"staff", [](F& f) { f.staff = QStringLiteral("佐藤"); }, {0, 2}},
      {"all together",
       [](F& f) {
         f.dateFrom = QDate(2026, 4, 1), f.dateTo = QDate(2026, 5, 31), f.amountFrom = 1000 * yen;
         f.addressee = QStringLiteral("A"), f.number = QStringLiteral("1"),
         f.staff = QStringLiteral("佐");
       },
       {0}},
  };
  for (const auto& c : cases) {
    RegisterFilter filter;
    c.ask(filter);
    EXPECT_EQ(match(filter), c.rows) << c.what;
  }
}

TEST_F(RegisterIndexTest, SortsNumbersDatesAndTextsStablyBothWays) {
  const struct {
    int col;
    bool descending;
    QList<int> order;
  } cases[] = {
      {3, false, {3, 1, 4, 2, 0, 5}},  // 領収金額 as numbers, the fraction counted
      {3, true, {5, 0, 2, 4, 1, 3}},
      {2, false, {4, 0, 1, 2, 5, 3}},  // dates as dates, the unreadable first
      {2, true, {3, 5, 2, 1, 0, 4}},
      {1, false, {0, 4, 2, 3, 5}},      // 番号 with digit runs as numbers: A1, A9, A10
      {12, false, {3, 4, 0, 2, 5, 1}},  // equal texts keep file order
      {12, true, {1, 5, 0, 2, 3, 4}},
  };
  for (const auto& c : cases) {
    QList<int> order = c.col == 1 ? QList<int>{0, 2, 3, 4, 5} : index_.all();
    index_.sort(order, c.col, c.descending);
    EXPECT_EQ(order, c.order) << c.col << (c.descending ? " descending" : "");
  }
}

TEST_F(RegisterIndexTest, SumsAndMonthlyTotalsOfTheRowsGiven) {
  EXPECT_EQ(index_.sums({}), RegisterSums{});
  EXPECT_EQ(index_.sums({0, 2, 3}),
            (RegisterSums{3, 12800 * yen + 5000, 11818 * yen, 982 * yen + 5000}));
  const QList<MonthTotal> months = index_.monthlyTotals(index_.all());
  EXPECT_EQ(months, (QList<MonthTotal>{
                        {2026, 4, {2, 11300 * yen, 10455 * yen, 845 * yen}},
                        {2026, 5, {2, 103000 * yen + 5000, 93638 * yen, 9362 * yen + 5000}},
                        {2026, 6, {1, -1000 * yen, -910 * yen, -90 * yen}},
                        {0, 0, {1, 700 * yen, 0, 0}},
                    }));
  EXPECT_EQ(MonthlyTotalsCsv(months),
            (QList<QByteArray>{sj("年月,件数,領収金額,税抜金額,消費税額,"),
                               "2026/4,2,11300,10455,845,", "2026/5,2,103000.5,93638,9362.5,",
                               "2026/6,1,-1000,-910,-90,", sj("日付なし,1,700,0,0,")}));
  EXPECT_EQ(index_.monthlyTotals({1}).size(), 1);
}

TEST(RegisterSearchBounds, TypedDatesAndAmounts) {
  const struct {
    const char* text;
    bool upper;
    QDate date;  // null: no bound; invalid with ok false: a failure
    bool ok;
  } dates[] = {
      {"", false, {}, true},
      {"2026/4/1", false, {2026, 4, 1}, true},
      {"２０２６－４－１", true, {2026, 4, 1}, true},
      {"2026/2", true, {2026, 2, 28}, true},
      {"2026/2", false, {2026, 2, 1}, true},
      {"2026", true, {2026, 12, 31}, true},
      {"2026年4月", false, {2026, 4, 1}, true},
      {"2026/2/30", false, {}, false},
      {"2026/13", false, {}, false},
      {"abc", false, {}, false},
      {"2026/4/1/2", false, {}, false},
  };
  for (const auto& d : dates) {
    const auto bound = SearchDateBound(QString::fromUtf8(d.text), d.upper);
    ASSERT_EQ(bound.ok(), d.ok) << d.text;
    if (d.ok) {
      EXPECT_EQ(bound->value_or(QDate()), d.date) << d.text;
    }
  }
  const struct {
    const char* text;
    std::optional<qint64> units;
    bool ok;
  } amounts[] = {{" ", std::nullopt, true},        {"1,000", 1000 * yen, true},
                 {"１２３４円", 1234 * yen, true}, {"¥10.5", 10 * yen + 5000, true},
                 {"-50", -50 * yen, true},         {"1O0", std::nullopt, false},
                 {"円", std::nullopt, false}};
  for (const auto& a : amounts) {
    const auto bound = SearchAmountBound(QString::fromUtf8(a.text));
    ASSERT_EQ(bound.ok(), a.ok) << a.text;
    if (a.ok) {
      EXPECT_EQ(*bound, a.units) << a.text;
    }
  }
  EXPECT_EQ(GroupedAmount(12345678 * yen + 5000), QStringLiteral("12,345,678.5"));
  EXPECT_EQ(GroupedAmount(-5000), QStringLiteral("-0.5"));
  EXPECT_EQ(GroupedAmount(0), QStringLiteral("0"));
}

}  // namespace
}  // namespace kelvane
