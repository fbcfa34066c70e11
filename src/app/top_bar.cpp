#include "app/top_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace kelvane {

TopBar::TopBar(QWidget* parent) : QWidget(parent) {
  setFixedHeight(22);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(2, 0, 2, 0);
  registerListButton = new QPushButton(QStringLiteral("発行リスト"), this);
  registerListButton->setObjectName(QStringLiteral("RegisterListButton"));
  registerListButton->setFixedHeight(20);
  registerListButton->setCursor(Qt::PointingHandCursor);
  row->addWidget(registerListButton);
  pageLabel = new QLabel(QStringLiteral("新規領収書発行"), this);
  pageLabel->setObjectName(QStringLiteral("PageLabel"));
  QFont bold = pageLabel->font();
  bold.setBold(true);
  pageLabel->setFont(bold);
  row->addSpacing(12);
  row->addWidget(pageLabel, 1);
}

}  // namespace kelvane
