#pragma once
// Widget tests need a QApplication; the test programs run under the
// offscreen platform.

#include <QApplication>
#include <QInputDevice>

namespace kelvane::testing {

inline void EnsureWidgetApplication() {
  if (QCoreApplication::instance()) return;
  // The device list must outlive the mouse device QTest registers, or the
  // program crashes on exit after its tests have passed.
  (void)QInputDevice::devices();
  static int argc = 1;
  static char name[] = "kelvane-test";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
}

}  // namespace kelvane::testing
