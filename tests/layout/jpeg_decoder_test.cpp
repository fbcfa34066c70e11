#include "render/jpeg_decoder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace kelvane {
namespace {

QByteArray saveJpeg(const QImage& image, bool progressive = false) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setQuality(95);
  writer.setProgressiveScanWrite(progressive);
  EXPECT_TRUE(writer.write(image));
  return bytes;
}

// Red, green and blue blocks of 16×16 pixels, or smooth colours all over
// (more picture data than header).
QImage picture(bool smooth = false) {
  QImage image(smooth ? 64 : 48, smooth ? 64 : 16, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      image.setPixel(x, y,
                     smooth ? qRgb(x * 4, y * 4, 100)
                            : qRgb(x < 16 ? 255 : 0, x / 16 == 1 ? 255 : 0, x < 32 ? 0 : 255));
    }
  }
  return image;
}

void expectNear(QRgb pixel, int r, int g, int b) {
  EXPECT_NEAR(qRed(pixel), r, 12);
  EXPECT_NEAR(qGreen(pixel), g, 12);
  EXPECT_NEAR(qBlue(pixel), b, 12);
  EXPECT_EQ(qAlpha(pixel), 255);
}

// Offset of the first segment with `marker` (FF xx), walking the headers.
qsizetype segment(const QByteArray& jpeg, uchar marker) {
  for (qsizetype i = 2; i + 3 < jpeg.size() && uchar(jpeg[i]) == 0xFF;
       i += 2 + (uchar(jpeg[i + 2]) << 8 | uchar(jpeg[i + 3]))) {
    if (uchar(jpeg[i + 1]) == marker) return i;
  }
  ADD_FAILURE() << "no marker " << int(marker);
  return 0;
}

QByteArray withFrameSize(QByteArray jpeg, int width, int height) {
  const qsizetype at = segment(jpeg, 0xC0) + 5;
  const char size[4] = {char(height >> 8), char(height), char(width >> 8), char(width)};
  jpeg.replace(at, 4, size, 4);
  return jpeg;
}

// libjpeg directly, for what Qt does not write: 8×8 pixels of one inverted
// CMYK (4 values) or grey (1 value) colour; with `scans`, a progressive grey
// picture with exactly that many scans (DC, each AC coefficient, then
// refinements one bit at a time). Inputs are fixed, so libjpeg's own error
// handling is enough here.
QByteArray encode(J_COLOR_SPACE stored, std::vector<JSAMPLE> colour, int scans = 0) {
  std::vector<jpeg_scan_info> script;
  if (scans > 0) {
    script.push_back({1, {0}, 0, 0, 0, 0});
    for (int k = 1; k < 64; ++k) script.push_back({1, {0}, k, k, 0, 9});
    for (int bit = 9; bit > 0; --bit) {
      for (int k = 1; k < 64 && int(script.size()) < scans; ++k) {
        script.push_back({1, {0}, k, k, bit, bit - 1});
      }
    }
  }
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = info.image_height = 8;
  info.input_components = int(colour.size());
  info.in_color_space = colour.size() == 4 ? JCS_CMYK : JCS_GRAYSCALE;
  jpeg_set_defaults(&info);
  jpeg_set_colorspace(&info, stored);
  jpeg_set_quality(&info, 100, TRUE);
  if (scans > 0) {
    info.scan_info = script.data();
    info.num_scans = int(script.size());
  }
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row;
  for (int x = 0; x < 8; ++x) row.insert(row.end(), colour.begin(), colour.end());
  JSAMPROW rows[1] = {row.data()};
  while (info.next_scanline < 8) jpeg_write_scanlines(&info, rows, 1);
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
  std::free(out);
  return bytes;
}

