#pragma once
// Automatic receipt numbers: a header text, the number padded with zeros to
// the digit count, and the last number recorded.

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace kelvane {

// A decimal whole number with an optional sign, nothing else around it.
[[nodiscard]] std::optional<qint64> WholeNumber(const QString& text);

// The digit count of "桁設定": its whole number, or 1 when it is none.
[[nodiscard]] int DigitCount(const QString& text);

// The number part of a recorded receipt number, counted in cp932 bytes as
// receipts are kept: the bytes after as many as the header has, at most
// digitCount + 1 of them, as a whole number, or 1 when they are none. Only
// the header's length counts, not its characters.
[[nodiscard]] qint64 NumberPart(const QString& number, const QString& header, int digitCount);

// Whether `part` has more decimal digits than the digit count allows.
[[nodiscard]] bool ExceedsDigitCount(qint64 part, int digitCount);

// The number part of a register key (cp932 bytes) that begins with the
// header's bytes and goes on with decimal digits only: what the automatic
// numbering with that header may have given. Nothing for any other key.
[[nodiscard]] std::optional<qint64> HeaderedNumberPart(QByteArrayView key, QByteArrayView header);

// The number after `last`: the header, as many zeros as make the digits
// `digitCount` wide (only when 1 to 8 are needed), then last + 1.
[[nodiscard]] QString NextReceiptNumber(const QString& header, int digitCount, qint64 last);

}  // namespace kelvane
