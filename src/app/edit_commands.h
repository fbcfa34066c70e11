#pragma once
// The layout's undo and redo in the main window: the "編集" menu, the tool
// strip's two buttons, and the editors shown again after a step.

class QWidget;

namespace kelvane {

// Whether `widget` is a text field with an undo of its own: there Ctrl+Z
// belongs to the field, not to the layout.
[[nodiscard]] bool OwnUndoOf(const QWidget* widget);

}  // namespace kelvane
