#include "layout/painter_canvas.h"

#include "text/cp932.h"

#include <QList>

#include <algorithm>

namespace kelvane {

namespace {

// Device-pixel dash patterns of the classic printer and screen pens, so a
// dashed frame looks on paper as the shop owner knows it.
QList<qreal> dashPattern(PenStyle style) {
  switch (style) {
    case PenStyle::Dash:
      return {18, 6};
    case PenStyle::Dot:
      return {3, 3};
    case PenStyle::DashDot:
      return {9, 6, 3, 6};
    case PenStyle::DashDotDot:
      return {9, 3, 3, 3, 3, 3};
    case PenStyle::Solid:
    case PenStyle::InsideFrame:
      break;
  }
  return {};
}

Qt::BrushStyle toQtBrush(BrushStyle style) {
  switch (style) {
    case BrushStyle::Solid:
      return Qt::SolidPattern;
    case BrushStyle::Clear:
      return Qt::NoBrush;
    case BrushStyle::Horizontal:
      return Qt::HorPattern;
    case BrushStyle::Vertical:
      return Qt::VerPattern;
    case BrushStyle::Cross:
      return Qt::CrossPattern;
    case BrushStyle::DiagonalCross:
      return Qt::DiagCrossPattern;
  }
  return Qt::SolidPattern;
}

// Corners in any order -> the rectangle from the smaller to the larger
// coordinates, the larger ones excluded.
QRect spanned(QPoint a, QPoint b) {
  const int left = std::min(a.x(), b.x());
  const int right = std::max(a.x(), b.x());
  const int top = std::min(a.y(), b.y());
  const int bottom = std::max(a.y(), b.y());
  return QRect(left, top, right - left, bottom - top);
}

}  // namespace

// Condensed text keeps at least half its width; narrower than that it is
// made smaller as well, so it stays readable.
constexpr qreal kFittedMinimumStretch = 0.5;

QColor ToQColor(LayoutColour colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

PainterCanvas::PainterCanvas(QPainter& painter, bool printer)
    : painter_(painter), printer_(printer), pen_(Qt::black), brush_(Qt::NoBrush) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
  pen_.setWidth(1);
  pen_.setCapStyle(Qt::FlatCap);
}

void PainterCanvas::setPen(LayoutColour colour, PenStyle style, int width) {
  pen_ = QPen(ToQColor(colour));
  pen_.setWidth(std::max(1, width));
  if (width <= 1) {
    // A one-pixel line leaves its end point unpainted.
    pen_.setCapStyle(Qt::FlatCap);
    pen_.setJoinStyle(Qt::MiterJoin);
  } else {
    pen_.setCapStyle(Qt::RoundCap);
    pen_.setJoinStyle(Qt::RoundJoin);
  }
  const QList<qreal> pattern = dashPattern(style);
  if (!pattern.isEmpty()) pen_.setDashPattern(pattern);
}

void PainterCanvas::setBrush(LayoutColour colour, BrushStyle style) {
  brush_ = QBrush(ToQColor(colour), toQtBrush(style));
}

void PainterCanvas::setFont(const FontSpec& font) {
  if (fontApplied_ && font == fontSpec_) return;
  fontSpec_ = font;
  auto face = cp932::decode(font.face);
  font_ = QFont(face.ok() ? face.value() : QString());
  font_.setPixelSize(std::max(1, font.pixelHeight));
  font_.setBold(font.bold);
  font_.setItalic(font.italic);
  font_.setStyleStrategy(QFont::PreferAntialias);
  metrics_.emplace(font_, painter_.device());
  fontApplied_ = true;
}

void PainterCanvas::drawLine(QPoint from, QPoint to) {
  painter_.setPen(pen_);
  painter_.drawLine(from, to);
}

void PainterCanvas::drawFrame(QPoint a, QPoint b) {
  const QRect area = spanned(a, b);
  painter_.setPen(pen_);
  painter_.setBrush(Qt::NoBrush);
  // A one-pixel outline covers left..right-1 and top..bottom-1.
  painter_.drawRect(
      QRect(area.topLeft(), QSize(std::max(0, area.width() - 1), std::max(0, area.height() - 1))));
}

void PainterCanvas::fillBox(QPoint a, QPoint b) {
  if (brush_.style() == Qt::NoBrush) return;
  const QRect area = spanned(a, b);
  if (area.isEmpty()) return;
  painter_.fillRect(area, brush_);
}

Expected<void> PainterCanvas::textOut(QPoint topLeft, QByteArrayView text) {
  // A damaged byte shows as the replacement character; the renderer says
  // which line holds it.
  const QString decoded = cp932::decodeReplacing(text);
  if (!fontApplied_) setFont(FontSpec{});
  painter_.setFont(font_);
  painter_.setPen(ToQColor(fontSpec_.colour));
  painter_.drawText(QPoint(topLeft.x(), topLeft.y() + metrics_->ascent()), decoded);
  return {};
}

Expected<void> PainterCanvas::textOutFitted(QPoint topLeft, int widthPixels, TextAlign align,
                                            QByteArrayView text) {
  const QString decoded = cp932::decodeReplacing(text);
  if (!fontApplied_) setFont(FontSpec{});
  if (widthPixels <= 0 || decoded.isEmpty()) return {};
  painter_.setFont(font_);
  painter_.setPen(ToQColor(fontSpec_.colour));
  // The ink may reach past the advance (italic, a wide last glyph) or
  // start left of the origin: the text's extent covers both.
  const QFontMetricsF metrics(font_, painter_.device());
  const QRectF ink = metrics.boundingRect(decoded);
  const qreal left = std::min<qreal>(0, ink.left());
  const qreal right = std::max(metrics.horizontalAdvance(decoded), ink.right());
  const qreal natural = right - left;
  const qreal box = widthPixels;
  const qreal ascent = metrics_->ascent();
  if (natural <= box) {
    qreal shift = 0;
    if (align == TextAlign::Right) shift = box - natural;
    if (align == TextAlign::Centre) shift = (box - natural) / 2;
    painter_.drawText(QPointF(topLeft.x() + shift - left, topLeft.y() + ascent), decoded);
    return {};
  }
  // A transform rather than a stretched font: the PDF and the printer take
  // the same matrix, so the text is exactly as wide there as measured here.
  const qreal sideways = box / natural;
  const qreal upright = sideways >= kFittedMinimumStretch ? 1 : sideways / kFittedMinimumStretch;
  const qreal height = metrics.ascent() + metrics.descent();
  painter_.save();
  painter_.translate(topLeft.x(), topLeft.y() + (1 - upright) * height / 2);
  painter_.scale(sideways, upright);
  painter_.drawText(QPointF(-left, ascent), decoded);
  painter_.restore();
  return {};
}

void PainterCanvas::stretchBitmap(const QRect& target, const QImage& image) {
  if (target.isEmpty() || image.isNull()) return;
  painter_.drawImage(target, image);
}

}  // namespace kelvane
