#pragma once
// Changes to the receipt register file. Each change holds a lock file
// beside the register for its duration, so that two running copies of the
// program cannot lose each other's lines, keeps the register as it stood in
// "tempfile.dat", and writes the new register atomically: a failure at any
// step leaves the previous register whole.

#include "receipt/register_history.h"
#include "text/expected.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <QLockFile>

#include <functional>
#include <memory>
#include <optional>

namespace kelvane {

// How long a change waits for another copy of the program to finish.
inline constexpr int kRegisterLockWaitMs = 3000;

// The register's lines; nothing when the file does not exist.
[[nodiscard]] Expected<std::optional<QList<QByteArray>>> ReadRegister(const QString& path);

// Whether a line of the register carries the receipt number.
[[nodiscard]] Expected<bool> RegisterHasNumber(const QString& path, const QByteArray& number);

// The lines of the register that carry the receipt number, in file order;
// nothing when the file does not exist.
[[nodiscard]] Expected<std::optional<QList<QByteArray>>> RegisterLinesOf(const QString& path,
                                                                         const QByteArray& number);

// The largest number part of the register's numbers that begin with the
// header's bytes (HeaderedNumberPart); nothing when no number has that form
// or the file does not exist. The next automatic number is kept above it,
// so that a last number lost in a crash never gives a number twice.
[[nodiscard]] Expected<std::optional<qint64>> LargestNumberPart(const QString& path,
                                                                const QByteArray& header);

// What the caller has made sure of before a change, checked again under the
// lock: what was asked about while the lock was not held may have changed
// since, through another copy of the program or a stick pulled out.
struct RegisterGuard {
  // The lines of the number the user agreed to replace (none: there were
  // none). Absent: every line of the number may go.
  std::optional<QList<QByteArray>> agreedLines;
  // The register was there when the program last read it: its absence now
  // is an error, and no new register is made in its place.
  bool mustExist = false;
};

struct RegisterChange {
  bool existed = false;  // the register file was there before
  int linesRead = 0;     // every line of it, removed ones included
  // The register holds other lines of the number than the agreed ones:
  // nothing was written, and `found` holds the lines it holds now.
  bool conflict = false;
  QList<QByteArray> found;
};

// A register that the guard says must exist and that is not there.
[[nodiscard]] QString MissingRegisterMessage(const QString& path);

// Removes every line carrying `number` (nothing matches when the number is
// empty but lines with an empty number), then appends the line that
// `newLine` makes from the count of lines read, when it is given. A register
// that does not exist yet is created with that line alone; without a new
// line it stays absent. Before an existing register is rewritten, its bytes
// are copied to `tempCopy`. Each line removed or added is written to the
// register's history (register_history.h) before the register is replaced;
// a history that cannot be written stops the change. The look-up, the
// guard's checks, the history and the write happen under one hold of the
// lock.
[[nodiscard]] Expected<RegisterChange> ChangeRegister(
    const QString& path, const QString& tempCopy, const QByteArray& number,
    const std::function<QByteArray(int linesRead)>& newLine, const RegisterGuard& guard = {});

// Adds `entries` (receipts handed out) to the register's history under the
// register's lock, so that they never mix with another copy's entries on a
// shared folder. A register whose folder is gone (a stick pulled out) gets
// no history made in its place.
[[nodiscard]] Expected<void> NoteInHistory(const QString& path, const QList<HistoryEntry>& entries);

// The register held for a batch of receipts: from Hold to the end of the
// object's life no other copy of the program changes it, so the numbers a
// batch checked are still free when its lines are appended.
class HeldRegister {
 public:
  // Takes the register's lock, waiting at most `waitMs`, and reads it. A
  // register that `mustExist` and is not there is an error, said before
  // any lock file is made.
  [[nodiscard]] static Expected<std::unique_ptr<HeldRegister>> Hold(
      const QString& path, bool mustExist, int waitMs = kRegisterLockWaitMs);

  // The register's bytes as read at Hold; nothing when it did not exist.
  [[nodiscard]] const std::optional<QByteArray>& content() const { return content_; }

  // Appends `lines` (without line ends) after the register's lines in one
  // atomic write, the register as it stood kept in `tempCopy` first and
  // each line written to the register's history as 登録 before that. A
  // register that did not exist is made with these lines. Once per hold.
  [[nodiscard]] Expected<void> append(const QString& tempCopy, const QList<QByteArray>& lines);

  HeldRegister(const HeldRegister&) = delete;
  HeldRegister& operator=(const HeldRegister&) = delete;

 private:
  explicit HeldRegister(const QString& path);
  QString path_;
  QLockFile lock_;
  std::optional<QByteArray> content_;
  bool appended_ = false;
};

}  // namespace kelvane
