#include "render/jpeg_decoder.h"

#include "text/line_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

#include <csetjmp>
#include <cstdio>
#include <limits>

// jpeglib.h uses FILE and size_t without including their headers, and
// jerror.h needs jpeglib.h first to know which warnings exist.
#include <jpeglib.h>

#include <jerror.h>

#ifndef JCS_ALPHA_EXTENSIONS
#error "libjpeg-turbo is needed: it writes 32-bit pixels straight into the picture"
#endif

namespace kelvane {
namespace {

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

// What libjpeg may keep besides the picture. A progressive JPEG keeps the
// coefficients of the whole picture: at the pixel limit they fit, and more
// stops decoding ("Backing store not supported") instead of swapping.
constexpr long kLibjpegMemoryLimit = 1024L * 1024 * 1024;

// A progressive JPEG from any real encoder has a few dozen scans at most;
// thousands of scans over a big picture would keep a print job busy for
// minutes.
constexpr int kMaxProgressiveScans = 500;

// Qt's Format_RGB32 in memory: B G R FF on little-endian machines.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE kRgb32Order = JCS_EXT_BGRA;
#else
constexpr J_COLOR_SPACE kRgb32Order = JCS_EXT_ARGB;
#endif

enum class Stop { kNone, kLibjpeg, kTooManyScans, kNoRows, kOddOutput };

// libjpeg's error manager and where to return to. libjpeg hands the callbacks
// a pointer to `base`, the first member, so it is a pointer to the whole.
struct ErrorTrap {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  Stop stop;
  char message[JMSG_LENGTH_MAX];
};

// Everything libjpeg works on, plain C data only: the functions below jump
// back into themselves with longjmp, which must not skip a destructor.
struct Session {
  jpeg_decompress_struct info;
  ErrorTrap trap;
  jpeg_progress_mgr progress;
};

ErrorTrap* trapOf(j_common_ptr info) { return reinterpret_cast<ErrorTrap*>(info->err); }

[[noreturn]] void stopWith(j_common_ptr info, Stop stop) {
  ErrorTrap* trap = trapOf(info);
  trap->stop = stop;
  if (stop == Stop::kLibjpeg) (*info->err->format_message)(info, trap->message);
  std::longjmp(trap->jump, 1);
}

void onError(j_common_ptr info) { stopWith(info, Stop::kLibjpeg); }

// Warnings that mean part of the picture is missing or wrong. libjpeg would
// go on and fill the rest with grey; a receipt should rather not print a
// half seal, so these end decoding. Other warnings (stray bytes between
// segments, an unknown JFIF revision, a bad colour profile) leave the pixels
// whole and are ignored.
bool losesPictureData(int code) {
  switch (code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_BOGUS_PROGRESSION:
#if JPEG_LIB_VERSION >= 70 || defined(C_ARITH_CODING_SUPPORTED) || defined(D_ARITH_CODING_SUPPORTED)
    case JWRN_ARITH_BAD_CODE:
#endif
      return true;
    default:
      return false;
  }
}

void onMessage(j_common_ptr info, int level) {
  if (level >= 0) return;  // trace output
  if (losesPictureData(info->err->msg_code)) stopWith(info, Stop::kLibjpeg);
  ++info->err->num_warnings;
}

void onProgress(j_common_ptr info) {
  if (!info->is_decompressor) return;
  const auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
  if (decompress->progressive_mode && decompress->input_scan_number > kMaxProgressiveScans) {
    stopWith(info, Stop::kTooManyScans);
  }
}

// Sets up libjpeg on `data` and reads the header. False when libjpeg stopped;
// the reason is in session.trap.
bool readHeader(Session& session, const unsigned char* data, unsigned long size) {
  session.info.err = jpeg_std_error(&session.trap.base);
  session.trap.base.error_exit = onError;
  session.trap.base.emit_message = onMessage;
  session.trap.stop = Stop::kNone;
  session.trap.message[0] = '\0';
  if (setjmp(session.trap.jump)) return false;
  jpeg_create_decompress(&session.info);
  session.info.mem->max_memory_to_use = kLibjpegMemoryLimit;
  session.progress.progress_monitor = onProgress;
  session.info.progress = &session.progress;
  jpeg_mem_src(&session.info, data, size);
  jpeg_read_header(&session.info, TRUE);
  return true;
}

// Decodes all rows, 4 bytes a pixel, into `bits` (rows `stride` bytes apart).
bool readRows(Session& session, unsigned char* bits, qsizetype stride) {
  if (setjmp(session.trap.jump)) return false;
  jpeg_start_decompress(&session.info);
  if (session.info.output_width != session.info.image_width ||
      session.info.output_height != session.info.image_height ||
      session.info.output_components != 4) {
    session.trap.stop = Stop::kOddOutput;
    return false;
  }
  while (session.info.output_scanline < session.info.output_height) {
    JSAMPROW row = bits + static_cast<qsizetype>(session.info.output_scanline) * stride;
    if (jpeg_read_scanlines(&session.info, &row, 1) != 1) {
      session.trap.stop = Stop::kNoRows;
      return false;
    }
  }
  // No jpeg_finish_decompress: every row is decoded, and what follows the
  // picture data cannot change it. jpeg_destroy_decompress cleans up.
  return true;
}

struct SessionEnd {
  Session* session;
  ~SessionEnd() { jpeg_destroy_decompress(&session->info); }
};

QString stopMessage(const Session& session) {
  switch (session.trap.stop) {
    case Stop::kTooManyScans:
      return QStringLiteral("JPEG データの走査が多すぎます（%1 回を超えています）。")
          .arg(kMaxProgressiveScans);
    case Stop::kLibjpeg:
      return QStringLiteral("JPEG データを展開できません（%1）。")
          .arg(QString::fromLatin1(session.trap.message));
    case Stop::kNoRows:
    case Stop::kOddOutput:
    case Stop::kNone:
      break;
  }
  return QStringLiteral("JPEG データを展開できません。");
}

// Adobe programs, which write nearly every CMYK JPEG there is, store the
// inks inverted (255 = no ink), marker or not; libjpeg hands them on as
// stored. Converts such pixels in place to Format_RGB32.
void invertedCmykToRgb(QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    uchar* pixel = image.scanLine(y);
    for (int x = 0; x < image.width(); ++x, pixel += 4) {
      const int c = pixel[0], m = pixel[1], ye = pixel[2], k = pixel[3];
      *reinterpret_cast<QRgb*>(pixel) =
          qRgb((c * k + 127) / 255, (m * k + 127) / 255, (ye * k + 127) / 255);
    }
  }
}

}  // namespace

