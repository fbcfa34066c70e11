#include "render/picture_loader.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kelvane {
namespace {

QByteArray encoded(int width, int height, QColor colour, const char* format) {
  QImage image(width, height, colour.alpha() < 255 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  image.fill(colour);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, format)) << format;
  return bytes;
}

// The colour of a loaded picture's pixel (1, 1); 0 when loading failed.
QRgb colour(const Expected<Picture>& picture) { return picture ? picture->image.pixel(1, 1) : 0; }

class PictureFiles : public ::testing::Test {
 protected:
  // Writes the file; with `when`, also sets its modification time.
  QString write(const QString& name, const QByteArray& bytes, const QDateTime& when = {}) {
    QFile file(dir_.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    EXPECT_EQ(file.write(bytes), bytes.size());
    file.flush();
    if (when.isValid()) {
      EXPECT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
    }
    return file.fileName();
  }
  // The message of a load that must fail; it must name the file.
  static QString failure(const QString& path) {
    auto picture = LoadPicture(path);
    EXPECT_FALSE(picture) << path.toStdString();
    EXPECT_TRUE(picture.error().contains(QDir::toNativeSeparators(path)))
        << picture.error().toStdString();
    return picture.error();
  }
  QTemporaryDir dir_;
  const QDateTime past_ = QDateTime::currentDateTime().addSecs(-100);
};

TEST_F(PictureFiles, BmpAndPngLoadDrawableAtTheirSize) {
  struct Case {
    QString name;
    QByteArray bytes;
    QSize size;
    QImage::Format format;
  };
  for (const Case& c :
       {Case{"logo.bmp", encoded(30, 20, Qt::blue, "BMP"), {30, 20}, QImage::Format_RGB32},
        Case{"logo.PNG", encoded(7, 9, Qt::green, "PNG"), {7, 9}, QImage::Format_RGB32},
        Case{"seal.png",
             encoded(5, 4, QColor(255, 0, 0, 128), "PNG"),
             {5, 4},
             QImage::Format_ARGB32_Premultiplied}}) {
    auto picture = LoadPicture(write(c.name, c.bytes));
    ASSERT_TRUE(picture) << picture.error().toStdString();
    EXPECT_TRUE(picture->drawable);
    EXPECT_EQ(picture->image.size(), c.size) << c.name.toStdString();
    EXPECT_EQ(picture->image.format(), c.format) << c.name.toStdString();
  }
}

TEST_F(PictureFiles, JpegDataNearTheStartDecidesOverTheName) {
  const QByteArray jpeg = encoded(16, 16, Qt::red, "JPG");
  for (const QString name : {"seal.dat", "seal.png", "seal"}) {
    auto picture = LoadPicture(write(name, QByteArray(37, 'x') + jpeg));
    ASSERT_TRUE(picture) << name.toStdString() << ": " << picture.error().toStdString();
    EXPECT_TRUE(picture->drawable);
    EXPECT_EQ(picture->image.size(), QSize(16, 16));
    EXPECT_GT(qRed(picture->image.pixel(8, 8)), 240);
  }
  // A 24-bit BMP's first pixel (blue, green, red) at byte 54: blue FF and
  // green D8 look like the start of a JPEG, so it is decoded as one.
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(Qt::white);
  image.setPixel(0, 3, qRgb(0x10, 0xD8, 0xFF));
  QByteArray bmp;
  QBuffer buffer(&bmp);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  ASSERT_EQ(bmp.mid(54, 2), QByteArray("\xFF\xD8"));
  EXPECT_TRUE(failure(write("odd.bmp", bmp)).contains(u"JPEG"));
  // A JPEG name without JPEG data fails with the decoder's message.
  for (const QString name : {"a.jpg", "b.JPEG", "c.jpe"}) {
    EXPECT_TRUE(failure(write(name, encoded(4, 4, Qt::red, "PNG"))).contains(u"Not a JPEG file"));
  }
}

TEST_F(PictureFiles, IconsAndMetafilesLoadButAreNotDrawn) {
  auto icon = LoadPicture(write("shop.ico", encoded(16, 16, Qt::red, "ICO")));
  ASSERT_TRUE(icon) << icon.error().toStdString();
  EXPECT_FALSE(icon->drawable);
  failure(write("bad.ico", "not an icon"));

  for (const QString name : {"seal.wmf", "seal.EMF"}) {
    auto metafile = LoadPicture(write(name, "not decoded here"));
    ASSERT_TRUE(metafile) << metafile.error().toStdString();
    EXPECT_FALSE(metafile->drawable);
  }
  failure(dir_.filePath("gone.wmf"));
}

TEST_F(PictureFiles, UnknownKindsDamagedAndHugeFilesFail) {
  const QByteArray png = encoded(4, 4, Qt::red, "PNG");
  for (const QString name : {"logo.gif", "logo.tif", "logo"}) {
    const QString path = write(name, png);
    EXPECT_EQ(
        failure(path),
        QStringLiteral("「%1」は読み込めない画像の種類です。").arg(QDir::toNativeSeparators(path)));
  }
  const QByteArray bmp = encoded(8, 8, Qt::red, "BMP");
  failure(write("noise.png", QByteArray(300, 'z')));
  failure(write("noise.bmp", QByteArray(300, 'z')));
  failure(write("short.png", png.first(png.size() / 2)));
  failure(write("short.bmp", bmp.first(20)));
  failure(write("png.bmp", png));  // the extension names the format
  failure(dir_.filePath("missing.png"));
  failure(dir_.path());

  // Width and height at bytes 18 and 22 of a BMP: refused before decoding.
  for (const auto& [width, height] : {std::pair{40000, 8}, {8, 40000}, {15000, 15000}}) {
    QByteArray huge = bmp;
    const char size[8] = {char(width),  char(width >> 8),  char(width >> 16),  char(width >> 24),
                          char(height), char(height >> 8), char(height >> 16), char(height >> 24)};
    huge.replace(18, 8, size, 8);
    EXPECT_TRUE(failure(write("huge.bmp", huge)).contains(u"大きすぎます"))
        << width << "x" << height;
  }
}

TEST_F(PictureFiles, CacheKeepsAPictureUntilTheFileChanges) {
  const QByteArray red = encoded(6, 6, Qt::red, "BMP");
  const QByteArray blue = encoded(6, 6, Qt::blue, "BMP");
  const QString path = write("seal.bmp", red, past_);

  PictureCache cache;
  EXPECT_EQ(colour(cache.load(path)), qRgb(255, 0, 0));
  // Same size and time: the kept picture, not read again, by any spelling.
  write("seal.bmp", blue, past_);
  EXPECT_EQ(colour(cache.load(dir_.path() + "/./seal.bmp")), qRgb(255, 0, 0));
  EXPECT_EQ(cache.size(), 1);
  // A new time, then a new size at the same time: read again.
  write("seal.bmp", blue, past_.addSecs(10));
  EXPECT_EQ(colour(cache.load(path)), qRgb(0, 0, 255));
  write("seal.bmp", encoded(7, 6, Qt::blue, "BMP"), past_.addSecs(10));
  auto resized = cache.load(path);
  ASSERT_TRUE(resized);
  EXPECT_EQ(resized->image.width(), 7);
  EXPECT_EQ(cache.size(), 1);

  // Gone or broken: failures are not kept, nor is the old picture served.
  ASSERT_TRUE(QFile::remove(path));
  EXPECT_FALSE(cache.load(path));
  write("seal.bmp", "broken");
  EXPECT_FALSE(cache.load(path));
  EXPECT_EQ(cache.size(), 0);

  write("seal.bmp", red, past_);
  EXPECT_EQ(colour(cache.load(path)), qRgb(255, 0, 0));
  cache.clear();
  EXPECT_EQ(cache.size(), 0);
  write("seal.bmp", blue, past_);
  EXPECT_EQ(colour(cache.load(path)), qRgb(0, 0, 255));
}

TEST_F(PictureFiles, CacheDropsTheLeastRecentlyUsedPicture) {
  const QByteArray red = encoded(4, 4, Qt::red, "BMP");
  const QByteArray blue = encoded(4, 4, Qt::blue, "BMP");
  QStringList paths;
  for (int i = 0; i <= PictureCache::kCapacity; ++i)
    paths << write(QStringLiteral("p%1.bmp").arg(i), red, past_);

  PictureCache cache;
  for (const QString& path : paths.first(PictureCache::kCapacity)) ASSERT_TRUE(cache.load(path));
  ASSERT_TRUE(cache.load(paths[0]));  // now the most recent: p1 is the oldest
  ASSERT_TRUE(cache.load(paths.back()));
  EXPECT_EQ(cache.size(), PictureCache::kCapacity);

  // Changed without a trace in size or time: only the dropped one is read.
  write("p0.bmp", blue, past_);
  write("p1.bmp", blue, past_);
  EXPECT_EQ(colour(cache.load(paths[0])), qRgb(255, 0, 0));
  EXPECT_EQ(colour(cache.load(paths[1])), qRgb(0, 0, 255));
  EXPECT_EQ(cache.size(), PictureCache::kCapacity);
}

}  // namespace
}  // namespace kelvane
