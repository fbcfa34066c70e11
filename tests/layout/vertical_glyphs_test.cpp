#include "render/vertical_glyphs.h"

#include "support/gui_app.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QRawFont>

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace kelvane {
namespace {

// GSUB tables put together piece by piece, each piece with offsets from its
// own start, as fonts store them.
QByteArray u16(int v) {
  const char bytes[] = {char((v >> 8) & 0xFF), char(v & 0xFF)};
  return QByteArray(bytes, 2);
}
QByteArray u32(quint32 v) { return u16(int(v >> 16)) + u16(int(v & 0xFFFF)); }

QByteArray coverage1(std::initializer_list<int> glyphs) {
  QByteArray out = u16(1) + u16(int(glyphs.size()));
  for (int g : glyphs) out += u16(g);
  return out;
}
struct Range {
  int first, last, startIndex;
};
QByteArray coverage2(std::initializer_list<Range> ranges) {
  QByteArray out = u16(2) + u16(int(ranges.size()));
  for (const Range& r : ranges) out += u16(r.first) + u16(r.last) + u16(r.startIndex);
  return out;
}
QByteArray single1(const QByteArray& coverage, int delta) {
  return u16(1) + u16(6) + u16(delta & 0xFFFF) + coverage;
}
QByteArray single2(const QByteArray& coverage, std::initializer_list<int> substitutes) {
  QByteArray out = u16(2) + u16(6 + 2 * int(substitutes.size())) + u16(int(substitutes.size()));
  for (int s : substitutes) out += u16(s);
  return out + coverage;
}
QByteArray extension(int wrappedType, const QByteArray& subtable) {
  return u16(1) + u16(wrappedType) + u32(8) + subtable;
}
QByteArray lookup(int type, std::initializer_list<QByteArray> subtables) {
  QByteArray head = u16(type) + u16(0) + u16(int(subtables.size()));
  QByteArray body;
  const int start = 6 + 2 * int(subtables.size());
  for (const QByteArray& s : subtables) {
    head += u16(start + int(body.size()));
    body += s;
  }
  return head + body;
}
struct Feature {
  const char* tag;
  std::vector<int> lookups;
};
QByteArray gsub(std::initializer_list<Feature> features,
                std::initializer_list<QByteArray> lookups) {
  QByteArray featureHead = u16(int(features.size()));
  QByteArray featureBody;
  const int featureStart = 2 + 6 * int(features.size());
  for (const Feature& f : features) {
    featureHead += QByteArray(f.tag, 4) + u16(featureStart + int(featureBody.size()));
    featureBody += u16(0) + u16(int(f.lookups.size()));
    for (int i : f.lookups) featureBody += u16(i);
  }
  const QByteArray featureList = featureHead + featureBody;
  QByteArray lookupHead = u16(int(lookups.size()));
  QByteArray lookupBody;
  const int lookupStart = 2 + 2 * int(lookups.size());
  for (const QByteArray& l : lookups) {
    lookupHead += u16(lookupStart + int(lookupBody.size()));
    lookupBody += l;
  }
  return u32(0x00010000) + u16(0) + u16(10) + u16(10 + int(featureList.size())) + featureList +
         lookupHead + lookupBody;
}

struct TableCase {
  const char* what;
  QByteArray table;
  VerticalGlyphMap expected;
};

TEST(VerticalGlyphs, SingleSubstitutionsOfTheVerticalFeatures) {
  const std::vector<TableCase> cases = {
      {"delta over a range",
       gsub({{"vert", {0}}}, {lookup(1, {single1(coverage2({{10, 12, 0}}), 100)})}),
       {{10, 110}, {11, 111}, {12, 112}}},
      {"negative delta wraps",
       gsub({{"vert", {0}}}, {lookup(1, {single1(coverage1({5}), -10)})}),
       {{5, 65531}}},
      {"list of substitutes",
       gsub({{"vert", {0}}}, {lookup(1, {single2(coverage1({20, 30}), {21, 31})})}),
       {{20, 21}, {30, 31}}},
      {"range starting inside the list",
       gsub({{"vert", {0}}}, {lookup(1, {single2(coverage2({{40, 41, 1}}), {0, 400, 401})})}),
       {{40, 400}, {41, 401}}},
      {"extension of a single substitution",
       gsub({{"vert", {0}}}, {lookup(7, {extension(1, single1(coverage1({60}), 1))})}),
       {{60, 61}}},
      {"extension of another kind",
       gsub({{"vert", {0}}}, {lookup(7, {extension(4, single1(coverage1({60}), 1))})}),
       {}},
      {"vrt2 feature",
       gsub({{"vrt2", {0}}}, {lookup(1, {single1(coverage1({70}), 2)})}),
       {{70, 72}}},
      {"other features ignored",
       gsub({{"liga", {0}}, {"ccmp", {0}}}, {lookup(1, {single1(coverage1({70}), 2)})}),
       {}},
      {"vert before vrt2",
       gsub({{"vrt2", {1}}, {"vert", {0}}},
            {lookup(1, {single1(coverage1({50}), 1)}), lookup(1, {single1(coverage1({50}), 2)})}),
       {{50, 51}}},
      {"lookup index beyond the list",
       gsub({{"vert", {3}}}, {lookup(1, {single1(coverage1({80}), 1)})}),
       {}},
  };
  for (const TableCase& c : cases) {
    EXPECT_EQ(ReadVerticalGlyphs(c.table), c.expected) << c.what;
  }
}

QRawFont ipaFont(const char* file) {
  testing::EnsureGuiApplication();
  return QRawFont(QString::fromLatin1(file), 32);
}

constexpr const char* kIpaFonts[] = {"/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf",
                                     "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"};

TEST(VerticalGlyphs, IpaFontsTurnTheLongVowelBracketsAndComma) {
  for (const char* file : kIpaFonts) {
    const QRawFont font = ipaFont(file);
    ASSERT_TRUE(font.isValid()) << file;
    const auto map = VerticalGlyphsOf(font);
    for (const char16_t* character : {u"ー", u"（", u"）", u"、", u"。", u"「"}) {
      const QString turning = QString::fromUtf16(character);
      const quint32 glyph = font.glyphIndexesForString(turning).value(0);
      ASSERT_NE(glyph, 0u) << file;
      EXPECT_TRUE(map->contains(glyph)) << file << " " << turning.toStdString();
      EXPECT_NE(map->value(glyph, glyph), glyph);
    }
    for (const char16_t* upright : {u"あ", u"金", u"A"}) {
      const QString character = QString::fromUtf16(upright);
      EXPECT_FALSE(map->contains(font.glyphIndexesForString(character).value(0))) << file;
    }
    // Read once per face.
    EXPECT_EQ(VerticalGlyphsOf(font).get(), map.get());
  }
}

TEST(VerticalGlyphs, CutOrDamagedTablesGiveOnlyTrueForms) {
  const QRawFont font = ipaFont(kIpaFonts[0]);
  const QByteArray table = font.fontTable("GSUB");
  const VerticalGlyphMap full = ReadVerticalGlyphs(table);
  ASSERT_GT(full.size(), 20);
  // Each cut of the table gives a subset of the whole map, nothing else.
  for (qsizetype length = 0; length < table.size(); ++length) {
    const VerticalGlyphMap cut = ReadVerticalGlyphs(QByteArrayView(table).first(length));
    for (auto it = cut.cbegin(); it != cut.cend(); ++it) {
      ASSERT_EQ(full.value(it.key()), it.value()) << "cut at " << length;
    }
  }
  // Random damage and random bytes: no reading outside the table.
  QRandomGenerator random(20);
  for (int round = 0; round < 2000; ++round) {
    QByteArray damaged = round % 2 ? table : QByteArray(int(random.bounded(1, 400)), '\0');
    const int flips = round % 2 ? 4 : int(damaged.size());
    for (int i = 0; i < flips; ++i) {
      damaged[random.bounded(int(damaged.size()))] = char(random.bounded(256));
    }
    EXPECT_LE(ReadVerticalGlyphs(damaged).size(), 65536);
  }
}

TEST(VerticalGlyphs, ManySubtablesOverOneHugeCoverageEndQuickly) {
  // Thousands of subtables, each naming every glyph through one shared
  // coverage table: the reading stops after its budget.
  constexpr int kSubtables = 8000;
  const QByteArray coverage = coverage2({{0, 65535, 0}});
  QByteArray lookupTable = u16(1) + u16(0) + u16(kSubtables);
  const int first = 6 + 2 * kSubtables;
  for (int i = 0; i < kSubtables; ++i) lookupTable += u16(first + 6 * i);
  const int coverageAt = first + 6 * kSubtables;
  for (int i = 0; i < kSubtables; ++i) {
    lookupTable += u16(1) + u16(coverageAt - (first + 6 * i)) + u16(1);
  }
  lookupTable += coverage;
  QElapsedTimer timer;
  timer.start();
  const VerticalGlyphMap map = ReadVerticalGlyphs(gsub({{"vert", {0}}}, {lookupTable}));
  EXPECT_LT(timer.elapsed(), 2000);  // all of them would take seconds
  EXPECT_EQ(map.size(), 65536);
  EXPECT_EQ(map.value(65535), 0u);
}

}  // namespace
}  // namespace kelvane
