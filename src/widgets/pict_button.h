#pragma once
// A small button that shows one frame of a bitmap strip: up, disabled or
// pressed. Without a glyph of its own it shows the built-in arrow strip.

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace kelvane {

class TPictButton : public QWidget {
  Q_OBJECT

 public:
  enum State { StateUp = 0, StateDisabled = 1, StatePressed = 2 };

  explicit TPictButton(QWidget* parent = nullptr);

  [[nodiscard]] bool autoSize() const { return m_autoSize; }
  void setAutoSize(bool on);  // on: take the size of one frame now

  [[nodiscard]] bool pictEnabled() const { return m_pictEnabled; }
  void setPictEnabled(bool on);

  // The strip of frames side by side. Setting it also sets numGlyphs (width ÷
  // height below 5, else 3, at least 1); a null pixmap brings back the
  // built-in strip. A strip without alpha leaves out the colour of its
  // bottom-left pixel.
  [[nodiscard]] QPixmap glyph() const { return m_glyph; }
  void setGlyph(const QPixmap& glyph);

  [[nodiscard]] int numGlyphs() const { return m_numGlyphs; }
  void setNumGlyphs(int count);  // clamped to 1–4

  [[nodiscard]] QColor brushColor() const { return m_brushColor; }
  void setBrushColor(const QColor& colour);

  [[nodiscard]] State state() const { return m_state; }
  // The colour left out of the strip shown now (olive for the built-in one);
  // invalid when the strip has its own alpha.
  [[nodiscard]] QColor transparentColor() const { return m_transparent; }

  [[nodiscard]] QSize sizeHint() const override { return {24, 24}; }

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void prepareStrip();
  [[nodiscard]] int frameCount() const;
  [[nodiscard]] QSize frameSize() const;
  void applyAutoSize();
  void setState(State state);

  bool m_autoSize = true;
  bool m_pictEnabled = true;
  QPixmap m_glyph;
  int m_numGlyphs = 1;
  QColor m_brushColor;
  State m_state = StateUp;
  QImage m_strip;  // the glyph or the built-in strip, with the transparent colour knocked out
  QColor m_transparent;
};

}  // namespace kelvane
