#pragma once
// Application-wide settings made once at start-up: title, style, fonts,
// hints.

class QApplication;

namespace kelvane {

void SetUpApplication(QApplication& app);

}  // namespace kelvane
