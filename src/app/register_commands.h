#pragma once
// The receipt register commands of the main window: recording the receipt
// being edited, deleting it, starting a new one with the next number, and
// the numbering and register-file settings of the page "環境設定".

#include <QString>
#include <QtGlobal>

namespace kelvane {

class ReceiptMainForm;

// The register the commands work on: the current one, or regidata.dat in
// the program folder when none is set (it becomes the current one).
QString RegisterFilePath(ReceiptMainForm& form);
// Where the register is copied before it is changed ("tempfile.dat").
QString RegisterTempCopyPath();

// With automatic numbering, the last number follows a recorded number part
// that is larger (and the user hears when it outgrows the digit count).
void FollowLastNumber(ReceiptMainForm& form, qint64 part);

// Writes the receipt being edited into the register, replacing the lines
// of its number after the user agrees. Returns whether a line was written.
bool RecordReceipt(ReceiptMainForm& form, bool announce);

// Removes the lines of the receipt shown, after asking, and clears the form.
void DeleteShownReceipt(ReceiptMainForm& form);

// Clears the form and fills in the next number and today's date.
void StartNewReceipt(ReceiptMainForm& form);

// Empties the receipt's fields and items; the tax rate stays.
void ClearReceiptFields(ReceiptMainForm& form);

// The editors behind the labels d1, d2, last_number and StaticText1, and
// the button "選択".
void EditNumberHeader(ReceiptMainForm& form);
void EditDigitCount(ReceiptMainForm& form);
void EditLastNumber(ReceiptMainForm& form);
void EditRegisterField(ReceiptMainForm& form);
void ChooseRegisterFile(ReceiptMainForm& form);

// "領収書ファイルを一覧表で見る" (F9) and "発行リスト": the register list on the
// current register; a receipt picked there goes into the form ("修正"), and
// the receipt items are set again from the form either way.
void ReopenFromRegister(ReceiptMainForm& form);

// Every receipt item from the form, as after reopening a receipt.
void SetReceiptItemsFromForm(ReceiptMainForm& form);

// After printing: with "印刷終了後、保存ダイアログを出す", offers to record.
void OfferToRecord(ReceiptMainForm& form);

}  // namespace kelvane
