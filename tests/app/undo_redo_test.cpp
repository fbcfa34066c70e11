// The layout's undo and redo in the main window: every kind of style change
// taken back and done again byte for byte, the menu naming the step, the
// receipt's own texts left out of the history, one redraw per change, and
// Ctrl+Z in a text field left to the field.

#include "app/image_editor.h"
#include "app/pages/images_page.h"
#include "app/pages/lines_page.h"
#include "app/pages/positions_page.h"
#include "app/pages/receipt_issue_page.h"
#include "app/pages/style_settings_page.h"
#include "app/pages/texts_page.h"
#include "app/pages/tool_strip.h"
#include "app/receipt_main_form.h"
#include "app/shape_editor.h"
#include "app/style_commands.h"
#include "app/text_item_editors.h"
#include "layout/field_cursor.h"
#include "layout/layout_slots.h"
#include "settings/program_folder.h"
#include "styles/style_contents.h"
#include "support/box_answerer.h"
#include "support/typing.h"
#include "widgets/icon_button.h"
#include "widgets/nval_edit.h"
#include "widgets/pict_button.h"
#include "widgets/str_col_grid.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <functional>

namespace kelvane {
namespace {

using testing::BoxAnswerer;

const QByteArray kLine = "line,1,10,20,60,20,1,0,PS_SOLID,";
const QByteArray kText = "char,0,30,40,MS Gothic,10,,0,0,0,hello";
const QByteArray kImage = "image,0,10,10,/nowhere/gone.bmp,20,20,,0,0";

// The document with the receipt's texts left out: loading the empty layout
// empties the receipt's items, and an undo keeps the receipt's texts as they
// are now.
QList<QByteArray> layoutOnly(QList<QByteArray> lines) {
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const bool receipt = (i >= slotmap::kNumber && i <= slotmap::kStubAddresseeLine2) ||
                         (i >= slotmap::kAmount10 && i <= slotmap::kStubTax8);
    if (receipt && !CharRecordText(lines[i]).isEmpty())
      lines[i].chop(CharRecordText(lines[i]).size());
  }
  return lines;
}

// The lines two documents differ in, for a failure's message.
std::string differences(const QList<QByteArray>& a, const QList<QByteArray>& b) {
  std::string out;
  for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
    const QByteArray x = a.value(i, "(none)");
    const QByteArray y = b.value(i, "(none)");
    if (x != y)
      out += "line " + std::to_string(i) + ": " + x.toStdString() + " | " + y.toStdString() + "\n";
  }
  return out;
}

class UndoRedoTest : public ::testing::Test {
 public:
  void SetUp() override {
    testing::EnsureWidgetApplication();
    SetProgramFolder(dir_.path());
    ASSERT_TRUE(QFile::copy(QStringLiteral(KELVANE_SOURCE_DATA "/cleardata.rcd"),
                            dir_.filePath(QStringLiteral("cleardata.rcd"))));
    open();
  }
  void open() {
    form_.reset();
    changes_ = 0;
    form_ = std::make_unique<ReceiptMainForm>();
    form_->dialogs.openStyle = [](QWidget*, const QString&) {
      return QStringLiteral(KELVANE_SOURCE_DATA "/style/sample.rcd");
    };
    form_->show();
    form_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    // A small layout to edit, put in as the program started with it.
    LayoutDocument& d = form_->document();
    for (int row = 1; row <= 3; ++row)
      d.setLine(slotmap::shapeLine(row), kLine + QByteArray::number(row));
    for (int row = 1; row <= 3; ++row)
      d.setLine(slotmap::textLine(row), kText + QByteArray::number(row));
    d.setLine(slotmap::imageLine(1), kImage);
    FillElementEditors(*form_, ReadStyleContents(d));
    form_->edits().clearHistory();
    QObject::connect(&form_->edits(), &LayoutEdits::changed, [this] { ++changes_; });
    boxes_.texts.clear();
  }
  void TearDown() override {
    form_.reset();
    SetProgramFolder({});
  }

