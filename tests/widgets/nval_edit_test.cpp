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
namespace {}  // namespace
}  // namespace kelvane

// Runs Qt's clean-up routines now; exported by QtCore without a public
// declaration.
void qt_call_post_routines();

namespace kelvane {
namespace {

// The test helper keeps its application object until the program exits, and
// by then the icon cache Qt made lazily for the context menu is already
// gone: cleaning it from the application's destructor crashes. Qt's
// clean-up routines run here instead, after the last test.
class LateQtCleanup : public ::testing::Environment {
 public:
  void TearDown() override {
    if (QCoreApplication::instance()) qt_call_post_routines();
  }
};
const auto* const kCleanup = ::testing::AddGlobalTestEnvironment(new LateQtCleanup);

class NValEditTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::EnsureWidgetApplication(); }

  // Keys typed one by one; the number of beeps they caused.
  static int type(NumericLineEdit& field, const char* keys) {
    QSignalSpy beeps(&field, &NumericLineEdit::beeped);
    QTest::keyClicks(&field, QString::fromLatin1(keys));
    return int(beeps.count());
  }

  static void paste(NumericLineEdit& field, const QString& clipboardText) {
    QGuiApplication::clipboard()->setText(clipboardText);
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
  }

  static QColor textColour(const QWidget& field) {
    return field.palette().color(QPalette::Active, QPalette::Text);
  }
};

// A shown window with two fields, for focus changes.
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

TEST_F(NValEditTest, TypedDigitsAreGroupedAndRightAligned) {
  TNValEdit field;
  EXPECT_TRUE(field.alignment() & Qt::AlignRight);
  EXPECT_EQ(type(field, "1234"), 0);
  EXPECT_EQ(field.text(), "1,234");
  EXPECT_EQ(field.value(), 1234);
  field.setPutAComma(false);
  EXPECT_EQ(field.text(), "1234");
  EXPECT_EQ(type(field, "x "), 0);  // consumed without effect
  EXPECT_EQ(field.text(), "1234");
}

TEST_F(NValEditTest, PointAndBackspace) {
  TNValEdit field;
  type(field, ".5");
  EXPECT_EQ(field.text(), "0.5");

  TNValEdit other;
  type(other, "1.");
  EXPECT_EQ(other.text(), "1.");
  QTest::keyClick(&other, Qt::Key_Backspace);
  EXPECT_EQ(other.text(), "");
  other.setZeroDisplay(true);
  type(other, "1.");
  QTest::keyClick(&other, Qt::Key_Backspace);
  EXPECT_EQ(other.text(), "0");
}

TEST_F(NValEditTest, MinusShowsInMinusColour) {
  TNValEdit field;
  const QColor normal = textColour(field);
  field.setMinusColor(Qt::red);
  type(field, "-");
  EXPECT_EQ(field.text(), "-");
  type(field, "5");
  EXPECT_EQ(field.text(), "-5");
  EXPECT_EQ(field.value(), -5);
  EXPECT_EQ(textColour(field), QColor(Qt::red));
  type(field, "-");
  EXPECT_EQ(field.text(), "5");
  EXPECT_EQ(textColour(field), normal);
}

TEST_F(NValEditTest, FontColourChangesMoveAnEqualMinusColour) {
  TNValEdit field;
  EXPECT_EQ(field.minusColor(), field.fontColor());  // both the window text colour
  field.setFontColor(Qt::blue);
  EXPECT_EQ(field.minusColor(), QColor(Qt::blue));
  field.setMinusColor(Qt::red);
  field.setValue(-2);
  field.setFontColor(Qt::darkGreen);  // MinusColor differs now: it stays
  EXPECT_EQ(field.minusColor(), QColor(Qt::red));
  EXPECT_EQ(textColour(field), QColor(Qt::red));
  field.setValue(2);
  EXPECT_EQ(textColour(field), QColor(Qt::darkGreen));
  // A palette set from outside counts as a new font colour.
  QPalette p = field.palette();
  p.setColor(QPalette::Text, Qt::magenta);
  field.setPalette(p);
  EXPECT_EQ(field.fontColor(), QColor(Qt::magenta));
  field.setValue(-1);
  EXPECT_EQ(textColour(field), QColor(Qt::red));
  // Making MinusColor equal to the font colour shows it at once.
  field.setMinusColor(Qt::magenta);
  EXPECT_EQ(textColour(field), QColor(Qt::magenta));
}

