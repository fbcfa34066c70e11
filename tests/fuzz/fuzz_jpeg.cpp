// Any picture file: the JPEG start found, the JPEG data decoded, and the
// file loaded as the renderer loads an image, under a JPEG and a bitmap name.

#include "fuzz_input.h"
#include "render/jpeg_decoder.h"
#include "render/picture_loader.h"

using namespace kelvane;

namespace {

void CheckImage(const QImage& image) {
  KELVANE_FUZZ_CHECK(!image.isNull());
  KELVANE_FUZZ_CHECK(image.width() <= kMaxPictureSide && image.height() <= kMaxPictureSide);
  KELVANE_FUZZ_CHECK(qint64(image.width()) * image.height() <= kMaxPicturePixels);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::EnsureApplication();
  const QByteArray content = fuzz::Bytes(data, size);
  if (const auto image = DecodeJpeg(content)) {
    CheckImage(image.value());
    KELVANE_FUZZ_CHECK(image->format() == QImage::Format_RGB32);
  }

  const QString path = fuzz::AsFile(content, "seal.jpg");
  const qint64 start = FindJpegStart(path);
  // The first FF D8, when it lies within the window.
  const qsizetype first = content.indexOf("\xFF\xD8");
  KELVANE_FUZZ_CHECK(start >= 0 ? first == start : first < 0 || first > kMaxJpegStartOffset);
  if (start >= 0) {
    if (const auto image = LoadJpegAt(path, start)) CheckImage(image.value());
  }
  if (const auto picture = LoadPicture(path)) {
    if (picture->drawable) CheckImage(picture->image);
  }
  if (const auto picture = LoadPicture(fuzz::AsFile(content, "logo.bmp"))) {
    if (picture->drawable) CheckImage(picture->image);
  }
  return 0;
}
