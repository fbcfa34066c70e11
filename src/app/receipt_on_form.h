#pragma once
// The receipt on the page "領収書発行" as a value: read from its fields and
// the date boxes, put back into them, and its item texts put into the
// layout. What the receipt's texts look like is the receipt's own business
// (receipt/receipt.h); here only the widgets are read and written.

#include "receipt/receipt.h"

#include <initializer_list>

namespace kelvane {

class ReceiptMainForm;

// The receipt the fields show, texts as typed, dated by the date boxes
// (no date when they give no calendar date).
[[nodiscard]] Receipt ReceiptOnForm(const ReceiptMainForm& form);

// The amount marks and kanji as the page "環境設定" asks; a zero amount as
// the amount fields show it.
[[nodiscard]] ReceiptTextSettings ReceiptTextSettingsOf(const ReceiptMainForm& form);

// The receipt's item texts as the form gives them.
[[nodiscard]] ReceiptItems ReceiptItemsOnForm(const ReceiptMainForm& form);

// The receipt into the fields, and a date into the boxes and the calendar.
// The items, the rate's spinner and the mode are left to the caller.
void PutReceiptOnForm(ReceiptMainForm& form, const Receipt& receipt);

// The items one field (or the date) fills, on the receipt and the stub.
enum class ReceiptItemGroup {
  Number, Addressee, Description1, Description2, Amount, NetAmount, BilledAmount, TaxAmount,
  TaxRate, Date
};

// The groups' lines from `items` into the layout, without a preview refresh.
void ApplyReceiptItems(ReceiptMainForm& form, const ReceiptItems& items,
                       std::initializer_list<ReceiptItemGroup> groups);
// Every receipt item.
void ApplyReceiptItems(ReceiptMainForm& form, const ReceiptItems& items);

}  // namespace kelvane
