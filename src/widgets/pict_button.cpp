#include "widgets/pict_button.h"

#include "widgets/arrow_strip.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace kelvane {

TPictButton::TPictButton(QWidget* parent) : QWidget(parent) {
  m_brushColor = palette().color(QPalette::Button);
  setAttribute(Qt::WA_OpaquePaintEvent);
  prepareStrip();
  resize(24, 24);
}

void TPictButton::setAutoSize(bool on) {
  m_autoSize = on;
  applyAutoSize();
}

void TPictButton::setPictEnabled(bool on) {
  m_pictEnabled = on;
  setState(on ? StateUp : StateDisabled);
}

void TPictButton::setGlyph(const QPixmap& glyph) {
  m_glyph = glyph;
  if (!glyph.isNull()) {
    const int ratio = glyph.width() / glyph.height();
    // A strip narrower than it is high still holds one frame.
    m_numGlyphs = ratio < 5 ? std::max(ratio, 1) : 3;
  }
  prepareStrip();
  applyAutoSize();
  update();
}

void TPictButton::setNumGlyphs(int count) {
  m_numGlyphs = std::clamp(count, 1, 4);
  applyAutoSize();
  update();
}

void TPictButton::setBrushColor(const QColor& colour) {
  m_brushColor = colour;
  update();
}

void TPictButton::prepareStrip() {
  m_strip = m_glyph.isNull() ? ArrowStrip() : m_glyph.toImage();
  if (m_strip.hasAlphaChannel()) {
    m_transparent = QColor();
    return;
  }
  const QRgb key = m_strip.pixel(0, m_strip.height() - 1);
  m_transparent = QColor::fromRgb(key);
  m_strip = m_strip.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < m_strip.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(m_strip.scanLine(y));
    for (int x = 0; x < m_strip.width(); ++x) {
      if (line[x] == key) line[x] = qRgba(0, 0, 0, 0);
    }
  }
}

int TPictButton::frameCount() const { return m_glyph.isNull() ? 3 : m_numGlyphs; }

QSize TPictButton::frameSize() const { return {m_strip.width() / frameCount(), m_strip.height()}; }

void TPictButton::applyAutoSize() {
  if (m_autoSize) resize(frameSize());
}

void TPictButton::setState(State state) {
  if (state == m_state) return;
  m_state = state;
  update();
}

void TPictButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  setState(m_pictEnabled ? StatePressed : StateDisabled);
}

// Clicks wherever the pointer is let go, so a press that slid off the small
// arrow still counts.
void TPictButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  setState(m_pictEnabled ? StateUp : StateDisabled);
  if (m_pictEnabled) emit clicked();
}

void TPictButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), m_brushColor);
  // A disabled parent page disables us too; show it like a disabled button.
  const int frame = isEnabled() ? m_state : StateDisabled;
  if (frame >= frameCount()) return;
  const QSize size = frameSize();
  if (size.isEmpty()) return;
  const QRect source(frame * size.width(), 0, size.width(), size.height());
  const QPoint topLeft((width() - size.width()) / 2, (height() - size.height()) / 2);
  painter.drawImage(topLeft, m_strip, source);
}

}  // namespace kelvane
