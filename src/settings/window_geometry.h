#pragma once
// Where a window opens: its section of the window file ("fkelvane" for the
// main window, "freglist" for the register list), kept reachable on the
// desktop's work area.

#include "settings/ini_file.h"

#include <QRect>
#include <QSize>

namespace kelvane {

inline constexpr char kMainWindowSection[] = "fkelvane";
inline constexpr int kMainWindowWidth = 1288;  // the window's design size
inline constexpr int kMainWindowHeight = 784;

// The outer frame read from `ini`: missing keys give the work area's
// top-left corner and the design size. A window that would open off the
// work area is moved back onto it; width and height are kept as read
// unless no window can have them.
[[nodiscard]] QRect RestoreWindowGeometry(const IniFile& ini, const QRect& workArea,
                                          QByteArrayView section = kMainWindowSection,
                                          QSize designSize = {kMainWindowWidth, kMainWindowHeight});

// Writes Top, Left, Width and Height of `frame` into `ini`.
void StoreWindowGeometry(IniFile& ini, const QRect& frame,
                         QByteArrayView section = kMainWindowSection);

}  // namespace kelvane
