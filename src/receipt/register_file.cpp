#include "receipt/register_file.h"

#include "receipt/numbering.h"
#include "receipt/register_history.h"
#include "receipt/register_lock.h"
#include "receipt/register_record.h"
#include "text/line_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace kelvane {

namespace {

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

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

QList<QByteArray> linesOf(const QByteArray& content, const QByteArray& key) {
  QList<QByteArray> found;
  ForEachLine(QByteArrayView(content), [&](QByteArrayView line) {
    if (LineHasNumber(line, key)) found.append(line.toByteArray());
  });
  return found;
}

// Whether the register holds just the lines the user agreed to replace, in
// any order.
bool sameLines(QList<QByteArray> a, QList<QByteArray> b) {
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  return a == b;
}

Failure lockFailure(const QLockFile& lock, const QString& path) {
  if (lock.error() == QLockFile::LockFailedError)
    return Failure{RegisterInUseMessage(path, RegisterLockHolderOf(path))};
  return Failure{QStringLiteral("領収書発行リスト「%1」の使用中の印を作れません。"
                                "フォルダーに書き込めるか、"
                                "ディスクに空きがあるか確かめてください。")
                     .arg(shown(path))};
}

}  // namespace

Expected<std::optional<QList<QByteArray>>> ReadRegister(const QString& path) {
  auto bytes = readBytes(path);
  if (!bytes) return Failure{bytes.error()};
  if (!*bytes) return std::optional<QList<QByteArray>>{};
  return std::optional<QList<QByteArray>>{splitLines(**bytes)};
}

Expected<bool> RegisterHasNumber(const QString& path, const QByteArray& number) {
  auto lines = RegisterLinesOf(path, number);
  if (!lines) return Failure{lines.error()};
  return *lines && !(*lines)->isEmpty();
}

Expected<std::optional<QList<QByteArray>>> RegisterLinesOf(const QString& path,
                                                           const QByteArray& number) {
  auto bytes = readBytes(path);
  if (!bytes) return Failure{bytes.error()};
  if (!*bytes) return std::optional<QList<QByteArray>>{};
  return std::optional<QList<QByteArray>>{linesOf(**bytes, RegisterKey(number))};
}

Expected<std::optional<qint64>> LargestNumberPart(const QString& path, const QByteArray& header) {
  auto bytes = readBytes(path);
  if (!bytes) return Failure{bytes.error()};
  std::optional<qint64> largest;
  if (!*bytes) return largest;
  ForEachLine(QByteArrayView(**bytes), [&](QByteArrayView line) {
    const QByteArray key = RegisterKeyOfLine(line);
    if (const auto part = HeaderedNumberPart(key, header); part && part > largest) largest = part;
  });
  return largest;
}

QString MissingRegisterMessage(const QString& path) {
  return QStringLiteral(
             "領収書発行リスト「%1」が見つかりません。\r\n"
             "USBメモリーやネットワーク上のフォルダーにあるときは、\r\n"
             "つながっているか確かめてください。")
      .arg(shown(path));
}

