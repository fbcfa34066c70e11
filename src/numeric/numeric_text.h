#pragma once
// Texts of the numeric fields: full-width input, pasted or assigned numbers,
// digit grouping. ASCII number texts are plain std::string ("-1234.5").

#include <QChar>
#include <QString>
#include <QStringView>

#include <optional>
#include <string>
#include <string_view>

namespace kelvane::numeric {

// Full-width ASCII forms (U+FF01–U+FF5E) and the ideographic space become
// their half-width forms; the full-width yen sign becomes U+00A5. Other
// characters are kept.
[[nodiscard]] QChar toHalfWidth(QChar c);
[[nodiscard]] QString toHalfWidth(QStringView text);

// The yen mark in any of its spellings: U+00A5, and the backslash, since
// the cp932 byte 0x5C is shown as ¥.
[[nodiscard]] bool isYenMark(QChar c);

// A number taken apart: the sign, and the magnitude as digits with at most
// one ".", at least one digit ("1234.5", "0.", ".5").
struct PlainNumber {
  bool negative = false;
  std::string magnitude;
};

// The number in text pasted into a field or assigned to it, or nothing when
// the text reads as 0: full-width forms are taken as half-width, blanks and
// line breaks around it are dropped, then the leading character (or, when
// it is a space, a "$" or yen mark) in front. Only digits, "+", "-", ","
// and "." may remain; commas must separate every group of three integer
// digits and nothing else; one sign may lead.
[[nodiscard]] std::optional<PlainNumber> parseNumberText(QStringView text, QChar leadingChar);

// The sign and magnitude of a plain ASCII number ("-12.5", "+3", "7."), or
// nothing for anything else.
[[nodiscard]] std::optional<PlainNumber> splitPlainNumber(std::string_view text);

// A plain magnitude ("1234567.5") with "," between groups of three integer
// digits ("1,234,567.5").
[[nodiscard]] std::string groupThousands(std::string_view magnitude);

}  // namespace kelvane::numeric
