#pragma once
// The receipt being edited when the program closed, kept in a file of its
// own beside the settings ("receipt.dat") so that the next start shows it
// again, with the tax rate last used.

#include "receipt/receipt.h"

#include <QByteArray>
#include <QList>

namespace kelvane {

inline constexpr char kReceiptDraftFileName[] = "receipt.dat";

struct ReceiptDraft {
  Receipt receipt;
  // Whether the file named the tax rate; a draft without one leaves the
  // rate of the new receipt as it is.
  bool keepsTaxRate = false;
  bool correction = false;  // reopened from the register ("修正")

  // Whether anything of a receipt is there; the rate and date alone are not.
  [[nodiscard]] bool holdsReceipt() const;
  friend bool operator==(const ReceiptDraft&, const ReceiptDraft&) = default;
};

// The file's lines: "[KEY]=value" in cp932. Texts keep every character: a
// line break, "%" or a character cp932 cannot hold is written as "%{hex}".
[[nodiscard]] QList<QByteArray> FormatReceiptDraft(const ReceiptDraft& draft);

// Reads lines written by FormatReceiptDraft. Anything else (no header line,
// an unknown key, a figure or date that does not read) is passed over, so
// any content gives a draft; a file not ours gives an empty one.
[[nodiscard]] ReceiptDraft ParseReceiptDraft(const QList<QByteArray>& lines);

}  // namespace kelvane
