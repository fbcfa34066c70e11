#include "app/message_boxes.h"

#include "app/app_setup.h"

#include "settings/program_folder.h"
#include "support/widget_app.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <functional>
#include <utility>
#include <vector>

namespace kelvane {
namespace {

class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureWidgetApplication();
    SetProgramFolder(dir_.path());
  }
  void TearDown() override { SetProgramFolder({}); }

  // Runs `act` on the box once it is shown; a box that does not close
  // after the action is closed by the test so that it cannot hang.
  static void whenShown(std::function<void(QMessageBox*)> act) {
    QTimer::singleShot(0, [act] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      act(box);
      QTimer::singleShot(50, [box] {
        if (QApplication::activeModalWidget() == box) {
          ADD_FAILURE() << "the box stayed open";
          box->done(0);
        }
      });
    });
  }

  QTemporaryDir dir_;
};

// Qt's own buttons and dialogs speak Japanese once Qt's catalogue is loaded;
// without the catalogue nothing is installed and they stay in English.
TEST_F(MessageBoxTest, QtsOwnButtonsAreJapaneseWithQtsCatalogue) {
  auto cancelText = [] {
    QDialogButtonBox buttons(QDialogButtonBox::Yes | QDialogButtonBox::Cancel);
    return buttons.button(QDialogButtonBox::Cancel)->text();
  };
  EXPECT_EQ(InstallQtTranslations(*qApp, dir_.path()), nullptr);
  EXPECT_EQ(cancelText(), QStringLiteral("Cancel"));

  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  ASSERT_TRUE(QFile::exists(folder + QStringLiteral("/qtbase_ja.qm")))
      << "Qt's Japanese catalogue is missing: install qt6-translations-l10n";
  QTranslator* installed = InstallQtTranslations(*qApp, folder);
  ASSERT_NE(installed, nullptr);
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
  EXPECT_EQ(cancelText(), QStringLiteral("キャンセル"));
  QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                  QMessageBox::Yes | QMessageBox::No);
  EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith(QStringLiteral("はい")))
      << box.button(QMessageBox::Yes)->text().toStdString();
  QCoreApplication::removeTranslator(installed);
  delete installed;
}

TEST_F(MessageBoxTest, ConfirmResultsForButtonsKeysAndTheCloseControl) {
  whenShown([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); });
  EXPECT_EQ(confirm_box("q", "実行", "キャンセル"), kBoxFirstButton);
  whenShown([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
  EXPECT_EQ(confirm_box("q", "実行", "キャンセル"), kBoxSecondButton);
  whenShown([](QMessageBox* box) { box->buttons().at(1)->click(); });
  EXPECT_EQ(confirm_box("q", "実行", "キャンセル"), kBoxSecondButton);
  whenShown([](QMessageBox* box) { box->close(); });
  EXPECT_EQ(confirm_box("q", "実行", "キャンセル"), kBoxClosed);
}

TEST_F(MessageBoxTest, InfoIgnoresEscAndAnswersEnter) {
  bool stayedOpen = false;
  whenShown([&stayedOpen](QMessageBox* box) {
    QTest::keyClick(box, Qt::Key_Escape);
    stayedOpen = box->isVisible();
    QTest::keyClick(box, Qt::Key_Return);
  });
  EXPECT_EQ(info_box("n", "確認"), kBoxFirstButton);
  EXPECT_TRUE(stayedOpen);
  whenShown([](QMessageBox* box) { box->close(); });
  EXPECT_EQ(info_box("n", "確認"), kBoxClosed);
}

QAbstractButton* captioned(QMessageBox* box, const char* caption) {
  for (QAbstractButton* b : box->buttons()) {
    if (b->text() == QString::fromUtf8(caption)) return b;
  }
  ADD_FAILURE() << "no button " << caption;
  return box->buttons().constFirst();
}

// Enter, Esc and the close control all leave the layout alone: only a
// click on one of the two offers does something.
TEST_F(MessageBoxTest, ChoiceAnswersTheThirdButtonUnlessAnOfferIsClicked) {
  const std::vector<std::pair<std::function<void(QMessageBox*)>, int>> cases{
      {[](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); }, kBoxThirdButton},
      {[](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }, kBoxThirdButton},
      {[](QMessageBox* box) { box->close(); }, kBoxThirdButton},
      {[](QMessageBox* box) { captioned(box, "閉じる")->click(); }, kBoxThirdButton},
      {[](QMessageBox* box) { captioned(box, "消す")->click(); }, kBoxFirstButton},
      {[](QMessageBox* box) { captioned(box, "読む")->click(); }, kBoxSecondButton},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    whenShown(cases[i].first);
    EXPECT_EQ(choice_box("m", "消す", "読む", "閉じる"), cases[i].second) << "case " << i;
  }
  whenShown([](QMessageBox* box) {
    EXPECT_EQ(box->buttons().size(), 2) << "an empty caption leaves the first offer out";
    QTest::keyClick(box, Qt::Key_Return);
  });
  EXPECT_EQ(choice_box("m", "", "読む", "閉じる"), kBoxThirdButton);
}

TEST_F(MessageBoxTest, CaptionsTextAndIcon) {
  QImage icon(16, 16, QImage::Format_ARGB32);
  icon.fill(Qt::red);
  ASSERT_TRUE(icon.save(dir_.filePath("dialog.ico")));
  whenShown([](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle(), QStringLiteral("ネムリカ"));
    EXPECT_EQ(box->text(), QStringLiteral("一行目\n二行目"));
    ASSERT_EQ(box->buttons().size(), 2);
    EXPECT_EQ(box->buttons().at(0)->text(), QStringLiteral("実行"));
    EXPECT_EQ(box->buttons().at(1)->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(box->iconPixmap().toImage().pixelColor(16, 16), QColor(Qt::red));
    box->buttons().at(0)->click();
  });
  confirm_box("一行目\r\n二行目", "実行", "キャンセル");
  QFile::remove(dir_.filePath("dialog.ico"));
  whenShown([](QMessageBox* box) {
    EXPECT_EQ(box->icon(), QMessageBox::Information) << "the platform's icon stands in";
    box->buttons().at(0)->click();
  });
  info_box("n", "確認");
}

}  // namespace
}  // namespace kelvane
