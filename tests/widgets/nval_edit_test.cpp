#include "widgets/nval_edit.h"

#include "support/widget_app.h"

#include <QClipboard>
#include <QDialog>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace kelvane {
namespace {

class NValEditTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::EnsureWidgetApplication(); }

  // Keys typed one by one; the number of beeps they caused.
  static int type(QWidget* field, const char* keys) {
    QSignalSpy beeps(field, SIGNAL(beeped()));
    QTest::keyClicks(field, QString::fromLatin1(keys));
    return int(beeps.count());
  }
  static void paste(QWidget* field, const QString& clipboardText) {
    QGuiApplication::clipboard()->setText(clipboardText);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
  }
  static QColor textColour(const QWidget& field) {
    return field.palette().color(QPalette::Active, QPalette::Text);
  }
};

// A shown, active window with two fields, for focus changes.
struct TwoFields {
  QWidget window;
  TNValEdit* first = new TNValEdit(&window);
  TNValEdit* second = new TNValEdit(&window);

  TwoFields() {
    auto* layout = new QHBoxLayout(&window);
    layout->addWidget(first);
    layout->addWidget(second);
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }
};

TEST_F(NValEditTest, KeysBuildTheValueAndBeepWhenRejected) {
  TNValEdit field;
  EXPECT_TRUE(field.alignment() & Qt::AlignRight);
  EXPECT_EQ(type(&field, "1234"), 0);
  EXPECT_EQ(field.text(), "1,234");
  EXPECT_EQ(type(&field, "56789"), 0);
  EXPECT_EQ(type(&field, "0"), 1);        // a tenth digit
  QTest::keyClick(&field, Qt::Key_Left);  // ignored: the caret stays at the end
  EXPECT_EQ(field.cursorPosition(), field.text().size());
  QTest::keyClick(&field, Qt::Key_Home);  // selects all
  type(&field, "7");
  EXPECT_EQ(field.value(), 7);
  QTest::keyClick(&field, Qt::Key_Delete);  // no selection, no DelAllClear
  EXPECT_EQ(field.value(), 7);
  field.setDelAllClear(true);
  QTest::keyClick(&field, Qt::Key_Delete);
  EXPECT_EQ(field.text(), "");

  TNValEditC money;
  EXPECT_EQ(type(&money, "0.12345"), 1);
  EXPECT_EQ(money.text(), "0.1234");
  EXPECT_EQ(money.valueUnits(), 1234);
  EXPECT_EQ(money.property("Value").toLongLong(), 1234);
}

TEST_F(NValEditTest, FullWidthKeysAreTypedAsDigits) {
  TNValEdit field;
  QKeyEvent five(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral(u"５"));
  QApplication::sendEvent(&field, &five);
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral(u"．２"));
  QApplication::sendEvent(&field, &commit);
  EXPECT_EQ(field.text(), "5.2");
}

TEST_F(NValEditTest, MinusColourFollowsTheSignAndTheFontColour) {
  TNValEdit field;
  EXPECT_EQ(field.minusColor(), field.fontColor());  // both the window text colour
  field.setFontColor(Qt::blue);                      // equal colours move together
  EXPECT_EQ(field.minusColor(), QColor(Qt::blue));
  field.setMinusColor(Qt::red);
  type(&field, "-5");
  EXPECT_EQ(field.text(), "-5");
  EXPECT_EQ(textColour(field), QColor(Qt::red));
  field.setFontColor(Qt::darkGreen);  // different now: MinusColor stays and shows
  EXPECT_EQ(textColour(field), QColor(Qt::red));
  type(&field, "-");
  EXPECT_EQ(field.text(), "5");
  EXPECT_EQ(textColour(field), QColor(Qt::darkGreen));
  // A palette set from outside counts as a new font colour.
  QPalette p = field.palette();
  p.setColor(QPalette::Text, Qt::magenta);
  field.setPalette(p);
  EXPECT_EQ(field.fontColor(), QColor(Qt::magenta));
  field.setValue(-1);
  field.setMinusColor(Qt::magenta);  // shown at once, though now equal
  EXPECT_EQ(textColour(field), QColor(Qt::magenta));
}

TEST_F(NValEditTest, PasteReplacesTheWholeValue) {
  TNValEdit field;
  type(&field, "99");
  paste(&field, QStringLiteral(u"１，２３４"));
  EXPECT_EQ(field.text(), "1,234");
  paste(&field, QStringLiteral("12,34"));
  EXPECT_EQ(field.value(), 0);
  paste(&field, QStringLiteral(u"¥1,000"));
  EXPECT_EQ(field.value(), 1000);
  paste(&field, QStringLiteral("abc"));
  EXPECT_EQ(field.value(), 0);
  paste(&field, QStringLiteral("8"));
  QGuiApplication::clipboard()->setMimeData(new QMimeData);  // no text: 0
  QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(field.value(), 0);

  field.setValue(-250.5L);
  field.selectAll();
  QTest::keyClick(&field, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "-250.5");
  EXPECT_EQ(field.value(), 0);
  paste(&field, QGuiApplication::clipboard()->text());  // what it showed reads back
  EXPECT_EQ(field.value(), -250.5L);
}

