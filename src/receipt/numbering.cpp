#include "receipt/numbering.h"

#include "text/layout_text.h"

#include <algorithm>
#include <limits>

namespace kelvane {

namespace {

constexpr qsizetype kMaxPadding = 8;

qsizetype decimalDigits(qint64 value) {
  QString digits = QString::number(value);
  if (digits.startsWith(u'-')) digits.remove(0, 1);
  return digits.size();
}

}  // namespace

std::optional<qint64> WholeNumber(const QString& text) {
  if (text.isEmpty()) return std::nullopt;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    const bool sign = i == 0 && (c == u'-' || c == u'+') && text.size() > 1;
    if (!sign && (c < u'0' || c > u'9')) return std::nullopt;
  }
  bool ok = false;
  const qint64 value = text.toLongLong(&ok);
  if (!ok) return std::nullopt;
  return value;
}

int DigitCount(const QString& text) {
  const std::optional<qint64> count = WholeNumber(text);
  if (!count || *count < std::numeric_limits<int>::min() ||
      *count > std::numeric_limits<int>::max())
    return 1;
  return static_cast<int>(*count);
}

qint64 NumberPart(const QString& number, const QString& header, int digitCount) {
  const qsizetype length = std::max<qint64>(0, qint64(digitCount) + 1);
  // A byte of a double-byte character is never a digit or a sign, so a part
  // that starts or ends inside one is no whole number.
  const QByteArray bytes = ToLayoutText(number).mid(ToLayoutText(header).size(), length);
  return WholeNumber(QString::fromLatin1(bytes)).value_or(1);
}

bool ExceedsDigitCount(qint64 part, int digitCount) { return decimalDigits(part) > digitCount; }

std::optional<qint64> HeaderedNumberPart(QByteArrayView key, QByteArrayView header) {
  if (!key.startsWith(header)) return std::nullopt;
  const QByteArrayView digits = key.sliced(header.size());
  // Eighteen digits always fit the signed range.
  if (digits.isEmpty() || digits.size() > 18) return std::nullopt;
  qint64 value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

QString NextReceiptNumber(const QString& header, int digitCount, qint64 last) {
  // The largest last number has a next one too, beyond the signed range.
  const QString next = last < std::numeric_limits<qint64>::max()
                           ? QString::number(last + 1)
                           : QString::number(static_cast<quint64>(last) + 1);
  const qsizetype pad = qsizetype(digitCount) - next.size();
  if (pad >= 1 && pad <= kMaxPadding) return header + QString(pad, u'0') + next;
  return header + next;
}

}  // namespace kelvane
