#pragma once
// A folder nothing can be written into for the life of the object, for the
// tests of failed writes: its mode is taken away, and where the tests run as
// root (who writes anyway) it is made immutable with chattr.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>

#include <sys/stat.h>

namespace kelvane::testing {

class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(QString path) : path_(std::move(path)) {
    ::chmod(QFile::encodeName(path_).constData(), 0555);
    if (writable()) immutable_ = QProcess::execute(QStringLiteral("chattr"), {"+i", path_}) == 0;
    active_ = !writable();
  }
  ~ReadOnlyFolder() {
    if (immutable_) QProcess::execute(QStringLiteral("chattr"), {"-i", path_});
    ::chmod(QFile::encodeName(path_).constData(), 0755);
  }
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

  // Whether the folder really refuses writes on this machine.
  [[nodiscard]] bool active() const { return active_; }

 private:
  [[nodiscard]] bool writable() const {
    QFile probe(QDir(path_).filePath(QStringLiteral(".probe")));
    if (!probe.open(QIODevice::WriteOnly)) return false;
    probe.close();
    probe.remove();
    return true;
  }

  QString path_;
  bool immutable_ = false;
  bool active_ = false;
};

}  // namespace kelvane::testing
