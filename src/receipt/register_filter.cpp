#include "receipt/register_filter.h"

#include "receipt/amount_text.h"
#include "text/fixed_point.h"
#include "text/layout_text.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <limits>
#include <map>
#include <numeric>

namespace kelvane {

namespace {

// Register fields (see RegisterRecord) the totals read from the line.
constexpr int kAmountField = 2;
constexpr int kNetField = 6;
constexpr int kTaxField = 8;

// List columns of the texts searched and of the totalled amounts.
constexpr int kNumberCol = 1;
constexpr int kDateCol = 2;
constexpr int kAmountCol = 3;
constexpr int kAddressee1Col = 4;
constexpr int kAddressee2Col = 5;
constexpr int kDescription1Col = 6;
constexpr int kDescription2Col = 7;
constexpr int kNetCol = 8;
constexpr int kTaxCol = 9;
constexpr int kStaffCol = 12;

// Field `n` of a line as ParseRegisterLine reads it: only a field followed
// by a comma is there.
QByteArrayView fieldAt(QByteArrayView line, int n) {
  qsizetype from = 0;
  for (int i = 0;; ++i) {
    const qsizetype comma = line.indexOf(',', from);
    if (comma < 0) return {};
    if (i == n) return line.sliced(from, comma - from);
    from = comma + 1;
  }
}

// An amount field in ten-thousandths; anything that is no amount counts as
// 0, as the list shows it.
qint64 amountOf(QByteArrayView field) { return fixed::parse(field).value_or(0); }

// Two searched texts in one, so that a part never matches across the two.
QString joined(const QString& first, const QString& second) {
  if (second.isEmpty()) return first;
  return first + QChar(u'\n') + second;
}

// Folded texts of a register, each folded once: a shop writes the same
// addressees, descriptions and staff names again and again. A folded text
// shares the row's text when folding changes nothing.
}  // namespace

class RegisterIndex::Folder {
 public:
  QString operator()(const QString& text) {
    auto known = done_.constFind(text);
    if (known != done_.cend()) return *known;
    QString f = SearchFolded(text);
    if (f == text) f = text;
    done_.insert(text, f);
    return f;
  }

