// The width and alignment fields of the position editor and the free text
// editor, used with the keyboard in the main window.

#include "app/pages/positions_page.h"
#include "app/pages/texts_page.h"
#include "app/receipt_main_form.h"
#include "app/style_commands.h"
#include "app/text_item_editors.h"
#include "layout/layout_slots.h"
#include "layout/text_fit.h"
#include "settings/program_folder.h"
#include "styles/style_file.h"
#include "support/box_answerer.h"
#include "text/cp932.h"
#include "widgets/icon_button.h"
#include "widgets/nval_edit.h"
#include "widgets/str_col_grid.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace kelvane {
namespace {

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }
constexpr qint64 mm(double value) { return static_cast<qint64>(value * 10000); }

class TextFitEditorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureWidgetApplication();
    SetProgramFolder(dir_.path());
    form_ = std::make_unique<ReceiptMainForm>();
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    boxes_.texts.clear();
  }
  void TearDown() override {
    form_.reset();
    SetProgramFolder({});
  }

  // One of the two editors, its fields and how an item is selected in it.
  struct Editor {
    const char* name;
    int line;  // the item or slot selected
    int otherLine;
    std::function<void(int line)> select;
    TNValEdit* width;
    QComboBox* align;
    TIconButton* reset;
  };
  std::vector<Editor> editors() {
    PositionsPage* pos = form_->positionsPage;
    TextsPage* texts = form_->textsPage;
    auto clickCaption = [this, pos](int line) {
      form_->showPage(pos);
      QTest::mouseClick(pos->placedCaption(line), Qt::LeftButton);
    };
    auto clickRow = [this, texts](int line) {
      form_->showPage(texts);
      TStrColGrid* grid = texts->StrColGrid3;
      const int row = line - slotmap::textLine(0);
      grid->scrollTo(grid->model()->index(row - 1, 0));
      QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                        grid->viewport()->mapFrom(grid, grid->CellRect(1, row).center()));
    };
    return {{"position editor", slotmap::kAmount, slotmap::kAddressee, clickCaption,
             pos->positionWidth, pos->positionAlign, pos->IconButton8},
            {"free text editor", slotmap::textLine(2), slotmap::textLine(3), clickRow,
             texts->textWidth, texts->textAlign, texts->IconButton21}};
  }

  static void typeInto(QWidget* w, const char* keys) {
    w->setFocus();
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    if (*keys == 0) QTest::keyClick(w, Qt::Key_Delete);
    QTest::keyClicks(w, QString::fromLatin1(keys));
  }
  std::optional<TextFit> fitOf(int line) const { return FitOf(form_->document(), line); }

  QTemporaryDir dir_;
  testing::BoxAnswerer boxes_;
  std::unique_ptr<ReceiptMainForm> form_;
};

TEST_F(TextFitEditorsTest, WidthAndAlignmentAreWrittenReadAndTakenAway) {
  for (const Editor& e : editors()) {
    form_->document().setLine(e.line, sj("char,0,40,30,,12,,0,0,0,＊金壱萬円也＊"));
    form_->document().setLine(e.otherLine, sj("char,0,40,50,,12,,0,0,0,other"));
    e.select(e.line);
    EXPECT_EQ(e.width->text(), QString()) << e.name;  // no width: the field is empty
    EXPECT_EQ(e.align->currentText(), QStringLiteral("左")) << e.name;

    // A width typed and Enter; then the alignment chosen with the arrow key.
    typeInto(e.width, "85.5");
    QTest::keyClick(e.width, Qt::Key_Return);
    EXPECT_EQ(fitOf(e.line), (TextFit{mm(85.5), TextAlign::Left})) << e.name;
    e.align->setFocus();
    QTest::keyClick(e.align, Qt::Key_Down);
    EXPECT_EQ(fitOf(e.line), (TextFit{mm(85.5), TextAlign::Right})) << e.name;
    QTest::keyClick(e.align, Qt::Key_Down);
    EXPECT_EQ(fitOf(e.line), (TextFit{mm(85.5), TextAlign::Centre})) << e.name;
    // The width lives beside the record: its text runs to the end as before.
    EXPECT_TRUE(form_->document().line(e.line).endsWith(sj(",0,0,0,＊金壱萬円也＊"))) << e.name;

    // Another item shows its own (none), and the first shows its width again.
    e.select(e.otherLine);
    EXPECT_EQ(e.width->text(), QString()) << e.name;
    EXPECT_EQ(e.align->currentIndex(), 0) << e.name;
    EXPECT_FALSE(fitOf(e.otherLine)) << e.name;
    e.select(e.line);
    EXPECT_EQ(e.width->text(), QStringLiteral("85.5")) << e.name;
    EXPECT_EQ(e.align->currentText(), QStringLiteral("中央")) << e.name;

    // An emptied width takes the width away.
    typeInto(e.width, "");
    QTest::keyClick(e.width, Qt::Key_Return);
    EXPECT_FALSE(fitOf(e.line)) << e.name;
    EXPECT_EQ(form_->document().lineCount(), slotmap::kExtendedLineCount) << e.name;
  }
  EXPECT_TRUE(boxes_.texts.isEmpty()) << boxes_.texts.join(u'\n').toStdString();
}

TEST_F(TextFitEditorsTest, ResetTakesTheWidthAway) {
  for (const Editor& e : editors()) {
    form_->document().setLine(e.line, sj("char,0,40,30,,12,,0,0,0,abc"));
    SetFit(form_->document(), e.line, TextFit{mm(30), TextAlign::Right});
    e.select(e.line);
    EXPECT_EQ(e.width->text(), QStringLiteral("30")) << e.name;
    EXPECT_EQ(e.align->currentText(), QStringLiteral("右")) << e.name;
    QTest::mouseClick(e.reset, Qt::LeftButton);
    EXPECT_FALSE(fitOf(e.line)) << e.name;
    EXPECT_EQ(e.width->text(), QString()) << e.name;
    EXPECT_EQ(e.align->currentIndex(), 0) << e.name;
  }
}

// A style's widths come with it when it is opened, and the empty layout of
// the clear command has none.
TEST_F(TextFitEditorsTest, WidthsComeWithTheStyleAndGoWithTheEmptyLayout) {
  const Editor amount = editors()[0];
  form_->document().setLine(amount.line, sj("char,0,40,30,,12,,0,0,0,"));
  ASSERT_TRUE(SetFit(form_->document(), amount.line, TextFit{mm(88), TextAlign::Centre}));
  const QString style = dir_.filePath(QStringLiteral("wide.rcd"));
  ASSERT_TRUE(SaveStyleFile(form_->document(), style));
  ASSERT_TRUE(QFile::copy(QStringLiteral(KELVANE_SOURCE_DATA "/cleardata.rcd"),
                          dir_.filePath(QString::fromLatin1(kClearStyleFileName))));

  LoadEmptyStyle(*form_);
  EXPECT_FALSE(fitOf(amount.line));
  EXPECT_EQ(form_->document().lineCount(), slotmap::kExtendedLineCount);

  ASSERT_TRUE(LoadStyleIntoForm(*form_, style));
  EXPECT_EQ(fitOf(amount.line), (TextFit{mm(88), TextAlign::Centre}));
  amount.select(amount.line);
  EXPECT_EQ(amount.width->text(), QStringLiteral("88"));
  EXPECT_EQ(amount.align->currentText(), QStringLiteral("中央"));
}

}  // namespace
}  // namespace kelvane
