#include "settings/program_folder.h"

#include <QCoreApplication>
#include <QDir>

namespace kelvane {

namespace {
QString& configuredFolder() {
  static QString folder;
  return folder;
}
}  // namespace

QString ProgramFolder() {
  const QString& folder = configuredFolder();
  return folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
}

void SetProgramFolder(const QString& folder) { configuredFolder() = folder; }

QString ProgramFile(const QString& name) { return QDir(ProgramFolder()).filePath(name); }

}  // namespace kelvane
