#include "styles/company_info.h"

#include "layout/field_cursor.h"
#include "layout/layout_slots.h"

namespace kelvane {

namespace {

constexpr int kFieldsBeforeText = 10;

bool isCharRecord(QByteArrayView record) { return FieldCursor(record).TakeField() == "char"; }

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

}  // namespace

QByteArray CompanyText(const LayoutDocument& layout, int index) {
  const QByteArray& record = layout.line(slotmap::companyLine(index));
  return isCharRecord(record) ? CharRecordText(record) : QByteArray();
}

CompanyInfoOnLoad CompanyInfoOnLoadOf(const LayoutDocument& shop, const LayoutDocument& style) {
  bool same = true;
  bool styleHasTexts = false;
  for (int i = 0; i < slotmap::kCompanyItems; ++i) {
    const QByteArray styleText = CompanyText(style, i);
    styleHasTexts = styleHasTexts || !styleText.isEmpty();
    same = same && styleText == CompanyText(shop, i);
  }
  if (same) return CompanyInfoOnLoad::Same;
  return styleHasTexts ? CompanyInfoOnLoad::Ask : CompanyInfoOnLoad::KeepShop;
}

void KeepShopCompanyTexts(LayoutDocument& style, const LayoutDocument& shop) {
  for (int i = 0; i < slotmap::kCompanyItems; ++i) {
    const int line = slotmap::companyLine(i);
    const QByteArray& record = style.line(line);
    if (!isCharRecord(record)) continue;
    style.setLine(line, fieldsBeforeText(record) + CompanyText(shop, i));
  }
}

}  // namespace kelvane
