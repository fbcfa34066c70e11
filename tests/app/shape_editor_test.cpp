// The line and shape editor on the page "線関係", driven with the mouse and
// the keyboard: choosing a row, applying, clearing, nudging, the colour
// dialog, the list's pop-up and menu commands and dragging rows.

#include "app/shape_editor.h"
#include "app/pages/lines_page.h"
#include "app/receipt_main_form.h"
#include "layout/layout_slots.h"
#include "settings/program_folder.h"
#include "support/box_answerer.h"
#include "text/cp932.h"
#include "text/layout_text.h"
#include "widgets/icon_button.h"
#include "widgets/nval_edit.h"
#include "widgets/pict_button.h"
#include "widgets/str_col_grid.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace kelvane {
namespace {

using testing::BoxAnswerer;

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

class ShapeEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureWidgetApplication();
    SetProgramFolder(dir_.path());
    form_ = std::make_unique<ReceiptMainForm>();
    form_->dialogs.chooseColour = [this](QWidget*, const QColor& initial) -> std::optional<QColor> {
      colourAsked_.append(initial);
      return nextColour_;
    };
    form_->show();
    form_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    form_->showPage(form_->linesPage);
    page_ = form_->linesPage;
    grid_ = page_->StrColGrid1;
    editor_ = form_->shapeEditor;
    boxes_.texts.clear();  // what start-up said
    // Every line outside the line slots names itself, so that a change shows.
    for (int line = 6; line < slotmap::kLineCount; ++line) {
      if (line < 12 || line > 111) form_->document().setLine(line, mark(line));
    }
  }
  void TearDown() override {
    form_.reset();
    SetProgramFolder({});
  }

  static QByteArray mark(int line) { return "L" + QByteArray::number(line) + ","; }
  QByteArray row(int r) const { return form_->document().line(slotmap::shapeLine(r)); }
  void put(int r, const QByteArray& record) {
    form_->document().setLine(slotmap::shapeLine(r), record);
    editor_->RebuildShapeList();
  }
  void click(int r) {
    grid_->scrollTo(grid_->model()->index(r - 1, 0));
    QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {},
                      grid_->CellRect(2, r).center() - grid_->viewport()->pos());
  }
  void expectOutsideUntouched() const {
    for (int line = 6; line < slotmap::kLineCount; ++line) {
      if (line >= 12 && line <= 111) continue;
      EXPECT_EQ(form_->document().line(line), mark(line)) << "line " << line;
    }
  }
  // Types `text` into `edit` (all of it replaced) and presses Enter.
  static void type(QWidget* edit, const char* text, bool enter = true) {
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, QString::fromLatin1(text));
    if (enter) QTest::keyClick(edit, Qt::Key_Return);
  }
  QStringList cells(int r) const { return grid_->RowTexts(r); }
  QColor cellColour(int r) const {
    const TSCGCellParam* p = grid_->CellParams().Find(3, r);
    return p ? p->CellColor() : QColor();
  }

  QTemporaryDir dir_;
  BoxAnswerer boxes_;
  std::unique_ptr<ReceiptMainForm> form_;
  LinesPage* page_ = nullptr;
  TStrColGrid* grid_ = nullptr;
  ShapeEditor* editor_ = nullptr;
  QList<QColor> colourAsked_;
  std::optional<QColor> nextColour_;
};

