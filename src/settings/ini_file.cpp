#include "settings/ini_file.h"

#include "text/fixed_point.h"
#include "text/line_file.h"

#include <QFileInfo>

namespace kelvane {

namespace {

bool sameName(QByteArrayView a, QByteArrayView b) {
  return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// The name of a "[section]" line, or nothing for another line.
std::optional<QByteArrayView> sectionName(QByteArrayView line) {
  const QByteArrayView t = line.trimmed();
  if (t.size() < 2 || !t.startsWith('[') || !t.endsWith(']')) return std::nullopt;
  return t.sliced(1, t.size() - 2);
}

}  // namespace

Expected<IniFile> IniFile::load(const QString& path) {
  if (!QFileInfo::exists(path)) return IniFile{};
  auto lines = readLineFile(path);
  if (!lines) return Failure{lines.error()};
  return parse(*lines);
}

IniFile IniFile::parse(const QList<QByteArray>& lines) {
  IniFile ini;
  ini.lines_ = lines;
  return ini;
}

qsizetype IniFile::findSection(QByteArrayView section) const {
  for (qsizetype i = 0; i < lines_.size(); ++i) {
    const auto name = sectionName(lines_[i]);
    if (name && sameName(*name, section)) return i;
  }
  return -1;
}

qsizetype IniFile::sectionEnd(qsizetype header) const {
  qsizetype i = header + 1;
  while (i < lines_.size() && !sectionName(lines_[i])) ++i;
  return i;
}

qsizetype IniFile::findKey(qsizetype header, QByteArrayView key) const {
  const qsizetype end = sectionEnd(header);
  for (qsizetype i = header + 1; i < end; ++i) {
    const qsizetype eq = lines_[i].indexOf('=');
    if (eq > 0 && sameName(QByteArrayView(lines_[i]).first(eq), key)) return i;
  }
  return -1;
}

std::optional<QByteArray> IniFile::value(QByteArrayView section, QByteArrayView key) const {
  const qsizetype header = findSection(section);
  if (header < 0) return std::nullopt;
  const qsizetype line = findKey(header, key);
  if (line < 0) return std::nullopt;
  return lines_[line].sliced(lines_[line].indexOf('=') + 1).trimmed();
}

int IniFile::intValue(QByteArrayView section, QByteArrayView key, int fallback) const {
  const auto text = value(section, key);
  return text ? fixed::parseWholeOr(*text, fallback) : fallback;
}

void IniFile::setValue(QByteArrayView section, QByteArrayView key, const QByteArray& value) {
  const QByteArray line = key.toByteArray() + '=' + value;
  qsizetype header = findSection(section);
  if (header < 0) {
    lines_.append('[' + section.toByteArray() + ']');
    lines_.append(line);
    return;
  }
  const qsizetype existing = findKey(header, key);
  if (existing >= 0) {
    lines_[existing] = line;
  } else {
    lines_.insert(sectionEnd(header), line);
  }
}

Expected<void> IniFile::save(const QString& path) const { return writeLineFile(path, lines_); }

}  // namespace kelvane
