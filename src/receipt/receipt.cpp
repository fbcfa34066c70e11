#include "receipt/receipt.h"

#include "layout/layout_slots.h"
#include "receipt/amount_text.h"
#include "receipt/era.h"
#include "receipt/register_view.h"
#include "text/layout_text.h"

#include <algorithm>
#include <limits>

namespace kelvane {

namespace {

constexpr qint64 kUnitsPerYen = 10000;

constexpr int kFieldDigits = 9;  // the amount fields' digits, whole and decimal
constexpr qint64 kLargestFieldAmount = 1'000'000'000LL * kUnitsPerYen - 1;

// A typed text as an item holds it: a line break or tab would split the
// layout record it goes into.
QByteArray itemText(QString text) {
  for (QChar& c : text)
    if (c.unicode() < 0x20) c = u' ';
  return ToLayoutText(text);
}

QByteArray withAmountMarks(const QByteArray& text, const ReceiptTextSettings& s) {
  static const QByteArray kKin = ToLayoutText(QStringLiteral("金"));
  static const QByteArray kNari = ToLayoutText(QStringLiteral("也"));
  QByteArray out;
  if (s.yenMark) out += s.kanjiAmount ? kKin : QByteArray("\\");
  out += text;
  if (s.dashMark) out += s.kanjiAmount ? kNari : QByteArray("-");
  return out;
}

}  // namespace

QByteArray ReceiptItems::text(int line) const {
  for (const auto& [at, bytes] : lines)
    if (at == line) return bytes;
  return {};
}

bool FitsAmountField(qint64 tenThousandths) {
  return tenThousandths > -kLargestFieldAmount - 1 && tenThousandths <= kLargestFieldAmount;
}

QString AmountFieldText(qint64 tenThousandths, bool zeroDisplay) {
  const bool negative = tenThousandths < 0;
  qint64 magnitude = tenThousandths == std::numeric_limits<qint64>::min()
                         ? std::numeric_limits<qint64>::max()
                         : (negative ? -tenThousandths : tenThousandths);
  if (magnitude == 0) return zeroDisplay ? QStringLiteral("0") : QString();
  magnitude = std::min(magnitude, kLargestFieldAmount);
  QString text = PlainDecimal(magnitude);
  if (text.contains(u'.') && text.size() > kFieldDigits + 1) {
    text.truncate(kFieldDigits + 1);  // decimals dropped, not rounded
    while (text.endsWith(u'0')) text.chop(1);
    if (text.endsWith(u'.')) text.chop(1);
  }
  const qsizetype point = text.indexOf(u'.');
  const QString whole = point < 0 ? text : text.left(point);
  QString shown = GroupDigits(whole.toLongLong());
  if (point >= 0) shown += text.mid(point);
  return negative ? QStringLiteral("-") + shown : shown;
}

std::optional<QString> KanjiAmountRefusal(qint64 tenThousandths,
                                          const ReceiptTextSettings& settings) {
  if (!settings.kanjiAmount) return std::nullopt;
  if (tenThousandths < 0) return QStringLiteral("マイナスの金額は漢数字にできません。");
  if (tenThousandths / kUnitsPerYen > kMaxKanjiAmount)
    return QStringLiteral("取り扱い可能な桁は10億円未満です");
  return std::nullopt;
}

ReceiptItems ReceiptItemTexts(const Receipt& r, const ReceiptTextSettings& s) {
  namespace slot = slotmap;
  ReceiptItems items;
  const auto both = [&items](int line, const QByteArray& text) {
    items.lines.append({line, text});
    items.lines.append({line + slot::kStubOffset, text});
  };
  both(slot::kNumber, itemText(r.number));

  // Two addressee lines use their own items; one line uses the single one.
  const QByteArray first = itemText(r.addressee1);
  const QByteArray second = itemText(r.addressee2);
  const bool twoLines = !second.isEmpty();
  both(slot::kAddressee, twoLines ? QByteArray() : first);
  items.lines.append({slot::kAddresseeLine1, twoLines ? first : QByteArray()});
  items.lines.append({slot::kStubAddresseeLine1, twoLines ? first : QByteArray()});
  items.lines.append({slot::kAddresseeLine2, second});
  items.lines.append({slot::kStubAddresseeLine2, second});

  both(slot::kDescription1, itemText(r.description1));
  both(slot::kDescription2, itemText(r.description2));

  // The receipt side in kanji when it has that form (fractions of a yen cut
  // off), otherwise in digits; the marks always; the stub in digits.
  const QString digits = AmountFieldText(r.amount, s.zeroDisplay);
  items.kanjiRefusal = KanjiAmountRefusal(r.amount, s);
  const QString shown =
      s.kanjiAmount && !items.kanjiRefusal ? KanjiAmount(r.amount / kUnitsPerYen) : digits;
  items.lines.append({slot::kAmount, withAmountMarks(ToLayoutText(shown), s)});
  items.lines.append({slot::kStubAmount, ToLayoutText(digits)});

  both(slot::kBilled, ToLayoutText(AmountFieldText(r.billedAmount, s.zeroDisplay)));
  both(slot::kBeforeTax, ToLayoutText(AmountFieldText(r.netAmount, s.zeroDisplay)));
  both(slot::kTaxAmount, ToLayoutText(AmountFieldText(r.taxAmount, s.zeroDisplay)));
  both(slot::kTaxRate, r.taxRate != 0 ? PlainDecimal(r.taxRate).toLatin1() : QByteArray());

  // The figures by rate: empty on a receipt that does not state them, so a
  // layout of the original format gains no records.
  const bool byRate = r.hasRateFigures();
  const auto rateText = [&](qint64 value) {
    return byRate ? ToLayoutText(AmountFieldText(value, s.zeroDisplay)) : QByteArray();
  };
  const std::pair<int, qint64> rated[] = {{slot::kAmount10, r.amount10},
                                          {slot::kTax10, r.tax10},
                                          {slot::kAmount8, r.amount8},
                                          {slot::kTax8, r.tax8}};
  for (const auto& [line, value] : rated) {
    items.lines.append({line, rateText(value)});
    items.lines.append({line + slot::kStubRateOffset, rateText(value)});
  }

  const bool dated = r.date && r.date->isValid();
  both(slot::kEraYear, dated ? QByteArray::number(EraOf(*r.date).year) : QByteArray());
  both(slot::kMonth, dated ? QByteArray::number(r.date->month()) : QByteArray());
  both(slot::kDay, dated ? QByteArray::number(r.date->day()) : QByteArray());
  return items;
}

Expected<RegisterRecord> RegisterRecordOf(const Receipt& r) {
  if (!r.date || !r.date->isValid())
    return Failure{QStringLiteral("日付がないため記録できません。日付を選んでください。")};
  const auto plain = [](qint64 units) { return PlainDecimal(units).toLatin1(); };
  RegisterRecord record;
  record.number = RegisterText(r.number);
  record.date = QByteArray::number(r.date->year()) + '/' + QByteArray::number(r.date->month()) +
                '/' + QByteArray::number(r.date->day());
  record.amount = plain(r.amount);
  record.addressee1 = RegisterText(r.addressee1);
  record.description1 = RegisterText(r.description1);
  record.description2 = RegisterText(r.description2);
  record.netAmount = plain(r.netAmount);
  record.billedAmount = plain(r.billedAmount);
  record.taxAmount = plain(r.taxAmount);
  record.taxRate = plain(r.taxRate);
  record.staff = RegisterText(r.staff);
  record.stamp = RegisterText(r.stamp);
  record.addressee2 = RegisterText(r.addressee2);
  if (r.hasRateFigures()) {
    record.amount10 = plain(r.amount10);
    record.tax10 = plain(r.tax10);
    record.amount8 = plain(r.amount8);
    record.tax8 = plain(r.tax8);
    record.taxBasis = RegisterText(TaxBasisName(r.taxBasis));
  }
  record.registrationNumber = RegisterText(r.registrationNumber);
  return record;
}

Expected<Receipt> ReceiptFromRegisterRecord(const RegisterRecord& record) {
  Receipt r;
  r.number = FromLayoutText(record.number);
  if (!record.date.isEmpty()) {
    auto date = RegisterDateCell(FromLayoutText(record.date));
    if (!date) return Failure{date.error()};
    r.date = *date;
  }
  // The thirteen fields' amounts, then those by rate, which may be absent.
  const std::pair<const QByteArray*, qint64*> amounts[] = {{&record.amount, &r.amount},
                                                           {&record.netAmount, &r.netAmount},
                                                           {&record.taxAmount, &r.taxAmount},
                                                           {&record.billedAmount, &r.billedAmount},
                                                           {&record.taxRate, &r.taxRate},
                                                           {&record.amount10, &r.amount10},
                                                           {&record.tax10, &r.tax10},
                                                           {&record.amount8, &r.amount8},
                                                           {&record.tax8, &r.tax8}};
  constexpr int kAlwaysRead = 5;
  for (int i = 0; i < int(std::size(amounts)); ++i) {
    const auto& [field, value] = amounts[i];
    if (i >= kAlwaysRead && field->isEmpty()) continue;
    const QString text = FromLayoutText(*field);
    auto read = RegisterAmountCell(text);
    if (!read) return Failure{read.error()};
    if (!FitsAmountField(*read)) {
      return Failure{
          QStringLiteral("金額「%1」は10億円以上のため、入力欄に入りません。").arg(text.trimmed())};
    }
    *value = *read;
  }
  if (!record.taxBasis.isEmpty()) {
    const auto basis = TaxBasisNamed(FromLayoutText(record.taxBasis));
    if (!basis)
      return Failure{
          QStringLiteral("税区分「%1」が読めません。").arg(FromLayoutText(record.taxBasis))};
    r.taxBasis = *basis;
  }
  r.registrationNumber = FromLayoutText(record.registrationNumber);
  r.addressee1 = FromLayoutText(record.addressee1);
  r.addressee2 = FromLayoutText(record.addressee2);
  r.description1 = FromLayoutText(record.description1);
  r.description2 = FromLayoutText(record.description2);
  r.staff = FromLayoutText(record.staff);
  QString stamp = FromLayoutText(record.stamp);
  stamp.remove(u',');
  while (stamp.startsWith(u' ')) stamp.remove(0, 1);
  r.stamp = stamp;
  return r;
}

Receipt WithTaxByRate(Receipt r, TaxRounding rounding) {
  if (!r.hasRateFigures()) return r;
  const TaxByRate t = ComputeTaxByRate({r.amount10, r.amount8, r.taxBasis, rounding});
  r.tax10 = t.at10.tax;
  r.tax8 = t.at8.tax;
  r.amount = t.totalGross;
  r.netAmount = t.totalNet;
  r.billedAmount = t.totalGross;
  r.taxAmount = t.totalTax;
  r.taxRate = t.singleRate ? *t.singleRate * kUnitsPerYen : 0;
  return r;
}

}  // namespace kelvane
