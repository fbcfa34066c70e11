#include "settings/window_geometry.h"

namespace kelvane {

namespace {

// The largest width or height Qt gives a window (QWIDGETSIZE_MAX).
constexpr int kLargestWindowSide = (1 << 24) - 1;

}  // namespace

QRect RestoreWindowGeometry(const IniFile& ini, const QRect& workArea, QByteArrayView section,
                            QSize designSize) {
  int top = ini.intValue(section, "top", workArea.top());
  int left = ini.intValue(section, "Left", workArea.left());
  int width = ini.intValue(section, "Width", designSize.width());
  int height = ini.intValue(section, "Height", designSize.height());
  // A frame with no area cannot be seen or grabbed, and none is larger than
  // the largest window there is: take the design size.
  if (width <= 0 || width > kLargestWindowSide) width = designSize.width();
  if (height <= 0 || height > kLargestWindowSide) height = designSize.height();
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

void StoreWindowGeometry(IniFile& ini, const QRect& frame, QByteArrayView section) {
  ini.setValue(section, "Top", QByteArray::number(frame.top()));
  ini.setValue(section, "Left", QByteArray::number(frame.left()));
  ini.setValue(section, "Width", QByteArray::number(frame.width()));
  ini.setValue(section, "Height", QByteArray::number(frame.height()));
}

}  // namespace kelvane
