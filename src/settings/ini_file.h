#pragma once
// An ini text file ("[section]" lines, "key=value" lines) as the window files
// are kept. Section and key names compare without regard to case, so a key
// written "Top" is found as "top". Everything else in the file is kept when
// a value is changed and the file written back.

#include "text/expected.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace kelvane {

class IniFile {
 public:
  // A missing file is an empty ini; an unreadable one is a failure.
  [[nodiscard]] static Expected<IniFile> load(const QString& path);
  [[nodiscard]] static IniFile parse(const QList<QByteArray>& lines);

  [[nodiscard]] std::optional<QByteArray> value(QByteArrayView section, QByteArrayView key) const;
  // The value as a whole number, or `fallback` when absent or not a number.
  [[nodiscard]] int intValue(QByteArrayView section, QByteArrayView key, int fallback) const;
  void setValue(QByteArrayView section, QByteArrayView key, const QByteArray& value);

  [[nodiscard]] const QList<QByteArray>& lines() const { return lines_; }
  [[nodiscard]] Expected<void> save(const QString& path) const;

 private:
  // Index of the "[section]" line, or -1.
  [[nodiscard]] qsizetype findSection(QByteArrayView section) const;
  // Index of the key's line within the section starting at `header`, or -1.
  [[nodiscard]] qsizetype findKey(qsizetype header, QByteArrayView key) const;
  [[nodiscard]] qsizetype sectionEnd(qsizetype header) const;

  QList<QByteArray> lines_;
};

}  // namespace kelvane
