#include "render/painter_canvas.h"

#include "render/vertical_glyphs.h"
#include "text/cp932.h"

#include <QFontDatabase>
#include <QGlyphRun>
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

// Unicode's own vertical forms, for a font without vertical glyphs of its
// own; 0 where there is none.
char16_t presentationFormOf(char16_t ch) {
  static constexpr std::pair<char16_t, char16_t> kForms[] = {
      {u'（', u'\uFE35'}, {u'）', u'\uFE36'}, {u'｛', u'\uFE37'}, {u'｝', u'\uFE38'},
      {u'〔', u'\uFE39'}, {u'〕', u'\uFE3A'}, {u'【', u'\uFE3B'}, {u'】', u'\uFE3C'},
      {u'《', u'\uFE3D'}, {u'》', u'\uFE3E'}, {u'〈', u'\uFE3F'}, {u'〉', u'\uFE40'},
      {u'「', u'\uFE41'}, {u'」', u'\uFE42'}, {u'『', u'\uFE43'}, {u'』', u'\uFE44'},
      {u'［', u'\uFE47'}, {u'］', u'\uFE48'}, {u'，', u'\uFE10'}, {u'、', u'\uFE11'},
      {u'。', u'\uFE12'}, {u'：', u'\uFE13'}, {u'；', u'\uFE14'}, {u'…', u'\uFE19'},
      {u'‥', u'\uFE30'},  {u'―', u'\uFE31'},  {u'—', u'\uFE31'}};
  for (const auto& [horizontal, vertical] : kForms) {
    if (horizontal == ch) return vertical;
  }
  return 0;
}

// Marks that stay upright in a vertical column but move from the lower
// left of their cell to the upper right.
bool sitsUpperRight(char16_t ch) {
  return ch == u'、' || ch == u'。' || ch == u'，' || ch == u'．';
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
  const QList<qreal> pattern = dashPattern(style);
  // Dashes are measured in pen widths; flat ends keep them and their gaps
  // at the length of the pattern at any width.
  if (width <= 1 || !pattern.isEmpty()) {
    // A one-pixel line leaves its end point unpainted.
    pen_.setCapStyle(Qt::FlatCap);
    pen_.setJoinStyle(Qt::MiterJoin);
  } else {
    pen_.setCapStyle(Qt::RoundCap);
    pen_.setJoinStyle(Qt::RoundJoin);
  }
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
  rawFont_.reset();
}

void PainterCanvas::drawLine(QPoint from, QPoint to) {
  painter_.setPen(pen_);
  painter_.drawLine(from, to);
}

void PainterCanvas::drawFrame(QPoint a, QPoint b) {
  const QRect area = SpannedRect(a, b);
  painter_.setPen(pen_);
  painter_.setBrush(Qt::NoBrush);
  // A one-pixel outline covers left..right-1 and top..bottom-1.
  painter_.drawRect(
      QRect(area.topLeft(), QSize(std::max(0, area.width() - 1), std::max(0, area.height() - 1))));
}

void PainterCanvas::fillBox(QPoint a, QPoint b) {
  if (brush_.style() == Qt::NoBrush) return;
  const QRect area = SpannedRect(a, b);
  if (area.isEmpty()) return;
  painter_.fillRect(area, brush_);
}

Expected<void> PainterCanvas::textOut(QPoint topLeft, QByteArrayView text) {
  // A damaged byte shows as the replacement character; the renderer says
  // which line holds it.
  const QString decoded = cp932::decodeReplacing(text);
  applyTextFont();
  condensedFrom(topLeft.y(), [&] {
    painter_.drawText(QPoint(topLeft.x(), topLeft.y() + metrics_->ascent()), decoded);
  });
  return {};
}

void PainterCanvas::condensedFrom(int top, const std::function<void()>& draw) {
  if (fontSpec_.heightPerMille == 1000) {
    draw();
    return;
  }
  painter_.save();
  painter_.translate(0, top);
  painter_.scale(1, fontSpec_.heightPerMille / 1000.0);
  painter_.translate(0, -top);
  draw();
  painter_.restore();
}

void PainterCanvas::applyTextFont() {
  if (!fontApplied_) setFont(FontSpec{});
  painter_.setFont(font_);
  painter_.setPen(ToQColor(fontSpec_.colour));
}

