#include "app/message_boxes.h"

#include "settings/program_folder.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>

namespace kelvane {

namespace {

// A message box that tells a close through the window's close control apart
// from the buttons, and that keeps Esc from closing a box without a cancel
// button.
class KelvaneBox : public QMessageBox {
 public:
  KelvaneBox(const QString& message, QMessageBox::Icon fallbackIcon, QWidget* parent)
      : QMessageBox(parent) {
    setWindowTitle(QStringLiteral("ネムリカ"));
    setText(QString(message).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    setTextFormat(Qt::PlainText);
    // Without the program's own icon the platform's icon still shows: a
    // missing picture is no reason to lose the user's question.
    const QPixmap icon(ProgramFile(QStringLiteral("dialog.ico")));
    if (icon.isNull()) {
      setIcon(fallbackIcon);
    } else {
      setIconPixmap(icon.scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
  }

  QPushButton* addCaptionedButton(const QString& caption, QMessageBox::ButtonRole role) {
    QPushButton* button = addButton(caption, role);
    button->setCursor(Qt::PointingHandCursor);
    return button;
  }

  void setHasCancel(bool hasCancel) { hasCancel_ = hasCancel; }
  [[nodiscard]] bool closedByFrame() const { return closedByFrame_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (!hasCancel_ && event->key() == Qt::Key_Escape) {
      event->accept();
      return;
    }
    QMessageBox::keyPressEvent(event);
  }
  void closeEvent(QCloseEvent* event) override {
    if (!clickedButton()) closedByFrame_ = true;
    QMessageBox::closeEvent(event);
    if (!event->isAccepted()) closedByFrame_ = false;
  }

 private:
  bool hasCancel_ = true;
  bool closedByFrame_ = false;
};

int resultOf(const KelvaneBox& box, const QAbstractButton* first) {
  if (box.closedByFrame()) return kBoxClosed;
  return box.clickedButton() == first ? kBoxFirstButton : kBoxSecondButton;
}

}  // namespace

int confirm_box(const QString& message, const QString& first, const QString& second,
                QWidget* parent, BoxDefault defaultButton) {
  KelvaneBox box(message, QMessageBox::Question, parent);
  QPushButton* go = box.addCaptionedButton(first, QMessageBox::YesRole);
  QPushButton* cancel = box.addCaptionedButton(second, QMessageBox::NoRole);
  box.setDefaultButton(defaultButton == BoxDefault::First ? go : cancel);
  box.setEscapeButton(cancel);
  box.exec();
  return resultOf(box, go);
}

int info_box(const QString& message, const QString& caption, QWidget* parent) {
  KelvaneBox box(message, QMessageBox::Information, parent);
  QPushButton* ok = box.addCaptionedButton(caption, QMessageBox::YesRole);
  box.setDefaultButton(ok);
  box.setHasCancel(false);
  box.exec();
  return resultOf(box, ok);
}

int choice_box(const QString& message, const QString& first, const QString& second,
               const QString& third, QWidget* parent) {
  KelvaneBox box(message, QMessageBox::Warning, parent);
  QPushButton* one =
      first.isEmpty() ? nullptr : box.addCaptionedButton(first, QMessageBox::ActionRole);
  QPushButton* two = box.addCaptionedButton(second, QMessageBox::ActionRole);
  QPushButton* out = box.addCaptionedButton(third, QMessageBox::RejectRole);
  box.setDefaultButton(out);
  box.setEscapeButton(out);
  box.exec();
  if (box.closedByFrame() || box.clickedButton() == out) return kBoxThirdButton;
  if (one && box.clickedButton() == one) return kBoxFirstButton;
  return box.clickedButton() == two ? kBoxSecondButton : kBoxThirdButton;
}

int keep_or_change_box(const QString& message, const QString& keep, const QString& change,
                       QWidget* parent) {
  KelvaneBox box(message, QMessageBox::Question, parent);
  // Action buttons stay in the order given: the one that keeps comes first.
  QPushButton* kept = box.addCaptionedButton(keep, QMessageBox::ActionRole);
  QPushButton* changed = box.addCaptionedButton(change, QMessageBox::ActionRole);
  box.setDefaultButton(kept);
  box.setEscapeButton(kept);
  box.exec();
  return box.clickedButton() == changed && !box.closedByFrame() ? kBoxSecondButton
                                                                : kBoxFirstButton;
}

}  // namespace kelvane
