// What a shop expects from the first key on: the focus at start-up, the
// page a reopened receipt comes back on, what the history lists offer while
// typing, the company-information box and the helper programs.

#include "app/pages/receipt_issue_page.h"
#include "app/pages/style_settings_page.h"
#include "app/program_folder.h"
#include "app/receipt_main_form.h"
#include "app/register_viewer.h"
#include "app/top_bar.h"
#include "support/box_answerer.h"
#include "support/widget_app.h"
#include "text/cp932.h"
#include "text/line_file.h"
#include "widgets/str_col_grid.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace kelvane {
namespace {

using testing::BoxAnswerer;

class EverydayUseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureWidgetApplication();
    SetProgramFolder(dir_.path());
  }
  void TearDown() override {
    form_.reset();
    SetProgramFolder({});
  }
  // The main window as a user meets it: shown and active.
  ReceiptMainForm& open() {
    form_ = std::make_unique<ReceiptMainForm>();
    form_->runRegisterList = [this](Tfreglist& list) {
      ++listsShown_;
      if (pickFirst_) {
        list.show();
        list.StrColGrid1->SetCurrentCell(1, 1);
        list.datasel();
      }
    };
    form_->show();
    form_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    return *form_;
  }
  static QWidget* focused() { return QApplication::focusWidget(); }

  QTemporaryDir dir_;
  BoxAnswerer boxes_;
  std::unique_ptr<ReceiptMainForm> form_;
  int listsShown_ = 0;
  bool pickFirst_ = false;
};

// The first keys go to the receipt: a space is typed, not a click on the
// register list button, and Ctrl+W reaches 宛名1.
TEST_F(EverydayUseTest, TheFirstKeysTypeTheReceiptNumber) {
  ReceiptMainForm& form = open();
  ReceiptIssuePage* page = form.receiptPage;
  ASSERT_EQ(focused(), page->Edit2);
  QTest::keyClick(focused(), Qt::Key_Space);
  QTest::keyClicks(focused(), "A-12");
  EXPECT_EQ(listsShown_, 0);
  EXPECT_EQ(page->Edit2->text(), QStringLiteral(" A-12"));
  QTest::keyClick(focused(), Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(focused(), page->atesaki_1);
}

// F9 from any page: a receipt picked from the list brings 領収書発行 to the
// front; closing the list without one leaves the page as it was.
TEST_F(EverydayUseTest, AReopenedReceiptComesBackOnTheReceiptPage) {
  ReceiptMainForm& form = open();
  ASSERT_TRUE(writeLineFile(form.currentRegisterPath(),
                            {cp932::fromUtf8Literal("A1,2019/5/1,10800,山田商事,品代,,,,,8,,,,")}));
  for (const bool pick : {false, true}) {
    pickFirst_ = pick;
    form.showPage(form.stylePage);
    QTest::keyClick(focused(), Qt::Key_F9);
    EXPECT_EQ(listsShown_, pick ? 2 : 1);
    EXPECT_EQ(form.currentPage(), pick ? static_cast<QWidget*>(form.receiptPage)
                                       : static_cast<QWidget*>(form.stylePage));
  }
  EXPECT_EQ(form.receiptPage->Edit2->text(), QStringLiteral("A1"));
}

}  // namespace
}  // namespace kelvane
