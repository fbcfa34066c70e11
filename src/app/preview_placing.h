#pragma once
// Placing elements with the mouse on the preview: a click picks the element
// drawn under it and brings its editor forward, a drag moves it (to 0.5 mm,
// or freely with Alt held) as one undo step, and the arrow keys nudge it as
// the editor's arrow buttons do. Esc lets it go.

#include "render/element_geometry.h"
#include "styles/element_move.h"

#include <QByteArray>
#include <QObject>
#include <QPoint>
#include <functional>
#include <vector>

class QStatusBar;

namespace kelvane {

class ImageEditor;
class LayoutEdits;
class PreviewPane;
class ShapeEditor;
class TextItemEditors;

// Which editor an element of the document belongs to.
enum class PlacedKind { None, Shape, FreeText, Item, Image };
[[nodiscard]] PlacedKind PlacedKindOfLine(qsizetype line);

// The editors a picked element is handed to, and how the window brings the
// page of one forward.
struct PlacingEditors {
  ShapeEditor& shapes;
  TextItemEditors& texts;
  ImageEditor& images;
  std::function<void(PlacedKind)> bringForward;
};

class PreviewPlacer : public QObject {
  Q_OBJECT

 public:
  // The X/Y of a drag shows in `status`.
  PreviewPlacer(PreviewPane& preview, LayoutEdits& edits, PlacingEditors editors,
                QStatusBar& status);

  // The element picked (document line), -1 for none.
  [[nodiscard]] qsizetype selectedLine() const { return selected_; }
  // Picks the element at document line `line` into its editor.
  void select(qsizetype line);
  void clearSelection();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Without a button held: the cursor says whether an element can be
  // taken there.
  void hover(QPoint at);
  // The elements as drawn, measured again only after the preview repainted.
  const std::vector<ElementShape>& drawnElements();
  void press(QPoint at);
  void drag(QPoint at, bool free);
  void release();
  bool key(int key, Qt::KeyboardModifiers modifiers);
  // Millimetres (× 10000) for a move of `pixels` on the preview.
  [[nodiscard]] qint64 millimetresX(int pixels) const;
  [[nodiscard]] qint64 millimetresY(int pixels) const;

  PreviewPane& preview_;
  LayoutEdits& edits_;
  PlacingEditors editors_;
  QStatusBar& status_;
  qsizetype selected_ = -1;
  // The drag under way: the record as it was at the press and as it is now.
  bool dragging_ = false;
  bool moving_ = false;  // gone past the few pixels a click may shake
  QPoint pressedAt_;
  QByteArray pressedRecord_;
  QByteArray movedRecord_;
  ElementOrigin origin_;
  std::vector<ElementShape> drawn_;
  bool drawnKnown_ = false;
};

}  // namespace kelvane
