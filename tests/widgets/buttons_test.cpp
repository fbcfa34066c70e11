#include "widgets/arrow_strip.h"
#include "widgets/icon_button.h"
#include "widgets/pict_button.h"

#include "support/widget_app.h"

#include <QEnterEvent>
#include <QInputDevice>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace kelvane {
namespace {

using B = TIconButton;

class ButtonsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The input-device list must outlive the application, which deletes the
    // mouse that QTest makes for it: create the list first.
    (void)QInputDevice::devices();
    testing::EnsureWidgetApplication();
  }
};

void Enter(QWidget& widget) {
  QEnterEvent event(QPointF(5, 5), QPointF(5, 5), widget.mapToGlobal(QPointF(5, 5)));
  QCoreApplication::sendEvent(&widget, &event);
}

void Leave(QWidget& widget) {
  QEvent event(QEvent::Leave);
  QCoreApplication::sendEvent(&widget, &event);
}

QColor Pixel(QWidget& widget, int x, int y) { return widget.grab().toImage().pixelColor(x, y); }

QPixmap Solid(int width, int height, const QColor& colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return QPixmap::fromImage(image);
}

// ---- icon button ----

struct BevelRow {
  B::ButtonStyle style;
  B::Bevel restInner, restOuter;
  B::Bevel pressedInner, pressedOuter;
  B::Bevel releasedInner, releasedOuter;
};

TEST_F(ButtonsTest, IconButtonBevelsAtRestPressedAndReleasedForEveryStyle) {
  const BevelRow rows[] = {
      {B::bsNone, B::bvNone, B::bvNone, B::bvNone, B::bvLowered, B::bvNone, B::bvNone},
      {B::bsLowered, B::bvNone, B::bvLowered, B::bvLowered, B::bvLowered, B::bvNone, B::bvLowered},
      // Raised keeps a raised outer bevel after its first click.
      {B::bsRaised, B::bvRaised, B::bvNone, B::bvRaised, B::bvLowered, B::bvRaised, B::bvRaised},
      {B::bsFrame, B::bvLowered, B::bvRaised, B::bvLowered, B::bvNone, B::bvLowered, B::bvRaised},
      {B::bsGroove, B::bvRaised, B::bvLowered, B::bvNone, B::bvLowered, B::bvRaised, B::bvLowered},
      {B::bsIELike, B::bvNone, B::bvNone, B::bvNone, B::bvLowered, B::bvNone, B::bvRaised},
  };
  for (const BevelRow& row : rows) {
    SCOPED_TRACE(row.style);
    TIconButton button;
    button.setButtonStyle(row.style);
    button.show();
    EXPECT_EQ(button.innerBevel(), row.restInner);
    EXPECT_EQ(button.outerBevel(), row.restOuter);
    QSignalSpy clicks(&button, &TIconButton::clicked);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(18, 18));
    EXPECT_EQ(button.innerBevel(), row.pressedInner);
    EXPECT_EQ(button.outerBevel(), row.pressedOuter);
    EXPECT_EQ(clicks.count(), 0);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(18, 18));
    EXPECT_EQ(button.innerBevel(), row.releasedInner);
    EXPECT_EQ(button.outerBevel(), row.releasedOuter);
    EXPECT_EQ(clicks.count(), 1);
  }
}

TEST_F(ButtonsTest, IELikeButtonFollowsThePointerWithAndWithoutTheLeftButtonHeld) {
  TIconButton button;
  button.setButtonStyle(B::bsIELike);
  button.show();
  QSignalSpy entered(&button, &TIconButton::MouseEnter);
  QSignalSpy left(&button, &TIconButton::MouseLeave);

  Enter(button);
  EXPECT_EQ(button.outerBevel(), B::bvRaised);
  Leave(button);
  EXPECT_EQ(button.outerBevel(), B::bvNone);

  // A press that slides off and back shows the button held down again.
  Enter(button);
  QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(18, 18));
  Leave(button);
  EXPECT_EQ(button.outerBevel(), B::bvNone);
  Enter(button);
  EXPECT_EQ(button.outerBevel(), B::bvLowered);
  QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(18, 18));
  EXPECT_EQ(button.outerBevel(), B::bvRaised);
  EXPECT_EQ(entered.count(), 3);
  EXPECT_EQ(left.count(), 2);

  // Let go off the button: no click, no bevel; the right button never presses.
  QSignalSpy clicks(&button, &TIconButton::clicked);
  QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(18, 18));
  QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(80, 18));
  EXPECT_EQ(clicks.count(), 0);
  EXPECT_EQ(button.outerBevel(), B::bvNone);
  QTest::mousePress(&button, Qt::RightButton, {}, QPoint(18, 18));
  EXPECT_EQ(button.outerBevel(), B::bvNone);
}

