#include "styles/image_record.h"

#include "layout/element_record.h"
#include "text/cp932.h"
#include "text/fixed_point.h"

namespace kelvane {

namespace {

QByteArray withoutCommas(QByteArrayView text) {
  QByteArray out = text.toByteArray();
  out.replace(',', QByteArray());
  return out;
}

// Blanks and control characters: every byte up to the space. None of them
// can be the second byte of a cp932 character, so cutting bytes is safe.
QByteArray trimmedRecord(const QByteArray& record) {
  qsizetype first = 0;
  qsizetype last = record.size();
  while (first < last && static_cast<unsigned char>(record[first]) <= 0x20) ++first;
  while (last > first && static_cast<unsigned char>(record[last - 1]) <= 0x20) --last;
  return record.mid(first, last - first);
}

// The editor reads an empty position or size, or "", as 0, where the
// renderer stops.
Expected<qint64> numberField(const DecimalField& field, const QString& what) {
  if (field.value) return *field.value;
  auto value = FieldToNumber(field.text);
  if (!value) return Failure{what + QStringLiteral("の") + value.error()};
  return value.value();
}

qint64 roundedRatio(qint64 num, qint64 den) { return fixed::divRoundHalfEven(num, den); }

}  // namespace

QByteArray BuildImageRecord(const ImageValues& v) {
  QByteArray record = "image,";
  record += v.previewOnly ? '1' : '0';
  for (const QByteArray& field : {withoutCommas(v.x), withoutCommas(v.y), v.file,
                                  withoutCommas(v.width), withoutCommas(v.height)}) {
    record += ',';
    record += field;
  }
  record += ",,0,0";
  return trimmedRecord(record);
}

std::optional<QString> UnstorablePicturePath(const QString& path) {
  if (path.contains(u',')) {
    return QStringLiteral("「,」を含むファイル名やフォルダ名の画像は使えません。\r\n%1").arg(path);
  }
  if (const auto encoded = cp932::encode(path); !encoded) {
    return QStringLiteral("このファイル名には保存できない文字が含まれています。\r\n%1").arg(path);
  }
  return std::nullopt;
}

Expected<ImageSelection> ReadImageRecord(QByteArrayView record) {
  // The keyword is not looked at: an image slot is read as an image.
  const ImageElement e = ReadImageElement(record);
  ImageSelection s;
  const auto previewOnly = PreviewOnlyOf(e.previewFlag);
  s.previewOnly = previewOnly && previewOnly.value();
  auto x = numberField(e.x, QStringLiteral("位置X"));
  if (!x) return Failure{x.error()};
  auto y = numberField(e.y, QStringLiteral("位置Y"));
  if (!y) return Failure{y.error()};
  s.file = e.file.toByteArray();
  auto width = numberField(e.width, QStringLiteral("サイズX"));
  if (!width) return Failure{width.error()};
  auto height = numberField(e.height, QStringLiteral("サイズY"));
  if (!height) return Failure{height.error()};
  s.x = x.value();
  s.y = y.value();
  s.width = width.value();
  s.height = height.value();
  return s;
}

std::optional<QRect> FitImagePreview(int pictureWidth, int pictureHeight, int panelWidth,
                                     int panelHeight) {
  const qint64 w = pictureWidth, h = pictureHeight, pw = panelWidth, ph = panelHeight;
  if (w <= 0 || h <= 0 || pw <= 0 || ph <= 0) return std::nullopt;
  qint64 width = 0, height = 0;
  if (h > w) {
    // Taller than wide: the panel's height first.
    height = ph;
    width = roundedRatio(w * ph, h);
    if (width > pw) {
      height = roundedRatio(pw * ph, width);
      width = pw;
    }
  } else {
    width = pw;
    height = roundedRatio(h * pw, w);
    if (height > ph) {
      width = roundedRatio(ph * pw, height);
      height = ph;
    }
  }
  const qint64 left = roundedRatio(pw - width, 2) + 2;
  const qint64 top = roundedRatio(ph - height, 2) + 2;
  return QRect(int(left), int(top), int(width), int(height));
}

}  // namespace kelvane
