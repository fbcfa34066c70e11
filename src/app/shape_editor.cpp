#include "app/shape_editor.h"

#include "app/message_boxes.h"
#include "app/pages/lines_page.h"
#include "app/style_commands.h"
#include "layout/layout_slots.h"
#include "styles/shape_record.h"
#include "styles/style_contents.h"
#include "text/layout_text.h"
#include "widgets/icon_button.h"
#include "widgets/nval_edit.h"
#include "widgets/pict_button.h"
#include "widgets/str_col_grid.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QSpinBox>

#include <cmath>

namespace kelvane {

namespace {

const QString kChooseFirst = QStringLiteral("調整する項目を左のリストから選択してください");
const QString kConfirm = QStringLiteral("確認");

QColor fromLayoutColour(quint32 bgr) {
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

quint32 toLayoutColour(const QColor& colour) {
  return quint32(colour.red()) | quint32(colour.green()) << 8 | quint32(colour.blue()) << 16;
}

qint64 fixedOf(const TNValEdit& edit) { return std::llround(edit.value() * 10000.0L); }
void setFixed(TNValEdit& edit, qint64 value) {
  edit.setValue(static_cast<long double>(value) / 10000.0L);
}

// The edit's text as a record field.
QByteArray fieldOf(const TNValEdit& edit) {
  return NumberFieldText(ToLayoutText(edit.text()), fixedOf(edit));
}

bool isEnter(QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<QKeyEvent*>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

ShapeEditor::ShapeEditor(LinesPage& page, EditorTools tools)
    : QObject(tools.window()), page_(page), tools_(tools) {
  N22 = new QAction(QStringLiteral("一行挿入"), this);
  N20 = new QAction(QStringLiteral("交　換"), this);
  N21 = new QAction(QStringLiteral("選択中の行を削除"), this);
  TStrColGrid* grid = page_.StrColGrid1;
  grid->setContextMenuPolicy(Qt::ActionsContextMenu);
  grid->addActions({N22, N20, N21});
  connectControls();
}

void ShapeEditor::connectControls() {
  TStrColGrid* grid = page_.StrColGrid1;
  connect(grid, &TStrColGrid::Click, this, &ShapeEditor::StrColGrid1Click);
  connect(grid, &TStrColGrid::RowMoved, this, &ShapeEditor::StrColGrid1RowMoved);
  connect(page_.IconButton12, &TIconButton::clicked, this, &ShapeEditor::ApplyShapeItem);
  connect(page_.IconButton17, &TIconButton::clicked, this, &ShapeEditor::IconButton17Click);
  connect(page_.HTMLRadioGroup2, &QButtonGroup::idClicked, this,
          [this](int) { HTMLRadioGroup2Click(); });
  for (QComboBox* box : {page_.ComboBox2, page_.ComboBox3}) {
    connect(box, &QComboBox::activated, this, [this](int) {
      if (!selecting_) ApplyShapeItem();
    });
    if (box->lineEdit()) box->lineEdit()->installEventFilter(this);
  }
  for (TNValEdit* edit : {page_.x1, page_.y1, page_.x2, page_.y2}) edit->installEventFilter(this);
  page_.StaticText33->installEventFilter(this);
  gridViewport_ = grid->viewport();
  grid->viewport()->installEventFilter(this);

  const auto nudge = [this](int dx, int dy) {
    return [this, dx, dy] { NudgeShape(dx, dy, QGuiApplication::keyboardModifiers()); };
  };
  connect(page_.PictButton20, &TPictButton::clicked, this, nudge(0, -1));
  connect(page_.PictButton22, &TPictButton::clicked, this, nudge(0, 1));
  connect(page_.PictButton21, &TPictButton::clicked, this, nudge(-1, 0));
  connect(page_.PictButton23, &TPictButton::clicked, this, nudge(1, 0));

  connect(N22, &QAction::triggered, this, &ShapeEditor::InsertShapeRow);
  connect(N20, &QAction::triggered, this, &ShapeEditor::ExchangeShapeRow);
  connect(N21, &QAction::triggered, this, &ShapeEditor::DeleteShapeRow);
}

void ShapeEditor::PickShapeRow(int row) {
  page_.StrColGrid1->SetRow(row);
  SelectShapeRow(row);
}

bool ShapeEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == gridViewport_) {
    // The right button opens the pop-up without moving the highlight, so
    // that its commands act on the row the highlight shows.
    const bool rightPress = (event->type() == QEvent::MouseButtonPress ||
                             event->type() == QEvent::MouseButtonDblClick) &&
                            static_cast<QMouseEvent*>(event)->button() == Qt::RightButton;
    return rightPress;
  }
  if (watched == page_.StaticText33) {
    const bool clicked = event->type() == QEvent::MouseButtonRelease &&
                         static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    const bool pressed =
        event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space;
    if (clicked || pressed || isEnter(event)) {
      StaticText33Click();
      return true;
    }
    return false;
  }
  // Enter in a position field or a typed pattern name applies at once.
  if (isEnter(event)) {
    ApplyShapeItem();
    return true;
  }
  return false;
}

void ShapeEditor::StrColGrid1Click() {
  const int row = page_.StrColGrid1->Row();
  if (row >= 1 && row <= slotmap::kShapeSlots) SelectShapeRow(row);
}

void ShapeEditor::SelectShapeRow(int row) {
  if (row < 1 || row > slotmap::kShapeSlots) return;
  selecting_ = true;
  selected_ = row;
  for (TNValEdit* edit : {page_.x1, page_.y1, page_.x2, page_.y2}) edit->setValue(0);
  page_.usageGroup->button(0)->setChecked(true);
  const auto read = ReadShapeRecord(tools_.document().line(slotmap::shapeLine(row)));
  if (!read) {
    selecting_ = false;
    tools_.boxes.info(
        QStringLiteral("%1行目の線・図形は読み込めません。\r\n%2").arg(row).arg(read.error()),
        kConfirm);
    return;
  }
  if (read->empty) {
    selecting_ = false;
    return;
  }
  const ShapeSelection& s = read.value();
  page_.usageGroup->button(s.usage)->setChecked(true);
  setFixed(*page_.x1, s.x1);
  setFixed(*page_.y1, s.y1);
  setFixed(*page_.x2, s.x2);
  setFixed(*page_.y2, s.y2);
  page_.lineWidthLabel->setText(FromLayoutText(s.width));
  {
    // The arrows go on from the width shown, when it is one of theirs.
    bool whole = false;
    const int width = page_.lineWidthLabel->text().toInt(&whole);
    const QSignalBlocker block(page_.lineWidthUpDown);
    if (whole && width >= page_.lineWidthUpDown->minimum() &&
        width <= page_.lineWidthUpDown->maximum()) {
      page_.lineWidthUpDown->setValue(width);
    }
  }
  colour_ = s.colour;
  showColour();
  if (s.kind == kShapeFilledBox) {
    page_.ComboBox3->setCurrentIndex(FillStyleIndex(s.styleName));
  } else {
    page_.ComboBox2->setEditText(FromLayoutText(s.styleName));
  }
  page_.HTMLRadioGroup2->button(s.kind)->setChecked(true);
  useKind(s.kind);
  selecting_ = false;
}

void ShapeEditor::useKind(int kind) {
  page_.ComboBox2->setEnabled(kind != kShapeFilledBox);
  page_.ComboBox3->setEnabled(kind == kShapeFilledBox);
}

void ShapeEditor::showColour() {
  QPalette palette = page_.StaticText33->palette();
  palette.setColor(QPalette::Window, fromLayoutColour(colour_));
  page_.StaticText33->setPalette(palette);
}

void ShapeEditor::ApplyShapeItem() {
  if (selecting_ || selected_ == 0) return;
  const int kind = std::max(0, page_.HTMLRadioGroup2->checkedId());
  ShapeValues v;
  v.kind = kind;
  v.usage = page_.usageGroup->checkedId() == 1 ? 1 : 0;
  v.x1 = fieldOf(*page_.x1);
  v.y1 = fieldOf(*page_.y1);
  v.x2 = fieldOf(*page_.x2);
  v.y2 = fieldOf(*page_.y2);
  v.width = ToLayoutText(page_.lineWidthLabel->text());
  const QComboBox* styleBox = kind == kShapeFilledBox ? page_.ComboBox3 : page_.ComboBox2;
  v.styleName = ToLayoutText(styleBox->currentText());
  v.colour = colour_;
  const QByteArray record = BuildShapeRecord(v);
  const auto change = tools_.edits.step(QStringLiteral("線の変更"));
  tools_.document().setLine(slotmap::shapeLine(selected_), record);

  // The row shows the record as written.
  TStrColGrid* grid = page_.StrColGrid1;
  const ShapeRow shown = ReadStyleContents(tools_.document()).shapes[selected_ - 1];
  grid->SetCells(1, selected_, FromLayoutText(shown.kindCaption));
  grid->SetCells(2, selected_, FromLayoutText(shown.corners));
  grid->SetCellColor(3, selected_, fromLayoutColour(colour_));
  grid->SetCells(4, selected_, FromLayoutText(shown.penStyle));
}

bool ShapeEditor::saysNothingSelected() {
  if (selected_ != 0) return false;
  tools_.boxes.info(kChooseFirst, kConfirm);
  return true;
}

void ShapeEditor::IconButton17Click() {
  if (saysNothingSelected()) return;
  for (TNValEdit* edit : {page_.x1, page_.y1, page_.x2, page_.y2}) edit->setValue(0);
  const auto change = tools_.edits.step(QStringLiteral("線のクリア"));
  tools_.document().setLine(slotmap::shapeLine(selected_), LayoutDocument::kEmptySlot);
  // The emptied row shows as empty, keyword and colour included.
  TStrColGrid* grid = page_.StrColGrid1;
  grid->SetRowTexts(selected_, {QString(), QString(), QString(), QString(), QString(), QString()});
  grid->SetCellColor(3, selected_, Qt::white);
}

void ShapeEditor::HTMLRadioGroup2Click() {
  if (selecting_) return;
  useKind(std::max(0, page_.HTMLRadioGroup2->checkedId()));
  ApplyShapeItem();
}

void ShapeEditor::StaticText33Click() {
  if (!tools_.dialogs.chooseColour) return;
  const auto chosen = tools_.dialogs.chooseColour(tools_.window(), fromLayoutColour(colour_));
  if (!chosen || !chosen->isValid()) return;
  colour_ = toLayoutColour(*chosen);
  showColour();
  ApplyShapeItem();
}

void ShapeEditor::NudgeShape(int dx, int dy, Qt::KeyboardModifiers modifiers) {
  const qint64 step =
      NudgeStep(modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier));
  const auto move = [step](TNValEdit* edit, int direction) {
    setFixed(*edit, NudgedValue(fixedOf(*edit), direction * step));
  };
  if (dx != 0) {
    move(page_.x1, dx);
    move(page_.x2, dx);
  }
  if (dy != 0) {
    move(page_.y1, dy);
    move(page_.y2, dy);
  }
  const auto change = tools_.edits.step(QStringLiteral("線の移動"));
  ApplyShapeItem();
}

void ShapeEditor::RebuildShapeList() {
  FillShapeList(*page_.StrColGrid1, ReadStyleContents(tools_.document()));
}

void ShapeEditor::InsertShapeRow() {
  if (saysNothingSelected()) return;
  {
    const auto change = tools_.edits.step(QStringLiteral("線の行挿入"));
    kelvane::InsertShapeRow(tools_.document(), selected_);
  }
  RebuildShapeList();
  SelectShapeRow(selected_);
}

void ShapeEditor::ExchangeShapeRow() {
  if (saysNothingSelected()) return;
  if (selected_ == slotmap::kShapeSlots) {
    // Below the last row lies a line the list does not show; it stays.
    tools_.boxes.info(QStringLiteral("最後の行は、下の行と交換できません。"), kConfirm);
    return;
  }
  {
    const auto change = tools_.edits.step(QStringLiteral("線の交換"));
    ExchangeShapeRows(tools_.document(), selected_, selected_ + 1);
  }
  RebuildShapeList();
  SelectShapeRow(selected_);
}

void ShapeEditor::DeleteShapeRow() {
  if (saysNothingSelected()) return;
  {
    const auto change = tools_.edits.step(QStringLiteral("線の削除"));
    kelvane::DeleteShapeRow(tools_.document(), selected_);
  }
  RebuildShapeList();
  SelectShapeRow(selected_);
}

void ShapeEditor::StrColGrid1RowMoved(int from, int to) {
  {
    const auto change = tools_.edits.step(QStringLiteral("線の並べ替え"));
    ExchangeShapeRows(tools_.document(), from, to);
  }
  // The list moved the rows between as well; it shows the layout again.
  RebuildShapeList();
  page_.StrColGrid1->SetRow(to);
  SelectShapeRow(to);
}

}  // namespace kelvane
