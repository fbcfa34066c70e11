#pragma once
// The "image" records of the eight image slots as the image editor writes
// and reads them, and how the editor fits a picture into its preview panel.
// Texts are cp932 bytes; positions and sizes are millimetres × 10000.

#include "styles/shape_record.h"  // FieldToNumber, the nudge arithmetic
#include "text/expected.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QRect>

#include <optional>

namespace kelvane {

// What the image editor's controls hold, as they show it.
struct ImageValues {
  bool previewOnly = false;  // "プレビュ－のみ"
  QByteArray x = "10", y = "10";
  QByteArray file;  // full path of the picture
  QByteArray width = "10", height = "10";
};

// "image," usage "," x "," y "," file "," width "," height ",,0,0", with
// blanks and control characters cut from both ends: ten fields, the last
// three empty, "0" and "0". Number texts lose their thousands separators.
[[nodiscard]] QByteArray BuildImageRecord(const ImageValues& values);

// Why a picture path cannot go into a record, or nothing when it can: a
// comma would split the file field, and a character cp932 cannot hold would
// be stored as "?" and never found again.
[[nodiscard]] std::optional<QString> UnstorablePicturePath(const QString& path);

// A record read back into the editor.
struct ImageSelection {
  bool previewOnly = false;  // field 2 is the whole number 1
  qint64 x = 0, y = 0;
  QByteArray file;
  qint64 width = 0, height = 0;
};

// Fails, naming the field, when a position or size field is neither empty,
// "" nor a decimal number. An empty slot reads as position 0, size 0 and no
// file.
[[nodiscard]] Expected<ImageSelection> ReadImageRecord(QByteArrayView record);

// Where a picture of natural size `pictureWidth` × `pictureHeight` pixels
// is shown in a panel whose inside is `panelWidth` × `panelHeight`: as
// large as fits with its shape kept, centred, the panel's 2-pixel bevel
// counted in the position. Nothing for a picture without pixels.
[[nodiscard]] std::optional<QRect> FitImagePreview(int pictureWidth, int pictureHeight,
                                                   int panelWidth, int panelHeight);

}  // namespace kelvane