TEST_F(NValEditTest, ReadOnlyCopiesButChangesNothing) {
  TNValEdit field;
  field.setValue(4321);
  field.setReadOnly(true);
  field.selectAll();
  QTest::keyClick(&field, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "4,321");
  paste(&field, QStringLiteral("7"));
  type(&field, "8-");
  QTest::keyClick(&field, Qt::Key_Backspace);
  QTest::keyClick(&field, Qt::Key_X, Qt::ControlModifier);
  QTest::keyClick(&field, Qt::Key_Escape);
  EXPECT_EQ(field.value(), 4321);
  EXPECT_FALSE(field.testAttribute(Qt::WA_InputMethodEnabled));  // not back on
}

TEST_F(NValEditTest, FocusSelectsRemembersAndCloses) {
  TwoFields w;
  w.first->setFixDecimal(2);
  w.first->setValue(25);
  w.second->setValue(200);
  w.second->setFocus(Qt::TabFocusReason);
  w.first->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(w.first->selectedText(), "25.00");
  EXPECT_EQ(type(w.first, "1.234"), 1);
  EXPECT_EQ(w.first->text(), "1.23");
  QTest::keyClick(w.first, Qt::Key_Escape);  // the value at focus
  EXPECT_EQ(w.first->text(), "25.00");
  type(w.first, ".");  // no room: two decimals are there
  QTest::keyClick(w.first, Qt::Key_Home);
  type(w.first, "1.");
  w.second->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(w.first->text(), "1.00");

  w.first->setAutoSelect(false);
  w.first->setFocus(Qt::TabFocusReason);
  EXPECT_FALSE(w.first->hasSelectedText());
  // A click puts the caret at the end; a double click keeps its selection.
  QTest::mouseClick(w.second, Qt::LeftButton, {}, QPoint(5, w.second->height() / 2));
  EXPECT_TRUE(w.second->hasFocus());
  EXPECT_FALSE(w.second->hasSelectedText());
  EXPECT_EQ(w.second->cursorPosition(), 3);
  QTest::mouseDClick(w.second, Qt::LeftButton, {}, w.second->rect().center());
  QTest::mouseRelease(w.second, Qt::LeftButton, {}, w.second->rect().center());
  EXPECT_EQ(w.second->selectedText(), "200");
}

TEST_F(NValEditTest, EnterMovesOnOrGoesToTheDefaultButton) {
  QDialog dialog;
  auto* field = new TNValEdit(&dialog);
  auto* next = new TNValEdit(&dialog);
  auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
  ok->setDefault(true);
  auto* layout = new QHBoxLayout(&dialog);
  layout->addWidget(field);
  layout->addWidget(next);
  layout->addWidget(ok);
  QSignalSpy clicked(ok, &QPushButton::clicked);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

  field->setEnterNext(true);
  field->setFocus();
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_TRUE(next->hasFocus());
  EXPECT_EQ(clicked.count(), 0);
  QTest::keyClick(next, Qt::Key_Return);  // not claimed: the default button gets it
  EXPECT_EQ(clicked.count(), 1);
  next->setArrowNext(true);
  QTest::keyClick(next, Qt::Key_Up);
  EXPECT_TRUE(field->hasFocus());
}

TEST_F(NValEditTest, TextSetFromOutsideIsParsed) {
  TNValEdit field;
  field.setEntryText(QStringLiteral("1,234.5"));
  EXPECT_EQ(field.value(), 1234.5L);
  static_cast<QLineEdit&>(field).setText(QStringLiteral("2,000"));
  EXPECT_EQ(field.value(), 2000);
  field.setProperty("text", QStringLiteral("12,34"));
  EXPECT_EQ(field.text(), "");
  field.setProperty("Value", 3.25);
  EXPECT_EQ(field.text(), "3.25");
}

TEST_F(NValEditTest, ChangedFiresExceptWhileLoading) {
  TNValEdit field;
  QSignalSpy changed(&field, &NumericLineEdit::changed);
  field.beginLoading();
  field.setValue(-42);
  field.endLoading();
  EXPECT_EQ(changed.count(), 0);
  EXPECT_FALSE(field.isModified());

  type(&field, "1");
  EXPECT_EQ(changed.count(), 1);
  EXPECT_TRUE(field.isModified());
  QTest::keyClick(&field, Qt::Key_Escape);  // the loaded value is the value at focus
  EXPECT_EQ(field.value(), -42);
  EXPECT_EQ(changed.count(), 2);
}

TEST_F(NValEditTest, ContextMenuEditsGoThroughTheValue) {
  TNValEdit field;
  field.setValue(55);
  field.selectAll();
  QGuiApplication::clipboard()->setText(QStringLiteral("1,000"));
  const auto editItems = [](QMenu& menu) {
    QList<QAction*> items;
    for (QAction* a : menu.actions()) {
      if (!a->isSeparator()) items.append(a);
    }
    return items;  // Undo, Redo, Cut, Copy, Paste, Delete, Select All
  };
  std::unique_ptr<QMenu> menu(field.createNumericContextMenu());
  const QList<QAction*> items = editItems(*menu);
  ASSERT_EQ(items.size(), 7);
  items[4]->trigger();
  EXPECT_EQ(field.value(), 1000);
  field.selectAll();
  items[5]->trigger();
  EXPECT_EQ(field.value(), 0);

  field.setValue(77);
  field.setReadOnly(true);
  std::unique_ptr<QMenu> readOnly(field.createNumericContextMenu());
  for (QAction* a : editItems(*readOnly)) a->trigger();  // nothing edits
  EXPECT_EQ(field.value(), 77);
}

}  // namespace
}  // namespace kelvane
