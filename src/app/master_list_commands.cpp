#include "app/master_list_commands.h"

#include "app/message_boxes.h"
#include "app/pages/receipt_issue_page.h"
#include "app/receipt_input.h"
#include "app/receipt_main_form.h"
#include "masterlist_window/order_reg.h"

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
    QObject::connect(item, &QAction::triggered, picker,
                     [picker, kind = kind] { picker->registerInto(kind); });
  }

  ReceiptIssuePage* p = form.receiptPage;
  const std::pair<QPushButton*, QComboBox*> buttons[] = {{p->atesaki1Pick, p->atesaki_1},
                                                         {p->atesaki2Pick, p->atesaki_2},
                                                         {p->topic1Pick, p->topic1},
                                                         {p->topic2Pick, p->topic2},
                                                         {p->field07Pick, p->Field_07}};
  for (const auto& [button, field] : buttons) {
    button->setEnabled(true);
    QObject::connect(button, &QPushButton::clicked, picker, [&form, picker, field = field] {
      PickFromMasterList(*picker, *form.receiptPage, *form.receiptInput, field);
    });
  }
}

void PickFromMasterList(Tforderreg& lists, ReceiptIssuePage& page, ReceiptInput& input,
                        QComboBox* field) {
  const QString text = lists.selectFrom(kindOf(page, field), field->currentText());
  field->setEditText(text);
  if (field == page.Field_07) return;  // recorded in the register only; the focus stays
  input.pickedFromList(field);
}

}  // namespace kelvane
