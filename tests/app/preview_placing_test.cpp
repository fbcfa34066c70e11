// Placing with the mouse on the preview of the main window: a click picks
// the element drawn there and brings its editor forward, a drag moves it to
// the half millimetre (Alt: the tenth) as one step that Ctrl+Z takes back
// whole, the arrow keys nudge it, Esc lets it go, and the selection frame
// is on the screen only.

#include "app/preview_placing.h"
#include "app/image_editor.h"
#include "app/pages/images_page.h"
#include "app/pages/lines_page.h"
#include "app/pages/positions_page.h"
#include "app/pages/receipt_issue_page.h"
#include "app/pages/style_settings_page.h"
#include "app/pages/texts_page.h"
#include "app/receipt_main_form.h"
#include "app/shape_editor.h"
#include "app/style_commands.h"
#include "app/text_item_editors.h"
#include "layout/layout_slots.h"
#include "render/recording_canvas.h"
#include "render/renderer.h"
#include "settings/program_folder.h"
#include "styles/style_contents.h"
#include "support/box_answerer.h"
#include "text/cp932.h"
#include "text/fixed_point.h"
#include "widgets/nval_edit.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QSlider>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace kelvane {
namespace {

using testing::BoxAnswerer;

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

const int kShape = slotmap::shapeLine(1);
const int kText = slotmap::textLine(1);
const int kItem = slotmap::kCompanyName1;
const int kImage = slotmap::imageLine(1);

class PreviewPlacingTest : public ::testing::Test {
 public:
  void SetUp() override {
    testing::EnsureWidgetApplication();
    SetProgramFolder(dir_.path());
    ASSERT_TRUE(QFile::copy(QStringLiteral(KELVANE_SOURCE_DATA "/cleardata.rcd"),
                            dir_.filePath(QStringLiteral("cleardata.rcd"))));
    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString picturePath = dir_.filePath(QStringLiteral("stamp.bmp"));
    ASSERT_TRUE(picture.save(picturePath, "BMP"));

    form_ = std::make_unique<ReceiptMainForm>();
    form_->show();
    form_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    // A receipt of 180 x 100 mm, so that the preview has a drawing area.
    form_->stylePage->d3->setValue(180);
    form_->stylePage->d4->setValue(100);
    LayoutDocument& d = form_->document();
    // Apart from each other, well inside the receipt.
    d.setLine(kShape, sj("line,0,10,20,60,20,2,実線,0,"));
    d.setLine(kText, sj("char,0,15,40,MS Gothic,12,,0,0,0,ABCDEFGH"));
    d.setLine(kItem, sj("char,0,70,40,MS Gothic,12,,0,0,0,COMPANY"));
    d.setLine(kImage, "image,0,100,10," + picturePath.toLocal8Bit() + ",15,15,,0,0");
    FillElementEditors(*form_, ReadStyleContents(d));
    form_->edits().clearHistory();
    form_->RefreshPreview();
    box_ = form_->preview->PaintBox1;
  }
  void TearDown() override {
    form_.reset();
    SetProgramFolder({});
  }

  // Where `line` is drawn on the preview: the middle of its left end.
  QPoint pointOn(int line) {
    const auto shapes = form_->preview->measureElements();
    const ElementShape* shape = ShapeOfLine(shapes, line);
    EXPECT_NE(shape, nullptr) << line;
    if (!shape) return {};
    return QPoint(shape->bounds.left() + 3, shape->bounds.center().y());
  }
  void moveTo(QPoint at, Qt::KeyboardModifiers modifiers = {}) {
    QMouseEvent move(QEvent::MouseMove, at, box_->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                     modifiers);
    QApplication::sendEvent(box_, &move);
  }
  // Presses on `line`, moves by `by` in three steps and lets go.
  void drag(int line, QPoint by, Qt::KeyboardModifiers modifiers = {}) {
    const QPoint from = pointOn(line);
    QTest::mousePress(box_, Qt::LeftButton, {}, from);
    for (int step = 1; step <= 3; ++step) moveTo(from + by * step / 3, modifiers);
    QTest::mouseRelease(box_, Qt::LeftButton, {}, from + by);
  }
  // The millimetres `pixels` of the preview make.
  double millimetres(int pixels) const {
    const double perMillimetre = form_->preview->geometry().resolutionX / 25.4;
    return pixels / perMillimetre;
  }
  static double snapped(double value, double grid) { return std::round(value / grid) * grid; }
  QByteArray line(int index) const { return form_->document().line(index); }
  QList<QByteArray> printedCalls() {
    RecordingCanvas printer(true);
    Renderer renderer;
    RenderSettings settings = form_->previewSettings();
    EXPECT_TRUE(
        renderer
            .DrawLayout(printer, form_->document(), settings, 600 * fixed::kOne, 600 * fixed::kOne)
            .ok());
    QList<QByteArray> out;
    for (const TextCall& c : printer.callsOf<TextCall>()) out.append(c.text);
    for (const LineCall& c : printer.callsOf<LineCall>())
      out.append(QByteArray::number(c.from.x()) + "," + QByteArray::number(c.to.y()));
    out.append(QByteArray::number(printer.calls().size()));
    return out;
  }

