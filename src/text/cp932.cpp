#include "text/cp932.h"

#include <QtGlobal>

#include <iconv.h>
#include <algorithm>
#include <cerrno>

namespace kelvane::cp932 {
namespace {

constexpr char16_t kBackslash = u'\\';
constexpr char16_t kYen = u'\u00A5';

// One conversion with glibc iconv. Returns false with the byte offset of the
// first input that could not be converted.
// Opening a converter costs far more than converting a short record, and
// the preview converts every text of the layout on every pass: keep one
// converter per direction and thread.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (valid()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  [[nodiscard]] bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  [[nodiscard]] iconv_t get() const {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    return cd_;
  }

 private:
  iconv_t cd_;
};

bool convert(const Converter& converter, QByteArrayView in, QByteArray& out, qsizetype& badOffset) {
  if (!converter.valid()) {
    badOffset = 0;
    return false;
  }
  iconv_t cd = converter.get();
  out.resize(in.size() * 4 + 16);
  char* inPtr = const_cast<char*>(in.data());
  size_t inLeft = static_cast<size_t>(in.size());
  char* outPtr = out.data();
  size_t outLeft = static_cast<size_t>(out.size());
  bool ok = true;
  while (inLeft > 0) {
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
      if (errno == E2BIG) {
        const auto used = outPtr - out.data();
        out.resize(out.size() * 2);
        outPtr = out.data() + used;
        outLeft = static_cast<size_t>(out.size() - used);
        continue;
      }
      ok = false;
      badOffset = inPtr - in.data();
      break;
    }
  }
  if (ok) iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
  out.resize(outPtr - out.data());
  return ok;
}

QString hexBytes(QByteArrayView bytes, qsizetype offset) {
  const QByteArray piece =
      bytes.sliced(offset, qMin<qsizetype>(2, bytes.size() - offset)).toByteArray();
  return QString::fromLatin1(piece.toHex(' ').toUpper());
}

}  // namespace

Expected<QString> decode(QByteArrayView bytes) {
  // Most record texts are plain ASCII, which cp932 leaves as it is.
  if (std::all_of(bytes.begin(), bytes.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    QString text = QString::fromLatin1(bytes);
    text.replace(QChar(kBackslash), QChar(kYen));
    return text;
  }
  QByteArray utf16;
  qsizetype bad = 0;
  static thread_local const Converter toUnicode("UTF-16LE", "CP932");
  if (!convert(toUnicode, bytes, utf16, bad)) {
    return Failure{
        QStringLiteral("文字コード(Shift_JIS)として読めないバイト %1 が %2 バイト目にあります。")
            .arg(hexBytes(bytes, bad))
            .arg(bad + 1)};
  }
  QString text(reinterpret_cast<const QChar*>(utf16.constData()), utf16.size() / 2);
  text.replace(QChar(kBackslash), QChar(kYen));
  return text;
}

QString decodeReplacing(QByteArrayView bytes) {
  if (auto whole = decode(bytes)) return whole.value();
  QString text;
  for (qsizetype pos = 0; pos < bytes.size();) {
    const int length = charLength(bytes, pos);
    auto ch = decode(bytes.sliced(pos, length));
    text += ch ? ch.value() : QString(QChar::ReplacementCharacter);
    pos += length;
  }
  return text;
}

Expected<QByteArray> encode(const QString& text) {
  QString source = text;
  source.replace(QChar(kYen), QChar(kBackslash));
  const QByteArrayView utf16(reinterpret_cast<const char*>(source.utf16()), source.size() * 2);
  QByteArray out;
  qsizetype bad = 0;
  static thread_local const Converter toCp932("CP932", "UTF-16LE");
  if (!convert(toCp932, utf16, out, bad)) {
    const qsizetype index = bad / 2;
    const QString ch = index < source.size()
                           ? source.mid(index, source.at(index).isHighSurrogate() ? 2 : 1)
                           : QString();
    return Failure{QStringLiteral("文字「%1」は Shift_JIS で保存できません。").arg(ch)};
  }
  return out;
}

QByteArray fromUtf8Literal(const char* utf8) {
  auto bytes = encode(QString::fromUtf8(utf8));
  Q_ASSERT(bytes.ok());
  return bytes.ok() ? bytes.value() : QByteArray();
}

}  // namespace kelvane::cp932
