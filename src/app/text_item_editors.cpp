#include "app/text_item_editors.h"

#include "app/message_boxes.h"
#include "app/pages/company_info_page.h"
#include "app/pages/page_parts.h"
#include "app/pages/positions_page.h"
#include "app/pages/texts_page.h"
#include "layout/field_cursor.h"
#include "layout/layout_slots.h"
#include "layout/text_fit.h"
#include "receipt/registration_number.h"
#include "styles/style_contents.h"
#include "text/fixed_point.h"
#include "text/layout_text.h"
#include "widgets/icon_button.h"
#include "widgets/nval_edit.h"
#include "widgets/pict_button.h"
#include "widgets/str_col_grid.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace kelvane {

namespace {

const QString kConfirm = QStringLiteral("確認");
const QString kBold = QStringLiteral("太字");
const QString kItalic = QStringLiteral("斜体");
const QString kBoldItalic = QStringLiteral("太字斜体");

bool isEnter(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool isLeftRelease(const QEvent* event) {
  return event->type() == QEvent::MouseButtonRelease &&
         static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton;
}

// The swatch keeps the record's colour number as it was read or chosen, so
// that a colour the palette cannot show exactly is written back unchanged.
int swatchColour(const QLabel* swatch) { return swatch->property("colour").toInt(); }

QColor shownColour(int layoutColour) {
  return QColor(layoutColour & 0xFF, (layoutColour >> 8) & 0xFF, (layoutColour >> 16) & 0xFF);
}

void setSwatchColour(QLabel* swatch, int layoutColour) {
  swatch->setProperty("colour", layoutColour);
  QPalette palette = swatch->palette();
  palette.setColor(QPalette::Window, shownColour(layoutColour));
  swatch->setPalette(palette);
}

int layoutColourOf(const QColor& colour) {
  return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

// Millimetres × 10000 <-> the value of a measure edit.
qint64 fixedOf(const TNValEdit* edit) { return std::llround(edit->value() * 10000.0L); }
long double measureOf(qint64 fixedValue) { return static_cast<long double>(fixedValue) / 10000.0L; }

// A fixed value as a plain decimal: "-12.5", "0".
QByteArray decimalText(qint64 value) {
  QByteArray text = value < 0 ? "-" : "";
  const quint64 magnitude = value < 0 ? 0 - static_cast<quint64>(value) : value;
  text += QByteArray::number(magnitude / fixed::kOne);
  QByteArray decimals = QByteArray::number(magnitude % fixed::kOne).rightJustified(4, '0');
  while (decimals.endsWith('0')) decimals.chop(1);
  if (!decimals.isEmpty()) text += "." + decimals;
  return text;
}

// What an edit shows, as the record takes it. While an entry is open the
// text may be a lone minus: then the value the edit holds is written.
QByteArray shownNumber(const QString& shown, qint64 fixedValue) {
  const QByteArray text = ToLayoutText(shown).trimmed();
  if (fixed::parse(text)) return text;
  return decimalText(fixedValue);
}

}  // namespace

TextItemEditors::TextItemEditors(PositionsPage& positions, TextsPage& texts,
                                 CompanyInfoPage& company, EditorTools tools)
    : QObject(tools.window()),
      positions_(positions),
      texts_(texts),
      company_(company),
      tools_(tools) {
  PositionsPage* p = &positions;
  position_ = {p->ChkBoxStr2,    p->ChkBoxStr1,    p->positionX,       p->positionY,
               p->fontNameLabel, p->fontSizeLabel, p->decorationLabel, p->Button18,
               p->NValEditC3,    p->Panel28,       p->PictButton12,    p->PictButton14,
               p->PictButton13,  p->PictButton15,  p->IconButton3,     p->IconButton8,
               nullptr,          p->positionWidth, p->positionAlign};
  TextsPage* t = &texts;
  text_ = {t->previewOnlyBox, t->verticalBox,   t->textX,           t->textY,
           t->fontNameLabel,  t->fontSizeLabel, t->decorationLabel, t->Button19,
           t->NValEditC4,     t->Panel38,       t->PictButton24,    t->PictButton26,
           t->PictButton25,   t->PictButton27,  t->IconButton2,     t->IconButton21,
           t->Edit1,          t->textWidth,     t->textAlign};
  enableControls();
  connectPositionEditor();
  connectTextEditor();
  connectList();
  connectCaptions();
}

void TextItemEditors::enableControls() {
  for (const Controls* c : {&position_, &text_}) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             c->previewOnly, c->vertical, c->x, c->y, c->fontName, c->fontSize, c->decoration,
             c->fontButton, c->spacing, c->swatch, c->up, c->down, c->left, c->right, c->apply,
             c->reset, c->fitWidth, c->fitAlign}) {
      w->setEnabled(true);
    }
    c->swatch->setCursor(Qt::PointingHandCursor);
    setSwatchColour(c->swatch, 0);
  }
  text_.text->setEnabled(true);
  // Enter in these moves on to the next control; elsewhere it applies.
  for (TNValEdit* edit : {position_.x, position_.y, text_.y}) edit->setEnterNext(true);
  for (QLabel* caption : positions_.placedCaptions) {
    caption->setEnabled(true);
    caption->setCursor(Qt::PointingHandCursor);
  }
  for (QLabel* label : company_.data) label->setCursor(Qt::PointingHandCursor);
}

