#include "app/preview_placing.h"

#include "app/image_editor.h"
#include "app/preview_pane.h"
#include "app/shape_editor.h"
#include "app/text_item_editors.h"
#include "layout/layout_slots.h"
#include "render/renderer.h"
#include "styles/shape_record.h"
#include "styles/text_record.h"
#include "text/fixed_point.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStatusBar>

namespace kelvane {

namespace {

constexpr qint64 kSnapGrid = 5000;  // 0.5 mm
constexpr qint64 kFreeGrid = 1000;  // 0.1 mm, the finest nudge
// A hand that shakes on a click does not move the element: the drag starts
// once the mouse has gone this many pixels.
constexpr int kDragStart = 3;

QString stepName(PlacedKind kind) {
  switch (kind) {
    case PlacedKind::Shape:
      return QStringLiteral("線の移動");
    case PlacedKind::FreeText:
      return QStringLiteral("文字の移動");
    case PlacedKind::Item:
      return QStringLiteral("印字位置の移動");
    case PlacedKind::Image:
      return QStringLiteral("画像の移動");
    case PlacedKind::None:
      break;
  }
  return QString();
}

qint64 pixelsToMillimetres(int pixels, int resolution) {
  const qint64 scale = PixelsPerMillimetre(fixed::fromWhole(resolution));
  if (scale <= 0) return 0;
  return fixed::divRoundHalfAway(static_cast<__int128>(pixels) * fixed::kOne * fixed::kOne, scale);
}

}  // namespace

PlacedKind PlacedKindOfLine(qsizetype line) {
  if (slotmap::isShapeLine(line)) return PlacedKind::Shape;
  if (slotmap::isTextLine(line)) return PlacedKind::FreeText;
  if (slotmap::isItemLine(line)) return PlacedKind::Item;
  if (slotmap::isImageLine(line)) return PlacedKind::Image;
  return PlacedKind::None;
}

PreviewPlacer::PreviewPlacer(PreviewPane& preview, LayoutEdits& edits, PlacingEditors editors,
                             QStatusBar& status)
    : QObject(preview.window()),
      preview_(preview),
      edits_(edits),
      editors_(std::move(editors)),
      status_(status) {
  QWidget* box = preview_.PaintBox1;
  box->setFocusPolicy(Qt::ClickFocus);
  box->setMouseTracking(true);  // the cursor shows what can be taken
  box->installEventFilter(this);
}

void PreviewPlacer::select(qsizetype line) {
  const PlacedKind kind = PlacedKindOfLine(line);
  if (kind == PlacedKind::None) {
    clearSelection();
    return;
  }
  selected_ = line;
  preview_.setSelectedLine(line);
  if (editors_.bringForward) editors_.bringForward(kind);
  switch (kind) {
    case PlacedKind::Shape:
      editors_.shapes.PickShapeRow(int(line - slotmap::shapeLine(0)));
      break;
    case PlacedKind::FreeText:
      editors_.texts.PickTextRow(int(line - slotmap::textLine(0)));
      break;
    case PlacedKind::Item:
      editors_.texts.where01Click(int(line) - slotmap::kItemBase);
      break;
    case PlacedKind::Image:
      editors_.images.SelectSlot(int(line));
      break;
    case PlacedKind::None:
      break;
  }
}

void PreviewPlacer::clearSelection() {
  if (dragging_ && movedRecord_ != pressedRecord_) {
    // Esc in the middle of a drag: the element goes back where it was.
    edits_.document().setLine(selected_, pressedRecord_);
    status_.clearMessage();
  }
  selected_ = -1;
  dragging_ = false;
  preview_.setSelectedLine(-1);
}

bool PreviewPlacer::eventFilter(QObject* watched, QEvent* event) {
  if (watched != preview_.PaintBox1) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) return false;
      preview_.PaintBox1->setFocus(Qt::MouseFocusReason);
      press(mouse->position().toPoint());
      return true;
    }
    case QEvent::Paint:
      drawnKnown_ = false;  // whatever changed the picture may have moved its elements
      return false;
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->buttons() == Qt::NoButton) {
        hover(mouse->position().toPoint());
        return false;
      }
      if (!dragging_ || !(mouse->buttons() & Qt::LeftButton)) return false;
      drag(mouse->position().toPoint(), mouse->modifiers().testFlag(Qt::AltModifier));
      return true;
    }
    case QEvent::MouseButtonRelease: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton || !dragging_) return false;
      release();
      return true;
    }
    case QEvent::KeyPress: {
      auto* pressed = static_cast<QKeyEvent*>(event);
      return key(pressed->key(), pressed->modifiers());
    }
    default:
      return false;
  }
}

