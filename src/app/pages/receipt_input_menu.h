#pragma once
// The receipt input menu: on every field and button of the receipt page, its
// items (and their Ctrl+letter keys, wherever the focus is on that page)
// move the keyboard focus to one field.

#include <QMenu>

namespace kelvane {

class ReceiptIssuePage;

class ReceiptInputMenu : public QMenu {
  Q_OBJECT

 public:
  explicit ReceiptInputMenu(ReceiptIssuePage* page);

  // The item that moves the focus to `field`; nullptr for a field it has none for.
  QAction* itemFor(const QWidget* field) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void addItem(const QString& caption, const QKeySequence& key, QWidget* field);
  void attachTo(QWidget* widget);

  QList<QPair<QWidget*, QAction*>> items_;
};

}  // namespace kelvane
