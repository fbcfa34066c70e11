#include "styles/picture_folder.h"

#include "text/line_file.h"

#include <QDir>
#include <QFileInfo>

namespace kelvane {

namespace {

// Names tried before giving up: far more pictures of one name than any
// shop keeps.
constexpr int kMaxNameTries = 1000;

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

QString candidateName(const QFileInfo& source, int n) {
  if (n == 1) return source.fileName();
  const QString base = source.completeBaseName();
  const QString suffix = source.suffix();
  const QString numbered = base + QStringLiteral("_") + QString::number(n);
  return suffix.isEmpty() ? numbered : numbered + u'.' + suffix;
}

}  // namespace

bool IsInsideFolder(const QString& path, const QString& folder) {
  const QString file = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
  const QFileInfo folderInfo(folder);
  // Through links too: a folder reached by another name is the same folder.
  const QString canonicalFolder = folderInfo.canonicalFilePath();
  const QString canonicalFile = QFileInfo(file).canonicalFilePath();
  if (!canonicalFolder.isEmpty() && !canonicalFile.isEmpty() &&
      canonicalFile.startsWith(canonicalFolder + u'/'))
    return true;
  return file.startsWith(QDir::cleanPath(folderInfo.absoluteFilePath()) + u'/');
}

Expected<QString> CopyPictureInto(const QString& source, const QString& folder) {
  const auto content = readWholeFile(source);
  if (!content) return Failure{content.error()};
  if (!QDir().mkpath(folder)) {
    return Failure{QStringLiteral("画像を入れるフォルダ「%1」を作れません。").arg(shown(folder))};
  }
  const QFileInfo info(source);
  const QDir dir(folder);
  for (int n = 1; n <= kMaxNameTries; ++n) {
    const QString target = dir.filePath(candidateName(info, n));
    const QFileInfo existing(target);
    if (existing.exists()) {
      if (!existing.isFile() || existing.size() != content->size()) continue;
      const auto there = readWholeFile(target);
      if (there && *there == *content) return target;
      continue;
    }
    if (auto written = writeFileAtomically(target, *content); !written) {
      return Failure{written.error()};
    }
    return target;
  }
  return Failure{QStringLiteral("「%1」には同じ名前の画像が多すぎるため、コピーできません。")
                     .arg(shown(folder))};
}

}  // namespace kelvane
