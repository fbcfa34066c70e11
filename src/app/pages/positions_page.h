#pragma once
// Page "自社情報＆印字位置": the placed receipt fields of the receipt
// ("提　出") and of the stub ("控　部"), the company information items and
// the position editor ("位置調整").

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace kelvane {

class PaneRow;
class TIconButton;
class TNValEdit;
class TNValEditC;
class TPictButton;

class PositionsPage : public QWidget {
  Q_OBJECT

 public:
  explicit PositionsPage(QWidget* parent = nullptr);

  QWidget* receiptPane = nullptr;   // "提　出"
  QWidget* stubPane = nullptr;      // "控　部"
  QWidget* companyPane = nullptr;   // "自社情報"
  QWidget* positionPane = nullptr;  // "位置調整"
  PaneRow* panes = nullptr;

  // The captions of the 48 placed items, index = layout line − 228 (lines
  // 228 to 266 and the extension items 267 to 275: 登録番号 and the amounts
  // and taxes by rate). Each carries its item number (line − 140) in the
  // "item" property and is named "caption" followed by its line.
  std::array<QLabel*, 48> placedCaptions{};
  [[nodiscard]] QLabel* placedCaption(int line) const { return placedCaptions[line - 228]; }

  // ---- the position editor
  QLabel* positionTitle = nullptr;      // "位置調整", later "[caption] 印刷位置調整"
  QCheckBox* ChkBoxStr1 = nullptr;      // 縦書き
  QCheckBox* ChkBoxStr2 = nullptr;      // プレビュ－のみ
  TNValEdit* positionX = nullptr;       // 位置(X mm)
  TNValEdit* positionY = nullptr;       // 位置(Y mm)
  QLabel* fontNameLabel = nullptr;      // フォント名
  QLabel* fontSizeLabel = nullptr;      // 文字サイズ
  QLabel* decorationLabel = nullptr;    // 修　　飾
  QPushButton* Button18 = nullptr;      // "選択": font dialog
  TNValEditC* NValEditC3 = nullptr;     // 文字間(mm)
  QLabel* Panel28 = nullptr;            // フォント色 swatch
  TPictButton* PictButton12 = nullptr;  // up
  TPictButton* PictButton14 = nullptr;  // down
  TPictButton* PictButton13 = nullptr;  // left
  TPictButton* PictButton15 = nullptr;  // right
  TIconButton* IconButton3 = nullptr;   // apply
  TIconButton* IconButton8 = nullptr;   // reset
  TNValEdit* positionWidth = nullptr;   // 幅(mm)
  QComboBox* positionAlign = nullptr;   // 配置

  TPictButton* companyArrow = nullptr;   // on "自社情報": "位置調整" moves before it
  TPictButton* positionArrow = nullptr;  // on "位置調整": "自社情報" moves back before it
};

}  // namespace kelvane
