#pragma once
// What every controller of the main window is handed besides the page it
// works on: the layout document through the one path its changes take, the
// dialogs it asks through and the message boxes it speaks in. No controller
// needs the whole window.

#include "app/form_dialogs.h"
#include "app/message_boxes.h"
#include "layout/layout_document.h"
#include "layout/layout_edits.h"

namespace kelvane {

struct EditorTools {
  LayoutEdits& edits;
  // Tests put their answers in the window's dialogs after it is built, so
  // the controllers read them where they stand.
  const FormDialogs& dialogs;
  MessageBoxes boxes;

  [[nodiscard]] LayoutDocument& document() const { return edits.document(); }
  // The window the boxes and dialogs stand over; it owns the controllers.
  [[nodiscard]] QWidget* window() const { return boxes.window(); }
};

}  // namespace kelvane
