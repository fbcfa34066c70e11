#include "app/pages/positions_page.h"

#include "app/pages/page_parts.h"
#include "app/pages/pane_row.h"
#include "layout/layout_slots.h"
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

// The amount and tax by rate, in line order from 268 (receipt) or 272 (stub).
const std::array<QString, 4>& RateCaptions() {
  static const std::array<QString, 4> captions = {
      QStringLiteral("10%対象"), QStringLiteral("10%消費税"), QStringLiteral("8%対象"),
      QStringLiteral("8%消費税")};
  return captions;
}

struct PlacedItem {
  int line;
  QString caption;
};

// The eighteen items of "提　出" (first twelve from 239) or "控　部" (from
// 251), with their two two-line addressee items and the four by rate.
std::vector<PlacedItem> ReceiptItems(int firstLine, int addresseeLine, int rateLine) {
  std::vector<PlacedItem> items;
  for (int i = 0; i < 12; ++i) items.push_back({firstLine + i, ReceiptCaptions()[i]});
  items.push_back({addresseeLine, QStringLiteral("宛　名1")});
  items.push_back({addresseeLine + 1, QStringLiteral("宛　名2")});
  for (int i = 0; i < 4; ++i) items.push_back({rateLine + i, RateCaptions()[i]});
  return items;
}

// Receipt panes take their captions in columns of nine, so that they stay
// two columns wide (and end before kAfterReceiptPanes), the company pane in
// columns of seven. Captions 18 pixels high, 3 apart, keep nine rows within
// the page's height.
constexpr int kReceiptRows = 9;
constexpr int kCompanyRows = 7;
constexpr int kCaptionHeight = 18;
constexpr int kCaptionSpacing = 3;

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

  // Captions in columns of `rows`, top to bottom, then left to right.
  auto fillCaptions = [this](PaneBox* pane, const std::vector<PlacedItem>& items, int rows) {
    auto* grid = new QGridLayout(pane->body());
    grid->setContentsMargins(6, 5, 6, 5);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(kCaptionSpacing);
    for (int i = 0; i < int(items.size()); ++i) {
      auto* caption = new QLabel(items[i].caption, pane->body());
      caption->setObjectName(QStringLiteral("caption%1").arg(items[i].line));
      caption->setProperty("item", items[i].line - 140);
      caption->setFrameShape(QFrame::Panel);
      caption->setFrameShadow(QFrame::Raised);
      caption->setAlignment(Qt::AlignCenter);
      caption->setFixedSize(80, kCaptionHeight);
      // Selecting an item into the position editor comes with that editor.
      caption->setEnabled(false);
      placedCaptions[items[i].line - kFirstLine] = caption;
      grid->addWidget(caption, i % rows, i / rows);
    }
    grid->setRowStretch(rows, 1);
  };
  fillCaptions(receipt,
               ReceiptItems(slotmap::kNumber, slotmap::kAddresseeLine1, slotmap::kAmount10),
               kReceiptRows);
  fillCaptions(
      stub,
      ReceiptItems(slotmap::kStubNumber, slotmap::kStubAddresseeLine1, slotmap::kStubAmount10),
      kReceiptRows);
  std::vector<PlacedItem> companyItems;
  for (int i = 0; i < slotmap::kCompanyItems; ++i)
    companyItems.push_back({slotmap::companyLine(i), CompanyInfoCaptions()[i]});
  fillCaptions(company, companyItems, kCompanyRows);

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
                                               .text = QString(),
                                               .fitWidth = QStringLiteral("positionWidth"),
                                               .fitAlign = QStringLiteral("positionAlign")});
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
  positionWidth = editor.fitWidth;
  positionAlign = editor.fitAlign;

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
