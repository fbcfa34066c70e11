#include "styles/style_contents.h"

#include "layout/element_record.h"
#include "layout/field_cursor.h"
#include "layout/layout_slots.h"
#include "styles/image_record.h"
#include "styles/text_record.h"
#include "text/cp932.h"

namespace kelvane {

namespace {

ImageOverview readImage(const QByteArray& record) {
  const ImageElement e = ReadImageElement(record);
  ImageOverview image;
  image.x = e.x.text.toByteArray();
  image.y = e.y.text.toByteArray();
  image.file = e.file.toByteArray();
  return image;
}

ShapeRow readShape(const QByteArray& record) {
  const ShapeElement e = ReadShapeElement(record);
  ShapeRow row;
  if (e.keyword.isEmpty()) return row;
  row.corners = ShapeCorners(e.x1.text, e.y1.text, e.x2.text, e.y2.text, e.width.text);
  row.penStyle = e.pattern.toByteArray();
  row.colour = static_cast<quint32>(e.colour);
  row.kindCaption = cp932::fromUtf8Literal(e.keyword == "line" ? "直線" : "四角形");
  row.kind = e.keyword.toByteArray();
  return row;
}

}  // namespace

StyleContents ReadStyleContents(const LayoutDocument& document) {
  StyleContents contents;
  contents.title = FieldCursor(document.line(slotmap::kTitleLine)).TakeField().toByteArray();
  contents.header = ReadStyleHeader(document);
  for (int slot = 1; slot <= 8; ++slot) {
    contents.images[slot - 1] = readImage(document.line(slotmap::imageLine(slot)));
  }
  for (int row = 1; row <= slotmap::kShapeSlots; ++row) {
    contents.shapes[row - 1] = readShape(document.line(slotmap::shapeLine(row)));
  }
  for (int row = 1; row <= slotmap::kTextSlots; ++row) {
    contents.texts[row - 1] = CharRecordText(document.line(slotmap::textLine(row)));
  }
  for (int i = 0; i < slotmap::kCompanyItems; ++i)
    contents.company[i] = CharRecordText(document.line(slotmap::companyLine(i)));
  return contents;
}

QByteArray EmptiedElementRecord(qsizetype line) {
  if (slotmap::isImageLine(line)) {
    // The image editor's clear: position 0, no file, the size kept; a
    // damaged size is no size to keep.
    ImageValues none;
    none.x = none.y = none.width = none.height = "0";
    return BuildImageRecord(none);
  }
  if (slotmap::isTextLine(line) || slotmap::isItemLine(line)) return QByteArray(kResetTextRecord);
  return LayoutDocument::kEmptySlot;
}

}  // namespace kelvane
