#include "render/style_names.h"

#include "text/cp932.h"

#include <initializer_list>
#include <utility>
#include <vector>

namespace kelvane {

namespace {

// The names are converted to cp932 once; lookups then compare bytes.
template <class T>
class NameTable {
 public:
  NameTable(std::initializer_list<std::pair<const char*, T>> entries) {
    for (const auto& [utf8, value] : entries)
      entries_.push_back({cp932::fromUtf8Literal(utf8), value});
  }
  T find(QByteArrayView name, T fallback) const {
    for (const auto& [bytes, value] : entries_) {
      if (name == bytes) return value;
    }
    return fallback;
  }

 private:
  std::vector<std::pair<QByteArray, T>> entries_;
};

}  // namespace

PenStyle PenStyleOf(QByteArrayView name) {
  static const NameTable<PenStyle> table{{"実線", PenStyle::Solid},
                                         {"破線", PenStyle::Dash},
                                         {"点線", PenStyle::Dot},
                                         {"一点鎖線", PenStyle::DashDot},
                                         {"二点鎖線", PenStyle::DashDotDot},
                                         {"立体線", PenStyle::InsideFrame}};
  return table.find(name, PenStyle::Solid);
}

BrushStyle BrushStyleOf(QByteArrayView name) {
  static const NameTable<BrushStyle> table{
      {"塗り潰し", BrushStyle::Solid},  {"透明", BrushStyle::Clear},
      {"水平", BrushStyle::Horizontal}, {"垂直", BrushStyle::Vertical},
      {"クロス", BrushStyle::Cross},    {"ハッチ", BrushStyle::DiagonalCross}};
  return table.find(name, BrushStyle::Solid);
}

FontStyle FontStyleOf(QByteArrayView name) {
  static const NameTable<FontStyle> table{{"太字", FontStyle{true, false}},
                                          {"斜体", FontStyle{false, true}},
                                          {"太字斜体", FontStyle{true, true}}};
  return table.find(name, FontStyle{});
}

}  // namespace kelvane
