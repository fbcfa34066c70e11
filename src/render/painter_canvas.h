#pragma once
// The canvas on a QPainter: the screen preview, the printer page, PDF and
// PNG files all draw through it.

#include "render/canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QRawFont>

#include <functional>
#include <optional>

namespace kelvane {

// Layout colour 0x00BBGGRR -> QColor.
[[nodiscard]] QColor ToQColor(LayoutColour colour);

class PainterCanvas : public Canvas {
 public:
  // `painter` must be active on its device for the canvas's lifetime.
  PainterCanvas(QPainter& painter, bool printer);

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

 private:
  void applyTextFont();
  void drawTurned(const QRect& cell, char16_t ch);
  void drawAcross(const QRect& box, const QString& text);
  void drawAlong(const QRect& box, const QString& text);
  // Runs `draw` with the glyphs condensed toward `top` as the font asks.
  void condensedFrom(int top, const std::function<void()>& draw);
  // The face the font resolves to, with its vertical glyph forms; read the
  // first time a vertical cell is drawn in the font.
  const QRawFont& rawFont();

  QPainter& painter_;
  bool printer_;
  QPen pen_;
  QBrush brush_;
  FontSpec fontSpec_;
  QFont font_;
  std::optional<QFontMetrics> metrics_;
  bool fontApplied_ = false;
  std::optional<QRawFont> rawFont_;
};

}  // namespace kelvane
