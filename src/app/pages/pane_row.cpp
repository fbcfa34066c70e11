#include "app/pages/pane_row.h"

#include "widgets/arrow_strip.h"
#include "widgets/pict_button.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QResizeEvent>

namespace kelvane {

PaneRow::PaneRow(QWidget* parent) : QWidget(parent) {
  strip_ = new QWidget(this);
  layout_ = new QHBoxLayout(strip_);
  layout_->setContentsMargins(kSpacer, 0, 0, 0);
  layout_->setSpacing(kGap);
  strip_->installEventFilter(this);
}

void PaneRow::addPane(QWidget* pane) {
  pane->setParent(strip_);
  layout_->addWidget(pane);
  pane->show();
  updateGeometry();
}

QList<QWidget*> PaneRow::order() const {
  QList<QWidget*> panes;
  for (int i = 0; i < layout_->count(); ++i) {
    if (QWidget* w = layout_->itemAt(i)->widget()) panes.append(w);
  }
  return panes;
}

void PaneRow::moveToFront(QWidget* pane) { moveToPosition(pane, 0); }

void PaneRow::moveToPosition(QWidget* pane, int position) {
  const int from = layout_->indexOf(pane);
  if (from < 0) return;
  QLayoutItem* item = layout_->takeAt(from);
  // Widths as the layout gives them: the strip never squeezes its panes, so
  // each pane sits at its natural width whatever the window's width.
  int x = kSpacer;
  int index = 0;
  for (; index < layout_->count(); ++index) {
    const int end = x + layout_->itemAt(index)->sizeHint().width();
    if (end > position) break;
    x = end + kGap;
  }
  layout_->insertItem(index, item);
  layout_->invalidate();
  placeStrip();
}

QSize PaneRow::sizeHint() const { return layout_->sizeHint(); }

QSize PaneRow::minimumSizeHint() const { return {0, layout_->minimumSize().height()}; }

void PaneRow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  placeStrip();
}

bool PaneRow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == strip_ && event->type() == QEvent::LayoutRequest) {
    updateGeometry();
    placeStrip();
  }
  return QWidget::eventFilter(watched, event);
}

// The strip keeps its natural width and takes the row's height, so the panes
// fill the page from top to bottom and run off its right edge when it is
// narrow.
void PaneRow::placeStrip() { strip_->setGeometry(0, 0, layout_->sizeHint().width(), height()); }

TPictButton* MakePageArrow(QWidget* parent, bool right) {
  auto* button = new TPictButton(parent);
  button->setGlyph(
      QPixmap::fromImage(ArrowStrip(right ? ArrowDirection::Right : ArrowDirection::Left, 16)));
  button->setToolTip(QStringLiteral("Page+1"));
  button->setObjectName(right ? QStringLiteral("PageArrowRight") : QStringLiteral("PageArrowLeft"));
  return button;
}

}  // namespace kelvane
