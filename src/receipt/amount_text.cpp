#include "receipt/amount_text.h"

#include <array>

namespace kelvane {

namespace {

constexpr std::array<char16_t, 10> kDigitNames = {0,     u'壱', u'弐', u'参', u'四',
                                                  u'五', u'六', u'七', u'八', u'九'};

// The place name of the digit at `position` from the right (1 = ones).
QString placeName(int position) {
  static const std::array<const char16_t*, 13> kPlaces = {
      u"", u"", u"拾", u"百", u"千", u"萬", u"拾", u"百", u"千", u"億", u"拾", u"百", u"千"};
  if (position < 1 || position >= static_cast<int>(kPlaces.size())) return {};
  return QString::fromUtf16(kPlaces[position]);
}

}  // namespace

QString KanjiAmount(qint64 amount) {
  const QString digits = QString::number(amount);
  const int count = static_cast<int>(digits.size());
  // The ten-thousands digits (positions 5 to 8) seen so far: a zero at the
  // ten-thousands or the hundred-millions drops its place name only in an
  // amount of nine digits or more while they are all 0.
  bool tenThousandsSeen = false;
  QString out;
  for (int i = 0; i < count; ++i) {
    const int position = count - i;
    const int digit = digits.at(i).digitValue();
    if (digit < 0) continue;  // the minus of an amount the caller should have refused
    if (position >= 5 && position <= 8 && digit > 0) tenThousandsSeen = true;
    if (digit > 0) {
      out += QChar(kDigitNames[digit]);
      out += placeName(position);
    } else if ((position == 5 || position == 9) && !(count > 8 && !tenThousandsSeen)) {
      out += placeName(position);
    }
  }
  return out + u'円';
}

QString GroupDigits(qint64 amount) {
  // Built by hand rather than through the locale, so that the register list
  // reads the same on every desktop.
  const bool negative = amount < 0;
  QString digits = QString::number(amount);
  if (negative) digits.remove(0, 1);
  for (qsizetype at = digits.size() - 3; at > 0; at -= 3) digits.insert(at, u',');
  return negative ? u'-' + digits : digits;
}

QString PlainDecimal(qint64 tenThousandths) {
  const bool negative = tenThousandths < 0;
  // Unsigned, so that the most negative value has a magnitude too.
  const quint64 magnitude =
      negative ? 0 - static_cast<quint64>(tenThousandths) : static_cast<quint64>(tenThousandths);
  QString text = QString::number(magnitude / 10000);
  if (const quint64 fraction = magnitude % 10000; fraction != 0) {
    QString decimals = QString::number(fraction).rightJustified(4, u'0');
    while (decimals.endsWith(u'0')) decimals.chop(1);
    text += u'.' + decimals;
  }
  return negative ? u'-' + text : text;
}

}  // namespace kelvane
