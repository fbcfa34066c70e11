#pragma once
// The print command: the layout on one page of the program's printer, or
// into a PDF file the user names when no printer is installed.

namespace kelvane {

class ReceiptMainForm;

// Print1 (Ctrl+P) and the print icon. Returns whether a page was printed.
bool PrintReceipt(ReceiptMainForm& form);

// "PDFに出力": the same page as the printer would print it (paper,
// orientation, printable area and resolution of the program's printer),
// written to a PDF file the user names, so that a receipt can be mailed.
bool PrintReceiptToPdf(ReceiptMainForm& form);

}  // namespace kelvane
