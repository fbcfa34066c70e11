#pragma once
// The issuer's registration number of a qualified invoice (登録番号): "T"
// and thirteen digits. For a company the digits are its corporate number,
// whose first digit checks the other twelve; a sole proprietor's number is
// not a corporate number, so a failed check is only worth a question.

#include "text/expected.h"

#include <QString>

namespace kelvane {

// The number as it is printed and kept: full-width digits and letters made
// half-width, a lower-case "t" upper-case, blanks and hyphens between the
// digits removed. A text of another shape than "T" and 13 digits is refused
// with a message; an empty text stays empty (no number).
[[nodiscard]] Expected<QString> NormaliseRegistrationNumber(const QString& typed);

// Whether the first digit of a normalised number is the check digit of the
// corporate number rule over the other twelve.
[[nodiscard]] bool HasCorporateCheckDigit(const QString& normalised);

// The question asked when the check digit does not match.
[[nodiscard]] QString CheckDigitWarning(const QString& normalised);

}  // namespace kelvane
