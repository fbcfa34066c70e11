#pragma once
// The master lists from the main window: the four items of "マスター登録"
// register into a list, the five "参照" buttons of the receipt page pick an
// entry from one into their field.

#include "masterlist/master_list_file.h"

class QComboBox;

namespace kelvane {

class ReceiptInput;
class ReceiptIssuePage;
class ReceiptMainForm;
class Tforderreg;

// Connects and enables the menu items and the buttons; the window's input
// box and messages go through the main window's dialogs.
void ConnectMasterListCommands(ReceiptMainForm& form);

// "参照" beside `field` (atesaki_1, atesaki_2, topic1, topic2 or Field_07):
// the field's list opened on its text; what comes back goes into the field
// and the receipt, and the focus moves on. Field_07 takes the text only.
void PickFromMasterList(Tforderreg& lists, ReceiptIssuePage& page, ReceiptInput& input,
                        QComboBox* field);

}  // namespace kelvane