void TextItemEditors::connectPositionEditor() {
  const Controls& c = position_;
  connect(c.apply, &TIconButton::clicked, this, &TextItemEditors::ApplyPositionItem);
  connect(c.reset, &TIconButton::clicked, this, &TextItemEditors::ResetPositionItem);
  connect(c.fontButton, &QPushButton::clicked, this, &TextItemEditors::choosePositionFont);
  // Only the user's click applies; setting the boxes on selection does not.
  connect(c.vertical, &QCheckBox::clicked, this, &TextItemEditors::ApplyPositionItem);
  connect(c.previewOnly, &QCheckBox::clicked, this, &TextItemEditors::ApplyPositionItem);
  const std::pair<TPictButton*, NudgeDirection> arrows[] = {{c.up, NudgeDirection::Up},
                                                            {c.down, NudgeDirection::Down},
                                                            {c.left, NudgeDirection::Left},
                                                            {c.right, NudgeDirection::Right}};
  for (const auto& [button, direction] : arrows) {
    connect(button, &TPictButton::clicked, this,
            [this, d = direction] { nudgePosition(d, QGuiApplication::keyboardModifiers()); });
  }
  c.spacing->installEventFilter(this);
  c.swatch->installEventFilter(this);
  c.fitWidth->installEventFilter(this);
  connect(c.fitAlign, &QComboBox::activated, this, &TextItemEditors::ApplyPositionItem);
}

void TextItemEditors::connectTextEditor() {
  const Controls& c = text_;
  connect(c.apply, &TIconButton::clicked, this, &TextItemEditors::ApplyTextItem);
  connect(c.reset, &TIconButton::clicked, this, &TextItemEditors::ResetTextItem);
  connect(c.fontButton, &QPushButton::clicked, this, &TextItemEditors::chooseTextFont);
  const std::pair<TPictButton*, NudgeDirection> arrows[] = {{c.up, NudgeDirection::Up},
                                                            {c.down, NudgeDirection::Down},
                                                            {c.left, NudgeDirection::Left},
                                                            {c.right, NudgeDirection::Right}};
  for (const auto& [button, direction] : arrows) {
    connect(button, &TPictButton::clicked, this,
            [this, d = direction] { nudgeText(d, QGuiApplication::keyboardModifiers()); });
  }
  for (QWidget* w : std::initializer_list<QWidget*>{c.text, c.x, c.spacing, c.swatch, c.fitWidth})
    w->installEventFilter(this);
  connect(c.fitAlign, &QComboBox::activated, this, &TextItemEditors::ApplyTextItem);
}

