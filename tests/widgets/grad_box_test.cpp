#include "widgets/grad_box.h"

#include "support/widget_app.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace kelvane {
namespace {

class GradBoxTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::EnsureWidgetApplication(); }
};

TEST_F(GradBoxTest, FourStepsOnAHundredPixelsGiveFiveBandsOfTwentyFive) {
  const auto bands = GradientBands(100, 3, QColor(0, 0, 0), QColor(200, 100, 10));
  ASSERT_EQ(bands.size(), 5u);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(bands[i].offset, 25 * i);
    EXPECT_EQ(bands[i].size, 25);
  }
  EXPECT_EQ(bands[0].colour, QColor(0, 0, 0));
  // 10 ÷ 4 × 1 = 2.5 and × 3 = 7.5 round away from zero.
  EXPECT_EQ(bands[1].colour, QColor(50, 25, 3));
  EXPECT_EQ(bands[2].colour, QColor(100, 50, 5));
  EXPECT_EQ(bands[3].colour, QColor(150, 75, 8));
  EXPECT_EQ(bands[4].colour, QColor(200, 100, 10));
  EXPECT_GE(bands[4].offset, 100);  // the end colour falls outside the box

  // Falling channels round away from zero too: 10 − 2.5 → 7, 255 − 63.75 → 191.
  EXPECT_EQ(GradientBands(100, 3, QColor(10, 255, 0), Qt::black)[1].colour, QColor(7, 191, 0));
}

TEST_F(GradBoxTest, FullStepsOnAHundredPixelsShowOnlyTheFirstHundredColours) {
  const auto bands = GradientBands(100, 255, QColor(0, 0, 0), QColor(255, 255, 255));
  ASSERT_EQ(bands.size(), 257u);
  EXPECT_EQ(bands[99].offset, 99);
  EXPECT_EQ(bands[99].size, 1);
  EXPECT_EQ(bands[100].offset, 100);
  EXPECT_EQ(bands[99].colour, QColor(99, 99, 99));  // 255 ÷ 256 × 99 = 98.6
  EXPECT_EQ(bands[256].colour, QColor(255, 255, 255));
}

TEST_F(GradBoxTest, BandsThatEndShortAreFollowedByTheLastColourAndStepsAreClamped) {
  // 100 ÷ 46 rounds to 2; 47 bands cover 94 pixels.
  const auto bands = GradientBands(100, 45, Qt::white, Qt::black);
  ASSERT_EQ(bands.size(), 48u);
  EXPECT_EQ(bands.back().offset, 94);
  EXPECT_EQ(bands.back().size, 6);
  EXPECT_EQ(bands.back().colour, QColor(Qt::black));

  EXPECT_EQ(GradientBands(100, 999, Qt::white, Qt::black).size(), 257u);
  const auto single = GradientBands(100, -4, Qt::white, Qt::black);
  ASSERT_EQ(single.size(), 2u);  // step 0: the start colour over the whole box
  EXPECT_EQ(single[0].size, 100);
  EXPECT_EQ(GradientBands(0, 3, Qt::white, Qt::black)[0].size, 1);
}

TEST_F(GradBoxTest, PaintsVerticalBandsDownwardAndHorizontalOnesRightward) {
  TGradBox box;
  EXPECT_EQ(box.size(), QSize(128, 128));
  box.resize(40, 100);
  box.setStartColor(QColor(0, 0, 0));
  box.setEndColor(QColor(200, 100, 0));
  box.setGradStep(3);
  QImage image = box.grab().toImage();
  EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(0, 0, 0));
  EXPECT_EQ(QColor(image.pixel(39, 24)), QColor(0, 0, 0));
  EXPECT_EQ(QColor(image.pixel(20, 25)), QColor(50, 25, 0));
  EXPECT_EQ(QColor(image.pixel(20, 99)), QColor(150, 75, 0));

  box.setDirection(TGradBox::gdHorizontal);
  box.resize(100, 10);
  image = box.grab().toImage();
  EXPECT_EQ(QColor(image.pixel(24, 9)), QColor(0, 0, 0));
  EXPECT_EQ(QColor(image.pixel(25, 0)), QColor(50, 25, 0));
  EXPECT_EQ(QColor(image.pixel(75, 5)), QColor(150, 75, 0));
}

TEST_F(GradBoxTest, ChangeFiresForEachAppearancePropertyThatChanges) {
  TGradBox box;
  QSignalSpy spy(&box, &TGradBox::Change);
  box.setStartColor(Qt::red);
  box.setEndColor(Qt::blue);
  box.setGradStep(10);
  box.setDirection(TGradBox::gdHorizontal);
  EXPECT_EQ(spy.count(), 4);
  box.setStartColor(Qt::red);
  box.setGradStep(10);
  EXPECT_EQ(spy.count(), 4);
  box.setGradStep(300);
  EXPECT_EQ(box.gradStep(), 255);
  box.setGradStep(256);
  EXPECT_EQ(spy.count(), 5);
}

}  // namespace
}  // namespace kelvane
