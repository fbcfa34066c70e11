#pragma once
// A style's paper (Windows paper number, orientation, paper source) and the
// program's printer: applying it when a style is loaded, reading it back
// after the user has set up the printer.

class QPrinter;

namespace kelvane {

// The paper part of a style as its header line stores it.
struct StylePaper {
  int paperSizeCode = 0;  // Windows paper number 1..41, 0 when not captured
  int paperSource = 0;    // QPrinter::PaperSource as a number
  int landscapeFlag = 0;  // 1 landscape, 0 portrait
};

// Sets the printer's paper to the size `paperSizeCode` names (a Windows
// paper number 1..118 that Qt knows; any other code keeps the printer's
// size) and always sets the orientation: landscape when `landscapeFlag` is
// not 0.
void ApplyStylePaper(QPrinter& printer, int paperSizeCode, int landscapeFlag);

// The printer's paper as a style keeps it. Sizes outside the Windows
// numbers 1..41 (custom sizes among them) read as 0, "not captured".
[[nodiscard]] StylePaper CapturePrinterPaper(const QPrinter& printer);

}  // namespace kelvane
