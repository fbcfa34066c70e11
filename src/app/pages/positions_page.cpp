#include "app/pages/positions_page.h"

#include "app/pages/page_parts.h"
#include "app/pages/pane_row.h"
#include "widgets/icon_button.h"
#include "widgets/nval_edit.h"
#include "widgets/pict_button.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvane {

namespace {

constexpr int kFirstLine = 228;
// A pane moved to this position lands after "提　出" and "控　部": both end
// before it, "自社情報" does not.
constexpr int kAfterReceiptPanes = 370;

// The twelve receipt fields in line order, the same on the receipt and on
// the stub.
const std::array<QString, 12>& ReceiptCaptions() {
  static const std::array<QString, 12> captions = {
      QStringLiteral("No"),       QStringLiteral("宛　名"),   QStringLiteral("領収金額"),
      QStringLiteral("但書１"),   QStringLiteral("但書２"),   QStringLiteral("請求金額"),
      QStringLiteral("日付年"),   QStringLiteral("日付月"),   QStringLiteral("日付日"),
      QStringLiteral("税抜金額"), QStringLiteral("消費税率"), QStringLiteral("消費税額")};
  return captions;
}

struct PlacedItem {
  int line;
  QString caption;
};

// The fourteen items of "提　出" (first twelve from 239) or "控　部" (from
// 251), with their two two-line addressee items.
std::vector<PlacedItem> ReceiptItems(int firstLine, int addresseeLine) {
  std::vector<PlacedItem> items;
  for (int i = 0; i < 12; ++i) items.push_back({firstLine + i, ReceiptCaptions()[i]});
  items.push_back({addresseeLine, QStringLiteral("宛　名1")});
  items.push_back({addresseeLine + 1, QStringLiteral("宛　名2")});
  return items;
}

}  // namespace

PositionsPage::PositionsPage(QWidget* parent) : QWidget(parent) {
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(0, 0, 0, 0);
  panes = new PaneRow(this);
  page->addWidget(panes);

  auto* receipt = new PaneBox(QStringLiteral("提　出"), this);
  auto* stub = new PaneBox(QStringLiteral("控　部"), this);
  auto* company = new PaneBox(QStringLiteral("自社情報"), this);
  auto* position = new PaneBox(QStringLiteral("位置調整"), this);
  receiptPane = receipt;
  stubPane = stub;
  companyPane = company;
  positionPane = position;
  positionTitle = position->titleLabel();

  // Captions in columns of seven, top to bottom, then left to right.
  auto fillCaptions = [this](PaneBox* pane, const std::vector<PlacedItem>& items) {
    auto* grid = new QGridLayout(pane->body());
    grid->setContentsMargins(6, 5, 6, 5);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(4);
    for (int i = 0; i < int(items.size()); ++i) {
      auto* caption = new QLabel(items[i].caption, pane->body());
      caption->setObjectName(QStringLiteral("caption%1").arg(items[i].line));
      caption->setProperty("item", items[i].line - 140);
      caption->setFrameShape(QFrame::Panel);
      caption->setFrameShadow(QFrame::Raised);
      caption->setAlignment(Qt::AlignCenter);
      caption->setFixedSize(80, 22);
      // Selecting an item into the position editor comes with that editor.
      caption->setEnabled(false);
      placedCaptions[items[i].line - kFirstLine] = caption;
      grid->addWidget(caption, i % 7, i / 7);
    }
    grid->setRowStretch(7, 1);
  };
  fillCaptions(receipt, ReceiptItems(239, 263));
  fillCaptions(stub, ReceiptItems(251, 265));
  std::vector<PlacedItem> companyItems;
  for (int i = 0; i < 11; ++i) companyItems.push_back({kFirstLine + i, CompanyInfoCaptions()[i]});
  fillCaptions(company, companyItems);

  TextRecordEditor editor =
      BuildTextRecordEditor(position->body(), {.previewOnly = QStringLiteral("ChkBoxStr2"),
                                               .vertical = QStringLiteral("ChkBoxStr1"),
                                               .x = QStringLiteral("positionX"),
                                               .y = QStringLiteral("positionY"),
                                               .fontButton = QStringLiteral("Button18"),
                                               .spacing = QStringLiteral("NValEditC3"),
                                               .swatch = QStringLiteral("Panel28"),
                                               .up = QStringLiteral("PictButton12"),
                                               .down = QStringLiteral("PictButton14"),
                                               .left = QStringLiteral("PictButton13"),
                                               .right = QStringLiteral("PictButton15"),
                                               .apply = QStringLiteral("IconButton3"),
                                               .reset = QStringLiteral("IconButton8"),
                                               .text = QString()});
  ChkBoxStr1 = editor.vertical;
  ChkBoxStr2 = editor.previewOnly;
  positionX = editor.x;
  positionY = editor.y;
  fontNameLabel = editor.fontName;
  fontSizeLabel = editor.fontSize;
  decorationLabel = editor.decoration;
  Button18 = editor.fontButton;
  NValEditC3 = editor.spacing;
  Panel28 = editor.swatch;
  Panel28->setToolTip(QStringLiteral("クリックして指定します"));
  PictButton12 = editor.nudge.up;
  PictButton14 = editor.nudge.down;
  PictButton13 = editor.nudge.left;
  PictButton15 = editor.nudge.right;
  IconButton3 = editor.apply;
  IconButton8 = editor.reset;

  companyArrow = MakePageArrow(company);
  positionArrow = MakePageArrow(position);
  company->addHeaderWidget(companyArrow);
  position->addHeaderWidget(positionArrow);

  panes->addPane(receipt);
  panes->addPane(stub);
  panes->addPane(company);
  panes->addPane(position);
  connect(companyArrow, &TPictButton::clicked, this,
          [this] { panes->moveToPosition(positionPane, kAfterReceiptPanes); });
  connect(positionArrow, &TPictButton::clicked, this,
          [this] { panes->moveToPosition(companyPane, kAfterReceiptPanes); });
}

}  // namespace kelvane