TEST_F(ButtonsTest, IconButtonPaintsBevelsBackgroundAndColourChange) {
  TIconButton button;  // bsFrame: lowered inner inside a raised outer
  button.setOutColor(QColor(10, 20, 30));
  button.setInColor(QColor(200, 100, 50));
  button.show();
  EXPECT_EQ(button.size(), QSize(36, 36));
  // Compared as 8-bit colours: the palette may hold finer channels.
  const QColor light = button.palette().color(QPalette::Light).toRgb().rgb();
  const QColor dark = button.palette().color(QPalette::Dark).toRgb().rgb();
  ASSERT_NE(light, dark);
  QImage image = button.grab().toImage();
  EXPECT_EQ(image.pixelColor(0, 0), light);
  EXPECT_EQ(image.pixelColor(35, 0), dark);
  EXPECT_EQ(image.pixelColor(35, 35), dark);
  EXPECT_EQ(image.pixelColor(1, 1), dark);
  EXPECT_EQ(image.pixelColor(34, 34), light);
  EXPECT_EQ(image.pixelColor(18, 18), QColor(10, 20, 30));

  Enter(button);
  EXPECT_EQ(Pixel(button, 18, 18), QColor(200, 100, 50));
  Leave(button);
  EXPECT_EQ(Pixel(button, 18, 18), QColor(10, 20, 30));

  button.setColorChange(false);
  Enter(button);
  EXPECT_EQ(Pixel(button, 18, 18), QColor(10, 20, 30));
}

TEST_F(ButtonsTest, IconButtonDrawsItsIconCentredStretchedOrDisabled) {
  const QColor green(0, 200, 0);
  TIconButton button;
  button.setIcon(QIcon(Solid(16, 16, green)));  // scaled up to 32 × 32
  button.show();
  QImage image = button.grab().toImage();
  EXPECT_EQ(image.pixelColor(2, 2), green);
  EXPECT_EQ(image.pixelColor(33, 33), green);
  EXPECT_NE(image.pixelColor(34, 34), green);

  button.setButtonStyle(B::bsLowered);  // one bevel: the icon fills from pixel 1
  button.setStretch(true);
  button.resize(50, 40);
  image = button.grab().toImage();
  EXPECT_NE(image.pixelColor(0, 0), green);
  EXPECT_EQ(image.pixelColor(1, 1), green);
  EXPECT_EQ(image.pixelColor(48, 38), green);
  EXPECT_NE(image.pixelColor(49, 39), green);

  button.setEnabled(false);
  EXPECT_NE(Pixel(button, 25, 20), green);
}

TEST_F(ButtonsTest, IconButtonSpaceClicksOnReleaseEnterAtOnceOtherKeysCancel) {
  TIconButton button;
  button.setButtonStyle(B::bsRaised);
  button.setTabStop(true);
  EXPECT_EQ(button.focusPolicy(), Qt::StrongFocus);
  button.show();
  QSignalSpy clicks(&button, &TIconButton::clicked);

  QTest::keyPress(&button, Qt::Key_Space);
  EXPECT_EQ(button.outerBevel(), B::bvLowered);
  EXPECT_EQ(clicks.count(), 0);
  QTest::keyRelease(&button, Qt::Key_Space);
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_EQ(button.outerBevel(), B::bvRaised);

  QTest::keyPress(&button, Qt::Key_Space);
  QTest::keyPress(&button, Qt::Key_A);
  EXPECT_EQ(button.outerBevel(), B::bvRaised);
  QTest::keyRelease(&button, Qt::Key_A);
  QTest::keyRelease(&button, Qt::Key_Space);
  EXPECT_EQ(clicks.count(), 1);

  // Enter clicks while showing the pressed look, then shows the released one.
  B::Bevel duringClick = B::bvNone;
  QObject::connect(&button, &TIconButton::clicked, [&] { duringClick = button.outerBevel(); });
  QTest::keyPress(&button, Qt::Key_Return);
  EXPECT_EQ(clicks.count(), 2);
  EXPECT_EQ(duringClick, B::bvLowered);
  EXPECT_EQ(button.outerBevel(), B::bvRaised);

  button.setEnabled(false);
  QTest::keyPress(&button, Qt::Key_Return);
  QTest::keyPress(&button, Qt::Key_Space);
  QTest::keyRelease(&button, Qt::Key_Space);
  EXPECT_EQ(clicks.count(), 2);
}

// ---- picture button and its arrows ----

TEST_F(ButtonsTest, ArrowStripHasThreeFramesOnOliveWithPressedShiftedAndDisabledGrey) {
  const QImage strip = ArrowStrip();
  ASSERT_EQ(strip.size(), QSize(48, 16));
  EXPECT_EQ(strip.pixel(0, 15), kArrowStripBackground);
  int ink = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const QRgb up = strip.pixel(x, y);
      if (up != kArrowStripBackground) ++ink;
      EXPECT_NE(strip.pixel(16 + x, y), qRgb(0, 0, 0));  // no black when disabled
      if (x < 15 && y < 15) {
        EXPECT_EQ(strip.pixel(32 + x + 1, y + 1), up);
      }
    }
  }
  EXPECT_GT(ink, 10);
  EXPECT_EQ(strip.pixel(0, 7), kArrowStripBackground);  // nothing drawn at the edges

  const QImage left = ArrowStrip(ArrowDirection::Left);
  const QImage down = ArrowStrip(ArrowDirection::Down);
  const QImage right = strip.copy(0, 0, 16, 16);
  EXPECT_EQ(left.copy(0, 0, 16, 16), right.mirrored(true, false));
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      EXPECT_EQ(down.pixel(x, y), right.pixel(y, x));
    }
  }
}

