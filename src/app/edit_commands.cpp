// The layout's undo and redo in the main window: the "編集" menu, the tool
// strip's two buttons, the editors shown again after a step, and whose
// Ctrl+Z it is when the focus is in a text field.

#include "app/image_editor.h"
#include "app/pages/company_info_page.h"
#include "app/pages/images_page.h"
#include "app/pages/lines_page.h"
#include "app/pages/positions_page.h"
#include "app/pages/style_settings_page.h"
#include "app/pages/texts_page.h"
#include "app/pages/tool_strip.h"
#include "app/receipt_main_form.h"
#include "app/shape_editor.h"
#include "app/style_commands.h"
#include "app/text_item_editors.h"
#include "layout/layout_slots.h"
#include "styles/style_contents.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextEdit>
#include <QToolButton>

#include <algorithm>

namespace kelvane {

namespace {

// Whether `widget` is a text field with an undo of its own.
bool ownUndoOf(const QWidget* widget) {
  if (const auto* line = qobject_cast<const QLineEdit*>(widget)) return !line->isReadOnly();
  // An editable list box has the focus for its field.
  if (const auto* box = qobject_cast<const QComboBox*>(widget)) return box->isEditable();
  if (const auto* text = qobject_cast<const QTextEdit*>(widget)) return !text->isReadOnly();
  if (const auto* plain = qobject_cast<const QPlainTextEdit*>(widget)) return !plain->isReadOnly();
  return qobject_cast<const QAbstractSpinBox*>(widget) != nullptr;
}

// Whether a key or an input method's commit puts text into a field or
// takes some out.
bool typesText(QEvent* event) {
  if (event->type() == QEvent::InputMethod)
    return !static_cast<QInputMethodEvent*>(event)->commitString().isEmpty();
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete) return true;
  return !key->text().isEmpty() && key->text().front().isPrint();
}

}  // namespace

bool ReceiptMainForm::isStyleField(const QWidget* widget) const {
  for (const QWidget* page : std::initializer_list<const QWidget*>{
           stylePage, companyPage, positionsPage, imagesPage, linesPage, textsPage}) {
    if (page->isAncestorOf(widget)) return true;
  }
  return false;
}

// Ctrl+Z in a text field is the field's own undo, not the layout's. In a
// field of a style page only while it holds typing not yet applied: once
// Enter or ✓ made it a step, the key takes that step back.
bool ReceiptMainForm::fieldKeepsUndo(const QWidget* widget) const {
  return ownUndoOf(widget) && (!isStyleField(widget) || widget == typedIn_);
}

void ReceiptMainForm::noteTyping(const QWidget* widget, QEvent* event) {
  if (typesText(event)) typedIn_ = widget;
}

void ReceiptMainForm::connectEdits() {
  connect(edits_, &LayoutEdits::changed, preview, &PreviewPane::RefreshPreview);
  connect(edits_, &LayoutEdits::restored, this, &ReceiptMainForm::showDocumentAgain);
  connect(edits_, &LayoutEdits::historyChanged, this, &ReceiptMainForm::showUndoSteps);
  // A step recorded or taken back: what was typed has gone into the layout.
  connect(edits_, &LayoutEdits::historyChanged, this, [this] { typedIn_ = nullptr; });
  menu.undo->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
  menu.redo->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
  connect(menu.undo, &QAction::triggered, this, &ReceiptMainForm::undoLayoutStep);
  connect(menu.redo, &QAction::triggered, this, &ReceiptMainForm::redoLayoutStep);
  toolStrip->undoButton->setDefaultAction(menu.undo);
  toolStrip->redoButton->setDefaultAction(menu.redo);
  showUndoSteps();
}

void ReceiptMainForm::undoLayoutStep() { edits_->undo(); }
void ReceiptMainForm::redoLayoutStep() { edits_->redo(); }

void ReceiptMainForm::showUndoSteps() {
  const auto caption = [](const QString& command, const QString& step) {
    return step.isEmpty() ? command : command + QStringLiteral(": ") + step;
  };
  menu.undo->setText(caption(QStringLiteral("元に戻す"), edits_->undoName()));
  menu.undo->setEnabled(edits_->canUndo());
  menu.redo->setText(caption(QStringLiteral("やり直し"), edits_->redoName()));
  menu.redo->setEnabled(edits_->canRedo());
}

void ReceiptMainForm::showDocumentAgain(const QList<qsizetype>& lines) {
  const StyleContents contents = ReadStyleContents(document());
  stylePage->stylebtn->setToolTip(edits_->source());  // the file the layout now comes from
  // The style settings come back only when the step changed them: settings
  // typed and not yet applied stay otherwise.
  const bool header = std::any_of(lines.begin(), lines.end(), [](qsizetype line) {
    return line >= 0 && line <= slotmap::kReceiptSizeLine;
  });
  if (header) {
    FillStyleEditors(*this, contents);
  } else {
    FillElementEditors(*this, contents);
  }
  if (shapeEditor->selectedRow() != 0) shapeEditor->SelectShapeRow(shapeEditor->selectedRow());
  textItemEditors->showDocumentAgain();
  imageEditor->showSlotAgain();
}

}  // namespace kelvane
