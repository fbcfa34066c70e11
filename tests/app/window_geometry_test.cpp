#include "settings/window_geometry.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace kelvane {
namespace {

const QRect kWorkArea(0, 0, 1920, 1040);

IniFile iniOf(QList<QByteArray> lines) { return IniFile::parse(lines); }

TEST(WindowGeometry, NoFileOpensAtTheWorkAreaCornerWithTheDesignSize) {
  EXPECT_EQ(RestoreWindowGeometry(IniFile{}, QRect(30, 24, 1600, 900)), QRect(30, 24, 1288, 784));
}

TEST(WindowGeometry, KeysAreFoundWithoutRegardToCase) {
  const IniFile ini = iniOf({"[FKelvane]", "TOP=40", "left=50", "width=800", "HEIGHT=600"});
  EXPECT_EQ(RestoreWindowGeometry(ini, kWorkArea), QRect(50, 40, 800, 600));
}

TEST(WindowGeometry, AWindowOffTheWorkAreaComesBack) {
  EXPECT_EQ(
      RestoreWindowGeometry(iniOf({"[fkelvane]", "Left=5000", "Top=-50"}), kWorkArea).topLeft(),
      QPoint(0, 0));
  EXPECT_EQ(
      RestoreWindowGeometry(iniOf({"[fkelvane]", "Left=1821", "Top=941"}), kWorkArea).topLeft(),
      QPoint(0, 0));
  EXPECT_EQ(
      RestoreWindowGeometry(iniOf({"[fkelvane]", "Left=1820", "Top=940"}), kWorkArea).topLeft(),
      QPoint(1820, 940));
  const QRect offset(100, 50, 1000, 800);
  EXPECT_EQ(RestoreWindowGeometry(iniOf({"[fkelvane]", "Left=20", "Top=20"}), offset).topLeft(),
            QPoint(100, 50));
}

TEST(WindowGeometry, SizeIsKeptButNeverEmpty) {
  EXPECT_EQ(
      RestoreWindowGeometry(iniOf({"[fkelvane]", "Width=4000", "Height=3000"}), kWorkArea).size(),
      QSize(4000, 3000));
  EXPECT_EQ(RestoreWindowGeometry(iniOf({"[fkelvane]", "Width=0", "Height=-5"}), kWorkArea).size(),
            QSize(1288, 784));
  EXPECT_EQ(RestoreWindowGeometry(iniOf({"[fkelvane]", "Width=abc"}), kWorkArea).width(), 1288);
  // Larger than any window can be: the frame's right edge would lie beyond
  // the range of a coordinate.
  const QRect huge = RestoreWindowGeometry(
      iniOf({"[fkelvane]", "Left=500", "Top=300", "Width=2147483647", "Height=2147483600"}),
      kWorkArea);
  EXPECT_EQ(huge, QRect(500, 300, 1288, 784));
  EXPECT_EQ(RestoreWindowGeometry(iniOf({"[fkelvane]", "Width=16777215"}), kWorkArea).width(),
            16777215);
}

TEST(WindowGeometry, StoringKeepsTheRestOfTheFile) {
  IniFile ini = iniOf({"; kept", "[other]", "top=1", "[FKELVANE]", "TOP=5", "Extra=x"});
  StoreWindowGeometry(ini, QRect(7, 8, 900, 700));
  EXPECT_EQ(ini.lines(), (QList<QByteArray>{"; kept", "[other]", "top=1", "[FKELVANE]", "Top=8",
                                            "Extra=x", "Left=7", "Width=900", "Height=700"}));
  IniFile fresh;
  StoreWindowGeometry(fresh, QRect(1, 2, 3, 4));
  EXPECT_EQ(fresh.lines(),
            (QList<QByteArray>{"[fkelvane]", "Top=2", "Left=1", "Width=3", "Height=4"}));
  QTemporaryDir dir;
  ASSERT_TRUE(fresh.save(dir.filePath("kelvane.ini")));
  const auto back = IniFile::load(dir.filePath("kelvane.ini"));
  ASSERT_TRUE(back);
  EXPECT_EQ(RestoreWindowGeometry(*back, kWorkArea), QRect(1, 2, 3, 4));
}

}  // namespace
}  // namespace kelvane
