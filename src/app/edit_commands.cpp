#include "app/edit_commands.h"

#include "app/image_editor.h"
#include "app/pages/style_settings_page.h"
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
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextEdit>
#include <QToolButton>

#include <algorithm>

namespace kelvane {

bool OwnUndoOf(const QWidget* widget) {
  if (const auto* line = qobject_cast<const QLineEdit*>(widget)) return !line->isReadOnly();
  // An editable list box has the focus for its field.
  if (const auto* box = qobject_cast<const QComboBox*>(widget)) return box->isEditable();
  if (const auto* text = qobject_cast<const QTextEdit*>(widget)) return !text->isReadOnly();
  if (const auto* plain = qobject_cast<const QPlainTextEdit*>(widget)) return !plain->isReadOnly();
  return qobject_cast<const QAbstractSpinBox*>(widget) != nullptr;
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
