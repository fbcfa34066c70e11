#include "styles/company_info.h"

#include "layout/element_record.h"
#include "layout/field_cursor.h"
#include "layout/layout_slots.h"

namespace kelvane {

namespace {

constexpr int kFieldsBeforeText = 10;

bool isCharRecord(QByteArrayView record) { return RecordKindOf(record) == ElementKind::Text; }

// The record up to and including its tenth comma. A short record gets the
// commas it lacks, so the text that follows is read back as the text.
QByteArray fieldsBeforeText(const QByteArray& record) {
  qsizetype at = 0;
  int commas = 0;
  while (commas < kFieldsBeforeText) {
    const qsizetype comma = record.indexOf(',', at);
    if (comma < 0) break;
    at = comma + 1;
    ++commas;
  }
  if (commas == kFieldsBeforeText) return record.left(at);
  return record + QByteArray(kFieldsBeforeText - commas, ',');
}

// A record the preview can draw: the fields the renderer reads strictly
// are numbers.
bool drawable(QByteArrayView record) {
  const auto element = ReadElementRecord(record);
  return element && element->kind == ElementKind::Text && StrictFieldsOf(element->fields);
}

// The record with "プレビュ－のみ" set: shown in the preview, never printed.
QByteArray previewOnly(const QByteArray& record) {
  const qsizetype first = record.indexOf(',');
  const qsizetype second = record.indexOf(',', first + 1);
  return record.left(first + 1) + '1' + record.mid(second);
}

}  // namespace

QByteArray CompanyText(const LayoutDocument& layout, int index) {
  const QByteArray& record = layout.line(slotmap::companyLine(index));
  return isCharRecord(record) ? CharRecordText(record) : QByteArray();
}

int FirstCompanyTextToChoose(const LayoutDocument& shop, const LayoutDocument& style) {
  for (int i = 0; i < slotmap::kCompanyItems; ++i) {
    const QByteArray styleText = CompanyText(style, i);
    if (!styleText.isEmpty() && styleText != CompanyText(shop, i)) return i;
  }
  return -1;
}

void KeepShopCompanyTexts(LayoutDocument& style, const LayoutDocument& shop) {
  for (int i = 0; i < slotmap::kCompanyItems; ++i) {
    const int line = slotmap::companyLine(i);
    const QByteArray& record = style.line(line);
    if (!isCharRecord(record)) {
      // The style leaves the item out. The text stays the shop's, where it
      // was and for the preview only, so nothing prints where the style has
      // nothing and the next style that places the item prints it again.
      const QByteArray& own = shop.line(line);
      if (!CompanyText(shop, i).isEmpty() && drawable(own)) style.setLine(line, previewOnly(own));
      continue;
    }
    style.setLine(line, fieldsBeforeText(record) + CompanyText(shop, i));
  }
}

}  // namespace kelvane