TEST_F(NValEditTest, FixedDecimalsAlsoAfterFocusLeaves) {
  TwoFields w;
  w.first->setFixDecimal(2);
  w.first->setFocus();
  EXPECT_EQ(type(*w.first, "1.23"), 0);
  EXPECT_EQ(type(*w.first, "4"), 1);
  EXPECT_EQ(w.first->text(), "1.23");
  w.second->setFocus();
  EXPECT_EQ(w.first->text(), "1.23");
  w.first->setValue(1.5L);
  EXPECT_EQ(w.first->text(), "1.50");
}

TEST_F(NValEditTest, DigitLimitsBeep) {
  TNValEdit fixed;
  fixed.setFixDecimal(2);
  EXPECT_EQ(type(fixed, "1234567"), 0);
  EXPECT_EQ(type(fixed, "8"), 1);
  TNValEdit free;
  EXPECT_EQ(type(free, "123456789"), 0);
  EXPECT_EQ(type(free, "0"), 1);
  EXPECT_EQ(free.text(), "123,456,789");
  free.setValue(1e12L);
  EXPECT_EQ(free.text(), "999,999,999");
}

TEST_F(NValEditTest, NegativesNotPermitted) {
  TNValEdit field;
  field.setPrmtNegative(false);
  EXPECT_EQ(type(field, "-"), 1);
  field.setValue(-3);
  EXPECT_EQ(field.value(), 3);
}

TEST_F(NValEditTest, PasteReplacesTheWholeValue) {
  TNValEdit field;
  type(field, "99");
  paste(field, QStringLiteral(u"１，２３４"));
  EXPECT_EQ(field.value(), 1234);
  EXPECT_EQ(field.text(), "1,234");
  paste(field, QStringLiteral("12,34"));
  EXPECT_EQ(field.value(), 0);
  type(field, "5");
  paste(field, QStringLiteral("abc"));
  EXPECT_EQ(field.value(), 0);
  paste(field, QStringLiteral(u"¥1,000"));
  EXPECT_EQ(field.value(), 1000);
  // No text on the clipboard: 0.
  QGuiApplication::clipboard()->setMimeData(new QMimeData);
  QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(field.value(), 0);
}

