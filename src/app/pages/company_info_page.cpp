#include "app/pages/company_info_page.h"

#include "app/pages/page_parts.h"
#include "app/pages/pane_row.h"
#include "layout/layout_slots.h"
#include "widgets/pict_button.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace kelvane {

namespace {

constexpr int kFirstPaneItems = 6;  // 会社名１ … TEL; the rest go to the second pane

}  // namespace

CompanyInfoPage::CompanyInfoPage(QWidget* parent) : QWidget(parent) {
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(0, 0, 0, 0);
  panes = new PaneRow(this);
  page->addWidget(panes);

  auto* first = new PaneBox(QStringLiteral("自社情報"), this);
  auto* second = new PaneBox(QStringLiteral("自社情報"), this);
  firstPane = first;
  secondPane = second;
  firstArrow = MakePageArrow(first);
  secondArrow = MakePageArrow(second);
  first->addHeaderWidget(firstArrow);
  second->addHeaderWidget(secondArrow);

  auto* firstGrid = new QGridLayout(first->body());
  auto* secondGrid = new QGridLayout(second->body());
  for (QGridLayout* grid : {firstGrid, secondGrid}) {
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
  }
  for (int i = 0; i < slotmap::kCompanyItems; ++i) {
    const bool inFirst = i < kFirstPaneItems;
    PaneBox* pane = inFirst ? first : second;
    QGridLayout* grid = inFirst ? firstGrid : secondGrid;
    const int row = inFirst ? i : i - kFirstPaneItems;
    captions[i] = new QLabel(CompanyInfoCaptions()[i], pane->body());
    captions[i]->setFixedWidth(64);
    const QString name = QStringLiteral("data%1").arg(slotmap::companyLine(i));
    data[i] = MakeValueLabel(pane->body(), name, QString());
    data[i]->setFixedSize(340, 22);
    data[i]->setAutoFillBackground(true);
    QPalette palette = data[i]->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));
    data[i]->setPalette(palette);
    grid->addWidget(captions[i], row, 0);
    grid->addWidget(data[i], row, 1);
  }
  firstGrid->setRowStretch(kFirstPaneItems, 1);
  secondGrid->setRowStretch(slotmap::kCompanyItems - kFirstPaneItems, 1);

  panes->addPane(first);
  panes->addPane(second);
  connect(firstArrow, &TPictButton::clicked, this, [this] { panes->moveToFront(secondPane); });
  connect(secondArrow, &TPictButton::clicked, this, [this] { panes->moveToFront(firstPane); });
}

}  // namespace kelvane
