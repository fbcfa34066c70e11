#pragma once
// Style files (*.rcd) and the current-layout file "cardtemp.dat": the whole
// layout document, one cp932 line per document line, CR LF.

#include "layout/layout_document.h"
#include "text/expected.h"

#include <QString>

namespace kelvane {

// What a load did to the document, so the window can tell the user about a
// file that did not hold a complete layout.
struct StyleLoadReport {
  qsizetype fileLines = 0;  // lines the file held
  bool padded = false;      // the file was short; the missing slots are empty
};

// Replaces the document with the lines of the file at `path`. A missing or
// unreadable file leaves the document as it was and is a failure whose
// message names the file; a short file is padded to a complete layout.
[[nodiscard]] Expected<StyleLoadReport> LoadStyleFile(LayoutDocument& document,
                                                      const QString& path);

// Whether file lines are plainly no layout at all (random bytes, a picture
// or another program's file given the layout's name), so that the file is
// worth keeping aside rather than loading and writing over. Only a file
// with something in it none of whose first lines looks like a layout's
// line - a version line, an empty slot ",", the print settings line - and
// that holds no element record anywhere is that: a short, shifted or partly
// damaged layout is still a layout, which the loader pads and the preview
// reports.
[[nodiscard]] bool IsUnrecognisedLayout(const QList<QByteArray>& lines);

// Whether a line after the original 267 holds nothing worth a line in the
// file: only commas (the empty slot ","), or a "char" record at (0, 0) -
// never placed - without text.
[[nodiscard]] bool HoldsNothing(QByteArrayView line);

// The lines a save writes: the 267 lines of the original format, then the
// lines after them up to the last that holds something (the widths of
// texts, text_fit.h, come last). A layout that uses
// none of the extension lines is written in the original format, byte for
// byte as such a file was read, and readers that stop at line 266 read the
// same lines of a file that has more.
[[nodiscard]] QList<QByteArray> StyleFileLines(const LayoutDocument& document);

// Sets line 0 to the file version "[Version2.0]" and writes the document's
// StyleFileLines to `path` atomically: a failed write leaves the old file
// whole.
[[nodiscard]] Expected<void> SaveStyleFile(LayoutDocument& document, const QString& path);

// The message that tells the user a style file was short.
[[nodiscard]] QString ShortStyleMessage(const QString& path, const StyleLoadReport& report);

}  // namespace kelvane