TEST_F(NValEditTest, ReadOnlyCopiesButDoesNotChange) {
  TNValEdit field;
  field.setValue(4321);
  field.setReadOnly(true);
  field.selectAll();
  QTest::keyClick(&field, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "4,321");
  paste(field, QStringLiteral("7"));
  type(field, "8");
  QTest::keyClick(&field, Qt::Key_Backspace);
  QTest::keyClick(&field, Qt::Key_Delete);
  QTest::keyClick(&field, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(field.value(), 4321);
  EXPECT_FALSE(field.testAttribute(Qt::WA_InputMethodEnabled));
}

TEST_F(NValEditTest, CutCopiesTheSelectionThenClears) {
  TNValEdit field;
  field.setValue(-250.5L);
  QTest::keyClick(&field, Qt::Key_Home);  // selects all
  EXPECT_EQ(field.selectedText(), "-250.5");
  QTest::keyClick(&field, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "-250.5");
  EXPECT_EQ(field.value(), 0);
  paste(field, QStringLiteral("-250.5"));  // what the field shows reads back
  EXPECT_EQ(field.value(), -250.5L);
}

TEST_F(NValEditTest, SelectionThenDigitStartsAgain) {
  TNValEdit field;
  field.setValue(8888);
  QTest::keyClick(&field, Qt::Key_Home);
  type(field, "7");
  EXPECT_EQ(field.value(), 7);
  // Left is ignored: the caret stays at the end.
  QTest::keyClick(&field, Qt::Key_Left);
  EXPECT_EQ(field.cursorPosition(), field.text().size());
  EXPECT_FALSE(field.hasSelectedText());
}

TEST_F(NValEditTest, DeleteClearsWithSelectionOrDelAllClear) {
  TNValEdit field;
  field.setValue(12);
  QTest::keyClick(&field, Qt::Key_Delete);
  EXPECT_EQ(field.value(), 12);
  field.setDelAllClear(true);
  QTest::keyClick(&field, Qt::Key_Delete);
  EXPECT_EQ(field.value(), 0);
  EXPECT_EQ(field.text(), "");
}

TEST_F(NValEditTest, CurrencyFieldTakesFourDecimals) {
  TNValEditC field;
  EXPECT_EQ(type(field, "0.1234"), 0);
  EXPECT_EQ(type(field, "5"), 1);
  EXPECT_EQ(field.text(), "0.1234");
  EXPECT_EQ(field.valueUnits(), 1234);
  field.setValueUnits(120000000);
  EXPECT_EQ(field.text(), "12,000");
  EXPECT_EQ(field.property("Value").toLongLong(), 120000000);
}

TEST_F(NValEditTest, EscapeRestoresTheValueAtFocus) {
  TwoFields w;
  w.first->setValue(25);
  w.second->setFocus();
  w.first->setFocus();
  EXPECT_TRUE(w.first->hasSelectedText());  // focus by program: all selected
  type(*w.first, "31");
  EXPECT_EQ(w.first->value(), 31);
  QTest::keyClick(w.first, Qt::Key_Escape);
  EXPECT_EQ(w.first->value(), 25);
  EXPECT_EQ(w.first->text(), "25");
}

TEST_F(NValEditTest, FocusSelectsAllUnlessByMouse) {
  TwoFields w;
  w.first->setValue(100);
  w.second->setValue(200);
  w.second->setFocus(Qt::TabFocusReason);
  w.first->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(w.first->selectedText(), "100");
  w.first->setAutoSelect(false);
  w.second->setFocus(Qt::TabFocusReason);
  w.first->setFocus(Qt::TabFocusReason);
  EXPECT_FALSE(w.first->hasSelectedText());
  EXPECT_EQ(w.first->cursorPosition(), 3);

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

  QTest::keyClick(next, Qt::Key_Return);  // not claimed: the dialog's default button
  EXPECT_EQ(clicked.count(), 1);

  next->setArrowNext(true);
  next->setFocus();
  QTest::keyClick(next, Qt::Key_Up);
  EXPECT_TRUE(field->hasFocus());
}

TEST_F(NValEditTest, LeadingCharacterStandsBeforeTheMinus) {
  TNValEditC field;
  field.setLeadingChar(u'\\');
  field.setValueUnits(-10000000);
  EXPECT_EQ(field.text(), "\\-1,000");
  field.setEntryText(field.text());
  EXPECT_EQ(field.valueUnits(), -10000000);
}

TEST_F(NValEditTest, TextSetFromOutsideIsParsed) {
  TNValEdit field;
  field.setEntryText(QStringLiteral("1,234.5"));
  EXPECT_EQ(field.value(), 1234.5L);
  static_cast<QLineEdit&>(field).setText(QStringLiteral("2,000"));
  EXPECT_EQ(field.value(), 2000);
  field.setProperty("text", QStringLiteral("12,34"));
  EXPECT_EQ(field.value(), 0);
  EXPECT_EQ(field.text(), "");
  field.setProperty("Value", 3.25);
  EXPECT_EQ(field.text(), "3.25");
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

TEST_F(NValEditTest, ChangedFiresExceptWhileLoading) {
  TNValEdit field;
  QSignalSpy changed(&field, &NumericLineEdit::changed);
  field.beginLoading();
  field.setMaxDigits(5);
  field.setValue(-42);
  field.endLoading();
  EXPECT_EQ(changed.count(), 0);
  EXPECT_FALSE(field.isModified());
  EXPECT_EQ(field.text(), "-42");

  type(field, "1");
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
  std::unique_ptr<QMenu> menu(field.createNumericContextMenu());
  QAction* pasteAction = nullptr;
  QAction* deleteAction = nullptr;
  QList<QAction*> items;
  for (QAction* a : menu->actions()) {
    if (!a->isSeparator()) items.append(a);
  }
  ASSERT_EQ(items.size(), 7);
  pasteAction = items[4];
  deleteAction = items[5];
  EXPECT_TRUE(deleteAction->isEnabled());
  pasteAction->trigger();
  EXPECT_EQ(field.value(), 1000);
  field.selectAll();
  deleteAction->trigger();
  EXPECT_EQ(field.value(), 0);

  field.setReadOnly(true);
  std::unique_ptr<QMenu> readOnly(field.createNumericContextMenu());
  int enabledEdits = 0;
  for (QAction* a : readOnly->actions()) {
    if (a->text().contains(QStringLiteral("Paste")) && a->isEnabled()) ++enabledEdits;
  }
  EXPECT_EQ(enabledEdits, 0);
}

}  // namespace
}  // namespace kelvane