TEST(FindJpegStart, FindsTheFirstStartInTheFirst258Bytes) {
  QTemporaryDir dir;
  const auto at = [&](const QByteArray& bytes) {
    QFile file(dir.filePath("f.dat"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    return FindJpegStart(file.fileName());
  };
  const QByteArray jpeg = saveJpeg(picture());
  EXPECT_EQ(at(jpeg), 0);
  EXPECT_EQ(at(QByteArray(37, 'x') + jpeg), 37);
  EXPECT_EQ(at("ab\xFF\xD8" + jpeg), 2);  // the first wins, even if no picture follows
  EXPECT_EQ(at(QByteArray(256, '\0') + jpeg), 256);
  EXPECT_EQ(at(QByteArray(257, '\0') + jpeg), -1);
  EXPECT_EQ(at(QByteArray(256, '\0') + "\xFF"), -1);
  EXPECT_EQ(at(QByteArray()), -1);
  EXPECT_EQ(at("\xD8\xFF"), -1);
  EXPECT_EQ(FindJpegStart(dir.filePath("missing.jpg")), -1);
  EXPECT_EQ(FindJpegStart(dir.path()), -1);
  EXPECT_EQ(FindJpegStart(QString()), -1);
}

TEST(DecodeJpeg, DecodesColourGreyAndInkPictures) {
  for (const bool progressive : {false, true}) {
    auto image = DecodeJpeg(saveJpeg(picture(), progressive));
    ASSERT_TRUE(image) << image.error().toStdString();
    EXPECT_EQ(image->format(), QImage::Format_RGB32);
    EXPECT_EQ(image->size(), QSize(48, 16));
    expectNear(image->pixel(8, 8), 255, 0, 0);
    expectNear(image->pixel(24, 8), 0, 255, 0);
    expectNear(image->pixel(40, 8), 0, 0, 255);
  }
  QImage grey(8, 8, QImage::Format_Grayscale8);
  grey.fill(QColor(128, 128, 128));
  auto image = DecodeJpeg(saveJpeg(grey));
  ASSERT_TRUE(image) << image.error().toStdString();
  expectNear(image->pixel(4, 4), 128, 128, 128);

  // Inverted inks: red is no cyan (255), full magenta and yellow (0), no
  // black (255); half black over no colour is mid grey.
  for (const J_COLOR_SPACE stored : {JCS_CMYK, JCS_YCCK}) {
    auto red = DecodeJpeg(encode(stored, {255, 0, 0, 255}));
    ASSERT_TRUE(red) << red.error().toStdString();
    EXPECT_EQ(red->format(), QImage::Format_RGB32);
    expectNear(red->pixel(3, 3), 255, 0, 0);
    auto halfBlack = DecodeJpeg(encode(stored, {255, 255, 255, 128}));
    ASSERT_TRUE(halfBlack) << halfBlack.error().toStdString();
    expectNear(halfBlack->pixel(3, 3), 128, 128, 128);
  }
}

TEST(DecodeJpeg, CutOrDamagedDataIsAFailureNotAGreyPicture) {
  const QByteArray jpeg = saveJpeg(picture(true));
  const qsizetype scan = segment(jpeg, 0xDA);
  const qsizetype data = scan + 2 + (uchar(jpeg[scan + 2]) << 8 | uchar(jpeg[scan + 3]));
  ASSERT_GT(jpeg.size() - data, 200);
  for (qsizetype cut = 1; cut < jpeg.size() - 2; cut += 7) {
    auto image = DecodeJpeg(QByteArrayView(jpeg).first(cut));
    ASSERT_FALSE(image) << "cut at " << cut;
    EXPECT_FALSE(image.error().isEmpty());
  }
  auto cut = DecodeJpeg(QByteArrayView(jpeg).first(data + 100));
  ASSERT_FALSE(cut);
  EXPECT_TRUE(cut.error().contains(u"Premature end of JPEG file")) << cut.error().toStdString();

  // A marker in the middle of the picture data cuts it short.
  QByteArray damaged = jpeg;
  damaged.replace((data + jpeg.size()) / 2, 8, "\xFF\xC8\xFF\xC8\xFF\xC8\xFF\xC8", 8);
  auto broken = DecodeJpeg(damaged);
  ASSERT_FALSE(broken);
  EXPECT_TRUE(broken.error().contains(u"Corrupt JPEG data")) << broken.error().toStdString();

  // Stray bytes between two header segments lose no pixels: no error.
  QByteArray stray = saveJpeg(picture());
  stray.insert(segment(stray, 0xDB), "stray");
  auto tolerated = DecodeJpeg(stray);
  ASSERT_TRUE(tolerated) << tolerated.error().toStdString();
  expectNear(tolerated->pixel(8, 8), 255, 0, 0);

  EXPECT_FALSE(DecodeJpeg(QByteArray()));
  EXPECT_FALSE(DecodeJpeg(QByteArray("not a picture at all")));
}

TEST(DecodeJpeg, SurvivesAnySingleDamagedByte) {
  const QByteArray jpeg = saveJpeg(picture(), true);
  for (qsizetype i = 0; i < jpeg.size(); ++i) {
    for (const char value : {char(0x00), char(0xFF), char(jpeg[i] ^ 0x5A)}) {
      QByteArray damaged = jpeg;
      damaged[i] = value;
      auto image = DecodeJpeg(damaged);
      if (image) {
        EXPECT_EQ(image->format(), QImage::Format_RGB32);
      } else {
        EXPECT_FALSE(image.error().isEmpty());
      }
    }
  }
}

TEST(DecodeJpeg, RefusesHugeEmptyAndEndlessPictures) {
  const QByteArray jpeg = saveJpeg(picture());
  for (const auto& [width, height] : {std::pair{30001, 1}, {1, 30001}, {20000, 20000}}) {
    auto image = DecodeJpeg(withFrameSize(jpeg, width, height));
    ASSERT_FALSE(image);
    EXPECT_TRUE(image.error().contains(u"大きすぎます")) << image.error().toStdString();
  }
  // Inside the limits decoding starts, and then the data runs out.
  auto inside = DecodeJpeg(withFrameSize(jpeg, 30000, 3333));
  ASSERT_FALSE(inside);
  EXPECT_FALSE(inside.error().contains(u"大きすぎます")) << inside.error().toStdString();
  EXPECT_FALSE(DecodeJpeg(withFrameSize(jpeg, 8, 0)));
  EXPECT_FALSE(DecodeJpeg(withFrameSize(jpeg, 0, 8)));

  auto most = DecodeJpeg(encode(JCS_GRAYSCALE, {200}, 500));
  ASSERT_TRUE(most) << most.error().toStdString();
  expectNear(most->pixel(0, 0), 200, 200, 200);
  auto tooMany = DecodeJpeg(encode(JCS_GRAYSCALE, {200}, 501));
  ASSERT_FALSE(tooMany);
  EXPECT_TRUE(tooMany.error().contains(u"500")) << tooMany.error().toStdString();
}

TEST(LoadJpegAt, DecodesFromTheOffsetAndNamesTheFileOnFailure) {
  QTemporaryDir dir;
  const QString path = dir.filePath("seal.dat");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(37, 'x') + saveJpeg(picture()));
  file.close();

  auto image = LoadJpegAt(path, 37);
  ASSERT_TRUE(image) << image.error().toStdString();
  EXPECT_EQ(image->size(), QSize(48, 16));
  expectNear(image->pixel(8, 8), 255, 0, 0);

  for (const qint64 offset : {0, -1, 100000}) {
    auto wrong = LoadJpegAt(path, offset);
    ASSERT_FALSE(wrong);
    EXPECT_TRUE(wrong.error().contains(QDir::toNativeSeparators(path)))
        << wrong.error().toStdString();
  }
  const QString missing = dir.filePath("missing.jpg");
  EXPECT_TRUE(LoadJpegAt(missing, 0).error().contains(QDir::toNativeSeparators(missing)));
}

}  // namespace
}  // namespace kelvane
