#include "receipt/register_session.h"

namespace kelvane {

void RegisterSession::follow(const QString& path) {
  if (path == path_) return;
  path_ = path;
  seen_ = false;
  own_.clear();
}

void RegisterSession::markSeen(const QString& path) {
  follow(path);
  seen_ = true;
}

bool RegisterSession::seen(const QString& path) const { return seen_ && path == path_; }

void RegisterSession::own(const QString& path, const QByteArray& line) {
  follow(path);
  own_.insert(line);
}

bool RegisterSession::ownsAll(const QString& path, const QList<QByteArray>& lines) const {
  if (path != path_) return lines.isEmpty();
  for (const QByteArray& line : lines)
    if (!own_.contains(line)) return false;
  return true;
}

}  // namespace kelvane
