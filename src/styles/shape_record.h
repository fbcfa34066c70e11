#pragma once
// The "line", "rect" and "fillrect" records of the line and shape slots as
// the shape editor writes and reads them, the list operations on those
// slots, and the arithmetic both graphic editors share (number fields,
// nudging). Texts are cp932 bytes; positions are millimetres × 10000.

#include "layout/layout_document.h"
#include "text/expected.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace kelvane {

// ---- the record

// The kind choice "図  形": 0 直線, 1 枠, 2 四角形.
inline constexpr int kShapeLine = 0;
inline constexpr int kShapeFrame = 1;
inline constexpr int kShapeFilledBox = 2;

// "line", "rect" or "fillrect" for a kind choice; "line" for any other.
[[nodiscard]] QByteArray ShapeKindKeyword(int kind);
// The kind choice a record's keyword selects: "line" 0, "rect" 1, any other
// non-empty keyword 2.
[[nodiscard]] int ShapeKindOf(QByteArrayView keyword);

// The line patterns the editor offers for "line" and "rect", and the fill
// patterns for "fillrect" (the first, "枠", stands for an unknown name).
[[nodiscard]] const QList<QByteArray>& LineStyleNames();
[[nodiscard]] const QList<QByteArray>& FillStyleNames();
// The entry of FillStyleNames() equal to `name`, or 0 ("枠").
[[nodiscard]] int FillStyleIndex(QByteArrayView name);

// What the editor's controls hold, as the controls show it.
struct ShapeValues {
  int kind = kShapeLine;
  int usage = 0;                                      // 0 実際に印刷, 1 プレビュ－のみ
  QByteArray x1 = "0", y1 = "0", x2 = "0", y2 = "0";  // millimetres as shown
  QByteArray width = "1";                             // the width label as shown
  QByteArray styleName;                               // line or fill pattern
  quint32 colour = 0;                                 // 0x00BBGGRR
};

// kind "," usage "," x1 "," y1 "," x2 "," y2 "," width "," style "," colour
// ",". A record has no quoting, so commas cannot be stored inside a field:
// number texts lose their thousands separators and the style name its
// commas rather than shifting every later field.
[[nodiscard]] QByteArray BuildShapeRecord(const ShapeValues& values);

// The list's position cell: "[" x1 "," y1 "]-[" x2 "," y2 "] Size=" width,
// the texts joined as given.
[[nodiscard]] QByteArray ShapeCorners(QByteArrayView x1, QByteArrayView y1, QByteArrayView x2,
                                      QByteArrayView y2, QByteArrayView width);

// A record read back into the editor.
struct ShapeSelection {
  bool empty = true;  // the slot holds no record: only the points and usage reset
  int kind = kShapeLine;
  int usage = 0;
  qint64 x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // millimetres × 10000
  QByteArray width;                       // as written
  QByteArray styleName;  // as written for "line" and "rect"; a fill pattern for "fillrect"
  quint32 colour = 0;    // a colour that is not a number reads as 0
};

// Fails, naming the field, when the usage is not a whole number (an empty
// usage counts as 0, as when drawing) or a corner is not a decimal number.
[[nodiscard]] Expected<ShapeSelection> ReadShapeRecord(QByteArrayView record);

// ---- the list operations (rows 1 to 100, lines 12 to 111)
//
// Each returns false and changes nothing for a row outside 1 to 100. Only
// the lines of the line and shape slots move; line 112 and everything
// outside stay as they are.

// A new empty row at `row`; the rows from there move down and row 100's
// content is dropped.
bool InsertShapeRow(LayoutDocument& document, int row);
// Row `row` goes; the rows after it move up and row 100 becomes empty.
bool DeleteShapeRow(LayoutDocument& document, int row);
// Exchanges rows `a` and `b` (also when they are the same).
bool ExchangeShapeRows(LayoutDocument& document, int a, int b);

// ---- shared by both graphic editors

// A record field as a decimal number: empty, or two double quotes, is 0;
// other text that is not a number fails with a message naming it.
[[nodiscard]] Expected<qint64> FieldToNumber(QByteArrayView field);

// The nudge step: 0.1 mm with Shift, else 10 mm with Ctrl, else 1 mm.
[[nodiscard]] qint64 NudgeStep(bool shift, bool ctrl);
// `value` moved by `delta`; a result other than 0 is rounded to one decimal
// (halves to even), so repeated tenths do not pile up digits.
[[nodiscard]] qint64 NudgedValue(qint64 value, qint64 delta);

// Millimetres × 10000 as the shortest decimal text: 35.5, -0.1, 0.
[[nodiscard]] QByteArray FixedText(qint64 value);
// A number text shown by a control, made fit for a record field: without
// thousands separators, or, when it is no number (a lone "-" or "."
// still being typed), `value` written out instead.
[[nodiscard]] QByteArray NumberFieldText(QByteArrayView shown, qint64 value);

}  // namespace kelvane
