#pragma once
// Whole text files as lists of lines of cp932 bytes, the way every file of
// the program is read and written.

#include "text/expected.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace kelvane {

// Largest file any line reader accepts; the program's own files are far
// smaller, and a bigger one is not one of them.
inline constexpr qint64 kMaxLineFileBytes = 256LL * 1024 * 1024;

// Splits file content into lines: CR LF, a lone LF or a lone CR ends a line,
// and a last line without an end is a line too. No line end, no extra line.
[[nodiscard]] QList<QByteArray> splitLines(const QByteArray& content);

// Joins lines with CR LF after every line.
[[nodiscard]] QByteArray joinLines(const QList<QByteArray>& lines);

// Reads the file at `path` into lines. A missing or unreadable file is a
// failure whose message names the file and the system's reason.
[[nodiscard]] Expected<QList<QByteArray>> readLineFile(const QString& path);

// Writes `lines`, each followed by CR LF, to `path` atomically: the old file
// stays whole unless the new one was written completely.
[[nodiscard]] Expected<void> writeLineFile(const QString& path, const QList<QByteArray>& lines);

// Writes `content` to `path` atomically (the same guarantee as above).
[[nodiscard]] Expected<void> writeFileAtomically(const QString& path, const QByteArray& content);

// For the tests of a full disk on machines where no small file system can
// be mounted: every atomic write that would pass `bytes` writes that much
// and then fails as a full disk does, leaving the old file. Negative: no
// limit (the program never sets one).
void SetAtomicWriteLimitForTests(qint64 bytes);

// Reads the whole file, refusing files above `maxBytes`.
[[nodiscard]] Expected<QByteArray> readWholeFile(const QString& path,
                                                 qint64 maxBytes = kMaxLineFileBytes);

}  // namespace kelvane
