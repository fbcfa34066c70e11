#pragma once
// The settings store of the main window: "kelvane.conf" into and out of the
// controls that hold the settings, the window file, and the start-up and
// close-time sequences with the current layout "cardtemp.dat".

#include "settings/program_folder.h"

#include <QString>

namespace kelvane {

class ReceiptMainForm;

// The window file: the program file's own name with ".ini".
[[nodiscard]] QString WindowFileName();

void conf_read(ReceiptMainForm& form);
// Returns false (after saying why) when the file could not be written.
bool conf_write(ReceiptMainForm& form, bool announce);
// Writes the automatic-numbering settings into the settings file at once
// (after a recording); says why and returns false when it cannot.
bool conf_write_numbering(ReceiptMainForm& form);
// hideZero 1: zero amounts show blank; 0: they show "0"; anything else
// changes nothing.
void zero_display_apply(ReceiptMainForm& form, int hideZero);
void startup_restore(ReceiptMainForm& form);
// Saves the window file, the header lines, the settings and the current
// layout. Every file is written atomically, so a failure keeps the old
// file; the user is then asked whether to close anyway. Returns whether
// the window may close.
bool close_save(ReceiptMainForm& form);

}  // namespace kelvane
