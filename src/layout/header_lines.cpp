#include "layout/header_lines.h"

#include "layout/layout_slots.h"

#include <QByteArrayList>

namespace kelvane {

namespace {

QByteArray number(int value) { return QByteArray::number(value); }
QByteArray flag(bool on) { return on ? QByteArrayLiteral("1") : QByteArrayLiteral("0"); }

QByteArray printSettingsLine(const LayoutHost& host) {
  const int paperIndex = host.paperListIndex();
  const QByteArrayList fields{host.offsetXText(),
                              host.offsetYText(),
                              host.lineWeightOffsetText(),
                              number(host.previewMode()),
                              number(host.paperSizeCode()),
                              number(host.landscapeFlag()),
                              number(host.splitterPosition()),
                              number(host.zoomPercent()),
                              number(host.paperSourceCode()),
                              number(paperIndex),
                              paperIndex < 0 ? QByteArray() : host.paperListText()};
  return fields.join(',');
}

}  // namespace

void RebuildHeaderLines(LayoutDocument& document, const LayoutHost& host) {
  document.setLine(slotmap::kVersionLine, kVersionInMemory);
  document.setLine(slotmap::kTitleLine, host.styleTitle() + ',');
  document.setLine(slotmap::kPrintSettingsLine, printSettingsLine(host));
  document.setLine(slotmap::kReceiptSizeLine,
                   host.receiptWidthText() + ',' + host.receiptHeightText() + ',' +
                       flag(host.yenMark()) + ',' + flag(host.dashMark()) + ',' +
                       flag(host.autoDate()) + ',');
  document.setLine(slotmap::kRegisterPathLine, host.registerPath() + ',');
  document.setLine(slotmap::kNumberingLine,
                   host.numberHeader() + ',' + host.digitCount() + ',' + host.lastNumber() + ',');
}

}  // namespace kelvane

#include "layout/field_cursor.h"
#include "text/fixed_point.h"

namespace kelvane {

StyleHeader ReadStyleHeader(const LayoutDocument& document) {
  StyleHeader h;
  auto whole = [](FieldCursor& c) { return fixed::parseWholeOr(c.TakeField(), 0); };
  FieldCursor print(document.line(slotmap::kPrintSettingsLine));
  h.offsetX = whole(print);
  h.offsetY = whole(print);
  h.lineWeightOffset = print.TakeField().toByteArray();
  h.previewMode = whole(print);
  h.paperSizeCode = whole(print);
  h.landscapeFlag = whole(print);
  print.Skip(2);
  h.paperSourceCode = whole(print);
  FieldCursor size(document.line(slotmap::kReceiptSizeLine));
  h.receiptWidth = whole(size);
  h.receiptHeight = whole(size);
  return h;
}

}  // namespace kelvane
