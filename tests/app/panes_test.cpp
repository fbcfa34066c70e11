#include "app/pages/company_info_page.h"
#include "app/pages/images_page.h"
#include "app/pages/lines_page.h"
#include "app/pages/pane_row.h"
#include "app/pages/positions_page.h"
#include "app/pages/receipt_issue_page.h"
#include "app/pages/texts_page.h"
#include "app/pages/tool_strip.h"
#include "support/widget_app.h"
#include "widgets/icon_button.h"
#include "widgets/nval_edit.h"
#include "widgets/pict_button.h"
#include "widgets/str_col_grid.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <memory>
#include <tuple>

namespace kelvane {
namespace {

// The main window's height for a page: the page control minus its tabs.
constexpr int kPageHeight = 232;

class PanesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    testing::EnsureWidgetApplication();
    // The font the program uses everywhere, so the sizes below are the real ones.
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QApplication::setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
  }

  // Shows `page` at the design width so that geometry is real.
  template <typename Page>
  std::unique_ptr<Page> show() {
    auto page = std::make_unique<Page>();
    page->resize(1288, kPageHeight);
    page->show();
    QCoreApplication::processEvents();
    return page;
  }

  static void click(TPictButton* arrow) {
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(arrow->toolTip(), QStringLiteral("Page+1"));
    QTest::mouseClick(arrow, Qt::LeftButton, {}, QPoint(4, 4));
    QCoreApplication::processEvents();
  }

  // The panes stand on screen in the order the row reports, without gaps
  // or overlaps, from the 5-pixel spacer on.
  static void expectLaidOut(PaneRow* row) {
    int x = PaneRow::kSpacer;
    for (QWidget* pane : row->order()) {
      EXPECT_EQ(pane->mapTo(row, QPoint(0, 0)).x(), x) << pane->objectName().toStdString();
      x += pane->width() + PaneRow::kGap;
    }
  }
};

using Order = QList<QWidget*>;

TEST_F(PanesTest, RowMovesPanesByPosition) {
  PaneRow row;
  auto* a = new QWidget;
  auto* b = new QWidget;
  auto* c = new QWidget;
  for (QWidget* w : {a, b, c}) {
    w->setFixedWidth(100);
    row.addPane(w);
  }
  EXPECT_EQ(row.order(), (Order{a, b, c}));
  row.moveToFront(c);
  EXPECT_EQ(row.order(), (Order{c, a, b}));
  // Without c: a spans 5–105 and b 108–208. Only a ends before 150.
  row.moveToPosition(c, 150);
  EXPECT_EQ(row.order(), (Order{a, c, b}));
  // Ending exactly at the position counts as before it.
  row.moveToPosition(c, 208);
  EXPECT_EQ(row.order(), (Order{a, b, c}));
  row.moveToPosition(a, 0);
  EXPECT_EQ(row.order(), (Order{a, b, c}));
  row.moveToPosition(a, 10000);
  EXPECT_EQ(row.order(), (Order{b, c, a}));
  // A widget that is not a pane of the row changes nothing.
  QWidget stranger;
  row.moveToFront(&stranger);
  EXPECT_EQ(row.order(), (Order{b, c, a}));
}

TEST_F(PanesTest, NarrowRowCutsPanesOffInsteadOfSqueezing) {
  auto page = show<ReceiptIssuePage>();
  const int natural = page->inputPane->width();
  page->resize(300, kPageHeight);
  QCoreApplication::processEvents();
  EXPECT_EQ(page->inputPane->width(), natural);
  EXPECT_LT(page->minimumSizeHint().width(), 300);
  // Bringing the amounts first puts them into view.
  click(page->inputArrow);
  EXPECT_EQ(page->amountsPane->mapTo(page.get(), QPoint(0, 0)).x(), PaneRow::kSpacer);
}

TEST_F(PanesTest, ReceiptPageArrowsSwapInputAndAmounts) {
  auto page = show<ReceiptIssuePage>();
  PaneRow* row = page->panes;
  const Order design{page->inputPane, page->amountsPane, page->calendarPane, page->buttonsPane};
  EXPECT_EQ(row->order(), design);
  expectLaidOut(row);

  click(page->inputArrow);
  const Order swapped{page->amountsPane, page->inputPane, page->calendarPane, page->buttonsPane};
  EXPECT_EQ(row->order(), swapped);
  expectLaidOut(row);
  click(page->inputArrow);
  EXPECT_EQ(row->order(), swapped);

  click(page->amountsArrow);
  EXPECT_EQ(row->order(), design);
  click(page->amountsArrow);
  EXPECT_EQ(row->order(), design);
  expectLaidOut(row);
}

