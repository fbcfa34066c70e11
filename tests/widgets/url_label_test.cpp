#include "widgets/url_label.h"

#include "support/widget_app.h"

#include <QEnterEvent>
#include <QInputDevice>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace kelvane {
namespace {

class UrlLabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The input-device list must outlive the application, which deletes the
    // mouse that QTest makes for it: create the list first.
    (void)QInputDevice::devices();
    testing::EnsureWidgetApplication();
    m_previous = TURLLabel::setOpener([this](const QUrl& url) { m_opened.push_back(url); });
  }
  void TearDown() override { TURLLabel::setOpener(m_previous); }

  std::vector<QUrl> m_opened;

 private:
  TURLLabel::Opener m_previous;
};

void Enter(QWidget& widget) {
  QEnterEvent event(QPointF(2, 2), QPointF(2, 2), widget.mapToGlobal(QPointF(2, 2)));
  QCoreApplication::sendEvent(&widget, &event);
}

void Leave(QWidget& widget) {
  QEvent event(QEvent::Leave);
  QCoreApplication::sendEvent(&widget, &event);
}

TEST_F(UrlLabelTest, TextBecomesAWebOrMailAddress) {
  EXPECT_EQ(AddressUrl("https://www.example.co.jp/a?b=1"), QUrl("https://www.example.co.jp/a?b=1"));
  EXPECT_EQ(AddressUrl("MAILTO:info@example.co.jp"), QUrl("MAILTO:info@example.co.jp"));
  EXPECT_EQ(AddressUrl(" support@example.co.jp "), QUrl("mailto:support@example.co.jp"));
  EXPECT_EQ(AddressUrl("www.example.co.jp"), QUrl("http://www.example.co.jp"));
  // A port is not a scheme.
  EXPECT_EQ(AddressUrl("www.example.co.jp:8080/x"), QUrl("http://www.example.co.jp:8080/x"));
  EXPECT_TRUE(AddressUrl("   ").isEmpty());
}

TEST_F(UrlLabelTest, ColoursFollowEnterPressReleaseAndLeave) {
  TURLLabel label("www.example.co.jp");
  label.resize(120, 20);
  label.show();
  EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
  const QColor own = label.fontColor();
  ASSERT_NE(own, QColor(0, 255, 255));

  Enter(label);
  EXPECT_EQ(label.fontColor(), QColor(0, 255, 255));
  Enter(label);  // a second enter must not take the hot colour for the own one
  QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(label.fontColor(), QColor(255, 0, 0));
  QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(label.fontColor(), QColor(0, 255, 255));
  Leave(label);
  EXPECT_EQ(label.fontColor(), own);

  // Released off the label: back to its own colour at once.
  Enter(label);
  QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(500, 5));
  EXPECT_EQ(label.fontColor(), own);
  Leave(label);
  EXPECT_EQ(label.fontColor(), own);

  // Pressed without an enter first, released inside, then left.
  QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(5, 5));
  Leave(label);
  EXPECT_EQ(label.fontColor(), own);

  label.setHotTrack(false);
  Enter(label);
  QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(label.fontColor(), own);
  EXPECT_TRUE(m_opened.empty());  // not executable
}

// The offscreen desktop has no program for any address: the label says
// which program is missing instead of passing for opened.
TEST_F(UrlLabelTest, AnAddressNoProgramTakesIsSaidAsSuch) {
  TURLLabel::setOpener({});  // the desktop's
  const struct {
    const char* text;
    const char16_t* said;
  } cases[] = {{"support@example.co.jp", u"メールを開くプログラムが見つかりません。"},
               {"www.example.co.jp",
                u"「http://www.example.co.jp」を開くプログラム（ブラウザ）が見つかりません。"}};
  for (const auto& c : cases) {
    TURLLabel label(QString::fromLatin1(c.text));
    label.resize(120, 20);
    label.setExecutable(true);
    label.show();
    QSignalSpy opened(&label, &TURLLabel::opened);
    QSignalSpy notOpened(&label, &TURLLabel::notOpened);
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(opened.count(), 0) << c.text;
    ASSERT_EQ(notOpened.count(), 1) << c.text;
    EXPECT_EQ(notOpened[0][1].toString(), QString::fromUtf16(c.said));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(5, 5));
  }
}

TEST_F(UrlLabelTest, ExecutableLabelOpensItsOwnTextOnPress) {
  TURLLabel label("support@example.co.jp");
  label.resize(120, 20);
  label.setExecutable(true);
  label.show();
  QSignalSpy opened(&label, &TURLLabel::opened);
  QTest::mousePress(&label, Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_TRUE(m_opened.empty());
  QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_EQ(m_opened.size(), 1u);
  EXPECT_EQ(m_opened[0], QUrl("mailto:support@example.co.jp"));
  EXPECT_EQ(opened.count(), 1);
  QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(m_opened.size(), 1u);

  label.setText("");
  QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(m_opened.size(), 1u);
}

}  // namespace
}  // namespace kelvane
