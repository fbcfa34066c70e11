#pragma once
// The line and shape editor of the page "線関係": the list of the 100 line
// and shape slots (layout lines 12 to 111) and the tools that edit the
// selected slot's "line", "rect" or "fillrect" record. Every change goes
// into the layout at once and is drawn.

#include "app/editor_tools.h"

#include <QObject>
#include <QtGlobal>

class QAction;

namespace kelvane {

class LinesPage;

class ShapeEditor : public QObject {
  Q_OBJECT

 public:
  ShapeEditor(LinesPage& page, EditorTools tools);

  // The list row being edited, 1 to 100; 0 before any is chosen.
  [[nodiscard]] int selectedRow() const { return selected_; }
  // The colour the next record gets, 0x00BBGGRR.
  [[nodiscard]] quint32 colourValue() const { return colour_; }

  // A click (or a key) on the list: its current row into the editor.
  void StrColGrid1Click();
  // Row `row` into the editor's controls; writes nothing. A record whose
  // numbers cannot be read is said and leaves the controls cleared.
  void SelectShapeRow(int row);
  // Row `row` highlighted in the list and into the editor.
  void PickShapeRow(int row);
  // The controls as a record into the selected slot, then the preview.
  void ApplyShapeItem();
  // Empties the selected slot.
  void IconButton17Click();
  // The kind "図  形" was clicked: its pattern box comes into use.
  void HTMLRadioGroup2Click();
  // The colour dialog from the current colour; a confirmed colour applies.
  void StaticText33Click();
  // Moves both points by one step (Shift 0.1 mm, Ctrl 10 mm, else 1 mm)
  // to the left (-1), right (1), up (-1) or down (1), then applies.
  void NudgeShape(int dx, int dy, Qt::KeyboardModifiers modifiers);

  // List operations on the selected row; the list is rebuilt and the
  // editor shows what the selected row holds afterwards.
  void InsertShapeRow();
  void ExchangeShapeRow();  // with the row below it
  void DeleteShapeRow();
  // The user dragged row `from` onto row `to`: the two slots exchange and
  // the dragged row is the one edited.
  void StrColGrid1RowMoved(int from, int to);
  // All 100 rows from the layout.
  void RebuildShapeList();

  // The list's pop-up items.
  QAction* N22 = nullptr;  // "一行挿入"
  QAction* N20 = nullptr;  // "交　換"
  QAction* N21 = nullptr;  // "選択中の行を削除"

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void connectControls();
  // Says that a row must be chosen first; true when none is.
  bool saysNothingSelected();
  void showColour();
  void useKind(int kind);

  LinesPage& page_;
  EditorTools tools_;
  int selected_ = 0;
  quint32 colour_ = 0;
  bool selecting_ = false;  // controls set by a selection apply nothing
  // The list's viewport, compared with but never used: while the window is
  // taken down the list goes before the fields whose events still arrive.
  const QObject* gridViewport_ = nullptr;
};

}  // namespace kelvane
