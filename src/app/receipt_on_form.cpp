#include "app/receipt_on_form.h"

#include "app/pages/environment_page.h"
#include "app/pages/receipt_issue_page.h"
#include "app/receipt_date.h"
#include "app/receipt_main_form.h"
#include "layout/field_cursor.h"
#include "layout/item_text.h"
#include "layout/layout_slots.h"
#include "text/layout_text.h"
#include "widgets/nval_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace kelvane {

namespace {

QList<int> linesOf(ReceiptItemGroup group) {
  namespace s = slotmap;
  const auto both = [](int line) { return QList<int>{line, line + s::kStubOffset}; };
  switch (group) {
    case ReceiptItemGroup::Number:
      return both(s::kNumber);
    case ReceiptItemGroup::Addressee:
      return both(s::kAddressee) + QList<int>{s::kAddresseeLine1, s::kStubAddresseeLine1,
                                              s::kAddresseeLine2, s::kStubAddresseeLine2};
    case ReceiptItemGroup::Description1:
      return both(s::kDescription1);
    case ReceiptItemGroup::Description2:
      return both(s::kDescription2);
    case ReceiptItemGroup::Amount:
      return {s::kAmount, s::kStubAmount};
    case ReceiptItemGroup::NetAmount:
      return both(s::kBeforeTax);
    case ReceiptItemGroup::BilledAmount:
      return both(s::kBilled);
    case ReceiptItemGroup::TaxAmount:
      return both(s::kTaxAmount);
    case ReceiptItemGroup::TaxRate:
      return both(s::kTaxRate);
    case ReceiptItemGroup::Date:
      return both(s::kEraYear) + both(s::kMonth) + both(s::kDay);
    case ReceiptItemGroup::ByRate: {
      QList<int> lines;
      for (int line = s::kAmount10; line <= s::kStubTax8; ++line) lines.append(line);
      return lines;
    }
  }
  return {};
}

}  // namespace

Receipt ReceiptOnForm(const ReceiptMainForm& form) {
  const ReceiptIssuePage* p = form.receiptPage;
  Receipt r;
  r.number = p->Edit2->text();
  r.date = form.receiptDate->dateInBoxes();
  r.addressee1 = p->atesaki_1->currentText();
  r.addressee2 = p->atesaki_2->currentText();
  r.description1 = p->topic1->currentText();
  r.description2 = p->topic2->currentText();
  r.staff = p->Field_07->currentText();
  r.stamp = p->in_tax->currentText();
  r.amount = p->NValEditC9->valueUnits();
  r.netAmount = p->NValEditC10->valueUnits();
  r.billedAmount = p->NValEditC11->valueUnits();
  r.taxAmount = p->NValEditC13->valueUnits();
  r.taxRate = p->NValEditC7->valueUnits();
  r.amount10 = p->amount10->valueUnits();
  r.amount8 = p->amount8->valueUnits();
  r.taxBasis = p->taxBasis->currentIndex() == 1 ? TaxBasis::Excluded : TaxBasis::Included;
  if (r.hasRateFigures()) {
    const TaxByRate t =
        ComputeTaxByRate({r.amount10, r.amount8, r.taxBasis, TaxRoundingOnForm(form)});
    r.tax10 = t.at10.tax;
    r.tax8 = t.at8.tax;
  }
  r.registrationNumber =
      FromLayoutText(CharRecordText(form.previewDocument().line(slotmap::kRegistrationNumber)));
  return r;
}

TaxRounding TaxRoundingOnForm(const ReceiptMainForm& form) {
  switch (form.receiptPage->taxRounding->currentIndex()) {
    case 1:
      return TaxRounding::Nearest;
    case 2:
      return TaxRounding::Up;
    default:
      return TaxRounding::Down;
  }
}

ReceiptTextSettings ReceiptTextSettingsOf(const ReceiptMainForm& form) {
  ReceiptTextSettings s;
  s.kanjiAmount = form.kanjiAmount();
  s.yenMark = form.yenMark();
  s.dashMark = form.dashMark();
  // "金額0は表示しない" reaches the fields at start; the paper follows them.
  s.zeroDisplay = form.receiptPage->NValEditC9->zeroDisplay();
  return s;
}

ReceiptItems ReceiptItemsOnForm(const ReceiptMainForm& form) {
  return ReceiptItemTexts(ReceiptOnForm(form), ReceiptTextSettingsOf(form));
}

void PutReceiptOnForm(ReceiptMainForm& form, const Receipt& r) {
  ReceiptIssuePage* p = form.receiptPage;
  p->Edit2->setText(r.number);
  p->atesaki_1->setEditText(r.addressee1);
  p->atesaki_2->setEditText(r.addressee2);
  p->topic1->setEditText(r.description1);
  p->topic2->setEditText(r.description2);
  p->Field_07->setEditText(r.staff);
  p->in_tax->setEditText(r.stamp);
  p->NValEditC9->setValueUnits(r.amount);
  p->NValEditC10->setValueUnits(r.netAmount);
  p->NValEditC11->setValueUnits(r.billedAmount);
  p->NValEditC13->setValueUnits(r.taxAmount);
  p->NValEditC7->setValueUnits(r.taxRate);
  p->amount10->setValueUnits(r.amount10);
  p->amount8->setValueUnits(r.amount8);
  // A receipt without amounts by rate leaves the choice as the user keeps it.
  if (r.hasRateFigures()) p->taxBasis->setCurrentIndex(r.taxBasis == TaxBasis::Excluded ? 1 : 0);
  if (r.date) {
    form.receiptDate->showInBoxes(*r.date);
    form.receiptDate->DrawCalendar(*r.date);
  }
}

void ApplyReceiptItems(LayoutEdits& edits, const ReceiptItems& items,
                       std::initializer_list<ReceiptItemGroup> groups) {
  // The receipt's texts are heard by the preview but are no undo steps.
  const auto change = edits.quiet();
  for (const ReceiptItemGroup group : groups)
    for (const int line : linesOf(group))
      SetItemTextQuiet(edits.document(), line, items.text(line));
}

void ApplyReceiptItems(LayoutEdits& edits, const ReceiptItems& items) {
  const auto change = edits.quiet();
  for (const auto& [line, text] : items.lines) SetItemTextQuiet(edits.document(), line, text);
}

}  // namespace kelvane
