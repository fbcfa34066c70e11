#pragma once
// Page "自社情報": the issuer's company information texts, in two panes
// whose order the "Page+1" arrows swap.

#include "layout/layout_slots.h"

#include <QWidget>
#include <array>

class QLabel;

namespace kelvane {

class PaneRow;
class TPictButton;

class CompanyInfoPage : public QWidget {
  Q_OBJECT

 public:
  explicit CompanyInfoPage(QWidget* parent = nullptr);

  // data228 … data238 and data267: the texts of layout lines 228 to 238
  // and of 登録番号 (line 267), as Unicode, in the order of
  // slotmap::companyLine.
  std::array<QLabel*, slotmap::kCompanyItems> data{};
  // The label of a company information line; nullptr for any other line.
  [[nodiscard]] QLabel* dataLabel(int line) const {
    const int index = slotmap::companyIndex(line);
    return index < 0 ? nullptr : data[index];
  }

  // The items' captions, "会社名１" … "その他2", "登録番号", in the same order.
  std::array<QLabel*, slotmap::kCompanyItems> captions{};

  QWidget* firstPane = nullptr;        // 会社名１ … TEL
  QWidget* secondPane = nullptr;       // FAX … その他2, 登録番号
  TPictButton* firstArrow = nullptr;   // brings the second pane first
  TPictButton* secondArrow = nullptr;  // brings the first pane first
  PaneRow* panes = nullptr;
};

}  // namespace kelvane
