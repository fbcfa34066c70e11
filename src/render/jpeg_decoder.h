#pragma once
// JPEG pictures for image elements: finding where the JPEG data starts in a
// file (some tools put a header of their own in front of it) and decoding it
// with libjpeg, so that a damaged or hostile file gives a message instead of
// ending the program.

#include "text/expected.h"

#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace kelvane {

// The JPEG data may start this far into a file at most.
inline constexpr qint64 kMaxJpegStartOffset = 256;

// Largest picture decoded: each side, and the number of pixels. A seal or a
// logo on a receipt is far smaller; the limits keep a hostile header from
// making the program allocate gigabytes.
inline constexpr int kMaxPictureSide = 30000;
inline constexpr qint64 kMaxPicturePixels = 100'000'000;

// Largest JPEG file read.
inline constexpr qint64 kMaxJpegFileBytes = 64LL * 1024 * 1024;

// The first offset from 0 to kMaxJpegStartOffset at which the file holds the
// bytes FF D8, or -1 when there is none. Reads only the first
// kMaxJpegStartOffset + 2 bytes; a short, missing or unreadable file, or one
// that is not a regular file, has no start.
[[nodiscard]] qint64 FindJpegStart(const QString& path);

// Decodes JPEG data to a Format_RGB32 image. Corrupt or truncated data, a
// colour model other than grey, RGB, YCbCr, CMYK and YCCK, and pictures above
// the limits are failures. Bytes after the picture data are not looked at.
[[nodiscard]] Expected<QImage> DecodeJpeg(QByteArrayView data);

// Reads the file at `path` (up to kMaxJpegFileBytes) and decodes the JPEG
// data that starts at `offset`. Messages name the file.
[[nodiscard]] Expected<QImage> LoadJpegAt(const QString& path, qint64 offset);

}  // namespace kelvane
