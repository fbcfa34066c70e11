#pragma once
// Whole text files as lists of lines of cp932 bytes, the way every file of
// the program is read and written.

#include "text/expected.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <functional>
#include <type_traits>

namespace kelvane {

// Largest file any line reader accepts; the program's own files are far
// smaller, and a bigger one is not one of them.
inline constexpr qint64 kMaxLineFileBytes = 256LL * 1024 * 1024;

// Splits file content into lines: CR LF, a lone LF or a lone CR ends a line,
// and a last line without an end is a line too. No line end, no extra line.
[[nodiscard]] QList<QByteArray> splitLines(const QByteArray& content);

// Calls `visit` with each line of `content` (QByteArrayView bytes or
// QStringView text) by the same rule, without copying; returns the number
// of lines. Registers run to a hundred thousand lines, so the line ends are
// searched, not stepped over one character at a time.
template <class View, class Visit>
qsizetype ForEachLine(View content, Visit&& visit) {
  using Char = std::conditional_t<std::is_same_v<View, QStringView>, char16_t, char>;
  const qsizetype n = content.size();
  qsizetype count = 0;
  qsizetype from = 0;
  qsizetype lf = -1;  // the next LF and CR at or after `from`, n when none
  qsizetype cr = -1;
  auto next = [&](Char c, qsizetype& at) {
    if (at >= from) return;
    at = content.indexOf(c, from);
    if (at < 0) at = n;
  };
  while (from < n) {
    next(Char('\n'), lf);
    next(Char('\r'), cr);
    const qsizetype stop = std::min(lf, cr);
    visit(content.sliced(from, stop - from));
    ++count;
    from = stop + 1;
    if (stop == cr && cr + 1 == lf) from = lf + 1;  // CR LF ends one line
  }
  return count;
}

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

// The same for content made piece by piece: `produce` hands every piece to
// the function it is given, in order. A long file is written from the
// pieces it is made of, without putting it together in memory first.
using PieceSink = std::function<void(QByteArrayView piece)>;
[[nodiscard]] Expected<void> writeFileInPieces(
    const QString& path, const std::function<void(const PieceSink&)>& produce);

// For the tests of a full disk on machines where no small file system can
// be mounted: every atomic write that would pass `bytes` writes that much
// and then fails as a full disk does, leaving the old file. Negative: no
// limit (the program never sets one).
void SetAtomicWriteLimitForTests(qint64 bytes);

// Reads the whole file, refusing files above `maxBytes`.
[[nodiscard]] Expected<QByteArray> readWholeFile(const QString& path,
                                                 qint64 maxBytes = kMaxLineFileBytes);

}  // namespace kelvane
