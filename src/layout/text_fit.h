#pragma once
// The width a text item or free text is kept within, and how it sits in
// that width. The text of a "char" record runs to the end of its line, so
// nothing can follow it there: each slot that has a width gets a record of
// its own after the fixed lines,
//   fit,LINE,WIDTH,ALIGN,
// LINE the layout line of the text, WIDTH millimetres as a decimal, ALIGN
// 左, 右 or 中央 (cp932). A reader that does not know "fit" draws nothing for
// it, and a layout without widths holds no such line, so its file is
// written as before. QtCore only.

#include "layout/layout_document.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <functional>
#include <optional>
#include <vector>

namespace kelvane {

enum class TextAlign { Left, Right, Centre };

struct TextFit {
  qint64 width = 0;  // millimetres × 10000, above 0
  TextAlign align = TextAlign::Left;
  bool operator==(const TextFit&) const = default;
};

// The fit record of one line as read from the document.
struct FitRecord {
  int line = 0;
  TextFit fit;
};

// Lines that may carry a width: the free text slots (127 to 226) and the
// company information and receipt items (228 to 275).
[[nodiscard]] bool TakesFit(int line);

// The record read from `record`; nothing for another kind of line, and for
// a "fit" record that is damaged (an unknown alignment, a width that is no
// positive decimal, a line that takes no width): such a record is ignored
// wherever it stands.
[[nodiscard]] std::optional<FitRecord> ReadFitRecord(QByteArrayView record);

// "fit," line "," width "," alignment ",".
[[nodiscard]] QByteArray BuildFitRecord(int line, const TextFit& fit);

// 左, 右 or 中央 in cp932, and back (nothing for another text).
[[nodiscard]] QByteArray AlignText(TextAlign align);
[[nodiscard]] std::optional<TextAlign> AlignOf(QByteArrayView text);

// The fit of `line`: the first good record for it after the fixed lines.
[[nodiscard]] std::optional<TextFit> FitOf(const LayoutDocument& document, int line);

// Gives `line` the width `fit`, or takes its width away (no value, or a
// width of 0 or less). Its record is replaced where it stands, further
// records for the same line are dropped, a new record goes among the
// others in line order; a record taken away leaves no empty line. Lines
// after the fixed ones that are no fit record stay as they are. False, and
// nothing changes, for a line that takes no width.
bool SetFit(LayoutDocument& document, int line, std::optional<TextFit> fit);

// Every line's fit at once, as a drawing pass looks them up.
class FitTable {
 public:
  FitTable() = default;
  explicit FitTable(const LayoutDocument& document);
  [[nodiscard]] const TextFit* find(qsizetype line) const;
  [[nodiscard]] bool empty() const { return fits_.empty(); }

 private:
  std::vector<std::optional<TextFit>> fits_;  // indexed by line
};

// Moves fits along with the texts they belong to, as when free text rows
// are inserted, deleted or exchanged: `lineAfter` gives a line its new
// line, or 0 when its text is dropped (and its fit with it). Records of
// lines it maps to themselves stay as they are.
void MoveFits(LayoutDocument& document, const std::function<int(int line)>& lineAfter);

}  // namespace kelvane
