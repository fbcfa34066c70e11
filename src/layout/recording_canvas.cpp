#include "layout/recording_canvas.h"

namespace kelvane {

void RecordingCanvas::setPen(LayoutColour colour, PenStyle style, int width) {
  calls_.push_back(PenCall{colour, style, width});
}

void RecordingCanvas::setBrush(LayoutColour colour, BrushStyle style) {
  calls_.push_back(BrushCall{colour, style});
}

void RecordingCanvas::setFont(const FontSpec& font) { calls_.push_back(FontCall{font}); }

void RecordingCanvas::drawLine(QPoint from, QPoint to) { calls_.push_back(LineCall{from, to}); }

void RecordingCanvas::drawFrame(QPoint a, QPoint b) { calls_.push_back(FrameCall{a, b}); }

void RecordingCanvas::fillBox(QPoint a, QPoint b) { calls_.push_back(FillCall{a, b}); }

Expected<void> RecordingCanvas::textOut(QPoint topLeft, QByteArrayView text) {
  calls_.push_back(TextCall{topLeft, text.toByteArray()});
  return {};
}

Expected<void> RecordingCanvas::textOutVertical(const QRect& box, QByteArrayView text,
                                                VerticalLook look) {
  calls_.push_back(VerticalTextCall{box, text.toByteArray(), look});
  return {};
}

void RecordingCanvas::stretchBitmap(const QRect& target, const QImage& image) {
  calls_.push_back(BitmapCall{target, image});
}

Expected<void> RecordingCanvas::replay(Canvas& target) const {
  for (const auto& call : calls_) {
    if (const auto* c = std::get_if<PenCall>(&call)) {
      target.setPen(c->colour, c->style, c->width);
    } else if (const auto* c = std::get_if<BrushCall>(&call)) {
      target.setBrush(c->colour, c->style);
    } else if (const auto* c = std::get_if<FontCall>(&call)) {
      target.setFont(c->font);
    } else if (const auto* c = std::get_if<LineCall>(&call)) {
      target.drawLine(c->from, c->to);
    } else if (const auto* c = std::get_if<FrameCall>(&call)) {
      target.drawFrame(c->a, c->b);
    } else if (const auto* c = std::get_if<FillCall>(&call)) {
      target.fillBox(c->a, c->b);
    } else if (const auto* c = std::get_if<TextCall>(&call)) {
      if (auto done = target.textOut(c->topLeft, c->text); !done) return done;
    } else if (const auto* c = std::get_if<VerticalTextCall>(&call)) {
      if (auto done = target.textOutVertical(c->box, c->text, c->look); !done) return done;
    } else if (const auto* c = std::get_if<BitmapCall>(&call)) {
      target.stretchBitmap(c->target, c->image);
    }
  }
  return {};
}

}  // namespace kelvane
