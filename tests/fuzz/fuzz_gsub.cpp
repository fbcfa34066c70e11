// Any bytes as a font's GSUB table: the vertical forms are read without
// reading outside the table, and every form read is a real glyph change.

#include "fuzz_input.h"
#include "render/vertical_glyphs.h"

using namespace kelvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly the input, so reading past it is caught by the sanitizer.
  const QByteArray table = fuzz::Bytes(data, size);
  const VerticalGlyphMap map = ReadVerticalGlyphs(table);
  KELVANE_FUZZ_CHECK(map.size() <= 65536);
  for (auto it = map.cbegin(); it != map.cend(); ++it) {
    KELVANE_FUZZ_CHECK(it.key() <= 0xFFFF && it.value() <= 0xFFFF);
    KELVANE_FUZZ_CHECK(it.key() != it.value());
  }
  return 0;
}
