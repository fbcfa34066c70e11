#include "receipt/register_lock.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QThread>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <algorithm>

namespace kelvane {

QString RegisterLockPath(const QString& registerPath) {
  return registerPath + QStringLiteral(".lock");
}

void KeepLockUntilBroken(QLockFile& lock) { lock.setStaleLockTime(0); }

bool TakeRegisterLock(QLockFile& lock, int waitMs) {
  QElapsedTimer waited;
  waited.start();
  for (;;) {
    if (lock.tryLock(0)) return true;
    if (lock.error() != QLockFile::LockFailedError || waited.elapsed() >= waitMs) return false;
    // A little apart from the other copy's rhythm.
    QThread::msleep(10 + QRandomGenerator::global()->bounded(20));
  }
}

std::optional<RegisterLockHolder> RegisterLockHolderOf(const QString& registerPath) {
  const QString path = RegisterLockPath(registerPath);
  const QFileInfo file(path);
  if (!file.exists()) return std::nullopt;
  QLockFile lock(path);
  RegisterLockHolder holder;
  QString app;
  if (!lock.getLockInfo(&holder.pid, &holder.host, &app)) return std::nullopt;
  holder.thisHost = holder.host == QSysInfo::machineHostName();
  holder.ageSeconds = std::max<qint64>(0, file.lastModified().secsTo(QDateTime::currentDateTime()));
  return holder;
}

QString RegisterInUseMessage(const QString& registerPath,
                             const std::optional<RegisterLockHolder>& holder) {
  const QString shown = QDir::toNativeSeparators(registerPath);
  if (!holder || holder->thisHost) {
    return QStringLiteral(
               "領収書発行リスト「%1」は他のネムリカが使用中です。"
               "しばらくしてからもう一度実行してください。")
        .arg(shown);
  }
  if (!holder->abandoned()) {
    return QStringLiteral(
               "領収書発行リスト「%1」はパソコン「%2」のネムリカが使用中です。"
               "しばらくしてからもう一度実行してください。")
        .arg(shown, holder->host);
  }
  return QStringLiteral(
             "領収書発行リスト「%1」には、パソコン「%2」のネムリカの使用中の印が"
             "%3分前から残っています。\r\n"
             "そのパソコンでネムリカが動いていなければ、印を消して続けられます。")
      .arg(shown, holder->host)
      .arg(holder->ageSeconds / 60);
}

Expected<void> BreakRegisterLock(const QString& registerPath) {
  QFile lock(RegisterLockPath(registerPath));
  if (lock.exists() && !lock.remove())
    return Failure{QStringLiteral("使用中の印「%1」を消せません: %2")
                       .arg(QDir::toNativeSeparators(lock.fileName()), lock.errorString())};
  return {};
}

}  // namespace kelvane
