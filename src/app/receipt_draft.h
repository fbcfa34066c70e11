#pragma once
// The receipt in progress between runs: saved at close beside the settings
// and put back into the form at the next start, so that End while typing
// loses nothing.

#include "text/expected.h"

namespace kelvane {

class ReceiptMainForm;

// Writes every receipt field, the date and the tax rate to "receipt.dat".
[[nodiscard]] Expected<void> SaveReceiptDraft(ReceiptMainForm& form);

// After the start-up's new receipt: the tax rate last used and, when the
// file holds a receipt, its fields, date and items. A missing or damaged
// file leaves the new receipt as it is.
void RestoreReceiptDraft(ReceiptMainForm& form);

}  // namespace kelvane
