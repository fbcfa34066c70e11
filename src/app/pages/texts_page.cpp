#include "app/pages/texts_page.h"

#include "app/pages/page_parts.h"
#include "app/pages/pane_row.h"
#include "widgets/icon_button.h"
#include "widgets/nval_edit.h"
#include "widgets/pict_button.h"
#include "widgets/str_col_grid.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvane {

TextsPage::TextsPage(QWidget* parent) : QWidget(parent) {
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(0, 0, 0, 0);
  panes = new PaneRow(this);
  page->addWidget(panes);

  // ---- the list; column 0 is the handle rows are dragged by
  StrColGrid3 = new TStrColGrid(this);
  StrColGrid3->setObjectName(QStringLiteral("StrColGrid3"));
  StrColGrid3->SetColCount(2);
  StrColGrid3->SetRowCount(101);
  StrColGrid3->SetFixedRows(1);
  StrColGrid3->SetFixedCols(1);
  StrColGrid3->SetOptions((DefaultGridOptions() & ~GridOptions(GridOption::RangeSelect)) |
                          GridOption::RowSelect | GridOption::RowMoving);
  StrColGrid3->SetDefaultRowHeight(18);
  StrColGrid3->SetRowHeights(0, 18);
  StrColGrid3->SetColWidths(0, 12);
  StrColGrid3->SetColWidths(1, 380);
  StrColGrid3->SetCells(1, 0, QStringLiteral("文字"));
  StrColGrid3->setFixedWidth(420);

  // ---- the free text editor
  auto* tools = new PaneBox(QStringLiteral("設　定"), this);
  toolsPane = tools;
  QWidget* body = tools->body();
  TextRecordEditor editor =
      BuildTextRecordEditor(body, {.previewOnly = QStringLiteral("previewOnlyBox"),
                                   .vertical = QStringLiteral("verticalBox"),
                                   .x = QStringLiteral("textX"),
                                   .y = QStringLiteral("textY"),
                                   .fontButton = QStringLiteral("Button19"),
                                   .spacing = QStringLiteral("NValEditC4"),
                                   .swatch = QStringLiteral("Panel38"),
                                   .up = QStringLiteral("PictButton24"),
                                   .down = QStringLiteral("PictButton26"),
                                   .left = QStringLiteral("PictButton25"),
                                   .right = QStringLiteral("PictButton27"),
                                   .apply = QStringLiteral("IconButton2"),
                                   .reset = QStringLiteral("IconButton21"),
                                   .text = QStringLiteral("Edit1"),
                                   .fitWidth = QStringLiteral("textWidth"),
                                   .fitAlign = QStringLiteral("textAlign")});
  previewOnlyBox = editor.previewOnly;
  verticalBox = editor.vertical;
  textX = editor.x;
  textY = editor.y;
  fontNameLabel = editor.fontName;
  fontSizeLabel = editor.fontSize;
  decorationLabel = editor.decoration;
  Button19 = editor.fontButton;
  NValEditC4 = editor.spacing;
  Panel38 = editor.swatch;
  PictButton24 = editor.nudge.up;
  PictButton26 = editor.nudge.down;
  PictButton25 = editor.nudge.left;
  PictButton27 = editor.nudge.right;
  IconButton2 = editor.apply;
  IconButton21 = editor.reset;
  textWidth = editor.fitWidth;
  textAlign = editor.fitAlign;

  Edit1 = editor.text;

  leftArrow = MakePageArrow(tools, false);
  rightArrow = MakePageArrow(tools, true);
  tools->addHeaderWidget(leftArrow);
  tools->addHeaderWidget(rightArrow);

  panes->addPane(StrColGrid3);
  panes->addPane(tools);
  connect(rightArrow, &TPictButton::clicked, this, [this] { panes->moveToFront(StrColGrid3); });
  connect(leftArrow, &TPictButton::clicked, this, [this] { panes->moveToFront(toolsPane); });
}

}  // namespace kelvane
