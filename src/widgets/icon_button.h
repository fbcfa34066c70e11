#pragma once
// A tool button drawn as a panel with an inner and an outer one-pixel bevel,
// showing an icon; its bevels and background follow the mouse.

#include <QColor>
#include <QIcon>
#include <QWidget>

namespace kelvane {

class TIconButton : public QWidget {
  Q_OBJECT

 public:
  enum ButtonStyle { bsNone, bsLowered, bsRaised, bsFrame, bsGroove, bsIELike };
  Q_ENUM(ButtonStyle)
  enum Bevel { bvNone, bvLowered, bvRaised };
  Q_ENUM(Bevel)

  explicit TIconButton(QWidget* parent = nullptr);

  [[nodiscard]] ButtonStyle buttonStyle() const { return m_style; }
  void setButtonStyle(ButtonStyle style);  // also puts the bevels at rest

  [[nodiscard]] bool colorChange() const { return m_colorChange; }
  void setColorChange(bool on) { m_colorChange = on; }

  [[nodiscard]] QIcon icon() const { return m_icon; }
  void setIcon(const QIcon& icon);

  // Background while the pointer is over the button (with colorChange) and
  // otherwise.
  [[nodiscard]] QColor inColor() const { return m_inColor; }
  void setInColor(const QColor& colour);
  [[nodiscard]] QColor outColor() const { return m_outColor; }
  void setOutColor(const QColor& colour);
  [[nodiscard]] QColor backgroundColor() const { return m_background; }

  [[nodiscard]] bool stretch() const { return m_stretch; }
  void setStretch(bool on);

  // A tab stop takes the focus from the keyboard; a press takes it always.
  [[nodiscard]] bool tabStop() const { return focusPolicy() != Qt::NoFocus; }
  void setTabStop(bool on) { setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus); }

  [[nodiscard]] Bevel innerBevel() const { return m_inner; }
  [[nodiscard]] Bevel outerBevel() const { return m_outer; }

  [[nodiscard]] QSize sizeHint() const override { return {36, 36}; }

 signals:
  void clicked();
  void doubleClicked();
  void MouseEnter();
  void MouseLeave();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  void showPressed();
  void showReleased(bool pointerInside);
  void setBevels(Bevel inner, Bevel outer);
  void setBackground(const QColor& colour);

  ButtonStyle m_style = bsFrame;
  Bevel m_inner = bvLowered;
  Bevel m_outer = bvRaised;
  bool m_colorChange = true;
  QIcon m_icon;
  QColor m_inColor;
  QColor m_outColor;
  QColor m_background;
  bool m_stretch = false;
  bool m_pointerInside = false;  // between an enter and a leave
  bool m_leftDown = false;       // a left press of ours not yet released
  bool m_spacePending = false;   // Space went down, its release will click
};

}  // namespace kelvane
