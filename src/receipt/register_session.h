#pragma once
// What this copy of the program knows of the register it works with: that
// the file was there when it last read it, and which lines it recorded or
// opened itself. Another copy's receipt, or a register that vanished, is
// then never replaced or recreated on a default answer.

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>

namespace kelvane {

class RegisterSession {
 public:
  // The register at `path` was found on disk. Another path starts afresh.
  void markSeen(const QString& path);
  // Whether the register at `path` was found on disk before.
  [[nodiscard]] bool seen(const QString& path) const;
  // A line this copy recorded into, or opened from, the register at `path`.
  void own(const QString& path, const QByteArray& line);
  // Whether every one of `lines` is one this copy recorded or opened.
  [[nodiscard]] bool ownsAll(const QString& path, const QList<QByteArray>& lines) const;

 private:
  void follow(const QString& path);

  QString path_;
  bool seen_ = false;
  QSet<QByteArray> own_;
};

}  // namespace kelvane
