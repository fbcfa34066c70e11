#pragma once
// Answers every message box that opens with its first button (or the
// button captioned `answerWith`, when it has one, or as `answer` says) and
// keeps its text, so
// that commands which ask or report can run in a test.

#include "support/widget_app.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTest>
#include <QTimer>

namespace kelvane::testing {

class BoxAnswerer : public QObject {
 public:
  BoxAnswerer() {
    EnsureWidgetApplication();  // the timer needs the application's thread
    timer_.setInterval(10);
    connect(&timer_, &QTimer::timeout, this, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || box->buttons().isEmpty()) return;
      texts.append(box->text());
      if (answer == Answer::Enter) {
        QTest::keyClick(box, Qt::Key_Return);
        return;
      }
      if (answer == Answer::Escape) {
        QTest::keyClick(box, Qt::Key_Escape);
        return;
      }
      if (answer == Answer::Close) {
        box->close();  // the window's close control, or Alt+F4
        return;
      }
      for (QAbstractButton* button : box->buttons()) {
        if (button->text() == answerWith) {
          button->click();
          return;
        }
      }
      box->buttons().constFirst()->click();
    });
    timer_.start();
  }
  QStringList texts;
  QString answerWith;
  // How a box is answered: a button (answerWith, else the first), the
  // default button through Enter, Esc, or the window's close control.
  enum class Answer { Button, Enter, Escape, Close };
  Answer answer = Answer::Button;

 private:
  QTimer timer_;
};

}  // namespace kelvane::testing
