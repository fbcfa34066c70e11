#pragma once
// The user's holidays: one line per month and day, for example "05,03," for
// 3 May, valid in every year, kept in the order they were set, and stored in
// "SDAYLIST.DAT" in the program folder (cp932, CR LF).

#include "text/expected.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace kelvane {

inline constexpr char kHolidayFileName[] = "SDAYLIST.DAT";

// The file holds a few hundred bytes at most; anything past this is not a
// holiday list and is refused rather than read into memory.
inline constexpr qint64 kMaxHolidayFileBytes = 1024 * 1024;

// The month and day texts of a holiday line: the texts before its first and
// second comma. A field without its comma reads as empty, as in every record
// of the program. Views into `line`.
struct HolidayFields {
  QStringView month;
  QStringView day;
};
[[nodiscard]] HolidayFields SplitHolidayLine(QStringView line);

// A one-character month or day text gets a leading "0"; other texts stay.
[[nodiscard]] QString PadHolidayField(const QString& text);

// "MM,DD": the key a holiday line is found by (its first two fields joined
// with a comma). The texts are padded first.
[[nodiscard]] QString HolidayKey(const QString& month, const QString& day);

// The key of an existing line, from its fields as they stand.
[[nodiscard]] QString HolidayLineKey(QStringView line);

class HolidayList {
 public:
  [[nodiscard]] const QStringList& lines() const { return lines_; }
  [[nodiscard]] qsizetype size() const { return lines_.size(); }

  // The first line at or after `from` whose key is `key`, or -1.
  [[nodiscard]] qsizetype FindKey(const QString& key, qsizetype from = 0) const;

  // Adds a line at the end. A line break inside it becomes a blank, so that
  // the file keeps one holiday per line.
  void Append(const QString& line);
  void RemoveAt(qsizetype index);  // an index outside the list does nothing
  void Clear();

  // Replaces the list with the lines of the file at `path`. A missing file
  // is an empty list. A file that cannot be read (or is far too big) is a
  // failure naming it, and the list stays as it was. Lines of any content,
  // bytes that are not cp932 included, are kept as they are.
  [[nodiscard]] Expected<void> Read(const QString& path);

  // Writes the whole list to `path` atomically. Lines that came from the
  // file are written back byte for byte.
  [[nodiscard]] Expected<void> Write(const QString& path) const;

 private:
  QStringList lines_;
  // Each line as cp932 bytes, in step with lines_: what the file held for
  // the lines read from it, so that a rewrite changes no other holiday.
  QList<QByteArray> bytes_;
};

}  // namespace kelvane
