// Opening a style over the shop's layout: the shop's company information
// stays unless the user takes the style's, and a first installation starts
// with empty, placed company items.

#include "app/pages/company_info_page.h"
#include "app/receipt_main_form.h"
#include "app/style_commands.h"
#include "layout/field_cursor.h"
#include "layout/layout_slots.h"
#include "settings/program_folder.h"
#include "support/box_answerer.h"
#include "support/widget_app.h"
#include "text/cp932.h"
#include "text/layout_text.h"
#include "text/line_file.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

namespace kelvane {
namespace {

using testing::BoxAnswerer;

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

// The lines of the company items: 228 to 238, then 登録番号.
QList<int> companyLines() {
  QList<int> lines;
  for (int i = 0; i < slotmap::kCompanyItems; ++i) lines.append(slotmap::companyLine(i));
  return lines;
}

// The record with its text replaced, as the shop's texts over a style's
// places are written.
QByteArray withText(const QByteArray& record, const QByteArray& text) {
  qsizetype at = 0;
  for (int comma = 0; comma < 10; ++comma) at = record.indexOf(',', at) + 1;
  return record.left(at) + text;
}

class CompanyInfoLoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureWidgetApplication();
    SetProgramFolder(dir_.path());
  }
  void TearDown() override {
    form_.reset();
    SetProgramFolder({});
  }

  void open() {
    form_ = std::make_unique<ReceiptMainForm>();
    form_->dialogs.openStyle = [this](QWidget*, const QString&) { return answer_; };
    form_->show();
    boxes_.texts.clear();  // what start-up said
  }
  // The shop has typed its name, an address with a comma and its number.
  void typeShopTexts() {
    LayoutDocument& d = form_->document();
    d.setLine(slotmap::kCompanyName1, sj("char,0,10,10,ＭＳ 明朝,12,,0,0,0,ねむりか工房"));
    d.setLine(slotmap::kAddress1, sj("char,0,10,15,ＭＳ 明朝,8,,0,0,0,大阪市北区梅田1-2-3,4F"));
    d.setLine(slotmap::kRegistrationNumber, "char,0,10,20,A,8,,0,0,0,T1234567890123");
    shop_ = d;
  }
  // A delivered style with another shop's texts.
  QString styleWithTexts() {
    auto lines = readLineFile(QStringLiteral(KELVANE_SOURCE_DATA "/style/qualified_invoice.rcd"));
    EXPECT_TRUE(lines);
    QList<QByteArray> style = *lines;
    style[slotmap::kCompanyName1] = withText(style[slotmap::kCompanyName1], sj("見本商店"));
    style[slotmap::kTelephone] = withText(style[slotmap::kTelephone], "TEL 03-0000-0000");
    const QString path = dir_.filePath(QStringLiteral("other_shop.rcd"));
    EXPECT_TRUE(writeLineFile(path, style));
    styleLines_ = style;
    return path;
  }
  QByteArray line(int l) const { return form_->document().line(l); }
  // Where a style leaves an item out: the shop's record for the preview
  // only, or nothing when the shop has no text there.
  static QByteArray parked(const LayoutDocument& before, int l) {
    const QByteArray own = before.line(l);
    return CharRecordText(own).isEmpty() ? QByteArray(",") : "char,1," + own.mid(7);
  }

  QTemporaryDir dir_;
  BoxAnswerer boxes_;
  std::unique_ptr<ReceiptMainForm> form_;
  QString answer_;
  LayoutDocument shop_;
  QList<QByteArray> styleLines_;
};

