#pragma once
// The remembered entries of a receipt text field (addressees, descriptions,
// staff): most recent first, shown as the field's drop-down list, one file
// per field in the program folder.

#include "text/expected.h"

#include <QString>
#include <QStringList>

#include <array>

namespace kelvane {

// A list keeps at most this many entries after an addition.
inline constexpr qsizetype kHistoryLength = 30;

// The history files of atesaki_1, atesaki_2, topic1, topic2 and Field_07.
inline constexpr std::array<const char*, 5> kHistoryFileNames = {
    "atesaki_1.DAT", "atesaki_2.DAT", "topic1.DAT", "topic2.DAT", "Field_07.DAT"};

struct HistoryUpdate {
  QString text;          // what the field shows afterwards
  bool changed = false;  // whether the list changed
};

// Puts `text` at the top of `list`: an entry that matches it ignoring
// letter case moves up and its spelling wins; a new one is inserted, and a
// list that grows past kHistoryLength loses its 31st entry. Empty text
// changes nothing.
HistoryUpdate UpdateHistoryList(QStringList& list, const QString& text);

// The entries of a history file in file order; a missing file is an empty
// list. Bytes that are not valid cp932 read as U+FFFD.
[[nodiscard]] Expected<QStringList> ReadHistoryFile(const QString& path);

// Writes the entries, one cp932 line each with CR LF, atomically. A
// character cp932 cannot hold is written as "?", as on the receipt. A file
// that is there but cannot be read is a failure and stays as it is.
[[nodiscard]] Expected<void> WriteHistoryFile(const QString& path, const QStringList& entries);

}  // namespace kelvane