  QList<QByteArray> lines() const { return form_->document().lines(); }
  void selectShape(int row) {
    form_->showPage(form_->linesPage);
    form_->linesPage->StrColGrid1->SetRow(row);
    form_->shapeEditor->StrColGrid1Click();
  }
  void selectText(int row) {
    form_->showPage(form_->textsPage);
    form_->textsPage->StrColGrid3->SetRow(row);
    form_->textItemEditors->StrColGrid3Click(row);
  }
  void focusSlider() {
    // A box answered on the way takes the activation until it is back.
    form_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    form_->preview->TrackBar1->setFocus();
  }
  // Ctrl+Z and Ctrl+Shift+Z as the user presses them, the focus on the
  // zoom slider.
  void pressUndo() {
    focusSlider();
    EXPECT_EQ(QApplication::focusWidget(), form_->preview->TrackBar1)
        << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString()
                                        : "none");
    QTest::keyClick(form_->preview->TrackBar1, Qt::Key_Z, Qt::ControlModifier);
  }
  void pressRedo() {
    focusSlider();
    QTest::keyClick(form_->preview->TrackBar1, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  }

  QTemporaryDir dir_;
  BoxAnswerer boxes_;
  std::unique_ptr<ReceiptMainForm> form_;
  int changes_ = 0;
};

