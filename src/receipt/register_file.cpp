#include "receipt/register_file.h"

#include "receipt/register_record.h"
#include "text/line_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace kelvane {

namespace {

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

// Calls `visit` with each line of `content` (CR LF, a lone LF or a lone CR
// ends one; a last line without an end is a line too), without copying:
// registers run to a hundred thousand lines.
template <class Visit>
int forEachLine(const QByteArray& content, Visit visit) {
  const char* const begin = content.constData();
  const char* const end = begin + content.size();
  int count = 0;
  for (const char* at = begin; at < end;) {
    const char* stop = at;
    while (stop < end && *stop != '\n' && *stop != '\r') ++stop;
    visit(QByteArrayView(at, stop - at));
    ++count;
    if (stop < end && *stop == '\r' && stop + 1 < end && stop[1] == '\n') ++stop;
    at = stop + 1;
  }
  return count;
}

// Keeps the register as it stands in `tempCopy`. The register is only ever
// replaced by a new file, never written in place, so a hard link to it
// holds the old lines without copying them; where links are not possible
// (another file system, a stick without them) the bytes are copied.
Expected<void> keepCopy(const QString& path, const QString& tempCopy, const QByteArray& bytes) {
  const QByteArray from = QFile::encodeName(path);
  const QByteArray part = QFile::encodeName(tempCopy + QStringLiteral(".part"));
  const QByteArray to = QFile::encodeName(tempCopy);
  ::unlink(part.constData());
  // The link goes to the register's own lines even when `path` is a
  // symbolic link to it: a link to the symbolic link would show the new
  // register once it is written.
  if (::linkat(AT_FDCWD, from.constData(), AT_FDCWD, part.constData(), AT_SYMLINK_FOLLOW) == 0) {
    if (::rename(part.constData(), to.constData()) == 0) return {};
    ::unlink(part.constData());
  }
  return writeFileAtomically(tempCopy, bytes);
}

Expected<std::optional<QByteArray>> readBytes(const QString& path) {
  if (!QFileInfo::exists(path)) return std::optional<QByteArray>{};
  auto bytes = readWholeFile(path);
  if (!bytes) return Failure{bytes.error()};
  return std::optional<QByteArray>{*bytes};
}

}  // namespace

Expected<std::optional<QList<QByteArray>>> ReadRegister(const QString& path) {
  auto bytes = readBytes(path);
  if (!bytes) return Failure{bytes.error()};
  if (!*bytes) return std::optional<QList<QByteArray>>{};
  return std::optional<QList<QByteArray>>{splitLines(**bytes)};
}

Expected<bool> RegisterHasNumber(const QString& path, const QByteArray& number) {
  auto bytes = readBytes(path);
  if (!bytes) return Failure{bytes.error()};
  if (!*bytes) return false;
  const QByteArray key = RegisterKey(number);
  bool found = false;
  forEachLine(**bytes, [&](QByteArrayView line) { found = found || LineHasNumber(line, key); });
  return found;
}

Expected<RegisterChange> ChangeRegister(const QString& path, const QString& tempCopy,
                                        const QByteArray& number,
                                        const std::function<QByteArray(int)>& newLine) {
  QLockFile lock(path + QStringLiteral(".lock"));
  if (!lock.tryLock(kRegisterLockWaitMs)) {
    if (lock.error() == QLockFile::LockFailedError) {
      return Failure{QStringLiteral("領収書発行リスト「%1」は他のネムリカが使用中です。"
                                    "しばらくしてからもう一度実行してください。")
                         .arg(shown(path))};
    }
    return Failure{QStringLiteral("領収書発行リスト「%1」の使用中の印を作れません。"
                                  "フォルダーに書き込めるか、"
                                  "ディスクに空きがあるか確かめてください。")
                       .arg(shown(path))};
  }

  auto before = readBytes(path);
  if (!before) return Failure{before.error()};
  RegisterChange change;
  change.existed = before->has_value();
  if (!change.existed && !newLine) return change;
  QByteArray after;
  if (change.existed) {
    if (auto copied = keepCopy(path, tempCopy, **before); !copied) {
      return Failure{copied.error()};
    }
    const QByteArray key = RegisterKey(number);
    after.reserve((*before)->size() + 256);
    change.linesRead = forEachLine(**before, [&](QByteArrayView line) {
      if (LineHasNumber(line, key)) return;
      after.append(line);
      after.append("\r\n");
    });
  }
  if (newLine) {
    after.append(newLine(change.linesRead));
    after.append("\r\n");
  }
  if (auto written = writeFileAtomically(path, after); !written) return Failure{written.error()};
  return change;
}

}  // namespace kelvane
