#pragma once
// A strip of tabs in several rows, each row stretched to the full width:
// for more tabs than one row holds, all of them in view at once. The row
// of the current tab moves next to the page below. Drawn with the style's
// own tabs; a click or the arrow keys choose a tab.

#include <QStringList>
#include <QWidget>

namespace kelvane {

class TTabRows : public QWidget {
  Q_OBJECT

 public:
  explicit TTabRows(QWidget* parent = nullptr);

  // The captions, at most `perRow` tabs in a row (at least 1); the first
  // tab becomes current.
  void setTabs(const QStringList& captions, int perRow);

  [[nodiscard]] int count() const { return static_cast<int>(captions_.size()); }
  [[nodiscard]] QString tabText(int index) const { return captions_.value(index); }
  [[nodiscard]] int currentIndex() const { return current_; }
  // Out of range is ignored; a change emits currentChanged.
  void setCurrentIndex(int index);

  // The tab's rectangle in this widget; empty outside the tabs.
  [[nodiscard]] QRect tabRect(int index) const;
  // The tab under `point`, or -1.
  [[nodiscard]] int tabAt(const QPoint& point) const;

  [[nodiscard]] QSize sizeHint() const override;
  [[nodiscard]] QSize minimumSizeHint() const override;

 signals:
  void currentChanged(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  [[nodiscard]] int rows() const;
  [[nodiscard]] int rowHeight() const;
  [[nodiscard]] int tabWidth() const;  // the widest caption's tab

  QStringList captions_;
  int perRow_ = 1;
  int current_ = -1;
};

}  // namespace kelvane
