#pragma once
// The drawing surface the renderer draws on, in device pixels. One
// implementation wraps QPainter (screen, printer, PDF, PNG); the recording
// canvas lists every call for tests and benchmarks.

#include "layout/text_fit.h"
#include "text/expected.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QPoint>
#include <QRect>

#include <algorithm>

namespace kelvane {

// A colour as the layout stores it: 0x00BBGGRR.
using LayoutColour = quint32;

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, InsideFrame };
enum class BrushStyle { Solid, Clear, Horizontal, Vertical, Cross, DiagonalCross };

struct FontSpec {
  QByteArray face;      // cp932 face name as the layout names it
  int pixelHeight = 0;  // character height in device pixels
  bool bold = false;
  bool italic = false;
  LayoutColour colour = 0;
  // Vertical text that must fit a height is condensed along its column:
  // each glyph is drawn this many thousandths of its height, from its top.
  int heightPerMille = 1000;

  bool operator==(const FontSpec&) const = default;
};

// How a cell of vertical writing is drawn when the character is not simply
// set upright.
enum class VerticalLook {
  Turned,      // a bracket, dash or punctuation mark in its vertical form
  SideBySide,  // two or three half-width digits across one cell (12 月)
  Clockwise,   // a longer half-width run, turned a quarter to the right
};

// The rectangle of corners a and b given in any order, the right and
// bottom edges excluded: what drawFrame and fillBox cover on every canvas.
[[nodiscard]] inline QRect SpannedRect(QPoint a, QPoint b) {
  const int left = std::min(a.x(), b.x());
  const int top = std::min(a.y(), b.y());
  return QRect(left, top, std::max(a.x(), b.x()) - left, std::max(a.y(), b.y()) - top);
}

class Canvas {
 public:
  virtual ~Canvas() = default;

  // True on the printer page: preview-only elements are left out there.
  [[nodiscard]] virtual bool isPrinter() const = 0;

  // The calls that follow draw document line `line` (from 0): the preview
  // learns where each element lies from the very pass that draws it.
  virtual void beginElement(qsizetype line) { (void)line; }

  virtual void setPen(LayoutColour colour, PenStyle style, int width) = 0;
  virtual void setBrush(LayoutColour colour, BrushStyle style) = 0;
  virtual void setFont(const FontSpec& font) = 0;

  // A straight line; the end point itself is not painted.
  virtual void drawLine(QPoint from, QPoint to) = 0;
  // The outline of the rectangle with corners a and b; the inside is left.
  virtual void drawFrame(QPoint a, QPoint b) = 0;
  // Fills the rectangle with corners a and b with the brush, right and
  // bottom edges excluded, no outline.
  virtual void fillBox(QPoint a, QPoint b) = 0;
  // Draws cp932 text with its top-left corner at `topLeft`, no background.
  // A character that is not cp932 is drawn as U+FFFD.
  [[nodiscard]] virtual Expected<void> textOut(QPoint topLeft, QByteArrayView text) = 0;
  // Draws cp932 text into `box` of a vertical column: the column's width
  // (one em of the font) and, down the column, from the top of the text's
  // first cell to one em below the top of its last. Turned draws each
  // character in its vertical form, SideBySide the text across the box,
  // narrowed to its width, and Clockwise the text turned to read downward,
  // narrowed to the box's height.
  [[nodiscard]] virtual Expected<void> textOutVertical(const QRect& box, QByteArrayView text,
                                                       VerticalLook look) = 0;
  // The same text kept within `widthPixels` from topLeft.x(): narrower
  // text is aligned in that width; wider text is condensed sideways, down
  // to half its width, and beyond that made smaller as well (about its
  // middle height). Only the canvas knows the font, so it measures.
  [[nodiscard]] virtual Expected<void> textOutFitted(QPoint topLeft, int widthPixels,
                                                     TextAlign align, QByteArrayView text) = 0;
  // Draws `image` stretched onto `target`.
  virtual void stretchBitmap(const QRect& target, const QImage& image) = 0;
};

}  // namespace kelvane
