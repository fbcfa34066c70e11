#pragma once
// The style file commands of the main window: open, save and clear a
// style, its title, and the printer paper set-up.

#include <QString>
#include <QtGlobal>

namespace kelvane {

class ReceiptMainForm;
class TStrColGrid;
struct StyleContents;

// Replaces the layout with the file at `path` and fills every style editor
// from it. A missing or unreadable file keeps the previous layout and says
// so; a short file is padded and the user told. Returns whether it loaded.
// Used for the current layout at start-up: the file is the shop's own.
bool LoadStyleIntoForm(ReceiptMainForm& form, const QString& path);
// The same for a style loaded over the current layout (opening a style,
// the empty layout): the shop's company texts stay when the style brings
// none, and the user chooses ("現在の自社情報", the default, or
// "スタイルの自社情報") when it brings others.
bool LoadStyleOverLayout(ReceiptMainForm& form, const QString& path);
// The lists and labels of the style editors, from the layout's slots.
void FillStyleEditors(ReceiptMainForm& form, const StyleContents& contents);
// The same without the style settings of the header lines.
void FillElementEditors(ReceiptMainForm& form, const StyleContents& contents);
// The line/shape list's rows 1 to 100, all six cells, from the slots.
void FillShapeList(TStrColGrid& grid, const StyleContents& contents);

void OpenStyleFile(ReceiptMainForm& form);  // N16, IconButton15
void SaveStyleFile(ReceiptMainForm& form);  // N17, IconButton14
// N13: asks (実行/キャンセル, Enter cancels), then loads "cleardata.rcd".
void ClearStyle(ReceiptMainForm& form);
// Loads "cleardata.rcd" as the clear command does, without asking.
void LoadEmptyStyle(ReceiptMainForm& form);

// The preview could not draw document line `line` (from 0): says so and
// offers to clear that line's element or to load the empty layout. With no
// line at fault (-1: a style setting) only the empty layout is offered.
// Closing the box does neither.
void OfferToMendLayout(ReceiptMainForm& form, qsizetype line, const QString& message);
// Empties document line `line` the way the style editors clear its element,
// then refreshes the editors and the preview.
void ClearLayoutLine(ReceiptMainForm& form, qsizetype line);
void EnterStyleTitle(ReceiptMainForm& form);    // Button1
void SetUpPrinterPaper(ReceiptMainForm& form);  // IconButton25

inline constexpr char kClearStyleFileName[] = "cleardata.rcd";
inline constexpr char kStyleFolderName[] = "style";

}  // namespace kelvane
