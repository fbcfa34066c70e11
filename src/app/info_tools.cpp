#include "app/info_tools.h"

#include "settings/program_folder.h"

#include <sys/sysinfo.h>

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrlQuery>

namespace kelvane {

QString MemoryReportText(quint64 freeBytes, quint64 totalBytes) {
  return QStringLiteral("現在のメモリーは\r\nFree %1 / Total %2 Bytes")
      .arg(freeBytes)
      .arg(totalBytes);
}

QString MemoryReportText() {
  struct sysinfo info {};
  if (sysinfo(&info) != 0) return MemoryReportText(0, 0);
  const quint64 unit = info.mem_unit == 0 ? 1 : info.mem_unit;
  return MemoryReportText(static_cast<quint64>(info.freeram) * unit,
                          static_cast<quint64>(info.totalram) * unit);
}

QString ScreenResolutionText(const QSize& screen) {
  return QStringLiteral("現在の画面解像度は\r\n%1×%2").arg(screen.width()).arg(screen.height());
}

QString FindTextEditor() {
  static const char* const kEditors[] = {
      "gnome-text-editor", "gedit",   "mousepad", "pluma", "xed", "kate", "kwrite",
      "featherpad",        "leafpad", "l3afpad",  "xedit"};
  for (const char* name : kEditors) {
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (!path.isEmpty()) return path;
  }
  return {};
}

bool StartTextEditor() {
  const QString editor = FindTextEditor();
  return !editor.isEmpty() && QProcess::startDetached(editor, {});
}

QString ManualPath() { return ProgramFile(QStringLiteral("manual/index.html")); }
QString TaxTablePath() { return ProgramFile(QStringLiteral("tax_table.htm")); }

QUrl SupportMailUrl() {
  QUrl url(QStringLiteral("mailto:"));
  QUrlQuery query;
  query.addQueryItem(QStringLiteral("subject"), QStringLiteral("ネムリカ"));
  url.setQuery(query);
  return url;
}

bool OpenSupportMail() { return QDesktopServices::openUrl(SupportMailUrl()); }

DocumentOpening OpenLocalDocument(const QString& path) {
  if (!QFileInfo(path).isFile()) return DocumentOpening::FileMissing;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path)) ? DocumentOpening::Opened
                                                              : DocumentOpening::NoProgram;
}

QString NotOpenedText(DocumentOpening result, const QString& what, const QString& path) {
  switch (result) {
    case DocumentOpening::Opened:
      return {};
    case DocumentOpening::FileMissing:
      return QStringLiteral("%1「%2」が見つかりません。").arg(what, QDir::toNativeSeparators(path));
    case DocumentOpening::NoProgram:
      return QStringLiteral("%1「%2」を開くプログラム（ブラウザ）が見つかりません。")
          .arg(what, QDir::toNativeSeparators(path));
  }
  return {};
}

}  // namespace kelvane
