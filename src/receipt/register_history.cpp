#include "receipt/register_history.h"

#include "receipt/register_record.h"
#include "text/layout_text.h"
#include "text/line_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSysInfo>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvane {

namespace {

constexpr char kEnd[] = ".";
constexpr int kFields = 6;  // a 発行 has one more, its copy
constexpr char kShaTag[] = "SHA-256:";

QByteArray escaped(QByteArrayView bytes) {
  QByteArray out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    switch (c) {
      case '\t':
        out += "%09";
        break;
      case '\n':
        out += "%0A";
        break;
      case '\r':
        out += "%0D";
        break;
      case '%':
        out += "%25";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// Nothing when the field holds a "%" not followed by two hex digits.
std::optional<QByteArray> unescaped(QByteArrayView field) {
  QByteArray out;
  out.reserve(field.size());
  for (qsizetype i = 0; i < field.size(); ++i) {
    if (field[i] != '%') {
      out += field[i];
      continue;
    }
    bool ok = false;
    const int value = i + 2 < field.size() ? field.sliced(i + 1, 2).toInt(&ok, 16) : 0;
    if (!ok) return std::nullopt;
    out += char(value);
    i += 2;
  }
  return out;
}

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

Failure writeFailure(const QString& path, int error) {
  return Failure{
      QStringLiteral("変更履歴「%1」に書き込めません: %2\r\n"
                     "変更の記録を残せないため、変更はしていません。\r\n"
                     "フォルダーに書き込めるか、ディスクに空きがあるか確かめてください。")
          .arg(shown(path), QString::fromLocal8Bit(std::strerror(error)))};
}

QString whoIsHere() {
  QByteArray user = qgetenv("USER");
  if (user.isEmpty()) user = qgetenv("LOGNAME");
  if (user.isEmpty()) {
    // A program started without a login (a service, a test) has no USER.
    if (const passwd* entry = ::getpwuid(::getuid())) user = entry->pw_name;
  }
  return QString::fromLocal8Bit(user) + QLatin1Char('@') + QSysInfo::machineHostName();
}

// The time now with the offset of this machine's zone, e.g. +09:00, also
// when the offset is zero.
QString timeNow() {
  const QDateTime now = QDateTime::currentDateTime();
  const int offset = now.offsetFromUtc();
  const int minutes = std::abs(offset) / 60;
  return now.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) +
         QString::asprintf("%c%02d:%02d", offset < 0 ? '-' : '+', minutes / 60, minutes % 60);
}

}  // namespace

QByteArray HistoryEntry::number() const {
  return RegisterKeyOfLine(after.isEmpty() ? before : after);
}

QString HistoryActionName(HistoryAction action) {
  switch (action) {
    case HistoryAction::Recorded:
      return QStringLiteral("登録");
    case HistoryAction::Replaced:
      return QStringLiteral("更新");
    case HistoryAction::HandedOut:
      return QStringLiteral("発行");
    case HistoryAction::Deleted:
      break;
  }
  return QStringLiteral("削除");
}

HistoryEntry HandedOutEntry(const QByteArray& line, const QString& archiveFolder,
                            const QString& copyPath, const QByteArray& sha256) {
  HistoryEntry entry = StampedEntry(HistoryAction::HandedOut, {}, line);
  entry.copyPath = QDir(archiveFolder).relativeFilePath(copyPath);
  entry.copySha256 = sha256;
  return entry;
}

HistoryEntry HandedOutWithoutCopy(const QByteArray& line, const QString& why) {
  HistoryEntry entry = StampedEntry(HistoryAction::HandedOut, {}, line);
  // One line of the reason is enough; the field holds no line break.
  entry.copyMissing = why.section(QStringLiteral("\r\n"), 0, 0).simplified();
  if (entry.copyMissing.isEmpty()) entry.copyMissing = QStringLiteral("理由不明");
  return entry;
}

QString CopyDescription(const HistoryEntry& e) {
  if (e.action != HistoryAction::HandedOut) return {};
  if (e.copySha256.isEmpty()) return QStringLiteral("控えなし: ") + e.copyMissing;
  return QDir::toNativeSeparators(e.copyPath) + QStringLiteral("  SHA-256: ") +
         QString::fromLatin1(e.copySha256);
}

QString HistoryPath(const QString& registerPath) { return registerPath + QStringLiteral(".log"); }

HistoryEntry StampedEntry(HistoryAction action, const QByteArray& before, const QByteArray& after) {
  HistoryEntry entry;
  entry.time = timeNow();
  entry.action = action;
  entry.who = whoIsHere();
  entry.before = before;
  entry.after = after;
  return entry;
}

QList<HistoryEntry> ChangeEntries(const QList<QByteArray>& removed, const QByteArray& added) {
  QList<HistoryEntry> entries;
  const qsizetype replaced = added.isEmpty() ? removed.size() : removed.size() - 1;
  for (qsizetype i = 0; i < replaced; ++i)
    entries.append(StampedEntry(HistoryAction::Deleted, removed[i], {}));
  if (!added.isEmpty()) {
    entries.append(removed.isEmpty()
                       ? StampedEntry(HistoryAction::Recorded, {}, added)
                       : StampedEntry(HistoryAction::Replaced, removed.last(), added));
  }
  return entries;
}

namespace {

QByteArray copyField(const HistoryEntry& e) {
  if (e.copySha256.isEmpty())
    return escaped(ToLayoutText(QStringLiteral("控えなし:") + e.copyMissing));
  return kShaTag + e.copySha256 + ':' + escaped(ToLayoutText(e.copyPath));
}

// Reads the copy field into `entry`; a field of another form is kept as
// the reason there is no copy, so that no entry is lost to it.
void readCopyField(const QByteArray& field, HistoryEntry& entry) {
  if (field.startsWith(kShaTag)) {
    const QByteArray rest = field.sliced(qsizetype(sizeof kShaTag) - 1);
    const qsizetype colon = rest.indexOf(':');
    if (colon > 0) {
      entry.copySha256 = rest.first(colon);
      entry.copyPath = FromLayoutText(rest.sliced(colon + 1));
      return;
    }
  }
  const QString text = FromLayoutText(field);
  const QString tag = QStringLiteral("控えなし:");
  entry.copyMissing = text.startsWith(tag) ? text.sliced(tag.size()) : text;
}

}  // namespace

QByteArray FormatHistoryEntry(const HistoryEntry& e) {
  QByteArray line =
      escaped(ToLayoutText(e.time)) + '\t' + ToLayoutText(HistoryActionName(e.action)) + '\t' +
      escaped(ToLayoutText(e.who)) + '\t' + escaped(e.before) + '\t' + escaped(e.after) + '\t';
  if (e.action == HistoryAction::HandedOut) line += copyField(e) + '\t';
  return line + kEnd + "\r\n";
}

std::optional<HistoryEntry> ParseHistoryLine(QByteArrayView line) {
  const QList<QByteArrayView> fields = [&] {
    QList<QByteArrayView> out;
    qsizetype from = 0;
    for (qsizetype tab; (tab = line.indexOf('\t', from)) >= 0; from = tab + 1)
      out.append(line.sliced(from, tab - from));
    out.append(line.sliced(from));
    return out;
  }();
  if ((fields.size() != kFields && fields.size() != kFields + 1) || fields.last() != kEnd)
    return std::nullopt;
  HistoryEntry entry;
  const QString action = FromLayoutText(fields[1]);
  if (action == HistoryActionName(HistoryAction::Recorded))
    entry.action = HistoryAction::Recorded;
  else if (action == HistoryActionName(HistoryAction::Replaced))
    entry.action = HistoryAction::Replaced;
  else if (action == HistoryActionName(HistoryAction::Deleted))
    entry.action = HistoryAction::Deleted;
  else if (action == HistoryActionName(HistoryAction::HandedOut))
    entry.action = HistoryAction::HandedOut;
  else
    return std::nullopt;
  if ((fields.size() == kFields + 1) != (entry.action == HistoryAction::HandedOut))
    return std::nullopt;
  const auto time = unescaped(fields[0]);
  const auto who = unescaped(fields[2]);
  const auto before = unescaped(fields[3]);
  const auto after = unescaped(fields[4]);
  if (!time || !who || !before || !after) return std::nullopt;
  entry.time = FromLayoutText(*time);
  entry.who = FromLayoutText(*who);
  entry.before = *before;
  entry.after = *after;
  if (entry.action == HistoryAction::HandedOut) {
    const auto copy = unescaped(fields[5]);
    if (!copy) return std::nullopt;
    readCopyField(*copy, entry);
  }
  return entry;
}

Expected<void> AppendHistory(const QString& registerPath, const QList<HistoryEntry>& entries) {
  if (entries.isEmpty()) return {};
  const QString path = HistoryPath(registerPath);
  const QByteArray name = QFile::encodeName(path);
  const bool existed = QFileInfo::exists(path);
  const int fd = ::open(name.constData(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return writeFailure(path, errno);
  // A history this call made and could not fill holds no entry: it goes
  // again, so that a failed change leaves nothing beside the register.
  const auto fail = [&](int error) {
    ::close(fd);
    if (!existed) ::unlink(name.constData());
    return writeFailure(path, error);
  };
  struct stat st {};
  if (::fstat(fd, &st) != 0) return fail(errno);
  if (!S_ISREG(st.st_mode)) return fail(EISDIR);
  QByteArray bytes;
  // An entry cut short by a crash or a full disk ends without CR LF: the
  // new entries begin on a line of their own, and the fragment stays as it
  // is, a line the reader leaves out.
  char last = '\n';
  if (st.st_size > 0 && ::pread(fd, &last, 1, st.st_size - 1) != 1) last = '\n';
  if (last != '\n') bytes += "\r\n";
  for (const HistoryEntry& entry : entries) bytes += FormatHistoryEntry(entry);
  qsizetype done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return fail(n < 0 ? errno : ENOSPC);
    done += n;
  }
  if (::fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP) return fail(errno);
  if (::close(fd) != 0) {
    const int error = errno;
    if (!existed) ::unlink(name.constData());
    return writeFailure(path, error);
  }
  if (!existed) {
    // A new file is only there for good once its folder is on the disk.
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    if (const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
      ::fsync(dir);
      ::close(dir);
    }
  }
  return {};
}

Expected<QList<HistoryEntry>> ReadHistory(const QString& registerPath) {
  const QString path = HistoryPath(registerPath);
  QList<HistoryEntry> entries;
  if (!QFileInfo::exists(path)) return entries;
  auto bytes = readWholeFile(path);
  if (!bytes) return Failure{bytes.error()};
  ForEachLine(QByteArrayView(*bytes), [&](QByteArrayView line) {
    if (auto entry = ParseHistoryLine(line)) entries.append(std::move(*entry));
  });
  return entries;
}

QList<HistoryEntry> HistoryOfNumber(const QList<HistoryEntry>& history, QByteArrayView number) {
  const QByteArray key = RegisterKey(number);
  QList<HistoryEntry> found;
  for (const HistoryEntry& entry : history)
    if (entry.number() == key) found.append(entry);
  return found;
}

QList<HistoryEntry> DeletedReceipts(const QList<HistoryEntry>& history,
                                    const QSet<QByteArray>& registerKeys) {
  QHash<QByteArray, qsizetype> lastOf;
  for (qsizetype i = 0; i < history.size(); ++i)
    if (history[i].action != HistoryAction::HandedOut) lastOf[history[i].number()] = i;
  QList<qsizetype> deleted;
  for (auto it = lastOf.cbegin(); it != lastOf.cend(); ++it) {
    const HistoryEntry& entry = history[it.value()];
    if (entry.action == HistoryAction::Deleted && !it.key().isEmpty() &&
        !registerKeys.contains(it.key()))
      deleted.append(it.value());
  }
  std::sort(deleted.begin(), deleted.end());
  QList<HistoryEntry> out;
  for (const qsizetype i : deleted) out.append(history[i]);
  return out;
}

}  // namespace kelvane
