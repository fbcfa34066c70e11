#include "receipt/receipt_csv.h"

#include "receipt/era.h"
#include "text/cp932.h"
#include "text/fixed_point.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

namespace kelvane {

namespace {

enum Column {
  kNumber,
  kDate,
  kAddressee1,
  kAddressee2,
  kDescription1,
  kDescription2,
  kStaff,
  kReceived,
  kNet,
  kBilled,
  kTax,
  kTaxRate,
  kStamp,
  kAmount10,
  kAmount8,
  kTaxBasis,
  kColumnCount
};

// A header wider than this cannot be one of ours; refusing it early keeps a
// hostile file from making us hold millions of empty names.
constexpr int kMaxHeaderFields = 64;
// Up to 99,999,999,999,999 yen: the value × 10000 stays within 64 bits.
constexpr qint64 kMaxYen = 99'999'999'999'999LL;

// Spreadsheets typed in Japanese often hold full-width digits and signs.
QString normalized(const QString& text) {
  QString out = text.trimmed();
  for (QChar& c : out) {
    const char16_t u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E)
      c = QChar(char16_t(u - 0xFF01 + 0x21));
    else if (u == 0x2212)
      c = QChar(u'-');
  }
  return out;
}

bool allDigits(QStringView s) {
  if (s.isEmpty()) return false;
  for (QChar c : s)
    if (c < u'0' || c > u'9') return false;
  return true;
}

// One record of the file at a time, so memory stays bounded by the file
// itself: fields past `cap` are only counted.
class Scanner {
 public:
  explicit Scanner(const QString& text) : s_(text) {}

  struct Record {
    int row = 0;
    QStringList fields;
    qsizetype fieldCount = 0;
    bool unterminated = false;
    [[nodiscard]] bool blank() const { return fieldCount == 1 && fields.first().isEmpty(); }
  };

  bool next(Record& rec, qsizetype cap) {
    const qsizetype n = s_.size();
    if (pos_ >= n) return false;
    rec = Record{};
    rec.row = ++row_;
    while (true) {
      QString field;
      if (s_[pos_] == u'"') {
        ++pos_;
        while (true) {
          const qsizetype quote = s_.indexOf(u'"', pos_);
          if (quote < 0) {
            rec.unterminated = true;
            pos_ = n;
            return true;
          }
          field += QStringView(s_).sliced(pos_, quote - pos_);
          pos_ = quote + 1;
          if (pos_ < n && s_[pos_] == u'"') {
            field += u'"';
            ++pos_;
          } else {
            break;
          }
        }
      }
      // Unquoted text, or text after a closing quote, which we take as it is.
      const qsizetype start = pos_;
      while (pos_ < n && s_[pos_] != u',' && s_[pos_] != u'\n' && s_[pos_] != u'\r') ++pos_;
      field += QStringView(s_).sliced(start, pos_ - start);
      if (rec.fieldCount < cap) rec.fields.append(field);
      ++rec.fieldCount;
      if (pos_ >= n) return true;
      const QChar end = s_[pos_++];
      if (end == u',') continue;
      if (end == u'\r' && pos_ < n && s_[pos_] == u'\n') ++pos_;
      return true;
    }
  }