  QTemporaryDir dir_;
  BoxAnswerer boxes_;
  std::unique_ptr<ReceiptMainForm> form_;
  QWidget* box_ = nullptr;
};

TEST_F(PreviewPlacingTest, OpeningAnotherStyleLetsThePickedElementGo) {
  QTest::mouseClick(box_, Qt::LeftButton, {}, pointOn(kShape));
  ASSERT_EQ(form_->previewPlacer->selectedLine(), kShape);
  form_->dialogs.openStyle = [](QWidget*, const QString&) {
    return QStringLiteral(KELVANE_SOURCE_DATA "/style/sample.rcd");
  };
  form_->menu.N16->trigger();
  EXPECT_EQ(form_->previewPlacer->selectedLine(), -1);
  EXPECT_EQ(form_->preview->selectedLine(), -1) << "no frame on an element of the new layout";
}

TEST_F(PreviewPlacingTest, TheCursorShowsWhereAnElementCanBeTaken) {
  const auto hoverAt = [&](QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, box_->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(box_, &move);
    return box_->cursor().shape();
  };
  for (const int element : {kShape, kText, kItem, kImage})
    EXPECT_EQ(hoverAt(pointOn(element)), Qt::SizeAllCursor) << element;
  EXPECT_EQ(hoverAt(QPoint(2, 2)), Qt::ArrowCursor) << "outside the receipt";
  // Moved by a step, the text is no longer where it was once redrawn.
  const QPoint before = pointOn(kText);
  form_->document().setLine(kText, sj("char,0,15,80,MS Gothic,12,,0,0,0,ABCDEFGH"));
  form_->RefreshPreview();
  QApplication::sendPostedEvents();
  box_->repaint();
  EXPECT_EQ(hoverAt(before), Qt::ArrowCursor);
  EXPECT_EQ(hoverAt(pointOn(kText)), Qt::SizeAllCursor);
}

TEST_F(PreviewPlacingTest, AClickBringsTheElementsEditorForward) {
  const struct {
    int line;
    std::function<QWidget*(ReceiptMainForm&)> page;
    std::function<int(ReceiptMainForm&)> selected;
  } cases[] = {
      {kShape, [](ReceiptMainForm& f) -> QWidget* { return f.linesPage; },
       [](ReceiptMainForm& f) { return slotmap::shapeLine(f.shapeEditor->selectedRow()); }},
      {kText, [](ReceiptMainForm& f) -> QWidget* { return f.textsPage; },
       [](ReceiptMainForm& f) { return f.textItemEditors->textLine(); }},
      {kItem, [](ReceiptMainForm& f) -> QWidget* { return f.positionsPage; },
       [](ReceiptMainForm& f) { return f.textItemEditors->positionLine(); }},
      {kImage, [](ReceiptMainForm& f) -> QWidget* { return f.imagesPage; },
       [](ReceiptMainForm& f) { return f.imageEditor->selectedLine(); }},
  };
  for (const auto& c : cases) {
    form_->showPage(form_->receiptPage);
    QTest::mouseClick(box_, Qt::LeftButton, {}, pointOn(c.line));
    EXPECT_EQ(form_->currentPage(), c.page(*form_)) << c.line;
    EXPECT_EQ(c.selected(*form_), c.line);
    EXPECT_EQ(form_->previewPlacer->selectedLine(), c.line);
    EXPECT_EQ(form_->preview->selectedLine(), c.line);
  }
  EXPECT_EQ(form_->edits().undoCount(), 0);  // picking changes nothing
  // The empty paper lets the selection go.
  QTest::mouseClick(box_, Qt::LeftButton, {}, QPoint(2, box_->height() - 2));
  EXPECT_EQ(form_->preview->selectedLine(), -1);
}

TEST_F(PreviewPlacingTest, ADragMovesByTheHalfMillimetreAsOneStep) {
  const QByteArray before = line(kShape);
  const auto lines = form_->document().lines();
  const QPoint by(40, 27);
  const double dx = snapped(10 + millimetres(by.x()), 0.5) - 10;
  const double dy = snapped(20 + millimetres(by.y()), 0.5) - 20;
  ASSERT_GT(dx, 5);

  const QPoint from = pointOn(kShape);
  QTest::mousePress(box_, Qt::LeftButton, {}, from);
  moveTo(from + by / 2);
  // On the way the document shows the element where it is, no step yet.
  EXPECT_NE(line(kShape), before);
  EXPECT_EQ(form_->edits().undoCount(), 0);
  EXPECT_TRUE(form_->statusBar()->currentMessage().startsWith(QStringLiteral("X: ")));
  // ... and the preview draws it, framed, where it is.
  (void)box_->grab();
  EXPECT_GT(form_->preview->selectionFrame().left(), from.x() + 5);
  moveTo(from + by);
  QTest::mouseRelease(box_, Qt::LeftButton, {}, from + by);

  const QByteArray expected = "line,0," + QByteArray::number(10 + dx) + "," +
                              QByteArray::number(20 + dy) + "," + QByteArray::number(60 + dx) +
                              "," + QByteArray::number(20 + dy) + ",2," + sj("実線") + ",0,";
  EXPECT_EQ(line(kShape), expected);
  EXPECT_EQ(form_->edits().undoCount(), 1);
  EXPECT_EQ(form_->edits().undoName(), QStringLiteral("線の移動"));
  // The editor shows where the line is now.
  EXPECT_DOUBLE_EQ(double(form_->linesPage->x1->value()), 10 + dx);

  form_->preview->TrackBar1->setFocus();
  QTest::keyClick(form_->preview->TrackBar1, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(form_->document().lines(), lines);  // one Ctrl+Z takes back the whole drag
  EXPECT_FALSE(form_->edits().canUndo());
}

TEST_F(PreviewPlacingTest, AltMovesFreelyToTheTenth) {
  const QPoint by(43, 0);
  drag(kText, by, Qt::AltModifier);
  const double x = snapped(15 + millimetres(by.x()), 0.1);
  ASSERT_NE(x, snapped(x, 0.5));  // the drag lands off the half millimetre
  EXPECT_EQ(line(kText), "char,0," + QByteArray::number(x) + ",40,MS Gothic,12,,0,0,0,ABCDEFGH");
  EXPECT_EQ(form_->edits().undoName(), QStringLiteral("文字の移動"));
}

TEST_F(PreviewPlacingTest, ATinyDragChangesNothing) {
  drag(kImage, QPoint(0, 0));
  drag(kItem, QPoint(2, 0));  // a hand that shook on the click: no drag yet
  EXPECT_EQ(form_->edits().undoCount(), 0);
}

TEST_F(PreviewPlacingTest, ArrowKeysNudgeTheSelectedElementEscLetsItGo) {
  QTest::mouseClick(box_, Qt::LeftButton, {}, pointOn(kShape));
  const struct {
    int key;
    Qt::KeyboardModifiers modifiers;
    const char* record;
  } cases[] = {
      {Qt::Key_Right, {}, "line,0,11,20,61,20,2,"},
      {Qt::Key_Down, Qt::ShiftModifier, "line,0,11,20.1,61,20.1,2,"},
      {Qt::Key_Left, Qt::ControlModifier, "line,0,1,20.1,51,20.1,2,"},
      {Qt::Key_Up, {}, "line,0,1,19.1,51,19.1,2,"},
  };
  int steps = 0;
  for (const auto& c : cases) {
    QTest::keyClick(box_, Qt::Key(c.key), c.modifiers);
    EXPECT_TRUE(line(kShape).startsWith(c.record)) << line(kShape).constData();
    EXPECT_EQ(form_->edits().undoCount(), ++steps);
  }
  QTest::keyClick(box_, Qt::Key_Escape);
  EXPECT_EQ(form_->preview->selectedLine(), -1);
  const QByteArray kept = line(kShape);
  QTest::keyClick(box_, Qt::Key_Right);
  EXPECT_EQ(line(kShape), kept);
}

TEST_F(PreviewPlacingTest, EscInTheMiddleOfADragPutsTheElementBack) {
  const QByteArray before = line(kImage);
  const QPoint from = pointOn(kImage);
  QTest::mousePress(box_, Qt::LeftButton, {}, from);
  moveTo(from + QPoint(30, 30));
  EXPECT_NE(line(kImage), before);
  QTest::keyClick(box_, Qt::Key_Escape);
  QTest::mouseRelease(box_, Qt::LeftButton, {}, from + QPoint(30, 30));
  EXPECT_EQ(line(kImage), before);
  EXPECT_EQ(form_->edits().undoCount(), 0);
}

TEST_F(PreviewPlacingTest, TheSelectionFrameIsOnTheScreenOnly) {
  const auto document = form_->document().lines();
  const auto printed = printedCalls();
  QTest::mouseClick(box_, Qt::LeftButton, {}, pointOn(kText));
  const QImage screen = box_->grab().toImage();
  const QRect frame = form_->preview->selectionFrame();
  ASSERT_FALSE(frame.isEmpty());
  const auto shapes = form_->preview->measureElements();
  const ElementShape* text = ShapeOfLine(shapes, kText);
  ASSERT_NE(text, nullptr);
  EXPECT_TRUE(frame.contains(text->bounds));
  int framePixels = 0;
  for (int y = frame.top(); y <= frame.bottom(); ++y)
    framePixels += screen.pixelColor(frame.left(), y) == QColor(0, 120, 215);
  EXPECT_GT(framePixels, 0);
  // Neither the document nor the printed page know of it.
  EXPECT_EQ(form_->document().lines(), document);
  EXPECT_EQ(printedCalls(), printed);
}

}  // namespace
}  // namespace kelvane