void TextItemEditors::connectList() {
  TStrColGrid* grid = texts_.StrColGrid3;
  connect(grid, &TStrColGrid::Click, this, [this, grid] { StrColGrid3Click(grid->Row()); });
  connect(grid, &TStrColGrid::RowMoved, this, &TextItemEditors::StrColGrid3RowMoved);

  textListMenu = new QMenu(grid);
  N52 = textListMenu->addAction(QStringLiteral("一行挿入"));
  N53 = textListMenu->addAction(QStringLiteral("交　換"));
  N54 = textListMenu->addAction(QStringLiteral("選択中の行を削除"));
  grid->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(grid, &QWidget::customContextMenuRequested, this, [this, grid](const QPoint& at) {
    textListMenu->popup(grid->viewport()->mapToGlobal(at));
  });
  connect(N52, &QAction::triggered, this, &TextItemEditors::InsertTextRow);
  connect(N53, &QAction::triggered, this, &TextItemEditors::ExchangeTextRow);
  connect(N54, &QAction::triggered, this, &TextItemEditors::DeleteTextRow);
}

void TextItemEditors::connectCaptions() {
  for (QLabel* caption : positions_.placedCaptions) caption->installEventFilter(this);
  for (QLabel* label : company_.data) label->installEventFilter(this);
}

void TextItemEditors::PickTextRow(int row) {
  texts_.StrColGrid3->SetRow(row);
  StrColGrid3Click(row);
}

bool TextItemEditors::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::MouseButtonPress &&
      type != QEvent::MouseButtonRelease) {
    return false;
  }
  if (isEnter(event)) {
    if (watched == position_.spacing || watched == position_.fitWidth) {
      ApplyPositionItem();
      return true;
    }
    if (watched == text_.text || watched == text_.x || watched == text_.spacing ||
        watched == text_.fitWidth) {
      ApplyTextItem();
      return true;
    }
    return false;
  }
  if (isLeftRelease(event) && watched == position_.swatch) {
    choosePositionColour();
    return true;
  }
  if (isLeftRelease(event) && watched == text_.swatch) {
    chooseTextColour();
    return true;
  }
  auto* label = qobject_cast<QLabel*>(watched);
  if (!label) return false;
  const auto& company = company_.data;
  for (int i = 0; i < int(company.size()); ++i) {
    if (company[i] != label) continue;
    if (!isLeftRelease(event)) return false;
    if (label->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
      data228Click(slotmap::companyLine(i));
    return true;
  }
  const auto& captions = positions_.placedCaptions;
  if (std::find(captions.begin(), captions.end(), label) == captions.end()) return false;
  const auto* mouse = static_cast<QMouseEvent*>(event);
  if (mouse->button() != Qt::LeftButton) return false;
  // The caption sinks by a pixel while it is held down.
  if (type == QEvent::MouseButtonPress) {
    pressedCaption_ = label;
    label->move(label->pos() + QPoint(1, 1));
    return true;
  }
  if (type == QEvent::MouseButtonRelease && pressedCaption_ == label) {
    pressedCaption_ = nullptr;
    label->move(label->pos() - QPoint(1, 1));
    if (label->rect().contains(mouse->position().toPoint()))
      where01Click(label->property("item").toInt());
    return true;
  }
  return false;
}

// ---- shared by both editors

void TextItemEditors::resetControls(const Controls& c, const QString& size) {
  c.x->setValue(0);
  c.y->setValue(0);
  c.fontName->clear();
  c.fontSize->setText(size);
  c.decoration->clear();
  c.spacing->setValueUnits(0);
  c.fitWidth->setValue(0);
  c.fitAlign->setCurrentIndex(0);
}

void TextItemEditors::showFit(const Controls& c, int line) {
  const std::optional<TextFit> fit = FitOf(tools_.document(), line);
  c.fitWidth->setValue(fit ? measureOf(fit->width) : 0);
  c.fitAlign->setCurrentIndex(static_cast<int>(fit ? fit->align : TextAlign::Left));
}

void TextItemEditors::writeFit(const Controls& c, int line) {
  const qint64 width = fixedOf(c.fitWidth);
  std::optional<TextFit> fit;
  if (width > 0) fit = TextFit{width, static_cast<TextAlign>(c.fitAlign->currentIndex())};
  SetFit(tools_.document(), line, fit);
}

void TextItemEditors::fillControls(const Controls& c, const TextRecordValues& v) {
  c.previewOnly->setChecked(v.previewOnly);
  c.x->setValue(measureOf(v.x));
  c.y->setValue(measureOf(v.y));
  c.fontName->setText(FromLayoutText(v.fontName));
  c.fontSize->setText(FromLayoutText(v.fontSize));
  c.decoration->setText(FromLayoutText(v.decoration));
  c.spacing->setValueUnits(v.spacing);
  c.vertical->setChecked(v.vertical);
  setSwatchColour(c.swatch, v.colour);
}

