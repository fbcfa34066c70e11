#include "styles/shape_record.h"

#include "layout/element_record.h"
#include "layout/layout_slots.h"
#include "text/cp932.h"
#include "text/fixed_point.h"
#include "text/layout_text.h"

namespace kelvane {

namespace {

// A field as the user should see it in a message: at most 40 characters.
QString shownField(QByteArrayView field) {
  QString text = FromLayoutText(field);
  if (text.size() > 40) text = text.left(40) + QStringLiteral("…");
  return text;
}

Failure notANumber(QByteArrayView field, const QString& what) {
  return Failure{QStringLiteral("%1の「%2」は数値として読めません。").arg(what, shownField(field))};
}

QByteArray withoutCommas(QByteArrayView text) {
  QByteArray out = text.toByteArray();
  out.replace(',', QByteArray());
  return out;
}

bool validRow(int row) { return row >= 1 && row <= slotmap::kShapeSlots; }

}  // namespace

QByteArray ShapeKindKeyword(int kind) {
  switch (kind) {
    case kShapeFrame:
      return QByteArrayLiteral("rect");
    case kShapeFilledBox:
      return QByteArrayLiteral("fillrect");
    default:
      return QByteArrayLiteral("line");
  }
}

int ShapeKindOf(QByteArrayView keyword) {
  if (keyword == "line") return kShapeLine;
  if (keyword == "rect") return kShapeFrame;
  return kShapeFilledBox;
}

const QList<QByteArray>& LineStyleNames() {
  static const QList<QByteArray> names = {
      cp932::fromUtf8Literal("実線"), cp932::fromUtf8Literal("破線"),
      cp932::fromUtf8Literal("点線"), cp932::fromUtf8Literal("一点鎖線"),
      cp932::fromUtf8Literal("二点鎖線")};
  return names;
}

const QList<QByteArray>& FillStyleNames() {
  static const QList<QByteArray> names = {
      cp932::fromUtf8Literal("枠"),     cp932::fromUtf8Literal("塗り潰し"),
      cp932::fromUtf8Literal("水平"),   cp932::fromUtf8Literal("垂直"),
      cp932::fromUtf8Literal("クロス"), cp932::fromUtf8Literal("ハッチ")};
  return names;
}

int FillStyleIndex(QByteArrayView name) {
  const QList<QByteArray>& names = FillStyleNames();
  for (int i = 0; i < names.size(); ++i) {
    if (names[i] == name) return i;
  }
  return 0;
}

QByteArray BuildShapeRecord(const ShapeValues& v) {
  QByteArray record = ShapeKindKeyword(v.kind);
  for (const QByteArray& field :
       {QByteArray::number(v.usage == 1 ? 1 : 0), withoutCommas(v.x1), withoutCommas(v.y1),
        withoutCommas(v.x2), withoutCommas(v.y2), withoutCommas(v.width),
        withoutCommas(v.styleName), QByteArray::number(v.colour)}) {
    record += ',';
    record += field;
  }
  record += ',';
  return record;
}

QByteArray ShapeCorners(QByteArrayView x1, QByteArrayView y1, QByteArrayView x2, QByteArrayView y2,
                        QByteArrayView width) {
  QByteArray cell = "[";
  cell += x1;
  cell += ',';
  cell += y1;
  cell += "]-[";
  cell += x2;
  cell += ',';
  cell += y2;
  cell += "] Size=";
  cell += width;
  return cell;
}

Expected<ShapeSelection> ReadShapeRecord(QByteArrayView record) {
  // Any keyword but an empty one is read as a shape: the slot is the
  // shape editor's, whatever a hand edit put there.
  const ShapeElement e = ReadShapeElement(record);
  ShapeSelection s;
  if (e.keyword.isEmpty()) return s;
  s.empty = false;
  s.kind = ShapeKindOf(e.keyword);

  const auto usage = PreviewOnlyOf(e.previewFlag);
  if (!usage) return notANumber(e.previewFlag, QStringLiteral("種別"));
  s.usage = usage.value() ? 1 : 0;
  const QString names[4] = {QStringLiteral("始点X"), QStringLiteral("始点Y"),
                            QStringLiteral("終点X"), QStringLiteral("終点Y")};
  const DecimalField* fields[4] = {&e.x1, &e.y1, &e.x2, &e.y2};
  qint64* corners[4] = {&s.x1, &s.y1, &s.x2, &s.y2};
  for (int i = 0; i < 4; ++i) {
    if (!fields[i]->value) return notANumber(fields[i]->text, names[i]);
    *corners[i] = *fields[i]->value;
  }
  s.width = e.width.text.toByteArray();
  s.styleName = s.kind == kShapeFilledBox ? FillStyleNames().at(FillStyleIndex(e.pattern))
                                          : e.pattern.toByteArray();
  s.colour = static_cast<quint32>(e.colour);
  return s;
}

bool InsertShapeRow(LayoutDocument& document, int row) {
  if (!validRow(row)) return false;
  for (int r = slotmap::kShapeSlots; r > row; --r) {
    document.setLine(slotmap::shapeLine(r), document.line(slotmap::shapeLine(r - 1)));
  }
  document.setLine(slotmap::shapeLine(row), LayoutDocument::kEmptySlot);
  return true;
}

bool DeleteShapeRow(LayoutDocument& document, int row) {
  if (!validRow(row)) return false;
  for (int r = row; r < slotmap::kShapeSlots; ++r) {
    document.setLine(slotmap::shapeLine(r), document.line(slotmap::shapeLine(r + 1)));
  }
  document.setLine(slotmap::shapeLine(slotmap::kShapeSlots), LayoutDocument::kEmptySlot);
  return true;
}

bool ExchangeShapeRows(LayoutDocument& document, int a, int b) {
  if (!validRow(a) || !validRow(b)) return false;
  const QByteArray first = document.line(slotmap::shapeLine(a));
  document.setLine(slotmap::shapeLine(a), document.line(slotmap::shapeLine(b)));
  document.setLine(slotmap::shapeLine(b), first);
  return true;
}

Expected<qint64> FieldToNumber(QByteArrayView field) {
  if (field.isEmpty() || field == "\"\"") return qint64(0);
  if (const auto value = fixed::parse(field)) return *value;
  return Failure{QStringLiteral("「%1」は数値として読めません。").arg(shownField(field))};
}

qint64 NudgeStep(bool shift, bool ctrl) {
  if (shift) return fixed::kOne / 10;
  if (ctrl) return fixed::kOne * 10;
  return fixed::kOne;
}

qint64 NudgedValue(qint64 value, qint64 delta) {
  const __int128 moved = static_cast<__int128>(value) + delta;
  if (moved == 0) return 0;
  const qint64 tenth = fixed::kOne / 10;
  return fixed::divRoundHalfEven(moved, tenth) * tenth;
}

QByteArray FixedText(qint64 value) {
  const bool negative = value < 0;
  // The magnitude as unsigned, so that the most negative value stays exact.
  const quint64 magnitude =
      negative ? 0 - static_cast<quint64>(value) : static_cast<quint64>(value);
  QByteArray text = QByteArray::number(magnitude / fixed::kOne);
  quint64 fraction = magnitude % fixed::kOne;
  if (fraction != 0) {
    QByteArray digits = QByteArray::number(fraction).rightJustified(4, '0');
    while (digits.endsWith('0')) digits.chop(1);
    text += '.';
    text += digits;
  }
  if (negative) text.prepend('-');
  return text;
}

QByteArray NumberFieldText(QByteArrayView shown, qint64 value) {
  const QByteArray bare = withoutCommas(shown).trimmed();
  if (!bare.isEmpty() && fixed::parse(bare)) return bare;
  return FixedText(value);
}

}  // namespace kelvane
