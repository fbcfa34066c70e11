// Pictures copied into the program folder's "image" folder: the names a
// copy takes beside pictures already there, a copy made again, and what a
// failed copy leaves.

#include "styles/picture_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace kelvane {
namespace {

class PictureFolderTest : public ::testing::Test {
 protected:
  QString write(const QString& relative, const QByteArray& bytes) {
    const QString path = dir_.filePath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }
  QString images() const { return dir_.filePath(QStringLiteral("program/image")); }
  QStringList imageFiles() const {
    return QDir(images()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
  }

  QTemporaryDir dir_;
};

TEST_F(PictureFolderTest, ACopyTakesAFreeNameAndTheSameBytesAreCopiedOnce) {
  const struct {
    const char* source;
    const char* bytes;
    const char* copy;
  } steps[] = {
      {"desk/logo.bmp", "first logo", "logo.bmp"},
      {"desk/logo.bmp", "first logo", "logo.bmp"},     // chosen again
      {"usb/logo.bmp", "another logo", "logo_2.bmp"},  // same name, other picture
      {"mail/logo.bmp", "first logo", "logo.bmp"},     // the first picture from elsewhere
      {"usb/logo.bmp", "another logo", "logo_2.bmp"},
      {"old/logo.bmp", "another logo, longer", "logo_3.bmp"},
      {"desk/seal.v2.png", "seal", "seal.v2.png"},
      {"usb/seal.v2.png", "other seal", "seal.v2_2.png"},
      {"desk/stamp", "no suffix", "stamp"},
      {"usb/stamp", "no suffix either", "stamp_2"},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.source);
    const QString source = write(QString::fromUtf8(step.source), step.bytes);
    const auto copy = CopyPictureInto(source, images());
    ASSERT_TRUE(copy) << copy.error().toStdString();
    EXPECT_EQ(*copy, QDir(images()).filePath(QString::fromUtf8(step.copy)));
    QFile copied(*copy);
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), QByteArray(step.bytes));
  }
  // Nothing but the copies: no file written beside is left behind.
  EXPECT_EQ(imageFiles(), QStringList({"logo.bmp", "logo_2.bmp", "logo_3.bmp", "seal.v2.png",
                                       "seal.v2_2.png", "stamp", "stamp_2"}));
}

TEST_F(PictureFolderTest, AFailedCopyNamesTheReasonAndLeavesNoCopy) {
  const QString source = write(QStringLiteral("desk/logo.bmp"), "logo");
  // The folder's name is taken by a file.
  write(QStringLiteral("program/image"), "not a folder");
  const auto blocked = CopyPictureInto(source, images());
  ASSERT_FALSE(blocked);
  EXPECT_TRUE(blocked.error().contains(QStringLiteral("フォルダ")))
      << blocked.error().toStdString();
  QFile::remove(images());

  const auto missing = CopyPictureInto(dir_.filePath(QStringLiteral("desk/gone.bmp")), images());
  ASSERT_FALSE(missing);
  EXPECT_TRUE(missing.error().contains(QStringLiteral("gone.bmp")))
      << missing.error().toStdString();
  EXPECT_TRUE(imageFiles().isEmpty());
}

TEST_F(PictureFolderTest, InsideTheFolderMeansBelowIt) {
  const QString program = dir_.filePath(QStringLiteral("program"));
  QDir().mkpath(program + QStringLiteral("/image"));
  const struct {
    QString path;
    bool inside;
  } cases[] = {
      {program + "/logo.bmp", true},
      {program + "/image/logo.bmp", true},
      {program + "/image/../logo.bmp", true},
      {program + "/../desk/logo.bmp", false},
      {program + "2/logo.bmp", false},  // a folder whose name begins the same
      {dir_.filePath(QStringLiteral("logo.bmp")), false},
      {program, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsInsideFolder(c.path, program), c.inside) << c.path.toStdString();
  }
}

}  // namespace
}  // namespace kelvane
