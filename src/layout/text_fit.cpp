#include "layout/text_fit.h"

#include "layout/field_cursor.h"
#include "layout/layout_slots.h"
#include "text/cp932.h"
#include "text/fixed_point.h"

#include <map>

namespace kelvane {

namespace {

constexpr qsizetype kFirstFitLine = slotmap::kExtendedLineCount;
constexpr char kKind[] = "fit";

// A width as the coordinates of the layout are written: "45", "12.5".
QByteArray decimalText(qint64 value) {
  QByteArray text = QByteArray::number(value / fixed::kOne);
  QByteArray decimals = QByteArray::number(value % fixed::kOne).rightJustified(4, '0');
  while (decimals.endsWith('0')) decimals.chop(1);
  if (!decimals.isEmpty()) text += "." + decimals;
  return text;
}

// The good record of each line that has one, the first where a line has
// several.
std::map<int, TextFit> readFits(const LayoutDocument& document) {
  std::map<int, TextFit> fits;
  const QList<QByteArray>& lines = document.lines();
  for (qsizetype i = kFirstFitLine; i < lines.size(); ++i) {
    if (const auto record = ReadFitRecord(lines[i])) fits.try_emplace(record->line, record->fit);
  }
  return fits;
}

}  // namespace

bool TakesFit(int line) { return slotmap::isTextLine(line) || slotmap::isItemLine(line); }

QByteArray AlignText(TextAlign align) {
  switch (align) {
    case TextAlign::Right:
      return cp932::fromUtf8Literal("右");
    case TextAlign::Centre:
      return cp932::fromUtf8Literal("中央");
    case TextAlign::Left:
      break;
  }
  return cp932::fromUtf8Literal("左");
}

std::optional<TextAlign> AlignOf(QByteArrayView text) {
  for (TextAlign align : {TextAlign::Left, TextAlign::Right, TextAlign::Centre}) {
    if (text == AlignText(align)) return align;
  }
  return std::nullopt;
}

std::optional<FitRecord> ReadFitRecord(QByteArrayView record) {
  FieldCursor c(record);
  if (c.TakeField() != kKind) return std::nullopt;
  const std::optional<int> line = fixed::parseWhole(c.TakeField());
  const std::optional<qint64> width = fixed::parse(c.TakeField());
  const std::optional<TextAlign> align = AlignOf(c.TakeField());
  if (!line || !TakesFit(*line) || !width || *width <= 0 || !align) return std::nullopt;
  return FitRecord{*line, TextFit{*width, *align}};
}

QByteArray BuildFitRecord(int line, const TextFit& fit) {
  return QByteArray(kKind) + ',' + QByteArray::number(line) + ',' + decimalText(fit.width) + ',' +
         AlignText(fit.align) + ',';
}

std::optional<TextFit> FitOf(const LayoutDocument& document, int line) {
  const std::map<int, TextFit> fits = readFits(document);
  const auto found = fits.find(line);
  if (found == fits.end()) return std::nullopt;
  return found->second;
}

bool SetFit(LayoutDocument& document, int line, std::optional<TextFit> fit) {
  if (!TakesFit(line)) return false;
  if (fit && fit->width <= 0) fit.reset();
  const QList<QByteArray>& lines = document.lines();
  QList<QByteArray> out = lines.first(std::min(kFirstFitLine, lines.size()));
  bool placed = !fit;
  for (qsizetype i = kFirstFitLine; i < lines.size(); ++i) {
    const auto record = ReadFitRecord(lines[i]);
    if (!record || record->line != line) {
      out.append(lines[i]);
      continue;
    }
    if (!placed) out.append(BuildFitRecord(line, *fit));
    placed = true;
  }
  if (!placed) {
    // Among the other records in line order, or after the last line that
    // holds something.
    qsizetype at = out.size();
    for (qsizetype i = kFirstFitLine; i < out.size(); ++i) {
      const auto record = ReadFitRecord(out[i]);
      if (record && record->line > line) {
        at = i;
        break;
      }
    }
    if (at == out.size()) {
      while (at > kFirstFitLine && out[at - 1] == LayoutDocument::kEmptySlot) --at;
      out.resize(at);
    }
    out.insert(at, BuildFitRecord(line, *fit));
  }
  if (out != lines) document.replaceAll(std::move(out));
  return true;
}

FitTable::FitTable(const LayoutDocument& document) {
  for (const auto& [line, fit] : readFits(document)) {
    if (fits_.empty()) fits_.resize(kFirstFitLine);
    fits_[line] = fit;
  }
}

const TextFit* FitTable::find(qsizetype line) const {
  if (line < 0 || line >= qsizetype(fits_.size()) || !fits_[line]) return nullptr;
  return &*fits_[line];
}

void MoveFits(LayoutDocument& document, const std::function<int(int line)>& lineAfter) {
  std::map<int, TextFit> moved;
  std::vector<int> left;
  for (const auto& [line, fit] : readFits(document)) {
    const int after = lineAfter(line);
    if (after == line) continue;
    left.push_back(line);
    if (after != 0) moved.emplace(after, fit);
  }
  // Every moved record is taken away before any is written back, so that
  // a record never lands on one that is still to move.
  for (int line : left) SetFit(document, line, std::nullopt);
  for (const auto& [line, fit] : moved) SetFit(document, line, fit);
}

}  // namespace kelvane
