// Image records as the image editor writes and reads them, which picture
// paths a record can hold, and how a picture is fitted into the preview
// panel.

#include "styles/image_record.h"

#include "layout/field_cursor.h"
#include "text/cp932.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(ImageRecordBuild, TenFieldsEndingEmptyZeroZero) {
  ImageValues v;
  v.x = "15";
  v.y = "12";
  v.file = "/home/shop/seal.bmp";
  v.width = "30";
  v.height = "0";
  const QByteArray record = BuildImageRecord(v);
  EXPECT_EQ(record, "image,0,15,12,/home/shop/seal.bmp,30,0,,0,0");
  EXPECT_EQ(record.count(','), 9);
  FieldCursor c(record);
  c.Skip(7);
  EXPECT_EQ(c.TakeField(), "");
  EXPECT_EQ(c.TakeField(), "0");
  EXPECT_EQ(c.FieldRest(), "0");

  v.previewOnly = true;
  v.file.clear();
  v.x = "1,200";
  EXPECT_EQ(BuildImageRecord(v), "image,1,1200,12,,30,0,,0,0");
}

TEST(ImageRecordBuild, PathsARecordCannotHold) {
  EXPECT_FALSE(UnstorablePicturePath(QStringLiteral("/home/店舗/印鑑.png")));
  const auto comma = UnstorablePicturePath(QStringLiteral("/home/a,b/seal.bmp"));
  ASSERT_TRUE(comma);
  EXPECT_TRUE(comma->contains(QStringLiteral("/home/a,b/seal.bmp")));
  EXPECT_TRUE(UnstorablePicturePath(QStringLiteral("/home/\U0001F600/seal.bmp")));
}

TEST(ImageRecordRead, FieldsAndMalformedNumbers) {
  auto full = ReadImageRecord(cp932::fromUtf8Literal("image,1,15,12.5,/tmp/印.bmp,30,\"\",,0,0"));
  ASSERT_TRUE(full) << full.error().toStdString();
  EXPECT_TRUE(full->previewOnly);
  EXPECT_EQ(full->x, 150000);
  EXPECT_EQ(full->y, 125000);
  EXPECT_EQ(full->file, cp932::fromUtf8Literal("/tmp/印.bmp"));
  EXPECT_EQ(full->width, 300000);
  EXPECT_EQ(full->height, 0) << "two double quotes read as 0";

  // Only the whole number 1 keeps the image off the paper.
  for (const char* flag : {"0", "2", "", "x", "1.0"}) {
    auto r = ReadImageRecord(QByteArray("image,") + flag + ",1,1,a.bmp,0,0,,0,0");
    ASSERT_TRUE(r) << flag;
    EXPECT_FALSE(r->previewOnly) << flag;
  }

  // An empty slot has nothing in it: position and size 0, no file.
  auto empty = ReadImageRecord(",");
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->x, 0);
  EXPECT_EQ(empty->y, 0);
  EXPECT_TRUE(empty->file.isEmpty());
  EXPECT_EQ(empty->width, 0);

  const auto bad = ReadImageRecord("image,0,15,12,a.bmp,3O,0,,0,0");
  ASSERT_FALSE(bad);
  EXPECT_TRUE(bad.error().contains(QStringLiteral("「3O」")));
  EXPECT_TRUE(bad.error().contains(QStringLiteral("サイズX")));
  EXPECT_FALSE(ReadImageRecord("image,0,ten,12,a.bmp,0,0,,0,0"));
}

TEST(ImageRecordRead, WhatIsWrittenReadsBack) {
  ImageValues v;
  v.previewOnly = true;
  v.x = "-2.5";
  v.y = "0";
  v.file = cp932::fromUtf8Literal("/srv/ロゴ.jpg");
  v.width = "40";
  v.height = "12.25";
  auto back = ReadImageRecord(BuildImageRecord(v));
  ASSERT_TRUE(back);
  EXPECT_TRUE(back->previewOnly);
  EXPECT_EQ(back->x, -25000);
  EXPECT_EQ(back->y, 0);
  EXPECT_EQ(back->file, v.file);
  EXPECT_EQ(back->width, 400000);
  EXPECT_EQ(back->height, 122500);
}

// The editor's panel is 130 × 100 with a 2-pixel bevel: 126 × 96 inside.
TEST(FitImagePreview, WideTallAndSquarePictures) {
  EXPECT_EQ(FitImagePreview(200, 100, 126, 96), QRect(2, 18, 126, 63));
  EXPECT_EQ(FitImagePreview(100, 200, 126, 96), QRect(41, 2, 48, 96));
  // Square counts as wide; too tall for the panel, the height decides.
  EXPECT_EQ(FitImagePreview(100, 100, 126, 96), QRect(17, 2, 96, 96));
  // Wide, but not wide enough for the panel's width.
  EXPECT_EQ(FitImagePreview(130, 120, 126, 96), QRect(13, 2, 104, 96));
  // Tall in a panel narrower still: the width decides.
  EXPECT_EQ(FitImagePreview(90, 100, 50, 100), QRect(2, 24, 50, 56));
}

TEST(FitImagePreview, HalvesRoundToEvenAndEmptyPicturesStop) {
  // Height 78.75 -> 79; the space above is 17 / 2 = 8.5 -> 8.
  EXPECT_EQ(FitImagePreview(160, 100, 126, 96), QRect(2, 10, 126, 79));
  // Width 3 × 96 / 64 = 4.5 -> 4, and 5 × 96 / 64 = 7.5 -> 8.
  EXPECT_EQ(FitImagePreview(3, 64, 126, 96).value().width(), 4);
  EXPECT_EQ(FitImagePreview(5, 64, 126, 96).value().width(), 8);
  EXPECT_FALSE(FitImagePreview(0, 10, 126, 96));
  EXPECT_FALSE(FitImagePreview(10, 0, 126, 96));
  EXPECT_FALSE(FitImagePreview(10, 10, 0, 96));
}

}  // namespace
}  // namespace kelvane
