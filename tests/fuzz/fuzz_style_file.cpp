// Any style file or "cardtemp.dat": loaded as the style loader loads it,
// read into what the editors show, and saved again without losing a line.

#include "fuzz_input.h"
#include "layout/header_lines.h"
#include "layout/layout_document.h"
#include "layout/layout_slots.h"
#include "styles/style_contents.h"
#include "styles/style_file.h"

using namespace kelvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  LayoutDocument document;
  const QString path = fuzz::AsFile(fuzz::Bytes(data, size), "cardtemp.dat");
  const auto report = LoadStyleFile(document, path);
  KELVANE_FUZZ_CHECK(report);
  KELVANE_FUZZ_CHECK(document.lineCount() >= slotmap::kLineCount);
  if (report->padded) (void)ShortStyleMessage(path, *report);
  (void)ReadStyleContents(document);

  KELVANE_FUZZ_CHECK(document.lineCount() >= slotmap::kExtendedLineCount);

  // What was loaded is saved without losing a line, line 0 aside: the same
  // lines come back, except that lines after the original 267 that hold
  // nothing are left out of the file and come back as empty slots.
  const QList<QByteArray> loaded = document.lines();
  const QString copy = fuzz::PathOf("copy.rcd");
  KELVANE_FUZZ_CHECK(SaveStyleFile(document, copy));
  LayoutDocument again;
  const auto reloaded = LoadStyleFile(again, copy);
  KELVANE_FUZZ_CHECK(reloaded);
  KELVANE_FUZZ_CHECK(!reloaded->padded);
  KELVANE_FUZZ_CHECK(again.lineCount() <= loaded.size());
  for (qsizetype i = 1; i < loaded.size(); ++i) {
    if (i < reloaded->fileLines) {
      KELVANE_FUZZ_CHECK(again.line(i) == loaded[i]);
    } else {
      KELVANE_FUZZ_CHECK(i >= slotmap::kLineCount && HoldsNothing(loaded[i]));
      KELVANE_FUZZ_CHECK(again.line(i) == LayoutDocument::kEmptySlot);
    }
  }
  return 0;
}
