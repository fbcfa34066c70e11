// The image editor on the page "画像": choosing a slot, the picture dialog,
// applying from the controls, clearing, nudging and the fitted preview.

#include "app/image_editor.h"
#include "app/pages/images_page.h"
#include "app/receipt_main_form.h"
#include "render/picture_loader.h"
#include "settings/program_folder.h"
#include "support/box_answerer.h"
#include "text/cp932.h"
#include "text/layout_text.h"
#include "widgets/icon_button.h"
#include "widgets/nval_edit.h"
#include "widgets/pict_button.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace kelvane {
namespace {

using testing::BoxAnswerer;

class ImageEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureWidgetApplication();
    SetProgramFolder(dir_.path());
    wide_ = picture("seal.png", 200, 100);
    tall_ = picture("tall.bmp", 100, 200);
    form_ = std::make_unique<ReceiptMainForm>();
    form_->dialogs.choosePicture = [this](QWidget*, const QString& folder) {
      asked_.append(folder);
      return answer_;
    };
    form_->show();
    form_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    form_->showPage(form_->imagesPage);
    page_ = form_->imagesPage;
    editor_ = form_->imageEditor;
    boxes_.texts.clear();  // what start-up said
    for (int line = 6; line < 267; ++line) form_->document().setLine(line, mark(line));
    for (int i = 0; i < 8; ++i) form_->document().setLine(ImagesPage::SlotLine(i), ",");
  }
  void TearDown() override {
    form_.reset();
    SetProgramFolder({});
  }

  QString picture(const char* name, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkRed);
    const QString path = dir_.filePath(QString::fromUtf8(name));
    EXPECT_TRUE(image.save(path));
    return path;
  }
  static QByteArray mark(int line) { return "L" + QByteArray::number(line) + ","; }
  QByteArray line(int l) const { return form_->document().line(l); }
  static QByteArray bytes(const QString& text) { return ToLayoutText(text); }
  void choose(int index) { QTest::mouseClick(page_->selectButtons[index], Qt::LeftButton); }
  // Every line but the image slots is as SetUp left it.
  void expectOthersUntouched() const {
    for (int l = 6; l < 267; ++l) {
      if ((l >= 7 && l <= 10) || (l >= 122 && l <= 125)) continue;
      EXPECT_EQ(form_->document().line(l), mark(l)) << "line " << l;
    }
  }
  static void type(QWidget* edit, const char* text, bool enter) {
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, QString::fromLatin1(text));
    if (enter) QTest::keyClick(edit, Qt::Key_Return);
  }

  QTemporaryDir dir_;
  QString wide_, tall_;
  BoxAnswerer boxes_;
  std::unique_ptr<ReceiptMainForm> form_;
  ImagesPage* page_ = nullptr;
  ImageEditor* editor_ = nullptr;
  QStringList asked_;
  QString answer_;
};

TEST_F(ImageEditorTest, AnEmptySlotAsksForItsPictureAndPlacesItAt10) {
  answer_ = wide_;
  choose(0);
  ASSERT_EQ(asked_.size(), 1);
  EXPECT_EQ(asked_[0], dir_.path());
  EXPECT_EQ(editor_->selectedLine(), 7);
  EXPECT_EQ(line(7), "image,0,10,10," + bytes(wide_) + ",0,0,,0,0");
  EXPECT_EQ(page_->ix[0]->text(), QStringLiteral("10"));
  EXPECT_EQ(page_->iy[0]->text(), QStringLiteral("10"));
  EXPECT_EQ(page_->im[0]->text(), wide_);
  EXPECT_EQ(page_->imageFileLabel->text(), wide_);
  EXPECT_EQ(page_->imagePanel->toolTip(), wide_);
  EXPECT_EQ(editor_->picture().size(), QSize(200, 100));
  EXPECT_EQ(editor_->previewBox(), QRect(2, 18, 126, 63));
  EXPECT_FALSE(page_->imagePanel->pixmap().isNull());

  // Cancelled, the slot stays empty.
  answer_.clear();
  choose(5);
  EXPECT_EQ(asked_.size(), 2);
  EXPECT_EQ(editor_->selectedLine(), 123);
  EXPECT_EQ(line(123), ",");
  EXPECT_TRUE(page_->im[5]->text().isEmpty());
  EXPECT_TRUE(editor_->picture().isNull());
  expectOthersUntouched();
}

