#include "text/line_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace kelvane {
namespace {

QByteArray contentOf(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

TEST(SplitLines, EveryLineEndIsAccepted) {
  EXPECT_EQ(splitLines("a\r\nb\nc"), (QList<QByteArray>{"a", "b", "c"}));
  EXPECT_EQ(splitLines("a\r\n\r\nb\r\n"), (QList<QByteArray>{"a", "", "b"}));
  EXPECT_EQ(splitLines("a\rb"), (QList<QByteArray>{"a", "b"}));
  EXPECT_EQ(splitLines("a\n\rb\r\r\nc"), (QList<QByteArray>{"a", "", "b", "", "c"}));
  EXPECT_EQ(splitLines(""), QList<QByteArray>{});
  EXPECT_EQ(splitLines("\r\n"), QList<QByteArray>{""});
  EXPECT_EQ(splitLines(","), QList<QByteArray>{","});
}

TEST(JoinLines, CrLfAfterEveryLine) {
  EXPECT_EQ(joinLines({"a", "", "b"}), QByteArray("a\r\n\r\nb\r\n"));
  EXPECT_EQ(joinLines({}), QByteArray());
}

class LineFileTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

TEST_F(LineFileTest, WriteThenReadRoundTripsBytes) {
  const QList<QByteArray> lines{"[Version2.0]", "char,0,1,2,\x82\xA0,12,,0,0,0,1,234", ","};
  ASSERT_TRUE(writeLineFile(path("a.rcd"), lines).ok());
  EXPECT_EQ(contentOf(path("a.rcd")), joinLines(lines));
  auto back = readLineFile(path("a.rcd"));
  ASSERT_TRUE(back.ok());
  EXPECT_EQ(back.value(), lines);
}

TEST_F(LineFileTest, MissingFileNamesFileAndReason) {
  auto read = readLineFile(path("none.dat"));
  ASSERT_FALSE(read.ok());
  EXPECT_TRUE(read.error().contains(QStringLiteral("none.dat")));
}

TEST_F(LineFileTest, FolderInPlaceOfFileIsAnErrorBothWays) {
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("x.dat")));
  EXPECT_FALSE(readLineFile(path("x.dat")).ok());
  auto written = writeLineFile(path("x.dat"), {"a"});
  EXPECT_FALSE(written.ok());
  EXPECT_TRUE(written.error().contains(QStringLiteral("x.dat")));
}

TEST_F(LineFileTest, FailedWriteLeavesTheOldFileWhole) {
  if (geteuid() == 0) {
    // root writes into read-only folders; use a folder that cannot exist.
    auto written = writeLineFile(path("no/such/folder/a.dat"), {"new"});
    EXPECT_FALSE(written.ok());
    EXPECT_FALSE(written.error().isEmpty());
    GTEST_SKIP() << "read-only folders do not stop root";
  }
  ASSERT_TRUE(writeLineFile(path("a.dat"), {"old", "lines"}).ok());
  QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  auto written = writeLineFile(path("a.dat"), {"new"});
  QFile::setPermissions(dir.path(),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_FALSE(written.ok());
  EXPECT_EQ(contentOf(path("a.dat")), QByteArray("old\r\nlines\r\n"));
}

TEST_F(LineFileTest, OversizedFileIsRefused) {
  ASSERT_TRUE(writeFileAtomically(path("big"), QByteArray(2000, 'x')).ok());
  auto read = readWholeFile(path("big"), 1000);
  ASSERT_FALSE(read.ok());
  EXPECT_TRUE(read.error().contains(QStringLiteral("大きすぎる")));
}

TEST_F(LineFileTest, ReadsUpToTheLimitAndTakesOnlyTheMemoryTheFileNeeds) {
  // Exactly the limit is read whole, one byte more is refused, also for a
  // file bigger than one read at a time.
  const QByteArray content(3 * 1024 * 1024 + 7, 'x');
  ASSERT_TRUE(writeFileAtomically(path("big"), content).ok());
  auto whole = readWholeFile(path("big"), content.size());
  ASSERT_TRUE(whole.ok());
  EXPECT_EQ(whole.value(), content);
  EXPECT_FALSE(readWholeFile(path("big"), content.size() - 1).ok());

#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves more memory than the limit below allows";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  GTEST_SKIP() << "the address sanitizer reserves more memory than the limit below allows";
#endif
#endif
  // A settings file of a few lines must not need the room of the largest
  // file accepted: on a machine short of memory every read would fail.
  ASSERT_TRUE(writeLineFile(path("kelvane.conf"), {"[OFFSET_X]=10", "[OFFSET_Y]=10"}).ok());
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    long pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
      if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
      std::fclose(statm);
    }
    const rlim_t room = rlim_t(pages) * rlim_t(::sysconf(_SC_PAGESIZE)) + 64u * 1024 * 1024;
    const rlimit limit{room, room};
    if (pages == 0 || ::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(2);
    try {
      auto read = readLineFile(path("kelvane.conf"));
      ::_exit(read.ok() && read.value().size() == 2 ? 0 : 1);
    } catch (...) {
      ::_exit(3);  // out of memory
    }
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: not read, 2: no limit set, 3: out of memory";
}

}  // namespace
}  // namespace kelvane
