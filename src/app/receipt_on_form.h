#pragma once
// The receipt on the page "領収書発行" as a value: read from its fields and
// the date boxes, put back into them, and its item texts put into the
// layout. What the receipt's texts look like is the receipt's own business
// (receipt/receipt.h); here only the widgets are read and written.

#include "receipt/receipt.h"

#include <initializer_list>

namespace kelvane {

class LayoutEdits;
class ReceiptMainForm;

// What the receipt's controllers read of the form: the receipt it shows as
// a value and the settings its texts follow. The main window gives it.
class ReceiptFields {
 public:
  virtual ~ReceiptFields() = default;
  [[nodiscard]] virtual Receipt shownReceipt() const = 0;
  [[nodiscard]] virtual TaxRounding taxRounding() const = 0;
  [[nodiscard]] virtual ReceiptTextSettings receiptTextSettings() const = 0;
  // The receipt's item texts as the form gives them.
  [[nodiscard]] ReceiptItems shownItems() const {
    return ReceiptItemTexts(shownReceipt(), receiptTextSettings());
  }
};

// The receipt the fields show, texts as typed, dated by the date boxes
// (no date when they give no calendar date). The tax of each rate is worked
// out from the amounts by rate as the rounding choice says; the
// registration number is the layout's item 登録番号.
[[nodiscard]] Receipt ReceiptOnForm(const ReceiptMainForm& form);

// The rounding chosen for the tax of each rate.
[[nodiscard]] TaxRounding TaxRoundingOnForm(const ReceiptMainForm& form);

// The amount marks and kanji as the page "環境設定" asks; a zero amount as
// the amount fields show it.
[[nodiscard]] ReceiptTextSettings ReceiptTextSettingsOf(const ReceiptMainForm& form);

// The receipt's item texts as the form gives them.
[[nodiscard]] ReceiptItems ReceiptItemsOnForm(const ReceiptMainForm& form);

// The receipt into the fields (the amounts by rate and their 税込 / 税抜
// too), and a date into the boxes and the calendar. The items, the rate's
// spinner and the mode are left to the caller.
void PutReceiptOnForm(ReceiptMainForm& form, const Receipt& receipt);

// The items one field (or the date) fills, on the receipt and the stub.
enum class ReceiptItemGroup {
  Number,
  Addressee,
  Description1,
  Description2,
  Amount,
  NetAmount,
  BilledAmount,
  TaxAmount,
  TaxRate,
  Date,
  ByRate  // 10%対象, 10%消費税, 8%対象, 8%消費税 of the receipt and the stub
};

// The groups' lines from `items` into the layout: heard by the preview, but
// no undo step.
void ApplyReceiptItems(LayoutEdits& edits, const ReceiptItems& items,
                       std::initializer_list<ReceiptItemGroup> groups);
// Every receipt item.
void ApplyReceiptItems(LayoutEdits& edits, const ReceiptItems& items);

}  // namespace kelvane