TEST_F(ImageEditorTest, AFilledSlotIsShownWithoutWritingOrAsking) {
  const QByteArray record = "image,1,15,12.5," + bytes(tall_) + ",30,\"\",,0,0";
  form_->document().setLine(124, record);
  choose(6);
  EXPECT_TRUE(asked_.isEmpty());
  EXPECT_TRUE(page_->ChkBoxStr3->isChecked());
  EXPECT_EQ(page_->imageX->text(), QStringLiteral("15"));
  EXPECT_EQ(page_->imageY->text(), QStringLiteral("12.5"));
  EXPECT_EQ(page_->imageWidth->text(), QStringLiteral("30"));
  EXPECT_EQ(page_->imageHeight->text(), QStringLiteral("0"));
  EXPECT_EQ(page_->imageFileLabel->text(), tall_);
  EXPECT_EQ(editor_->previewBox(), QRect(41, 2, 48, 96));
  EXPECT_EQ(line(124), record);

  // A picture that has gone leaves the panel empty and the record as it is.
  const QByteArray gone = "image,0,1,2," + bytes(dir_.filePath("gone.bmp")) + ",0,0,,0,0";
  form_->document().setLine(8, gone);
  choose(1);
  EXPECT_TRUE(asked_.isEmpty());
  EXPECT_TRUE(editor_->picture().isNull());
  EXPECT_TRUE(page_->imagePanel->pixmap().isNull());
  EXPECT_FALSE(page_->ChkBoxStr3->isChecked());
  EXPECT_EQ(line(8), gone);

  // Numbers that cannot be read are said; nothing is asked or written.
  const QByteArray bad = "image,0,1,2,,3O,0,,0,0";
  form_->document().setLine(9, bad);
  choose(2);
  ASSERT_EQ(boxes_.texts.size(), 1);
  EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("画  像3")));
  EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("「3O」")));
  EXPECT_TRUE(asked_.isEmpty());
  EXPECT_EQ(line(9), bad);
  expectOthersUntouched();
}

TEST_F(ImageEditorTest, EnterInXOrWidthAndThePreviewBoxApply) {
  form_->document().setLine(10, "image,0,5,5," + bytes(wide_) + ",20,10,,0,0");
  choose(3);
  type(page_->imageY, "7", false);
  EXPECT_EQ(line(10), "image,0,5,5," + bytes(wide_) + ",20,10,,0,0") << "Y waits";
  type(page_->imageX, "25", true);
  EXPECT_EQ(line(10), "image,0,25,7," + bytes(wide_) + ",20,10,,0,0");
  EXPECT_EQ(page_->ix[3]->text(), QStringLiteral("25"));
  EXPECT_EQ(page_->iy[3]->text(), QStringLiteral("7"));
  type(page_->imageHeight, "1500", false);
  type(page_->imageWidth, "40", true);
  EXPECT_EQ(line(10), "image,0,25,7," + bytes(wide_) + ",40,1500,,0,0")
      << "no thousands separator in a record";
  page_->ChkBoxStr3->setFocus();
  QTest::keyClick(page_->ChkBoxStr3, Qt::Key_Space);
  EXPECT_EQ(line(10), "image,1,25,7," + bytes(wide_) + ",40,1500,,0,0");
  QTest::mouseClick(page_->IconButton4, Qt::LeftButton);
  EXPECT_EQ(line(10), "image,1,25,7," + bytes(wide_) + ",40,1500,,0,0");
  expectOthersUntouched();
}