TextRecordEntry TextItemEditors::entryOf(const Controls& c) {
  TextRecordEntry e;
  e.previewOnly = c.previewOnly->isChecked();
  e.x = shownNumber(c.x->text(), fixedOf(c.x));
  e.y = shownNumber(c.y->text(), fixedOf(c.y));
  e.fontName = ToLayoutText(c.fontName->text());
  e.fontSize = ToLayoutText(c.fontSize->text());
  e.decoration = ToLayoutText(c.decoration->text());
  e.spacing = shownNumber(c.spacing->text(), c.spacing->valueUnits());
  e.vertical = c.vertical->isChecked();
  e.colour = swatchColour(c.swatch);
  return e;
}

TextItemEditors::Selection TextItemEditors::readInto(const Controls& c, int line,
                                                     const QString& what) {
  auto read = ReadTextRecord(tools_.document().line(line));
  if (!read) {
    tools_.boxes.info(
        QStringLiteral("「%1」の文字データを読めません。\r\n%2\r\n"
                       "レイアウトは変更していません。適用すると、今の設定がこの項目に"
                       "書き込まれます。")
            .arg(what, read.error()),
        kConfirm);
    return Selection::Unreadable;
  }
  if (!read->has_value()) return Selection::NotText;
  const TextRecordValues& values = **read;
  fillControls(c, values);
  if (c.text) {
    c.text->setText(FromLayoutText(values.text));
  } else {
    heldText_ = values.text;
  }
  return Selection::Filled;
}

// The labels show what was written, defaults included.
void TextItemEditors::showWritten(const Controls& c, const QByteArray& record) {
  auto written = ReadTextRecord(record);
  if (!written || !written->has_value()) return;
  c.fontName->setText(FromLayoutText((*written)->fontName));
  c.fontSize->setText(FromLayoutText((*written)->fontSize));
}

bool TextItemEditors::chooseFont(const Controls& c, bool strictSize) {
  std::optional<int> size = fixed::parseWhole(ToLayoutText(c.fontSize->text()));
  if (!size) {
    if (strictSize) {
      tools_.boxes.info(QStringLiteral("文字サイズの「%1」は整数として読めません。\r\n"
                                       "フォントを選ぶ前に、項目を選び直すかリセットしてください。")
                            .arg(c.fontSize->text()),
                        kConfirm);
      return false;
    }
    size = 10;
  }
  FontChoice initial;
  initial.family = c.fontName->text();
  initial.pointSize = *size;
  const QString decoration = c.decoration->text();
  initial.bold = decoration == kBold || decoration == kBoldItalic;
  initial.italic = decoration == kItalic || decoration == kBoldItalic;
  initial.colour = swatchColour(c.swatch);
  if (const auto chosen = tools_.dialogs.chooseFont(tools_.window(), initial)) {
    c.fontName->setText(chosen->family);
    c.fontSize->setText(QString::number(chosen->pointSize));
    setSwatchColour(c.swatch, chosen->colour);
    c.decoration->setText(FromLayoutText(
        DecorationOf(chosen->bold, chosen->italic, chosen->underline, chosen->strikeOut)));
  }
  return true;
}

bool TextItemEditors::chooseColour(const Controls& c) {
  const auto chosen =
      tools_.dialogs.chooseColour(tools_.window(), shownColour(swatchColour(c.swatch)));
  if (!chosen || !chosen->isValid()) return false;
  setSwatchColour(c.swatch, layoutColourOf(*chosen));
  return true;
}

void TextItemEditors::nudge(const Controls& c, NudgeDirection direction,
                            Qt::KeyboardModifiers modifiers) {
  const qint64 step =
      TextNudgeStep(modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier));
  TNValEdit* edit = NudgesX(direction) ? c.x : c.y;
  edit->setValue(measureOf(Nudged(fixedOf(edit), direction, step)));
}

void TextItemEditors::sayNothingSelected() {
  tools_.boxes.info(QStringLiteral("調整する項目を左のリストから選択してください"), kConfirm);
}

// ---- the position editor

