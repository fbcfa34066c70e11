#pragma once
// The history of the register: every line the register gains, loses or has
// replaced, kept in a file beside it (the register's name plus ".log") that
// is only ever added to. An entry is written and flushed to disk before
// the register itself changes, so a change cut short leaves a history that
// says more than the register shows, never less.
//
// One entry a line, cp932, CR LF, fields separated by a TAB:
//   time (ISO 8601 with offset) TAB action TAB user@host TAB before TAB after TAB "."
// A receipt handed out (printed, written as a PDF, issued in a batch) is an
// entry of its own, 発行, whose "after" is the receipt as a register line
// and which has one more field before the ".": the copy kept of it,
//   "SHA-256:" hex ":" path under the register's archive folder
// or "控えなし:" and why no copy could be kept.
// The two register lines are kept byte for byte; a TAB, CR, LF or "%" in
// them is written as "%09", "%0D", "%0A" or "%25" (none of these bytes is
// ever the second byte of a cp932 character). The closing "." tells a whole
// entry from one cut short by a crash, which the reader leaves out.

#include "text/expected.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>

#include <optional>

namespace kelvane {

enum class HistoryAction { Recorded, Replaced, Deleted, HandedOut };  // 登録, 更新, 削除, 発行

struct HistoryEntry {
  QString time;  // e.g. 2026-12-08T20:30:00+09:00
  HistoryAction action = HistoryAction::Recorded;
  QString who;        // user@host
  QByteArray before;  // the register line as it was; empty for 登録
  QByteArray after;   // the register line as it is now; empty for 削除
  // 発行 only: the copy of the page handed out, as a path under the
  // register's archive folder and the SHA-256 (hex) of its bytes; or,
  // when no copy could be kept, why.
  QString copyPath;
  QByteArray copySha256;
  QString copyMissing;

  // The receipt number the entry is about (a RegisterKey).
  [[nodiscard]] QByteArray number() const;
  friend bool operator==(const HistoryEntry&, const HistoryEntry&) = default;
};

[[nodiscard]] QString HistoryActionName(HistoryAction action);

// The history file of the register at `registerPath`.
[[nodiscard]] QString HistoryPath(const QString& registerPath);

// An entry stamped with the time now and this user and machine.
[[nodiscard]] HistoryEntry StampedEntry(HistoryAction action, const QByteArray& before,
                                        const QByteArray& after);

// The entry of a receipt handed out (`line`: the receipt as a register
// line) with the copy kept of it at `copyPath` (under `archiveFolder`).
[[nodiscard]] HistoryEntry HandedOutEntry(const QByteArray& line, const QString& archiveFolder,
                                          const QString& copyPath, const QByteArray& sha256);
// The same when no copy could be kept, saying why.
[[nodiscard]] HistoryEntry HandedOutWithoutCopy(const QByteArray& line, const QString& why);

// What an entry says of its copy, for a person: the path and SHA-256, why
// there is none, or nothing for an entry that is not a 発行.
[[nodiscard]] QString CopyDescription(const HistoryEntry& entry);

// The entries of one change of the register: the lines of a number it
// removed and the line it added. Removed lines beyond the last are 削除;
// the last removed line and the added one make one 更新; an added line
// alone is 登録, removed lines alone are 削除.
[[nodiscard]] QList<HistoryEntry> ChangeEntries(const QList<QByteArray>& removed,
                                                const QByteArray& added);

// One entry as its line in the file, CR LF included.
[[nodiscard]] QByteArray FormatHistoryEntry(const HistoryEntry& entry);

// An entry from one line of the file; nothing for a line that is not a
// whole entry.
[[nodiscard]] std::optional<HistoryEntry> ParseHistoryLine(QByteArrayView line);

// Adds the entries to the history of the register at `registerPath` in one
// write, flushed to disk before it returns. The file is only opened for
// appending: what it holds is never written over.
[[nodiscard]] Expected<void> AppendHistory(const QString& registerPath,
                                           const QList<HistoryEntry>& entries);

// Every whole entry of the register's history, in the order written; none
// when there is no history yet.
[[nodiscard]] Expected<QList<HistoryEntry>> ReadHistory(const QString& registerPath);

// The entries about `number` (compared as a RegisterKey), oldest first.
[[nodiscard]] QList<HistoryEntry> HistoryOfNumber(const QList<HistoryEntry>& history,
                                                  QByteArrayView number);

// The receipts deleted from the register: for each number whose last change
// (a 発行 is none) is a 削除 and that `registerKeys` does not hold, that entry, in the order
// of their deletion.
[[nodiscard]] QList<HistoryEntry> DeletedReceipts(const QList<HistoryEntry>& history,
                                                  const QSet<QByteArray>& registerKeys);

}  // namespace kelvane
