#pragma once
// Panes packed side by side from the left edge after a 5-pixel spacer. The
// "Page+1" arrows change which pane comes first, so that a pane pushed off
// the right of a narrow screen can be brought into view.

#include <QWidget>

class QHBoxLayout;

namespace kelvane {

class PaneRow : public QWidget {
  Q_OBJECT

 public:
  explicit PaneRow(QWidget* parent = nullptr);

  // Appends `pane` (reparented into the row) after the existing panes.
  void addPane(QWidget* pane);
  // The panes from left to right.
  [[nodiscard]] QList<QWidget*> order() const;

  // Position 0 puts `pane` first.
  void moveToFront(QWidget* pane);
  // Puts `pane` after the panes that end before `position` pixels (in the
  // current order, measured from the row's left edge with the spacer).
  void moveToPosition(QWidget* pane, int position);

  // The panes at their natural widths; a narrower row cuts them off at the
  // right rather than squeezing them.
  [[nodiscard]] QSize sizeHint() const override;
  [[nodiscard]] QSize minimumSizeHint() const override;

  // The space before the first pane and the gap between two panes, pixels.
  static constexpr int kSpacer = 5;
  static constexpr int kGap = 3;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void placeStrip();

  QWidget* strip_ = nullptr;  // holds the panes side by side
  QHBoxLayout* layout_ = nullptr;
};

// A small "Page+1" arrow button, the built-in arrow strip pointing `right`
// or left.
class TPictButton;
[[nodiscard]] TPictButton* MakePageArrow(QWidget* parent, bool right = true);

}  // namespace kelvane