void TextItemEditors::where01Click(int item) {
  const int line = slotmap::itemLine(item);
  if (!slotmap::isItemLine(line)) return;
  QLabel* caption = positions_.placedCaption(line);
  positions_.positionTitle->setText(QStringLiteral("[%1] 印刷位置調整").arg(caption->text()));
  showPositionItem(line, caption->text());
}

TextItemEditors::Selection TextItemEditors::showPositionItem(int line, const QString& what) {
  positionLine_ = line;
  resetControls(position_, QStringLiteral("0"));
  position_.swatch->clear();
  heldText_.clear();
  showFit(position_, line);
  return readInto(position_, line, what);
}

void TextItemEditors::data228Click(int line) {
  QLabel* label = company_.dataLabel(line);
  if (!label) return;
  positions_.positionTitle->setText(label->text());
  position_.previewOnly->setChecked(false);
  const QString what = CompanyInfoCaptions()[slotmap::companyIndex(line)];
  if (showPositionItem(line, what) != Selection::Filled) return;
  auto typed = tools_.dialogs.askText(tools_.window(), QStringLiteral("ネムリカ"),
                                      QStringLiteral("自社情報入力"), label->text());
  if (!typed) return;
  if (line == slotmap::kRegistrationNumber) {
    typed = acceptedRegistrationNumber(*typed);
    if (!typed) return;
  }
  label->setText(*typed);
  heldText_ = ToLayoutText(*typed);
  const auto change = tools_.edits.step(QStringLiteral("自社情報の入力"));
  ApplyPositionItem();
}

std::optional<QString> TextItemEditors::acceptedRegistrationNumber(const QString& typed) {
  const auto number = NormaliseRegistrationNumber(typed);
  if (!number) {
    tools_.boxes.info(number.error() + QStringLiteral("\r\n登録番号は変更していません。"),
                      kConfirm);
    return std::nullopt;
  }
  // A sole proprietor's number is no corporate number: asked, not refused.
  if (!number->isEmpty() && !HasCorporateCheckDigit(*number) &&
      tools_.boxes.confirm(CheckDigitWarning(*number), QStringLiteral("はい"),
                           QStringLiteral("いいえ"), BoxDefault::Second) != kBoxFirstButton) {
    return std::nullopt;
  }
  return *number;
}

void TextItemEditors::ApplyPositionItem() {
  if (positionLine_ == 0) {
    sayNothingSelected();
    return;
  }
  TextRecordEntry entry = entryOf(position_);
  entry.text = heldText_;
  const QByteArray record = BuildTextRecord(entry, TextEditorKind::Position);
  const auto change = tools_.edits.step(QStringLiteral("印字位置の変更"));
  tools_.document().setLine(positionLine_, record);
  writeFit(position_, positionLine_);
  showWritten(position_, record);
  heldText_ = CharRecordText(record);
  if (QLabel* label = company_.dataLabel(positionLine_)) label->setText(FromLayoutText(heldText_));
}

void TextItemEditors::ResetPositionItem() {
  if (positionLine_ == 0) {
    sayNothingSelected();
    return;
  }
  resetControls(position_, QStringLiteral("0"));
  position_.swatch->clear();
  heldText_.clear();
  const auto change = tools_.edits.step(QStringLiteral("印字位置のリセット"));
  tools_.document().setLine(positionLine_, kResetTextRecord);
  SetFit(tools_.document(), positionLine_, std::nullopt);
  if (QLabel* label = company_.dataLabel(positionLine_)) label->clear();
}

void TextItemEditors::choosePositionFont() {
  if (chooseFont(position_, true)) ApplyPositionItem();
}

void TextItemEditors::choosePositionColour() {
  if (chooseColour(position_)) ApplyPositionItem();
}

void TextItemEditors::nudgePosition(NudgeDirection direction, Qt::KeyboardModifiers modifiers) {
  nudge(position_, direction, modifiers);
  const auto change = tools_.edits.step(QStringLiteral("印字位置の移動"));
  ApplyPositionItem();
}

// ---- the free text editor

void TextItemEditors::StrColGrid3Click(int row) {
  if (row < 1 || row > slotmap::kTextSlots) return;
  textLine_ = slotmap::textLine(row);
  text_.text->clear();
  resetControls(text_, QString());
  text_.previewOnly->setChecked(false);
  showFit(text_, textLine_);
  readInto(text_, textLine_, QStringLiteral("%1行目").arg(row));
}

