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
  EXPECT_TRUE(change.error().contains(QStringLiteral("tempfile.dat")))
      << change.error().toStdString();
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

// What the user was asked about is checked again under the lock: another
// copy's line that came meanwhile is never removed on that answer.
TEST_F(RegisterFileTest, TheGuardChecksTheAgreedLinesUnderTheLock) {
  ASSERT_TRUE(writeLineFile(reg(), {"A1,x,", "A2,mine,"}));
  struct Case {
    const char* what;
    QList<QByteArray> agreed;
    bool conflict;
  };
  const Case cases[] = {
      {"none seen, one there", {}, true},
      {"another line seen", {"A2,theirs,"}, true},
      {"one of two seen", {"A2,mine,", "A2,mine,"}, true},
      {"just the line there", {"A2,mine,"}, false},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(writeLineFile(reg(), {"A1,x,", "A2,mine,"}));
    const QByteArray before = bytes(reg());
    const auto change = ChangeRegister(
        reg(), temp(), "A2", [](int) { return QByteArray("A2,new,"); }, RegisterGuard{c.agreed});
    ASSERT_TRUE(change) << c.what;
    EXPECT_EQ(change->conflict, c.conflict) << c.what;
    if (c.conflict) {
      EXPECT_EQ(bytes(reg()), before) << c.what << ": nothing written";
      EXPECT_EQ(change->found, QList<QByteArray>{"A2,mine,"}) << c.what;
    } else {
      EXPECT_EQ(lines(), (QList<QByteArray>{"A1,x,", "A2,new,"})) << c.what;
    }
  }
  // No lines agreed and none there: a new number is written.
  const auto fresh = ChangeRegister(
      reg(), temp(), "A3", [](int) { return QByteArray("A3,z,"); },
      RegisterGuard{QList<QByteArray>{}});
  ASSERT_TRUE(fresh);
  EXPECT_FALSE(fresh->conflict);
  EXPECT_EQ(lines().last(), "A3,z,");
  EXPECT_EQ(*RegisterLinesOf(reg(), " A3"), QList<QByteArray>{"A3,z,"});
}

// A register on a stick that was pulled out: nothing is made in its place,
// not even the lock file.
TEST_F(RegisterFileTest, ARegisterThatMustExistIsNeverMadeAnew) {
  const QString stick = path("stick");
  ASSERT_TRUE(QDir().mkpath(stick));
  const QString inside = stick + "/regidata.klv";
  RegisterGuard guard;
  guard.mustExist = true;
  const auto change = ChangeRegister(
      inside, temp(), "1", [](int) { return QByteArray("1,x,"); }, guard);
  ASSERT_FALSE(change);
  EXPECT_TRUE(change.error().contains(QStringLiteral("見つかりません")));
  EXPECT_TRUE(QDir(stick).isEmpty());
  EXPECT_EQ(*RegisterLinesOf(inside, "1"), std::nullopt);
}

TEST_F(RegisterFileTest, TheLargestNumberPartWithTheHeader) {
  ASSERT_EQ(*LargestNumberPart(reg(), "A"), std::nullopt) << "no register";
  ASSERT_TRUE(writeLineFile(reg(), {"A0012,x,", " A0100 ,y,", "B9999,z,", "A12x,w,", "A0099",
                                    "AB5000,v,", ",empty,", "A99999999999999999999,big,"}));
  EXPECT_EQ(*LargestNumberPart(reg(), "A"), 100);
  EXPECT_EQ(*LargestNumberPart(reg(), "B"), 9999);
  EXPECT_EQ(*LargestNumberPart(reg(), "AB"), 5000);
  EXPECT_EQ(*LargestNumberPart(reg(), "C"), std::nullopt);
}

}  // namespace
}  // namespace kelvane

