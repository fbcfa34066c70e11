#pragma once
// The bar under the title: the register viewer button and the caption of
// the page last chosen by its tab.

#include <QWidget>

class QLabel;
class QPushButton;

namespace kelvane {

class TopBar : public QWidget {
  Q_OBJECT

 public:
  explicit TopBar(QWidget* parent = nullptr);

  QPushButton* registerListButton = nullptr;  // "発行リスト"
  QLabel* pageLabel = nullptr;                // "新規領収書発行" until a tab is chosen
};

}  // namespace kelvane
