#pragma once
// Widget tests need a QApplication; the test programs run under the
// offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDevice>

namespace kelvane::testing {

// The application is made on first use and ends after the last test, while
// every cache Qt made lazily on the way (icons, fonts, devices) still
// exists: ending it from an exit handler instead crashes once they are gone.
class WidgetApplicationEnvironment : public ::testing::Environment {
 public:
  static QApplication* make() {
    static int argc = 1;
    static char name[] = "kelvane-test";
    static char* argv[] = {name, nullptr};
    app_ = new QApplication(argc, argv);
    return app_;
  }
  void TearDown() override {
    delete app_;
    app_ = nullptr;
  }

 private:
  static inline QApplication* app_ = nullptr;
};

inline const auto* const kWidgetApplicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new WidgetApplicationEnvironment);

inline void EnsureWidgetApplication() {
  if (QCoreApplication::instance()) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  WidgetApplicationEnvironment::make();
  QApplication::setStyle(QStringLiteral("Fusion"));
}

}  // namespace kelvane::testing
