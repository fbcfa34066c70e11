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
#include <QSysInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
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
    const auto change = ChangeRegister(
        reg, temp, number, [&](int) { return line; }, guard);
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

// ---- two PCs on one shared register ------------------------------------

constexpr int kPerPc = 500;

// One PC: 500 receipts, each numbered by the count of lines it read under
// the lock, so two PCs that both wrote without holding it would give a
// number twice or lose a line.
TEST(RegisterRace, PcCopy) {
  const QByteArray pc = qgetenv(kRoleVariable);
  if (pc.isEmpty() || !pc.startsWith("pc")) GTEST_SKIP() << "run by RegisterRace.TwoPcs";
  const QString reg = QString::fromLocal8Bit(qgetenv(kRegisterVariable));
  ASSERT_EQ(QSysInfo::machineHostName().toUtf8(), pc) << "runs in its own host name";
  for (int i = 0; i < kPerPc; ++i) {
    const auto change = ChangeRegister(
        reg, reg + ".copy-" + QString::fromLatin1(pc), {},
        [&](int read) { return QByteArray::number(read + 1) + ",2026/12/8," + pc + ","; });
    ASSERT_TRUE(change) << change.error().toStdString();
  }
}

// Each copy runs under a host name of its own (a UTS namespace), so each
// sees the other's lock as another PC's, as on a network share.
QProcess* startPc(const QString& reg, const char* pc, QObject* owner) {
  auto* process = new QProcess(owner);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QString::fromLatin1(kRoleVariable), QString::fromLatin1(pc));
  env.insert(QString::fromLatin1(kRegisterVariable), reg);
  process->setProcessEnvironment(env);
  process->start(
      QStringLiteral("unshare"),
      {QStringLiteral("-u"), QStringLiteral("sh"), QStringLiteral("-c"),
       QStringLiteral("hostname \"$1\" && exec \"$0\" --gtest_filter=RegisterRace.PcCopy"),
       QCoreApplication::applicationFilePath(), QString::fromLatin1(pc)});
  return process;
}

// Why host names of their own cannot be had here, or empty when they can.
QString separateHostsMissing() {
  QProcess probe;
  probe.start(QStringLiteral("unshare"),
              {QStringLiteral("-u"), QStringLiteral("hostname"), QStringLiteral("kelvane-probe")});
  if (!probe.waitForFinished(10000) || probe.exitStatus() != QProcess::NormalExit ||
      probe.exitCode() != 0)
    return QStringLiteral("this machine refuses a host name of a test's own (unshare -u): ") +
           QString::fromLocal8Bit(probe.readAllStandardError()).trimmed();
  return {};
}

TEST(RegisterRace, TwoPcsLoseNoLineAndDoubleNone) {
  if (const QString why = separateHostsMissing(); !why.isEmpty()) GTEST_SKIP() << why.toStdString();
  QTemporaryDir dir;
  const QString reg = dir.filePath(QStringLiteral("regidata.klv"));
  QObject owner;
  QProcess* a = startPc(reg, "pcA", &owner);
  QProcess* b = startPc(reg, "pcB", &owner);
  for (QProcess* p : {a, b}) {
    ASSERT_TRUE(p->waitForFinished(300000));
    EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardOutput().toStdString()
                                << p->readAllStandardError().toStdString();
  }
  const auto lines = readLineFile(reg);
  ASSERT_TRUE(lines);
  ASSERT_EQ(lines->size(), 2 * kPerPc) << "none lost";
  std::set<int> numbers;
  std::map<QByteArray, int> perPc;
  for (const QByteArray& line : *lines) {
    const QList<QByteArray> fields = line.split(',');
    numbers.insert(fields[0].toInt());
    ++perPc[fields[2]];
  }
  EXPECT_EQ(numbers.size(), std::size_t(2 * kPerPc)) << "none doubled";
  EXPECT_EQ(*numbers.begin(), 1);
  EXPECT_EQ(*numbers.rbegin(), 2 * kPerPc);
  EXPECT_EQ(perPc["pcA"], kPerPc);
  EXPECT_EQ(perPc["pcB"], kPerPc);
}

}  // namespace
}  // namespace kelvane

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
