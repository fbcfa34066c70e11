#pragma once
// Changes to the receipt register file. Each change holds a lock file
// beside the register for its duration, so that two running copies of the
// program cannot lose each other's lines, keeps the register as it stood in
// "tempfile.dat", and writes the new register atomically: a failure at any
// step leaves the previous register whole.

#include "text/expected.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace kelvane {

// How long a change waits for another copy of the program to finish.
inline constexpr int kRegisterLockWaitMs = 3000;

// The register's lines; nothing when the file does not exist.
[[nodiscard]] Expected<std::optional<QList<QByteArray>>> ReadRegister(const QString& path);

// Whether a line of the register carries the receipt number.
[[nodiscard]] Expected<bool> RegisterHasNumber(const QString& path, const QByteArray& number);

struct RegisterChange {
  bool existed = false;  // the register file was there before
  int linesRead = 0;     // every line of it, removed ones included
};

// Removes every line carrying `number` (nothing matches when the number is
// empty but lines with an empty number), then appends the line that
// `newLine` makes from the count of lines read, when it is given. A register
// that does not exist yet is created with that line alone; without a new
// line it stays absent. Before an existing register is rewritten, its bytes
// are copied to `tempCopy`.
[[nodiscard]] Expected<RegisterChange> ChangeRegister(
    const QString& path, const QString& tempCopy, const QByteArray& number,
    const std::function<QByteArray(int linesRead)>& newLine);

}  // namespace kelvane
