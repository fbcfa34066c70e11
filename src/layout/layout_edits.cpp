#include "layout/layout_edits.h"

#include "layout/field_cursor.h"
#include "layout/item_text.h"
#include "layout/layout_slots.h"

namespace kelvane {

namespace {

// The item lines whose text the receipt fields write: the receipt and its
// stub (lines 239 to 266) and the amounts and taxes by rate (268 to 275).
// The company information between and before them is the style's.
bool holdsReceiptText(qsizetype line) {
  return (line >= slotmap::kNumber && line <= slotmap::kStubAddresseeLine2) ||
         (line >= slotmap::kAmount10 && line <= slotmap::kStubTax8);
}

// Header lines the program writes from its settings, not from the style.
bool holdsSettings(qsizetype line) {
  return line == slotmap::kRegisterPathLine || line == slotmap::kNumberingLine;
}

}  // namespace

LayoutEdits::LayoutEdits(LayoutDocument& document, QObject* parent)
    : QObject(parent), document_(document) {}

LayoutEdits::~LayoutEdits() = default;

LayoutEdits::Change::~Change() { edits_.end(); }

LayoutEdits::Change LayoutEdits::step(const QString& name) {
  begin(name, true);
  return Change(*this);
}

LayoutEdits::Change LayoutEdits::quiet() {
  begin(QString(), false);
  return Change(*this);
}

QString LayoutEdits::undoName() const { return undo_.isEmpty() ? QString() : undo_.last().name; }
QString LayoutEdits::redoName() const { return redo_.isEmpty() ? QString() : redo_.last().name; }

void LayoutEdits::begin(const QString& name, bool isStep) {
  if (depth_ == 0) {
    snapshot_ = document_.lines();
    openSource_ = source_;
    openName_ = name;
    openIsStep_ = isStep;
  } else if (isStep && !openIsStep_) {
    // A step inside a quiet change makes the whole change that step.
    openName_ = name;
    openIsStep_ = true;
  }
  ++depth_;
}

void LayoutEdits::end() {
  if (--depth_ > 0) return;
  const QList<QByteArray> before = std::move(snapshot_);
  snapshot_.clear();
  const QList<QByteArray>& after = document_.lines();
  Step step;
  step.name = openName_;
  step.sourceBefore = openSource_;
  step.sourceAfter = source_;
  if (before.size() != after.size()) {
    step.whole = true;
    step.before = before;
    step.after = after;
  } else {
    for (qsizetype i = 0; i < after.size(); ++i) {
      if (before[i] != after[i]) step.lines.append({i, before[i], after[i]});
    }
    // Nothing changed: nothing to tell.
    if (step.lines.isEmpty() && step.sourceBefore == step.sourceAfter) return;
  }
  if (openIsStep_) {
    undo_.append(std::move(step));
    while (undo_.size() > kHistorySteps) undo_.removeFirst();
    redo_.clear();
    emit historyChanged();
  }
  ++revision_;
  emit changed();
}

QByteArray LayoutEdits::restoredLine(qsizetype line, const QByteArray& wanted,
                                     const QByteArray& current) {
  if (holdsSettings(line)) return current;
  if (!holdsReceiptText(line)) return wanted;
  const QByteArray text = CharRecordText(current);
  if (CharRecordText(wanted) == text) return wanted;
  return WithItemText(wanted, text);
}

void LayoutEdits::apply(const Step& step, bool backwards) {
  QList<qsizetype> touched;
  source_ = backwards ? step.sourceBefore : step.sourceAfter;
  if (step.whole) {
    QList<QByteArray> lines = backwards ? step.before : step.after;
    for (qsizetype i = 0; i < lines.size(); ++i) {
      if (i < document_.lineCount()) lines[i] = restoredLine(i, lines[i], document_.line(i));
      touched.append(i);
    }
    document_.replaceAll(std::move(lines));
  } else {
    for (const LineEdit& edit : step.lines) {
      const QByteArray& wanted = backwards ? edit.before : edit.after;
      document_.setLine(edit.line, restoredLine(edit.line, wanted, document_.line(edit.line)));
      touched.append(edit.line);
    }
  }
  emit restored(touched);
}

void LayoutEdits::undo() {
  if (depth_ > 0 || undo_.isEmpty()) return;
  Step step = undo_.takeLast();
  {
    const Change change = quiet();
    apply(step, true);
  }
  redo_.append(std::move(step));
  emit historyChanged();
}

void LayoutEdits::redo() {
  if (depth_ > 0 || redo_.isEmpty()) return;
  Step step = redo_.takeLast();
  {
    const Change change = quiet();
    apply(step, false);
  }
  undo_.append(std::move(step));
  emit historyChanged();
}

void LayoutEdits::clearHistory() {
  if (undo_.isEmpty() && redo_.isEmpty()) return;
  undo_.clear();
  redo_.clear();
  emit historyChanged();
}

}  // namespace kelvane
