#include "app/pages/page_parts.h"

#include "widgets/arrow_strip.h"
#include "widgets/grad_box.h"
#include "widgets/icon_button.h"
#include "widgets/nval_edit.h"
#include "widgets/pict_button.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvane {

namespace {

constexpr int kHeaderHeight = 20;

// The program's boxes fade from a light to a darker grey-violet.
void StyleHeader(TGradBox* box) {
  box->setDirection(TGradBox::gdHorizontal);
  box->setStartColor(QColor(224, 223, 227));
  box->setEndColor(QColor(142, 140, 162));
  box->setGradStep(128);
}

TPictButton* NudgeButton(QWidget* parent, const QString& name, ArrowDirection direction) {
  auto* button = new TPictButton(parent);
  button->setObjectName(name);
  button->setGlyph(QPixmap::fromImage(ArrowStrip(direction, 16)));
  button->setFixedSize(18, 18);
  return button;
}

}  // namespace

PaneBox::PaneBox(const QString& title, QWidget* parent) : QFrame(parent) {
  setFrameShape(QFrame::StyledPanel);
  setFrameShadow(QFrame::Raised);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(1, 1, 1, 1);
  column->setSpacing(0);

  header_ = new TGradBox(this);
  StyleHeader(header_);
  header_->setFixedHeight(kHeaderHeight);
  header_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  headerRow_ = new QHBoxLayout(header_);
  headerRow_->setContentsMargins(6, 0, 2, 0);
  headerRow_->setSpacing(2);
  title_ = new QLabel(title, header_);
  headerRow_->addWidget(title_);
  headerRow_->addStretch(1);
  column->addWidget(header_);

  body_ = new QWidget(this);
  column->addWidget(body_, 1);
}

void PaneBox::addHeaderWidget(QWidget* widget) {
  widget->setParent(header_);
  headerRow_->addWidget(widget, 0, Qt::AlignVCenter);
}

