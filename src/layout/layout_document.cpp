#include "layout/layout_document.h"

#include "layout/layout_slots.h"

namespace kelvane {

namespace {
constexpr int kStartLines = 128;
}

const QByteArray LayoutDocument::kEmptySlot = QByteArrayLiteral(",");

LayoutDocument::LayoutDocument() {
  lines_.fill(kEmptySlot, kStartLines);
  padToComplete();
}

const QByteArray& LayoutDocument::line(qsizetype index) const {
  if (index < 0 || index >= lines_.size()) return kEmptySlot;
  return lines_[index];
}

bool LayoutDocument::setLine(qsizetype index, const QByteArray& text) {
  if (index < 0 || index >= lines_.size()) return false;
  lines_[index] = text;
  return true;
}

void LayoutDocument::replaceAll(QList<QByteArray> lines) {
  lines_ = std::move(lines);
  padToComplete();
}

void LayoutDocument::padToComplete() {
  while (lines_.size() < slotmap::kExtendedLineCount) lines_.append(kEmptySlot);
}

}  // namespace kelvane