TEST_F(ImageEditorTest, ChoosingAnotherPicture) {
  QTest::mouseClick(page_->IconButton9, Qt::LeftButton);
  EXPECT_EQ(boxes_.texts, QStringList{QStringLiteral("設定番号をまず指定してください")});
  EXPECT_TRUE(asked_.isEmpty());

  form_->document().setLine(122, "image,0,3,4," + bytes(wide_) + ",0,0,,0,0");
  choose(4);
  answer_ = tall_;
  QTest::mouseClick(page_->IconButton9, Qt::LeftButton);
  ASSERT_EQ(asked_.size(), 1);
  EXPECT_EQ(asked_[0], dir_.path()) << "the dialog starts where the picture is";
  EXPECT_EQ(line(122), "image,0,3,4," + bytes(tall_) + ",0,0,,0,0");
  EXPECT_EQ(page_->im[4]->text(), tall_);
  EXPECT_EQ(editor_->picture().size(), QSize(100, 200));

  // A file that is no picture, or a path a record cannot hold, is said and
  // changes nothing; the panel keeps showing the slot's picture.
  const QString broken = dir_.filePath("broken.png");
  QFile file(broken);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("not a picture");
  file.close();
  const QString comma = picture("a,b.png", 10, 10);
  for (const QString& refused : {broken, comma}) {
    boxes_.texts.clear();
    answer_ = refused;
    QTest::mouseClick(page_->IconButton9, Qt::LeftButton);
    EXPECT_EQ(boxes_.texts.size(), 1) << refused.toStdString();
    EXPECT_EQ(line(122), "image,0,3,4," + bytes(tall_) + ",0,0,,0,0");
    EXPECT_EQ(page_->imageFileLabel->text(), tall_);
    EXPECT_EQ(editor_->picture().size(), QSize(100, 200));
  }
  expectOthersUntouched();
}

// A picture from outside the program folder is copied into its "image"
// folder and the record names the copy, which serves after the original is
// gone; a picture already in the program folder is used where it is.
TEST_F(ImageEditorTest, APictureFromOutsideIsCopiedIntoTheImageFolder) {
  QTemporaryDir outside;
  const auto save = [&](const char* name, int side, Qt::GlobalColor colour) {
    QImage image(side, side / 2, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = outside.filePath(QString::fromUtf8(name));
    QDir().mkpath(QFileInfo(path).absolutePath());
    EXPECT_TRUE(image.save(path));
    return path;
  };
  const QString images = dir_.filePath(QStringLiteral("image"));
  const QString seal = save("desk/seal.png", 200, Qt::red);
  const QString sameName = save("usb/seal.png", 60, Qt::blue);
  const struct {
    const char* what;
    QString chosen;
    QString recorded;
    QSize size;
  } cases[] = {
      {"in the program folder", wide_, wide_, QSize(200, 100)},
      {"from outside", seal, images + "/seal.png", QSize(200, 100)},
      {"another picture of that name", sameName, images + "/seal_2.png", QSize(60, 30)},
      {"the first picture again", seal, images + "/seal.png", QSize(200, 100)},
  };
  // A layout that names a picture elsewhere is read there, as it is.
  const QString elsewhere = save("desk/logo.png", 80, Qt::green);
  const QByteArray named = "image,0,1,2," + bytes(elsewhere) + ",0,0,,0,0";
  form_->document().setLine(125, named);
  choose(7);
  EXPECT_TRUE(asked_.isEmpty());
  EXPECT_EQ(editor_->picture().size(), QSize(80, 40));
  EXPECT_EQ(line(125), named);

  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(cases[i].what);
    answer_ = cases[i].chosen;
    if (i == 0) {
      EXPECT_FALSE(QFileInfo::exists(images)) << "nothing copied yet";
    }
    choose(i);
    EXPECT_EQ(line(ImagesPage::SlotLine(i)),
              "image,0,10,10," + bytes(cases[i].recorded) + ",0,0,,0,0");
    EXPECT_EQ(page_->im[i]->text(), cases[i].recorded);
    EXPECT_EQ(page_->imagePanel->toolTip(), cases[i].recorded);
  }
  EXPECT_TRUE(boxes_.texts.isEmpty()) << boxes_.texts.join(u'|').toStdString();
  EXPECT_EQ(QDir(images).entryList(QDir::Files), QStringList({"seal.png", "seal_2.png"}));

  // The originals go; the layout's pictures stay.
  ASSERT_TRUE(QFile::remove(seal) && QFile::remove(sameName));
  for (int i = 1; i < 4; ++i) {
    SCOPED_TRACE(cases[i].what);
    choose(i);
    EXPECT_TRUE(asked_.size() == 4) << "a slot with its picture asks for none";
    EXPECT_EQ(editor_->picture().size(), cases[i].size);
    const auto drawn = LoadPicture(cases[i].recorded);
    ASSERT_TRUE(drawn) << drawn.error().toStdString();
    EXPECT_TRUE(drawn->drawable);
    EXPECT_EQ(drawn->image.pixelColor(0, 0), i == 2 ? QColor(Qt::blue) : QColor(Qt::red));
  }
}

