#pragma once
// A small disk of its own (tmpfs) mounted on a folder for the life of the
// object, for the tests of writes onto a full disk. Mounting needs root;
// where it is refused, active() is false and the folder stays as it was.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <sys/mount.h>

namespace kelvane::testing {

class SmallDisk {
 public:
  // `folder` must exist; `bytes` is the size of the disk.
  SmallDisk(QString folder, qint64 bytes) : folder_(std::move(folder)) {
    const QByteArray size = "size=" + QByteArray::number(bytes) + ",mode=0755";
    mounted_ =
        ::mount("tmpfs", QFile::encodeName(folder_).constData(), "tmpfs", 0, size.constData()) == 0;
  }
  ~SmallDisk() {
    if (mounted_) ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  [[nodiscard]] bool active() const { return mounted_; }

  // The name of the file that takes up the free room.
  static QString fillerName() { return QStringLiteral(".filler"); }

  // Takes up every free byte with a file of its own, so that the next write
  // of any size fails, or all but `leavePages` pages of 4 KiB, so that the
  // first small files still fit. Returns whether the disk is filled now.
  bool fill(int leavePages = 0) {
    QFile filler(QDir(folder_).filePath(fillerName()));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
      return false;
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {
    }
    // A partly written last block leaves a tail smaller than one page.
    while (filler.write(block.first(1)) == 1) {
    }
    return leavePages == 0 || filler.resize(filler.size() - qint64(leavePages) * block.size());
  }
  // Gives the room back.
  void release() { QFile::remove(QDir(folder_).filePath(fillerName())); }

 private:
  QString folder_;
  bool mounted_ = false;
};

}  // namespace kelvane::testing
