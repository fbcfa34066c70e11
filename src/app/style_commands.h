#pragma once
// The style file commands of the main window: open, save and clear a
// style, its title, and the printer paper set-up.

#include <QString>

namespace kelvane {

class ReceiptMainForm;
class TStrColGrid;
struct StyleContents;

// Replaces the layout with the file at `path` and fills every style editor
// from it. A missing or unreadable file keeps the previous layout and says
// so; a short file is padded and the user told. Returns whether it loaded.
bool LoadStyleIntoForm(ReceiptMainForm& form, const QString& path);
// The lists and labels of the style editors, from the layout's slots.
void FillStyleEditors(ReceiptMainForm& form, const StyleContents& contents);
// The line/shape list's rows 1 to 100, all six cells, from the slots.
void FillShapeList(TStrColGrid& grid, const StyleContents& contents);

void OpenStyleFile(ReceiptMainForm& form);     // N16, IconButton15
void SaveStyleFile(ReceiptMainForm& form);     // N17, IconButton14
void ClearStyle(ReceiptMainForm& form);        // N13: "cleardata.rcd"
void EnterStyleTitle(ReceiptMainForm& form);   // Button1
void SetUpPrinterPaper(ReceiptMainForm& form); // IconButton25

inline constexpr char kClearStyleFileName[] = "cleardata.rcd";
inline constexpr char kStyleFolderName[] = "style";

}  // namespace kelvane
