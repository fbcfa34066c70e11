#pragma once
// Layouts name the Windows Japanese faces; on Linux the IPA fonts stand in.
// Call once after the QGuiApplication exists, before anything is drawn.

namespace kelvane {

void InstallFontSubstitutions();

}  // namespace kelvane
