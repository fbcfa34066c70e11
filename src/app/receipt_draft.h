#pragma once
// The receipt in progress between runs: saved at close beside the settings
// and put back into the form at the next start, so that End while typing
// loses nothing. Also the question before a printed receipt that was never
// recorded is left for another.

#include "text/expected.h"

namespace kelvane {

class ReceiptMainForm;

// Writes every receipt field, the date and the tax rate to "receipt.dat".
[[nodiscard]] Expected<void> SaveReceiptDraft(ReceiptMainForm& form);

// After the start-up's new receipt: the tax rate last used and, when the
// file holds a receipt, its fields, date and items. A missing or damaged
// file leaves the new receipt as it is.
void RestoreReceiptDraft(ReceiptMainForm& form);

// After a print or export: the receipt waits for recording unless it is
// the one last recorded, unchanged.
void NotePrinted(ReceiptMainForm& form);
// After a recording: the receipt on screen is in the register.
void NoteRecorded(ReceiptMainForm& form);

// Before the receipt on screen gives way (a new one, another reopened, a
// style loaded, the window closed): a receipt printed or exported but not
// recorded since is offered for recording. Returns whether to go on; a
// recording that was offered and failed keeps the receipt.
[[nodiscard]] bool KeepPrintedReceipt(ReceiptMainForm& form);

}  // namespace kelvane
