#pragma once
// What the fuzz targets share: the input as bytes or lines, written to a
// file for the readers that take a path, and a check that stops the run
// when a reader breaks one of its promises.

#include "text/line_file.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace kelvane::fuzz {

inline QByteArray Bytes(const uint8_t* data, size_t size) {
  return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// A private folder for the whole run, removed at its end.
inline const QTemporaryDir& Folder() {
  static const QTemporaryDir folder;
  if (!folder.isValid()) {
    std::fputs("fuzz: no temporary folder\n", stderr);
    std::abort();
  }
  return folder;
}

inline QString PathOf(const char* name) { return Folder().filePath(QString::fromLatin1(name)); }

// `bytes` as the file `name` in the private folder; the same path each
// time, so a run does not fill the disk.
inline QString AsFile(const QByteArray& bytes, const char* name) {
  const QString path = PathOf(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
    std::fputs("fuzz: cannot write the input file\n", stderr);
    std::abort();
  }
  return path;
}

// A broken promise is a finding like a crash: libFuzzer keeps the input.
#define KELVANE_FUZZ_CHECK(condition)                                                          \
  do {                                                                                         \
    if (!(condition)) {                                                                        \
      std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
      std::abort();                                                                            \
    }                                                                                          \
  } while (false)

// Some readers (pictures, plug-ins) want an application object.
inline void EnsureApplication() {
  static int argc = 1;
  static char arg0[] = "kelvane-fuzz";
  static char* argv[] = {arg0, nullptr};
  if (QCoreApplication::instance()) return;
  static QCoreApplication app(argc, argv);
}

}  // namespace kelvane::fuzz
