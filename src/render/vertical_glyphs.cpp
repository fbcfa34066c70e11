#include "render/vertical_glyphs.h"

#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QRawFont>
#include <QSet>

#include <optional>

namespace kelvane {

namespace {

// A font's table is read by offsets the font itself gives; any of them may
// point anywhere. Every read goes through here and fails outside the bytes.
class Table {
 public:
  explicit Table(QByteArrayView bytes) : bytes_(bytes) {}

  std::optional<quint16> u16(qint64 at) const {
    if (at < 0 || at + 2 > bytes_.size()) return std::nullopt;
    return static_cast<quint16>((byte(at) << 8) | byte(at + 1));
  }
  std::optional<quint32> u32(qint64 at) const {
    const auto high = u16(at);
    const auto low = u16(at + 2);
    if (!high || !low) return std::nullopt;
    return (quint32(*high) << 16) | *low;
  }
  bool tagIs(qint64 at, QByteArrayView tag) const {
    if (at < 0 || at + 4 > bytes_.size()) return false;
    return bytes_.sliced(at, 4) == tag;
  }

 private:
  unsigned byte(qint64 at) const { return static_cast<unsigned char>(bytes_[at]); }
  QByteArrayView bytes_;
};

// Coverage tables can name every glyph of a font, and a crafted table can
// name the same huge one from many subtables: the reading stops after this
// many glyphs looked at, far more than any real font's vertical forms.
constexpr int kGlyphBudget = 1 << 20;

class Reader {
 public:
  explicit Reader(QByteArrayView gsub) : t_(gsub) {}

  VerticalGlyphMap read() {
    const auto featureList = t_.u16(6);
    const auto lookupList = t_.u16(8);
    if (!featureList || !lookupList || *featureList == 0 || *lookupList == 0) return {};
    // 'vert' first: where both features name a glyph, its form wins.
    for (const QByteArrayView tag : {QByteArrayView("vert"), QByteArrayView("vrt2")}) {
      for (const int index : lookupsOfFeature(*featureList, tag)) readLookup(*lookupList, index);
    }
    return map_;
  }

 private:
  QList<int> lookupsOfFeature(qint64 list, QByteArrayView tag) {
    QList<int> lookups;
    const quint16 count = t_.u16(list).value_or(0);
    for (int i = 0; i < count; ++i) {
      const qint64 record = list + 2 + qint64(i) * 6;
      const auto offset = t_.u16(record + 4);
      if (!offset) break;
      if (!t_.tagIs(record, tag)) continue;
      const qint64 feature = list + *offset;
      // Many records may name one feature; its lookups are listed once.
      if (seenFeatures_.contains(feature)) continue;
      seenFeatures_.insert(feature);
      const quint16 indexCount = t_.u16(feature + 2).value_or(0);
      for (int j = 0; j < indexCount; ++j) {
        const auto index = t_.u16(feature + 4 + qint64(j) * 2);
        if (!index) break;
        lookups.append(*index);
      }
    }
    return lookups;
  }

  void readLookup(qint64 list, int index) {
    if (seenLookups_.contains(index)) return;
    seenLookups_.insert(index);
    const quint16 count = t_.u16(list).value_or(0);
    if (index >= count) return;
    const auto offset = t_.u16(list + 2 + qint64(index) * 2);
    if (!offset) return;
    const qint64 lookup = list + *offset;
    const auto type = t_.u16(lookup);
    const quint16 subtables = t_.u16(lookup + 4).value_or(0);
    if (type != 1 && type != 7) return;
    for (int i = 0; i < subtables; ++i) {
      const auto sub = t_.u16(lookup + 6 + qint64(i) * 2);
      if (!sub) return;
      qint64 at = lookup + *sub;
      if (*type == 7) {
        // An extension subtable: format 1, the wrapped type, a 32-bit offset.
        const auto format = t_.u16(at);
        const auto wrapped = t_.u16(at + 2);
        const auto far = t_.u32(at + 4);
        if (format != 1 || wrapped != 1 || !far) continue;
        at += *far;
      }
      readSingleSubstitution(at);
    }
  }

  void readSingleSubstitution(qint64 at) {
    if (seenSubtables_.contains(at)) return;
    seenSubtables_.insert(at);
    const auto format = t_.u16(at);
    const auto coverage = t_.u16(at + 2);
    if (!format || !coverage) return;
    if (*format == 1) {
      const auto delta = t_.u16(at + 4);
      if (!delta) return;
      forEachCovered(at + *coverage, [&](quint16 glyph, int) {
        add(glyph, static_cast<quint16>(glyph + *delta));  // modulo 65536
        return true;
      });
    } else if (*format == 2) {
      const quint16 count = t_.u16(at + 4).value_or(0);
      forEachCovered(at + *coverage, [&](quint16 glyph, int index) {
        if (index >= count) return true;  // beyond the substitutes: not mapped
        const auto substitute = t_.u16(at + 6 + qint64(index) * 2);
        if (!substitute) return false;
        add(glyph, *substitute);
        return true;
      });
    }
  }

  // Calls visit(glyph, coverage index) for each glyph the coverage table at
  // `at` names, until visit says stop or the budget is spent.
  template <class Visit>
  void forEachCovered(qint64 at, Visit visit) {
    const auto format = t_.u16(at);
    const quint16 count = t_.u16(at + 2).value_or(0);
    if (format == 1) {
      for (int i = 0; i < count; ++i) {
        const auto glyph = t_.u16(at + 4 + qint64(i) * 2);
        if (!glyph || !spend() || !visit(*glyph, i)) return;
      }
    } else if (format == 2) {
      for (int r = 0; r < count; ++r) {
        const qint64 range = at + 4 + qint64(r) * 6;
        const auto first = t_.u16(range);
        const auto last = t_.u16(range + 2);
        const auto startIndex = t_.u16(range + 4);
        if (!first || !last || !startIndex) return;
        for (int glyph = *first; glyph <= *last; ++glyph) {
          if (!spend() || !visit(static_cast<quint16>(glyph), *startIndex + glyph - *first)) return;
        }
      }
    }
  }

  bool spend() { return budget_-- > 0; }

  void add(quint16 glyph, quint16 vertical) {
    if (glyph != vertical && !map_.contains(glyph)) map_.insert(glyph, vertical);
  }

  Table t_;
  VerticalGlyphMap map_;
  QSet<qint64> seenFeatures_;
  QSet<int> seenLookups_;
  QSet<qint64> seenSubtables_;
  int budget_ = kGlyphBudget;
};

}  // namespace

VerticalGlyphMap ReadVerticalGlyphs(QByteArrayView gsub) { return Reader(gsub).read(); }

std::shared_ptr<const VerticalGlyphMap> VerticalGlyphsOf(const QRawFont& font) {
  static QMutex mutex;
  static QHash<QString, std::shared_ptr<const VerticalGlyphMap>> cache;
  const QString key = font.familyName() + u'\n' + font.styleName();
  QMutexLocker lock(&mutex);
  if (auto found = cache.constFind(key); found != cache.constEnd()) return found.value();
  auto map = std::make_shared<const VerticalGlyphMap>(
      font.isValid() ? ReadVerticalGlyphs(font.fontTable("GSUB")) : VerticalGlyphMap{});
  cache.insert(key, map);
  return map;
}

}  // namespace kelvane
