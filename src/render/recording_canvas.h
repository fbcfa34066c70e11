#pragma once
// A canvas that keeps every call with its device coordinates: tests check
// the pixel rules on it exactly, and the benchmark replays it to measure the
// cost of the drawing alone.

#include "render/canvas.h"

#include <variant>
#include <vector>

namespace kelvane {

struct PenCall {
  LayoutColour colour;
  PenStyle style;
  int width;
  bool operator==(const PenCall&) const = default;
};
struct BrushCall {
  LayoutColour colour;
  BrushStyle style;
  bool operator==(const BrushCall&) const = default;
};
struct FontCall {
  FontSpec font;
  bool operator==(const FontCall&) const = default;
};
struct LineCall {
  QPoint from, to;
  bool operator==(const LineCall&) const = default;
};
struct FrameCall {
  QPoint a, b;
  bool operator==(const FrameCall&) const = default;
};
struct FillCall {
  QPoint a, b;
  bool operator==(const FillCall&) const = default;
};
struct TextCall {
  QPoint topLeft;
  QByteArray text;  // cp932
  bool operator==(const TextCall&) const = default;
};
struct VerticalTextCall {
  QRect box;
  QByteArray text;  // cp932
  VerticalLook look;
  bool operator==(const VerticalTextCall&) const = default;
};
struct FittedTextCall {
  QPoint topLeft;
  QByteArray text;  // cp932
  int widthPixels = 0;
  TextAlign align = TextAlign::Left;
  bool operator==(const FittedTextCall&) const = default;
};
struct BitmapCall {
  QRect target;
  QImage image;
  bool operator==(const BitmapCall& o) const { return target == o.target && image == o.image; }
};

using CanvasCall = std::variant<PenCall, BrushCall, FontCall, LineCall, FrameCall, FillCall,
                                TextCall, VerticalTextCall, BitmapCall, FittedTextCall>;

class RecordingCanvas : public Canvas {
 public:
  explicit RecordingCanvas(bool printer = false) : printer_(printer) {}

  [[nodiscard]] bool isPrinter() const override { return printer_; }
  void setPen(LayoutColour colour, PenStyle style, int width) override;
  void setBrush(LayoutColour colour, BrushStyle style) override;
  void setFont(const FontSpec& font) override;
  void drawLine(QPoint from, QPoint to) override;
  void drawFrame(QPoint a, QPoint b) override;
  void fillBox(QPoint a, QPoint b) override;
  [[nodiscard]] Expected<void> textOut(QPoint topLeft, QByteArrayView text) override;
  [[nodiscard]] Expected<void> textOutVertical(const QRect& box, QByteArrayView text,
                                               VerticalLook look) override;
  [[nodiscard]] Expected<void> textOutFitted(QPoint topLeft, int widthPixels, TextAlign align,
                                             QByteArrayView text) override;
  void stretchBitmap(const QRect& target, const QImage& image) override;

  [[nodiscard]] const std::vector<CanvasCall>& calls() const { return calls_; }
  void clear() { calls_.clear(); }

  // Every call of type T, in order.
  template <class T>
  [[nodiscard]] std::vector<T> callsOf() const {
    std::vector<T> out;
    for (const auto& call : calls_) {
      if (const T* c = std::get_if<T>(&call)) out.push_back(*c);
    }
    return out;
  }

  // Plays the recorded calls onto another canvas.
  [[nodiscard]] Expected<void> replay(Canvas& target) const;

 private:
  bool printer_;
  std::vector<CanvasCall> calls_;
};

}  // namespace kelvane