TEST_F(PanesTest, CompanyPageArrowsSwapItsTwoPanes) {
  auto page = show<CompanyInfoPage>();
  PaneRow* row = page->panes;
  EXPECT_EQ(row->order(), (Order{page->firstPane, page->secondPane}));
  click(page->firstArrow);
  EXPECT_EQ(row->order(), (Order{page->secondPane, page->firstPane}));
  click(page->firstArrow);
  EXPECT_EQ(row->order(), (Order{page->secondPane, page->firstPane}));
  expectLaidOut(row);
  click(page->secondArrow);
  EXPECT_EQ(row->order(), (Order{page->firstPane, page->secondPane}));
  expectLaidOut(row);
}

TEST_F(PanesTest, PositionsPageMovesPanesToPosition370) {
  auto page = show<PositionsPage>();
  PaneRow* row = page->panes;
  const Order design{page->receiptPane, page->stubPane, page->companyPane, page->positionPane};
  EXPECT_EQ(row->order(), design);
  // The two receipt panes end before 370, the company pane does not.
  EXPECT_LT(page->stubPane->mapTo(row, QPoint(page->stubPane->width(), 0)).x(), 370);
  EXPECT_GT(page->companyPane->mapTo(row, QPoint(page->companyPane->width(), 0)).x(), 370);

  const Order editorFirst{page->receiptPane, page->stubPane, page->positionPane, page->companyPane};
  click(page->companyArrow);
  EXPECT_EQ(row->order(), editorFirst);
  expectLaidOut(row);
  click(page->companyArrow);
  EXPECT_EQ(row->order(), editorFirst);

  click(page->positionArrow);
  EXPECT_EQ(row->order(), design);
  click(page->positionArrow);
  EXPECT_EQ(row->order(), design);
  expectLaidOut(row);
}

TEST_F(PanesTest, ImagesPageArrowsRestoreTheDesignOrder) {
  auto page = show<ImagesPage>();
  PaneRow* row = page->panes;
  const Order design{page->listPane, page->toolsPane};
  EXPECT_EQ(row->order(), design);
  // The overview must end before 500, or the tools could never go after it.
  EXPECT_LT(PaneRow::kSpacer + page->listPane->width(), 500);

  click(page->listArrow);
  EXPECT_EQ(row->order(), (Order{page->toolsPane, page->listPane}));
  click(page->listArrow);
  EXPECT_EQ(row->order(), (Order{page->toolsPane, page->listPane}));
  click(page->toolsArrow);
  EXPECT_EQ(row->order(), design);
  click(page->toolsArrow);
  EXPECT_EQ(row->order(), design);
  expectLaidOut(row);
}

TEST_F(PanesTest, GridPagesArrowsPutGridOrToolsFirst) {
  auto lines = show<LinesPage>();
  auto texts = show<TextsPage>();
  struct Case {
    PaneRow* row;
    QWidget* grid;
    QWidget* tools;
    TPictButton* left;
    TPictButton* right;
  };
  for (const Case& c : {Case{lines->panes, lines->StrColGrid1, lines->toolsPane, lines->leftArrow,
                             lines->rightArrow},
                        Case{texts->panes, texts->StrColGrid3, texts->toolsPane, texts->leftArrow,
                             texts->rightArrow}}) {
    SCOPED_TRACE(c.grid->objectName().toStdString());
    EXPECT_EQ(c.row->order(), (Order{c.grid, c.tools}));
    // Both arrows sit on the tools pane.
    EXPECT_TRUE(c.tools->isAncestorOf(c.left));
    EXPECT_TRUE(c.tools->isAncestorOf(c.right));
    click(c.left);
    EXPECT_EQ(c.row->order(), (Order{c.tools, c.grid}));
    click(c.left);
    EXPECT_EQ(c.row->order(), (Order{c.tools, c.grid}));
    expectLaidOut(c.row);
    click(c.right);
    EXPECT_EQ(c.row->order(), (Order{c.grid, c.tools}));
    click(c.right);
    EXPECT_EQ(c.row->order(), (Order{c.grid, c.tools}));
    expectLaidOut(c.row);
  }
}

