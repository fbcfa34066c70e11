#include "text/layout_text.h"

#include "text/cp932.h"

namespace kelvane {

QByteArray ToLayoutText(const QString& text) {
  if (auto whole = cp932::encode(text)) return *whole;
  QByteArray bytes;
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    auto one = cp932::encode(text.mid(i, length));
    bytes += one ? *one : QByteArrayLiteral("?");
    i += length;
  }
  return bytes;
}

QString FromLayoutText(QByteArrayView bytes) {
  if (auto whole = cp932::decode(bytes)) return *whole;
  QString text;
  for (qsizetype i = 0; i < bytes.size();) {
    const int length = cp932::charLength(bytes, i);
    auto one = cp932::decode(bytes.sliced(i, length));
    text += one ? *one : QString(QChar(0xFFFD));
    i += length;
  }
  return text;
}

}  // namespace kelvane
