#include "receipt/input_history.h"

#include "text/layout_text.h"
#include "text/line_file.h"

#include <QFileInfo>

namespace kelvane {

HistoryUpdate UpdateHistoryList(QStringList& list, const QString& text) {
  if (text.isEmpty()) return {text, false};
  for (qsizetype i = 0; i < list.size(); ++i) {
    if (list.at(i).compare(text, Qt::CaseInsensitive) != 0) continue;
    const QString entry = list.at(i);
    list.move(i, 0);
    return {entry, i != 0};
  }
  list.prepend(text);
  // Only the one entry beyond the limit goes, so a longer list read from a
  // file keeps its length.
  if (list.size() > kHistoryLength) list.removeAt(kHistoryLength);
  return {text, true};
}

Expected<QStringList> ReadHistoryFile(const QString& path) {
  if (!QFileInfo::exists(path)) return QStringList{};
  auto lines = readLineFile(path);
  if (!lines) return Failure{lines.error()};
  QStringList entries;
  entries.reserve(lines->size());
  for (const QByteArray& line : *lines) entries << FromLayoutText(line);
  return entries;
}

Expected<void> WriteHistoryFile(const QString& path, const QStringList& entries) {
  // A file that is there but cannot be read (another user's, a bad disk)
  // holds entries the list never saw: it is left as it is.
  if (QFileInfo(path).isFile()) {
    if (auto read = readWholeFile(path); !read) {
      return Failure{read.error() + QStringLiteral("\r\n読み込めない入力履歴は上書きしません。")};
    }
  }
  QList<QByteArray> lines;
  lines.reserve(entries.size());
  for (QString entry : entries) {
    // A line break inside an entry would make two entries of it.
    for (QChar& c : entry)
      if (c.unicode() < 0x20) c = u' ';
    lines << ToLayoutText(entry);
  }
  return writeLineFile(path, lines);
}

}  // namespace kelvane