TEST_F(ButtonsTest, PictButtonStatesAndClicks) {
  TPictButton button;
  button.show();
  EXPECT_EQ(button.size(), QSize(24, 24));
  EXPECT_EQ(button.numGlyphs(), 1);
  QSignalSpy clicks(&button, &TPictButton::clicked);

  QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(12, 12));
  EXPECT_EQ(button.state(), TPictButton::StatePressed);
  QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(12, 12));
  EXPECT_EQ(button.state(), TPictButton::StateUp);
  EXPECT_EQ(clicks.count(), 1);

  // Moving off the button before letting go still clicks.
  QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(12, 12));
  QTest::mouseMove(&button, QPoint(200, 200));
  QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(200, 200));
  EXPECT_EQ(clicks.count(), 2);

  button.setPictEnabled(false);
  EXPECT_EQ(button.state(), TPictButton::StateDisabled);
  QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(12, 12));
  EXPECT_EQ(button.state(), TPictButton::StateDisabled);
  QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(12, 12));
  EXPECT_EQ(clicks.count(), 2);
  button.setPictEnabled(true);
  EXPECT_EQ(button.state(), TPictButton::StateUp);
}

TEST_F(ButtonsTest, SettingAGlyphCountsItsFramesAndAutoSizesToOne) {
  TPictButton button;
  struct {
    QSize glyph;
    int frames;
  } const cases[] = {{{48, 16}, 3}, {{64, 16}, 4}, {{32, 16}, 2},
                     {{16, 16}, 1}, {{80, 16}, 3}, {{8, 16}, 1}};
  for (const auto& c : cases) {
    button.setGlyph(Solid(c.glyph.width(), c.glyph.height(), Qt::blue));
    EXPECT_EQ(button.numGlyphs(), c.frames) << c.glyph.width();
    EXPECT_EQ(button.size(), QSize(c.glyph.width() / c.frames, 16)) << c.glyph.width();
  }
  button.setNumGlyphs(0);
  EXPECT_EQ(button.numGlyphs(), 1);

  TPictButton fixed;
  fixed.setAutoSize(false);
  fixed.setGlyph(Solid(48, 16, Qt::blue));
  EXPECT_EQ(fixed.size(), QSize(24, 24));
  fixed.setAutoSize(true);
  EXPECT_EQ(fixed.size(), QSize(16, 16));
}

TEST_F(ButtonsTest, PictButtonLeavesOutTheTransparentColourAndMissingFrames) {
  const QColor brush(1, 2, 3);
  TPictButton button;
  button.setAutoSize(false);
  button.setBrushColor(brush);
  button.show();
  // The built-in arrow: olive left out, black ink drawn, centred in 24 × 24.
  EXPECT_EQ(button.transparentColor(), QColor(128, 128, 0));
  QImage image = button.grab().toImage();
  EXPECT_EQ(image.pixelColor(0, 0), brush);
  EXPECT_EQ(image.pixelColor(4, 4 + 15), brush);
  bool black = false;
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 24; ++x) {
      EXPECT_NE(image.pixelColor(x, y), QColor(128, 128, 0));
      black = black || image.pixelColor(x, y) == QColor(0, 0, 0);
    }
  }
  EXPECT_TRUE(black);

  // One 4 × 4 frame whose bottom-left colour (magenta) is knocked out
  // wherever it appears; there is no disabled frame to show.
  QImage glyph(4, 4, QImage::Format_RGB32);
  glyph.fill(Qt::magenta);
  glyph.setPixel(1, 1, qRgb(0, 255, 0));
  button.setGlyph(QPixmap::fromImage(glyph));
  image = button.grab().toImage();
  EXPECT_EQ(image.pixelColor(10, 10), brush);
  EXPECT_EQ(image.pixelColor(11, 11), QColor(0, 255, 0));
  button.setPictEnabled(false);
  EXPECT_EQ(Pixel(button, 11, 11), brush);

  // Two frames: the pressed state has none either.
  QImage two(8, 4, QImage::Format_RGB32);
  two.fill(Qt::magenta);
  two.setPixel(1, 1, qRgb(0, 255, 0));
  two.setPixel(5, 1, qRgb(0, 0, 255));
  button.setGlyph(QPixmap::fromImage(two));
  EXPECT_EQ(Pixel(button, 11, 11), QColor(0, 0, 255));  // disabled frame
  button.setPictEnabled(true);
  QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(12, 12));
  EXPECT_EQ(Pixel(button, 11, 11), brush);
  QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(12, 12));
  EXPECT_EQ(Pixel(button, 11, 11), QColor(0, 255, 0));
}

}  // namespace
}  // namespace kelvane
