#include "receipt/holiday_list.h"

#include "text/line_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace kelvane {
namespace {

QByteArray contentOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

TEST(HolidayList, KeysArePaddedMonthAndDay) {
  EXPECT_EQ(HolidayKey(QStringLiteral("5"), QStringLiteral("3")), QStringLiteral("05,03"));
  EXPECT_EQ(HolidayKey(QStringLiteral("12"), QStringLiteral("31")), QStringLiteral("12,31"));
  EXPECT_EQ(HolidayKey(QStringLiteral("05"), QStringLiteral("123")), QStringLiteral("05,123"));
  EXPECT_EQ(HolidayKey(QString(), QStringLiteral("3")), QStringLiteral(",03"));

  // A line's key is its first two fields; a field without its comma is empty.
  EXPECT_EQ(HolidayLineKey(u"05,03,"), QStringLiteral("05,03"));
  EXPECT_EQ(HolidayLineKey(u"05,03,comment,"), QStringLiteral("05,03"));
  EXPECT_EQ(HolidayLineKey(u"05,03"), QStringLiteral("05,"));
  EXPECT_EQ(HolidayLineKey(u"0503"), QStringLiteral(","));
  EXPECT_EQ(HolidayLineKey(u"5,3,"), QStringLiteral("5,3")) << "not padded: the user's text";
}

TEST(HolidayList, FindAppendRemoveKeepInsertionOrder) {
  HolidayList list;
  EXPECT_EQ(list.FindKey(QStringLiteral("05,03")), -1);
  list.Append(QStringLiteral("11,03,"));
  list.Append(QStringLiteral("05,03,"));
  list.Append(QStringLiteral("01,01,"));
  list.Append(QStringLiteral("05,03,"));
  EXPECT_EQ(list.lines(), (QStringList{"11,03,", "05,03,", "01,01,", "05,03,"}));

  // Every matching line can be found in turn.
  EXPECT_EQ(list.FindKey(QStringLiteral("05,03")), 1);
  EXPECT_EQ(list.FindKey(QStringLiteral("05,03"), 2), 3);
  EXPECT_EQ(list.FindKey(QStringLiteral("05,03"), 4), -1);
  EXPECT_EQ(list.FindKey(QStringLiteral("05,03"), -5), 1);
  EXPECT_EQ(list.FindKey(QStringLiteral("5,3")), -1);

  list.RemoveAt(1);
  list.RemoveAt(-1);
  list.RemoveAt(3);
  EXPECT_EQ(list.lines(), (QStringList{"11,03,", "01,01,", "05,03,"}));

  // One holiday stays one line of the file.
  list.Append(QStringLiteral("06,\r\n01,"));
  EXPECT_EQ(list.lines().last(), QStringLiteral("06,  01,"));
  list.Clear();
  EXPECT_EQ(list.size(), 0);
}

TEST(HolidayList, TheFileRoundTripsByteForByte) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QString::fromLatin1(kHolidayFileName));
  HolidayList list;
  list.Append(QStringLiteral("dummy,"));
  ASSERT_TRUE(list.Read(path)) << "a missing file is an empty list";
  EXPECT_EQ(list.size(), 0);

  list.Append(QStringLiteral("05,03,"));
  list.Append(QStringLiteral("12,31,"));
  ASSERT_TRUE(list.Write(path));
  EXPECT_EQ(contentOf(path), QByteArray("05,03,\r\n12,31,\r\n"));

  // The user's lines come back as they were: lines that are no holiday,
  // bytes that are not cp932, Japanese text, lone line ends.
  const QByteArray odd("05,03,\r\nxx,yy,\r\n\x81\r\n01,01,\x93\xFA\x96\x7B\r\n\r\n07,07,\n08,08,");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(odd);
  file.close();
  ASSERT_TRUE(list.Read(path));
  ASSERT_EQ(list.size(), 7);
  EXPECT_EQ(list.lines().at(1), QStringLiteral("xx,yy,"));
  EXPECT_EQ(list.lines().at(3), QStringLiteral("01,01,日本"));
  EXPECT_EQ(list.FindKey(QStringLiteral("01,01")), 3);
  EXPECT_EQ(list.lines().at(6), QStringLiteral("08,08,"));

  list.RemoveAt(0);
  list.Append(QStringLiteral("09,09,"));
  ASSERT_TRUE(list.Write(path));
  EXPECT_EQ(contentOf(path),
            QByteArray("xx,yy,\r\n\x81\r\n01,01,\x93\xFA\x96\x7B\r\n\r\n07,07,\r\n08,08,\r\n"
                       "09,09,\r\n"));
}

TEST(HolidayList, FilesThatCannotBeReadOrWrittenAreFailures) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QString::fromLatin1(kHolidayFileName));
  HolidayList list;
  list.Append(QStringLiteral("05,03,"));

  // A folder in the file's place: neither read nor written; the list stays.
  ASSERT_TRUE(QDir(dir.path()).mkdir(QString::fromLatin1(kHolidayFileName)));
  const auto read = list.Read(path);
  ASSERT_FALSE(read);
  EXPECT_TRUE(read.error().contains(QStringLiteral("SDAYLIST.DAT"))) << read.error().toStdString();
  EXPECT_EQ(list.lines(), QStringList{"05,03,"});
  const auto written = list.Write(path);
  ASSERT_FALSE(written);
  EXPECT_TRUE(written.error().contains(QStringLiteral("SDAYLIST.DAT")));

  // A file far bigger than any holiday list is refused, not read.
  const QString big = dir.filePath(QStringLiteral("big.DAT"));
  QFile file(big);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(kMaxHolidayFileBytes + 1, '\n'));
  file.close();
  EXPECT_FALSE(list.Read(big));
  EXPECT_EQ(list.lines(), QStringList{"05,03,"});
}

}  // namespace
}  // namespace kelvane
