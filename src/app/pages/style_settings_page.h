#pragma once
// Page "スタイル設定": the style-wide settings that the header lines carry:
// title, overall offsets, receipt size and preview mode, and the style file
// commands.

#include <QWidget>

class QButtonGroup;
class QLabel;
class QPushButton;
class QSpinBox;

namespace kelvane {

class TIconButton;
class TNValEdit;

class StyleSettingsPage : public QWidget {
  Q_OBJECT

 public:
  explicit StyleSettingsPage(QWidget* parent = nullptr);

  QLabel* stylebtn = nullptr;      // the style title; its tool tip holds the current style path
  QPushButton* Button1 = nullptr;  // "入力": enter the title
  TNValEdit* ofxbox = nullptr;     // 全体位置調整X(mm), whole millimetres
  TNValEdit* ofYbox = nullptr;     // 全体位置調整Y(mm)
  TNValEdit* d3 = nullptr;         // 領収書のサイズX(mm)
  TNValEdit* d4 = nullptr;         // 領収書のサイズY(mm)
  // The line weight offset the renderer adds to every line: kept hidden,
  // "1" unless a style says otherwise.
  QLabel* ps = nullptr;
  QSpinBox* psUpDown = nullptr;
  // "プレビュ－の仕方": 0 with the overall offset, 1 without it.
  QButtonGroup* style = nullptr;
  TIconButton* IconButton15 = nullptr;  // Open
  TIconButton* IconButton14 = nullptr;  // Save
  TIconButton* IconButton13 = nullptr;  // apply: header lines, then repaint

  [[nodiscard]] int previewMode() const;
  // A value above 1 selects the last option; a negative one selects none.
  void setPreviewMode(int index);
};

}  // namespace kelvane
