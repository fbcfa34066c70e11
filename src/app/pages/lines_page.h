#pragma once
// Page "線関係": the list of the 100 line and shape slots and the shape
// tools.

#include <QWidget>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QSpinBox;

namespace kelvane {

class PaneRow;
class TIconButton;
class TNValEdit;
class TPictButton;
class TStrColGrid;

class LinesPage : public QWidget {
  Q_OBJECT

 public:
  explicit LinesPage(QWidget* parent = nullptr);

  // 101 rows (row 0 the titles) and six columns: blank, kind caption,
  // corners and width, colour cell, style name, kind keyword.
  TStrColGrid* StrColGrid1 = nullptr;
  QWidget* toolsPane = nullptr;
  PaneRow* panes = nullptr;

  // ---- the shape editor
  QGroupBox* kindBox = nullptr;             // "図  形"
  QButtonGroup* HTMLRadioGroup2 = nullptr;  // 0 直線 (line), 1 枠 (rect), 2 四角形 (fillrect)
  QGroupBox* usageBox = nullptr;            // "種  別"
  QButtonGroup* usageGroup = nullptr;       // 0 実際に印刷, 1 プレビュ－のみ
  TNValEdit* x1 = nullptr;                  // 始  点
  TNValEdit* y1 = nullptr;
  TNValEdit* x2 = nullptr;  // 終  点
  TNValEdit* y2 = nullptr;
  QLabel* lineWidthLabel = nullptr;     // 線の太さ, "1"
  QSpinBox* lineWidthUpDown = nullptr;  // 0 to 10
  QComboBox* ComboBox2 = nullptr;       // 線種指定 for line and rect
  QComboBox* ComboBox3 = nullptr;       // 線種指定 for fillrect
  QLabel* StaticText33 = nullptr;       // 色指定 swatch
  TIconButton* IconButton12 = nullptr;  // apply
  TIconButton* IconButton17 = nullptr;  // empty the slot
  TPictButton* PictButton20 = nullptr;  // up
  TPictButton* PictButton22 = nullptr;  // down
  TPictButton* PictButton21 = nullptr;  // left
  TPictButton* PictButton23 = nullptr;  // right

  TPictButton* leftArrow = nullptr;   // the tools come first
  TPictButton* rightArrow = nullptr;  // the list comes first
};

}  // namespace kelvane
