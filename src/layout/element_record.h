#pragma once
// The element records of a layout ("line", "rect", "fillrect", "char",
// "image") taken apart once, for the renderer and the style editors alike.
// Every number field keeps its text beside what it reads as, so each reader
// decides which fields must be numbers and how to name a bad one; the
// renderer's rules are in StrictFieldsOf. The views point into the record
// given: keep the record alive while they are used. QtCore only.

#include "text/expected.h"

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <variant>

namespace kelvane {

enum class ElementKind { Line, Rect, FillRect, Text, Image };

// The kind a record's first field names, or nothing for any other text
// (header lines, empty slots, width records).
[[nodiscard]] std::optional<ElementKind> ElementKindOf(QByteArrayView keyword);
// The kind of a whole record: its text before the first comma.
[[nodiscard]] std::optional<ElementKind> RecordKindOf(QByteArrayView record);

// A number field: its text as written and the number it reads as, if any.
struct DecimalField {
  QByteArrayView text;
  std::optional<qint64> value;  // millimetres × 10000
};
struct WholeField {
  QByteArrayView text;
  std::optional<int> value;
};

// "line"/"rect"/"fillrect," flag "," x1 "," y1 "," x2 "," y2 "," width
// "," pattern "," colour ",".
struct ShapeElement {
  QByteArrayView keyword;
  QByteArrayView previewFlag;  // as written; see PreviewOnlyOf
  DecimalField x1, y1, x2, y2;
  WholeField width;
  QByteArrayView pattern;  // line pattern, or fill pattern for "fillrect"
  int colour = 0;          // 0x00BBGGRR; text that is no whole number reads as 0
};

// "char," flag "," x "," y "," face "," size "," decoration "," spacing ","
// vertical "," colour "," text: the text is the rest of the line, commas
// and all.
struct TextElement {
  QByteArrayView keyword;
  QByteArrayView previewFlag;
  DecimalField x, y;
  QByteArrayView face;
  QByteArrayView sizeText;  // points as written
  int size = 0;             // text that is no whole number reads as 0
  QByteArrayView decoration;
  DecimalField spacing;
  WholeField vertical;
  int colour = 0;
  QByteArrayView text;
};

// "image," flag "," x "," y "," file "," width "," height "," (unused) ","
// second flag "," (unused): a second flag of 1 also keeps the picture off
// paper.
struct ImageElement {
  QByteArrayView keyword;
  QByteArrayView previewFlag;
  DecimalField x, y;
  QByteArrayView file;
  DecimalField width, height;
  int secondFlag = 0;  // text that is no whole number reads as 0
};

using ElementFields = std::variant<ShapeElement, TextElement, ImageElement>;

// Each reads the fields after the keyword whatever the keyword says; an
// editor reading a slot uses these. Missing fields read as empty.
[[nodiscard]] ShapeElement ReadShapeElement(QByteArrayView record);
[[nodiscard]] TextElement ReadTextElement(QByteArrayView record);
[[nodiscard]] ImageElement ReadImageElement(QByteArrayView record);

struct ElementRecord {
  ElementKind kind;
  ElementFields fields;

  [[nodiscard]] QByteArrayView previewFlag() const {
    return std::visit([](const auto& e) { return e.previewFlag; }, fields);
  }
};

// The record taken apart by its kind; nothing for a record of no known kind.
[[nodiscard]] std::optional<ElementRecord> ReadElementRecord(QByteArrayView record);

// The preview-only flag as the renderer reads it when it leaves such
// elements out: empty is "no", otherwise a whole number, 1 meaning "yes";
// other text fails naming it. Read only then, so a damaged flag stops
// printing but not the preview.
[[nodiscard]] Expected<bool> PreviewOnlyOf(QByteArrayView flag);

// The fields the renderer needs as numbers, in record order: the first that
// is not one fails, naming its text ("「…」は数値として読めません。" for a
// decimal, "…整数として…" for a whole number).
[[nodiscard]] Expected<void> StrictFieldsOf(const ElementFields& fields);

// The messages for a text that is no decimal or no whole number, the text
// shown decoded (or percent-encoded when it is no cp932).
[[nodiscard]] Failure NotADecimal(QByteArrayView text);
[[nodiscard]] Failure NotAWholeNumber(QByteArrayView text);
// A whole number, or the failure naming the text.
[[nodiscard]] Expected<int> StrictWhole(QByteArrayView text);

}  // namespace kelvane
