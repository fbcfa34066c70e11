#include "receipt/register_view.h"

#include "receipt/amount_text.h"
#include "receipt/numbering.h"
#include "text/cp932.h"
#include "text/fixed_point.h"
#include "text/layout_text.h"
#include "text/line_file.h"

#include <algorithm>

namespace kelvane {

namespace {

constexpr int kAmountWidth = 12;
constexpr int kLineFields = RegisterRecord::kFieldCount + RegisterRecord::kExtensionCount;

// Register field (0 = number … 12 = addressee 2, 13 = 10%対象 … 18 = 登録番号)
// shown in each column.
constexpr std::array<int, kRegisterColumns> kFieldOfColumn = {
    -1, 0, 1, 2, 3, 12, 4, 5, 6, 8, 7, 9, 10, 11, 13, 14, 15, 16, 17, 18};

// The thirteen fields and the six after them, in line order.
std::array<QByteArray*, kLineFields> lineFields(RegisterRecord& record) {
  std::array<QByteArray*, kLineFields> all;
  const auto fields = record.fields();
  const auto extension = record.extensionFields();
  std::copy(fields.begin(), fields.end(), all.begin());
  std::copy(extension.begin(), extension.end(), all.begin() + fields.size());
  return all;
}

// A column of the fields after the thirteen: a line without them leaves it
// empty, amounts included, rather than showing or writing 0.
bool isExtensionColumn(int col) { return col >= kRegisterFieldColumns; }

QString decoded(QByteArrayView bytes) { return FromLayoutText(bytes); }

QString withoutCommas(QString text) { return text.remove(u','); }

}  // namespace

const RegisterRow& RegisterTitles() {
  static const RegisterRow titles = {QString(),
                                     QStringLiteral("番  号"),
                                     QStringLiteral("日  付"),
                                     QStringLiteral("領収金額"),
                                     QStringLiteral("宛  先 1"),
                                     QStringLiteral("宛  先 2"),
                                     QStringLiteral("摘 要 １"),
                                     QStringLiteral("摘 要 ２"),
                                     QStringLiteral("税抜金額"),
                                     QStringLiteral("消費税額"),
                                     QStringLiteral("請求金額"),
                                     QStringLiteral("消 費 税"),
                                     QStringLiteral("社内担当者"),
                                     QStringLiteral("印紙"),
                                     QStringLiteral("10%対象"),
                                     QStringLiteral("10%消費税"),
                                     QStringLiteral("8%対象"),
                                     QStringLiteral("8%消費税"),
                                     QStringLiteral("税区分"),
                                     QStringLiteral("登録番号")};
  return titles;
}

bool IsAmountColumn(int col) {
  return col == 3 || (col >= 8 && col <= 11) || col == 13 ||
         (col >= kRegisterFieldColumns && col < kRegisterFieldColumns + 4);
}

QString GroupedAmountCell(const QString& field) {
  return GroupDigits(WholeNumber(field).value_or(0)).rightJustified(kAmountWidth, u' ');
}

namespace {

// The cells of one decoded line.
RegisterRow cellsOf(QStringView text) {
  std::array<QStringView, kLineFields> fields;
  qsizetype from = 0;
  for (QStringView& field : fields) {
    const qsizetype comma = text.indexOf(u',', from);
    if (comma < 0) break;
    field = text.sliced(from, comma - from);
    from = comma + 1;
  }
  RegisterRow row;
  for (int col = 1; col < kRegisterColumns; ++col) {
    const QString field = fields[static_cast<size_t>(kFieldOfColumn[col])].toString();
    const bool grouped = IsAmountColumn(col) && !(isExtensionColumn(col) && field.isEmpty());
    row[col] = grouped ? GroupedAmountCell(field) : field;
  }
  return row;
}

}  // namespace

// A comma is never part of a double-byte character, so a line splits the
// same way after decoding.
RegisterRow RegisterLineCells(QByteArrayView line) { return cellsOf(decoded(line)); }

namespace {

// An amount with its whole digits grouped by three, the rest as it is
// (a sign, a fraction, or text that is no amount).
QString groupedDigits(QString amount) {
  qsizetype end = amount.startsWith(u'-') ? 1 : 0;
  const qsizetype start = end;
  while (end < amount.size() && amount[end].isDigit() && amount[end].unicode() < 0x80) ++end;
  for (qsizetype at = end - 3; at > start; at -= 3) amount.insert(at, u',');
  return amount;
}

}  // namespace

QString DescribeRegisterLine(QByteArrayView line) {
  // The amount as the line holds it: the list's grouped cell shows a
  // fraction as 0.
  const RegisterRecord r = ParseRegisterLine(line);
  QString addressee = decoded(r.addressee1);
  if (!r.addressee2.isEmpty()) addressee += QStringLiteral(" ") + decoded(r.addressee2);
  return QStringLiteral("番号 %1　日付 %2　金額 %3　宛名 %4")
      .arg(decoded(r.number), decoded(r.date), groupedDigits(decoded(r.amount)), addressee);
}

qsizetype ForEachRegisterRow(const QByteArray& content,
                             const std::function<void(RegisterRow&& row)>& visit) {
  // The whole file decodes at once; a file with bytes that are not cp932
  // is decoded line by line, so that only those lines show replacement marks.
  if (auto whole = cp932::decode(content)) {
    return ForEachLine(QStringView(*whole), [&](QStringView line) { visit(cellsOf(line)); });
  }
  return ForEachLine(QByteArrayView(content),
                     [&](QByteArrayView line) { visit(RegisterLineCells(line)); });
}

qsizetype RegisterLineCount(const QByteArray& content) {
  return ForEachLine(QByteArrayView(content), [](QByteArrayView) {});
}

QList<RegisterRow> RegisterContentRows(const QByteArray& content) {
  QList<RegisterRow> rows;
  rows.reserve(RegisterLineCount(content));
  ForEachRegisterRow(content, [&](RegisterRow&& row) { rows.append(std::move(row)); });
  return rows;
}

Expected<QDate> RegisterDateCell(const QString& text) {
  QChar separator;
  for (const QChar candidate : {u'/', u'-', u',', u' '})
    if (text.contains(candidate)) separator = candidate;
  if (separator.isNull()) {
    return Failure{
        QStringLiteral("日付「%1」が読めません（年・月・日を「/」などで区切ってください）。")
            .arg(text)};
  }
  const qsizetype first = text.indexOf(separator);
  const qsizetype second = text.indexOf(separator, first + 1);
  const QString yearText = text.left(first);
  const QString monthText = second < 0 ? QString() : text.mid(first + 1, second - first - 1);
  const QString dayText = second < 0 ? text.mid(first + 1) : text.mid(second + 1);
  const qint64 year = WholeNumber(yearText).value_or(1900);
  const qint64 month = WholeNumber(monthText).value_or(7);
  const qint64 day = WholeNumber(dayText).value_or(1);
  const QDate date(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day));
  if (year < 1 || year > 9999 || !date.isValid()) {
    return Failure{QStringLiteral("日付「%1」は暦にない日付です。").arg(text)};
  }
  return date;
}

Expected<qint64> RegisterAmountCell(const QString& text) {
  const QString plain = withoutCommas(text).trimmed();
  if (plain.isEmpty()) return qint64{0};
  const auto bytes = cp932::encode(plain);
  const auto units = bytes ? fixed::parse(*bytes) : std::nullopt;
  if (!units) return Failure{QStringLiteral("金額「%1」が読めません。").arg(text.trimmed())};
  return *units;
}

QByteArray RegisterLineOfRow(const RegisterRow& row) {
  RegisterRecord record;
  const auto fields = lineFields(record);
  for (int col = 1; col < kRegisterColumns; ++col) {
    QString value = row[col].trimmed();
    if (IsAmountColumn(col)) {
      value = withoutCommas(value);
      if (value.isEmpty() && !isExtensionColumn(col)) value = QStringLiteral("0");
    }
    *fields[static_cast<size_t>(kFieldOfColumn[col])] = RegisterText(value);
  }
  return FormatRegisterLine(record);
}

QByteArray CsvLineOfRow(const RegisterRow& row) {
  QByteArray line;
  for (int col = 1; col < kRegisterColumns; ++col) {
    line += ToLayoutText(withoutCommas(row[col]));
    line += ',';
  }
  return line;
}

}  // namespace kelvane
