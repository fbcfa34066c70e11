#pragma once
// The tool strip left of the preview: four icon buttons with their labels.

#include <QWidget>

class QToolButton;

namespace kelvane {

class TIconButton;

class ToolStrip : public QWidget {
  Q_OBJECT

 public:
  explicit ToolStrip(QWidget* parent = nullptr);

  TIconButton* previewButton = nullptr;  // "Preview": header lines, then repaint
  TIconButton* IconButton25 = nullptr;   // "用紙設定": printer paper set-up
  TIconButton* IconButton22 = nullptr;   // "印  刷"
  TIconButton* exitButton = nullptr;     // "Exit(End)"
  // The layout's undo and redo; the window gives them the menu's actions.
  QToolButton* undoButton = nullptr;
  QToolButton* redoButton = nullptr;
};

}  // namespace kelvane
