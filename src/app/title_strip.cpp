#include "app/title_strip.h"

#include "widgets/grad_box.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>

namespace kelvane {

namespace {

constexpr int kStripHeight = 35;

QLineEdit* dateBox(QWidget* parent, const char* name) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setReadOnly(true);
  box->setAlignment(Qt::AlignRight);
  box->setFixedSize(40, 22);
  box->setFocusPolicy(Qt::NoFocus);
  return box;
}

QLabel* dateLabel(QWidget* parent, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setFixedHeight(22);
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  return label;
}

QWidget* nameBox(QWidget* parent) {
  auto* box = new QLabel(QStringLiteral("ネムリカ-XP版-"), parent);
  box->setObjectName(QStringLiteral("TitleName"));
  box->setFrameShape(QFrame::StyledPanel);
  box->setMargin(4);
  QFont font = box->font();
  font.setBold(true);
  box->setFont(font);
  return box;
}

QWidget* makerBox(QWidget* parent) {
  auto* box = new QLabel(QStringLiteral("Quillmark"), parent);
  box->setObjectName(QStringLiteral("MakerName"));
  box->setFrameShape(QFrame::StyledPanel);
  box->setMargin(4);
  return box;
}

}  // namespace

TitleStrip::TitleStrip(QWidget* parent) : QWidget(parent) {
  setFixedHeight(kStripHeight);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(2, 2, 2, 2);
  auto* icon = new QLabel(this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(24, 24));
  row->addWidget(icon);
  row->addWidget(nameBox(this));

  gradient_ = new TGradBox(this);
  gradient_->setDirection(TGradBox::gdHorizontal);
  gradient_->setStartColor(QColor(224, 223, 227));
  gradient_->setEndColor(QColor(142, 140, 162));
  gradient_->setGradStep(128);
  gradient_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  gradient_->setMinimumSize(480, 0);
  gradient_->installEventFilter(this);
  row->addWidget(gradient_, 1);

  Label17 = dateLabel(gradient_, QStringLiteral("平成"));
  Label17->setObjectName(QStringLiteral("Label17"));
  YERBOX = dateBox(gradient_, "YERBOX");
  yearMark_ = dateLabel(gradient_, QStringLiteral("年"));
  MTHBOX = dateBox(gradient_, "MTHBOX");
  monthMark_ = dateLabel(gradient_, QStringLiteral("月"));
  DAYBOX = dateBox(gradient_, "DAYBOX");
  dayMark_ = dateLabel(gradient_, QStringLiteral("日"));

  row->addWidget(makerBox(this));
  placeDate();
}

TitleStrip::DatePositions TitleStrip::DatePositionsFor(int width) {
  const int h = width / 2;
  return {h + 90, h + 160, h + 205, h + 250, h + 295, h + 340, h + 385};
}

bool TitleStrip::eventFilter(QObject* watched, QEvent* event) {
  if (watched == gradient_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
    placeDate();
  }
  return QWidget::eventFilter(watched, event);
}

void TitleStrip::placeDate() {
  // The positions are the title bar's; the pieces are drawn on the strip.
  const DatePositions p = DatePositionsFor(gradient_->width());
  const int dx = gradient_->x();
  const int y = (gradient_->height() - 22) / 2;
  Label17->move(p.era - dx, y);
  YERBOX->move(p.year - dx, y);
  yearMark_->move(p.yearMark - dx, y);
  MTHBOX->move(p.month - dx, y);
  monthMark_->move(p.monthMark - dx, y);
  DAYBOX->move(p.day - dx, y);
  dayMark_->move(p.dayMark - dx, y);
}

}  // namespace kelvane
