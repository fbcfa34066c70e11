#pragma once
// The lock file of a register that several PCs share on a network folder.
// A lock of another PC is never taken as abandoned by its age alone while
// it is young: a batch on a slow share may hold it for a while, and clocks
// of two machines differ. An old lock of another PC (its program crashed or
// the PC was switched off) is said with the PC's name, and the user may
// break it. A lock of this PC whose program is gone is cleared as before.

#include "text/expected.h"

#include <QLockFile>
#include <QString>

#include <optional>

namespace kelvane {

// A lock of another PC older than this may be broken by the user.
inline constexpr qint64 kAbandonedLockSeconds = 5 * 60;

// The register's lock file, set so that age alone never clears it.
[[nodiscard]] QString RegisterLockPath(const QString& registerPath);
void KeepLockUntilBroken(QLockFile& lock);

// Takes the lock, trying every few milliseconds for at most `waitMs`. A copy
// that records receipt after receipt gives the lock back only for a moment;
// trying often (not at doubling intervals) gets the waiting copy its turn.
[[nodiscard]] bool TakeRegisterLock(QLockFile& lock, int waitMs);

struct RegisterLockHolder {
  QString host;
  qint64 pid = 0;
  qint64 ageSeconds = 0;
  bool thisHost = false;
  // Another PC's lock old enough to be offered for breaking.
  [[nodiscard]] bool abandoned() const { return !thisHost && ageSeconds >= kAbandonedLockSeconds; }
};

// Who holds the register's lock now; nothing when no lock file is there or
// it cannot be read.
[[nodiscard]] std::optional<RegisterLockHolder> RegisterLockHolderOf(const QString& registerPath);

// Why the register could not be locked, naming the PC that holds it.
[[nodiscard]] QString RegisterInUseMessage(const QString& registerPath,
                                           const std::optional<RegisterLockHolder>& holder);

// Removes an abandoned lock the user chose to break.
[[nodiscard]] Expected<void> BreakRegisterLock(const QString& registerPath);

}  // namespace kelvane
