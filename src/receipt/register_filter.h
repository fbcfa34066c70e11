#pragma once
// Finding receipts in a register: a filter by date, amount and parts of the
// texts, the rows sorted by a column, and the totals of the rows found, all
// together and month by month. A RegisterIndex reads every line once, so
// that each search of a long register is one pass over numbers and texts
// already folded.

#include "receipt/register_view.h"
#include "text/expected.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <limits>
#include <optional>
#include <vector>

namespace kelvane {

// A text as searches compare it: full-width letters and digits as
// half-width, half-width kana as full-width (NFKC), and case folded.
[[nodiscard]] QString SearchFolded(const QString& text);

// A date bound as typed into a search: year/month/day, year/month or a
// year, separated by "/", "-" or "."; full-width digits allowed. A month or
// a year stands for its first day as a lower bound and its last as an upper
// one. Empty text is no bound; text that gives no date is a failure.
[[nodiscard]] Expected<std::optional<QDate>> SearchDateBound(const QString& text, bool upper);

// An amount bound as typed: a decimal amount, "," and a closing "円"
// allowed, full-width digits too; ten-thousandths. Empty text is no bound.
[[nodiscard]] Expected<std::optional<qint64>> SearchAmountBound(const QString& text);

// What a search asks of a line; every part left empty matches every line.
// The bounds include their ends.
struct RegisterFilter {
  std::optional<QDate> dateFrom, dateTo;
  std::optional<qint64> amountFrom, amountTo;  // 領収金額, ten-thousandths
  QString addressee;                           // a part of either addressee line
  QString number;                              // a part of 番号
  QString description;                         // a part of either 摘要 line
  QString staff;                               // a part of 社内担当者
  [[nodiscard]] bool isEmpty() const;
};

// Amounts in ten-thousandths, as the register holds them.
struct RegisterSums {
  qsizetype count = 0;
  qint64 amount = 0;  // 領収金額
  qint64 net = 0;     // 税抜金額
  qint64 tax = 0;     // 消費税額
  bool operator==(const RegisterSums&) const = default;
};

// One month's receipts; year and month 0 for lines whose date is unreadable.
struct MonthTotal {
  int year = 0;
  int month = 0;
  RegisterSums sums;
  bool operator==(const MonthTotal&) const = default;
};

// A register's rows with what searching, sorting and totalling need of each
// read once: its date as a day, its three amounts as written in the line
// (the cells drop fractions of a yen), and its texts folded. Rows are named
// by their index in file order.
class RegisterIndex {
 public:
  RegisterIndex() = default;
  // A register file's content and its lines (splitLines of it); the rows
  // are read one at a time, so that a long register is not held twice.
  RegisterIndex(const QByteArray& content, const QList<QByteArray>& lines);

  [[nodiscard]] int size() const { return static_cast<int>(cells_.size()); }
  [[nodiscard]] RegisterRow row(int index) const;
  // A row's cells as a list for a grid to share: the fields after the
  // thirteen left out when they are all empty, as most lines have none.
  [[nodiscard]] const QStringList& cells(int index) const { return cells_[index]; }
  // Every row, in file order.
  [[nodiscard]] QList<int> all() const;

  // The rows that match `filter`, in file order.
  [[nodiscard]] QList<int> matching(const RegisterFilter& filter) const;

  // `order` sorted by column `col` of the list: amounts as numbers, the
  // date as a date (an unreadable one first), other columns as text. Equal
  // rows keep their order; `descending` reverses the order of unequal ones.
  void sort(QList<int>& order, int col, bool descending) const;

  [[nodiscard]] RegisterSums sums(const QList<int>& rows) const;
  // Oldest month first; the lines without a readable date last.
  [[nodiscard]] QList<MonthTotal> monthlyTotals(const QList<int>& rows) const;

 private:
  struct Keys {
    qint64 day;     // Julian day, kNoDay when unreadable
    int yearMonth;  // year * 100 + month, 0 when unreadable
    qint64 amount, net, tax;
    QString addressee, number, description, staff;  // folded
  };
  static constexpr qint64 kNoDay = std::numeric_limits<qint64>::min();
  class Folder;
  void append(RegisterRow&& row, QByteArrayView line, Folder& folded);

  QList<QStringList> cells_;
  std::vector<Keys> keys_;
};

// Ten-thousandths grouped by three, a fraction after "." without trailing
// zeros: 12345678 → 1,234.5678, -50000 → -5.
[[nodiscard]] QString GroupedAmount(qint64 tenThousandths);

// The monthly totals as CSV lines (cp932): a title row, then one line a
// month "2026/12,3,33000,30000,3000," — amounts plain, as the register has
// them; "日付なし" for the lines without a readable date.
[[nodiscard]] QList<QByteArray> MonthlyTotalsCsv(const QList<MonthTotal>& months);

}  // namespace kelvane
