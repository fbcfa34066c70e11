#pragma once
// Page "文字関係": the list of the 100 free text slots and the text tools.

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvane {

class PaneRow;
class TIconButton;
class TNValEdit;
class TNValEditC;
class TPictButton;
class TStrColGrid;

class TextsPage : public QWidget {
  Q_OBJECT

 public:
  explicit TextsPage(QWidget* parent = nullptr);

  // 101 rows (row 0 the titles); column 1 holds the slot's text.
  TStrColGrid* StrColGrid3 = nullptr;
  QWidget* toolsPane = nullptr;  // "設　定"
  PaneRow* panes = nullptr;

  // ---- the free text editor
  QCheckBox* previewOnlyBox = nullptr;  // プレビュ－のみ
  QCheckBox* verticalBox = nullptr;     // 縦書き
  TNValEdit* textX = nullptr;           // 位置(X mm)
  TNValEdit* textY = nullptr;           // 位置(Y mm)
  QLabel* fontNameLabel = nullptr;      // フォント名
  QLabel* fontSizeLabel = nullptr;      // 文字サイズ
  QLabel* decorationLabel = nullptr;    // 修　　飾
  QPushButton* Button19 = nullptr;      // "選択": font dialog
  TNValEditC* NValEditC4 = nullptr;     // 文字間(mm)
  QLabel* Panel38 = nullptr;            // フォント色 swatch
  QLineEdit* Edit1 = nullptr;           // 文字関係: the text
  TPictButton* PictButton24 = nullptr;  // up
  TPictButton* PictButton26 = nullptr;  // down
  TPictButton* PictButton25 = nullptr;  // left
  TPictButton* PictButton27 = nullptr;  // right
  TIconButton* IconButton2 = nullptr;   // apply
  TIconButton* IconButton21 = nullptr;  // reset
  TNValEdit* textWidth = nullptr;       // 幅(mm)
  QComboBox* textAlign = nullptr;       // 配置

  TPictButton* leftArrow = nullptr;   // the tools come first
  TPictButton* rightArrow = nullptr;  // the list comes first
};

}  // namespace kelvane
