#include "numeric/numeric_text.h"

namespace kelvane::numeric {

QChar toHalfWidth(QChar c) {
  const char16_t u = c.unicode();
  if (u >= 0xFF01 && u <= 0xFF5E) return QChar(char16_t(u - 0xFEE0));
  if (u == 0x3000) return QChar(u' ');
  if (u == 0xFFE5) return QChar(char16_t(0x00A5));
  return c;
}

QString toHalfWidth(QStringView text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) out.append(toHalfWidth(c));
  return out;
}

bool isYenMark(QChar c) { return c == QChar(char16_t(0x00A5)) || c == u'\\'; }

std::optional<PlainNumber> splitPlainNumber(std::string_view text) {
  PlainNumber number;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    number.negative = text.front() == '-';
    text.remove_prefix(1);
  }
  bool point = false;
  bool digit = false;
  for (const char c : text) {
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return std::nullopt;
    }
  }
  if (!digit) return std::nullopt;
  number.magnitude = std::string(text);
  return number;
}

namespace {

bool isAllowed(QChar c) {
  return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u',' || c == u'.';
}

// Commas are only taken where they separate every group of three integer
// digits; "12,34" or "1234,567" are not numbers. Positions count from the
// first digit, so a sign in front does not shift the groups.
bool commasAreGroupSeparators(QStringView digits) {
  const qsizetype pointAt = digits.indexOf(u'.');
  const qsizetype p = (pointAt < 0 ? digits.size() : pointAt) + 1;  // 1-based
  qsizetype commas = 0;
  for (qsizetype i = 0; i < digits.size(); ++i) {
    if (digits[i] != u',') continue;
    const qsizetype pos = i + 1;
    if (pos >= p || pos == 1 || (p - pos) % 4 != 0) return false;
    ++commas;
  }
  return commas == 0 || commas == (p - commas - 2) / 3;
}

}  // namespace

std::optional<PlainNumber> parseNumberText(QStringView text, QChar leadingChar) {
  QString s = toHalfWidth(text).trimmed();
  if (!s.isEmpty()) {
    const QChar first = s.front();
    const QChar leading = toHalfWidth(leadingChar);
    bool drop = false;
    if (leading != u' ') {
      drop = first == leading || (isYenMark(leading) && isYenMark(first));
    } else {
      drop = first == u'$' || isYenMark(first);
    }
    if (drop) s.remove(0, 1);
  }
  for (const QChar c : s) {
    if (!isAllowed(c)) return std::nullopt;
  }
  QStringView digits(s);
  std::string plain;
  if (!digits.isEmpty() && (digits.front() == u'+' || digits.front() == u'-')) {
    plain.push_back(char(digits.front().unicode()));
    digits = digits.mid(1);
  }
  if (!commasAreGroupSeparators(digits)) return std::nullopt;
  for (const QChar c : digits) {
    if (c != u',') plain.push_back(char(c.unicode()));
  }
  return splitPlainNumber(plain);
}

std::string groupThousands(std::string_view magnitude) {
  const std::size_t pointAt = magnitude.find('.');
  const std::size_t whole = pointAt == std::string_view::npos ? magnitude.size() : pointAt;
  std::string out;
  out.reserve(magnitude.size() + whole / 3);
  for (std::size_t i = 0; i < whole; ++i) {
    if (i > 0 && (whole - i) % 3 == 0) out.push_back(',');
    out.push_back(magnitude[i]);
  }
  out.append(magnitude.substr(whole));
  return out;
}

}  // namespace kelvane::numeric