qint64 FindJpegStart(const QString& path) {
  // Not a regular file (a folder, a device, a pipe): reading could block or
  // never end, and it is no picture anyway.
  if (path.isEmpty() || !QFileInfo(path).isFile()) return -1;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const QByteArray head = file.read(kMaxJpegStartOffset + 2);
  for (qsizetype i = 0; i + 1 < head.size(); ++i) {
    if (static_cast<uchar>(head[i]) == 0xFF && static_cast<uchar>(head[i + 1]) == 0xD8) return i;
  }
  return -1;
}

Expected<QImage> DecodeJpeg(QByteArrayView data) {
  if (data.isEmpty()) return Failure{QStringLiteral("JPEG データが空です。")};
  if (static_cast<quint64>(data.size()) > std::numeric_limits<unsigned long>::max()) {
    return Failure{QStringLiteral("JPEG データが大きすぎます。")};
  }

  Session session{};
  SessionEnd end{&session};
  if (!readHeader(session, reinterpret_cast<const unsigned char*>(data.data()),
                  static_cast<unsigned long>(data.size()))) {
    return Failure{stopMessage(session)};
  }

  const qint64 width = session.info.image_width;
  const qint64 height = session.info.image_height;
  if (width <= 0 || height <= 0) {
    return Failure{QStringLiteral("JPEG 画像の幅または高さが 0 です。")};
  }
  if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels) {
    return Failure{
        QStringLiteral("画像が大きすぎます（%1×%2 ピクセル）。幅と高さは %3 ピクセルまで、"
                       "画素数は %4 までです。")
            .arg(width)
            .arg(height)
            .arg(kMaxPictureSide)
            .arg(kMaxPicturePixels)};
  }

  bool inks = false;
  switch (session.info.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_RGB:
    case JCS_YCbCr:
      session.info.out_color_space = kRgb32Order;
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      session.info.out_color_space = JCS_CMYK;
      inks = true;
      break;
    default:
      return Failure{QStringLiteral("この JPEG 画像の色の形式（%1 成分）には対応していません。")
                         .arg(session.info.num_components)};
  }

  QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
  if (image.isNull()) {
    return Failure{QStringLiteral("JPEG 画像を展開するためのメモリが足りません。")};
  }
  if (!readRows(session, image.bits(), image.bytesPerLine())) {
    return Failure{stopMessage(session)};
  }
  if (inks) invertedCmykToRgb(image);
  return image;
}

Expected<QImage> LoadJpegAt(const QString& path, qint64 offset) {
  auto content = readWholeFile(path, kMaxJpegFileBytes);
  if (!content) return Failure{content.error()};
  const QByteArray& bytes = content.value();
  if (offset < 0 || offset >= bytes.size()) {
    return Failure{QStringLiteral("「%1」の %2 バイト目からは JPEG データを読めません。")
                       .arg(shown(path), QString::number(offset))};
  }
  auto image = DecodeJpeg(QByteArrayView(bytes).sliced(offset));
  if (!image) {
    return Failure{
        QStringLiteral("「%1」を画像として読み込めません。%2").arg(shown(path), image.error())};
  }
  return image;
}

}  // namespace kelvane
