// Any layout text, line by line: the field getter, the element reader the
// renderer uses, every record reader of the style editors and the item
// texts. What an editor reads and writes
// back must read the same again.

#include "fuzz_input.h"
#include "layout/element_record.h"
#include "layout/field_cursor.h"
#include "layout/header_lines.h"
#include "layout/item_text.h"
#include "layout/layout_document.h"
#include "layout/layout_slots.h"
#include "layout/text_fit.h"
#include "render/style_names.h"
#include "styles/image_record.h"
#include "styles/shape_record.h"
#include "styles/text_record.h"
#include "text/fixed_point.h"

using namespace kelvane;

namespace {

void CheckFieldGetter(const QByteArray& line) {
  // The fields and what is left, joined again, give the record back.
  FieldCursor cursor(line);
  QByteArray joined;
  while (cursor.FieldRest().contains(',')) {
    joined += cursor.TakeField();
    joined += ',';
  }
  joined += cursor.FieldRest();
  KELVANE_FUZZ_CHECK(joined == line);
  // Once the commas are used up, every field is empty and the rest stays.
  const QByteArrayView last = cursor.FieldRest();
  KELVANE_FUZZ_CHECK(cursor.TakeField().isEmpty());
  KELVANE_FUZZ_CHECK(cursor.FieldRest() == last);
}

void CheckNumbers(const QByteArray& line) {
  FieldCursor cursor(line);
  for (int i = 0; i < 12; ++i) {
    const QByteArrayView field = cursor.TakeField();
    if (const auto value = fixed::parse(field)) {
      KELVANE_FUZZ_CHECK(fixed::parse(FixedText(*value)) == *value);
    }
    if (const auto whole = fixed::parseWhole(field)) {
      KELVANE_FUZZ_CHECK(fixed::parse(field) == fixed::fromWhole(*whole));
    }
    (void)PenStyleOf(field);
    (void)BrushStyleOf(field);
    (void)FontStyleOf(field);
  }
}

void CheckItemText(const QByteArray& line) {
  const QByteArray text = "1,234,567";
  const QByteArray item = WithItemText(line, text);
  KELVANE_FUZZ_CHECK(CharRecordText(item) == text);
  FieldCursor before(line), after(item);
  for (int i = 0; i < 10; ++i) KELVANE_FUZZ_CHECK(before.TakeField() == after.TakeField());
}

void CheckTextRecord(const QByteArray& line) {
  const auto read = ReadTextRecord(line);
  if (!read || !read.value()) return;
  const TextRecordValues& v = *read.value();
  TextRecordEntry entry;
  entry.previewOnly = v.previewOnly;
  entry.x = FixedText(v.x);
  entry.y = FixedText(v.y);
  entry.fontName = v.fontName;
  entry.fontSize = v.fontSize;
  entry.decoration = v.decoration;
  entry.spacing = FixedText(v.spacing);
  entry.vertical = v.vertical;
  entry.colour = v.colour;
  entry.text = v.text;
  for (const TextEditorKind kind : {TextEditorKind::Position, TextEditorKind::FreeText}) {
    const auto again = ReadTextRecord(BuildTextRecord(entry, kind));
    KELVANE_FUZZ_CHECK(again && again.value());
    const TextRecordValues& w = *again.value();
    KELVANE_FUZZ_CHECK(w.previewOnly == v.previewOnly && w.x == v.x && w.y == v.y);
    KELVANE_FUZZ_CHECK(w.spacing == v.spacing && w.vertical == v.vertical);
    KELVANE_FUZZ_CHECK(w.colour == v.colour && w.decoration == v.decoration);
    KELVANE_FUZZ_CHECK(w.text == v.text);
    if (!v.fontName.isEmpty()) KELVANE_FUZZ_CHECK(w.fontName == v.fontName);
  }
}

void CheckShapeRecord(const QByteArray& line) {
  const auto read = ReadShapeRecord(line);
  if (!read || read->empty) return;
  const ShapeSelection& s = read.value();
  ShapeValues values;
  values.kind = s.kind;
  values.usage = s.usage;
  values.x1 = FixedText(s.x1);
  values.y1 = FixedText(s.y1);
  values.x2 = FixedText(s.x2);
  values.y2 = FixedText(s.y2);
  values.width = s.width;
  values.styleName = s.styleName;
  values.colour = s.colour;
  const auto again = ReadShapeRecord(BuildShapeRecord(values));
  KELVANE_FUZZ_CHECK(again && !again->empty);
  KELVANE_FUZZ_CHECK(again->kind == s.kind && again->usage == s.usage);
  KELVANE_FUZZ_CHECK(again->x1 == s.x1 && again->y1 == s.y1);
  KELVANE_FUZZ_CHECK(again->x2 == s.x2 && again->y2 == s.y2);
  KELVANE_FUZZ_CHECK(again->width == s.width && again->styleName == s.styleName);
  (void)ShapeCorners(values.x1, values.y1, values.x2, values.y2, values.width);
}

void CheckImageRecord(const QByteArray& line) {
  const auto read = ReadImageRecord(line);
  if (!read) return;
  const ImageSelection& s = read.value();
  ImageValues values;
  values.previewOnly = s.previewOnly;
  values.x = FixedText(s.x);
  values.y = FixedText(s.y);
  values.file = s.file;
  values.width = FixedText(s.width);
  values.height = FixedText(s.height);
  const auto again = ReadImageRecord(BuildImageRecord(values));
  KELVANE_FUZZ_CHECK(again);
  KELVANE_FUZZ_CHECK(again->previewOnly == s.previewOnly && again->x == s.x && again->y == s.y);
  KELVANE_FUZZ_CHECK(again->width == s.width && again->height == s.height);
  KELVANE_FUZZ_CHECK(again->file == s.file);
}

// The element reader and the editors read the same numbers: a record the
// renderer would draw reads in its editor with the same values.
void CheckElementRecord(const QByteArray& line) {
  const auto element = ReadElementRecord(line);
  const QByteArrayView keyword = FieldCursor(line).TakeField();
  KELVANE_FUZZ_CHECK(element.has_value() == (line.contains(',') && ElementKindOf(keyword)));
  KELVANE_FUZZ_CHECK(element.has_value() == RecordKindOf(line).has_value());
  if (!element) return;
  const bool drawn = StrictFieldsOf(element->fields).ok();
  if (const auto* t = std::get_if<TextElement>(&element->fields)) {
    KELVANE_FUZZ_CHECK(t->text == CharRecordText(line));
    const auto read = ReadTextRecord(line);
    KELVANE_FUZZ_CHECK(read.ok() == drawn);
    if (!drawn) return;
    KELVANE_FUZZ_CHECK(read.value().has_value());
    const TextRecordValues& v = *read.value();
    KELVANE_FUZZ_CHECK(v.x == *t->x.value && v.y == *t->y.value);
    KELVANE_FUZZ_CHECK(v.spacing == *t->spacing.value && v.vertical == (*t->vertical.value == 1));
    KELVANE_FUZZ_CHECK(v.text == t->text && v.colour == t->colour);
  } else if (const auto* i = std::get_if<ImageElement>(&element->fields)) {
    const auto read = ReadImageRecord(line);
    if (!drawn) return;
    KELVANE_FUZZ_CHECK(read.ok());
    KELVANE_FUZZ_CHECK(read->x == *i->x.value && read->y == *i->y.value);
    KELVANE_FUZZ_CHECK(read->width == *i->width.value && read->height == *i->height.value);
    KELVANE_FUZZ_CHECK(read->file == i->file);
  } else {
    const auto& s = std::get<ShapeElement>(element->fields);
    const auto read = ReadShapeRecord(line);
    if (!drawn || !PreviewOnlyOf(s.previewFlag)) return;
    KELVANE_FUZZ_CHECK(read.ok() && !read->empty);
    KELVANE_FUZZ_CHECK(read->x1 == *s.x1.value && read->y1 == *s.y1.value);
    KELVANE_FUZZ_CHECK(read->x2 == *s.x2.value && read->y2 == *s.y2.value);
    KELVANE_FUZZ_CHECK(read->width == s.width.text);
  }
}

void CheckFitRecord(const QByteArray& line) {
  const auto read = ReadFitRecord(line);
  if (!read) return;
  const auto again = ReadFitRecord(BuildFitRecord(read->line, read->fit));
  KELVANE_FUZZ_CHECK(again && again->line == read->line && again->fit == read->fit);
}

// Widths set and taken away on any document: one good record per line, and
// a width taken away again leaves the document as it was.
void CheckFits(LayoutDocument document) {
  const LayoutDocument before = document;
  const int line = slotmap::kAmount;
  const auto had = FitOf(document, line);
  KELVANE_FUZZ_CHECK(SetFit(document, line, TextFit{12'3400, TextAlign::Centre}));
  KELVANE_FUZZ_CHECK(FitOf(document, line) == (TextFit{12'3400, TextAlign::Centre}));
  int records = 0;
  for (qsizetype i = slotmap::kExtendedLineCount; i < document.lineCount(); ++i) {
    const auto record = ReadFitRecord(document.line(i));
    if (record && record->line == line) ++records;
  }
  KELVANE_FUZZ_CHECK(records == 1);
  KELVANE_FUZZ_CHECK(document.lines().first(slotmap::kExtendedLineCount) ==
                     before.lines().first(slotmap::kExtendedLineCount));
  if (!had) {
    SetFit(document, line, std::nullopt);
    KELVANE_FUZZ_CHECK(!FitOf(document, line));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QList<QByteArray> lines = splitLines(fuzz::Bytes(data, size));
  for (const QByteArray& line : lines) {
    CheckFieldGetter(line);
    CheckNumbers(line);
    CheckItemText(line);
    CheckTextRecord(line);
    CheckShapeRecord(line);
    CheckImageRecord(line);
    CheckElementRecord(line);
    CheckFitRecord(line);
  }
  LayoutDocument document;
  document.replaceAll(lines);
  (void)ReadStyleHeader(document);
  CheckFits(document);
  return 0;
}
