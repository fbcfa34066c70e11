#pragma once
// The vertical forms a font carries for its brackets, long-vowel mark and
// punctuation: read from the font's OpenType GSUB table, whose 'vert' and
// 'vrt2' features map a glyph to the one drawn in vertical writing. Qt draws
// nothing of that by itself, so a vertical receipt would show （ and ー as in
// a horizontal line.

#include <QByteArrayView>
#include <QHash>

#include <memory>

class QRawFont;

namespace kelvane {

// Glyph index -> the glyph index of its vertical form.
using VerticalGlyphMap = QHash<quint32, quint32>;

// The single substitutions (lookup type 1, also wrapped in an extension
// lookup) of every 'vert' and 'vrt2' feature in `gsub`, the bytes of a GSUB
// table. A damaged or truncated table gives what could be read of it, never
// reads outside `gsub`; a table without such features gives an empty map.
[[nodiscard]] VerticalGlyphMap ReadVerticalGlyphs(QByteArrayView gsub);

// The map of `font`, read once per font face and kept for the program's run.
[[nodiscard]] std::shared_ptr<const VerticalGlyphMap> VerticalGlyphsOf(const QRawFont& font);

}  // namespace kelvane
