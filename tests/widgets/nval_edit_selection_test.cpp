// The middle click pastes X11's primary selection. The offscreen platform
// has no selection, so this program runs on a real X server (ctest starts
// it under xvfb-run with the xcb platform).

#include "widgets/nval_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace kelvane {
namespace {

QApplication& application() {
  static int argc = 1;
  static char name[] = "kelvane-selection-test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    // Without an X server the test cannot run; offscreen lets it say so.
    if (qEnvironmentVariableIsEmpty("DISPLAY")) qputenv("QT_QPA_PLATFORM", "offscreen");
    auto* made = new QApplication(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    return made;
  }();
  return *app;
}

class MiddleClickTest : public ::testing::Test {
 protected:
  void SetUp() override {
    application();
    if (!QGuiApplication::clipboard()->supportsSelection()) {
      if (std::getenv("CI")) FAIL() << "the platform offers no primary selection";
      GTEST_SKIP() << "no primary selection on platform "
                   << QGuiApplication::platformName().toStdString()
                   << "; run under xvfb-run with QT_QPA_PLATFORM=xcb";
    }
  }
  static void middleClick(QWidget& field, const QString& selection) {
    QGuiApplication::clipboard()->setText(selection, QClipboard::Selection);
    QTest::mouseClick(&field, Qt::MiddleButton, {}, QPoint(field.width() / 2, field.height() / 2));
  }
};

// A selection that is no number (a name selected elsewhere) leaves the
// amount as it was.
TEST_F(MiddleClickTest, TheSelectionReplacesTheAmountAsAPasteDoes) {
  const struct {
    const char16_t* selection;
    qint64 yen;
    const char* shown;
  } cases[] = {{u"5", 5, "5"},
               {u"１，２３４", 1234, "1,234"},
               {u"¥1,000", 1000, "1,000"},
               {u"12,34", 9876, "9,876"},
               {u"経理部", 9876, "9,876"},
               {u"-250", -250, "-250"}};
  for (const auto& c : cases) {
    const QString selection = QString::fromUtf16(c.selection);
    TNValEditC field;
    field.show();
    field.setValueUnits(9876 * 10000);  // shown "9,876": an insert reads back as 0
    QSignalSpy changed(&field, &NumericLineEdit::changed);
    middleClick(field, selection);
    EXPECT_EQ(field.valueUnits(), c.yen * 10000) << selection.toStdString();
    EXPECT_EQ(field.text(), QString::fromLatin1(c.shown)) << selection.toStdString();
    EXPECT_EQ(changed.isEmpty(), c.yen == 9876) << selection.toStdString();
  }
}

// A measure takes the selection too; a read-only field, or a click with
// nothing selected anywhere, leaves the value.
TEST_F(MiddleClickTest, MeasuresReadOnlyFieldsAndNoSelection) {
  TNValEdit measure;
  measure.show();
  measure.setValue(12.5L);
  middleClick(measure, QStringLiteral("3"));
  EXPECT_EQ(measure.value(), 3.0L);

  TNValEditC fixed;
  fixed.show();
  fixed.setValueUnits(1234 * 10000);
  fixed.setReadOnly(true);
  middleClick(fixed, QStringLiteral("5"));
  EXPECT_EQ(fixed.valueUnits(), 1234 * 10000);
  fixed.setReadOnly(false);
  QGuiApplication::clipboard()->clear(QClipboard::Selection);
  QTest::mouseClick(&fixed, Qt::MiddleButton);
  EXPECT_EQ(fixed.valueUnits(), 1234 * 10000);
}

}  // namespace
}  // namespace kelvane
