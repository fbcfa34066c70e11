#include "settings/settings_file.h"

#include "text/fixed_point.h"
#include "text/line_file.h"

#include <QFileInfo>

namespace kelvane {

namespace {

constexpr const char* kFlagKeys[kConfFlagCount] = {
    "[AUTO_DATE]", "[AUTO_NUMBER]", "[TOP_MARK]",  "[END_MARK]", "[TAB_USE]",    "[AUTO_NEW]",
    "[AUTO_SAVE]", "[KANSUJI]",     "[TITLE_USE]", "[TOP_USE]",  "[STATUS_USE]", "[ZERO]"};

// The file's own order of keys 12 to 24, with BAR_AVRG between END_MARK and
// TAB_USE: index into kFlagKeys, or -1 for BAR_AVRG.
constexpr int kTailOrder[] = {0, 1, 2, 3, -1, 4, 5, 6, 7, 8, 9, 10, 11};

// Flags match only the exact lines "[KEY]=true" and "[KEY]=false".
bool readFlagLine(const QByteArray& line, ConfRead& read) {
  for (int i = 0; i < kConfFlagCount; ++i) {
    const QByteArray key(kFlagKeys[i]);
    if (line == key + "=true") {
      read.flags[i] = true;
      return true;
    }
    if (line == key + "=false") {
      read.flags[i] = false;
      return true;
    }
  }
  return false;
}

void readValueLine(const QByteArray& name, const QByteArray& value, ConfRead& read) {
  if (name == "[STYLE_NAME]")
    read.styleName = value;
  else if (name == "[DATA_NAME]")
    read.dataName = value;
  else if (name == "[OFFSET_X]")
    read.offsetX = fixed::parseWholeOr(value, 0);
  else if (name == "[OFFSET_Y]")
    read.offsetY = fixed::parseWholeOr(value, 0);
  else if (name == "[SIZE_X]")
    read.sizeX = fixed::parseWholeOr(value, 0);
  else if (name == "[SIZE_Y]")
    read.sizeY = fixed::parseWholeOr(value, 0);
  else if (name == "[HEADER_CHAR]")
    read.headerChar = value;
  else if (name == "[HEADER_NUMBER]")
    read.headerNumber = value;
  else if (name == "[LAST_NUMBER]")
    read.lastNumber = value;
  else if (name == "[BAR_AVRG]")
    read.barAvrg = fixed::parseWholeOr(value, 70);
  else if (name == "[STYLE_PREVIEW]")
    read.stylePreview = fixed::parseWholeOr(value, 1);
  else if (name == "[TAX_BASIS]")
    read.taxBasis = value;
  else if (name == "[TAX_ROUNDING]")
    read.taxRounding = value;
  else if (name == "[ARCHIVE]")
    read.archive = value != "false";
}

QByteArray flagLine(int index, bool on) {
  return QByteArray(kFlagKeys[index]) + (on ? "=true" : "=false");
}

}  // namespace

ConfRead ParseConf(const QList<QByteArray>& lines) {
  ConfRead read;
  for (const QByteArray& line : lines) {
    if (readFlagLine(line, read)) continue;
    const qsizetype eq = line.indexOf('=');
    if (eq < 0) continue;
    readValueLine(line.first(eq), line.sliced(eq + 1), read);
  }
  return read;
}

bool IsUnrecognisedConf(const QList<QByteArray>& lines) {
  static const QList<QByteArray> keys = [] {
    QList<QByteArray> names;
    ConfWrite every;  // the later keys too
    every.taxBasis = every.taxRounding = "-";
    every.archive = false;
    for (const QByteArray& line : FormatConf(every))
      names.append(line.first(line.indexOf('=') + 1));
    return names;
  }();
  bool anything = false;
  for (const QByteArray& line : lines) {
    for (const QByteArray& key : keys) {
      if (line.startsWith(key)) return false;
    }
    anything = anything || !line.trimmed().isEmpty();
  }
  return anything;
}

QList<QByteArray> FormatConf(const ConfWrite& s) {
  QList<QByteArray> lines{
      "[Version]=2.00",
      "[STYLE_NAME]=" + s.styleName,
      "[DATA_NAME]=" + s.dataName,
      "[OFFSET_X]=" + s.offsetXText,
      "[OFFSET_Y]=" + s.offsetYText,
      "[SIZE_X]=" + s.sizeXText,
      "[SIZE_Y]=" + s.sizeYText,
      "[STYLE_PREVIEW]=" + QByteArray::number(s.stylePreview),
      "[HEADER_CHAR]=" + s.headerChar,
      "[HEADER_NUMBER]=" + s.headerNumber,
      "[LAST_NUMBER]=" + s.lastNumber,
  };
  for (int index : kTailOrder) {
    lines.append(index < 0 ? "[BAR_AVRG]=" + QByteArray::number(s.barAvrg)
                           : flagLine(index, s.flags[index]));
  }
  if (!s.taxBasis.isEmpty()) lines.append("[TAX_BASIS]=" + s.taxBasis);
  if (!s.taxRounding.isEmpty()) lines.append("[TAX_ROUNDING]=" + s.taxRounding);
  if (!s.archive) lines.append("[ARCHIVE]=false");
  return lines;
}

Expected<ConfRead> ReadConfFile(const QString& path) {
  if (!QFileInfo::exists(path)) return ConfRead{};
  auto lines = readLineFile(path);
  if (!lines) return Failure{lines.error()};
  return ParseConf(*lines);
}

Expected<void> WriteConfFile(const QString& path, const ConfWrite& state) {
  return writeLineFile(path, FormatConf(state));
}

Expected<void> UpdateConfNumbering(const QString& path, const ConfWrite& state) {
  if (!QFileInfo::exists(path)) return WriteConfFile(path, state);
  auto read = readLineFile(path);
  if (!read) return Failure{read.error()};
  QList<QByteArray> lines = *read;
  const std::pair<QByteArray, QByteArray> keys[] = {{"[HEADER_CHAR]=", state.headerChar},
                                                    {"[HEADER_NUMBER]=", state.headerNumber},
                                                    {"[LAST_NUMBER]=", state.lastNumber}};
  for (const auto& [key, value] : keys) {
    bool found = false;
    for (QByteArray& line : lines) {
      if (!line.startsWith(key)) continue;
      line = key + value;
      found = true;
    }
    if (!found) lines.append(key + value);
  }
  return writeLineFile(path, lines);
}

}  // namespace kelvane
