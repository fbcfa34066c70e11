#pragma once
// The paper layout of a receipt in memory: one ordered list of cp932 record
// lines addressed by fixed line number (layout_slots.h).

#include <QByteArray>
#include <QList>

namespace kelvane {

class LayoutDocument {
 public:
  // 128 lines of ",", padded to a complete layout with its extension
  // lines, as the program starts.
  LayoutDocument();

  [[nodiscard]] qsizetype lineCount() const { return lines_.size(); }

  // The line at `index`; "," for a line that does not exist.
  [[nodiscard]] const QByteArray& line(qsizetype index) const;

  // Replaces line `index`; returns false (and changes nothing) when there is
  // no such line.
  bool setLine(qsizetype index, const QByteArray& text);

  [[nodiscard]] const QList<QByteArray>& lines() const { return lines_; }

  // Replaces every line, e.g. with a loaded style file. Lines after the last
  // fixed slot are kept; a shorter list is padded with "," so that every
  // slot, the extension lines after line 266 included, exists.
  void replaceAll(QList<QByteArray> lines);

  static const QByteArray kEmptySlot;

 private:
  void padToComplete();

  QList<QByteArray> lines_;
};

}  // namespace kelvane
