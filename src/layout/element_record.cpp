#include "layout/element_record.h"

#include "layout/field_cursor.h"
#include "text/cp932.h"
#include "text/fixed_point.h"

#include <initializer_list>

namespace kelvane {

namespace {

DecimalField decimal(FieldCursor& c) {
  const QByteArrayView text = c.TakeField();
  return {text, fixed::parse(text)};
}

WholeField whole(FieldCursor& c) {
  const QByteArrayView text = c.TakeField();
  return {text, fixed::parseWhole(text)};
}

int wholeOr0(FieldCursor& c) { return fixed::parseWholeOr(c.TakeField(), 0); }

QString shownText(QByteArrayView text) {
  auto decoded = cp932::decode(text);
  if (decoded) return decoded.value();
  return QString::fromLatin1(text.toByteArray().toPercentEncoding(" ,.-_"));
}

Expected<void> strict(std::initializer_list<const DecimalField*> decimals) {
  for (const DecimalField* f : decimals) {
    if (!f->value) return NotADecimal(f->text);
  }
  return {};
}

struct StrictCheck {
  Expected<void> operator()(const ShapeElement& s) const {
    if (auto corners = strict({&s.x1, &s.y1, &s.x2, &s.y2}); !corners) return corners;
    if (!s.width.value) return NotAWholeNumber(s.width.text);
    return {};
  }
  Expected<void> operator()(const TextElement& t) const {
    if (auto numbers = strict({&t.x, &t.y, &t.spacing}); !numbers) return numbers;
    if (!t.vertical.value) return NotAWholeNumber(t.vertical.text);
    return {};
  }
  Expected<void> operator()(const ImageElement& i) const {
    return strict({&i.x, &i.y, &i.width, &i.height});
  }
};

}  // namespace

std::optional<ElementKind> ElementKindOf(QByteArrayView keyword) {
  if (keyword == "line") return ElementKind::Line;
  if (keyword == "rect") return ElementKind::Rect;
  if (keyword == "fillrect") return ElementKind::FillRect;
  if (keyword == "char") return ElementKind::Text;
  if (keyword == "image") return ElementKind::Image;
  return std::nullopt;
}

ShapeElement ReadShapeElement(QByteArrayView record) {
  FieldCursor c(record);
  ShapeElement s;
  s.keyword = c.TakeField();
  s.previewFlag = c.TakeField();
  s.x1 = decimal(c);
  s.y1 = decimal(c);
  s.x2 = decimal(c);
  s.y2 = decimal(c);
  s.width = whole(c);
  s.pattern = c.TakeField();
  s.colour = wholeOr0(c);
  return s;
}

TextElement ReadTextElement(QByteArrayView record) {
  FieldCursor c(record);
  TextElement t;
  t.keyword = c.TakeField();
  t.previewFlag = c.TakeField();
  t.x = decimal(c);
  t.y = decimal(c);
  t.face = c.TakeField();
  t.sizeText = c.TakeField();
  t.size = fixed::parseWholeOr(t.sizeText, 0);
  t.decoration = c.TakeField();
  t.spacing = decimal(c);
  t.vertical = whole(c);
  t.colour = wholeOr0(c);
  t.text = c.FieldRest();
  return t;
}

ImageElement ReadImageElement(QByteArrayView record) {
  FieldCursor c(record);
  ImageElement i;
  i.keyword = c.TakeField();
  i.previewFlag = c.TakeField();
  i.x = decimal(c);
  i.y = decimal(c);
  i.file = c.TakeField();
  i.width = decimal(c);
  i.height = decimal(c);
  c.TakeField();
  i.secondFlag = wholeOr0(c);
  return i;
}

std::optional<ElementKind> RecordKindOf(QByteArrayView record) {
  const qsizetype comma = record.indexOf(',');
  if (comma < 0) return std::nullopt;
  return ElementKindOf(record.first(comma));
}

std::optional<ElementRecord> ReadElementRecord(QByteArrayView record) {
  // Most lines of a layout are header lines and empty slots: look at the
  // keyword alone before taking the record apart.
  const std::optional<ElementKind> kind = RecordKindOf(record);
  if (!kind) return std::nullopt;
  switch (*kind) {
    case ElementKind::Text:
      return ElementRecord{*kind, ReadTextElement(record)};
    case ElementKind::Image:
      return ElementRecord{*kind, ReadImageElement(record)};
    default:
      return ElementRecord{*kind, ReadShapeElement(record)};
  }
}

Expected<bool> PreviewOnlyOf(QByteArrayView flag) {
  if (flag.isEmpty()) return false;
  auto value = StrictWhole(flag);
  if (!value) return Failure{value.error()};
  return value.value() == 1;
}

Expected<void> StrictFieldsOf(const ElementFields& fields) {
  return std::visit(StrictCheck{}, fields);
}

Failure NotADecimal(QByteArrayView text) {
  return Failure{QStringLiteral("「%1」は数値として読めません。").arg(shownText(text))};
}

Failure NotAWholeNumber(QByteArrayView text) {
  return Failure{QStringLiteral("「%1」は整数として読めません。").arg(shownText(text))};
}

Expected<int> StrictWhole(QByteArrayView text) {
  if (auto v = fixed::parseWhole(text)) return *v;
  return NotAWholeNumber(text);
}

}  // namespace kelvane
