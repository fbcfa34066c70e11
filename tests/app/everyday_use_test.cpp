// What a shop expects from the first key on: the focus at start-up, the
// page a reopened receipt comes back on, what the history lists offer while
// typing, the company-information box and the helper programs.

#include "app/form_dialogs.h"
#include "app/info_tools.h"
#include "app/pages/receipt_issue_page.h"
#include "app/pages/style_settings_page.h"
#include "app/receipt_main_form.h"
#include "app/register_viewer.h"
#include "app/top_bar.h"
#include "layout/layout_slots.h"
#include "render/font_substitutions.h"
#include "settings/program_folder.h"
#include "support/box_answerer.h"
#include "support/typing.h"
#include "support/widget_app.h"
#include "text/cp932.h"
#include "text/layout_text.h"
#include "text/line_file.h"
#include "widgets/str_col_grid.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QInputDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

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

// Keys as the window system delivers them: while the list under a field is
// open, it gets them first. Japanese comes as the input method commits it.
void typeAndEnterThroughTheWindow(QWidget& window, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(window.windowHandle(), c.toLatin1());
    } else {
      QInputMethodEvent commit;
      commit.setCommitString(QString(c));
      QApplication::sendEvent(QApplication::focusWidget(), &commit);
    }
  }
  QTest::keyClick(window.windowHandle(), Qt::Key_Return);
}

// What is typed is what Enter commits, however the history begins: the
// history is offered in a list under the field, not completed into it.
TEST_F(EverydayUseTest, EnterCommitsWhatWasTypedNotTheHistory) {
  ReceiptMainForm& form = open();
  ReceiptIssuePage* page = form.receiptPage;
  const struct {
    QComboBox* field;
    const char16_t* history;
    const char16_t* typed;
    int line;  // the receipt item it fills, or 0
  } cases[] = {{page->atesaki_2, u"経理部 御中", u"経理部", slotmap::kAddresseeLine2},
               {page->atesaki_1, u"山田商事株式会社", u"山田商事", slotmap::kAddresseeLine1},
               {page->topic1, u"品代として", u"品代", slotmap::kDescription1},
               {page->Field_07, u"担当A 山田", u"担当A", 0},
               {page->in_tax, u"150000", u"150", 0}};
  for (const bool throughWindow : {false, true}) {
    for (const auto& c : cases) {
      const QString history = QString::fromUtf16(c.history);
      const QString typed = QString::fromUtf16(c.typed);
      const std::string what = typed.toStdString() + (throughWindow ? " (window)" : "");
      if (c.field->findText(history) < 0) c.field->addItem(history);
      // The offscreen platform leaves the closed list's window active.
      form.activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
      c.field->setFocus();
      c.field->clearEditText();
      if (throughWindow) {
        typeAndEnterThroughTheWindow(form, typed);
      } else {
        testing::TypeAndEnter(typed);
      }
      EXPECT_EQ(c.field->currentText(), typed) << what;
      if (c.line) {
        EXPECT_TRUE(form.document().line(c.line).endsWith(ToLayoutText(typed))) << what;
      }
      EXPECT_NE(focused(), c.field) << what << ": Enter moves on";
      EXPECT_FALSE(c.field->completer()->popup()->isVisible()) << what;
    }
  }
  // The history still offers itself, as a list to pick from.
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  page->atesaki_2->setFocus();
  page->atesaki_2->clearEditText();
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("経"));
  QApplication::sendEvent(focused(), &commit);
  EXPECT_EQ(page->atesaki_2->currentText(), QStringLiteral("経"));
  QAbstractItemView* offered = page->atesaki_2->completer()->popup();
  ASSERT_TRUE(offered->isVisible());
  EXPECT_EQ(offered->model()->index(0, 0).data().toString(), QStringLiteral("経理部 御中"));
  // An entry picked with the arrows is taken and committed.
  QTest::keyClick(form.windowHandle(), Qt::Key_Down);
  QTest::keyClick(form.windowHandle(), Qt::Key_Return);
  EXPECT_EQ(page->atesaki_2->currentText(), QStringLiteral("経理部 御中"));
  EXPECT_TRUE(form.document()
                  .line(slotmap::kAddresseeLine2)
                  .endsWith(ToLayoutText(QStringLiteral("経理部 御中"))));
  EXPECT_FALSE(offered->isVisible());
}