 private:
  const QString& s_;
  qsizetype pos_ = 0;
  int row_ = 0;
};

Expected<QString> decodeFile(QByteArrayView bytes) {
  if (bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8(bytes);
  if (!utf8.hasError()) return text;
  auto sjis = cp932::decode(bytes);
  if (sjis) return *sjis;
  return Failure{QStringLiteral("文字コードが UTF-8 でも Shift_JIS でもありません。")};
}

// A text cell must fit the register: a cp932 line without control characters.
std::optional<QString> textFault(const QString& text) {
  for (QChar c : text)
    if (c.unicode() < 0x20 || c.unicode() == 0x7F)
      return QStringLiteral("改行や制御文字は使えません。");
  auto bytes = cp932::encode(text);
  if (!bytes) return bytes.error();
  return std::nullopt;
}

}  // namespace

const QList<QString>& receiptCsvColumns() {
  static const QList<QString> names = {
      QStringLiteral("番号"),     QStringLiteral("日付"),     QStringLiteral("宛名1"),
      QStringLiteral("宛名2"),    QStringLiteral("摘要1"),    QStringLiteral("摘要2"),
      QStringLiteral("担当者"),   QStringLiteral("領収金額"), QStringLiteral("税抜金額"),
      QStringLiteral("請求金額"), QStringLiteral("消費税額"), QStringLiteral("消費税率"),
      QStringLiteral("収入印紙"), QStringLiteral("10%対象"),  QStringLiteral("8%対象"),
      QStringLiteral("税区分")};
  return names;
}

Expected<std::optional<QDate>> parseReceiptCsvDate(const QString& cell) {
  const QString text = normalized(cell);
  if (text.isEmpty()) return std::optional<QDate>{};
  static const QRegularExpression western(
      QStringLiteral("^(\\d{4})([/-])(\\d{1,2})\\2(\\d{1,2})$"));
  static const QRegularExpression japanese(
      QStringLiteral("^(R|H|令和|平成) *(\\d{1,2}|元)([./-])(\\d{1,2})\\3(\\d{1,2})$"),
      QRegularExpression::CaseInsensitiveOption);
  QDate date;
  if (const auto m = western.match(text); m.hasMatch()) {
    date = QDate(m.captured(1).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
  } else if (const auto m = japanese.match(text); m.hasMatch()) {
    const QString e = m.captured(1).toUpper();
    const QString era =
        (e == u"R" || e == u"令和") ? QStringLiteral("令和") : QStringLiteral("平成");
    const int eraYear = m.captured(2) == u"元" ? 1 : m.captured(2).toInt();
    if (eraYear < 1) return Failure{QStringLiteral("日付「%1」の年がありえません。").arg(cell)};
    date = QDate(*WesternYear(era, eraYear), m.captured(4).toInt(), m.captured(5).toInt());
    // 平成 began on 1989-01-08; EraOf only knows the later boundary.
    if (date.isValid() && (EraOf(date).name != era || date < QDate(1989, 1, 8)))
      return Failure{QStringLiteral("日付「%1」は%2の日付ではありません。").arg(cell, era)};
  } else {
    return Failure{
        QStringLiteral(
            "日付「%1」は 2026/12/8、2026-12-08、R8.12.8 のいずれかの形で書いてください。")
            .arg(cell)};
  }
  if (!date.isValid()) return Failure{QStringLiteral("日付「%1」はありえない日付です。").arg(cell)};
  return std::optional<QDate>{date};
}

Expected<std::optional<qint64>> parseReceiptCsvAmount(const QString& cell) {
  QString text = normalized(cell);
  if (text.isEmpty()) return std::optional<qint64>{};
  const bool negative = text.startsWith(u'-');
  if (negative) text.remove(0, 1);
  const QStringList groups = text.split(u',');
  bool grouped =
      groups.size() == 1 ? allDigits(groups[0]) : groups[0].size() <= 3 && allDigits(groups[0]);
  for (qsizetype i = 1; i < groups.size() && grouped; ++i)
    grouped = groups[i].size() == 3 && allDigits(groups[i]);
  if (!grouped) {
    if (text.contains(u'.'))
      return Failure{QStringLiteral("金額「%1」は円単位の整数で書いてください。").arg(cell)};
    return Failure{QStringLiteral("金額「%1」は数字ではありません。").arg(cell)};
  }
  qint64 yen = 0;
  for (const QString& g : groups)
    for (QChar c : g) {
      yen = yen * 10 + (c.unicode() - u'0');
      if (yen > kMaxYen) return Failure{QStringLiteral("金額「%1」が大きすぎます。").arg(cell)};
    }
  return std::optional<qint64>{fixed::fromWhole(negative ? -yen : yen)};
}

Expected<std::optional<qint64>> parseReceiptCsvRate(const QString& cell) {
  QString text = normalized(cell);
  if (text.endsWith(u'%')) text.chop(1);
  text = text.trimmed();
  if (text.isEmpty()) return std::optional<qint64>{};
  static const QRegularExpression rate(QStringLiteral("^(\\d{1,3})(?:\\.(\\d{1,4}))?$"));
  const auto m = rate.match(text);
  if (!m.hasMatch())
    return Failure{
        QStringLiteral("消費税率「%1」は 8、10、8.5 のような数で書いてください。").arg(cell)};
  const qint64 value =
      fixed::fromWhole(m.captured(1).toInt()) + m.captured(2).leftJustified(4, u'0').toInt();
  if (value > fixed::fromWhole(100))
    return Failure{QStringLiteral("消費税率「%1」が 100 を超えています。").arg(cell)};
  return std::optional<qint64>{value};
}

ReceiptCsv readReceiptCsv(QByteArrayView bytes) {
  ReceiptCsv out;
  auto fail = [&out](int row, const QString& column, const QString& reason) {
    out.errors.append({row, column, reason});
  };
  if (bytes.size() > kReceiptCsvMaxBytes) {
    fail(0, {}, QStringLiteral("ファイルが大きすぎます（64 MiB まで）。"));
    return out;
  }
  const auto text = decodeFile(bytes);
  if (!text) {
    fail(0, {}, text.error());
    return out;
  }
  const QString unterminated = QStringLiteral("引用符（\"）が閉じていません。");
  Scanner scanner(*text);
  Scanner::Record rec;

  // The header: every name known, none twice.
  if (!scanner.next(rec, kMaxHeaderFields)) {
    fail(1, {}, QStringLiteral("列名の行がありません。"));
    return out;
  }
  if (rec.unterminated) {
    fail(rec.row, {}, unterminated);
    return out;
  }
  if (rec.fieldCount > kMaxHeaderFields) {
    fail(rec.row, {}, QStringLiteral("列が多すぎます。"));
    return out;
  }
  QList<int> columnOf;  // field index -> Column
  bool seen[kColumnCount] = {};
  for (const QString& raw : rec.fields) {
    const QString name = raw.trimmed();
    const int column = int(receiptCsvColumns().indexOf(name));
    if (name.isEmpty()) {
      fail(rec.row, {}, QStringLiteral("名前のない列があります。"));
    } else if (column < 0) {
      fail(rec.row, name,
           QStringLiteral("知らない列名です（使える列名: %1）。")
               .arg(receiptCsvColumns().join(QStringLiteral("、"))));
    } else if (seen[column]) {
      fail(rec.row, name, QStringLiteral("同じ名前の列が二つあります。"));
    } else {
      seen[column] = true;
    }
    columnOf.append(column);
  }
  if (!out.errors.isEmpty()) return out;

  QHash<QString, int> numberRows;
  int dataRows = 0;
  while (scanner.next(rec, columnOf.size())) {
    if (rec.unterminated) {
      fail(rec.row, {}, unterminated);
      break;
    }
    if (rec.blank()) continue;
    if (++dataRows > kReceiptCsvMaxRows) {
      fail(rec.row, {},
           QStringLiteral("行が多すぎます（一度に %1 件まで）。").arg(kReceiptCsvMaxRows));
      break;
    }
    const qsizetype errorsBefore = out.errors.size();
    if (rec.fieldCount > columnOf.size())
      fail(rec.row, {},
           QStringLiteral("列が多すぎます（列名は %1 列、この行は %2 列）。")
               .arg(columnOf.size())
               .arg(rec.fieldCount));
    ReceiptCsvRow row;
    row.row = rec.row;
    ReceiptCsvCells& shown = out.cells.emplace_back();
    shown.row = rec.row;
    shown.cells.resize(kColumnCount);
    for (qsizetype i = 0; i < rec.fields.size() && i < columnOf.size(); ++i)
      shown.cells[columnOf[i]] = rec.fields[i];
    for (qsizetype i = 0; i < rec.fields.size(); ++i) {
      const int column = columnOf[i];
      const QString& name = receiptCsvColumns()[column];
      const QString& cell = rec.fields[i];
      auto amount = [&](std::optional<qint64>& target) {
        auto value = parseReceiptCsvAmount(cell);
        if (value)
          target = *value;
        else
          fail(rec.row, name, value.error());
      };
      auto textCell = [&](QString& target, const QString& value) {
        if (auto fault = textFault(value)) fail(rec.row, name, *fault);
        target = value;
      };
      switch (column) {
        case kNumber:
          textCell(row.number, cell.trimmed());
          break;
        case kDate: {
          auto date = parseReceiptCsvDate(cell);
          if (date)
            row.date = *date;
          else
            fail(rec.row, name, date.error());
          break;
        }
        case kAddressee1:
          textCell(row.addressee1, cell);
          break;
        case kAddressee2:
          textCell(row.addressee2, cell);
          break;
        case kDescription1:
          textCell(row.description1, cell);
          break;
        case kDescription2:
          textCell(row.description2, cell);
          break;
        case kStaff:
          textCell(row.staff, cell);
          break;
        case kReceived:
          amount(row.received);
          break;
        case kNet:
          amount(row.net);
          break;
        case kBilled:
          amount(row.billed);
          break;
        case kTax:
          amount(row.tax);
          break;
        case kStamp:
          amount(row.stamp);
          break;
        case kAmount10:
          amount(row.amount10);
          break;
        case kAmount8:
          amount(row.amount8);
          break;
        case kTaxBasis: {
          if (cell.trimmed().isEmpty()) break;
          if (const auto basis = TaxBasisNamed(normalized(cell)))
            row.taxBasis = *basis;
          else
            fail(rec.row, name,
                 QStringLiteral("税区分「%1」は「税込」か「税抜」で書いてください。").arg(cell));
          break;
        }
        case kTaxRate: {
          auto rate = parseReceiptCsvRate(cell);
          if (rate)
            row.taxRate = *rate;
          else
            fail(rec.row, name, rate.error());
          break;
        }
        default:
          break;
      }
    }
    if (!row.number.isEmpty()) {
      const auto first = numberRows.constFind(row.number);
      if (first != numberRows.constEnd())
        fail(rec.row, receiptCsvColumns()[kNumber],
             QStringLiteral("番号「%1」は %2 行目と重なっています。").arg(row.number).arg(*first));
      else
        numberRows.insert(row.number, rec.row);
    }
    if (out.errors.size() == errorsBefore) out.rows.append(std::move(row));
  }
  return out;
}

ReceiptCsv SelectReceiptCsvRows(const ReceiptCsv& csv, const QSet<int>& rows) {
  ReceiptCsv out;
  for (const ReceiptCsvRow& row : csv.rows)
    if (rows.contains(row.row)) out.rows.append(row);
  for (const ReceiptCsvCells& cells : csv.cells)
    if (rows.contains(cells.row)) out.cells.append(cells);
  // A fault of no listed row (the file, its header, an open quote that
  // swallowed the rest, too many rows) stays whatever is chosen.
  QSet<int> listed;
  for (const ReceiptCsvCells& cells : csv.cells) listed.insert(cells.row);
  for (const ReceiptCsvError& e : csv.errors)
    if (!listed.contains(e.row) || rows.contains(e.row)) out.errors.append(e);
  return out;
}

Expected<ReceiptCsv> readReceiptCsvFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return Failure{QStringLiteral("「%1」を開けません: %2").arg(path, file.errorString())};
  if (file.size() > kReceiptCsvMaxBytes)
    return Failure{QStringLiteral("「%1」は大きすぎます（64 MiB まで）。").arg(path)};
  const QByteArray bytes = file.read(kReceiptCsvMaxBytes + 1);
  if (file.error() != QFileDevice::NoError)
    return Failure{QStringLiteral("「%1」を読めません: %2").arg(path, file.errorString())};
  return readReceiptCsv(bytes);
}

QString formatReceiptCsvError(const QString& fileName, const ReceiptCsvError& error) {
  QString line = fileName;
  if (error.row > 0) line += u':' + QString::number(error.row);
  line += QStringLiteral(": ");
  if (!error.column.isEmpty()) line += error.column + QStringLiteral(": ");
  return line + error.reason;
}

}  // namespace kelvane
