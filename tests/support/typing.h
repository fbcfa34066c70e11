#pragma once
// Typing into the focused field as a user does: ASCII as keys, Japanese as
// the input method commits it, then Enter.

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>

namespace kelvane::testing {

inline void TypeAndEnter(const QString& text) {
  QWidget* field = QApplication::focusWidget();
  if (!field) return;
  for (const QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(field, c.toLatin1());
    } else {
      QInputMethodEvent commit;
      commit.setCommitString(QString(c));
      QApplication::sendEvent(field, &commit);
    }
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

}  // namespace kelvane::testing
