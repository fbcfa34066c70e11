#include "app/pages/receipt_input_menu.h"

#include "app/pages/receipt_issue_page.h"
#include "widgets/nval_edit.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>

namespace kelvane {

ReceiptInputMenu::ReceiptInputMenu(ReceiptIssuePage* page) : QMenu(page) {
  setObjectName(QStringLiteral("receiptInputMenu"));
  addItem(QStringLiteral("領収書番号"), QKeySequence(Qt::CTRL | Qt::Key_Q), page->Edit2);
  addItem(QStringLiteral("宛　名1"), QKeySequence(Qt::CTRL | Qt::Key_W), page->atesaki_1);
  addItem(QStringLiteral("宛　名2"), QKeySequence(Qt::CTRL | Qt::Key_E), page->atesaki_2);
  addItem(QStringLiteral("摘　要1"), QKeySequence(Qt::CTRL | Qt::Key_R), page->topic1);
  addItem(QStringLiteral("摘　要2"), QKeySequence(Qt::CTRL | Qt::Key_T), page->topic2);
  addItem(QStringLiteral("社内担当者"), QKeySequence(Qt::CTRL | Qt::Key_Y), page->Field_07);
  addItem(QStringLiteral("収入印紙"), QKeySequence(Qt::CTRL | Qt::Key_U), page->in_tax);
  addItem(QStringLiteral("領収金額"), QKeySequence(Qt::CTRL | Qt::Key_A), page->NValEditC9);
  addItem(QStringLiteral("税抜金額"), QKeySequence(Qt::CTRL | Qt::Key_S), page->NValEditC10);
  addItem(QStringLiteral("請求金額"), QKeySequence(Qt::CTRL | Qt::Key_D), page->NValEditC11);
  addItem(QStringLiteral("消費税額"), QKeySequence(Qt::CTRL | Qt::Key_F), page->NValEditC13);
  addItem(QStringLiteral("消費税率"), QKeySequence(Qt::CTRL | Qt::Key_G), page->NValEditC7);

  for (QWidget* w : page->findChildren<QWidget*>()) {
    if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
        qobject_cast<QAbstractButton*>(w))
      attachTo(w);
  }
}

QAction* ReceiptInputMenu::itemFor(const QWidget* field) const {
  for (const auto& [f, action] : items_)
    if (f == field) return action;
  return nullptr;
}

void ReceiptInputMenu::addItem(const QString& caption, const QKeySequence& key, QWidget* field) {
  QAction* action = addAction(caption);
  action->setShortcut(key);
  // The keys act while the focus is anywhere on the receipt page; elsewhere
  // Ctrl+A and the like keep their usual meaning in text fields.
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  parentWidget()->addAction(action);
  // A field that cannot take the focus leaves its key to the others.
  action->setEnabled(field->isEnabled());
  field->installEventFilter(this);
  connect(action, &QAction::triggered, field, [field] {
    if (auto* box = qobject_cast<QComboBox*>(field); box && box->lineEdit()) {
      box->setFocus(Qt::ShortcutFocusReason);
      box->lineEdit()->selectAll();
      return;
    }
    field->setFocus(Qt::ShortcutFocusReason);
  });
  items_.append({field, action});
}

void ReceiptInputMenu::attachTo(QWidget* widget) {
  widget->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(widget, &QWidget::customContextMenuRequested, this,
          [this, widget](const QPoint& at) { popup(widget->mapToGlobal(at)); });
}

bool ReceiptInputMenu::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    if (QAction* action = itemFor(static_cast<QWidget*>(watched)))
      action->setEnabled(static_cast<QWidget*>(watched)->isEnabled());
  }
  return QMenu::eventFilter(watched, event);
}

}  // namespace kelvane
