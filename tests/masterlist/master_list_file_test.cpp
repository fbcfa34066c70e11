// The master list files: records byte for byte, cuts on whole characters,
// content of any shape, fresh files and atomic saves.

#include "masterlist/master_list_file.h"

#include "support/read_only_folder.h"
#include "text/cp932.h"
#include "text/line_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace kelvane {
namespace {

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

MasterListEntry sample() { return {sj("東京支店"), QByteArray("AB"), sj("本社"), -2}; }

TEST(MasterListRecord, FieldsSitAtTheirOffsetsWithZeroFill) {
  const QByteArray record = EncodeMasterRecord(sample());
  ASSERT_EQ(record.size(), kMasterRecordBytes);
  QByteArray expected(kMasterRecordBytes, '\0');
  expected[0] = 8;
  expected.replace(1, 8, sj("東京支店"));
  expected[81] = 2;
  expected.replace(82, 2, "AB");
  expected[86] = 4;
  expected.replace(87, 4, sj("本社"));
  expected.replace(168, 4, QByteArray("\xFE\xFF\xFF\xFF", 4));  // -2, little-endian
  EXPECT_EQ(record, expected);
  EXPECT_EQ(record.size(), 172);

  bool damaged = true;
  EXPECT_EQ(DecodeMasterRecord(record, &damaged), sample());
  EXPECT_FALSE(damaged);
  EXPECT_EQ(EncodeMasterRecord({}), QByteArray(kMasterRecordBytes, '\0'));
}

TEST(MasterListRecord, CutsEndOnWholeCharacters) {
  EXPECT_EQ(CutCp932(QByteArray(100, 'a'), 80), QByteArray(80, 'a'));
  // A double-byte character across the 80th byte is left out whole.
  const QByteArray straddling = QByteArray(79, 'a') + sj("東") + "b";
  EXPECT_EQ(CutCp932(straddling, 80), QByteArray(79, 'a'));
  QByteArray forty;
  for (int i = 0; i < 41; ++i) forty += sj("支");
  EXPECT_EQ(CutCp932(forty, 80).size(), 80);
  EXPECT_EQ(CutCp932(sj("東京"), 3), sj("東"));
  EXPECT_EQ(CutCp932("abc", 0), QByteArray());

  // Records cut every field the same way.
  MasterListEntry longer{straddling, sj("東京支店"), QByteArray(200, 'z'), 7};
  const MasterListEntry back = DecodeMasterRecord(EncodeMasterRecord(longer));
  EXPECT_EQ(back.text, QByteArray(79, 'a'));
  EXPECT_EQ(back.code, sj("東京"));
  EXPECT_EQ(back.second, QByteArray(80, 'z'));
  EXPECT_EQ(back.number, 7);
}

TEST(MasterListRecord, AnyBytesReadAsARecord) {
  QByteArray bad(kMasterRecordBytes, '\xFF');
  bool damaged = false;
  MasterListEntry entry = DecodeMasterRecord(bad, &damaged);
  EXPECT_TRUE(damaged);
  EXPECT_EQ(entry.text, QByteArray(80, '\xFF')) << "a length of 255 reads the whole field";
  EXPECT_EQ(entry.code, QByteArray(4, '\xFF'));
  EXPECT_EQ(entry.number, -1);

  // A short record: what is missing reads as zero.
  entry = DecodeMasterRecord(QByteArray("\x03"
                                        "abc",
                                        4),
                             &damaged);
  EXPECT_FALSE(damaged);
  EXPECT_EQ(entry, (MasterListEntry{"abc", {}, {}, 0}));
  EXPECT_EQ(DecodeMasterRecord({}), MasterListEntry{});
  // Bytes after the length are not part of the text.
  QByteArray padded(kMasterRecordBytes, '\0');
  padded[0] = 1;
  padded.replace(1, 3, "xyz");
  EXPECT_EQ(DecodeMasterRecord(padded).text, QByteArray("x"));
}

TEST(MasterListContent, ASaveHoldsTheLeaderAndSixHundredEntries) {
  MasterList list;
  list.setEntry(1, sample());
  list.setEntry(600, {"last", {}, {}, 600});
  list.setEntry(0, sample());    // outside: ignored
  list.setEntry(601, sample());  // outside: ignored
  const QByteArray content = list.fileContent();
  ASSERT_EQ(content.size(), 103372);
  EXPECT_EQ(content.first(172), QByteArray(172, '\0'));
  EXPECT_EQ(content.sliced(172, 172), EncodeMasterRecord(sample()));
  EXPECT_EQ(content.sliced(600 * 172, 172), EncodeMasterRecord({"last", {}, {}, 600}));

  MasterListReadReport report;
  EXPECT_EQ(MasterList::fromFileContent(content, &report), list);
  EXPECT_EQ(report.entriesRead, 600);
  EXPECT_EQ(report.damagedLengths, 0);
  EXPECT_EQ(report.strayBytes, 0);
  EXPECT_EQ(MasterList::fromFileContent(content).fileContent(), content) << "byte for byte";
  EXPECT_EQ(list.entry(0), MasterListEntry{});
  EXPECT_EQ(list.entry(601), MasterListEntry{});
}

TEST(MasterListContent, RegisteringClearsTheOtherFieldsOfThatEntryOnly) {
  MasterList list;
  list.setEntry(5, sample());
  list.setEntry(6, sample());
  list.registerText(5, QByteArray(100, 'a'));
  EXPECT_EQ(list.entry(5), (MasterListEntry{QByteArray(80, 'a'), {}, {}, 0}));
  EXPECT_EQ(list.entry(6), sample()) << "carried through";
}

TEST(MasterListContent, ContentOfAnyShapeReadsAsFarAsItGoes) {
  MasterListReadReport report;
  EXPECT_EQ(MasterList::fromFileContent({}, &report), MasterList());
  EXPECT_EQ(report.entriesRead, 0);

  // Record 0 is skipped whatever it holds; three entries, then a partial one.
  QByteArray content(kMasterRecordBytes, '\x7F');
  for (int n = 1; n <= 3; ++n) content += EncodeMasterRecord({QByteArray::number(n), {}, {}, n});
  content += QByteArray(50, '\x05');
  const MasterList list = MasterList::fromFileContent(content, &report);
  EXPECT_EQ(report.entriesRead, 3);
  EXPECT_EQ(report.strayBytes, 50);
  EXPECT_EQ(list.entry(3).text, QByteArray("3"));
  EXPECT_EQ(list.entry(4), MasterListEntry{}) << "the partial record is no entry";

  // A fresh file: 1000 records, only 600 entries used, nothing stray.
  const QByteArray fresh = FreshMasterListContent();
  ASSERT_EQ(fresh.size(), 172000);
  EXPECT_EQ(fresh, QByteArray(172000, '\0'));
  EXPECT_EQ(MasterList::fromFileContent(fresh + "junk", &report), MasterList());
  EXPECT_EQ(report.entriesRead, 600);
  EXPECT_EQ(report.strayBytes, 0);

  // Damaged length bytes are counted.
  QByteArray damaged(kMasterRecordBytes * 3, '\xC8');
  EXPECT_EQ(MasterList::fromFileContent(damaged, &report).entry(1).text.size(), 80);
  EXPECT_EQ(report.entriesRead, 2);
  EXPECT_EQ(report.damagedLengths, 2);
}

class MasterListFileTest : public ::testing::Test {
 protected:
  QString path(const char* name = "atesaki.dat") const {
    return dir_.filePath(QString::fromLatin1(name));
  }
  QTemporaryDir dir_;
};

TEST_F(MasterListFileTest, AMissingFileIsMadeWithAThousandEmptyRecords) {
  auto load = LoadMasterListFile(path());
  ASSERT_TRUE(load) << load.error().toStdString();
  EXPECT_TRUE(load->created);
  EXPECT_EQ(load->list, MasterList());
  EXPECT_TRUE(load->notice.isEmpty());
  EXPECT_EQ(fileBytes(path()), QByteArray(172000, '\0'));

  load = LoadMasterListFile(path());
  ASSERT_TRUE(load);
  EXPECT_FALSE(load->created) << "made once";
}

TEST_F(MasterListFileTest, ASaveReadsBackAndReplacesTheFileWhole) {
  MasterList list;
  list.setEntry(27, {sj("東京支店"), "X1", sj("二行目"), 12345});
  ASSERT_TRUE(SaveMasterListFile(path(), list));
  EXPECT_EQ(QFileInfo(path()).size(), 103372);
  auto load = LoadMasterListFile(path());
  ASSERT_TRUE(load);
  EXPECT_EQ(load->list, list);
  EXPECT_EQ(fileBytes(path()), list.fileContent());

  // A longer file is replaced, not written over at its start.
  ASSERT_TRUE(writeFileAtomically(path(), FreshMasterListContent()));
  ASSERT_TRUE(SaveMasterListFile(path(), list));
  EXPECT_EQ(QFileInfo(path()).size(), 103372);
}

TEST_F(MasterListFileTest, DamagedContentIsReadWithANotice) {
  QByteArray content(kMasterRecordBytes, '\0');
  QByteArray record = EncodeMasterRecord({"ok", {}, {}, 0});
  record[0] = '\xF0';  // length 240 in a field of 80
  content += record + QByteArray(10, 'x');
  ASSERT_TRUE(writeFileAtomically(path(), content));
  auto load = LoadMasterListFile(path());
  ASSERT_TRUE(load);
  EXPECT_EQ(load->list.entry(1).text.size(), 80);
  EXPECT_EQ(load->report.damagedLengths, 1);
  EXPECT_EQ(load->report.strayBytes, 10);
  EXPECT_TRUE(load->notice.contains(QStringLiteral("正しくありません")))
      << load->notice.toStdString();
  EXPECT_TRUE(load->notice.contains(QStringLiteral("10 バイト")));
  EXPECT_EQ(fileBytes(path()), content) << "reading changes nothing";
}

TEST_F(MasterListFileTest, FailuresSayWhatAndKeepTheOldFile) {
  QDir(dir_.path()).mkdir(QStringLiteral("atesaki.dat"));
  auto load = LoadMasterListFile(path());
  ASSERT_FALSE(load);
  EXPECT_TRUE(load.error().contains(QStringLiteral("フォルダ")));

  const QString folder = dir_.filePath(QStringLiteral("locked"));
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString inside = QDir(folder).filePath(QStringLiteral("tanto.dat"));
  MasterList old;
  old.setEntry(1, sample());
  ASSERT_TRUE(SaveMasterListFile(inside, old));
  {
    testing::ReadOnlyFolder locked(folder);
    if (!locked.active()) GTEST_SKIP() << "this machine writes into read-only folders";
    MasterList changed;
    changed.registerText(1, "new");
    const auto saved = SaveMasterListFile(inside, changed);
    ASSERT_FALSE(saved);
    EXPECT_TRUE(saved.error().contains(QStringLiteral("書き込めません")));
    EXPECT_EQ(fileBytes(inside), old.fileContent());
    const auto made = LoadMasterListFile(QDir(folder).filePath(QStringLiteral("topic1.dat")));
    EXPECT_FALSE(made) << "a missing file that cannot be made is a failure";
  }
}

TEST_F(MasterListFileTest, TheFolderIsMadeWithItsParents) {
  const QString nested = dir_.filePath(QStringLiteral("a/b/basedata"));
  EXPECT_TRUE(EnsureMasterListFolder(nested));
  EXPECT_TRUE(QFileInfo(nested).isDir());
  EXPECT_TRUE(EnsureMasterListFolder(nested)) << "already there";
  ASSERT_TRUE(writeFileAtomically(dir_.filePath(QStringLiteral("plain")), "x"));
  const auto blocked = EnsureMasterListFolder(dir_.filePath(QStringLiteral("plain")));
  ASSERT_FALSE(blocked);
  EXPECT_TRUE(blocked.error().contains(QStringLiteral("フォルダではない")));
}

}  // namespace
}  // namespace kelvane