TEST_F(PanesTest, LoaderTargetsAreNamedAndEnabled) {
  CompanyInfoPage company;
  for (int line = 228; line <= 238; ++line) {
    const QString name = QStringLiteral("data%1").arg(line);
    auto* label = company.findChild<QLabel*>(name);
    ASSERT_NE(label, nullptr) << name.toStdString();
    EXPECT_EQ(label, company.dataLabel(line));
    EXPECT_TRUE(label->isEnabled());
  }
  EXPECT_EQ(company.captions[0]->text(), QStringLiteral("会社名１"));
  EXPECT_EQ(company.captions[3]->text(), QStringLiteral("住 所 1"));
  EXPECT_EQ(company.captions[10]->text(), QStringLiteral("その他2"));

  ImagesPage images;
  const int lines[8] = {7, 8, 9, 10, 122, 123, 124, 125};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(ImagesPage::SlotLine(i), lines[i]);
    for (const char* prefix : {"ix", "iy", "im"}) {
      const QString name = QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(lines[i]);
      auto* label = images.findChild<QLabel*>(name);
      ASSERT_NE(label, nullptr) << name.toStdString();
      EXPECT_TRUE(label->isEnabled());
    }
    EXPECT_EQ(images.ix[i]->objectName(), QStringLiteral("ix%1").arg(lines[i]));
    EXPECT_EQ(images.im[i]->objectName(), QStringLiteral("im%1").arg(lines[i]));
    EXPECT_EQ(images.selectButtons[i]->property("line").toInt(), lines[i]);
  }
  EXPECT_NE(images.findChild<QLabel*>(QStringLiteral("imageOrderNote")), nullptr);

  LinesPage shapes;
  TextsPage texts;
  for (auto [grid, name, cols] : {std::tuple{shapes.StrColGrid1, "StrColGrid1", 6},
                                  std::tuple{texts.StrColGrid3, "StrColGrid3", 2}}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(grid->objectName(), QLatin1String(name));
    EXPECT_EQ(grid->RowCount(), 101);
    EXPECT_EQ(grid->ColCount(), cols);
    EXPECT_EQ(grid->FixedRows(), 1);
    EXPECT_TRUE(grid->isEnabled());
    EXPECT_TRUE(grid->Options().testFlag(GridOption::RowSelect));
    EXPECT_TRUE(grid->Options().testFlag(GridOption::RowMoving));
    // Column 0 is the narrow one; the slot texts stay free to fill.
    EXPECT_LT(grid->ColWidths(0), grid->ColWidths(1));
    EXPECT_TRUE(grid->Cells(1, 1).isEmpty());
    EXPECT_TRUE(grid->Cells(cols - 1, 100).isEmpty());
  }
}

TEST_F(PanesTest, PlacedItemCaptionsCoverLines228To266) {
  PositionsPage page;
  for (int line = 228; line <= 266; ++line) {
    QLabel* caption = page.placedCaption(line);
    ASSERT_NE(caption, nullptr) << line;
    EXPECT_EQ(caption->property("item").toInt(), line - 140);
    // Each caption sits in the pane its line belongs to.
    QWidget* pane = line <= 238                  ? page.companyPane
                    : line <= 250 || line >= 263 ? (line >= 265 ? page.stubPane : page.receiptPane)
                                                 : page.stubPane;
    EXPECT_TRUE(pane->isAncestorOf(caption)) << line;
  }
  EXPECT_EQ(page.placedCaption(239)->text(), QStringLiteral("No"));
  EXPECT_EQ(page.placedCaption(251)->text(), QStringLiteral("No"));
  EXPECT_EQ(page.placedCaption(250)->text(), QStringLiteral("消費税額"));
  EXPECT_EQ(page.placedCaption(264)->text(), QStringLiteral("宛　名2"));
  EXPECT_EQ(page.placedCaption(265)->text(), QStringLiteral("宛　名1"));
  EXPECT_EQ(page.placedCaption(237)->text(), QStringLiteral("その他1"));
  EXPECT_EQ(page.positionTitle->text(), QStringLiteral("位置調整"));
}

