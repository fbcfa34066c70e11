#pragma once
// Page "領収書発行": the receipt being issued. Its input fields and amounts
// arrive with the receipt typing; the buttons are here.

#include <QWidget>

class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace kelvane {

class PaneRow;
class ReceiptInputMenu;
class TNValEditC;
class TPictButton;

class ReceiptIssuePage : public QWidget {
  Q_OBJECT

 public:
  explicit ReceiptIssuePage(QWidget* parent = nullptr);

  QWidget* inputPane = nullptr;         // number, addressees, descriptions, staff
  QWidget* amountsPane = nullptr;       // "金額内訳"
  QWidget* calendarPane = nullptr;      // the month calendar
  QWidget* buttonsPane = nullptr;       // the four buttons below
  QPushButton* newButton = nullptr;     // "新規領収書(F4)"
  QPushButton* recordButton = nullptr;  // "発行リストに保存(F5)"
  QPushButton* deleteButton = nullptr;  // "削　除"
  QPushButton* exitButton = nullptr;    // "Exit(END)"
  PaneRow* panes = nullptr;

  // ---- the input fields
  QLineEdit* Edit2 = nullptr;      // 領収書番号(&Q)
  QComboBox* atesaki_1 = nullptr;  // 宛　名1(&W)
  QComboBox* atesaki_2 = nullptr;  // 宛　名2(&E)
  QComboBox* topic1 = nullptr;     // 摘　要1(&R)
  QComboBox* topic2 = nullptr;     // 摘　要2(&T)
  QComboBox* Field_07 = nullptr;   // 社内担当者(&Y)
  // "参照": the master lists beside the field of the same name.
  QPushButton* atesaki1Pick = nullptr;
  QPushButton* atesaki2Pick = nullptr;
  QPushButton* topic1Pick = nullptr;
  QPushButton* topic2Pick = nullptr;
  QPushButton* field07Pick = nullptr;

  // ---- the amounts, ten-thousandths
  TNValEditC* NValEditC9 = nullptr;       // 領収金額(&A)
  TNValEditC* NValEditC10 = nullptr;      // 税抜金額(&S)
  TNValEditC* NValEditC11 = nullptr;      // 請求金額(&D)
  TNValEditC* NValEditC13 = nullptr;      // 消費税額(&F)
  TNValEditC* NValEditC7 = nullptr;       // 消費税率(&G), percent
  QSpinBox* UpDown3 = nullptr;            // the rate's spinner, 0 to 10
  QComboBox* in_tax = nullptr;            // 収入印紙(&U)
  QPushButton* taxTableButton = nullptr;  // "参照": the stamp-duty table

  // ---- the amounts by rate, from which the five figures above are worked out
  TNValEditC* amount10 = nullptr;  // 10%対象(&X)
  TNValEditC* amount8 = nullptr;   // 8%対象(&C)
  QComboBox* taxBasis = nullptr;   // 税区分(&V): 税込 / 税抜, in TaxBasis order
  QComboBox* taxRounding =
      nullptr;  // 端数(&B): 切り捨て / 四捨五入 / 切り上げ, in TaxRounding order

  // Where the month calendar goes: 8 × 8 cells of 25 × 20 pixels.
  QFrame* calendarArea = nullptr;

  TPictButton* inputArrow = nullptr;    // on the input pane: the amounts come first
  TPictButton* amountsArrow = nullptr;  // on the amounts: the input pane comes first

  ReceiptInputMenu* inputMenu = nullptr;  // on every field and button of the page
};

}  // namespace kelvane
