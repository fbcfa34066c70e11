#pragma once
// Where each element of the layout lies on a canvas, taken from the calls
// of the drawing pass itself: the preview picks the element under the mouse
// and frames the one selected by the very geometry it has just drawn, so
// what is grabbed is what is drawn.

#include "render/canvas.h"

#include <QList>
#include <QRect>

#include <functional>
#include <memory>
#include <vector>

namespace kelvane {

// One drawn piece of an element, in device pixels.
struct ElementPiece {
  enum class Kind {
    Segment,  // a line from `from` to `to`, `reach` pixels wide
    Outline,  // the edges of `box` (a frame), `reach` pixels wide
    Area,     // all of `box`: a fill, a picture, text
  };
  Kind kind = Kind::Area;
  QPoint from, to;
  QRect box;
  int reach = 1;
};

// Everything one document line drew.
struct ElementShape {
  qsizetype line = -1;
  std::vector<ElementPiece> pieces;
  QRect bounds;  // all its pieces
};

// The width in pixels `text` (cp932) takes in `font`.
using TextWidth = std::function<int(const FontSpec& font, QByteArrayView text)>;

// Passes every call on to `target` (none: only measures) and keeps the
// pieces each element draws. Text is measured by `width`, or when none is
// given with the font as the screen sets it.
class GeometryCanvas : public Canvas {
 public:
  GeometryCanvas(Canvas* target, bool printer, TextWidth width = {});
  ~GeometryCanvas() override;

  // Keeps the pieces of document line `line` alone: the preview repaints
  // with the selected element framed and measures no other text.
  void keepOnly(qsizetype line) { only_ = line; }

  [[nodiscard]] bool isPrinter() const override { return printer_; }
  void beginElement(qsizetype line) override;
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

  // In drawing order; an element that drew nothing has none.
  [[nodiscard]] const std::vector<ElementShape>& shapes() const { return shapes_; }
  [[nodiscard]] std::vector<ElementShape> takeShapes() { return std::move(shapes_); }

 private:
  void add(ElementPiece piece);
  // Text drawn a character at a time is one piece: the gaps between the
  // characters of a spaced text grab it too.
  void addText(const QRect& box);
  [[nodiscard]] int textHeight() const;
  [[nodiscard]] int textWidth(QByteArrayView text);

  Canvas* target_;
  bool printer_;
  TextWidth width_;
  static constexpr qsizetype kEveryLine = -2;
  qsizetype only_ = kEveryLine;
  qsizetype line_ = -1;
  bool keeping_ = false;
  bool lastWasText_ = false;
  int penWidth_ = 1;
  bool brushClear_ = false;
  FontSpec font_;
  struct Metrics;
  std::unique_ptr<Metrics> metrics_;  // of font_, made when first measured
  std::vector<ElementShape> shapes_;
};

// The document line of the element under `point`: the last drawn of those
// whose pieces it touches (lines and frame edges within `tolerance` pixels
// beyond their width), else the smallest frame around it; -1 for none.
[[nodiscard]] qsizetype ElementAt(const std::vector<ElementShape>& shapes, QPoint point,
                                  int tolerance = 3);

// The shape of document line `line`, or none.
[[nodiscard]] const ElementShape* ShapeOfLine(const std::vector<ElementShape>& shapes,
                                              qsizetype line);

}  // namespace kelvane
