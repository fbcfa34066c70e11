#pragma once
// Page "自社情報": the issuer's company information texts, in two panes
// whose order the "Page+1" arrows swap.

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

  // data228 … data238: the texts of layout lines 228 to 238, as Unicode.
  std::array<QLabel*, 11> data{};
  [[nodiscard]] QLabel* dataLabel(int line) const { return data[line - 228]; }

  // The items' captions, "会社名１" … "その他2", in line order.
  std::array<QLabel*, 11> captions{};

  QWidget* firstPane = nullptr;        // 会社名１ … TEL
  QWidget* secondPane = nullptr;       // FAX … その他2
  TPictButton* firstArrow = nullptr;   // brings the second pane first
  TPictButton* secondArrow = nullptr;  // brings the first pane first
  PaneRow* panes = nullptr;
};

}  // namespace kelvane
