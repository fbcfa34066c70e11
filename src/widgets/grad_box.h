#pragma once
// A box painted as a colour gradient in bands (the title strips and page
// headers).

#include <QColor>
#include <QWidget>

#include <vector>

namespace kelvane {

struct GradientBand {
  int offset = 0;  // pixels from the top (vertical) or the left (horizontal)
  int size = 0;    // pixels
  QColor colour;
};

// The bands of a gradient of `step` (clamped to 0–255) over `length` pixels:
// step + 2 bands of equal size (length ÷ (step + 1) rounded, at least 1), the
// last ones possibly beyond `length`, and one more band up to `length` in the
// last colour when the equal bands end short of it.
[[nodiscard]] std::vector<GradientBand> GradientBands(int length, int step, const QColor& start,
                                                      const QColor& end);

class TGradBox : public QWidget {
  Q_OBJECT

 public:
  enum Direction { gdHorizontal, gdVertical };
  Q_ENUM(Direction)

  explicit TGradBox(QWidget* parent = nullptr);

  [[nodiscard]] QColor startColor() const { return m_startColor; }
  [[nodiscard]] QColor endColor() const { return m_endColor; }
  [[nodiscard]] int gradStep() const { return m_gradStep; }
  [[nodiscard]] Direction direction() const { return m_direction; }

  // Each setter repaints and emits Change() when the value actually changes.
  void setStartColor(const QColor& colour);
  void setEndColor(const QColor& colour);
  void setGradStep(int step);  // clamped to 0–255
  void setDirection(Direction direction);

  [[nodiscard]] QSize sizeHint() const override { return {128, 128}; }

 signals:
  void Change();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void changed();

  QColor m_startColor = Qt::white;
  QColor m_endColor = Qt::black;
  int m_gradStep = 128;
  Direction m_direction = gdVertical;
};

}  // namespace kelvane