 private:
  QHash<QString, QString> done_;
};

namespace {

// A digit run compares by its value, so that A9 comes before A10.
int compareNatural(QStringView a, QStringView b) {
  qsizetype i = 0, j = 0;
  const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
  while (i < a.size() && j < b.size()) {
    if (isDigit(a[i]) && isDigit(b[j])) {
      while (i < a.size() && a[i] == u'0' && i + 1 < a.size() && isDigit(a[i + 1])) ++i;
      while (j < b.size() && b[j] == u'0' && j + 1 < b.size() && isDigit(b[j + 1])) ++j;
      qsizetype ei = i, ej = j;
      while (ei < a.size() && isDigit(a[ei])) ++ei;
      while (ej < b.size() && isDigit(b[ej])) ++ej;
      if (ei - i != ej - j) return ei - i < ej - j ? -1 : 1;
      if (const int c = a.sliced(i, ei - i).compare(b.sliced(j, ej - j)); c != 0) return c;
      i = ei;
      j = ej;
      continue;
    }
    if (a[i] != b[j]) return a[i] < b[j] ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

// An amount cell as a sort key: an empty or unreadable one first.
qint64 amountKey(const QString& cell) {
  if (cell.trimmed().isEmpty()) return std::numeric_limits<qint64>::min();
  auto units = RegisterAmountCell(cell);
  return units ? *units : std::numeric_limits<qint64>::min();
}

QStringView cellView(const QStringList& cells, int col) {
  return col < cells.size() ? QStringView(cells[col]) : QStringView();
}

QString badDate(const QString& text) {
  return QStringLiteral("日付「%1」が読めません（2026/4/1、2026/4、2026 のように入れてください）。")
      .arg(text);
}

}  // namespace

QString SearchFolded(const QString& text) {
  // Plain ASCII, as numbers mostly are, only has its case to fold.
  const bool ascii =
      std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
  if (ascii) return text.toLower();
  return text.normalized(QString::NormalizationForm_KC).toCaseFolded();
}

Expected<std::optional<QDate>> SearchDateBound(const QString& text, bool upper) {
  QString plain = text.normalized(QString::NormalizationForm_KC).trimmed();
  if (plain.isEmpty()) return std::optional<QDate>();
  plain.replace(u'年', u'/').replace(u'月', u'/').remove(u'日');
  while (plain.endsWith(u'/')) plain.chop(1);
  const QStringList parts = plain.split(QRegularExpression(QStringLiteral("[/.-]")));
  if (parts.size() > 3) return Failure{badDate(text)};
  int numbers[3] = {0, 0, 0};
  for (qsizetype i = 0; i < parts.size(); ++i) {
    bool ok = false;
    const QString part = parts[i].trimmed();
    numbers[i] = part.toInt(&ok);
    if (!ok || part.isEmpty() || !part[0].isDigit()) return Failure{badDate(text)};
  }
  const int year = numbers[0];
  const int month = parts.size() > 1 ? numbers[1] : (upper ? 12 : 1);
  if (year < 1 || year > 9999 || month < 1 || month > 12) return Failure{badDate(text)};
  int day = 1;
  if (parts.size() > 2) {
    day = numbers[2];
  } else if (upper) {
    day = QDate(year, month, 1).daysInMonth();
  }
  const QDate date(year, month, day);
  if (!date.isValid()) return Failure{badDate(text)};
  return std::optional<QDate>(date);
}

Expected<std::optional<qint64>> SearchAmountBound(const QString& text) {
  QString plain = text.normalized(QString::NormalizationForm_KC).trimmed();
  if (plain.isEmpty()) return std::optional<qint64>();
  if (plain.endsWith(u'円')) plain.chop(1);
  if (plain.startsWith(u'¥') || plain.startsWith(u'\\')) plain.remove(0, 1);
  auto units = RegisterAmountCell(plain);
  if (!units || plain.trimmed().isEmpty()) {
    return Failure{QStringLiteral("金額「%1」が読めません。").arg(text.trimmed())};
  }
  return std::optional<qint64>(*units);
}

bool RegisterFilter::isEmpty() const {
  return !dateFrom && !dateTo && !amountFrom && !amountTo && addressee.isEmpty() &&
         number.isEmpty() && description.isEmpty() && staff.isEmpty();
}

RegisterIndex::RegisterIndex(const QByteArray& content, const QList<QByteArray>& lines) {
  keys_.reserve(static_cast<size_t>(lines.size()));
  cells_.reserve(lines.size());
  Folder folded;
  qsizetype i = 0;
  ForEachRegisterRow(content, [&](RegisterRow&& row) {
    append(std::move(row), i < lines.size() ? QByteArrayView(lines[i]) : QByteArrayView(), folded);
    ++i;
  });
}

void RegisterIndex::append(RegisterRow&& r, QByteArrayView line, Folder& folded) {
  Keys k;
  const auto date = RegisterDateCell(r[kDateCol]);
  k.day = date ? date->toJulianDay() : kNoDay;
  k.yearMonth = date ? date->year() * 100 + date->month() : 0;
  k.amount = amountOf(fieldAt(line, kAmountField));
  k.net = amountOf(fieldAt(line, kNetField));
  k.tax = amountOf(fieldAt(line, kTaxField));
  k.addressee = folded(joined(r[kAddressee1Col], r[kAddressee2Col]));
  k.number = SearchFolded(r[kNumberCol]);  // nearly every one differs
  k.description = folded(joined(r[kDescription1Col], r[kDescription2Col]));
  k.staff = folded(r[kStaffCol]);
  keys_.push_back(std::move(k));
  auto end = r.end();
  while (end - r.begin() > kRegisterFieldColumns && (end - 1)->isEmpty()) --end;
  cells_.append(QStringList(std::make_move_iterator(r.begin()), std::make_move_iterator(end)));
}

RegisterRow RegisterIndex::row(int index) const {
  RegisterRow r;
  const QStringList& cells = cells_[index];
  std::copy(cells.begin(), cells.end(), r.begin());
  return r;
}

QList<int> RegisterIndex::all() const {
  QList<int> order(size());
  std::iota(order.begin(), order.end(), 0);
  return order;
}

QList<int> RegisterIndex::matching(const RegisterFilter& filter) const {
  if (filter.isEmpty()) return all();
  const qint64 from = filter.dateFrom ? filter.dateFrom->toJulianDay() : kNoDay;
  const qint64 to =
      filter.dateTo ? filter.dateTo->toJulianDay() : std::numeric_limits<qint64>::max();
  const bool byDate = filter.dateFrom || filter.dateTo;
  const qint64 low = filter.amountFrom.value_or(std::numeric_limits<qint64>::min());
  const qint64 high = filter.amountTo.value_or(std::numeric_limits<qint64>::max());
  const QString addressee = SearchFolded(filter.addressee);
  const QString number = SearchFolded(filter.number);
  const QString description = SearchFolded(filter.description);
  const QString staff = SearchFolded(filter.staff);
  QList<int> found;
  for (int i = 0; i < size(); ++i) {
    const Keys& k = keys_[static_cast<size_t>(i)];
    if (byDate && (k.day == kNoDay || k.day < from || k.day > to)) continue;
    if (k.amount < low || k.amount > high) continue;
    if (!addressee.isEmpty() && !k.addressee.contains(addressee)) continue;
    if (!number.isEmpty() && !k.number.contains(number)) continue;
    if (!description.isEmpty() && !k.description.contains(description)) continue;
    if (!staff.isEmpty() && !k.staff.contains(staff)) continue;
    found.append(i);
  }
  return found;
}

void RegisterIndex::sort(QList<int>& order, int col, bool descending) const {
  if (col < 1 || col >= kRegisterColumns) return;
  const auto sortBy = [&](const auto& keyOf, const auto& less) {
    using Key = std::decay_t<decltype(keyOf(0))>;
    std::vector<std::pair<Key, int>> keyed;
    keyed.reserve(static_cast<size_t>(order.size()));
    for (const int i : order) keyed.emplace_back(keyOf(i), i);
    std::stable_sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
      return descending ? less(b.first, a.first) : less(a.first, b.first);
    });
    for (qsizetype n = 0; n < order.size(); ++n) order[n] = keyed[static_cast<size_t>(n)].second;
  };
  const auto keys = [this](int i) -> const Keys& { return keys_[static_cast<size_t>(i)]; };
  const auto lessNumber = [](qint64 a, qint64 b) { return a < b; };
  if (col == kDateCol) {
    sortBy([&](int i) { return keys(i).day; }, lessNumber);
  } else if (col == kAmountCol) {
    sortBy([&](int i) { return keys(i).amount; }, lessNumber);
  } else if (col == kNetCol) {
    sortBy([&](int i) { return keys(i).net; }, lessNumber);
  } else if (col == kTaxCol) {
    sortBy([&](int i) { return keys(i).tax; }, lessNumber);
  } else if (IsAmountColumn(col)) {
    sortBy([&](int i) { return amountKey(cells_[i].value(col)); }, lessNumber);
  } else {
    sortBy([&](int i) { return cellView(cells_[i], col).trimmed(); },
           [](QStringView a, QStringView b) { return compareNatural(a, b) < 0; });
  }
}

RegisterSums RegisterIndex::sums(const QList<int>& rows) const {
  RegisterSums s;
  for (const int i : rows) {
    const Keys& k = keys_[static_cast<size_t>(i)];
    ++s.count;
    s.amount += k.amount;
    s.net += k.net;
    s.tax += k.tax;
  }
  return s;
}

QList<MonthTotal> RegisterIndex::monthlyTotals(const QList<int>& rows) const {
  // The undated sort after every month.
  std::map<int, RegisterSums> months;
  for (const int i : rows) {
    const Keys& k = keys_[static_cast<size_t>(i)];
    RegisterSums& s = months[k.yearMonth == 0 ? std::numeric_limits<int>::max() : k.yearMonth];
    ++s.count;
    s.amount += k.amount;
    s.net += k.net;
    s.tax += k.tax;
  }
  QList<MonthTotal> totals;
  for (const auto& [key, sums] : months) {
    const bool dated = key != std::numeric_limits<int>::max();
    totals.append({dated ? key / 100 : 0, dated ? key % 100 : 0, sums});
  }
  return totals;
}

QString GroupedAmount(qint64 tenThousandths) {
  const bool negative = tenThousandths < 0;
  const quint64 magnitude =
      negative ? 0 - static_cast<quint64>(tenThousandths) : static_cast<quint64>(tenThousandths);
  QString text = GroupDigits(static_cast<qint64>(magnitude / fixed::kOne));
  if (const quint64 fraction = magnitude % fixed::kOne; fraction != 0) {
    QString digits = QString::number(fraction).rightJustified(4, u'0');
    while (digits.endsWith(u'0')) digits.chop(1);
    text += u'.' + digits;
  }
  return negative ? u'-' + text : text;
}

QList<QByteArray> MonthlyTotalsCsv(const QList<MonthTotal>& months) {
  QList<QByteArray> lines{ToLayoutText(QStringLiteral("年月,件数,領収金額,税抜金額,消費税額,"))};
  for (const MonthTotal& m : months) {
    const QString month =
        m.year == 0 ? QStringLiteral("日付なし") : QStringLiteral("%1/%2").arg(m.year).arg(m.month);
    lines << ToLayoutText(
        QStringLiteral("%1,%2,%3,%4,%5,")
            .arg(month)
            .arg(m.sums.count)
            .arg(PlainDecimal(m.sums.amount), PlainDecimal(m.sums.net), PlainDecimal(m.sums.tax)));
  }
  return lines;
}

}  // namespace kelvane