const std::vector<ElementShape>& PreviewPlacer::drawnElements() {
  if (!drawnKnown_) {
    drawn_ = preview_.measureElements();
    drawnKnown_ = true;
  }
  return drawn_;
}

void PreviewPlacer::hover(QPoint at) {
  QWidget* box = preview_.PaintBox1;
  if (PlacedKindOfLine(ElementAt(drawnElements(), at)) == PlacedKind::None) {
    box->unsetCursor();
  } else {
    box->setCursor(Qt::SizeAllCursor);
  }
}

void PreviewPlacer::press(QPoint at) {
  drawnKnown_ = false;  // a press always takes what is drawn now
  const qsizetype line = ElementAt(drawnElements(), at);
  if (PlacedKindOfLine(line) == PlacedKind::None) {
    clearSelection();
    return;
  }
  select(line);
  const QByteArray record = edits_.document().line(line);
  const auto origin = OriginOfElement(record);
  if (!origin) return;  // picked, but a record that cannot be read stays put
  dragging_ = true;
  moving_ = false;
  pressedAt_ = at;
  pressedRecord_ = record;
  movedRecord_ = record;
  origin_ = *origin;
}

qint64 PreviewPlacer::millimetresX(int pixels) const {
  return pixelsToMillimetres(pixels, preview_.geometry().resolutionX);
}

qint64 PreviewPlacer::millimetresY(int pixels) const {
  return pixelsToMillimetres(pixels, preview_.geometry().resolutionY);
}

void PreviewPlacer::drag(QPoint at, bool free) {
  const qint64 grid = free ? kFreeGrid : kSnapGrid;
  const QPoint moved = at - pressedAt_;
  if (!moving_ && moved.manhattanLength() < kDragStart) return;
  moving_ = true;
  const qint64 x = Snapped(origin_.x + millimetresX(moved.x()), grid);
  const qint64 y = Snapped(origin_.y + millimetresY(moved.y()), grid);
  const auto record = MovedElement(pressedRecord_, x - origin_.x, y - origin_.y);
  if (!record) return;
  status_.showMessage(
      QStringLiteral("X: %1 mm  Y: %2 mm")
          .arg(QString::fromLatin1(FixedText(x)), QString::fromLatin1(FixedText(y))));
  if (*record == movedRecord_) return;
  movedRecord_ = *record;
  // While the button is held the document shows the element where it is
  // now and only the preview repaints; the release makes it one step.
  edits_.document().setLine(selected_, movedRecord_);
  preview_.PaintBox1->update();
}

void PreviewPlacer::release() {
  dragging_ = false;
  status_.clearMessage();
  if (movedRecord_ == pressedRecord_) return;
  edits_.document().setLine(selected_, pressedRecord_);
  {
    const auto change = edits_.step(stepName(PlacedKindOfLine(selected_)));
    edits_.document().setLine(selected_, movedRecord_);
  }
  select(selected_);  // the editor shows the new position
}

bool PreviewPlacer::key(int key, Qt::KeyboardModifiers modifiers) {
  if (selected_ < 0) return false;
  if (key == Qt::Key_Escape) {
    clearSelection();
    return true;
  }
  int dx = 0, dy = 0;
  NudgeDirection direction = NudgeDirection::Up;
  switch (key) {
    case Qt::Key_Left:
      dx = -1;
      direction = NudgeDirection::Left;
      break;
    case Qt::Key_Right:
      dx = 1;
      direction = NudgeDirection::Right;
      break;
    case Qt::Key_Up:
      dy = -1;
      direction = NudgeDirection::Up;
      break;
    case Qt::Key_Down:
      dy = 1;
      direction = NudgeDirection::Down;
      break;
    default:
      return false;
  }
  switch (PlacedKindOfLine(selected_)) {
    case PlacedKind::Shape:
      editors_.shapes.NudgeShape(dx, dy, modifiers);
      break;
    case PlacedKind::FreeText:
      editors_.texts.nudgeText(direction, modifiers);
      break;
    case PlacedKind::Item:
      editors_.texts.nudgePosition(direction, modifiers);
      break;
    case PlacedKind::Image:
      editors_.images.NudgeImage(dx, dy, modifiers);
      break;
    case PlacedKind::None:
      return false;
  }
  return true;
}

}  // namespace kelvane
