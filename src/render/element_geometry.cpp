#include "render/element_geometry.h"

#include "text/cp932.h"

#include <QFont>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace kelvane {

namespace {

// Squared distance from p to the segment a-b.
double distanceSquared(QPoint p, QPoint a, QPoint b) {
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  const double length = dx * dx + dy * dy;
  double t = 0;
  if (length > 0) t = std::clamp(((p.x() - a.x()) * dx + (p.y() - a.y()) * dy) / length, 0.0, 1.0);
  const double ex = a.x() + t * dx - p.x(), ey = a.y() + t * dy - p.y();
  return ex * ex + ey * ey;
}

bool touches(const ElementPiece& piece, QPoint p, int tolerance) {
  const int reach = piece.reach / 2 + tolerance;
  switch (piece.kind) {
    case ElementPiece::Kind::Segment:
      return distanceSquared(p, piece.from, piece.to) <= double(reach) * reach;
    case ElementPiece::Kind::Outline: {
      const QRect& b = piece.box;
      if (!b.adjusted(-reach, -reach, reach, reach).contains(p)) return false;
      return !b.adjusted(reach, reach, -reach, -reach).contains(p);
    }
    case ElementPiece::Kind::Area:
      return piece.box.contains(p);
  }
  return false;
}

}  // namespace

struct GeometryCanvas::Metrics {
  explicit Metrics(const FontSpec& wanted) : metrics(fontOf(wanted)) {}
  static QFont fontOf(const FontSpec& wanted) {
    // As the painter canvas sets it.
    auto face = cp932::decode(wanted.face);
    QFont font(face.ok() ? face.value() : QString());
    font.setPixelSize(std::max(1, wanted.pixelHeight));
    font.setBold(wanted.bold);
    font.setItalic(wanted.italic);
    return font;
  }
  QFontMetricsF metrics;
};

GeometryCanvas::GeometryCanvas(Canvas* target, bool printer, TextWidth width)
    : target_(target), printer_(printer), width_(std::move(width)) {}

GeometryCanvas::~GeometryCanvas() = default;

int GeometryCanvas::textWidth(QByteArrayView text) {
  if (width_) return width_(font_, text);
  if (!metrics_) metrics_ = std::make_unique<Metrics>(font_);
  return int(std::ceil(metrics_->metrics.horizontalAdvance(cp932::decodeReplacing(text))));
}

void GeometryCanvas::beginElement(qsizetype line) {
  line_ = line;
  keeping_ = only_ == kEveryLine || line == only_;
  lastWasText_ = false;
  if (target_) target_->beginElement(line);
}

void GeometryCanvas::setPen(LayoutColour colour, PenStyle style, int width) {
  penWidth_ = std::max(1, width);
  if (target_) target_->setPen(colour, style, width);
}

void GeometryCanvas::setBrush(LayoutColour colour, BrushStyle style) {
  brushClear_ = style == BrushStyle::Clear;
  if (target_) target_->setBrush(colour, style);
}

void GeometryCanvas::setFont(const FontSpec& font) {
  if (!(font == font_)) metrics_.reset();
  font_ = font;
  if (target_) target_->setFont(font);
}

void GeometryCanvas::add(ElementPiece piece) {
  if (line_ < 0 || !keeping_) return;
  const QRect box =
      piece.kind == ElementPiece::Kind::Segment
          ? QRect(piece.from, piece.to)
                .normalized()
                .adjusted(-piece.reach / 2, -piece.reach / 2, piece.reach / 2, piece.reach / 2)
          : piece.box;
  if (shapes_.empty() || shapes_.back().line != line_)
    shapes_.push_back(ElementShape{line_, {}, {}});
  ElementShape& shape = shapes_.back();
  shape.bounds = shape.bounds.isNull() ? box : shape.bounds.united(box);
  shape.pieces.push_back(std::move(piece));
  lastWasText_ = false;
}

void GeometryCanvas::addText(const QRect& box) {
  if (box.isEmpty() || line_ < 0 || !keeping_) return;
  if (lastWasText_ && !shapes_.empty() && shapes_.back().line == line_) {
    ElementShape& shape = shapes_.back();
    shape.pieces.back().box = shape.pieces.back().box.united(box);
    shape.bounds = shape.bounds.united(box);
    return;
  }
  add({ElementPiece::Kind::Area, {}, {}, box, 1});
  lastWasText_ = line_ >= 0;
}

int GeometryCanvas::textHeight() const {
  return std::max(1, font_.pixelHeight * font_.heightPerMille / 1000);
}

void GeometryCanvas::drawLine(QPoint from, QPoint to) {
  add({ElementPiece::Kind::Segment, from, to, {}, penWidth_});
  if (target_) target_->drawLine(from, to);
}

void GeometryCanvas::drawFrame(QPoint a, QPoint b) {
  add({ElementPiece::Kind::Outline, {}, {}, SpannedRect(a, b), penWidth_});
  if (target_) target_->drawFrame(a, b);
}

void GeometryCanvas::fillBox(QPoint a, QPoint b) {
  // A clear brush paints nothing, so nothing is there to grab.
  if (!brushClear_ && !SpannedRect(a, b).isEmpty())
    add({ElementPiece::Kind::Area, {}, {}, SpannedRect(a, b), 1});
  if (target_) target_->fillBox(a, b);
}

Expected<void> GeometryCanvas::textOut(QPoint topLeft, QByteArrayView text) {
  const int width = keeping_ ? textWidth(text) : 0;
  if (width > 0) addText(QRect(topLeft, QSize(width, textHeight())));
  return target_ ? target_->textOut(topLeft, text) : Expected<void>{};
}

Expected<void> GeometryCanvas::textOutVertical(const QRect& box, QByteArrayView text,
                                               VerticalLook look) {
  addText(box);
  return target_ ? target_->textOutVertical(box, text, look) : Expected<void>{};
}

Expected<void> GeometryCanvas::textOutFitted(QPoint topLeft, int widthPixels, TextAlign align,
                                             QByteArrayView text) {
  if (widthPixels > 0 && !text.isEmpty()) addText(QRect(topLeft, QSize(widthPixels, textHeight())));
  return target_ ? target_->textOutFitted(topLeft, widthPixels, align, text) : Expected<void>{};
}

void GeometryCanvas::stretchBitmap(const QRect& target, const QImage& image) {
  if (!target.isEmpty() && !image.isNull()) add({ElementPiece::Kind::Area, {}, {}, target, 1});
  if (target_) target_->stretchBitmap(target, image);
}

qsizetype ElementAt(const std::vector<ElementShape>& shapes, QPoint point, int tolerance) {
  for (auto shape = shapes.rbegin(); shape != shapes.rend(); ++shape) {
    for (const ElementPiece& piece : shape->pieces) {
      if (touches(piece, point, tolerance)) return shape->line;
    }
  }
  // Inside a frame and on nothing else: the innermost frame.
  qsizetype found = -1;
  qint64 area = 0;
  for (const ElementShape& shape : shapes) {
    for (const ElementPiece& piece : shape.pieces) {
      if (piece.kind != ElementPiece::Kind::Outline || !piece.box.contains(point)) continue;
      const qint64 size = qint64(piece.box.width()) * piece.box.height();
      if (found < 0 || size < area) {
        found = shape.line;
        area = size;
      }
    }
  }
  return found;
}

const ElementShape* ShapeOfLine(const std::vector<ElementShape>& shapes, qsizetype line) {
  for (const ElementShape& shape : shapes) {
    if (shape.line == line) return &shape;
  }
  return nullptr;
}

}  // namespace kelvane
