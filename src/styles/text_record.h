#pragma once
// The "char" record as the two text editors of the style (the position
// editor "位置調整" and the free text editor "設　定") write and read it,
// the nudge arithmetic of their arrow buttons, and the free text list
// operations on the layout document. QtCore only; texts are cp932 bytes.

#include "layout/layout_document.h"
#include "text/expected.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <optional>

namespace kelvane {

// The record the reset commands write, and the shape of a new record.
inline constexpr char kResetTextRecord[] = "char,0,0,0,,0,,0,0,,";

// The two editors differ only in how an unset font size is written.
enum class TextEditorKind {
  Position,  // an empty size becomes "12"; "0" is written as "0"
  FreeText,  // a size "0" becomes "12"; an empty size stays empty
};

// What an editor's controls hold when it applies: numbers as the edits show
// them, font name, size and decoration as their labels show them.
struct TextRecordEntry {
  bool previewOnly = false;  // "プレビュ－のみ"
  QByteArray x = "0";        // "位置(X mm)", millimetres as shown
  QByteArray y = "0";        // "位置(Y mm)"
  QByteArray fontName;       // "フォント名"; empty becomes "ＭＳ 明朝"
  QByteArray fontSize;       // "文字サイズ", points as shown
  QByteArray decoration;     // "修　　飾": "太字", "斜体", "太字斜体" or empty
  QByteArray spacing = "0";  // "文字間(mm)"
  bool vertical = false;     // "縦書き"
  int colour = 0;            // "フォント色", 0x00BBGGRR as the record holds it
  QByteArray text;           // field 11: the rest of the line, commas allowed
};

// "char," preview "," X "," Y "," font "," size "," decoration ","
// spacing "," vertical "," colour "," text, with the editor's defaults for
// an empty font name and an unset size. A field cannot break the record:
// commas are dropped from the ten fields before the text, and line breaks
// (CR, LF) anywhere become blanks.
[[nodiscard]] QByteArray BuildTextRecord(const TextRecordEntry& entry, TextEditorKind kind);

// What a selection shows of a "char" record.
struct TextRecordValues {
  bool previewOnly = false;  // field 2 is "1"
  qint64 x = 0;              // millimetres × 10000
  qint64 y = 0;              // millimetres × 10000
  QByteArray fontName;       // as written
  QByteArray fontSize;       // as written (the label shows it unparsed)
  QByteArray decoration;     // as written
  qint64 spacing = 0;        // millimetres × 10000, may be negative
  bool vertical = false;     // field 9 is the whole number 1
  int colour = 0;            // field 10; text that is no whole number reads as 0
  QByteArray text;           // everything after the tenth comma
};

// Reads `record` for an editor. Nothing (no value) when field 1 is not
// "char": the editor stays reset. A failure names the field when X, Y or
// the spacing is no decimal number or the vertical flag no whole number
// (the fields the renderer reads strictly).
[[nodiscard]] Expected<std::optional<TextRecordValues>> ReadTextRecord(QByteArrayView record);

// The decoration the font dialog's style gives: "太字" for bold alone,
// "斜体" for italic alone, "太字斜体" for both, empty for anything else
// (regular, or any style with underline or strike-out).
[[nodiscard]] QByteArray DecorationOf(bool bold, bool italic, bool underline, bool strikeOut);

// ---- nudge buttons

enum class NudgeDirection { Up, Down, Left, Right };

// The step in millimetres × 10000: 0.1 mm with Shift (whatever Ctrl says),
// otherwise 10 mm with Ctrl, otherwise 1 mm.
[[nodiscard]] qint64 TextNudgeStep(bool shift, bool ctrl);

// Whether the direction moves X (left, right) rather than Y (up, down).
[[nodiscard]] constexpr bool NudgesX(NudgeDirection d) {
  return d == NudgeDirection::Left || d == NudgeDirection::Right;
}

// `value` (millimetres × 10000) moved one step: up and left subtract, down
// and right add. A result other than 0 is rounded to one decimal, halves to
// even: right from 10 with Shift gives 10.1, up from 25.5 with Ctrl 15.5.
[[nodiscard]] qint64 Nudged(qint64 value, NudgeDirection direction, qint64 step);

// ---- the free text list: rows 1 to 100 are lines 127 to 226. Line 227,
// just after the slots, is never read or written. Each returns false and
// changes nothing for a row outside 1 to 100. A row's width and alignment
// (text_fit.h) move with its text.

// Row r becomes an empty slot; rows r to 99 move down by one, the content
// of row 100 is dropped.
bool InsertTextRow(LayoutDocument& document, int row);
// Row r is removed; rows r + 1 to 100 move up by one, row 100 becomes empty.
bool DeleteTextRow(LayoutDocument& document, int row);
// Exchanges row r with row r + 1. Row 100 has no row after it: false, and
// nothing changes.
bool ExchangeTextRow(LayoutDocument& document, int row);
// Exchanges rows a and b (a row dragged onto another); rows between stay.
bool SwapTextRows(LayoutDocument& document, int a, int b);

}  // namespace kelvane