namespace kelvane {
namespace {

// A batch holds the register from its check to its append: no other change
// gets in between, and the append keeps every line before it.
TEST_F(RegisterFileTest, AHeldRegisterKeepsOthersOutUntilItsLinesAreIn) {
  ASSERT_TRUE(writeFileAtomically(reg(), "1,a,\r\n2,b,"));  // no last line end
  auto held = HeldRegister::Hold(reg(), /*mustExist=*/true);
  ASSERT_TRUE(held) << held.error().toStdString();
  EXPECT_EQ((*held)->content(), std::optional<QByteArray>("1,a,\r\n2,b,"));

  EXPECT_FALSE(HeldRegister::Hold(reg(), true, /*waitMs=*/50)) << "a second batch waits";
  QLockFile other(reg() + ".lock");
  EXPECT_FALSE(other.tryLock(50)) << "so does a recording from the window";

  ASSERT_TRUE((*held)->append(temp(), {"3,c,", "4,d,"}));
  EXPECT_EQ(bytes(reg()), "1,a,\r\n2,b,\r\n3,c,\r\n4,d,\r\n");
  EXPECT_EQ(bytes(temp()), "1,a,\r\n2,b,") << "the register as it stood";
  held->reset();
  EXPECT_TRUE(other.tryLock(50));
}

TEST_F(RegisterFileTest, AHeldRegisterThatMustExistIsNotMadeAnew) {
  const auto missing = HeldRegister::Hold(reg(), /*mustExist=*/true);
  ASSERT_FALSE(missing);
  EXPECT_TRUE(missing.error().contains(QStringLiteral("見つかりません")));
  EXPECT_FALSE(QFile::exists(reg() + ".lock"));

  auto fresh = HeldRegister::Hold(reg(), /*mustExist=*/false);
  ASSERT_TRUE(fresh);
  EXPECT_EQ((*fresh)->content(), std::nullopt);
  ASSERT_TRUE((*fresh)->append(temp(), {"1,x,"}));
  EXPECT_EQ(bytes(reg()), "1,x,\r\n");
  EXPECT_FALSE(QFile::exists(temp())) << "nothing to keep a copy of";
}

}  // namespace
}  // namespace kelvane

#include "receipt/register_lock.h"

#include <QDateTime>
#include <QSysInfo>

namespace kelvane {
namespace {

// A lock left by a program of another PC on a shared folder, `ageSeconds`
// old; or of this PC by a process that is gone.
void leaveLock(const QString& reg, const QByteArray& host, qint64 ageSeconds) {
  QFile lock(RegisterLockPath(reg));
  ASSERT_TRUE(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
  lock.write("999999\nkelvane\n" + host + "\n");
  ASSERT_TRUE(lock.flush());  // a later flush would make it new again
  ASSERT_TRUE(lock.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                               QFileDevice::FileModificationTime));
}

TEST_F(RegisterFileTest, AnotherPcsLockHoldsUntilItIsOldAndBroken) {
  ASSERT_TRUE(writeLineFile(reg(), {"1,a,"}));
  struct Case {
    const char* name;
    QByteArray host;
    qint64 age;
    bool records;
    const char* said;
  };
  const QByteArray here = QSysInfo::machineHostName().toUtf8();
  const Case cases[] = {
      // Age alone no longer clears another PC's lock: a slow share is not a crash.
      {"another PC, 40 s", "RECEPTION-PC", 40, false, "パソコン「RECEPTION-PC」のネムリカが使用中"},
      {"another PC, 6 min", "RECEPTION-PC", 6 * 60, false, "6分前から残っています"},
      {"this PC, its program gone", here, 40, true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    leaveLock(reg(), c.host, c.age);
    const auto change = record("2", "b,");
    EXPECT_EQ(bool(change), c.records);
    if (!c.records) {
      EXPECT_TRUE(change.error().contains(QString::fromUtf8(c.said)))
          << change.error().toStdString();
      EXPECT_TRUE(QFile::exists(RegisterLockPath(reg())));
      const auto holder = RegisterLockHolderOf(reg());
      ASSERT_TRUE(holder);
      EXPECT_EQ(holder->abandoned(), c.age >= kAbandonedLockSeconds);
      ASSERT_TRUE(BreakRegisterLock(reg()));
      EXPECT_TRUE(record("2", "b,")) << "recorded once the user broke it";
    }
  }
}

}  // namespace
}  // namespace kelvane
