#include "masterlist_window/tab_rows.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>

namespace kelvane {

TTabRows::TTabRows(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TTabRows::setTabs(const QStringList& captions, int perRow) {
  captions_ = captions;
  perRow_ = std::max(1, perRow);
  current_ = captions_.isEmpty() ? -1 : 0;
  updateGeometry();
  update();
}

void TTabRows::setCurrentIndex(int index) {
  if (index < 0 || index >= count() || index == current_) return;
  current_ = index;
  update();
  emit currentChanged(index);
}

int TTabRows::rows() const { return count() == 0 ? 0 : (count() + perRow_ - 1) / perRow_; }

int TTabRows::rowHeight() const { return fontMetrics().height() + 6; }

int TTabRows::tabWidth() const {
  int widest = 0;
  for (const QString& c : captions_) widest = std::max(widest, fontMetrics().horizontalAdvance(c));
  return widest + 16;
}

QRect TTabRows::tabRect(int index) const {
  if (index < 0 || index >= count()) return {};
  const int row = index / perRow_;
  const int first = row * perRow_;
  const int inRow = std::min(perRow_, count() - first);
  // The row's tabs share the width; the last ones take the odd pixels.
  const int column = index - first;
  const int left = width() * column / inRow;
  const int right = width() * (column + 1) / inRow;
  // The row of the current tab is the one next to the page below; the
  // rows above it keep their order.
  const int currentRow = current_ < 0 ? rows() - 1 : current_ / perRow_;
  const int shownRow = (row + rows() - 1 - currentRow) % rows();
  return {left, shownRow * rowHeight(), right - left, rowHeight()};
}

int TTabRows::tabAt(const QPoint& point) const {
  for (int i = 0; i < count(); ++i)
    if (tabRect(i).contains(point)) return i;
  return -1;
}

QSize TTabRows::sizeHint() const {
  return {tabWidth() * std::min(perRow_, std::max(1, count())), rowHeight() * rows() + 2};
}

QSize TTabRows::minimumSizeHint() const { return sizeHint(); }

void TTabRows::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionTabBarBase base;
  base.initFrom(this);
  base.shape = QTabBar::RoundedNorth;
  base.rect = QRect(0, height() - 2, width(), 2);
  base.selectedTabRect = tabRect(current_);
  painter.drawPrimitive(QStyle::PE_FrameTabBarBase, base);
  auto option = [this](int i) {
    QStyleOptionTab tab;
    tab.initFrom(this);
    tab.shape = QTabBar::RoundedNorth;
    tab.rect = tabRect(i);
    tab.text = captions_[i];
    tab.row = i / perRow_;
    const int first = tab.row * perRow_;
    const int last = std::min(count(), first + perRow_) - 1;
    tab.position = first == last ? QStyleOptionTab::OnlyOneTab
                   : i == first  ? QStyleOptionTab::Beginning
                   : i == last   ? QStyleOptionTab::End
                                 : QStyleOptionTab::Middle;
    tab.state &= ~QStyle::State_HasFocus;
    if (i == current_) {
      tab.state |= QStyle::State_Selected;
      if (hasFocus()) tab.state |= QStyle::State_HasFocus;
    }
    return tab;
  };
  for (int i = 0; i < count(); ++i)
    if (i != current_) painter.drawControl(QStyle::CE_TabBarTab, option(i));
  // The current tab last, so that it stands over its neighbours.
  if (current_ >= 0) painter.drawControl(QStyle::CE_TabBarTab, option(current_));
}

void TTabRows::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  const int at = tabAt(event->position().toPoint());
  if (at >= 0) setCurrentIndex(at);
}

void TTabRows::keyPressEvent(QKeyEvent* event) {
  int to = current_;
  switch (event->key()) {
    case Qt::Key_Left:
      to = current_ - 1;
      break;
    case Qt::Key_Right:
      to = current_ + 1;
      break;
    case Qt::Key_Up:
      to = current_ - perRow_;
      break;
    case Qt::Key_Down:
      to = current_ + perRow_;
      break;
    case Qt::Key_Home:
      to = 0;
      break;
    case Qt::Key_End:
      to = count() - 1;
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  setCurrentIndex(std::clamp(to, 0, count() - 1));
}

}  // namespace kelvane