// The items after line 266: 登録番号 with the company items, the amounts
// and taxes by rate with the receipt's and the stub's own items.
TEST_F(PanesTest, ExtensionItemsHaveTheirCaptionsAndLabels) {
  PositionsPage page;
  const QString rates[] = {QStringLiteral("10%対象"), QStringLiteral("10%消費税"),
                           QStringLiteral("8%対象"), QStringLiteral("8%消費税")};
  for (int line = 267; line <= 275; ++line) {
    QLabel* caption = page.findChild<QLabel*>(QStringLiteral("caption%1").arg(line));
    ASSERT_EQ(caption, page.placedCaption(line)) << line;
    EXPECT_EQ(caption->text(), line == 267 ? QStringLiteral("登録番号") : rates[(line - 268) % 4]);
    EXPECT_EQ(caption->property("item").toInt(), line - 140);
    QWidget* pane = line == 267 ? page.companyPane : line <= 271 ? page.receiptPane : page.stubPane;
    EXPECT_TRUE(pane->isAncestorOf(caption)) << line;
  }
  CompanyInfoPage company;
  auto* label = company.findChild<QLabel*>(QStringLiteral("data267"));
  ASSERT_EQ(label, company.dataLabel(slotmap::kRegistrationNumber));
  EXPECT_TRUE(company.secondPane->isAncestorOf(label));
  EXPECT_EQ(company.captions[11]->text(), QStringLiteral("登録番号"));
}

// The pane arrows and the issue buttons work on the pages themselves.
TEST_F(PanesTest, ArrowsAndIssueButtonsAreLive) {
  PositionsPage positions;
  LinesPage lines;
  ReceiptIssuePage receipt;
  for (QWidget* live : std::initializer_list<QWidget*>{
           receipt.inputArrow, receipt.amountsArrow, receipt.newButton, receipt.recordButton,
           receipt.deleteButton, receipt.exitButton, positions.companyArrow, lines.leftArrow})
    EXPECT_TRUE(live->isEnabled()) << live->objectName().toStdString();
}

TEST_F(PanesTest, ReceiptFieldsAreNamedWithTheirStartValues) {
  ReceiptIssuePage page;
  for (const char* name :
       {"Edit2", "atesaki_1", "atesaki_2", "topic1", "topic2", "Field_07", "in_tax", "NValEditC9",
        "NValEditC10", "NValEditC11", "NValEditC13", "NValEditC7", "UpDown3"}) {
    EXPECT_NE(page.findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
  }
  EXPECT_EQ(page.NValEditC7->valueUnits(), 100000);  // the standard rate, not the reduced 8
  EXPECT_EQ(page.NValEditC7->text(), QStringLiteral("10"));
  EXPECT_EQ(page.UpDown3->value(), 10);
  EXPECT_EQ(page.UpDown3->maximum(), 10);
  EXPECT_EQ(page.NValEditC9->text(), QStringLiteral("0"));
  ASSERT_EQ(page.in_tax->count(), 15);
  EXPECT_EQ(page.in_tax->itemText(0), QStringLiteral("200"));
  EXPECT_EQ(page.in_tax->itemText(14), QStringLiteral("200000"));
  EXPECT_TRUE(page.in_tax->currentText().isEmpty());
  // The calendar's place holds 8 × 8 cells of 25 × 20 pixels.
  EXPECT_EQ(page.calendarArea->contentsRect().size(), QSize(200, 160));
}

TEST_F(PanesTest, EveryPageFitsThePageControl) {
  auto expectFits = [](QWidget* page, const char* name) {
    EXPECT_LE(page->minimumSizeHint().height(), kPageHeight) << name;
    EXPECT_LE(page->sizeHint().height(), kPageHeight) << name;
    EXPECT_LE(page->sizeHint().width(), 1288) << name;
  };
  ReceiptIssuePage receipt;
  CompanyInfoPage company;
  PositionsPage positions;
  ImagesPage images;
  LinesPage lines;
  TextsPage texts;
  expectFits(&receipt, "receipt");
  expectFits(&company, "company");
  expectFits(&positions, "positions");
  expectFits(&images, "images");
  expectFits(&lines, "lines");
  expectFits(&texts, "texts");
}

TEST_F(PanesTest, ToolStripHasItsFourButtons) {
  ToolStrip strip;
  int found = 0;
  for (const QString& text : {QStringLiteral("Preview"), QStringLiteral("用紙設定"),
                              QStringLiteral("印  刷"), QStringLiteral("Exit(End)")}) {
    for (QLabel* label : strip.findChildren<QLabel*>()) found += label->text() == text;
  }
  EXPECT_EQ(found, 4);
  for (TIconButton* button :
       {strip.previewButton, strip.IconButton25, strip.IconButton22, strip.exitButton}) {
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->buttonStyle(), TIconButton::bsIELike);
    EXPECT_FALSE(button->icon().isNull());
  }
}

}  // namespace
}  // namespace kelvane