// When the picture cannot be copied, the user is told and the record names
// the chosen file, as before.
TEST_F(ImageEditorTest, APictureThatCannotBeCopiedIsUsedWhereItIs) {
  QTemporaryDir outside;
  QImage image(40, 20, QImage::Format_RGB32);
  image.fill(Qt::green);
  const QString chosen = outside.filePath(QStringLiteral("logo.png"));
  ASSERT_TRUE(image.save(chosen));
  QFile blocker(dir_.filePath(QStringLiteral("image")));  // a file where the folder goes
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  answer_ = chosen;
  choose(4);
  ASSERT_EQ(boxes_.texts.size(), 1);
  EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("コピーできませんでした")))
      << boxes_.texts[0].toStdString();
  EXPECT_TRUE(boxes_.texts[0].contains(QDir::toNativeSeparators(chosen)));
  EXPECT_EQ(line(122), "image,0,10,10," + bytes(chosen) + ",0,0,,0,0");
  EXPECT_EQ(editor_->picture().size(), QSize(40, 20));
  expectOthersUntouched();
}

TEST_F(ImageEditorTest, ClearingEmptiesTheSlotAndItsOverview) {
  QTest::mouseClick(page_->IconButton16, Qt::LeftButton);
  EXPECT_EQ(boxes_.texts,
            QStringList{QStringLiteral("調整する項目を左のリストから選択してください")});
  for (int i = 0; i < 8; ++i) EXPECT_EQ(line(ImagesPage::SlotLine(i)), ",");

  form_->document().setLine(125, "image,1,3,4," + bytes(wide_) + ",20,10,,0,0");
  choose(7);
  page_->ix[7]->setText(QStringLiteral("3"));
  QTest::mouseClick(page_->IconButton16, Qt::LeftButton);
  EXPECT_EQ(line(125), "image,1,0,0,,20,10,,0,0");
  EXPECT_TRUE(page_->ix[7]->text().isEmpty());
  EXPECT_TRUE(page_->iy[7]->text().isEmpty());
  EXPECT_TRUE(page_->im[7]->text().isEmpty());
  EXPECT_TRUE(page_->imageFileLabel->text().isEmpty());
  EXPECT_TRUE(editor_->picture().isNull());
  EXPECT_TRUE(page_->imagePanel->toolTip().isEmpty());
  expectOthersUntouched();
}

TEST_F(ImageEditorTest, NudgesMoveOneAxisByTheStepTheKeysChoose) {
  form_->document().setLine(7, "image,0,10,20," + bytes(wide_) + ",0,0,,0,0");
  choose(0);
  const QByteArray file = "," + bytes(wide_) + ",0,0,,0,0";
  QTest::mouseClick(page_->PictButton19, Qt::LeftButton);
  EXPECT_EQ(line(7), "image,0,11,20" + file);
  QTest::mouseClick(page_->PictButton16, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(line(7), "image,0,11,19.9" + file);
  QTest::mouseClick(page_->PictButton18, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(line(7), "image,0,11,29.9" + file);
  QTest::mouseClick(page_->PictButton17, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(line(7), "image,0,1,29.9" + file);
  QTest::mouseClick(page_->PictButton17, Qt::LeftButton);
  EXPECT_EQ(line(7), "image,0,0,29.9" + file);
  expectOthersUntouched();
}

}  // namespace
}  // namespace kelvane
