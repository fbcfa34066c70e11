#include "receipt/input_history.h"

#include "text/line_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace kelvane {
namespace {

QStringList numbered(int count) {
  QStringList list;
  for (int i = 1; i <= count; ++i) list << QStringLiteral("entry%1").arg(i);
  return list;
}

TEST(InputHistory, AMatchIgnoringCaseMovesUpAndKeepsItsSpelling) {
  QStringList list{QStringLiteral("山田商事"), QStringLiteral("abc商店"), QStringLiteral("Ｘｙｚ")};
  HistoryUpdate update = UpdateHistoryList(list, QStringLiteral("ABC商店"));
  EXPECT_EQ(update.text, QStringLiteral("abc商店"));
  EXPECT_TRUE(update.changed);
  EXPECT_EQ(list, (QStringList{"abc商店", "山田商事", "Ｘｙｚ"}));

  // Full-width Latin letters fold as well.
  update = UpdateHistoryList(list, QStringLiteral("ＸＹＺ"));
  EXPECT_EQ(update.text, QStringLiteral("Ｘｙｚ"));
  EXPECT_EQ(list.first(), QStringLiteral("Ｘｙｚ"));

  // The top entry again: nothing to store.
  EXPECT_FALSE(UpdateHistoryList(list, QStringLiteral("ｘｙｚ")).changed);
  EXPECT_FALSE(UpdateHistoryList(list, QString()).changed);
  EXPECT_EQ(list.size(), 3);
}

TEST(InputHistory, ThirtyEntriesAtMostAfterAnAddition) {
  QStringList list = numbered(30);
  UpdateHistoryList(list, QStringLiteral("new"));
  ASSERT_EQ(list.size(), 30);
  EXPECT_EQ(list.first(), QStringLiteral("new"));
  EXPECT_EQ(list.last(), QStringLiteral("entry29"));

  // A longer list read from a file loses only its 31st entry.
  list = numbered(40);
  UpdateHistoryList(list, QStringLiteral("new"));
  EXPECT_EQ(list.size(), 40);
  EXPECT_FALSE(list.contains(QStringLiteral("entry30")));
  EXPECT_EQ(list.last(), QStringLiteral("entry40"));
}

TEST(InputHistory, FilesHoldOneCp932LinePerEntryInListOrder) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("atesaki_1.DAT"));
  EXPECT_EQ(*ReadHistoryFile(path), QStringList{}) << "a missing file is an empty list";

  ASSERT_TRUE(WriteHistoryFile(
      path, {QStringLiteral("山田商事"), QStringLiteral("A\nB"), QStringLiteral("😀店")}));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("\x8E\x52\x93\x63\x8F\xA4\x8E\x96\r\nA B\r\n?\x93\x58\r\n"));
  file.close();
  EXPECT_EQ(*ReadHistoryFile(path), (QStringList{"山田商事", "A B", "?店"}));

  // Bytes that are not cp932 do not lose the other entries.
  ASSERT_TRUE(writeLineFile(path, {"ok", "\x81", "\xEF\xBF"}));
  const auto read = ReadHistoryFile(path);
  ASSERT_TRUE(read);
  ASSERT_EQ(read->size(), 3);
  EXPECT_EQ(read->first(), QStringLiteral("ok"));

  // A folder where the file should be is an error, not an empty list.
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("topic1.DAT")));
  EXPECT_FALSE(ReadHistoryFile(dir.filePath(QStringLiteral("topic1.DAT"))));
}

}  // namespace
}  // namespace kelvane