void TextItemEditors::ApplyTextItem() {
  if (textLine_ == 0) {
    sayNothingSelected();
    return;
  }
  TextRecordEntry entry = entryOf(text_);
  entry.text = ToLayoutText(text_.text->text());
  const QByteArray record = BuildTextRecord(entry, TextEditorKind::FreeText);
  const auto change = tools_.edits.step(QStringLiteral("文字の変更"));
  tools_.document().setLine(textLine_, record);
  writeFit(text_, textLine_);
  showWritten(text_, record);
  texts_.StrColGrid3->SetCells(1, textLine_ - slotmap::textLine(0),
                               FromLayoutText(CharRecordText(record)));
}

void TextItemEditors::ResetTextItem() {
  if (textLine_ == 0) {
    sayNothingSelected();
    return;
  }
  text_.text->clear();
  resetControls(text_, QString());
  text_.previewOnly->setChecked(false);
  text_.swatch->clear();
  texts_.StrColGrid3->SetCells(1, textLine_ - slotmap::textLine(0), QString());
  const auto change = tools_.edits.step(QStringLiteral("文字のリセット"));
  tools_.document().setLine(textLine_, kResetTextRecord);
  SetFit(tools_.document(), textLine_, std::nullopt);
}

void TextItemEditors::chooseTextFont() {
  if (chooseFont(text_, false)) ApplyTextItem();
}

void TextItemEditors::chooseTextColour() {
  if (chooseColour(text_)) ApplyTextItem();
}

void TextItemEditors::nudgeText(NudgeDirection direction, Qt::KeyboardModifiers modifiers) {
  nudge(text_, direction, modifiers);
  const auto change = tools_.edits.step(QStringLiteral("文字の移動"));
  ApplyTextItem();
}

// ---- the free text list

void TextItemEditors::rowCommand(bool (*operation)(LayoutDocument&, int), const QString& name) {
  {
    const auto change = tools_.edits.step(name);
    if (!operation(tools_.document(), texts_.StrColGrid3->Row())) return;
  }
  RebuildTextList();
  showHighlightedRow();
}

// After the rows moved the editor shows the row the list highlights, so
// that ✓ writes what it shows where it shows it.
void TextItemEditors::showHighlightedRow() {
  if (textLine_ != 0) StrColGrid3Click(texts_.StrColGrid3->Row());
}

void TextItemEditors::InsertTextRow() {
  rowCommand(&kelvane::InsertTextRow, QStringLiteral("文字の行挿入"));
}

void TextItemEditors::DeleteTextRow() {
  rowCommand(&kelvane::DeleteTextRow, QStringLiteral("文字の削除"));
}

void TextItemEditors::ExchangeTextRow() {
  if (texts_.StrColGrid3->Row() == slotmap::kTextSlots) {
    tools_.boxes.info(QStringLiteral("最後の行は、次の行がないため交換できません。"), kConfirm);
    return;
  }
  rowCommand(&kelvane::ExchangeTextRow, QStringLiteral("文字の交換"));
}

void TextItemEditors::StrColGrid3RowMoved(int from, int to) {
  {
    const auto change = tools_.edits.step(QStringLiteral("文字の並べ替え"));
    SwapTextRows(tools_.document(), from, to);
  }
  // The list moved the rows between as well; it shows the layout again.
  RebuildTextList();
  showHighlightedRow();
}

void TextItemEditors::showDocumentAgain() {
  // All of it again, the width too: a ✓ after the undo writes what shows.
  if (positionLine_ != 0) showPositionItem(positionLine_, positions_.positionTitle->text());
  if (textLine_ != 0) StrColGrid3Click(textLine_ - slotmap::textLine(0));
}

void TextItemEditors::RebuildTextList() {
  const StyleContents contents = ReadStyleContents(tools_.document());
  TStrColGrid* grid = texts_.StrColGrid3;
  grid->BeginUpdate();
  for (int row = 1; row <= slotmap::kTextSlots; ++row)
    grid->SetCells(1, row, FromLayoutText(contents.texts[row - 1]));
  grid->EndUpdate();
}

}  // namespace kelvane
