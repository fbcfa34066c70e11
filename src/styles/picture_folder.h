#pragma once
// The pictures of a style kept in the program folder's "image" folder, so
// that a backup of the folder holds them and moving or deleting the file
// first chosen breaks no layout. QtCore only.

#include "text/expected.h"

#include <QString>

namespace kelvane {

inline constexpr char kImageFolderName[] = "image";

// Whether `path` lies inside `folder` (its subfolders included).
[[nodiscard]] bool IsInsideFolder(const QString& path, const QString& folder);

// Copies the picture at `source` into `folder` (made when missing) and
// returns the copy's full path. The copy keeps the file name; when another
// picture already has that name it becomes "name_2.ext", "name_3.ext" and so
// on. A file there with the very same bytes is the copy already made and is
// used as it is. The copy is written beside and then renamed, so no
// half-written picture is ever found under its name. A failure says in
// Japanese what went wrong; nothing is left under the copy's name then.
[[nodiscard]] Expected<QString> CopyPictureInto(const QString& source, const QString& folder);

}  // namespace kelvane
