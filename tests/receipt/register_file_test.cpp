#include "receipt/register_file.h"

#include "receipt/register_record.h"
#include "support/read_only_folder.h"
#include "text/line_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>


namespace kelvane {
namespace {

class RegisterFileTest : public ::testing::Test {
 protected:
  QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
  QString reg() const { return path("regidata.klv"); }
  QString temp() const { return path("tempfile.dat"); }
  QList<QByteArray> lines() const { return readLineFile(reg()).value(); }
  QByteArray bytes(const QString& file) const {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }
  Expected<RegisterChange> record(const QByteArray& number, const QByteArray& body) {
    return ChangeRegister(reg(), temp(), number, [&](int read) {
      return (number.isEmpty() ? QByteArray::number(read + 1) : number) + ',' + body;
    });
  }
  QTemporaryDir dir_;
};

TEST_F(RegisterFileTest, AFirstRecordCreatesTheFile) {
  ASSERT_EQ(*ReadRegister(reg()), std::nullopt);
  const auto change = record("", "2019/5/1,12000,");
  ASSERT_TRUE(change) << change.error().toStdString();
  EXPECT_FALSE(change->existed);
  EXPECT_EQ(bytes(reg()), "1,2019/5/1,12000,\r\n");
  EXPECT_FALSE(QFile::exists(temp())) << "nothing to keep a copy of";
  EXPECT_FALSE(QFile::exists(reg() + ".lock"));
}

TEST_F(RegisterFileTest, ReplacingMovesTheLineToTheEndAndKeepsTheOldRegister) {
  ASSERT_TRUE(writeLineFile(reg(), {"A1,x,", " A2 ,old,", "A3,y,", "A2,older,"}));
  const QByteArray before = bytes(reg());
  EXPECT_TRUE(*RegisterHasNumber(reg(), "A2 "));
  const auto change = record("A2", "new,");
  ASSERT_TRUE(change);
  EXPECT_EQ(change->linesRead, 4);
  EXPECT_EQ(lines(), (QList<QByteArray>{"A1,x,", "A3,y,", "A2,new,"}));
  EXPECT_EQ(bytes(temp()), before);

  // An empty number becomes the count of lines read plus one.
  ASSERT_TRUE(record("", "n,"));
  EXPECT_EQ(lines().last(), "4,n,");
}

TEST_F(RegisterFileTest, RemovingAnAbsentNumberRewritesTheSameLines) {
  ASSERT_TRUE(writeLineFile(reg(), {"1,a,", "2,b,"}));
  ASSERT_TRUE(writeLineFile(temp(), {"stale"}));
  const auto change = ChangeRegister(reg(), temp(), "9", {});
  ASSERT_TRUE(change);
  EXPECT_EQ(change->linesRead, 2);
  EXPECT_EQ(lines(), (QList<QByteArray>{"1,a,", "2,b,"}));
  EXPECT_EQ(bytes(temp()), "1,a,\r\n2,b,\r\n") << "the copy is refreshed";

  // Without a register nothing is removed and no file appears.
  QFile::remove(reg());
  const auto none = ChangeRegister(reg(), temp(), "1", {});
  ASSERT_TRUE(none);
  EXPECT_FALSE(none->existed);
  EXPECT_FALSE(QFile::exists(reg()));
}

TEST_F(RegisterFileTest, AFailedRewriteLeavesTheRegisterWhole) {
  ASSERT_TRUE(writeLineFile(reg(), {"1,a,", "2,b,"}));
  const QByteArray before = bytes(reg());
  Expected<RegisterChange> change = RegisterChange{};
  {
    testing::ReadOnlyFolder folder(dir_.path());
    if (!folder.active()) GTEST_SKIP() << "this machine cannot make a folder read-only";
    change = record("1", "new,");
  }
  ASSERT_FALSE(change);
  EXPECT_FALSE(change.error().isEmpty());
  EXPECT_EQ(bytes(reg()), before);
}

TEST_F(RegisterFileTest, ACopyOfTheRegisterThatCannotBeWrittenStopsTheChange) {
  ASSERT_TRUE(writeLineFile(reg(), {"1,a,"}));
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("tempfile.dat")));
  const auto change = record("1", "new,");
  ASSERT_FALSE(change);
  EXPECT_TRUE(change.error().contains(QStringLiteral("tempfile.dat"))) << change.error().toStdString();
  EXPECT_EQ(lines(), QList<QByteArray>{"1,a,"});
}

TEST_F(RegisterFileTest, ARegisterInUseByAnotherCopyIsLeftAlone) {
  ASSERT_TRUE(writeLineFile(reg(), {"1,a,"}));
  QLockFile other(reg() + ".lock");
  ASSERT_TRUE(other.lock());
  const auto change = record("1", "new,");
  ASSERT_FALSE(change);
  EXPECT_TRUE(change.error().contains(QStringLiteral("使用中"))) << change.error().toStdString();
  EXPECT_EQ(lines(), QList<QByteArray>{"1,a,"});
  other.unlock();
  EXPECT_TRUE(record("1", "new,"));
}

TEST_F(RegisterFileTest, ARegisterThatIsAFolderIsAnError) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("regidata.klv")));
  EXPECT_FALSE(ReadRegister(reg()));
  EXPECT_FALSE(RegisterHasNumber(reg(), "1"));
  EXPECT_FALSE(record("1", "x,"));
}

}  // namespace
}  // namespace kelvane
