#include "settings/settings_file.h"

#include "text/layout_text.h"
#include "text/line_file.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <utility>
#include <vector>

namespace kelvane {
namespace {

ConfWrite everyBox(bool on) {
  ConfWrite s;
  s.styleName = "a=b";
  s.dataName = "/home/shop/Kelvane/regidata.klv";
  s.offsetXText = "10";
  s.offsetYText = "-3";
  s.sizeXText = "1,200";
  s.sizeYText = "140";
  s.stylePreview = 1;
  s.headerChar = "No.";
  s.headerNumber = "5";
  s.lastNumber = "00042";
  s.barAvrg = 55;
  s.flags.fill(on);
  return s;
}

TEST(SettingsFile, WritesTheTwentyFourLinesInOrder) {
  const QList<QByteArray> lines = FormatConf(everyBox(true));
  const QList<QByteArray> expected{
      "[Version]=2.00",     "[STYLE_NAME]=a=b",    "[DATA_NAME]=/home/shop/Kelvane/regidata.klv",
      "[OFFSET_X]=10",      "[OFFSET_Y]=-3",       "[SIZE_X]=1,200",
      "[SIZE_Y]=140",       "[STYLE_PREVIEW]=1",   "[HEADER_CHAR]=No.",
      "[HEADER_NUMBER]=5",  "[LAST_NUMBER]=00042", "[AUTO_DATE]=true",
      "[AUTO_NUMBER]=true", "[TOP_MARK]=true",     "[END_MARK]=true",
      "[BAR_AVRG]=55",      "[TAB_USE]=true",      "[AUTO_NEW]=true",
      "[AUTO_SAVE]=true",   "[KANSUJI]=true",      "[TITLE_USE]=true",
      "[TOP_USE]=true",     "[STATUS_USE]=true",   "[ZERO]=true"};
  EXPECT_EQ(lines, expected);
}

TEST(SettingsFile, EveryBoxRoundTripsCheckedAndClear) {
  for (bool on : {true, false}) {
    const ConfRead read = ParseConf(FormatConf(everyBox(on)));
    for (int i = 0; i < kConfFlagCount; ++i) {
      ASSERT_TRUE(read.flags[i].has_value()) << i;
      EXPECT_EQ(*read.flags[i], on) << i;
    }
    EXPECT_EQ(read.styleName, "a=b");
    EXPECT_EQ(read.offsetY, -3);
    EXPECT_EQ(read.sizeX, 0) << "1,200 is not a whole number";
    EXPECT_EQ(read.lastNumber, "00042");
    EXPECT_EQ(read.barAvrg, 55);
  }
}

TEST(SettingsFile, FlagsMatchOnlyTheExactLine) {
  const ConfRead read =
      ParseConf({"[AUTO_DATE]=TRUE", "[AUTO_NUMBER]= true", "[TOP_MARK]=true ", "[ZERO]=false"});
  EXPECT_FALSE(read.flag(ConfFlag::AutoDate));
  EXPECT_FALSE(read.flag(ConfFlag::AutoNumber));
  EXPECT_FALSE(read.flag(ConfFlag::TopMark));
  EXPECT_EQ(read.flag(ConfFlag::Zero), false);
}

TEST(SettingsFile, NumbersFallBackPerKey) {
  const ConfRead bad = ParseConf({"[BAR_AVRG]=abc", "[STYLE_PREVIEW]=x", "[OFFSET_X]=12.5"});
  EXPECT_EQ(bad.barAvrg, 70);
  EXPECT_EQ(bad.stylePreview, 1);
  EXPECT_EQ(bad.offsetX, 0);
  const ConfRead none = ParseConf({"[Version]=2.00", "no equals sign", "=value", "[OTHER]=1"});
  EXPECT_FALSE(none.stylePreview) << "a missing key leaves the first option";
  EXPECT_FALSE(none.barAvrg);
  EXPECT_FALSE(none.styleName);
}

TEST(SettingsFile, LaterLinesOverrideEarlierOnes) {
  const ConfRead read =
      ParseConf({"[LAST_NUMBER]=1", "[KANSUJI]=true", "[LAST_NUMBER]=7", "[KANSUJI]=false"});
  EXPECT_EQ(read.lastNumber, "7");
  EXPECT_EQ(read.flag(ConfFlag::Kansuji), false);
}

TEST(SettingsFile, FileRoundTripIsByteExactAndAMissingFileIsEmpty) {
  QTemporaryDir dir;
  const QString path = dir.filePath("kelvane.conf");
  const auto missing = ReadConfFile(path);
  ASSERT_TRUE(missing);
  EXPECT_FALSE(missing->styleName);

  ASSERT_TRUE(WriteConfFile(path, everyBox(false)));
  const auto bytes = readWholeFile(path);
  ASSERT_TRUE(bytes);
  EXPECT_TRUE(bytes->startsWith("[Version]=2.00\r\n[STYLE_NAME]=a=b\r\n"));
  EXPECT_TRUE(bytes->endsWith("[ZERO]=false\r\n"));
  EXPECT_EQ(bytes->count('\n'), 24);
  const auto read = ReadConfFile(path);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->dataName, "/home/shop/Kelvane/regidata.klv");
}

// The tax choices follow the 24 lines only when not the default: a file of
// an earlier copy reads as before (the choices stay), and an earlier copy
// reading ours finds its 24 lines first.
TEST(SettingsFile, TaxChoicesFollowTheTwentyFourLines) {
  const QByteArray excluded = ToLayoutText(QStringLiteral("税抜"));
  const QByteArray up = ToLayoutText(QStringLiteral("切り上げ"));
  ConfWrite state = everyBox(true);
  state.taxBasis = excluded;
  state.taxRounding = up;
  const QList<QByteArray> lines = FormatConf(state);
  ASSERT_EQ(lines.size(), 26);
  EXPECT_EQ(lines.mid(0, 24), FormatConf(everyBox(true)));
  EXPECT_EQ(lines[24], "[TAX_BASIS]=" + excluded);
  EXPECT_EQ(lines[25], "[TAX_ROUNDING]=" + up);
  const ConfRead read = ParseConf(lines);
  EXPECT_EQ(read.taxBasis, excluded);
  EXPECT_EQ(read.taxRounding, up);
  const ConfRead older = ParseConf(FormatConf(everyBox(true)));
  EXPECT_FALSE(older.taxBasis || older.taxRounding);
}

TEST(SettingsFile, AFolderInPlaceOfTheFileIsAnErrorNotAnEmptyRead) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir("kelvane.conf"));
  EXPECT_FALSE(ReadConfFile(dir.filePath("kelvane.conf")));
  EXPECT_FALSE(WriteConfFile(dir.filePath("kelvane.conf"), everyBox(true)));
}

// Only a file with something in it and not one key line is kept aside.
TEST(SettingsFile, UnrecognisedOnlyWithoutAnyKeyLine) {
  const std::vector<std::pair<QList<QByteArray>, bool>> cases{
      {{}, false},
      {{"", "  "}, false},
      {{"garbage", "[ZERO]=TRUE"}, false},  // a key, however its value is written
      {{"garbage", "[Version]=9"}, false},
      {{"[ZERO] = true", "ZERO=true"}, true},  // no key as written
      {{"[OFFSET_X]", "[Something]=1"}, true},
  };
  for (std::size_t i = 0; i < cases.size(); ++i)
    EXPECT_EQ(IsUnrecognisedConf(cases[i].first), cases[i].second) << "case " << i;
}

}  // namespace
}  // namespace kelvane
