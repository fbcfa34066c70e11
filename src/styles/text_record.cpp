#include "styles/text_record.h"

#include "layout/element_record.h"
#include "layout/layout_slots.h"
#include "layout/text_fit.h"
#include "text/cp932.h"
#include "text/fixed_point.h"
#include "text/layout_text.h"

namespace kelvane {

namespace {

constexpr qint64 kTenth = fixed::kOne / 10;  // 0.1 mm in millimetres × 10000

// A field before the text: no comma may split it, no line break end the
// line.
QByteArray fieldText(QByteArrayView text) {
  QByteArray field;
  field.reserve(text.size());
  for (char c : text) {
    if (c == ',') continue;
    field += (c == '\r' || c == '\n') ? ' ' : c;
  }
  return field;
}

// The text after the tenth comma: commas are its own, line breaks are not.
QByteArray recordText(QByteArrayView text) {
  QByteArray result = text.toByteArray();
  result.replace('\r', ' ');
  result.replace('\n', ' ');
  return result;
}

QString shown(QByteArrayView field) { return FromLayoutText(field); }

Failure notDecimal(const char* caption, QByteArrayView field) {
  return Failure{QStringLiteral("%1の「%2」は数値として読めません。")
                     .arg(QString::fromUtf8(caption), shown(field))};
}

bool validRow(int row) { return row >= 1 && row <= slotmap::kTextSlots; }

}  // namespace

QByteArray BuildTextRecord(const TextRecordEntry& entry, TextEditorKind kind) {
  QByteArray font = fieldText(entry.fontName);
  if (font.isEmpty()) font = cp932::fromUtf8Literal("ＭＳ 明朝");
  QByteArray size = fieldText(entry.fontSize);
  if (kind == TextEditorKind::Position ? size.isEmpty() : size == "0") size = "12";

  QByteArray record = "char,";
  record += entry.previewOnly ? "1" : "0";
  for (const QByteArray& field : {fieldText(entry.x), fieldText(entry.y), font, size,
                                  fieldText(entry.decoration), fieldText(entry.spacing)}) {
    record += ',';
    record += field;
  }
  record += entry.vertical ? ",1," : ",0,";
  record += QByteArray::number(entry.colour);
  record += ',';
  record += recordText(entry.text);
  return record;
}

Expected<std::optional<TextRecordValues>> ReadTextRecord(QByteArrayView record) {
  const std::optional<ElementRecord> element = ReadElementRecord(record);
  const TextElement* t = element ? std::get_if<TextElement>(&element->fields) : nullptr;
  if (!t) return std::optional<TextRecordValues>();
  TextRecordValues v;
  // The check box shows exactly "1"; the renderer's reading of the flag
  // matters only when something is printed.
  v.previewOnly = t->previewFlag == "1";
  if (!t->x.value) return notDecimal("位置(X mm)", t->x.text);
  v.x = *t->x.value;
  if (!t->y.value) return notDecimal("位置(Y mm)", t->y.text);
  v.y = *t->y.value;
  v.fontName = t->face.toByteArray();
  v.fontSize = t->sizeText.toByteArray();
  v.decoration = t->decoration.toByteArray();
  if (!t->spacing.value) return notDecimal("文字間(mm)", t->spacing.text);
  v.spacing = *t->spacing.value;
  if (!t->vertical.value) {
    return Failure{
        QStringLiteral("縦書きの「%1」は整数として読めません。").arg(shown(t->vertical.text))};
  }
  v.vertical = *t->vertical.value == 1;
  v.colour = t->colour;
  v.text = t->text.toByteArray();
  return std::optional<TextRecordValues>(std::move(v));
}

QByteArray DecorationOf(bool bold, bool italic, bool underline, bool strikeOut) {
  if (underline || strikeOut) return {};
  if (bold && italic) return cp932::fromUtf8Literal("太字斜体");
  if (bold) return cp932::fromUtf8Literal("太字");
  if (italic) return cp932::fromUtf8Literal("斜体");
  return {};
}

qint64 TextNudgeStep(bool shift, bool ctrl) {
  if (shift) return kTenth;
  if (ctrl) return 10 * fixed::kOne;
  return fixed::kOne;
}

qint64 Nudged(qint64 value, NudgeDirection direction, qint64 step) {
  const bool subtract = direction == NudgeDirection::Up || direction == NudgeDirection::Left;
  const __int128 moved = static_cast<__int128>(value) + (subtract ? -step : step);
  if (moved == 0) return 0;
  const qint64 tenths = fixed::divRoundHalfEven(moved, kTenth);
  return fixed::divTrunc(static_cast<__int128>(tenths) * kTenth, 1);  // kept within 64 bits
}

bool InsertTextRow(LayoutDocument& document, int row) {
  if (!validRow(row)) return false;
  const int first = slotmap::textLine(row);
  for (int line = slotmap::textLine(slotmap::kTextSlots); line > first; --line) {
    document.setLine(line, document.line(line - 1));
  }
  document.setLine(first, LayoutDocument::kEmptySlot);
  const int last = slotmap::textLine(slotmap::kTextSlots);
  MoveFits(document, [first, last](int line) {
    if (line < first || line > last) return line;
    return line == last ? 0 : line + 1;
  });
  return true;
}

bool DeleteTextRow(LayoutDocument& document, int row) {
  if (!validRow(row)) return false;
  const int last = slotmap::textLine(slotmap::kTextSlots);
  for (int line = slotmap::textLine(row); line < last; ++line) {
    document.setLine(line, document.line(line + 1));
  }
  document.setLine(last, LayoutDocument::kEmptySlot);
  const int first = slotmap::textLine(row);
  MoveFits(document, [first, last](int line) {
    if (line < first || line > last) return line;
    return line == first ? 0 : line - 1;
  });
  return true;
}

bool ExchangeTextRow(LayoutDocument& document, int row) {
  if (!validRow(row) || row == slotmap::kTextSlots) return false;
  return SwapTextRows(document, row, row + 1);
}

bool SwapTextRows(LayoutDocument& document, int a, int b) {
  if (!validRow(a) || !validRow(b)) return false;
  const QByteArray first = document.line(slotmap::textLine(a));
  document.setLine(slotmap::textLine(a), document.line(slotmap::textLine(b)));
  document.setLine(slotmap::textLine(b), first);
  const int lineA = slotmap::textLine(a);
  const int lineB = slotmap::textLine(b);
  MoveFits(document, [lineA, lineB](int line) {
    if (line == lineA) return lineB;
    return line == lineB ? lineA : line;
  });
  return true;
}

}  // namespace kelvane