const QRawFont& PainterCanvas::rawFont() {
  if (!rawFont_) rawFont_ = QRawFont::fromFont(font_, QFontDatabase::Japanese);
  return *rawFont_;
}

Expected<void> PainterCanvas::textOutVertical(const QRect& box, QByteArrayView text,
                                              VerticalLook look) {
  const QString decoded = cp932::decodeReplacing(text);
  applyTextFont();
  switch (look) {
    case VerticalLook::Turned:
      // One character a cell, each cell an em square down the column.
      for (qsizetype i = 0; i < decoded.size(); ++i) {
        const QRect cell(box.left(), box.top() + static_cast<int>(i) * box.width(), box.width(),
                         box.width());
        condensedFrom(cell.top(), [&] { drawTurned(cell, decoded[i].unicode()); });
      }
      break;
    case VerticalLook::SideBySide:
      condensedFrom(box.top(), [&] { drawAcross(box, decoded); });
      break;
    case VerticalLook::Clockwise:
      drawAlong(box, decoded);
      break;
  }
  return {};
}

void PainterCanvas::drawTurned(const QRect& cell, char16_t ch) {
  const QRawFont& raw = rawFont();
  const int baseline = cell.top() + metrics_->ascent();
  const QString character(QChar{ch});
  if (raw.isValid()) {
    // The font's own vertical glyph: designed in the same em square, so it
    // stands where the upright character would.
    const QList<quint32> glyphs = raw.glyphIndexesForString(character);
    const auto vertical = VerticalGlyphsOf(raw);
    if (glyphs.size() == 1 && glyphs[0] != 0) {
      if (const auto found = vertical->constFind(glyphs[0]); found != vertical->constEnd()) {
        QGlyphRun run;
        run.setRawFont(raw);
        run.setGlyphIndexes({found.value()});
        run.setPositions({QPointF(0, 0)});
        painter_.drawGlyphRun(QPointF(cell.left(), baseline), run);
        return;
      }
    }
    if (const char16_t form = presentationFormOf(ch);
        form != 0 && raw.supportsCharacter(QChar{form})) {
      painter_.drawText(QPoint(cell.left(), baseline), QString(QChar{form}));
      return;
    }
  }
  if (sitsUpperRight(ch)) {
    // Move the ink itself into the upper right corner, an eighth em inside.
    const QRect ink = metrics_->boundingRect(QChar{ch});
    const int margin = cell.width() / 8;
    const int right = cell.left() + cell.width() - margin;
    painter_.drawText(QPoint(right - (ink.x() + ink.width()), cell.top() + margin - ink.y()),
                      character);
    return;
  }
  drawAlong(cell, character);
}

void PainterCanvas::drawAcross(const QRect& box, const QString& text) {
  const qreal width = metrics_->horizontalAdvance(text);
  if (width <= 0) return;
  const qreal squeeze = width > box.width() ? box.width() / width : 1.0;
  painter_.save();
  painter_.translate(box.left() + box.width() / 2.0, box.top() + metrics_->ascent());
  painter_.scale(squeeze, 1.0);
  painter_.drawText(QPointF(-width / 2, 0), text);
  painter_.restore();
}

void PainterCanvas::drawAlong(const QRect& box, const QString& text) {
  const qreal length = metrics_->horizontalAdvance(text);
  if (length <= 0) return;
  const qreal squeeze = length > box.height() ? box.height() / length : 1.0;
  const qreal thickness = metrics_->ascent() + metrics_->descent();
  // Turned a quarter to the right about the box's centre: the text reads
  // downward with the tops of its letters to the right, as set in Japanese.
  painter_.save();
  painter_.translate(box.left() + box.width() / 2.0, box.top() + box.height() / 2.0);
  painter_.rotate(90);
  painter_.scale(squeeze, 1.0);
  painter_.drawText(QPointF(-length / 2, metrics_->ascent() - thickness / 2), text);
  painter_.restore();
}

Expected<void> PainterCanvas::textOutFitted(QPoint topLeft, int widthPixels, TextAlign align,
                                            QByteArrayView text) {
  const QString decoded = cp932::decodeReplacing(text);
  if (widthPixels <= 0 || decoded.isEmpty()) return {};
  applyTextFont();
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
