#pragma once
// Code page 932 (Shift_JIS as Windows writes it) <-> Unicode. Every text the
// program stores is cp932 bytes; this is the one place they are converted.

#include "text/expected.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace kelvane::cp932 {

// cp932 bytes -> Unicode for display. The byte 0x5C is the yen sign (U+00A5),
// as Japanese fonts show it. Bytes that are not valid cp932 are an error.
[[nodiscard]] Expected<QString> decode(QByteArrayView bytes);

// As decode, but each character that is not valid cp932 (a lone byte, or a
// lead byte with its trail byte) becomes U+FFFD, so damaged text still shows.
[[nodiscard]] QString decodeReplacing(QByteArrayView bytes);

// Unicode -> cp932 bytes. Both U+005C and U+00A5 become 0x5C. A character
// that cp932 cannot hold is an error naming it.
[[nodiscard]] Expected<QByteArray> encode(const QString& text);

// A lead byte of a two-byte character: 0x81-0x9F or 0xE0-0xFC.
[[nodiscard]] constexpr bool isLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Byte length of the character starting at `pos` (1 or 2; 1 for a lead byte
// that ends the text).
[[nodiscard]] inline int charLength(QByteArrayView bytes, qsizetype pos) {
  if (isLeadByte(static_cast<unsigned char>(bytes[pos])) && pos + 1 < bytes.size()) return 2;
  return 1;
}

// For tests and literals: UTF-8 source text -> cp932 bytes; aborts on a
// character cp932 cannot hold, so use it only on fixed texts.
[[nodiscard]] QByteArray fromUtf8Literal(const char* utf8);

}  // namespace kelvane::cp932
