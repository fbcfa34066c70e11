#include "app/pages/images_page.h"

#include "app/pages/page_parts.h"
#include "app/pages/pane_row.h"
#include "widgets/icon_button.h"
#include "widgets/nval_edit.h"
#include "widgets/pict_button.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvane {

namespace {

// The tools' place in the design order: after an overview that ends before it.
constexpr int kToolsPosition = 500;

QLabel* SmallTitle(QWidget* parent, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

}  // namespace

ImagesPage::ImagesPage(QWidget* parent) : QWidget(parent) {
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(0, 0, 0, 0);
  panes = new PaneRow(this);
  page->addWidget(panes);

  // ---- the overview
  auto* list = new PaneBox(QStringLiteral("画像"), this);
  listPane = list;
  QWidget* body = list->body();
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(6, 3, 6, 3);
  column->setSpacing(2);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(1);
  grid->addWidget(SmallTitle(body, QStringLiteral("X(mm)")), 0, 2);
  grid->addWidget(SmallTitle(body, QStringLiteral("Y(mm)")), 0, 3);
  grid->addWidget(SmallTitle(body, QStringLiteral("ファイル")), 0, 4);
  for (int i = 0; i < 8; ++i) {
    const int line = SlotLine(i);
    // A gap between the images printed before and after the lines.
    const int row = i < 4 ? i + 1 : i + 2;
    grid->addWidget(new QLabel(QStringLiteral("画  像%1").arg(i + 1), body), row, 0);
    selectButtons[i] = new QPushButton(QStringLiteral("設定"), body);
    selectButtons[i]->setObjectName(QStringLiteral("Button20_%1").arg(line));
    selectButtons[i]->setProperty("line", line);
    selectButtons[i]->setFixedSize(44, 20);
    ix[i] = MakeValueLabel(body, QStringLiteral("ix%1").arg(line), QString());
    iy[i] = MakeValueLabel(body, QStringLiteral("iy%1").arg(line), QString());
    im[i] = MakeValueLabel(body, QStringLiteral("im%1").arg(line), QString());
    for (QLabel* label : {ix[i], iy[i], im[i]}) label->setFixedHeight(20);
    ix[i]->setFixedWidth(52);
    iy[i]->setFixedWidth(52);
    im[i]->setFixedWidth(230);
    grid->addWidget(selectButtons[i], row, 1);
    grid->addWidget(ix[i], row, 2);
    grid->addWidget(iy[i], row, 3);
    grid->addWidget(im[i], row, 4);
  }
  grid->setRowMinimumHeight(5, 4);
  column->addLayout(grid);
  column->addStretch(1);
  auto* note =
      new QLabel(QStringLiteral("上段…線、図形よりも先に印刷　下段…線、図形よりも後に印刷"), body);
  note->setObjectName(QStringLiteral("imageOrderNote"));
  column->addWidget(note);

  // ---- the image editor
  auto* tools = new PaneBox(QStringLiteral("画像設定"), this);
  toolsPane = tools;
  QWidget* tb = tools->body();
  auto* form = new QGridLayout(tb);
  form->setContentsMargins(6, 4, 6, 4);
  form->setHorizontalSpacing(6);
  form->setVerticalSpacing(3);
  ChkBoxStr3 = new QCheckBox(QStringLiteral("プレビュ－のみ"), tb);
  ChkBoxStr3->setObjectName(QStringLiteral("ChkBoxStr3"));
  form->addWidget(ChkBoxStr3, 0, 0, 1, 4);
  imageX = MakeMeasureEdit(tb, QStringLiteral("imageX"));
  imageY = MakeMeasureEdit(tb, QStringLiteral("imageY"));
  imageWidth = MakeMeasureEdit(tb, QStringLiteral("imageWidth"));
  imageHeight = MakeMeasureEdit(tb, QStringLiteral("imageHeight"));
  for (TNValEdit* edit : {imageX, imageY, imageWidth, imageHeight}) edit->setValue(10);
  form->addWidget(new QLabel(QStringLiteral("位置(X mm)"), tb), 1, 0);
  form->addWidget(imageX, 1, 1);
  form->addWidget(new QLabel(QStringLiteral("位置(Y mm)"), tb), 1, 2);
  form->addWidget(imageY, 1, 3);
  form->addWidget(new QLabel(QStringLiteral("SIZE(X mm)"), tb), 2, 0);
  form->addWidget(imageWidth, 2, 1);
  form->addWidget(new QLabel(QStringLiteral("SIZE(Y mm)"), tb), 2, 2);
  form->addWidget(imageHeight, 2, 3);

  imageFileLabel = MakeValueLabel(tb, QStringLiteral("imageFileLabel"), QString());
  imageFileLabel->setFixedHeight(20);
  form->addWidget(imageFileLabel, 3, 0, 1, 5);

  imagePanel = new QLabel(tb);
  imagePanel->setObjectName(QStringLiteral("imagePanel"));
  imagePanel->setFrameShape(QFrame::Panel);
  imagePanel->setFrameShadow(QFrame::Sunken);
  imagePanel->setFixedSize(130, 100);
  NudgeButtons nudge =
      MakeNudgeButtons(tb, QStringLiteral("PictButton16"), QStringLiteral("PictButton18"),
                       QStringLiteral("PictButton17"), QStringLiteral("PictButton19"));
  PictButton16 = nudge.up;
  PictButton18 = nudge.down;
  PictButton17 = nudge.left;
  PictButton19 = nudge.right;
  IconButton9 = MakeToolButton(tb, QStringLiteral("IconButton9"), ToolIcon::Picture,
                               QStringLiteral("画像ファイル"));
  IconButton4 =
      MakeToolButton(tb, QStringLiteral("IconButton4"), ToolIcon::Apply, QStringLiteral("適用"));
  IconButton16 =
      MakeToolButton(tb, QStringLiteral("IconButton16"), ToolIcon::Clear, QStringLiteral("削除"));
  auto* bottom = new QHBoxLayout;
  bottom->setSpacing(4);
  bottom->addWidget(imagePanel);
  bottom->addWidget(nudge.cross, 0, Qt::AlignBottom);
  bottom->addStretch(1);
  auto* icons = new QVBoxLayout;
  icons->setSpacing(2);
  icons->addStretch(1);
  icons->addWidget(IconButton9);
  icons->addWidget(IconButton4);
  icons->addWidget(IconButton16);
  bottom->addLayout(icons);
  form->addLayout(bottom, 4, 0, 1, 5);
  form->setRowStretch(5, 1);

  // Positions and sizes go into comma-separated records: no thousands
  // separators.
  for (TNValEdit* edit : {imageX, imageY, imageWidth, imageHeight}) edit->setPutAComma(false);
  imagePanel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  listArrow = MakePageArrow(list);
  toolsArrow = MakePageArrow(tools);
  list->addHeaderWidget(listArrow);
  tools->addHeaderWidget(toolsArrow);

  panes->addPane(list);
  panes->addPane(tools);
  connect(listArrow, &TPictButton::clicked, this, [this] { panes->moveToFront(toolsPane); });
  connect(toolsArrow, &TPictButton::clicked, this, [this] {
    panes->moveToFront(listPane);
    panes->moveToPosition(toolsPane, kToolsPosition);
  });
}

}  // namespace kelvane
