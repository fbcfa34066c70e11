#pragma once
// Loading the picture file an image element names, and keeping decoded
// pictures while a layout is drawn again and again.

#include "render/picture.h"
#include "text/expected.h"

#include <QList>
#include <QString>

namespace kelvane {

// Loads the picture at `path`. A file with JPEG data near its start (see
// FindJpegStart) is decoded as JPEG whatever its name. Otherwise the name's
// extension decides: .bmp and .png are decoded, .jpg/.jpeg/.jpe as JPEG;
// .ico loads but is not drawn; .wmf and .emf only have to be readable and
// are not drawn; any other extension is a failure. Pictures above the size
// limits of jpeg_decoder.h are refused. Messages name the file.
//
// On first use this sets Qt's process-wide QImageReader allocation limit to
// fit the largest picture accepted.
[[nodiscard]] Expected<Picture> LoadPicture(const QString& path);

// Decoded pictures by absolute path, file size and modification time, so a
// layout drawn again (preview, then each copy printed) does not read and
// decode its seal and logo every time, while a file replaced in between is
// read anew. Keeps the most recently used pictures; failures are not kept.
// Not thread-safe: one cache per renderer.
class PictureCache {
 public:
  static constexpr int kCapacity = 16;

  [[nodiscard]] Expected<Picture> load(const QString& path);
  void clear();
  [[nodiscard]] int size() const;

 private:
  struct Entry {
    QString path;  // absolute
    qint64 bytes = 0;
    qint64 modifiedMs = 0;
    Picture picture;
  };
  QList<Entry> entries_;  // most recently used first
};

}  // namespace kelvane