TEST_F(UndoRedoTest, EveryKindOfStyleChangeIsUndoneAndRedoneByteForByte) {
  struct Case {
    const char* step;
    std::function<void(UndoRedoTest&)> prepare;
    std::function<void(UndoRedoTest&)> act;
    bool emptiesReceipt = false;  // compared without the receipt's texts
  };
  const auto none = [](UndoRedoTest&) {};
  const Case cases[] = {
      {"線の変更", [](UndoRedoTest& t) { t.selectShape(2); },
       [](UndoRedoTest& t) {
         t.form_->linesPage->x1->setValue(33);
         QTest::mouseClick(t.form_->linesPage->IconButton12, Qt::LeftButton);
       }},
      {"線のクリア", [](UndoRedoTest& t) { t.selectShape(2); },
       [](UndoRedoTest& t) {
         QTest::mouseClick(t.form_->linesPage->IconButton17, Qt::LeftButton);
       }},
      {"線の移動", [](UndoRedoTest& t) { t.selectShape(1); },
       [](UndoRedoTest& t) {
         QTest::mouseClick(t.form_->linesPage->PictButton23, Qt::LeftButton);
       }},
      {"線の行挿入", [](UndoRedoTest& t) { t.selectShape(1); },
       [](UndoRedoTest& t) { t.form_->menu.insertShapeRow->trigger(); }},
      {"線の交換", [](UndoRedoTest& t) { t.selectShape(1); },
       [](UndoRedoTest& t) { t.form_->menu.exchangeShapeRow->trigger(); }},
      {"線の削除", [](UndoRedoTest& t) { t.selectShape(2); },
       [](UndoRedoTest& t) { t.form_->menu.deleteShapeRow->trigger(); }},
      {"線の並べ替え", none,
       [](UndoRedoTest& t) { t.form_->shapeEditor->StrColGrid1RowMoved(1, 3); }},
      {"文字の変更", [](UndoRedoTest& t) { t.selectText(2); },
       [](UndoRedoTest& t) {
         t.form_->textsPage->Edit1->setText(QStringLiteral("changed"));
         QTest::mouseClick(t.form_->textsPage->IconButton2, Qt::LeftButton);
       }},
      {"文字のリセット", [](UndoRedoTest& t) { t.selectText(3); },
       [](UndoRedoTest& t) {
         QTest::mouseClick(t.form_->textsPage->IconButton21, Qt::LeftButton);
       }},
      {"文字の削除", [](UndoRedoTest& t) { t.selectText(1); },
       [](UndoRedoTest& t) { t.form_->menu.deleteTextRow->trigger(); }},
      {"文字の行挿入", [](UndoRedoTest& t) { t.selectText(2); },
       [](UndoRedoTest& t) { t.form_->menu.insertTextRow->trigger(); }},
      {"文字の交換", [](UndoRedoTest& t) { t.selectText(1); },
       [](UndoRedoTest& t) { t.form_->menu.exchangeTextRow->trigger(); }},
      {"文字の並べ替え", none,
       [](UndoRedoTest& t) { t.form_->textItemEditors->StrColGrid3RowMoved(3, 1); }},
      {"印字位置のリセット",
       [](UndoRedoTest& t) {
         t.form_->textItemEditors->where01Click(slotmap::kCompanyName1 - slotmap::kItemBase);
       },
       [](UndoRedoTest& t) { t.form_->textItemEditors->ResetPositionItem(); }},
      {"印字位置の移動",
       [](UndoRedoTest& t) {
         t.form_->textItemEditors->where01Click(slotmap::kAmount - slotmap::kItemBase);
       },
       [](UndoRedoTest& t) { t.form_->textItemEditors->nudgePosition(NudgeDirection::Down, {}); }},
      {"画像の移動",
       [](UndoRedoTest& t) { t.form_->imageEditor->Button20Click(slotmap::imageLine(1)); },
       [](UndoRedoTest& t) { t.form_->imageEditor->NudgeImage(1, 0, {}); }},
      {"画像のクリア",
       [](UndoRedoTest& t) { t.form_->imageEditor->Button20Click(slotmap::imageLine(1)); },
       [](UndoRedoTest& t) { t.form_->imageEditor->IconButton16Click(); }},
      {"スタイルを開く", none, [](UndoRedoTest& t) { t.form_->menu.N16->trigger(); }},
      {"スタイルデータのクリア", none,
       [](UndoRedoTest& t) {
         t.boxes_.answerWith = QStringLiteral("実行");
         t.form_->menu.N13->trigger();
       },
       true},
      {"行の消去", none, [](UndoRedoTest& t) { ClearLayoutLine(*t.form_, slotmap::shapeLine(3)); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step);
    open();
    if (HasFatalFailure()) return;
    c.prepare(*this);
    const auto seen = [&] { return c.emptiesReceipt ? layoutOnly(lines()) : lines(); };
    const QList<QByteArray> before = seen();
    c.act(*this);
    const QList<QByteArray> after = seen();
    ASSERT_NE(after, before);
    EXPECT_EQ(form_->edits().undoName(), QString::fromUtf8(c.step));
    EXPECT_EQ(form_->menu.undo->text(), QStringLiteral("元に戻す: ") + QString::fromUtf8(c.step));
    pressUndo();
    EXPECT_TRUE(seen() == before) << differences(seen(), before);
    EXPECT_EQ(form_->menu.redo->text(), QStringLiteral("やり直し: ") + QString::fromUtf8(c.step));
    EXPECT_FALSE(form_->menu.undo->isEnabled());
    pressRedo();
    EXPECT_TRUE(seen() == after) << differences(seen(), after);
    form_->menu.undo->trigger();
    EXPECT_TRUE(seen() == before) << differences(seen(), before);
  }
}

TEST_F(UndoRedoTest, AnUndoneOpenNoLongerProposesThatStyleToSaveOver) {
  const QString sample = QStringLiteral(KELVANE_SOURCE_DATA "/style/sample.rcd");
  form_->menu.N16->trigger();
  ASSERT_EQ(form_->currentStylePath(), sample);
  pressUndo();
  EXPECT_EQ(form_->currentStylePath(), QString());
  EXPECT_EQ(form_->stylePage->stylebtn->toolTip(), QString());
  QString proposed = QStringLiteral("not asked");
  form_->dialogs.saveStyle = [&](QWidget*, const QString& offered) {
    proposed = offered;
    return QString();
  };
  form_->menu.N17->trigger();
  EXPECT_NE(proposed, sample) << "saving would have written the undone style's file";
  pressRedo();
  EXPECT_EQ(form_->currentStylePath(), sample);
  EXPECT_EQ(form_->stylePage->stylebtn->toolTip(), sample);
}

TEST_F(UndoRedoTest, NothingToUndoLeavesBothCommandsDisabled) {
  EXPECT_FALSE(form_->menu.undo->isEnabled());
  EXPECT_FALSE(form_->menu.redo->isEnabled());
  EXPECT_EQ(form_->menu.undo->text(), QStringLiteral("元に戻す"));
  EXPECT_EQ(form_->menu.undo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
  EXPECT_EQ(form_->menu.redo->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  // The tool strip's buttons are the same commands.
  EXPECT_EQ(form_->toolStrip->undoButton->defaultAction(), form_->menu.undo);
  EXPECT_EQ(form_->toolStrip->redoButton->defaultAction(), form_->menu.redo);
  const QList<QByteArray> start = lines();
  pressUndo();
  EXPECT_EQ(lines(), start);
}

TEST_F(UndoRedoTest, ManyStepsBackToTheStartAndANewStepClearsRedo) {
  const QList<QByteArray> start = lines();
  selectShape(1);
  const int steps = 210;
  for (int i = 0; i < steps; ++i) form_->shapeEditor->NudgeShape(1, 0, {});
  EXPECT_EQ(form_->edits().undoCount(), steps);
  for (int i = 0; i < steps; ++i) form_->menu.undo->trigger();
  EXPECT_EQ(lines(), start);
  EXPECT_FALSE(form_->menu.undo->isEnabled());
  form_->menu.redo->trigger();
  ASSERT_TRUE(form_->menu.redo->isEnabled());
  form_->shapeEditor->NudgeShape(0, 1, {});
  EXPECT_FALSE(form_->menu.redo->isEnabled());
  EXPECT_EQ(form_->edits().undoName(), QStringLiteral("線の移動"));
}

// The editors show the document's values again after an undo.
TEST_F(UndoRedoTest, TheEditorsShowTheValuesTakenBack) {
  selectShape(1);
  const QString x = form_->linesPage->x1->text();
  const QString corners = form_->linesPage->StrColGrid1->Cells(2, 1);
  form_->shapeEditor->NudgeShape(1, 0, Qt::ControlModifier);
  ASSERT_NE(form_->linesPage->x1->text(), x);
  selectText(2);
  form_->textsPage->Edit1->setText(QStringLiteral("changed"));
  form_->textItemEditors->ApplyTextItem();
  ASSERT_EQ(form_->textsPage->StrColGrid3->Cells(1, 2), QStringLiteral("changed"));

  form_->menu.undo->trigger();
  EXPECT_EQ(form_->textsPage->Edit1->text(), QStringLiteral("hello2"));
  EXPECT_EQ(form_->textsPage->StrColGrid3->Cells(1, 2), QStringLiteral("hello2"));
  form_->menu.undo->trigger();
  EXPECT_EQ(form_->linesPage->x1->text(), x);
  EXPECT_EQ(form_->linesPage->StrColGrid1->Cells(2, 1), corners);

  // A style brings its own settings; taking it back brings the old ones.
  const QString width = form_->stylePage->d3->text();
  form_->menu.N16->trigger();
  ASSERT_NE(form_->stylePage->d3->text(), width);
  form_->menu.undo->trigger();
  EXPECT_EQ(form_->stylePage->d3->text(), width);
  EXPECT_EQ(form_->linesPage->StrColGrid1->Cells(2, 1), corners);
}

TEST_F(UndoRedoTest, TypingTheReceiptMakesNoStepAndAnUndoKeepsIt) {
  const auto addressee = [this] {
    return CharRecordText(form_->document().line(slotmap::kAddressee));
  };
  ReceiptIssuePage* page = form_->receiptPage;
  form_->showPage(page);
  const int before = changes_;
  page->atesaki_1->setFocus();
  page->atesaki_1->setEditText(QStringLiteral("Yamada"));
  QTest::keyClick(page->atesaki_1, Qt::Key_Return);
  ASSERT_EQ(addressee(), "Yamada");
  EXPECT_GT(changes_, before);  // the preview heard it
  EXPECT_FALSE(form_->edits().canUndo());

  selectShape(1);
  form_->shapeEditor->NudgeShape(0, 1, {});
  form_->showPage(page);
  page->atesaki_1->setFocus();
  page->atesaki_1->setEditText(QStringLiteral("Suzuki"));
  QTest::keyClick(page->atesaki_1, Qt::Key_Return);
  EXPECT_EQ(form_->edits().undoCount(), 1);
  form_->menu.undo->trigger();
  EXPECT_EQ(addressee(), "Suzuki");
  EXPECT_EQ(page->atesaki_1->currentText(), QStringLiteral("Suzuki"));
  // Opening a style ends with a new receipt: taking the style back does not
  // bring the receipt before it back.
  form_->menu.N16->trigger();
  EXPECT_TRUE(addressee().isEmpty());
  form_->menu.undo->trigger();
  EXPECT_TRUE(addressee().isEmpty());
}

TEST_F(UndoRedoTest, OneRedrawForEachChangeHoweverLarge) {
  const struct {
    const char* what;
    std::function<void(UndoRedoTest&)> act;
  } cases[] = {
      {"delete a line",
       [](UndoRedoTest& t) {
         t.selectShape(1);
         t.form_->menu.deleteShapeRow->trigger();
       }},
      {"open a style", [](UndoRedoTest& t) { t.form_->menu.N16->trigger(); }},
      {"undo it", [](UndoRedoTest& t) { t.form_->menu.undo->trigger(); }},
      {"redo it", [](UndoRedoTest& t) { t.form_->menu.redo->trigger(); }},
      {"clear the style",
       [](UndoRedoTest& t) {
         t.boxes_.answerWith = QStringLiteral("実行");
         t.form_->menu.N13->trigger();
       }},
      {"a new receipt",
       [](UndoRedoTest& t) {
         t.form_->receiptPage->atesaki_1->setEditText(QStringLiteral("Yamada"));
         t.form_->menu.newReceipt->trigger();
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const int before = changes_;
    c.act(*this);
    EXPECT_EQ(changes_, before + 1);
  }
}

TEST_F(UndoRedoTest, CtrlZInATextFieldIsTheFieldsOwnUndo) {
  selectShape(1);
  form_->shapeEditor->NudgeShape(0, 1, {});
  const QList<QByteArray> nudged = lines();
  for (QLineEdit* field : {form_->textsPage->Edit1, static_cast<QLineEdit*>(form_->linesPage->x1),
                           form_->receiptPage->atesaki_1->lineEdit()}) {
    SCOPED_TRACE(field->objectName().toStdString());
    form_->showPage(field == form_->textsPage->Edit1 ? static_cast<QWidget*>(form_->textsPage)
                    : field == form_->receiptPage->atesaki_1->lineEdit()
                        ? static_cast<QWidget*>(form_->receiptPage)
                        : static_cast<QWidget*>(form_->linesPage));
    form_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    field->setFocus();
    // An editable list box keeps the focus for its field.
    QWidget* focused = QApplication::focusWidget();
    ASSERT_TRUE(focused == field || focused == field->parentWidget());
    field->setText(QString());
    testing::Type(QStringLiteral("12"));
    QTest::keyClick(focused, Qt::Key_Z, Qt::ControlModifier);
    // The numeric fields have no undo of their own; the layout stays anyway.
    if (field != form_->linesPage->x1) {
      EXPECT_EQ(field->text(), QString());
    }
    EXPECT_EQ(lines(), nudged);
    EXPECT_EQ(form_->edits().undoCount(), 1);
  }
  pressUndo();  // outside a text field the key undoes the layout
  EXPECT_EQ(form_->edits().undoCount(), 0);
}

TEST_F(UndoRedoTest, CtrlZInAStyleFieldTakesBackTheStepItsEnterMade) {
  struct Case {
    const char* field;
    std::function<QLineEdit*(UndoRedoTest&)> prepare;
    const char* typed;
  };
  const Case cases[] = {
      {"線関係 X1",
       [](UndoRedoTest& t) {
         t.selectShape(1);
         return static_cast<QLineEdit*>(t.form_->linesPage->x1);
       },
       "33"},
      {"文字関係の文字",
       [](UndoRedoTest& t) {
         t.selectText(1);
         return t.form_->textsPage->Edit1;
       },
       "changed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    open();
    if (HasFatalFailure()) return;
    const QList<QByteArray> before = lines();
    QLineEdit* field = c.prepare(*this);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    testing::Type(QString::fromLatin1(c.typed));
    QTest::keyClick(field, Qt::Key_Return);
    ASSERT_EQ(form_->edits().undoCount(), 1);
    // The focus is still in the field, as the user left it.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form_->edits().undoCount(), 0);
    EXPECT_TRUE(lines() == before) << differences(lines(), before);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z,
                    Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form_->edits().undoCount(), 1);
  }
}

TEST_F(UndoRedoTest, AnUndoKeepsTheWidthThePositionEditorShows) {
  TextItemEditors& editors = *form_->textItemEditors;
  form_->showPage(form_->positionsPage);
  editors.where01Click(slotmap::kAmount - slotmap::kItemBase);
  form_->positionsPage->positionWidth->setValue(99);
  editors.ApplyPositionItem();
  form_->positionsPage->positionX->setValue(30);
  editors.ApplyPositionItem();
  const QList<QByteArray> withWidth = lines();
  pressUndo();
  EXPECT_EQ(form_->positionsPage->positionWidth->value(), 99);
  pressRedo();
  EXPECT_EQ(form_->positionsPage->positionWidth->value(), 99);
  editors.ApplyPositionItem();  // ✓ after the undo and redo writes what it shows
  EXPECT_TRUE(lines() == withWidth) << differences(lines(), withWidth);
}

TEST_F(UndoRedoTest, AfterARowCommandTheTextEditorShowsTheRowItWillWrite) {
  using Command = void (TextItemEditors::*)();
  const std::pair<const char*, Command> commands[] = {{"交換", &TextItemEditors::ExchangeTextRow},
                                                      {"一行挿入", &TextItemEditors::InsertTextRow},
                                                      {"削除", &TextItemEditors::DeleteTextRow}};
  for (const auto& [name, command] : commands) {
    SCOPED_TRACE(name);
    open();
    if (HasFatalFailure()) return;
    selectText(1);
    (form_->textItemEditors->*command)();
    const QByteArray shown = form_->document().line(slotmap::textLine(1));
    EXPECT_EQ(form_->textsPage->Edit1->text().toLatin1(), CharRecordText(shown));
    // ✓ now writes row 1 as it stands, not the row that was there before.
    const QList<QByteArray> after = lines();
    QTest::mouseClick(form_->textsPage->IconButton2, Qt::LeftButton);
    const QByteArray written = form_->document().line(slotmap::textLine(1));
    EXPECT_EQ(CharRecordText(written), CharRecordText(shown));
  }
}

}  // namespace
}  // namespace kelvane