// Nothing on this desktop opens a document or a mail (the offscreen
// platform has no handler) and no text editor is on the search path: each
// is said as a missing program, a missing manual as a missing file.
TEST_F(EverydayUseTest, AMissingHelperProgramIsSaidAsSuch) {
  ReceiptMainForm& form = open();
  const QByteArray searchPath = qgetenv("PATH");
  qputenv("PATH", dir_.path().toLocal8Bit());  // no editor here
  const struct {
    QAction* command;
    bool manualThere;
    QString said;
  } cases[] = {
      {form.menu.manual, false,
       QStringLiteral("取扱説明書「%1」が見つかりません。").arg(ManualPath())},
      {form.menu.manual, true,
       QStringLiteral("取扱説明書「%1」を開くプログラム（ブラウザ）が見つかりません。")
           .arg(ManualPath())},
      {form.menu.supportMail, true, QStringLiteral("メールを開くプログラムが見つかりません。")},
      {form.menu.textEditor, true,
       QStringLiteral("テキストを開くプログラム（テキストエディタ）が見つかりません。")}};
  for (const auto& c : cases) {
    if (c.manualThere) {
      QDir(dir_.path()).mkpath(QStringLiteral("manual"));
      ASSERT_TRUE(writeLineFile(ManualPath(), {"<html></html>"}));
    }
    boxes_.texts.clear();
    c.command->trigger();
    EXPECT_EQ(boxes_.texts, QStringList{c.said});
  }
  qputenv("PATH", searchPath);
}

// The box the company information is typed in shows a whole address and
// starts with the old text selected, so that typing replaces it.
TEST_F(EverydayUseTest, TheCompanyBoxShowsAWholeAddressSelected) {
  testing::EnsureWidgetApplication();
  const QString address =
      QStringLiteral("東京都千代田区丸の内一丁目二番三号　見本ビルディング二十階　総務部");
  QString selected;
  int shownWidth = 0;
  int needed = 0;
  QTimer::singleShot(50, [&] {
    auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    auto* edit = dialog->findChild<QLineEdit*>();
    if (!edit) return;
    selected = edit->selectedText();
    shownWidth = edit->contentsRect().width();
    needed = edit->fontMetrics().horizontalAdvance(address);
    QTest::keyClicks(edit, "Osaka");
    QTest::keyClick(edit, Qt::Key_Return);
  });
  const auto typed = DesktopDialogs().askText(nullptr, QStringLiteral("ネムリカ"),
                                              QStringLiteral("自社情報入力"), address);
  EXPECT_EQ(selected, address);
  EXPECT_GE(shownWidth, needed);
  EXPECT_EQ(typed.value_or(QStringLiteral("(cancelled)")), QStringLiteral("Osaka"));
}

// The font dialog starts on the item's face (a Windows face shows as the
// font standing in for it) and size; OK without a change gives the item's
// own face, size and style back, and a face picked in it is taken.
TEST_F(EverydayUseTest, TheFontDialogOpensOnTheItemsFont) {
  testing::EnsureWidgetApplication();
  InstallFontSubstitutions();
  const struct {
    const char16_t* family;
    int size;
    bool bold;
    bool italic;
    const char* picked;  // a face the user picks at 11 points, or none
  } cases[] = {{u"ＭＳ 明朝", 12, false, false, nullptr},
               {u"ＭＳ Ｐゴシック", 9, true, false, nullptr},
               {u"DejaVu Sans", 14, false, true, nullptr},
               {u"ＭＳ 明朝", 12, false, false, "DejaVu Serif"}};
  for (const auto& c : cases) {
    FontChoice item;
    item.family = QString::fromUtf16(c.family);
    item.pointSize = c.size;
    item.bold = c.bold;
    item.italic = c.italic;
    item.colour = 0x0000FF;
    const std::string what = item.family.toStdString() + " " + (c.picked ? c.picked : "");
    QFont shown;
    QTimer::singleShot(50, [&] {
      auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      shown = dialog->currentFont();
      if (c.picked) {
        dialog->setCurrentFont(
            QFontDatabase::font(QString::fromLatin1(c.picked), QStringLiteral("Book"), 11));
      }
      dialog->accept();
    });
    const auto chosen = DesktopDialogs().chooseFont(nullptr, item);
    EXPECT_EQ(shown.family(), QFontInfo(QFont(item.family)).family()) << what;
    EXPECT_EQ(shown.pointSize(), c.size) << what;
    ASSERT_TRUE(chosen) << what;
    EXPECT_EQ(chosen->family, c.picked ? QString::fromLatin1(c.picked) : item.family);
    EXPECT_EQ(chosen->pointSize, c.picked ? 11 : c.size) << what;
    EXPECT_EQ(chosen->bold, c.bold) << what;
    EXPECT_EQ(chosen->italic, c.italic) << what;
    EXPECT_EQ(chosen->colour, 0x0000FF) << what;
  }
}

}  // namespace
}  // namespace kelvane
