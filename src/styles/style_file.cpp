#include "styles/style_file.h"

#include "layout/element_record.h"
#include "layout/field_cursor.h"
#include "layout/header_lines.h"
#include "layout/layout_slots.h"
#include "text/fixed_point.h"
#include "text/line_file.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace kelvane {

namespace {

// Lines searched for a header: the six header lines and room for a few
// lines added before them.
constexpr qsizetype kHeadLines = 12;

bool isDecimal(QByteArrayView field) { return fixed::parse(field).has_value(); }

// Header line 2: eleven fields, the first two the overall offset.
bool isPrintSettingsLine(const QByteArray& line) {
  if (line.count(',') < 9) return false;
  FieldCursor c(line);
  return isDecimal(c.TakeField()) && isDecimal(c.TakeField());
}

bool isElementRecord(const QByteArray& line) { return RecordKindOf(line).has_value(); }

bool isBlank(const QByteArray& line) { return line.trimmed().isEmpty(); }

// "[Version2.0]" as written, "[Version1.1]" as held in memory, or another
// version; not the settings file's "[Version]=2.00".
bool isVersionLine(const QByteArray& line) {
  return line.startsWith("[Version") && line.trimmed().endsWith(']');
}

}  // namespace

bool HoldsNothing(QByteArrayView line) {
  if (std::all_of(line.begin(), line.end(), [](char c) { return c == ','; })) return true;
  const auto element = ReadElementRecord(line);
  const TextElement* text = element ? std::get_if<TextElement>(&element->fields) : nullptr;
  return text && text->x.value == 0 && text->y.value == 0 && text->text.isEmpty();
}

QList<QByteArray> StyleFileLines(const LayoutDocument& document) {
  const QList<QByteArray>& lines = document.lines();
  qsizetype end = lines.size();
  while (end > slotmap::kLineCount && HoldsNothing(lines[end - 1])) --end;
  return lines.first(end);
}

bool IsUnrecognisedLayout(const QList<QByteArray>& lines) {
  if (std::all_of(lines.begin(), lines.end(), isBlank)) return false;
  for (qsizetype i = 0; i < std::min(lines.size(), kHeadLines); ++i) {
    const QByteArray& line = lines[i];
    if (isVersionLine(line) || line == LayoutDocument::kEmptySlot || isPrintSettingsLine(line))
      return false;
  }
  return std::none_of(lines.begin(), lines.end(), isElementRecord);
}

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
  return writeLineFile(path, StyleFileLines(document));
}

QString ShortStyleMessage(const QString& path, const StyleLoadReport& report) {
  return QStringLiteral("「%1」は %2 行しかありません。足りない行は空にしました。")
      .arg(QDir::toNativeSeparators(path))
      .arg(report.fileLines);
}

}  // namespace kelvane
