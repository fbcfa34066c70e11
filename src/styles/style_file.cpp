#include "styles/style_file.h"

#include "layout/header_lines.h"
#include "layout/layout_slots.h"
#include "text/line_file.h"

#include <QDir>
#include <QFileInfo>

namespace kelvane {

Expected<StyleLoadReport> LoadStyleFile(LayoutDocument& document, const QString& path) {
  if (!QFileInfo(path).isFile()) {
    return Failure{QStringLiteral("スタイルファイル「%1」が見つかりません。")
                       .arg(QDir::toNativeSeparators(path))};
  }
  auto lines = readLineFile(path);
  if (!lines) return Failure{lines.error()};
  StyleLoadReport report;
  report.fileLines = lines->size();
  report.padded = report.fileLines < slotmap::kLineCount;
  document.replaceAll(std::move(*lines));
  return report;
}

Expected<void> SaveStyleFile(LayoutDocument& document, const QString& path) {
  document.setLine(slotmap::kVersionLine, kVersionInFile);
  return writeLineFile(path, document.lines());
}

QString ShortStyleMessage(const QString& path, const StyleLoadReport& report) {
  return QStringLiteral("「%1」は %2 行しかありません。足りない行は空にしました。")
      .arg(QDir::toNativeSeparators(path))
      .arg(report.fileLines);
}

}  // namespace kelvane
