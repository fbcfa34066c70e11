#include "app/unrecognised_file.h"

#include "app/message_boxes.h"
#include "app/settings_store.h"
#include "settings/program_folder.h"
#include "settings/settings_file.h"
#include "styles/style_file.h"
#include "text/line_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kelvane {

namespace {

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

QString describe(const KeptAside& kept, const QString& what, const QString& fresh) {
  if (!kept.moved) {
    return QStringLiteral("「%1」は%2ではないようです。「%3」として残せませんでした: %4")
        .arg(shown(kept.path), what, shown(kept.badPath), kept.failure);
  }
  return QStringLiteral("「%1」は%2ではないようです。「%3」として残し、%4")
      .arg(shown(kept.path), what, shown(kept.badPath), fresh);
}

}  // namespace

std::optional<KeptAside> KeepUnrecognisedFile(const QString& path,
                                              const UnrecognisedTest& unrecognised) {
  if (!QFileInfo(path).isFile()) return std::nullopt;
  const auto bytes = readWholeFile(path);
  if (!bytes || !unrecognised(splitLines(*bytes))) return std::nullopt;
  KeptAside kept;
  kept.path = path;
  kept.badPath = path + QStringLiteral(".bad");
  // A rename replaces an older ".bad" in one step.
  if (std::rename(QFile::encodeName(path).constData(),
                  QFile::encodeName(kept.badPath).constData()) == 0) {
    kept.moved = true;
    return kept;
  }
  const QString refused = QString::fromLocal8Bit(std::strerror(errno));
  // Where a rename cannot replace the older file, a whole copy does; only
  // then is the original let go.
  if (auto copied = writeFileAtomically(kept.badPath, *bytes); !copied) {
    kept.failure = refused;
    return kept;
  }
  kept.moved = QFile::remove(path);
  if (!kept.moved) kept.failure = refused;
  return kept;
}

void KeepUnrecognisedStartFiles(const MessageBoxes& boxes) {
  QStringList told;
  const auto conf =
      KeepUnrecognisedFile(ProgramFile(QString::fromLatin1(kSettingsFileName)), IsUnrecognisedConf);
  if (conf) {
    told << describe(*conf, QStringLiteral("設定ファイル"),
                     QStringLiteral("設定は初めの値で始めます。終了するときに新しい設定ファイル"
                                    "を書きます。"));
  }
  const auto layout = KeepUnrecognisedFile(ProgramFile(QString::fromLatin1(kCurrentLayoutFileName)),
                                           IsUnrecognisedLayout);
  if (layout) {
    told << describe(*layout, QStringLiteral("レイアウトのファイル"),
                     QStringLiteral("空のレイアウトで始めます。終了するときに今のレイアウトを"
                                    "新しく書きます。"));
  }
  if (!told.isEmpty()) boxes.report(told.join(QStringLiteral("\r\n\r\n")));
}

}  // namespace kelvane
