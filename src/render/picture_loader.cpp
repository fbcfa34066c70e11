#include "render/picture_loader.h"

#include "render/jpeg_decoder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace kelvane {
namespace {

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

// Qt's limit is in MiB of decoded pixels: the largest picture accepted, at
// 4 bytes a pixel, with some room for decoders that work in wider formats.
constexpr int kReaderAllocationLimitMb = 512;

void limitReaderAllocation() {
  static const bool done = [] {
    QImageReader::setAllocationLimit(kReaderAllocationLimitMb);
    return true;
  }();
  Q_UNUSED(done);
}

bool tooLarge(qint64 width, qint64 height) {
  return width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels;
}

Failure tooLargeFailure(const QString& path, qint64 width, qint64 height) {
  return Failure{QStringLiteral("「%1」は画像が大きすぎます（%2×%3 ピクセル）。幅と高さは %4 "
                                "ピクセルまで、画素数は %5 までです。")
                     .arg(shown(path), QString::number(width), QString::number(height),
                          QString::number(kMaxPictureSide), QString::number(kMaxPicturePixels))};
}

// Decodes with Qt's reader for exactly `format`: a file named .bmp that holds
// something else is not guessed at.
Expected<QImage> readWithQt(const QString& path, const char* format) {
  limitReaderAllocation();
  QImageReader reader(path, format);
  reader.setAutoDetectImageFormat(false);
  const QSize declared = reader.size();
  if (declared.isValid() && tooLarge(declared.width(), declared.height())) {
    return tooLargeFailure(path, declared.width(), declared.height());
  }
  QImage image = reader.read();
  if (image.isNull()) {
    return Failure{QStringLiteral("「%1」を画像として読み込めません: %2")
                       .arg(shown(path), reader.errorString())};
  }
  if (tooLarge(image.width(), image.height())) {
    return tooLargeFailure(path, image.width(), image.height());
  }
  // The two formats the renderer draws.
  image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                        : QImage::Format_RGB32);
  if (image.isNull()) {
    return Failure{QStringLiteral("「%1」を展開するためのメモリが足りません。").arg(shown(path))};
  }
  return image;
}

// Metafiles are never drawn, and Qt cannot decode them; the layout only
// needs to know that the file is there and readable.
Expected<void> checkReadable(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return Failure{
        QStringLiteral("「%1」を読み込めません: %2").arg(shown(path), file.errorString())};
  }
  char byte;
  if (file.read(&byte, 1) < 0) {
    return Failure{
        QStringLiteral("「%1」を読み込めません: %2").arg(shown(path), file.errorString())};
  }
  return {};
}

Expected<Picture> drawable(Expected<QImage> image) {
  if (!image) return Failure{image.error()};
  return Picture{std::move(image).value(), true};
}

}  // namespace

Expected<Picture> LoadPicture(const QString& path) {
  const QFileInfo info(path);
  if (path.isEmpty() || !info.exists()) {
    return Failure{QStringLiteral("画像ファイル「%1」が見つかりません。").arg(shown(path))};
  }
  // A folder, a device or a pipe: reading could block or never end.
  if (!info.isFile()) {
    return Failure{
        QStringLiteral("「%1」は普通のファイルではないため読み込めません。").arg(shown(path))};
  }

  // Some programs that make seals and logos put a header of their own in
  // front of the JPEG data and name the file anything; the data decides.
  const qint64 start = FindJpegStart(path);
  if (start >= 0) return drawable(LoadJpegAt(path, start));

  const QString ext = info.suffix().toLower();
  if (ext == u"jpg" || ext == u"jpeg" || ext == u"jpe") {
    // No JPEG start: the decoder says what is wrong with the file.
    return drawable(LoadJpegAt(path, 0));
  }
  if (ext == u"bmp") return drawable(readWithQt(path, "bmp"));
  if (ext == u"png") return drawable(readWithQt(path, "png"));
  if (ext == u"ico") {
    // Icons load, so a layout naming one is not an error, but are not drawn.
    auto image = readWithQt(path, "ico");
    if (!image) return Failure{image.error()};
    return Picture{std::move(image).value(), false};
  }
  if (ext == u"wmf" || ext == u"emf") {
    auto readable = checkReadable(path);
    if (!readable) return Failure{readable.error()};
    return Picture{QImage(), false};
  }
  return Failure{QStringLiteral("「%1」は読み込めない画像の種類です。").arg(shown(path))};
}

Expected<Picture> PictureCache::load(const QString& path) {
  // Looked at before reading: a file changed while it is read gets a new
  // stamp and is read again next time.
  const QFileInfo info(path);
  const QString key = info.absoluteFilePath();
  const qint64 bytes = info.size();
  const qint64 modifiedMs = info.lastModified().toMSecsSinceEpoch();

  for (qsizetype i = 0; i < entries_.size(); ++i) {
    if (entries_[i].path != key) continue;
    if (info.exists() && entries_[i].bytes == bytes && entries_[i].modifiedMs == modifiedMs) {
      entries_.move(i, 0);
      return entries_.front().picture;
    }
    entries_.removeAt(i);  // the file changed or went away
    break;
  }

  auto picture = LoadPicture(path);
  if (!picture) return picture;
  entries_.prepend(Entry{key, bytes, modifiedMs, picture.value()});
  while (entries_.size() > kCapacity) entries_.removeLast();
  return picture;
}

void PictureCache::clear() { entries_.clear(); }

int PictureCache::size() const { return static_cast<int>(entries_.size()); }

}  // namespace kelvane
