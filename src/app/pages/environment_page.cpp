#include "app/pages/environment_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvane {

namespace {

QLabel* valueLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFrameShape(QFrame::Panel);
  label->setFrameShadow(QFrame::Sunken);
  label->setMinimumWidth(80);
  label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  label->setMargin(2);
  return label;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

}  // namespace

EnvironmentPage::EnvironmentPage(QWidget* parent) : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(5, 5, 5, 5);

  auto* dataBox = new QGroupBox(QStringLiteral("データファイルと自動連番"), this);
  auto* grid = new QGridLayout(dataBox);
  StaticText1 = valueLabel(dataBox, "StaticText1", {});
  StaticText1->setMinimumWidth(240);
  StaticText1->setTextInteractionFlags(Qt::TextSelectableByMouse);
  selectRegisterButton = new QPushButton(QStringLiteral("選択"), dataBox);
  d1 = valueLabel(dataBox, "d1", QStringLiteral("1"));
  d2 = valueLabel(dataBox, "d2", QStringLiteral("1"));
  last_number = valueLabel(dataBox, "last_number", QStringLiteral("1"));
  grid->addWidget(new QLabel(QStringLiteral("データファイル"), dataBox), 0, 0);
  grid->addWidget(StaticText1, 0, 1, 1, 3);
  grid->addWidget(selectRegisterButton, 0, 4);
  grid->addWidget(new QLabel(QStringLiteral("自動連番ﾍｯﾀﾞｰ"), dataBox), 1, 0);
  grid->addWidget(d1, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("桁設定"), dataBox), 2, 0);
  grid->addWidget(d2, 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("最終番号"), dataBox), 3, 0);
  grid->addWidget(last_number, 3, 1);
  grid->setColumnStretch(3, 1);
  grid->setRowStretch(4, 1);

  auto* receiptBox = new QGroupBox(QStringLiteral("新規作成と保存"), this);
  auto* receiptColumn = new QVBoxLayout(receiptBox);
  CheckBox3 = checkBox(receiptBox, "CheckBox3", QStringLiteral("自動的に日付を入れる"));
  CheckBox4 = checkBox(receiptBox, "CheckBox4", QStringLiteral("自動的に番号を入れる"));
  CheckBox5 = checkBox(receiptBox, "CheckBox5", QStringLiteral("データ保存後新規作成状態にする"));
  CheckBox6 = checkBox(receiptBox, "CheckBox6", QStringLiteral("印刷終了後、保存ダイアログを出す"));
  // The copy of each receipt handed out, kept beside the register.
  archiveBox = checkBox(receiptBox, "archiveBox", QStringLiteral("発行した領収書のPDF控えを残す"));
  archiveBox->setChecked(true);
  for (QCheckBox* b : {CheckBox3, CheckBox4, CheckBox5, CheckBox6, archiveBox})
    receiptColumn->addWidget(b);

  // The yen mark is the byte 0x5C of the layout, which Japanese fonts show as ¥.
  auto* amountBox = new QGroupBox(QStringLiteral("領収金額の表示"), this);
  auto* amountColumn = new QVBoxLayout(amountBox);
  CheckBox1 = checkBox(amountBox, "CheckBox1", QStringLiteral("領収金額に¥をつける"));
  CheckBox2 = checkBox(amountBox, "CheckBox2", QStringLiteral("領収金額末に－をつける"));
  CheckBox7 = checkBox(amountBox, "CheckBox7", QStringLiteral("金額を漢数字にする"));
  CheckBox8 = checkBox(amountBox, "CheckBox8", QStringLiteral("金額0は表示しない"));
  for (QCheckBox* b : {CheckBox1, CheckBox2, CheckBox7, CheckBox8}) amountColumn->addWidget(b);
  amountColumn->addStretch();

  auto* buttons = new QVBoxLayout;
  updateButton = new QPushButton(QStringLiteral("更　新"), this);
  helpButton = new QPushButton(QStringLiteral("Help"), this);
  closeButton = new QPushButton(QStringLiteral("終　了"), this);
  for (QPushButton* b : {updateButton, helpButton, closeButton}) {
    b->setCursor(Qt::PointingHandCursor);
    b->setMinimumWidth(90);
    buttons->addWidget(b);
  }
  buttons->addStretch();

  row->addWidget(dataBox, 0, Qt::AlignTop);
  row->addWidget(receiptBox, 0, Qt::AlignTop);
  row->addWidget(amountBox, 0, Qt::AlignTop);
  row->addLayout(buttons);
  row->addStretch(1);
}

}  // namespace kelvane
