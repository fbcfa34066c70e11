// Two copies of the program recording the same automatic numbers into one
// register at the same moment, through the real lock file: a copy writes
// only when the register holds what it saw (no line of the number), and
// asks otherwise. Every receipt a copy said it recorded is in the register
// afterwards, and no number is there twice.

#include "receipt/register_file.h"
#include "text/line_file.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <set>

namespace kelvane {
namespace {

constexpr int kNumbers = 400;
constexpr char kRoleVariable[] = "KELVANE_RACE_COPY";
constexpr char kRegisterVariable[] = "KELVANE_RACE_REGISTER";

QByteArray numberOf(int i) { return "R" + QByteArray::number(i).rightJustified(4, '0'); }

// One copy: for each number, look it up, then record it under the lock if
// the register still holds what was seen. Prints the lines it recorded.
TEST(RegisterRace, Copy) {
  const QByteArray copy = qgetenv(kRoleVariable);
  if (copy.isEmpty()) GTEST_SKIP() << "run by RegisterRace.NoRecordedReceiptIsLost";
  const QString reg = QString::fromLocal8Bit(qgetenv(kRegisterVariable));
  const QString temp = reg + ".copy" + QString::fromLatin1(copy);
  for (int i = 1; i <= kNumbers; ++i) {
    const QByteArray number = numberOf(i);
    const auto seen = RegisterLinesOf(reg, number);
    ASSERT_TRUE(seen) << seen.error().toStdString();
    if (*seen && !(*seen)->isEmpty()) continue;  // would ask the user
    const QByteArray line = number + ",2026/12/8,1000," + copy + ",";
    RegisterGuard guard;
    guard.agreedLines = QList<QByteArray>{};
    const auto change =
        ChangeRegister(reg, temp, number, [&](int) { return line; }, guard);
    ASSERT_TRUE(change) << change.error().toStdString();
    if (!change->conflict) std::printf("recorded %s\n", line.constData());
  }
  std::fflush(stdout);
}

QProcess* startCopy(const QString& reg, const char* name, QObject* owner) {
  auto* process = new QProcess(owner);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QString::fromLatin1(kRoleVariable), QString::fromLatin1(name));
  env.insert(QString::fromLatin1(kRegisterVariable), reg);
  process->setProcessEnvironment(env);
  process->start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--gtest_filter=RegisterRace.Copy")});
  return process;
}

QList<QByteArray> recordedLines(QProcess& process) {
  EXPECT_TRUE(process.waitForFinished(120000));
  EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  QList<QByteArray> recorded;
  for (const QByteArray& line : process.readAllStandardOutput().split('\n'))
    if (line.startsWith("recorded ")) recorded << line.mid(9);
  return recorded;
}

TEST(RegisterRace, NoRecordedReceiptIsLost) {
  QTemporaryDir dir;
  const QString reg = dir.filePath(QStringLiteral("regidata.klv"));
  QObject owner;
  QProcess* a = startCopy(reg, "a", &owner);
  QProcess* b = startCopy(reg, "b", &owner);
  const QList<QByteArray> recorded = recordedLines(*a) + recordedLines(*b);
  const auto lines = readLineFile(reg);
  ASSERT_TRUE(lines);
  EXPECT_EQ(recorded.size(), kNumbers) << "each number recorded by one copy";
  const std::set<QByteArray> kept(lines->begin(), lines->end());
  for (const QByteArray& line : recorded) EXPECT_TRUE(kept.count(line)) << line.constData();
  EXPECT_EQ(lines->size(), kNumbers) << "no number twice";
}

}  // namespace
}  // namespace kelvane

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
