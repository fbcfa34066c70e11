#include "styles/style_file.h"
#include "styles/style_contents.h"

#include "layout/layout_slots.h"
#include "text/cp932.h"
#include "text/line_file.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <utility>
#include <vector>

namespace kelvane {
namespace {

QList<QByteArray> completeLayout(const QByteArray& version) {
  QList<QByteArray> lines(slotmap::kLineCount, ",");
  lines[0] = version;
  lines[1] = "Shop A,";
  lines[2] = "5,7,1,1,9,1,300,70,15,-1,";
  lines[3] = "200,140,1,0,1,";
  lines[7] = "image,0,12.5,30,logo.jpg,40,20,";
  lines[12] = "line,0,10,20.5,190,20.5,2,0,255,";
  lines[13] = "fillrect,0,1,2,3,4,0,6,abc,";
  lines[127] = "char,0,10,10,0,ＭＳ 明朝,12,0,0,0,a,b,c";
  lines[228] = "char,0,10,10,0,ＭＳ 明朝,12,0,0,0," + cp932::fromUtf8Literal("株式会社,見本");
  return lines;
}

class StyleFileTest : public ::testing::Test {
 protected:
  QString write(const QList<QByteArray>& lines, const char* name = "a.rcd") {
    const QString path = dir_.filePath(name);
    EXPECT_TRUE(writeLineFile(path, lines));
    return path;
  }
  QTemporaryDir dir_;
};

TEST_F(StyleFileTest, AnyVersionLineLoadsTheSameWay) {
  for (const char* version : {"[Version1.1]", "[Version2.0]", "whatever"}) {
    LayoutDocument doc;
    const auto report = LoadStyleFile(doc, write(completeLayout(version)));
    ASSERT_TRUE(report) << version;
    EXPECT_FALSE(report->padded);
    const StyleContents c = ReadStyleContents(doc);
    EXPECT_EQ(c.title, "Shop A");
    EXPECT_EQ(c.header.offsetX, 5);
    EXPECT_EQ(c.header.paperSourceCode, 15);
    EXPECT_EQ(c.header.receiptHeight, 140);
  }
}

TEST_F(StyleFileTest, EditorsSeeTheSlotsAsWritten) {
  LayoutDocument doc;
  ASSERT_TRUE(LoadStyleFile(doc, write(completeLayout("[Version2.0]"))));
  const StyleContents c = ReadStyleContents(doc);
  EXPECT_EQ(c.images[0].x, "12.5");
  EXPECT_EQ(c.images[0].file, "logo.jpg");
  EXPECT_EQ(c.shapes[0].corners, "[10,20.5]-[190,20.5] Size=2");
  EXPECT_EQ(c.shapes[0].kindCaption, cp932::fromUtf8Literal("直線"));
  EXPECT_EQ(c.shapes[0].colour, 255u);
  EXPECT_EQ(c.shapes[0].kind, "line");
  EXPECT_EQ(c.shapes[1].kindCaption, cp932::fromUtf8Literal("四角形"));
  EXPECT_EQ(c.shapes[1].colour, 0u) << "a colour that is not a number reads 0";
  EXPECT_EQ(c.shapes[2].corners, "") << "an empty slot leaves the row empty";
  EXPECT_EQ(c.shapes[2].colour, 0xFFFFFFu);
  EXPECT_EQ(c.texts[0], "a,b,c");
  EXPECT_EQ(c.company[0], cp932::fromUtf8Literal("株式会社,見本"));
}

TEST_F(StyleFileTest, ASavedStyleReadsBackLineForLineWithTheFileVersion) {
  QList<QByteArray> lines = completeLayout("[Version1.1]");
  lines.append("char,0,1,1,0,ＭＳ 明朝,10,0,0,0,after the last slot");
  LayoutDocument doc;
  ASSERT_TRUE(LoadStyleFile(doc, write(lines)));
  const QString saved = dir_.filePath("saved.rcd");
  ASSERT_TRUE(SaveStyleFile(doc, saved));
  const auto back = readLineFile(saved);
  ASSERT_TRUE(back);
  lines[0] = "[Version2.0]";
  EXPECT_EQ(*back, lines);
  EXPECT_EQ(doc.line(0), "[Version2.0]");
}

TEST_F(StyleFileTest, AShortFileIsPaddedAndSaysSo) {
  LayoutDocument doc;
  const QString path = write({"[Version2.0]", "Short,"});
  const auto report = LoadStyleFile(doc, path);
  ASSERT_TRUE(report);
  EXPECT_TRUE(report->padded);
  EXPECT_EQ(report->fileLines, 2);
  EXPECT_EQ(doc.lineCount(), slotmap::kExtendedLineCount);
  EXPECT_EQ(doc.line(266), ",");
  EXPECT_TRUE(ShortStyleMessage(path, *report).contains(QStringLiteral("2 行")));
}

TEST_F(StyleFileTest, AMissingFileKeepsThePreviousLayout) {
  LayoutDocument doc;
  ASSERT_TRUE(LoadStyleFile(doc, write(completeLayout("[Version2.0]"))));
  const auto missing = LoadStyleFile(doc, dir_.filePath("cleardata.rcd"));
  ASSERT_FALSE(missing);
  EXPECT_TRUE(missing.error().contains("cleardata.rcd"));
  EXPECT_EQ(doc.line(1), "Shop A,");
}

TEST_F(StyleFileTest, AFailedSaveLeavesTheOldFileWhole) {
  LayoutDocument doc;
  const QString path = write(completeLayout("[Version2.0]"));
  ASSERT_TRUE(QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::ExeOwner));
  const bool rootIgnoresPermissions = QFile(dir_.filePath("probe")).open(QIODevice::WriteOnly);
  if (!rootIgnoresPermissions) {
    EXPECT_FALSE(SaveStyleFile(doc, path));
    const auto back = readLineFile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ((*back)[1], "Shop A,");
  }
  QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  // A folder where the file should be cannot be replaced by a save.
  ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.rcd"));
  EXPECT_FALSE(SaveStyleFile(doc, dir_.filePath("folder.rcd")));
}

// The extension lines after line 266: a file of the original format loads
// without a word and saves byte for byte; a file that uses them keeps what
// they hold, and a reader of the original format finds its 267 lines as
// they were.
TEST_F(StyleFileTest, ExtensionLinesAreWrittenOnlyWhenTheyHoldSomething) {
  const QByteArray registration =
      "char,0,20,30,ＭＳ 明朝,10,,0,0,0," + cp932::fromUtf8Literal("登録番号 T7000012050002");
  const QByteArray taxed = "char,0,20,40,,0,,0,0,0,1,000";
  struct Case {
    const char* name;
    std::vector<std::pair<int, QByteArray>> extension;  // lines after 266, as the file holds them
    qsizetype savedLines;
  };
  const std::vector<Case> cases{
      {"original format", {}, 267},
      {"registration number and 8% amount", {{267, registration}, {270, taxed}}, 271},
      {"only the stub's last tax", {{275, taxed}}, 276},
      {"a line of a newer file", {{280, "char,0,1,1,,0,,0,0,0,later"}}, 281},
      {"an unplaced number is still the number", {{267, "char,0,0,0,,0,,0,0,0,T1"}}, 268},
      {"empty slots and unplaced records without text",
       {{267, ","},
        {268, "char,0,0,0,,0,,0,0,,"},
        {269, "char,0,0,0,ＭＳ 明朝,0,,0,0,0,"},
        {270, ",,,"}},
       267},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QList<QByteArray> lines = completeLayout("[Version2.0]");
    for (const auto& [line, text] : c.extension) {
      while (lines.size() <= line) lines.append(",");
      lines[line] = text;
    }
    const QString path = write(lines);
    LayoutDocument doc;
    const auto report = LoadStyleFile(doc, path);
    ASSERT_TRUE(report);
    EXPECT_FALSE(report->padded);
    EXPECT_EQ(doc.lineCount(), std::max<qsizetype>(lines.size(), slotmap::kExtendedLineCount));

    const QString saved = dir_.filePath("saved.rcd");
    ASSERT_TRUE(SaveStyleFile(doc, saved));
    const auto back = readLineFile(saved);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), c.savedLines);
    EXPECT_EQ(*back, lines.first(c.savedLines));
    if (c.savedLines == lines.size()) {
      QFile original(path), again(saved);
      ASSERT_TRUE(original.open(QIODevice::ReadOnly) && again.open(QIODevice::ReadOnly));
      EXPECT_EQ(again.readAll(), original.readAll());
    }
    // A reader of the original format stops at line 266.
    EXPECT_EQ(back->first(slotmap::kLineCount), completeLayout("[Version2.0]"));
  }
}