Expected<RegisterChange> ChangeRegister(const QString& path, const QString& tempCopy,
                                        const QByteArray& number,
                                        const std::function<QByteArray(int)>& newLine,
                                        const RegisterGuard& guard) {
  // A vanished register is said before the lock file is made, so that no
  // trace is left in an emptied mount point.
  if (guard.mustExist && !QFileInfo::exists(path)) return Failure{MissingRegisterMessage(path)};
  QLockFile lock(RegisterLockPath(path));
  KeepLockUntilBroken(lock);
  if (!TakeRegisterLock(lock, kRegisterLockWaitMs)) return lockFailure(lock, path);

  auto before = readBytes(path);
  if (!before) return Failure{before.error()};
  RegisterChange change;
  change.existed = before->has_value();
  if (!change.existed && guard.mustExist) return Failure{MissingRegisterMessage(path)};
  const QByteArray key = RegisterKey(number);
  if (guard.agreedLines) {
    change.found = change.existed ? linesOf(**before, key) : QList<QByteArray>{};
    if (!sameLines(change.found, *guard.agreedLines)) {
      change.conflict = true;
      return change;
    }
  }
  if (!change.existed && !newLine) return change;
  const QByteArrayView content = change.existed ? QByteArrayView(**before) : QByteArrayView();
  const QList<QByteArray> removed = change.existed ? linesOf(**before, key) : QList<QByteArray>{};
  change.linesRead = static_cast<int>(ForEachLine(content, [](QByteArrayView) {}));
  const QByteArray added = newLine ? newLine(change.linesRead) : QByteArray();
  if (change.existed) {
    if (auto copied = keepCopy(path, tempCopy, **before); !copied) {
      return Failure{copied.error()};
    }
  }
  // The history first: a change that stops after it leaves an entry too
  // many, never one too few.
  if (auto logged = AppendHistory(path, ChangeEntries(removed, added)); !logged)
    return Failure{logged.error()};
  // The kept lines go straight to the new file: a register of a hundred
  // thousand lines is not put together a second time in memory.
  const auto written = writeFileInPieces(path, [&](const PieceSink& put) {
    ForEachLine(content, [&](QByteArrayView line) {
      if (LineHasNumber(line, key)) return;
      put(line);
      put("\r\n");
    });
    if (newLine) {
      put(added);
      put("\r\n");
    }
  });
  if (!written) return Failure{written.error()};
  return change;
}

Expected<void> NoteInHistory(const QString& path, const QList<HistoryEntry>& entries) {
  if (entries.isEmpty()) return {};
  if (!QFileInfo(path).absoluteDir().exists()) return Failure{MissingRegisterMessage(path)};
  QLockFile lock(RegisterLockPath(path));
  KeepLockUntilBroken(lock);
  if (!TakeRegisterLock(lock, kRegisterLockWaitMs)) return lockFailure(lock, path);
  return AppendHistory(path, entries);
}

HeldRegister::HeldRegister(const QString& path) : path_(path), lock_(RegisterLockPath(path)) {
  KeepLockUntilBroken(lock_);
}

Expected<std::unique_ptr<HeldRegister>> HeldRegister::Hold(const QString& path, bool mustExist,
                                                           int waitMs) {
  if (mustExist && !QFileInfo::exists(path)) return Failure{MissingRegisterMessage(path)};
  std::unique_ptr<HeldRegister> held(new HeldRegister(path));
  if (!TakeRegisterLock(held->lock_, waitMs)) return lockFailure(held->lock_, path);
  auto bytes = readBytes(path);
  if (!bytes) return Failure{bytes.error()};
  if (!*bytes && mustExist) return Failure{MissingRegisterMessage(path)};
  held->content_ = std::move(*bytes);
  return held;
}

Expected<void> HeldRegister::append(const QString& tempCopy, const QList<QByteArray>& lines) {
  // The lines go after the register as read at Hold; a second append would
  // write over the first one's lines.
  if (appended_) return Failure{QStringLiteral("領収書発行リストへの追加は一度だけです。")};
  if (content_) {
    if (auto copied = keepCopy(path_, tempCopy, *content_); !copied) return copied;
  }
  const QByteArrayView before = content_ ? QByteArrayView(*content_) : QByteArrayView();
  QList<HistoryEntry> entries;
  for (const QByteArray& line : lines)
    entries.append(StampedEntry(HistoryAction::Recorded, {}, line));
  if (auto logged = AppendHistory(path_, entries); !logged) return logged;
  QByteArray added;
  for (const QByteArray& line : lines) added += line + "\r\n";
  const auto written = writeFileInPieces(path_, [&](const PieceSink& put) {
    ForEachLine(before, [&](QByteArrayView line) {
      put(line);
      put("\r\n");
    });
    put(added);
  });
  if (!written) return written;
  appended_ = true;
  return {};
}

}  // namespace kelvane