TEST_F(ShapeEditorTest, ChoosingARowShowsItsRecordAndWritesNothing) {
  put(2, sj("rect,1,10,20.5,60,80,3,破線,255,"));
  put(3, sj("fillrect,0,1,2,3,4,1,実線,12632256,"));
  put(4, sj("line,0,5,5,100,5,2,点線,0,"));

  click(2);
  EXPECT_EQ(editor_->selectedRow(), 2);
  EXPECT_EQ(page_->HTMLRadioGroup2->checkedId(), 1) << "a frame is 枠";
  EXPECT_EQ(page_->usageGroup->checkedId(), 1);
  EXPECT_EQ(page_->x1->text(), QStringLiteral("10"));
  EXPECT_EQ(page_->y1->text(), QStringLiteral("20.5"));
  EXPECT_EQ(page_->x2->text(), QStringLiteral("60"));
  EXPECT_EQ(page_->y2->text(), QStringLiteral("80"));
  EXPECT_EQ(page_->lineWidthLabel->text(), QStringLiteral("3"));
  EXPECT_EQ(page_->lineWidthUpDown->value(), 3);
  EXPECT_EQ(page_->ComboBox2->currentText(), QStringLiteral("破線"));
  EXPECT_TRUE(page_->ComboBox2->isEnabled());
  EXPECT_FALSE(page_->ComboBox3->isEnabled());
  EXPECT_EQ(editor_->colourValue(), 255u);
  EXPECT_EQ(page_->StaticText33->palette().color(QPalette::Window), QColor(255, 0, 0));
  EXPECT_EQ(cells(2).value(1), QStringLiteral("四角形"));

  // A filled box with a line pattern chooses "枠"; applying writes it.
  click(3);
  EXPECT_EQ(page_->HTMLRadioGroup2->checkedId(), 2);
  EXPECT_EQ(page_->ComboBox3->currentText(), QStringLiteral("枠"));
  EXPECT_TRUE(page_->ComboBox3->isEnabled());
  EXPECT_FALSE(page_->ComboBox2->isEnabled());
  EXPECT_EQ(row(3), sj("fillrect,0,1,2,3,4,1,実線,12632256,")) << "choosing writes nothing";
  QTest::mouseClick(page_->IconButton12, Qt::LeftButton);
  EXPECT_EQ(row(3), sj("fillrect,0,1,2,3,4,1,枠,12632256,"));
  EXPECT_EQ(cells(3).value(4), QStringLiteral("枠"));

  // The arrow keys choose too; an empty row resets the points and usage.
  click(4);
  QTest::keyClick(grid_, Qt::Key_Down);
  EXPECT_EQ(editor_->selectedRow(), 5);
  EXPECT_EQ(page_->x2->text(), QStringLiteral("0"));
  EXPECT_EQ(page_->usageGroup->checkedId(), 0);
  EXPECT_EQ(row(5), ",");
  expectOutsideUntouched();
}