TEST(StyleFileLines, WhatHoldsNothing) {
  const std::vector<std::pair<QByteArray, bool>> cases{
      {",", true},
      {"", true},
      {",,,,", true},
      {"char,0,0,0,,0,,0,0,,", true},
      {"char,1,0,0,ＭＳ 明朝,12,太字,0,0,255,", true},
      {"char,0,0.0,0,,0,,0,0,0,", true},
      {"char,0,0,0,,0,,0,0,0,x", false},  // a text not yet placed
      {"char,0,0,5,,0,,0,0,0,", false},   // placed, filled per receipt
      {"char,0,,,,0,,0,0,0,", false},     // damaged: kept for the user to see
      {"line,0,0,0,0,0,1,,0,", false},
      {"x", false},
  };
  for (const auto& [line, empty] : cases) EXPECT_EQ(HoldsNothing(line), empty) << line.data();
}

// Plainly no layout: nothing in its head looks like a layout line and no
// element record anywhere. Short, shifted and damaged layouts are layouts.
TEST(StyleFileRecognition, OnlyWhatIsPlainlyNoLayout) {
  QList<QByteArray> shifted = completeLayout("[Version2.0]");
  for (int i = 0; i < 20; ++i) shifted.prepend("noise");
  const std::vector<std::pair<QList<QByteArray>, bool>> cases{
      {{}, false},
      {{"", " "}, false},
      {completeLayout("whatever"), false},  // the print settings line
      {{"x", "y", ","}, false},             // an empty slot
      {shifted, false},                     // its records
      {{"1,2024/05/01,A,B,C,1000,", "2,2024/05/02,A,B,C,2000,"}, true},
      {{"a,b,c,d,e,f,g,h,i,j,k"}, true},  // eleven fields but no offsets
  };
  for (std::size_t i = 0; i < cases.size(); ++i)
    EXPECT_EQ(IsUnrecognisedLayout(cases[i].first), cases[i].second) << "case " << i;
}

// Clearing a line writes what the editors write for an empty slot there.
TEST(EmptiedElementRecord, FollowsTheSlot) {
  EXPECT_EQ(EmptiedElementRecord(slotmap::imageLine(8)), "image,0,0,0,,0,0,,0,0");
  for (int line : {slotmap::textLine(100), slotmap::kCompanyName1, slotmap::kStubAddresseeLine2,
                   slotmap::kRegistrationNumber, slotmap::kAmount10, slotmap::kStubTax8})
    EXPECT_EQ(EmptiedElementRecord(line), "char,0,0,0,,0,,0,0,,") << line;
  for (int line : {0, 3, 11, 12, 126, 227, 276}) EXPECT_EQ(EmptiedElementRecord(line), ",") << line;
}

}  // namespace
}  // namespace kelvane
