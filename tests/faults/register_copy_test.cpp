// The copy "tempfile.dat" that every change of the register leaves behind
// must hold the register as it stood, however the register is reached: a
// link to a register kept on a shared folder, or a register on another
// disk than the program folder.

#include "receipt/register_file.h"
#include "support/small_disk.h"
#include "text/line_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace kelvane {
namespace {

class RegisterCopyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir().mkpath(program()));
    ASSERT_TRUE(QDir().mkpath(shared()));
  }
  QString program() const { return dir_.filePath(QStringLiteral("program")); }
  QString shared() const { return dir_.filePath(QStringLiteral("shared")); }
  QString temp() const { return QDir(program()).filePath(QStringLiteral("tempfile.dat")); }
  static QByteArray bytes(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }
  static Expected<RegisterChange> remove(const QString& reg, const QString& temp,
                                         const QByteArray& number) {
    return ChangeRegister(reg, temp, number, {});
  }

  QTemporaryDir dir_;
};

TEST_F(RegisterCopyTest, ARegisterReachedThroughALinkIsCopiedAsItStood) {
  const QString real = QDir(shared()).filePath(QStringLiteral("regidata.klv"));
  const QString link = QDir(program()).filePath(QStringLiteral("regidata.klv"));
  ASSERT_TRUE(writeLineFile(real, {"A1,x,", "A2,y,"}));
  ASSERT_TRUE(QFile::link(real, link));
  const QByteArray before = bytes(real);

  ASSERT_TRUE(remove(link, temp(), "A1"));
  EXPECT_EQ(bytes(real), QByteArray("A2,y,\r\n")) << "the register behind the link changes";
  EXPECT_TRUE(QFileInfo(link).isSymLink()) << "and the link stays a link";
  EXPECT_EQ(bytes(temp()), before);
  EXPECT_FALSE(QFileInfo(temp()).isSymLink());
}

TEST_F(RegisterCopyTest, ARegisterOnAnotherDiskIsCopiedAsItStood) {
  testing::SmallDisk stick(shared(), 256 * 1024);
  if (!stick.active()) GTEST_SKIP() << "this machine cannot mount a small disk";
  const QString reg = QDir(shared()).filePath(QStringLiteral("regidata.klv"));
  ASSERT_TRUE(writeLineFile(reg, {"A1,x,", "A2,y,"}));
  const QByteArray before = bytes(reg);

  ASSERT_TRUE(remove(reg, temp(), "A2"));
  EXPECT_EQ(bytes(reg), QByteArray("A1,x,\r\n"));
  EXPECT_EQ(bytes(temp()), before);

  // The stick full: the register is left and nothing lies beside it but
  // its history.
  ASSERT_TRUE(stick.fill());
  const QByteArray now = bytes(reg);
  EXPECT_FALSE(remove(reg, temp(), "A1"));
  EXPECT_EQ(bytes(reg), now);
  EXPECT_EQ(QDir(shared()).entryList(QDir::Files | QDir::Hidden),
            (QStringList{testing::SmallDisk::fillerName(), QStringLiteral("regidata.klv"),
                         QStringLiteral("regidata.klv.log")}));
}

}  // namespace
}  // namespace kelvane