TEST_F(ShapeEditorTest, ApplyingWritesTheRecordFromTheControls) {
  click(3);
  type(page_->x1, "12.5");
  EXPECT_EQ(row(3), sj("line,0,12.5,0,0,0,1,実線,0,"));
  EXPECT_EQ(cells(3).value(1), QStringLiteral("直線"));
  EXPECT_EQ(cells(3).value(2), QStringLiteral("[12.5,0]-[0,0] Size=1"));
  EXPECT_EQ(cells(3).value(4), QStringLiteral("実線"));

  // A thousand millimetres must not split the field.
  type(page_->x2, "1250");
  EXPECT_EQ(row(3), sj("line,0,12.5,0,1250,0,1,実線,0,"));

  // Usage and width wait for the next apply.
  QTest::mouseClick(page_->usageGroup->button(1), Qt::LeftButton);
  page_->lineWidthUpDown->setValue(4);
  EXPECT_EQ(page_->lineWidthLabel->text(), QStringLiteral("4"));
  EXPECT_EQ(row(3), sj("line,0,12.5,0,1250,0,1,実線,0,"));

  // Choosing a pattern applies.
  page_->ComboBox2->setFocus();
  QTest::keyClick(page_->ComboBox2, Qt::Key_Down);
  EXPECT_EQ(row(3), sj("line,1,12.5,0,1250,0,4,破線,0,"));
  // So does a pattern typed and ended with Enter; a comma cannot get in.
  type(page_->ComboBox2->lineEdit(), "my,dash");
  EXPECT_EQ(row(3), "line,1,12.5,0,1250,0,4,mydash,0,");

  // The kind applies at once and brings its pattern box into use.
  QTest::mouseClick(page_->HTMLRadioGroup2->button(1), Qt::LeftButton);
  EXPECT_TRUE(row(3).startsWith("rect,1,"));
  EXPECT_EQ(cells(3).value(1), QStringLiteral("四角形"));
  QTest::mouseClick(page_->HTMLRadioGroup2->button(2), Qt::LeftButton);
  EXPECT_EQ(row(3), sj("fillrect,1,12.5,0,1250,0,4,塗り潰し,0,"));
  EXPECT_FALSE(page_->ComboBox2->isEnabled());

  // The swatch opens the colour dialog at the current colour.
  nextColour_ = QColor(0x40, 0x80, 0xFF);
  QTest::mouseClick(page_->StaticText33, Qt::LeftButton);
  ASSERT_EQ(colourAsked_.size(), 1);
  EXPECT_EQ(colourAsked_[0], QColor(0, 0, 0)) << "black before any colour was chosen";
  EXPECT_EQ(row(3), sj("fillrect,1,12.5,0,1250,0,4,塗り潰し,16744512,"));
  EXPECT_EQ(cellColour(3), QColor(0x40, 0x80, 0xFF));
  // Cancelled, nothing changes; the keyboard reaches the swatch too.
  nextColour_.reset();
  page_->StaticText33->setFocus();
  QTest::keyClick(page_->StaticText33, Qt::Key_Space);
  ASSERT_EQ(colourAsked_.size(), 2);
  EXPECT_EQ(colourAsked_[1], QColor(0x40, 0x80, 0xFF));
  EXPECT_EQ(editor_->colourValue(), 16744512u);
  expectOutsideUntouched();
}

TEST_F(ShapeEditorTest, NudgesMoveBothPointsByTheStepTheKeysChoose) {
  put(1, sj("line,0,10,20,100,20,1,実線,0,"));
  click(1);
  QTest::mouseClick(page_->PictButton23, Qt::LeftButton);
  EXPECT_EQ(row(1), sj("line,0,11,20,101,20,1,実線,0,"));
  QTest::mouseClick(page_->PictButton20, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(row(1), sj("line,0,11,19.9,101,19.9,1,実線,0,"));
  QTest::mouseClick(page_->PictButton22, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(row(1), sj("line,0,11,29.9,101,29.9,1,実線,0,"));
  for (int i = 0; i < 11; ++i) QTest::mouseClick(page_->PictButton21, Qt::LeftButton);
  EXPECT_EQ(row(1), sj("line,0,0,29.9,90,29.9,1,実線,0,")) << "a point at 0 is written as 0";
  QTest::mouseClick(page_->PictButton21, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(row(1), sj("line,0,-0.1,29.9,89.9,29.9,1,実線,0,"));
  expectOutsideUntouched();
}

TEST_F(ShapeEditorTest, AMalformedRowIsSaidAndLeftAsItIs) {
  const QByteArray bad = sj("line,0,1O,20,100,20,1,実線,0,");
  put(6, bad);
  click(6);
  ASSERT_EQ(boxes_.texts.size(), 1);
  EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("6行目")));
  EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("「1O」")));
  EXPECT_EQ(row(6), bad);
  EXPECT_EQ(page_->x1->text(), QStringLiteral("0"));
  // The row is still the one edited: it can be emptied.
  EXPECT_EQ(editor_->selectedRow(), 6);
  QTest::mouseClick(page_->IconButton17, Qt::LeftButton);
  EXPECT_EQ(row(6), ",");
  EXPECT_EQ(boxes_.texts.size(), 1);
}

