#include "widgets/icon_button.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace kelvane {
namespace {

// A Windows-style panel edge: the top and left lines in `topLeft` (without the
// far corners), the right and bottom lines in `bottomRight`.
void DrawBevel(QPainter& painter, const QRect& r, TIconButton::Bevel bevel,
               const QPalette& palette) {
  if (bevel == TIconButton::bvNone || r.isEmpty()) return;
  const QColor light = palette.color(QPalette::Light);
  const QColor dark = palette.color(QPalette::Dark);
  const QColor topLeft = bevel == TIconButton::bvRaised ? light : dark;
  const QColor bottomRight = bevel == TIconButton::bvRaised ? dark : light;
  painter.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
  painter.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), topLeft);
  painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
  painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
}

}  // namespace

TIconButton::TIconButton(QWidget* parent) : QWidget(parent) {
  m_inColor = palette().color(QPalette::Highlight);  // the active caption colour of this desktop
  m_outColor = palette().color(QPalette::Button);
  m_background = m_outColor;
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(36, 36);
}

void TIconButton::setButtonStyle(ButtonStyle style) {
  m_style = style;
  switch (style) {
    case bsNone:
    case bsIELike:
      setBevels(bvNone, bvNone);
      break;
    case bsLowered:
      setBevels(bvNone, bvLowered);
      break;
    case bsRaised:
      setBevels(bvRaised, bvNone);
      break;
    case bsFrame:
      setBevels(bvLowered, bvRaised);
      break;
    case bsGroove:
      setBevels(bvRaised, bvLowered);
      break;
  }
}

void TIconButton::setIcon(const QIcon& icon) {
  m_icon = icon;
  update();
}

void TIconButton::setInColor(const QColor& colour) {
  m_inColor = colour;
  if (m_colorChange && m_pointerInside) setBackground(colour);
}

// Showing the out colour whenever the pointer is elsewhere means a colour set
// after construction takes effect at once, not only after the first leave.
void TIconButton::setOutColor(const QColor& colour) {
  m_outColor = colour;
  if (!(m_colorChange && m_pointerInside)) setBackground(colour);
}

void TIconButton::setStretch(bool on) {
  m_stretch = on;
  update();
}

void TIconButton::setBevels(Bevel inner, Bevel outer) {
  if (inner == m_inner && outer == m_outer) return;
  m_inner = inner;
  m_outer = outer;
  update();
}

void TIconButton::setBackground(const QColor& colour) {
  if (colour == m_background) return;
  m_background = colour;
  update();
}

void TIconButton::showPressed() {
  switch (m_style) {
    case bsNone:
    case bsRaised:
    case bsIELike:
      setBevels(m_inner, bvLowered);
      break;
    case bsLowered:
      setBevels(bvLowered, m_outer);
      break;
    case bsFrame:
      setBevels(m_inner, bvNone);
      break;
    case bsGroove:
      setBevels(bvNone, m_outer);
      break;
  }
}

// bsRaised gains a raised outer bevel here that it did not have at rest; the
// button keeps that doubled edge from its first click on.
void TIconButton::showReleased(bool pointerInside) {
  switch (m_style) {
    case bsNone:
      setBevels(m_inner, bvNone);
      break;
    case bsLowered:
      setBevels(bvNone, m_outer);
      break;
    case bsRaised:
    case bsFrame:
      setBevels(m_inner, bvRaised);
      break;
    case bsGroove:
      setBevels(bvRaised, m_outer);
      break;
    case bsIELike:
      setBevels(m_inner, pointerInside ? bvRaised : bvNone);
      break;
  }
}

void TIconButton::enterEvent(QEnterEvent* event) {
  m_pointerInside = true;
  emit MouseEnter();
  if (m_style == bsIELike) {
    // Our own flag covers a press of ours that left and came back, whatever
    // the platform reports for the buttons.
    const bool leftHeld = m_leftDown || (QGuiApplication::mouseButtons() & Qt::LeftButton);
    setBevels(m_inner, leftHeld ? bvLowered : bvRaised);
  }
  if (m_colorChange) setBackground(m_inColor);
  QWidget::enterEvent(event);
}

void TIconButton::leaveEvent(QEvent* event) {
  m_pointerInside = false;
  emit MouseLeave();
  if (m_style == bsIELike) setBevels(m_inner, bvNone);
  if (m_colorChange) setBackground(m_outColor);
  QWidget::leaveEvent(event);
}

void TIconButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  setFocus(Qt::MouseFocusReason);
  m_leftDown = true;
  showPressed();
}

// Clicks only when released over the button, so a press can still be taken
// back by moving away.
void TIconButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !m_leftDown) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  m_leftDown = false;
  const bool inside = rect().contains(event->position().toPoint());
  showReleased(inside);
  if (inside) emit clicked();
}

void TIconButton::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit doubleClicked();
  mousePressEvent(event);
}

void TIconButton::keyPressEvent(QKeyEvent* event) {
  if (!isEnabled()) {
    QWidget::keyPressEvent(event);
    return;
  }
  const int key = event->key();
  if (key == Qt::Key_Space) {
    if (!event->isAutoRepeat()) {
      m_spacePending = true;
      showPressed();
    }
    return;
  }
  if (m_spacePending) {
    m_spacePending = false;
    showReleased(m_pointerInside);
  }
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    // The pressed look stays while the click's handler runs.
    showPressed();
    QPointer<TIconButton> self(this);
    emit clicked();
    if (self) showReleased(m_pointerInside);
    return;
  }
  QWidget::keyPressEvent(event);
}

void TIconButton::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Space || event->isAutoRepeat() || !m_spacePending || !isEnabled()) {
    QWidget::keyReleaseEvent(event);
    return;
  }
  m_spacePending = false;
  QPointer<TIconButton> self(this);
  emit clicked();
  if (self) showReleased(m_pointerInside);
}

void TIconButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect area = rect();
  painter.fillRect(area, m_background);
  DrawBevel(painter, area, m_outer, palette());
  if (m_outer != bvNone) area.adjust(1, 1, -1, -1);
  DrawBevel(painter, area, m_inner, palette());
  if (m_inner != bvNone) area.adjust(1, 1, -1, -1);

  if (m_icon.isNull()) return;
  const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
  const QRect target = m_stretch ? area : QRect((width() - 32) / 2, (height() - 32) / 2, 32, 32);
  if (target.isEmpty()) return;
  // Drawn into the target rectangle so a small icon is scaled up, not just
  // centred at its own size.
  const QPixmap pixmap = m_icon.pixmap(target.size(), devicePixelRatioF(), mode);
  painter.drawPixmap(target, pixmap);
}

}  // namespace kelvane
