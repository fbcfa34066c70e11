#pragma once
// Tests that draw text need a QGuiApplication (fonts); the test programs run
// under the offscreen platform.

#include "render/font_substitutions.h"

#include <QGuiApplication>

namespace kelvane::testing {

inline void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "kelvane-test";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(argc, argv);
  InstallFontSubstitutions();
}

}  // namespace kelvane::testing
