#include "receipt/register_history.h"

#include "receipt/register_file.h"
#include "text/cp932.h"
#include "text/line_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace kelvane {
namespace {

using Action = HistoryAction;
using Said = QList<std::tuple<Action, QByteArray, QByteArray>>;  // action, before, after

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

class RegisterHistoryTest : public ::testing::Test {
 protected:
  void TearDown() override { SetAtomicWriteLimitForTests(-1); }
  QString reg() const { return dir_.filePath(QStringLiteral("regidata.klv")); }
  QString temp() const { return dir_.filePath(QStringLiteral("tempfile.dat")); }
  QByteArray bytes(const QString& file) const {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  Expected<RegisterChange> record(const QByteArray& line) {
    return ChangeRegister(reg(), temp(), line.left(line.indexOf(',')), [&](int) { return line; });
  }
  Expected<RegisterChange> remove(const QByteArray& number) {
    return ChangeRegister(reg(), temp(), number, {});
  }
  Said said() const {
    Said out;
    const QList<HistoryEntry> history = ReadHistory(reg()).value();
    for (const HistoryEntry& e : history) out.append({e.action, e.before, e.after});
    return out;
  }
  QTemporaryDir dir_;
};

TEST_F(RegisterHistoryTest, AnEntryComesBackByteForByteWhateverTheLinesHold) {
  // A "ソ" ends in the byte of "\", which must not be taken for anything.
  const QList<QByteArray> lines = {
      sj("A1,2026/1/5,1000,ソフト,"), "tab\there", "cr\rlf\nend", "100%25 %",
      QByteArray("\xff\x00\x81", 3),  ""};
  for (const QByteArray& before : lines) {
    const HistoryEntry entry{QStringLiteral("2026-12-08T20:30:00+09:00"),
                             Action::Replaced,
                             QStringLiteral("山田\t@host"),
                             before,
                             "A1,after,",
                             {},
                             {},
                             {}};
    const QByteArray line = FormatHistoryEntry(entry);
    EXPECT_TRUE(line.endsWith("\r\n"));
    EXPECT_EQ(line.count('\r') + line.count('\n'), 2) << line.toStdString();
    EXPECT_EQ(ParseHistoryLine(QByteArrayView(line).chopped(2)), entry) << line.toStdString();
  }
  // Cut anywhere before its end, an entry is no entry.
  const QByteArray whole = FormatHistoryEntry(StampedEntry(Action::Deleted, "A1,x,", {}));
  for (qsizetype n = 0; n < whole.size() - 2; ++n)
    EXPECT_FALSE(ParseHistoryLine(QByteArrayView(whole).first(n))) << n;
  EXPECT_FALSE(ParseHistoryLine("2026\tXX\tu@h\ta\tb\t."));
  EXPECT_FALSE(ParseHistoryLine(QByteArray("2026\t") + sj("削除") + "\tu@h\ta%4\tb\t."));
}

// A receipt handed out carries its copy: the path and SHA-256, or why
// there is none. The extra field belongs to 発行 alone.
TEST_F(RegisterHistoryTest, AHandedOutEntryKeepsItsCopyOrWhyThereIsNone) {
  const QString archive = reg() + ".archive";
  const HistoryEntry entries[] = {
      HandedOutEntry("A1,2026/12/8,1000,", archive, archive + "/2026/12/A1_2026-12-08.pdf",
                     QByteArray(64, 'a')),
      HandedOutEntry("A:2,", archive, archive + "/2026/12/A:2\t_2026-12-08-2.pdf", "0f"),
      HandedOutWithoutCopy("A3,", QStringLiteral("控えのフォルダー「x」を作れません。\r\n詳しく")),
      HandedOutWithoutCopy("A4,", {}),
  };
  for (const HistoryEntry& entry : entries) {
    const QByteArray line = FormatHistoryEntry(entry);
    EXPECT_EQ(line.count('\t'), 6) << line.toStdString();
    EXPECT_EQ(ParseHistoryLine(QByteArrayView(line).chopped(2)), entry) << line.toStdString();
  }
  EXPECT_EQ(entries[0].copyPath, QStringLiteral("2026/12/A1_2026-12-08.pdf"));
  EXPECT_EQ(entries[2].copyMissing, QStringLiteral("控えのフォルダー「x」を作れません。"));
  EXPECT_TRUE(CopyDescription(entries[0]).endsWith(QString(64, u'a')));
  EXPECT_TRUE(CopyDescription(entries[3]).startsWith(QStringLiteral("控えなし")));

  // A copy field on another action, or none on a 発行, is no entry; a copy
  // field of a form not known is kept as the reason.
  EXPECT_FALSE(ParseHistoryLine(QByteArray("t\t") + sj("登録") + "\tu@h\t\tA1,\tSHA-256:0f:p\t."));
  EXPECT_FALSE(ParseHistoryLine(QByteArray("t\t") + sj("発行") + "\tu@h\t\tA1,\t."));
  const auto odd = ParseHistoryLine(QByteArray("t\t") + sj("発行") + "\tu@h\t\tA1,\tSHA-256:\t.");
  ASSERT_TRUE(odd);
  EXPECT_TRUE(odd->copySha256.isEmpty());
  EXPECT_EQ(odd->copyMissing, QStringLiteral("SHA-256:"));
}

TEST_F(RegisterHistoryTest, ATornLastEntryIsLeftOutAndTheNextStandsOnItsOwnLine) {
  ASSERT_TRUE(AppendHistory(reg(), {StampedEntry(Action::Recorded, {}, "A1,a,"),
                                    StampedEntry(Action::Recorded, {}, "A2,b,")}));
  QByteArray torn = FormatHistoryEntry(StampedEntry(Action::Deleted, "A1,a,", {}));
  torn.chop(4);  // the "." and the line end never reached the disk
  {
    QFile f(HistoryPath(reg()));
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write(torn);
  }
  EXPECT_EQ(ReadHistory(reg())->size(), 2);
  const QByteArray kept = bytes(HistoryPath(reg()));
  ASSERT_TRUE(AppendHistory(reg(), {StampedEntry(Action::Deleted, "A2,b,", {})}));
  EXPECT_TRUE(bytes(HistoryPath(reg())).startsWith(kept)) << "nothing written over";
  EXPECT_EQ(said(), (Said{{Action::Recorded, "", "A1,a,"},
                          {Action::Recorded, "", "A2,b,"},
                          {Action::Deleted, "A2,b,", ""}}));
}

TEST_F(RegisterHistoryTest, EveryChangeOfTheRegisterIsAnEntryWithItsExactLines) {
  const QByteArray a1 = sj("A1,2026/1/5,1000,ソフト　太郎,");
  ASSERT_TRUE(record(a1));
  ASSERT_TRUE(record("A2,2026/1/6,2000,"));
  // A second line of A2 from another hand: the replacement removes both.
  ASSERT_TRUE(writeFileAtomically(reg(), bytes(reg()) + " A2 ,2026/1/7,3000,\r\n"));
  ASSERT_TRUE(record("A2,2026/1/8,4000,"));
  ASSERT_TRUE(remove("A1"));
  ASSERT_TRUE(remove("A9"));  // not there: nothing changed, nothing said
  {
    auto held = HeldRegister::Hold(reg(), true);
    ASSERT_TRUE(held);
    ASSERT_TRUE((*held)->append(temp(), {"B1,x,", "B2,y,"}));
  }
  EXPECT_EQ(said(), (Said{{Action::Recorded, "", a1},
                          {Action::Recorded, "", "A2,2026/1/6,2000,"},
                          {Action::Deleted, "A2,2026/1/6,2000,", ""},
                          {Action::Replaced, " A2 ,2026/1/7,3000,", "A2,2026/1/8,4000,"},
                          {Action::Deleted, a1, ""},
                          {Action::Recorded, "", "B1,x,"},
                          {Action::Recorded, "", "B2,y,"}}));

  const QList<HistoryEntry> history = *ReadHistory(reg());
  EXPECT_TRUE(QRegularExpression(QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d$)"))
                  .match(history[0].time)
                  .hasMatch())
      << history[0].time.toStdString();
  EXPECT_TRUE(history[0].who.contains(QLatin1Char('@')));
  EXPECT_EQ(HistoryOfNumber(history, " A2").size(), 3);
  // A reprint of a deleted receipt does not bring it back.
  ASSERT_TRUE(NoteInHistory(reg(), {HandedOutWithoutCopy(a1, QStringLiteral("off"))}));
  const QList<HistoryEntry> deleted = DeletedReceipts(*ReadHistory(reg()), {"A2", "B1", "B2"});
  ASSERT_EQ(deleted.size(), 1);
  EXPECT_EQ(deleted[0].before, a1);
  // Recorded again, it is no longer among the deleted ones.
  ASSERT_TRUE(record(a1));
  EXPECT_TRUE(DeletedReceipts(*ReadHistory(reg()), {"A1", "A2", "B1", "B2"}).isEmpty());
}

// Every kind of change, stopped once by a register write that fails after
// the history's, once by a history that cannot be written: the register is
// left as it was, and the history says every change tried or none.
TEST_F(RegisterHistoryTest, AChangeStoppedLeavesTheRegisterAndAHistorySayingMoreNeverLess) {
  for (const bool historyFails : {false, true}) {
    SCOPED_TRACE(historyFails ? "history fails" : "register write fails");
    QFile::remove(HistoryPath(reg()));
    ASSERT_TRUE(writeLineFile(reg(), {"A1,old,", "A2,kept,"}));
    const QByteArray before = bytes(reg());
    if (historyFails)
      ASSERT_TRUE(QDir().mkpath(HistoryPath(reg())));  // a folder in its place
    else
      SetAtomicWriteLimitForTests(0);
    const auto replaced = record("A1,new,");
    ASSERT_FALSE(replaced);
    EXPECT_EQ(replaced.error().contains(QStringLiteral("変更履歴「")), historyFails);
    EXPECT_FALSE(remove("A1"));
    auto held = HeldRegister::Hold(reg(), true);
    ASSERT_TRUE(held);
    EXPECT_FALSE((*held)->append(temp(), {"B1,x,"}));
    held->reset();
    EXPECT_EQ(bytes(reg()), before);
    SetAtomicWriteLimitForTests(-1);
    QDir(HistoryPath(reg())).removeRecursively();
    const Said tried{{Action::Replaced, "A1,old,", "A1,new,"},
                     {Action::Deleted, "A1,old,", ""},
                     {Action::Recorded, "", "B1,x,"}};
    EXPECT_EQ(said(), historyFails ? Said{} : tried);
  }
}

}  // namespace
}  // namespace kelvane