TEST_F(ShapeEditorTest, WithNothingChosenNothingIsWritten) {
  put(1, "line,0,1,1,2,2,1,,0,");
  const QString ask = QStringLiteral("調整する項目を左のリストから選択してください");
  QTest::mouseClick(page_->IconButton17, Qt::LeftButton);
  form_->menu.insertShapeRow->trigger();
  form_->menu.exchangeShapeRow->trigger();
  form_->menu.deleteShapeRow->trigger();
  EXPECT_EQ(boxes_.texts, QStringList(4, ask));
  // Applying with nothing chosen only redraws.
  QTest::mouseClick(page_->IconButton12, Qt::LeftButton);
  type(page_->x1, "5");
  QTest::mouseClick(page_->PictButton23, Qt::LeftButton);
  EXPECT_EQ(boxes_.texts.size(), 4);
  EXPECT_EQ(row(1), "line,0,1,1,2,2,1,,0,");
  for (int r = 2; r <= 100; ++r) EXPECT_EQ(row(r), ",") << r;
  expectOutsideUntouched();
}

TEST_F(ShapeEditorTest, ClearingEmptiesTheSlotAndItsRow) {
  put(2, sj("rect,0,10,10,50,50,2,実線,255,"));
  click(2);
  QTest::mouseClick(page_->IconButton17, Qt::LeftButton);
  EXPECT_EQ(row(2), ",");
  EXPECT_EQ(cells(2), QStringList(6, QString()));
  EXPECT_EQ(cellColour(2), QColor(Qt::white));
  EXPECT_EQ(page_->x1->text(), QStringLiteral("0"));
  EXPECT_EQ(page_->y2->text(), QStringLiteral("0"));
  EXPECT_TRUE(boxes_.texts.isEmpty());
  expectOutsideUntouched();
}

class ShapeListTest : public ShapeEditorTest {
 protected:
  void SetUp() override {
    ShapeEditorTest::SetUp();
    for (int r = 1; r <= 100; ++r) {
      form_->document().setLine(slotmap::shapeLine(r), record(r));
    }
    editor_->RebuildShapeList();
  }
  // Row r's own record: a line at height r.
  static QByteArray record(int r) {
    return "line,0,0," + QByteArray::number(r) + ",10," + QByteArray::number(r) + ",1,,0,";
  }
  QString corners(int r) const { return cells(r).value(2); }
  static QString cornersOf(int r) { return QStringLiteral("[0,%1]-[10,%1] Size=1").arg(r); }
  // Opens the list's pop-up at row `r` with the right button and chooses
  // item `item` with the keyboard; returns the items' captions.
  QStringList popUp(int r, int item) {
    grid_->scrollTo(grid_->model()->index(r - 1, 0));
    const QPoint at = grid_->CellRect(2, r).center() - grid_->viewport()->pos();
    QTest::mousePress(grid_->viewport(), Qt::RightButton, {}, at);
    QStringList captions;
    QTimer::singleShot(50, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!menu) return;
      for (QAction* action : menu->actions()) captions.append(action->text());
      for (int i = 0; i <= item; ++i) QTest::keyClick(menu, Qt::Key_Down);
      QTest::keyClick(menu, Qt::Key_Return);
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, grid_->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid_->viewport(), &event);
    QTest::mouseRelease(grid_->viewport(), Qt::RightButton, {}, at);
    return captions;
  }
};

TEST_F(ShapeListTest, InsertDeleteAndExchangeMoveOnlyTheLineSlots) {
  click(5);
  form_->menu.insertShapeRow->trigger();
  EXPECT_EQ(row(4), record(4));
  EXPECT_EQ(row(5), ",");
  EXPECT_EQ(row(6), record(5));
  EXPECT_EQ(row(100), record(99)) << "row 100 is dropped";
  EXPECT_EQ(corners(5), QString());
  EXPECT_EQ(corners(6), cornersOf(5));
  EXPECT_EQ(editor_->selectedRow(), 5) << "the selection stays";
  EXPECT_EQ(page_->y1->text(), QStringLiteral("0")) << "and shows what row 5 now holds";

  form_->menu.deleteShapeRow->trigger();
  for (int r = 1; r < 100; ++r) EXPECT_EQ(row(r), record(r)) << r;
  EXPECT_EQ(row(100), ",");
  EXPECT_EQ(page_->y1->text(), QStringLiteral("5"));

  form_->menu.exchangeShapeRow->trigger();
  EXPECT_EQ(row(5), record(6));
  EXPECT_EQ(row(6), record(5));
  EXPECT_EQ(corners(5), cornersOf(6));
  EXPECT_EQ(page_->y1->text(), QStringLiteral("6"));
  EXPECT_TRUE(boxes_.texts.isEmpty());
  expectOutsideUntouched();
}

