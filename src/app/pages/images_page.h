#pragma once
// Page "画像": the overview of the eight image slots and the image tools.

#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;
class QPushButton;

namespace kelvane {

class PaneRow;
class TIconButton;
class TNValEdit;
class TPictButton;

class ImagesPage : public QWidget {
  Q_OBJECT

 public:
  explicit ImagesPage(QWidget* parent = nullptr);

  // Per slot 1 to 8 (index 0 to 7): X, Y and file labels, named ix, iy, im
  // followed by the slot's layout line (ix7 … ix10, ix122 … ix125).
  std::array<QLabel*, 8> ix{};
  std::array<QLabel*, 8> iy{};
  std::array<QLabel*, 8> im{};
  std::array<QPushButton*, 8> selectButtons{};  // "設定"; each carries its line in "line"

  // The layout line of slot index 0 to 7: 7 … 10, then 122 … 125.
  [[nodiscard]] static int SlotLine(int index) { return index < 4 ? 7 + index : 118 + index; }

  QWidget* listPane = nullptr;   // the overview
  QWidget* toolsPane = nullptr;  // the image editor
  PaneRow* panes = nullptr;

  // ---- the image editor
  QCheckBox* ChkBoxStr3 = nullptr;      // プレビュ－のみ
  TNValEdit* imageX = nullptr;          // 位置(X mm)
  TNValEdit* imageY = nullptr;          // 位置(Y mm)
  TNValEdit* imageWidth = nullptr;      // SIZE(X mm)
  TNValEdit* imageHeight = nullptr;     // SIZE(Y mm)
  QLabel* imageFileLabel = nullptr;     // the picture's full path
  QLabel* imagePanel = nullptr;         // the picture, fitted; its hint holds the path
  TIconButton* IconButton9 = nullptr;   // choose the picture
  TIconButton* IconButton4 = nullptr;   // apply
  TIconButton* IconButton16 = nullptr;  // empty the slot
  TPictButton* PictButton16 = nullptr;  // up
  TPictButton* PictButton18 = nullptr;  // down
  TPictButton* PictButton17 = nullptr;  // left
  TPictButton* PictButton19 = nullptr;  // right

  TPictButton* listArrow = nullptr;   // on the overview: the tools come first
  TPictButton* toolsArrow = nullptr;  // on the tools: back to the overview first
};

}  // namespace kelvane
