#pragma once
// The settings file and the current layout are written anew at every close.
// One that holds something else altogether (random bytes, a picture or
// another program's file under that name) is moved aside as "<name>.bad"
// at start, and the user told, so that the close does not write over what
// may be somebody's only copy.

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace kelvane {

class MessageBoxes;

// Whether a file's lines are plainly not what the program keeps there.
using UnrecognisedTest = std::function<bool(const QList<QByteArray>&)>;

// What became of one file.
struct KeptAside {
  bool moved = false;  // the file is now at `badPath` only
  QString path;
  QString badPath;  // path + ".bad"
  QString failure;  // why it could not be kept aside; empty when it was
};

// Checks the file at `path`; one that is missing, cannot be read (the close
// leaves such a file alone anyway) or passes `unrecognised` stays where it
// is and yields nothing. Otherwise the file is renamed to `path` + ".bad",
// replacing an older one; where the rename is refused its bytes are copied
// there and the original removed. Either way the start then finds no file
// and begins afresh.
[[nodiscard]] std::optional<KeptAside> KeepUnrecognisedFile(const QString& path,
                                                            const UnrecognisedTest& unrecognised);

// "kelvane.conf" and "cardtemp.dat" in the program folder, before either is
// read at start; tells the user of each file kept aside, naming both paths.
void KeepUnrecognisedStartFiles(const MessageBoxes& boxes);

}  // namespace kelvane
