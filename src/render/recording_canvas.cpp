#include "render/recording_canvas.h"

namespace kelvane {

void RecordingCanvas::setPen(LayoutColour colour, PenStyle style, int width) {
  calls_.emplace_back(std::in_place_type<PenCall>, PenCall{colour, style, width});
}

void RecordingCanvas::setBrush(LayoutColour colour, BrushStyle style) {
  calls_.emplace_back(std::in_place_type<BrushCall>, BrushCall{colour, style});
}

// Each call is built in place: a variant moved in whole makes the compiler
// warn about alternatives it never holds.
void RecordingCanvas::setFont(const FontSpec& font) {
  calls_.emplace_back(std::in_place_type<FontCall>, FontCall{font});
}

void RecordingCanvas::drawLine(QPoint from, QPoint to) {
  calls_.emplace_back(std::in_place_type<LineCall>, LineCall{from, to});
}

void RecordingCanvas::drawFrame(QPoint a, QPoint b) {
  calls_.emplace_back(std::in_place_type<FrameCall>, FrameCall{a, b});
}

void RecordingCanvas::fillBox(QPoint a, QPoint b) {
  calls_.emplace_back(std::in_place_type<FillCall>, FillCall{a, b});
}

Expected<void> RecordingCanvas::textOut(QPoint topLeft, QByteArrayView text) {
  calls_.emplace_back(std::in_place_type<TextCall>, TextCall{topLeft, text.toByteArray()});
  return {};
}

Expected<void> RecordingCanvas::textOutFitted(QPoint topLeft, int widthPixels, TextAlign align,
                                              QByteArrayView text) {
  calls_.emplace_back(std::in_place_type<FittedTextCall>,
                      FittedTextCall{topLeft, text.toByteArray(), widthPixels, align});
  return {};
}

Expected<void> RecordingCanvas::textOutVertical(const QRect& box, QByteArrayView text,
                                                VerticalLook look) {
  calls_.emplace_back(std::in_place_type<VerticalTextCall>,
                      VerticalTextCall{box, text.toByteArray(), look});
  return {};
}

void RecordingCanvas::stretchBitmap(const QRect& target, const QImage& image) {
  calls_.emplace_back(std::in_place_type<BitmapCall>, BitmapCall{target, image});
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
    } else if (const auto* c = std::get_if<FittedTextCall>(&call)) {
      if (auto done = target.textOutFitted(c->topLeft, c->widthPixels, c->align, c->text); !done)
        return done;
    } else if (const auto* c = std::get_if<BitmapCall>(&call)) {
      target.stretchBitmap(c->target, c->image);
    }
  }
  return {};
}

}  // namespace kelvane