TEST_F(ShapeListTest, TheLastRowKeepsTheLineBelowIt) {
  click(100);
  ASSERT_EQ(editor_->selectedRow(), 100);
  form_->menu.exchangeShapeRow->trigger();
  ASSERT_EQ(boxes_.texts.size(), 1);
  EXPECT_EQ(row(100), record(100));
  form_->menu.insertShapeRow->trigger();
  EXPECT_EQ(row(100), ",");
  EXPECT_EQ(row(99), record(99));
  click(99);
  form_->menu.deleteShapeRow->trigger();
  EXPECT_EQ(row(99), ",");
  EXPECT_EQ(row(100), ",");
  expectOutsideUntouched();  // line 112 and the image slots 5 to 8 included
}

TEST_F(ShapeListTest, ThePopUpActsOnTheChosenRow) {
  click(3);
  const QStringList captions = popUp(3, 1);  // 交　換
  EXPECT_EQ(captions, (QStringList{QStringLiteral("一行挿入"), QStringLiteral("交　換"),
                                   QStringLiteral("選択中の行を削除")}));
  EXPECT_EQ(row(3), record(4));
  EXPECT_EQ(row(4), record(3));
  // The right button does not choose another row: the highlight stays on
  // the row the commands act on.
  popUp(7, 1);
  EXPECT_EQ(grid_->Row(), 3);
  for (int r : {3, 4, 7, 8}) EXPECT_EQ(row(r), record(r)) << r;
  popUp(3, 0);  // 一行挿入
  EXPECT_EQ(row(3), ",");
  expectOutsideUntouched();
}

TEST_F(ShapeListTest, DraggingARowExchangesTheEndsAndTheListShowsTheLayout) {
  click(2);
  QHeaderView* side = grid_->verticalHeader();
  const int x = side->width() / 2;
  const auto y = [&](int r) {
    return side->sectionViewportPosition(r - 1) + side->sectionSize(r - 1) / 2;
  };
  QTest::mousePress(side->viewport(), Qt::LeftButton, {}, QPoint(x, y(1)));
  QTest::mouseMove(side->viewport(), QPoint(x, y(2)));
  QTest::mouseMove(side->viewport(), QPoint(x, y(3) + 4));
  QTest::mouseRelease(side->viewport(), Qt::LeftButton, {}, QPoint(x, y(3) + 4));

  EXPECT_EQ(row(1), record(3));
  EXPECT_EQ(row(2), record(2)) << "the rows between stay in the layout";
  EXPECT_EQ(row(3), record(1));
  for (int r = 1; r <= 4; ++r) {
    EXPECT_EQ(corners(r), cornersOf(r == 1 ? 3 : r == 3 ? 1 : r)) << r;
  }
  // The dragged row is the one edited now, not the row it left behind.
  EXPECT_EQ(editor_->selectedRow(), 3);
  EXPECT_EQ(grid_->Row(), 3);
  EXPECT_EQ(page_->y1->text(), QStringLiteral("1"));
  QTest::mouseClick(page_->IconButton12, Qt::LeftButton);
  EXPECT_EQ(row(3), record(1));
  EXPECT_EQ(row(2), record(2));
  expectOutsideUntouched();
}

}  // namespace
}  // namespace kelvane
