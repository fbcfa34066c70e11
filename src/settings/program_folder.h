#pragma once
// The program folder: where the program's own files live (settings, window
// file, current layout, register, histories, "dialog.ico", the manual).
// It is the folder of the executable; tests point it at a temporary folder.

#include <QString>

namespace kelvane {

// The program's own files in its folder.
inline constexpr char kSettingsFileName[] = "kelvane.conf";
inline constexpr char kCurrentLayoutFileName[] = "cardtemp.dat";
inline constexpr char kDefaultRegisterName[] = "regidata.klv";

[[nodiscard]] QString ProgramFolder();
void SetProgramFolder(const QString& folder);  // empty: the executable's folder again

// `name` inside the program folder.
[[nodiscard]] QString ProgramFile(const QString& name);

}  // namespace kelvane
