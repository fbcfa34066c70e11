#include "receipt/register_file.h"

#include "receipt/register_record.h"
#include "text/line_file.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace kelvane {

namespace {

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

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
  auto lines = ReadRegister(path);
  if (!lines) return Failure{lines.error()};
  if (!*lines) return false;
  const QByteArray key = RegisterKey(number);
  for (const QByteArray& line : **lines)
    if (LineHasNumber(line, key)) return true;
  return false;
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
                                  "フォルダーに書き込めるか確かめてください。")
                       .arg(shown(path))};
  }

  auto before = readBytes(path);
  if (!before) return Failure{before.error()};
  RegisterChange change;
  change.existed = before->has_value();
  QList<QByteArray> kept;
  if (change.existed) {
    if (auto copied = writeFileAtomically(tempCopy, **before); !copied) {
      return Failure{copied.error()};
    }
    const QByteArray key = RegisterKey(number);
    const QList<QByteArray> lines = splitLines(**before);
    change.linesRead = static_cast<int>(lines.size());
    kept.reserve(lines.size() + 1);
    for (const QByteArray& line : lines)
      if (!LineHasNumber(line, key)) kept.append(line);
  }
  if (newLine) kept.append(newLine(change.linesRead));
  if (!change.existed && !newLine) return change;
  if (auto written = writeLineFile(path, kept); !written) return Failure{written.error()};
  return change;
}

}  // namespace kelvane
