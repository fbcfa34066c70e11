#pragma once
// The print command: the layout on one page of the program's printer, or
// into a PDF file the user names when no printer is installed.

namespace kelvane {

class ReceiptMainForm;

// Print1 (Ctrl+P) and the print icon. Returns whether a page was printed.
bool PrintReceipt(ReceiptMainForm& form);

}  // namespace kelvane
