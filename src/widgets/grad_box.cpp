#include "widgets/grad_box.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace kelvane {
namespace {

// numerator ÷ denominator rounded half away from zero; denominator > 0.
int RoundedDivision(int numerator, int denominator) {
  const int magnitude = (2 * std::abs(numerator) + denominator) / (2 * denominator);
  return numerator < 0 ? -magnitude : magnitude;
}

}  // namespace

std::vector<GradientBand> GradientBands(int length, int step, const QColor& start,
                                        const QColor& end) {
  const int n = std::clamp(step, 0, 255) + 1;
  const int bandSize = std::max(1, RoundedDivision(std::max(length, 0), n));
  const QColor from = start.toRgb();
  const QColor to = end.toRgb();
  // Each channel is interpolated from its own difference so the last band is
  // exactly the end colour.
  auto channel = [n](int a, int b, int i) { return a + RoundedDivision((b - a) * i, n); };

  std::vector<GradientBand> bands;
  bands.reserve(n + 2);
  for (int i = 0; i <= n; ++i) {
    bands.push_back({i * bandSize, bandSize,
                     QColor(channel(from.red(), to.red(), i), channel(from.green(), to.green(), i),
                            channel(from.blue(), to.blue(), i))});
  }
  const int covered = (n + 1) * bandSize;
  if (covered < length) bands.push_back({covered, length - covered, bands.back().colour});
  return bands;
}

TGradBox::TGradBox(QWidget* parent) : QWidget(parent) { resize(128, 128); }

void TGradBox::setStartColor(const QColor& colour) {
  if (colour == m_startColor) return;
  m_startColor = colour;
  changed();
}

void TGradBox::setEndColor(const QColor& colour) {
  if (colour == m_endColor) return;
  m_endColor = colour;
  changed();
}

void TGradBox::setGradStep(int step) {
  step = std::clamp(step, 0, 255);
  if (step == m_gradStep) return;
  m_gradStep = step;
  changed();
}

void TGradBox::setDirection(Direction direction) {
  if (direction == m_direction) return;
  m_direction = direction;
  changed();
}

void TGradBox::changed() {
  update();
  emit Change();
}

void TGradBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const bool vertical = m_direction == gdVertical;
  const int length = vertical ? height() : width();
  for (const GradientBand& band : GradientBands(length, m_gradStep, m_startColor, m_endColor)) {
    if (band.offset >= length) break;
    const QRect area = vertical ? QRect(0, band.offset, width(), band.size)
                                : QRect(band.offset, 0, band.size, height());
    painter.fillRect(area, band.colour);
  }
}

}  // namespace kelvane
