#pragma once
// Texts between the window's controls (Unicode) and the layout (cp932
// bytes). A control can hold characters cp932 has no code for; they become
// "?" rather than stopping the command, and the caller may warn about them.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace kelvane {

[[nodiscard]] QByteArray ToLayoutText(const QString& text);
// Bytes that are not valid cp932 show as U+FFFD.
[[nodiscard]] QString FromLayoutText(QByteArrayView bytes);

}  // namespace kelvane
