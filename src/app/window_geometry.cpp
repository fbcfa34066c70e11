#include "app/window_geometry.h"

namespace kelvane {

QRect RestoreWindowGeometry(const IniFile& ini, const QRect& workArea) {
  int top = ini.intValue(kMainWindowSection, "top", workArea.top());
  int left = ini.intValue(kMainWindowSection, "Left", workArea.left());
  int width = ini.intValue(kMainWindowSection, "Width", kMainWindowWidth);
  int height = ini.intValue(kMainWindowSection, "Height", kMainWindowHeight);
  // A frame with no area cannot be seen or grabbed: take the design size.
  if (width <= 0) width = kMainWindowWidth;
  if (height <= 0) height = kMainWindowHeight;
  // QRect's right() and bottom() are the last pixel inside; the work area's
  // right edge is one further.
  const int right = workArea.left() + workArea.width();
  const int bottom = workArea.top() + workArea.height();
  if (left > right - 100) left = workArea.left();
  if (left < workArea.left()) left = workArea.left();
  if (top < workArea.top()) top = workArea.top();
  if (top > bottom - 100) top = workArea.top();
  return QRect(left, top, width, height);
}

void StoreWindowGeometry(IniFile& ini, const QRect& frame) {
  ini.setValue(kMainWindowSection, "Top", QByteArray::number(frame.top()));
  ini.setValue(kMainWindowSection, "Left", QByteArray::number(frame.left()));
  ini.setValue(kMainWindowSection, "Width", QByteArray::number(frame.width()));
  ini.setValue(kMainWindowSection, "Height", QByteArray::number(frame.height()));
}

}  // namespace kelvane
