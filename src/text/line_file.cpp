#include "text/line_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace kelvane {
namespace {

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

qint64 writeLimit = -1;

}  // namespace

void SetAtomicWriteLimitForTests(qint64 bytes) { writeLimit = bytes; }

QList<QByteArray> splitLines(const QByteArray& content) {
  QList<QByteArray> lines;
  ForEachLine(QByteArrayView(content),
              [&](QByteArrayView line) { lines.append(line.toByteArray()); });
  return lines;
}

QByteArray joinLines(const QList<QByteArray>& lines) {
  qsizetype total = 0;
  for (const auto& line : lines) total += line.size() + 2;
  QByteArray out;
  out.reserve(total);
  for (const auto& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

Expected<QByteArray> readWholeFile(const QString& path, qint64 maxBytes) {
  QFile file(path);
  if (QFileInfo(path).isDir()) {
    return Failure{QStringLiteral("「%1」はフォルダなので読み込めません。").arg(shown(path))};
  }
  if (!file.open(QIODevice::ReadOnly)) {
    return Failure{
        QStringLiteral("「%1」を読み込めません: %2").arg(shown(path), file.errorString())};
  }
  const qint64 size = file.size();
  if (size > maxBytes) {
    return Failure{QStringLiteral("「%1」は大きすぎるため読み込めません。").arg(shown(path))};
  }
  // Read piece by piece: QIODevice::read(n) sets aside n bytes at once, and
  // the room of the largest file accepted for every small file read would
  // fail on a machine short of memory. The size is only a hint: a file may
  // grow while it is read.
  QByteArray content;
  content.reserve(size);
  char piece[64 * 1024];
  for (;;) {
    const qint64 got = file.read(piece, sizeof piece);
    if (got < 0 || file.error() != QFileDevice::NoError) {
      return Failure{
          QStringLiteral("「%1」を読み込めません: %2").arg(shown(path), file.errorString())};
    }
    if (got == 0) break;
    if (content.size() + got > maxBytes) {
      return Failure{QStringLiteral("「%1」は大きすぎるため読み込めません。").arg(shown(path))};
    }
    content.append(piece, got);
  }
  return content;
}

Expected<QList<QByteArray>> readLineFile(const QString& path) {
  auto content = readWholeFile(path);
  if (!content) return Failure{content.error()};
  return splitLines(content.value());
}

Expected<void> writeFileAtomically(const QString& path, const QByteArray& content) {
  return writeFileInPieces(path, [&content](const PieceSink& put) { put(content); });
}

Expected<void> writeFileInPieces(const QString& path,
                                 const std::function<void(const PieceSink&)>& produce) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return Failure{
        QStringLiteral("「%1」に書き込めません: %2").arg(shown(path), file.errorString())};
  }
  // QSaveFile holds small writes in a buffer and commits even when writing
  // that buffer out fails on a full disk, leaving a short file in place of
  // the old one; so every byte is pushed out and synced (where a network
  // share reports a full disk) before the commit, while the old file can
  // still be kept.
  QString reason;
  qint64 written = 0;
  produce([&](QByteArrayView piece) {
    if (!reason.isNull()) return;
    written += piece.size();
    if (writeLimit >= 0 && written > writeLimit) {
      reason = QString::fromLocal8Bit(std::strerror(ENOSPC));
    } else if (file.write(piece.data(), piece.size()) != piece.size()) {
      reason = file.errorString();
    }
  });
  if (reason.isNull() && !file.flush()) {
    reason = file.errorString();
  } else if (reason.isNull() && ::fsync(file.handle()) != 0 && errno != EINVAL &&
             errno != ENOTSUP) {
    reason = QString::fromLocal8Bit(std::strerror(errno));
  }
  if (!reason.isNull()) {
    file.cancelWriting();
    return Failure{QStringLiteral("「%1」に書き込めません: %2").arg(shown(path), reason)};
  }
  if (!file.commit()) {
    return Failure{
        QStringLiteral("「%1」に書き込めません: %2").arg(shown(path), file.errorString())};
  }
  return {};
}

Expected<void> writeLineFile(const QString& path, const QList<QByteArray>& lines) {
  return writeFileInPieces(path, [&lines](const PieceSink& put) {
    for (const QByteArray& line : lines) {
      put(line);
      put("\r\n");
    }
  });
}

}  // namespace kelvane