// Only a click on "スタイルの自社情報" takes the style's texts; the other
// button, Enter, Esc and the window's close control keep the shop's.
TEST_F(CompanyInfoLoadTest, AStyleWithOtherTextsAsksWhoseToKeep) {
  const struct {
    BoxAnswerer::Answer answer;
    const char* button;
    bool takesStyle;
  } cases[] = {
      {BoxAnswerer::Answer::Button, "スタイルの自社情報", true},
      {BoxAnswerer::Answer::Button, "現在の自社情報", false},
      {BoxAnswerer::Answer::Enter, "", false},
      {BoxAnswerer::Answer::Escape, "", false},
      {BoxAnswerer::Answer::Close, "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.button) + " answer " + std::to_string(int(c.answer)));
    open();
    typeShopTexts();
    answer_ = styleWithTexts();
    boxes_.answer = c.answer;
    boxes_.answerWith = QString::fromUtf8(c.button);
    form_->menu.N16->trigger();
    ASSERT_EQ(boxes_.texts.size(), 1) << boxes_.texts.join(u'|').toStdString();
    EXPECT_TRUE(boxes_.texts[0].startsWith(QStringLiteral("自社情報をどちらにしますか？")));
    EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("会社名１")));
    EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("見本商店")));
    EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("ねむりか工房")));
    for (int l : companyLines()) {
      const QByteArray expected = c.takesStyle
                                      ? styleLines_.value(l, ",")
                                      : withText(styleLines_[l], CharRecordText(shop_.line(l)));
      EXPECT_EQ(line(l), expected) << "line " << l;
      EXPECT_EQ(form_->companyPage->dataLabel(l)->text(), FromLayoutText(CharRecordText(expected)))
          << "line " << l;
    }
    // Everything but the company items and the receipt's own lines is the
    // style's.
    for (int l = 6; l < slotmap::kNumber; ++l)
      if (!companyLines().contains(l)) {
        EXPECT_EQ(line(l), styleLines_[l]) << "line " << l;
      }
    form_.reset();
  }
}

// Every delivered style brings places without texts: the shop's texts go
// into them without a question. What a style leaves out (登録番号 in the
// styles of the original format, everything in the clear command's empty
// layout) stays the shop's for the preview only, and comes back printed
// with the next style that places it.
TEST_F(CompanyInfoLoadTest, DeliveredStylesKeepTheShopsTextsUnasked) {
  const QDir delivered(QStringLiteral(KELVANE_SOURCE_DATA "/style"));
  const QStringList styles = delivered.entryList({QStringLiteral("*.rcd")}, QDir::Files);
  ASSERT_GE(styles.size(), 4);
  open();
  typeShopTexts();
  for (const QString& name : styles) {
    SCOPED_TRACE(name.toStdString());
    answer_ = delivered.filePath(name);
    const auto lines = readLineFile(answer_);
    ASSERT_TRUE(lines);
    const LayoutDocument before = form_->document();
    form_->menu.N16->trigger();
    EXPECT_TRUE(boxes_.texts.isEmpty()) << boxes_.texts.join(u'|').toStdString();
    for (int l : companyLines()) {
      const QByteArray styleRecord = lines->value(l, ",");
      EXPECT_EQ(CharRecordText(styleRecord), QByteArray())
          << "the delivered style's text, line " << l;
      if (styleRecord.startsWith("char,")) {
        EXPECT_EQ(line(l), withText(styleRecord, CharRecordText(shop_.line(l)))) << "line " << l;
      } else {
        EXPECT_EQ(line(l), parked(before, l)) << "not placed by the style, line " << l;
      }
    }
  }
  ASSERT_TRUE(QFile::copy(QStringLiteral(KELVANE_SOURCE_DATA "/cleardata.rcd"),
                          dir_.filePath("cleardata.rcd")));
  const LayoutDocument before = form_->document();
  LoadEmptyStyle(*form_);
  EXPECT_TRUE(boxes_.texts.isEmpty()) << boxes_.texts.join(u'|').toStdString();
  for (int l : companyLines()) EXPECT_EQ(line(l), parked(before, l)) << "line " << l;
  EXPECT_EQ(form_->companyPage->dataLabel(slotmap::kRegistrationNumber)->text(),
            QStringLiteral("T1234567890123"));
}

// A first installation starts from the delivered qualified invoice: the
// company page shows twelve empty texts, each item placed so that clicking
// it asks for the text, and nothing is asked at start-up.
TEST_F(CompanyInfoLoadTest, AFirstInstallationStartsWithEmptyPlacedCompanyItems) {
  ASSERT_TRUE(QFile::copy(QStringLiteral(KELVANE_SOURCE_DATA "/style/qualified_invoice.rcd"),
                          dir_.filePath(kCurrentLayoutFileName)));
  form_ = std::make_unique<ReceiptMainForm>();
  form_->show();
  EXPECT_TRUE(boxes_.texts.isEmpty()) << boxes_.texts.join(u'|').toStdString();
  for (int l : companyLines()) {
    EXPECT_TRUE(line(l).startsWith("char,")) << "line " << l;
    EXPECT_EQ(CharRecordText(line(l)), QByteArray()) << "line " << l;
    EXPECT_TRUE(form_->companyPage->dataLabel(l)->text().isEmpty()) << "line " << l;
  }
}

}  // namespace
}  // namespace kelvane
