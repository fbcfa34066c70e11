#pragma once
// Typing into the focused field as a user does: ASCII as keys, Japanese as
// the input method commits it, then Enter.

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>

namespace kelvane::testing {

// Typing alone, the focus staying in the field.
inline void Type(const QString& text) {
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
}

inline void TypeAndEnter(const QString& text) {
  if (!QApplication::focusWidget()) return;
  Type(text);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

}  // namespace kelvane::testing
