#include "layout/item_text.h"

#include "layout/field_cursor.h"
#include "layout/layout_slots.h"
#include "text/cp932.h"

namespace kelvane {

namespace {
constexpr int kRecordFields = 10;
}

QByteArray WithItemText(QByteArrayView record, QByteArrayView text) {
  FieldCursor cursor(record);
  QByteArray out;
  out.reserve(record.size() + text.size() + kRecordFields);
  for (int i = 0; i < kRecordFields; ++i) {
    out += cursor.TakeField();
    out += ',';
  }
  out += text;
  return out;
}

QByteArray WithAmountMarks(QByteArrayView text, const LayoutHost& host) {
  static const QByteArray kKin = cp932::fromUtf8Literal("金");
  static const QByteArray kNari = cp932::fromUtf8Literal("也");
  const bool kanji = host.kanjiAmount();
  QByteArray out;
  if (host.yenMark()) out += kanji ? kKin : QByteArray("\\");
  out += text;
  if (host.dashMark()) out += kanji ? kNari : QByteArray("-");
  return out;
}

void SetItemTextQuiet(LayoutDocument& document, int line, QByteArrayView text) {
  document.setLine(line, WithItemText(document.line(line), text));
}

void SetItemText(LayoutDocument& document, LayoutHost& host, int line, QByteArrayView text) {
  if (line == slotmap::kAmount) {
    SetItemTextQuiet(document, line, WithAmountMarks(text, host));
  } else {
    SetItemTextQuiet(document, line, text);
  }
  host.RefreshPreview();
}

}  // namespace kelvane
