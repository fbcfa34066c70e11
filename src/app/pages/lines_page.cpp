#include "app/pages/lines_page.h"

#include "app/pages/page_parts.h"
#include "app/pages/pane_row.h"
#include "widgets/icon_button.h"
#include "widgets/nval_edit.h"
#include "widgets/pict_button.h"
#include "widgets/str_col_grid.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kelvane {

namespace {

// A titled group of radio buttons side by side, numbered from 0.
QGroupBox* RadioRow(QWidget* parent, const QString& title, const QStringList& options,
                    QButtonGroup*& group) {
  auto* box = new QGroupBox(title, parent);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(6, 2, 6, 2);
  group = new QButtonGroup(box);
  for (int i = 0; i < options.size(); ++i) {
    auto* button = new QRadioButton(options[i], box);
    group->addButton(button, i);
    row->addWidget(button);
  }
  group->button(0)->setChecked(true);
  return box;
}

}  // namespace

LinesPage::LinesPage(QWidget* parent) : QWidget(parent) {
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(0, 0, 0, 0);
  panes = new PaneRow(this);
  page->addWidget(panes);

  // ---- the list; column 0 is the handle rows are dragged by
  StrColGrid1 = new TStrColGrid(this);
  StrColGrid1->setObjectName(QStringLiteral("StrColGrid1"));
  StrColGrid1->SetColCount(6);
  StrColGrid1->SetRowCount(101);
  StrColGrid1->SetFixedRows(1);
  StrColGrid1->SetFixedCols(1);
  StrColGrid1->SetOptions((DefaultGridOptions() & ~GridOptions(GridOption::RangeSelect)) |
                          GridOption::RowSelect | GridOption::RowMoving);
  StrColGrid1->SetDefaultRowHeight(18);
  StrColGrid1->SetRowHeights(0, 18);
  const int widths[6] = {12, 54, 200, 36, 70, 56};
  for (int col = 0; col < 6; ++col) StrColGrid1->SetColWidths(col, widths[col]);
  StrColGrid1->SetRowTexts(
      0, {QString(), QStringLiteral("図形"), QStringLiteral("位置と太さ"), QStringLiteral("色"),
          QStringLiteral("線種"), QStringLiteral("種類")});
  StrColGrid1->setFixedWidth(470);

  // ---- the shape editor
  auto* tools = new PaneBox(QStringLiteral("線関係設定"), this);
  toolsPane = tools;
  QWidget* body = tools->body();
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(6, 3, 6, 3);
  column->setSpacing(3);

  kindBox = RadioRow(body, QStringLiteral("図  形"),
                     {QStringLiteral("直線"), QStringLiteral("枠"), QStringLiteral("四角形")},
                     HTMLRadioGroup2);
  kindBox->setObjectName(QStringLiteral("HTMLRadioGroup2"));
  usageBox = RadioRow(body, QStringLiteral("種  別"),
                      {QStringLiteral("実際に印刷"), QStringLiteral("プレビュ－のみ")}, usageGroup);
  usageBox->setObjectName(QStringLiteral("usageBox"));
  auto* groups = new QHBoxLayout;
  groups->addWidget(kindBox);
  groups->addWidget(usageBox);
  column->addLayout(groups);

  auto* lower = new QHBoxLayout;
  auto* form = new QGridLayout;
  form->setHorizontalSpacing(6);
  form->setVerticalSpacing(3);
  x1 = MakeMeasureEdit(body, QStringLiteral("x1"));
  y1 = MakeMeasureEdit(body, QStringLiteral("y1"));
  x2 = MakeMeasureEdit(body, QStringLiteral("x2"));
  y2 = MakeMeasureEdit(body, QStringLiteral("y2"));
  form->addWidget(new QLabel(QStringLiteral("始  点"), body), 0, 0);
  form->addWidget(x1, 0, 1);
  form->addWidget(y1, 0, 2);
  form->addWidget(new QLabel(QStringLiteral("終  点"), body), 1, 0);
  form->addWidget(x2, 1, 1);
  form->addWidget(y2, 1, 2);

  lineWidthLabel = MakeValueLabel(body, QStringLiteral("lineWidthLabel"), QStringLiteral("1"));
  lineWidthLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lineWidthLabel->setFixedWidth(40);
  lineWidthUpDown = new QSpinBox(body);
  lineWidthUpDown->setObjectName(QStringLiteral("lineWidthUpDown"));
  lineWidthUpDown->setRange(0, 10);
  lineWidthUpDown->setValue(1);
  lineWidthUpDown->setFixedWidth(20);  // only its arrows show; the label shows the value
  StaticText33 = MakeSwatch(body, QStringLiteral("StaticText33"), Qt::white);
  auto* widthRow = new QHBoxLayout;
  widthRow->setSpacing(1);
  widthRow->addWidget(lineWidthLabel);
  widthRow->addWidget(lineWidthUpDown);
  widthRow->addSpacing(10);
  widthRow->addWidget(new QLabel(QStringLiteral("色指定"), body));
  widthRow->addWidget(StaticText33);
  widthRow->addStretch(1);
  form->addWidget(new QLabel(QStringLiteral("線の太さ"), body), 2, 0);
  form->addLayout(widthRow, 2, 1, 1, 2);

  ComboBox2 = new QComboBox(body);
  ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
  ComboBox2->setEditable(true);
  ComboBox2->addItems({QStringLiteral("実線"), QStringLiteral("破線"), QStringLiteral("点線"),
                       QStringLiteral("一点鎖線"), QStringLiteral("二点鎖線")});
  ComboBox2->setCurrentIndex(0);
  ComboBox3 = new QComboBox(body);
  ComboBox3->setObjectName(QStringLiteral("ComboBox3"));
  ComboBox3->setEditable(true);
  ComboBox3->addItems({QStringLiteral("枠"), QStringLiteral("塗り潰し"), QStringLiteral("水平"),
                       QStringLiteral("垂直"), QStringLiteral("クロス"), QStringLiteral("ハッチ")});
  ComboBox3->setCurrentIndex(1);
  form->addWidget(new QLabel(QStringLiteral("線種指定"), body), 3, 0);
  form->addWidget(ComboBox2, 3, 1);
  form->addWidget(ComboBox3, 3, 2);
  lower->addLayout(form);
  lower->addSpacing(8);

  NudgeButtons nudge =
      MakeNudgeButtons(body, QStringLiteral("PictButton20"), QStringLiteral("PictButton22"),
                       QStringLiteral("PictButton21"), QStringLiteral("PictButton23"));
  PictButton20 = nudge.up;
  PictButton22 = nudge.down;
  PictButton21 = nudge.left;
  PictButton23 = nudge.right;
  IconButton12 =
      MakeToolButton(body, QStringLiteral("IconButton12"), ToolIcon::Apply, QStringLiteral("適用"));
  IconButton17 = MakeToolButton(body, QStringLiteral("IconButton17"), ToolIcon::Clear,
                                QStringLiteral("クリア"));
  auto* side = new QGridLayout;
  side->setSpacing(3);
  side->addWidget(nudge.cross, 0, 0, 1, 2, Qt::AlignHCenter);
  side->addWidget(IconButton12, 1, 0);
  side->addWidget(IconButton17, 1, 1);
  lower->addLayout(side);
  lower->addStretch(1);
  column->addLayout(lower);
  column->addStretch(1);

  // Positions go into comma-separated records: no thousands separators.
  for (TNValEdit* edit : {x1, y1, x2, y2}) edit->setPutAComma(false);
  // The label shows the width the record gets; the arrows step it.
  connect(lineWidthUpDown, &QSpinBox::valueChanged, lineWidthLabel,
          [this](int width) { lineWidthLabel->setText(QString::number(width)); });
  for (QComboBox* box : {ComboBox2, ComboBox3}) box->setInsertPolicy(QComboBox::NoInsert);
  // Only the pattern box of the chosen kind is in use; the kind starts as 直線.
  ComboBox3->setEnabled(false);
  StaticText33->setFocusPolicy(Qt::StrongFocus);
  StaticText33->setCursor(Qt::PointingHandCursor);
  StaticText33->setToolTip(QStringLiteral("クリックして指定します"));

  leftArrow = MakePageArrow(tools, false);
  rightArrow = MakePageArrow(tools, true);
  tools->addHeaderWidget(leftArrow);
  tools->addHeaderWidget(rightArrow);

  panes->addPane(StrColGrid1);
  panes->addPane(tools);
  connect(rightArrow, &TPictButton::clicked, this, [this] { panes->moveToFront(StrColGrid1); });
  connect(leftArrow, &TPictButton::clicked, this, [this] { panes->moveToFront(toolsPane); });
}

}  // namespace kelvane
