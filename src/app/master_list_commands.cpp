#include "app/master_list_commands.h"

#include "app/message_boxes.h"
#include "app/pages/receipt_issue_page.h"
#include "app/receipt_input.h"
#include "app/receipt_main_form.h"
#include "layout/item_text.h"
#include "layout/layout_slots.h"
#include "masterlist/order_reg.h"
#include "text/layout_text.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>

namespace kelvane {

namespace {

MasterListKind kindOf(const ReceiptIssuePage& page, const QComboBox* field) {
  if (field == page.topic1) return MasterListKind::Descriptions1;
  if (field == page.topic2) return MasterListKind::Descriptions2;
  if (field == page.Field_07) return MasterListKind::Staff;
  return MasterListKind::Addressees;
}

// A list entry may hold control bytes; in a layout record they would split
// the line, so they go in as spaces, as typed texts do.
QByteArray oneLineItem(QString text) {
  for (QChar& c : text)
    if (c.unicode() < 0x20) c = u' ';
  return ToLayoutText(text);
}

}  // namespace

void ConnectMasterListCommands(ReceiptMainForm& form) {
  Tforderreg* picker = form.orderreg;
  picker->askText = [&form](QWidget* parent, const QString& caption, const QString& prompt,
                            const QString& initial) {
    return form.dialogs.askText(parent, caption, prompt, initial);
  };
  picker->reportError = [](QWidget* parent, const QString& message) {
    info_box(message, QStringLiteral("確認"), parent);
  };

  const std::pair<QAction*, MasterListKind> items[] = {
      {form.menu.registerAddressees, MasterListKind::Addressees},
      {form.menu.registerDescriptions1, MasterListKind::Descriptions1},
      {form.menu.registerDescriptions2, MasterListKind::Descriptions2},
      {form.menu.registerStaff, MasterListKind::Staff}};
  for (const auto& [item, kind] : items) {
    item->setEnabled(true);
    QObject::connect(item, &QAction::triggered, &form,
                     [&form, kind = kind] { RegisterInMasterList(form, kind); });
  }

  ReceiptIssuePage* p = form.receiptPage;
  const std::pair<QPushButton*, QComboBox*> buttons[] = {{p->atesaki1Pick, p->atesaki_1},
                                                         {p->atesaki2Pick, p->atesaki_2},
                                                         {p->topic1Pick, p->topic1},
                                                         {p->topic2Pick, p->topic2},
                                                         {p->field07Pick, p->Field_07}};
  for (const auto& [button, field] : buttons) {
    button->setEnabled(true);
    QObject::connect(button, &QPushButton::clicked, &form,
                     [&form, field = field] { PickFromMasterList(form, field); });
  }
}

void PickFromMasterList(ReceiptMainForm& form, QComboBox* field) {
  ReceiptIssuePage* p = form.receiptPage;
  const QString text = form.orderreg->selectFrom(kindOf(*p, field), field->currentText());
  field->setEditText(text);
  if (field == p->Field_07) return;  // recorded in the register only; the focus stays
  if (field == p->topic2) {
    // Into the receipt as Enter would put it, but a pick from the list is
    // no new typing: the histories stay as they are.
    const QByteArray item = oneLineItem(text);
    SetItemTextQuiet(form.document(), slotmap::kDescription2, item);
    SetItemTextQuiet(form.document(), slotmap::kDescription2 + slotmap::kStubOffset, item);
    form.RefreshPreview();
    p->Field_07->setFocus(Qt::TabFocusReason);
    return;
  }
  form.receiptInput->commit(field);
}

void RegisterInMasterList(ReceiptMainForm& form, MasterListKind kind) {
  form.orderreg->registerInto(kind);
}

}  // namespace kelvane
