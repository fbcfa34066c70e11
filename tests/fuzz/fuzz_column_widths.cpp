// Any "display.dat": the register list's column widths read, written and
// read again to the same widths.

#include "fuzz_input.h"
#include "settings/column_widths_file.h"

using namespace kelvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ColumnWidths widths = DesignColumnWidths();
  ReadColumnWidths(splitLines(fuzz::Bytes(data, size)), widths);
  const QList<QByteArray> written = ColumnWidthsLines(widths);
  const auto stored = writeLineFile(fuzz::PathOf("display.dat"), written);
  KELVANE_FUZZ_CHECK(stored);
  const auto lines = readLineFile(fuzz::PathOf("display.dat"));
  KELVANE_FUZZ_CHECK(lines && lines.value() == written);
  ColumnWidths again = DesignColumnWidths();
  ReadColumnWidths(lines.value(), again);
  KELVANE_FUZZ_CHECK(again == widths);
  return 0;
}
