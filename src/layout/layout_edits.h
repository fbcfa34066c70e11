#pragma once
// The one way the layout document is changed while the program runs. A
// change is opened, the document edited, and when the change ends the lines
// it changed are compared with what they were and the listeners told once.
// Changes opened inside a change fold into it, so that a style load or a new
// receipt is one change and one redraw.
//
// Style changes are undo steps. The receipt's own texts (what the receipt
// fields write into the item lines) and the settings the program writes into
// the header lines are heard by the listeners but are no steps: typing a
// receipt never fills the history, and an undo puts back the layout of an
// item line while keeping the receipt text it holds now.

#include "layout/layout_document.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

namespace kelvane {

class LayoutEdits : public QObject {
  Q_OBJECT

 public:
  // Steps kept for undo; the oldest goes when one more is recorded.
  static constexpr int kHistorySteps = 500;

  explicit LayoutEdits(LayoutDocument& document, QObject* parent = nullptr);
  ~LayoutEdits() override;

  // An open change; the change ends when the last one open goes.
  class [[nodiscard]] Change {
   public:
    ~Change();
    Change(const Change&) = delete;
    Change& operator=(const Change&) = delete;

   private:
    friend class LayoutEdits;
    explicit Change(LayoutEdits& edits) : edits_(edits) {}
    LayoutEdits& edits_;
  };

  // An undo step named as the menu shows it ("線の削除").
  Change step(const QString& name);
  // A change the listeners hear that is no undo step: receipt texts, the
  // settings of the header lines.
  Change quiet();

  [[nodiscard]] LayoutDocument& document() { return document_; }
  [[nodiscard]] const LayoutDocument& document() const { return document_; }
  // Counts the changes told so far.
  [[nodiscard]] quint64 revision() const { return revision_; }
  // Whether a change is open.
  [[nodiscard]] bool changing() const { return depth_ > 0; }

  // The style file the layout was last opened from, "" before any. It is
  // part of what a step takes back: an undone open no longer proposes that
  // file to be saved over.
  [[nodiscard]] const QString& source() const { return source_; }
  // Inside a change, which then counts as one even if no line changed.
  void setSource(const QString& path) { source_ = path; }

  [[nodiscard]] bool canUndo() const { return !undo_.isEmpty(); }
  [[nodiscard]] bool canRedo() const { return !redo_.isEmpty(); }
  // The name of the step an undo or redo would take back or do again; ""
  // when there is none.
  [[nodiscard]] QString undoName() const;
  [[nodiscard]] QString redoName() const;
  [[nodiscard]] int undoCount() const { return int(undo_.size()); }
  [[nodiscard]] int redoCount() const { return int(redo_.size()); }

  // Takes back the last step, or does the last step taken back again. Each
  // is a change of its own that the listeners hear. Nothing happens while a
  // change is open or when there is no step.
  void undo();
  void redo();
  // Forgets every step.
  void clearHistory();

  // The record `line` gets when an undo or redo brings back `wanted` while
  // the document holds `current`: the receipt's text of an item line and
  // the register and numbering settings stay as they are now.
  [[nodiscard]] static QByteArray restoredLine(qsizetype line, const QByteArray& wanted,
                                               const QByteArray& current);

 signals:
  // Once after each change that changed at least one line.
  void changed();
  // After an undo or redo, before `changed`: the lines it put back, so the
  // editors show the document's values again.
  void restored(const QList<qsizetype>& lines);
  // The steps or their names changed.
  void historyChanged();

 private:
  struct LineEdit {
    qsizetype line = 0;
    QByteArray before;
    QByteArray after;
  };
  struct Step {
    QString name;
    // When the number of lines changed the step holds the whole document.
    bool whole = false;
    QList<QByteArray> before;
    QList<QByteArray> after;
    QList<LineEdit> lines;
    QString sourceBefore;
    QString sourceAfter;
  };

  void begin(const QString& name, bool isStep);
  void end();
  void apply(const Step& step, bool backwards);

  LayoutDocument& document_;
  int depth_ = 0;
  quint64 revision_ = 0;
  QList<QByteArray> snapshot_;
  QString source_;
  QString openSource_;
  QString openName_;
  bool openIsStep_ = false;
  QList<Step> undo_;
  QList<Step> redo_;
};

}  // namespace kelvane