QIcon DrawToolIcon(ToolIcon kind) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor ink(60, 60, 80);
  p.setPen(QPen(ink, 1.5));
  auto sheet = [&](const QRectF& r) {
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 6, r.top());
    path.lineTo(r.right(), r.top() + 6);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - 6, r.top()), QPointF(r.right() - 6, r.top() + 6));
    p.drawLine(QPointF(r.right() - 6, r.top() + 6), QPointF(r.right(), r.top() + 6));
  };
  switch (kind) {
    case ToolIcon::Preview:
      sheet(QRectF(4, 3, 18, 24));
      p.setBrush(QColor(190, 220, 255, 200));
      p.setPen(QPen(ink, 2.5));
      p.drawEllipse(QPointF(18, 17), 6.5, 6.5);
      p.setPen(QPen(QColor(120, 70, 30), 4, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(23, 22), QPointF(29, 28));
      break;
    case ToolIcon::PaperSetup:
      sheet(QRectF(5, 3, 20, 26));
      p.setPen(QPen(QColor(200, 60, 60), 1.5, Qt::DashLine));
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(9, 11, 12, 14));
      p.setPen(QPen(ink, 1));
      for (int x = 10; x <= 20; x += 3) p.drawLine(QPointF(x, 5), QPointF(x, 8));
      break;
    case ToolIcon::Print:
      p.setBrush(Qt::white);
      p.drawRect(QRectF(9, 3, 14, 10));
      p.setBrush(QColor(170, 170, 190));
      p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(8, 19, 16, 10));
      p.setPen(QPen(ink, 1));
      p.drawLine(QPointF(11, 23), QPointF(21, 23));
      p.drawLine(QPointF(11, 26), QPointF(19, 26));
      p.setBrush(QColor(80, 200, 80));
      p.drawEllipse(QPointF(25, 15.5), 1.5, 1.5);
      break;
    case ToolIcon::Exit:
      p.setBrush(QColor(170, 120, 70));
      p.drawRect(QRectF(5, 3, 14, 26));
      p.setBrush(QColor(230, 200, 80));
      p.drawEllipse(QPointF(16, 16), 1.5, 1.5);
      p.setPen(QPen(QColor(200, 40, 40), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.drawLine(QPointF(17, 10), QPointF(29, 10));
      p.drawLine(QPointF(25, 6), QPointF(29, 10));
      p.drawLine(QPointF(25, 14), QPointF(29, 10));
      break;
    case ToolIcon::Apply:
      p.setPen(QPen(QColor(30, 140, 40), 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.drawPolyline(QPolygonF({QPointF(6, 17), QPointF(13, 25), QPointF(27, 7)}));
      break;
    case ToolIcon::Reset:
      p.setPen(QPen(QColor(40, 90, 180), 3.5, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(6, 6, 20, 20), 60 * 16, 280 * 16);
      p.setBrush(QColor(40, 90, 180));
      p.setPen(Qt::NoPen);
      p.drawPolygon(QPolygonF({QPointF(19, 2), QPointF(26, 8), QPointF(17, 11)}));
      break;
    case ToolIcon::Clear:
      p.setBrush(QColor(200, 200, 210));
      p.drawRect(QRectF(9, 9, 14, 19));
      p.drawLine(QPointF(6, 8), QPointF(26, 8));
      p.drawRect(QRectF(13, 4, 6, 4));
      p.drawLine(QPointF(13, 12), QPointF(13, 25));
      p.drawLine(QPointF(16, 12), QPointF(16, 25));
      p.drawLine(QPointF(19, 12), QPointF(19, 25));
      break;
    case ToolIcon::Picture:
      p.setBrush(QColor(200, 230, 255));
      p.drawRect(QRectF(3, 6, 26, 20));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(60, 150, 60));
      p.drawPolygon(QPolygonF({QPointF(4, 25), QPointF(12, 14), QPointF(19, 25)}));
      p.drawPolygon(QPolygonF({QPointF(14, 25), QPointF(21, 17), QPointF(28, 25)}));
      p.setBrush(QColor(240, 190, 40));
      p.drawEllipse(QPointF(23, 11), 2.5, 2.5);
      break;
  }
  return QIcon(pixmap);
}

TIconButton* MakeToolButton(QWidget* parent, const QString& name, ToolIcon icon,
                            const QString& hint, int size) {
  auto* button = new TIconButton(parent);
  button->setObjectName(name);
  button->setButtonStyle(TIconButton::bsIELike);
  button->setInColor(parent->palette().color(QPalette::Button));
  button->setIcon(DrawToolIcon(icon));
  if (!hint.isEmpty()) button->setToolTip(hint);
  button->setFixedSize(size, size);
  return button;
}

NudgeButtons MakeNudgeButtons(QWidget* parent, const QString& upName, const QString& downName,
                              const QString& leftName, const QString& rightName) {
  NudgeButtons n;
  n.cross = new QWidget(parent);
  n.up = NudgeButton(n.cross, upName, ArrowDirection::Up);
  n.down = NudgeButton(n.cross, downName, ArrowDirection::Down);
  n.left = NudgeButton(n.cross, leftName, ArrowDirection::Left);
  n.right = NudgeButton(n.cross, rightName, ArrowDirection::Right);
  auto* grid = new QGridLayout(n.cross);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(0);
  grid->addWidget(n.up, 0, 1);
  grid->addWidget(n.left, 1, 0);
  grid->addWidget(n.right, 1, 2);
  grid->addWidget(n.down, 2, 1);
  n.cross->setFixedSize(54, 54);
  return n;
}

QLabel* MakeSwatch(QWidget* parent, const QString& name, const QColor& colour) {
  auto* swatch = new QLabel(parent);
  swatch->setObjectName(name);
  swatch->setFrameShape(QFrame::Panel);
  swatch->setFrameShadow(QFrame::Sunken);
  swatch->setAutoFillBackground(true);
  QPalette palette = swatch->palette();
  palette.setColor(QPalette::Window, colour);
  swatch->setPalette(palette);
  swatch->setFixedSize(40, 20);
  return swatch;
}

TNValEdit* MakeMeasureEdit(QWidget* parent, const QString& name, int width) {
  auto* edit = new TNValEdit(parent);
  edit->setObjectName(name);
  edit->setZeroDisplay(true);
  edit->setPrmtNegative(true);
  edit->setFixedWidth(width);
  return edit;
}

QLabel* MakeValueLabel(QWidget* parent, const QString& name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setFrameShape(QFrame::Panel);
  label->setFrameShadow(QFrame::Sunken);
  label->setMinimumHeight(20);
  label->setIndent(3);
  return label;
}

TextRecordEditor BuildTextRecordEditor(QWidget* body, const TextRecordNames& names) {
  TextRecordEditor e;
  auto* grid = new QGridLayout(body);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(3);
  e.grid = grid;
  auto caption = [body](const QString& text) { return new QLabel(text, body); };

  e.previewOnly = new QCheckBox(QStringLiteral("プレビュ－のみ"), body);
  e.previewOnly->setObjectName(names.previewOnly);
  e.vertical = new QCheckBox(QStringLiteral("縦書き"), body);
  e.vertical->setObjectName(names.vertical);
  grid->addWidget(e.previewOnly, 0, 0, 1, 2);
  grid->addWidget(e.vertical, 0, 2, 1, 2);

  e.x = MakeMeasureEdit(body, names.x);
  e.y = MakeMeasureEdit(body, names.y);
  // A grouping comma would split the record these values are written into.
  e.x->setPutAComma(false);
  e.y->setPutAComma(false);
  grid->addWidget(caption(QStringLiteral("位置(X mm)")), 1, 0);
  grid->addWidget(e.x, 1, 1);
  grid->addWidget(caption(QStringLiteral("位置(Y mm)")), 1, 2);
  grid->addWidget(e.y, 1, 3);

  e.fontName = MakeValueLabel(body, QString(), QStringLiteral("ＭＳ 明朝"));
  e.fontButton = new QPushButton(QStringLiteral("選択"), body);
  e.fontButton->setObjectName(names.fontButton);
  e.fontButton->setFixedWidth(64);
  grid->addWidget(caption(QStringLiteral("フォント名")), 2, 0);
  grid->addWidget(e.fontName, 2, 1, 1, 2);
  grid->addWidget(e.fontButton, 2, 3, Qt::AlignLeft);

  e.fontSize = MakeValueLabel(body, QString(), QStringLiteral("20"));
  e.decoration = MakeValueLabel(body, QString(), QStringLiteral("太字"));
  grid->addWidget(caption(QStringLiteral("文字サイズ")), 3, 0);
  grid->addWidget(e.fontSize, 3, 1);
  grid->addWidget(caption(QStringLiteral("修　　飾")), 3, 2);
  grid->addWidget(e.decoration, 3, 3);

  e.spacing = new TNValEditC(body);
  e.spacing->setObjectName(names.spacing);
  e.spacing->setZeroDisplay(true);
  e.spacing->setPrmtNegative(true);
  e.spacing->setPutAComma(false);
  e.spacing->setFixedWidth(64);
  e.swatch = MakeSwatch(body, names.swatch, Qt::black);
  grid->addWidget(caption(QStringLiteral("文字間(mm)")), 4, 0);
  grid->addWidget(e.spacing, 4, 1);
  grid->addWidget(caption(QStringLiteral("フォント色")), 4, 2);
  grid->addWidget(e.swatch, 4, 3, Qt::AlignLeft);

  int row = 5;
  if (!names.text.isEmpty()) {
    e.text = new QLineEdit(body);
    e.text->setObjectName(names.text);
    e.text->setEnabled(false);
    grid->addWidget(caption(QStringLiteral("文字関係")), row, 0);
    grid->addWidget(e.text, row, 1, 1, 3);
    ++row;
  }

  e.nudge = MakeNudgeButtons(body, names.up, names.down, names.left, names.right);
  e.apply = MakeToolButton(body, names.apply, ToolIcon::Apply, QStringLiteral("適用"));
  e.reset = MakeToolButton(body, names.reset, ToolIcon::Reset, QStringLiteral("リセット"));
  // Beside the arrows: the width and the alignment in it.
  e.fitWidth = MakeMeasureEdit(body, names.fitWidth);
  e.fitWidth->setPrmtNegative(false);
  e.fitWidth->setPutAComma(false);
  e.fitWidth->setZeroDisplay(false);
  e.fitWidth->setToolTip(QStringLiteral("文字をこの幅に収めます。空か 0 なら幅を決めません"));
  e.fitAlign = new QComboBox(body);
  e.fitAlign->setObjectName(names.fitAlign);
  e.fitAlign->addItems({QStringLiteral("左"), QStringLiteral("右"), QStringLiteral("中央")});
  e.fitAlign->setFixedWidth(64);
  e.fitAlign->setToolTip(QStringLiteral("幅の中での文字の位置"));
  auto* fit = new QGridLayout;
  fit->setHorizontalSpacing(6);
  fit->setVerticalSpacing(3);
  fit->addWidget(caption(QStringLiteral("幅(mm)")), 0, 0);
  fit->addWidget(e.fitWidth, 0, 1);
  fit->addWidget(caption(QStringLiteral("配置")), 1, 0);
  fit->addWidget(e.fitAlign, 1, 1);
  auto* tools = new QHBoxLayout;
  tools->setSpacing(4);
  tools->addWidget(e.nudge.cross);
  tools->addSpacing(8);
  tools->addLayout(fit);
  tools->addStretch(1);
  tools->addWidget(e.apply, 0, Qt::AlignBottom);
  tools->addWidget(e.reset, 0, Qt::AlignBottom);
  grid->addLayout(tools, row, 0, 1, 4);
  grid->setRowStretch(row + 1, 1);

  DisableControls({e.previewOnly, e.vertical, e.x, e.y, e.fontName, e.fontSize, e.decoration,
                   e.fontButton, e.spacing, e.swatch, e.nudge.up, e.nudge.down, e.nudge.left,
                   e.nudge.right, e.apply, e.reset, e.fitWidth, e.fitAlign});
  return e;
}

const std::array<QString, 12>& CompanyInfoCaptions() {
  static const std::array<QString, 12> captions = {
      QStringLiteral("会社名１"), QStringLiteral("会社名２"), QStringLiteral("業務内容"),
      QStringLiteral("住 所 1"),  QStringLiteral("住 所 2"),  QStringLiteral("TEL"),
      QStringLiteral("FAX"),      QStringLiteral("HTTP"),     QStringLiteral("E-Mail"),
      QStringLiteral("その他1"),  QStringLiteral("その他2"),  QStringLiteral("登録番号")};
  return captions;
}

void DisableControls(std::initializer_list<QWidget*> controls) {
  for (QWidget* control : controls) control->setEnabled(false);
}

}  // namespace kelvane
