#include "receipt/holiday_list.h"

#include "text/layout_text.h"
#include "text/line_file.h"

#include <QFileInfo>

namespace kelvane {

HolidayFields SplitHolidayLine(QStringView line) {
  HolidayFields fields;
  const qsizetype first = line.indexOf(u',');
  if (first < 0) return fields;
  fields.month = line.first(first);
  const QStringView rest = line.sliced(first + 1);
  const qsizetype second = rest.indexOf(u',');
  if (second >= 0) fields.day = rest.first(second);
  return fields;
}

QString PadHolidayField(const QString& text) {
  return text.size() == 1 ? QStringLiteral("0") + text : text;
}

QString HolidayKey(const QString& month, const QString& day) {
  return PadHolidayField(month) + u',' + PadHolidayField(day);
}

QString HolidayLineKey(QStringView line) {
  const HolidayFields fields = SplitHolidayLine(line);
  return fields.month.toString() + u',' + fields.day.toString();
}

qsizetype HolidayList::FindKey(const QString& key, qsizetype from) const {
  for (qsizetype i = qMax<qsizetype>(from, 0); i < lines_.size(); ++i) {
    if (HolidayLineKey(lines_.at(i)) == key) return i;
  }
  return -1;
}

void HolidayList::Append(const QString& line) {
  QString oneLine = line;
  for (QChar& c : oneLine) {
    if (c == u'\r' || c == u'\n') c = u' ';
  }
  bytes_.append(ToLayoutText(oneLine));
  // The list shows what the file will hold.
  lines_.append(FromLayoutText(bytes_.constLast()));
}

void HolidayList::RemoveAt(qsizetype index) {
  if (index < 0 || index >= lines_.size()) return;
  lines_.removeAt(index);
  bytes_.removeAt(index);
}

void HolidayList::Clear() {
  lines_.clear();
  bytes_.clear();
}

Expected<void> HolidayList::Read(const QString& path) {
  if (!QFileInfo::exists(path)) {
    Clear();
    return {};
  }
  auto content = readWholeFile(path, kMaxHolidayFileBytes);
  if (!content) return Failure{content.error()};
  QList<QByteArray> bytes = splitLines(content.value());
  QStringList lines;
  lines.reserve(bytes.size());
  for (const QByteArray& line : bytes) lines.append(FromLayoutText(line));
  lines_ = std::move(lines);
  bytes_ = std::move(bytes);
  return {};
}

Expected<void> HolidayList::Write(const QString& path) const { return writeLineFile(path, bytes_); }

}  // namespace kelvane
