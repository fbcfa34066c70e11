#include "styles/element_move.h"

#include "layout/element_record.h"
#include "styles/shape_record.h"
#include "text/fixed_point.h"

#include <QList>

namespace kelvane {

namespace {

// How many coordinates follow the kind and the flag: two corners of a
// shape, one position of a text or picture.
int coordinatesOf(const QByteArray& record) {
  const std::optional<ElementKind> kind = RecordKindOf(record);
  if (!kind) return 0;
  return *kind == ElementKind::Text || *kind == ElementKind::Image ? 2 : 4;
}

// Offsets of the fields: [start, end) of field i, up to `count` fields.
struct Field {
  qsizetype start, end;
};
QList<Field> leadingFields(const QByteArray& record, int count) {
  QList<Field> fields;
  qsizetype start = 0;
  while (fields.size() < count) {
    const qsizetype comma = record.indexOf(',', start);
    if (comma < 0) {
      fields.append({start, record.size()});
      break;
    }
    fields.append({start, comma});
    start = comma + 1;
  }
  return fields;
}

}  // namespace

std::optional<ElementOrigin> OriginOfElement(const QByteArray& record) {
  if (coordinatesOf(record) == 0) return std::nullopt;
  const QList<Field> fields = leadingFields(record, 4);
  if (fields.size() < 4) return std::nullopt;
  const auto x =
      fixed::parse(QByteArrayView(record).sliced(fields[2].start, fields[2].end - fields[2].start));
  const auto y =
      fixed::parse(QByteArrayView(record).sliced(fields[3].start, fields[3].end - fields[3].start));
  if (!x || !y) return std::nullopt;
  return ElementOrigin{*x, *y};
}

std::optional<QByteArray> MovedElement(const QByteArray& record, qint64 dx, qint64 dy) {
  const int count = coordinatesOf(record);
  if (count == 0) return std::nullopt;
  const QList<Field> fields = leadingFields(record, 2 + count);
  if (fields.size() < 2 + count) return std::nullopt;
  QByteArray moved = record.first(fields[2].start);
  for (int i = 0; i < count; ++i) {
    const Field& f = fields[2 + i];
    const auto value = fixed::parse(QByteArrayView(record).sliced(f.start, f.end - f.start));
    if (!value) return std::nullopt;
    if (i > 0) moved += ',';
    moved += FixedText(*value + (i % 2 == 0 ? dx : dy));
  }
  moved += record.sliced(fields[1 + count].end);
  return moved;
}

qint64 Snapped(qint64 value, qint64 grid) {
  if (grid <= 0) return value;
  return fixed::divRoundHalfAway(value, grid) * grid;
}

}  // namespace kelvane
