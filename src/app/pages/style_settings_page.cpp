#include "app/pages/style_settings_page.h"

#include "widgets/icon_button.h"
#include "widgets/nval_edit.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

namespace kelvane {

namespace {

// Whole millimetres: the header lines and the settings file read these as
// whole numbers, so a decimal part typed here would be lost.
TNValEdit* millimetreEdit(QWidget* parent, const char* name, bool grouped, bool negative) {
  auto* edit = new TNValEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setFixDecimal(0);
  edit->setMaxDigits(5);
  edit->setPutAComma(grouped);
  edit->setPrmtNegative(negative);
  edit->setZeroDisplay(true);
  edit->setFixedWidth(80);
  return edit;
}

TIconButton* iconButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon,
                        const QString& hint) {
  auto* button = new TIconButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setButtonStyle(TIconButton::bsIELike);
  button->setInColor(parent->palette().color(QPalette::Button));
  button->setIcon(parent->style()->standardIcon(icon));
  button->setToolTip(hint);
  button->setFixedSize(36, 36);
  return button;
}

}  // namespace

StyleSettingsPage::StyleSettingsPage(QWidget* parent) : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(5, 5, 5, 5);

  auto* titleBox = new QGroupBox(QStringLiteral("スタイル名"), this);
  auto* titleRow = new QHBoxLayout(titleBox);
  stylebtn = new QLabel(titleBox);
  stylebtn->setObjectName(QStringLiteral("stylebtn"));
  stylebtn->setFrameShape(QFrame::Panel);
  stylebtn->setFrameShadow(QFrame::Sunken);
  stylebtn->setMinimumWidth(220);
  Button1 = new QPushButton(QStringLiteral("入力"), titleBox);
  Button1->setObjectName(QStringLiteral("Button1"));
  titleRow->addWidget(stylebtn, 1);
  titleRow->addWidget(Button1);

  auto* sizeBox = new QGroupBox(QStringLiteral("位置とサイズ"), this);
  auto* grid = new QGridLayout(sizeBox);
  ofxbox = millimetreEdit(sizeBox, "ofxbox", false, true);
  ofYbox = millimetreEdit(sizeBox, "ofYbox", false, true);
  d3 = millimetreEdit(sizeBox, "d3", true, false);
  d4 = millimetreEdit(sizeBox, "d4", true, false);
  ofxbox->setValue(10);
  ofYbox->setValue(10);
  grid->addWidget(new QLabel(QStringLiteral("全体位置調整X(mm)"), sizeBox), 0, 0);
  grid->addWidget(ofxbox, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("全体位置調整Y(mm)"), sizeBox), 1, 0);
  grid->addWidget(ofYbox, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("領収書のサイズX(mm)"), sizeBox), 2, 0);
  grid->addWidget(d3, 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("領収書のサイズY(mm)"), sizeBox), 3, 0);
  grid->addWidget(d4, 3, 1);

  ps = new QLabel(QStringLiteral("1"), sizeBox);
  ps->setObjectName(QStringLiteral("ps"));
  ps->setToolTip(QStringLiteral("変更後はPreviewアイコンを押して下さい"));
  ps->hide();
  psUpDown = new QSpinBox(sizeBox);
  psUpDown->setRange(0, 10);
  psUpDown->setValue(1);
  psUpDown->hide();
  connect(psUpDown, &QSpinBox::valueChanged, ps,
          [this](int value) { ps->setText(QString::number(value)); });

  auto* modeBox = new QGroupBox(QStringLiteral("プレビュ－の仕方"), this);
  modeBox->setObjectName(QStringLiteral("style"));
  auto* modeColumn = new QVBoxLayout(modeBox);
  style = new QButtonGroup(modeBox);
  auto* withOffset = new QRadioButton(QStringLiteral("全体位置調整をプレビュ－する"), modeBox);
  auto* withoutOffset = new QRadioButton(QStringLiteral("全体位置調整をプレビュ－しない"), modeBox);
  style->addButton(withOffset, 0);
  style->addButton(withoutOffset, 1);
  withOffset->setChecked(true);
  modeColumn->addWidget(withOffset);
  modeColumn->addWidget(withoutOffset);
  modeColumn->addStretch();

  auto* tools = new QVBoxLayout;
  IconButton15 = iconButton(this, "IconButton15", QStyle::SP_DialogOpenButton,
                            QStringLiteral("スタイルデ－タを読み込む"));
  IconButton14 = iconButton(this, "IconButton14", QStyle::SP_DialogSaveButton,
                            QStringLiteral("スタイルデ－タを保存する"));
  IconButton13 = iconButton(this, "IconButton13", QStyle::SP_BrowserReload,
                            QStringLiteral("設定をプレビューに反映する"));
  tools->addWidget(IconButton15);
  tools->addWidget(IconButton14);
  tools->addWidget(IconButton13);
  tools->addStretch();

  auto* left = new QVBoxLayout;
  left->addWidget(titleBox);
  left->addWidget(modeBox);
  left->addStretch();
  row->addLayout(left);
  row->addWidget(sizeBox, 0, Qt::AlignTop);
  row->addLayout(tools);
  row->addStretch(1);
}

int StyleSettingsPage::previewMode() const { return style->checkedId(); }

void StyleSettingsPage::setPreviewMode(int index) {
  const QList<QAbstractButton*> buttons = style->buttons();
  if (index < 0) {
    // No option chosen: the group must let go of its exclusive choice.
    style->setExclusive(false);
    for (QAbstractButton* b : buttons) b->setChecked(false);
    style->setExclusive(true);
    return;
  }
  style->button(qMin(index, 1))->setChecked(true);
}

}  // namespace kelvane
