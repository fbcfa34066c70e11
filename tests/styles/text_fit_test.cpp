#include "layout/text_fit.h"

#include "layout/layout_slots.h"
#include "styles/style_file.h"
#include "styles/text_record.h"
#include "text/cp932.h"
#include "text/line_file.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <functional>

namespace kelvane {
namespace {

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

constexpr qint64 mm(double value) { return static_cast<qint64>(value * 10000); }

// The lines after the fixed ones.
QList<QByteArray> tail(const LayoutDocument& doc) {
  return doc.lines().sliced(slotmap::kExtendedLineCount);
}

TEST(TextFit, RecordsAsRead) {
  struct Case {
    const char* record;
    std::optional<FitRecord> expected;
  };
  const Case cases[] = {
      {"fit,241,45.5,右,", FitRecord{241, {mm(45.5), TextAlign::Right}}},
      {"fit,127,10,左,", FitRecord{127, {mm(10), TextAlign::Left}}},
      {"fit,275,0.0001,中央,", FitRecord{275, {1, TextAlign::Centre}}},
      {"fit,228,30,左,more,fields", FitRecord{228, {mm(30), TextAlign::Left}}},
      {"fit,241,0,左,", std::nullopt},    // no width
      {"fit,241,-3,左,", std::nullopt},   // negative
      {"fit,241,abc,左,", std::nullopt},  // no number
      {"fit,241,10,上,", std::nullopt},   // unknown alignment
      {"fit,241,10,中央", std::nullopt},  // the alignment field is not closed
      {"fit,100,10,左,", std::nullopt},   // a shape slot has no text
      {"fit,227,10,左,", std::nullopt},   // between the free texts and the items
      {"fit,276,10,左,", std::nullopt},   // beyond the items
      {"fit,x,10,左,", std::nullopt},     // no line
      {"fitx,241,10,左,", std::nullopt},  // another kind
      {"char,0,1,1,,12,,0,0,0,fit", std::nullopt},
      {"fit", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    const auto read = ReadFitRecord(sj(c.record));
    ASSERT_EQ(read.has_value(), c.expected.has_value()) << c.record;
    if (!read) continue;
    EXPECT_EQ(read->line, c.expected->line) << c.record;
    EXPECT_EQ(read->fit, c.expected->fit) << c.record;
  }
}

TEST(TextFit, RecordsAsWrittenReadBack) {
  EXPECT_EQ(BuildFitRecord(241, {mm(45.5), TextAlign::Right}), sj("fit,241,45.5,右,"));
  EXPECT_EQ(BuildFitRecord(127, {mm(10), TextAlign::Left}), sj("fit,127,10,左,"));
  EXPECT_EQ(BuildFitRecord(263, {123'4567, TextAlign::Centre}), sj("fit,263,123.4567,中央,"));
  for (qint64 width : {qint64(1), mm(0.5), mm(12.25), mm(297)}) {
    for (TextAlign align : {TextAlign::Left, TextAlign::Right, TextAlign::Centre}) {
      const auto read = ReadFitRecord(BuildFitRecord(250, {width, align}));
      ASSERT_TRUE(read);
      EXPECT_EQ(read->fit, (TextFit{width, align}));
    }
  }
}

class FitDocumentTest : public ::testing::Test {
 protected:
  LayoutDocument doc;
  const TextFit wide{mm(80), TextAlign::Left};
  const TextFit right{mm(25.5), TextAlign::Right};
  const TextFit centred{mm(40), TextAlign::Centre};
};

TEST_F(FitDocumentTest, SetReplaceAndClearKeepOneRecordPerLineInLineOrder) {
  EXPECT_FALSE(FitOf(doc, slotmap::kAmount));
  ASSERT_TRUE(SetFit(doc, slotmap::kAmount, wide));
  EXPECT_EQ(tail(doc), (QList<QByteArray>{sj("fit,241,80,左,")}));
  ASSERT_TRUE(SetFit(doc, slotmap::kAddressee, right));  // a lower line goes first
  ASSERT_TRUE(SetFit(doc, slotmap::kAmount10, centred));
  ASSERT_TRUE(SetFit(doc, slotmap::kAmount, right));  // replaced where it stands
  EXPECT_EQ(tail(doc), (QList<QByteArray>{sj("fit,240,25.5,右,"), sj("fit,241,25.5,右,"),
                                          sj("fit,268,40,中央,")}));
  EXPECT_EQ(FitOf(doc, slotmap::kAmount), right);
  EXPECT_EQ(FitOf(doc, slotmap::kAmount10), centred);

  ASSERT_TRUE(SetFit(doc, slotmap::kAmount, std::nullopt));
  ASSERT_TRUE(SetFit(doc, slotmap::kAddressee, TextFit{0, TextAlign::Right}));  // 0: no width
  EXPECT_EQ(tail(doc), (QList<QByteArray>{sj("fit,268,40,中央,")}));
  ASSERT_TRUE(SetFit(doc, slotmap::kAmount10, std::nullopt));
  EXPECT_EQ(doc.lineCount(), slotmap::kExtendedLineCount);
  ASSERT_TRUE(SetFit(doc, slotmap::kAmount10, std::nullopt));  // nothing to take away
  EXPECT_EQ(doc.lineCount(), slotmap::kExtendedLineCount);
}

TEST_F(FitDocumentTest, LinesWithoutTextTakeNoWidth) {
  for (int line : {0, 12, 111, 126, 227, 276, 300, -1}) {
    EXPECT_FALSE(SetFit(doc, line, wide)) << line;
  }
  EXPECT_EQ(doc.lineCount(), slotmap::kExtendedLineCount);
  for (int line : {127, 226, 228, 266, 267, 275}) EXPECT_TRUE(SetFit(doc, line, wide)) << line;
}

TEST_F(FitDocumentTest, DuplicatesBadRecordsAndOtherLinesAfterTheSlots) {
  QList<QByteArray> lines = doc.lines();
  lines << sj("fit,241,30,右,") << "future,1,2," << sj("fit,241,90,左,") << sj("fit,241,x,左,")
        << sj("fit,242,10,斜,") << ",";
  doc.replaceAll(lines);
  EXPECT_EQ(FitOf(doc, slotmap::kAmount), (TextFit{mm(30), TextAlign::Right}));  // the first
  EXPECT_FALSE(FitOf(doc, slotmap::kDescription1));
  EXPECT_EQ(FitTable(doc).find(slotmap::kAmount)->width, mm(30));

  ASSERT_TRUE(SetFit(doc, slotmap::kAmount, centred));
  // The duplicate is gone; damaged records and unknown lines stay as found.
  EXPECT_EQ(tail(doc), (QList<QByteArray>{sj("fit,241,40,中央,"), "future,1,2,",
                                          sj("fit,241,x,左,"), sj("fit,242,10,斜,"), ","}));
  // A new record follows the last line that holds something.
  ASSERT_TRUE(SetFit(doc, slotmap::kStubTax8, wide));
  EXPECT_EQ(tail(doc).last(), sj("fit,275,80,左,"));
  EXPECT_EQ(tail(doc).size(), 5);
}

TEST_F(FitDocumentTest, TableFindsEveryFit) {
  EXPECT_TRUE(FitTable(doc).empty());
  EXPECT_EQ(FitTable(doc).find(slotmap::kAmount), nullptr);
  SetFit(doc, slotmap::textLine(1), wide);
  SetFit(doc, slotmap::kStubTax8, right);
  const FitTable table(doc);
  ASSERT_NE(table.find(slotmap::textLine(1)), nullptr);
  EXPECT_EQ(*table.find(slotmap::textLine(1)), wide);
  EXPECT_EQ(*table.find(slotmap::kStubTax8), right);
  for (qsizetype line :
       {qsizetype(-1), qsizetype(0), qsizetype(240), qsizetype(276), qsizetype(100000)})
    EXPECT_EQ(table.find(line), nullptr) << line;
}

// The fit of a free text row moves with its text.
TEST_F(FitDocumentTest, FreeTextRowOperationsMoveTheFits) {
  auto row = [](int r) { return slotmap::textLine(r); };
  auto setRows = [&] {
    doc = LayoutDocument();
    SetFit(doc, row(3), wide);
    SetFit(doc, row(4), right);
    SetFit(doc, row(100), centred);
    SetFit(doc, slotmap::kAmount, centred);
  };
  struct Case {
    const char* what;
    std::function<void()> operation;
    std::vector<std::pair<int, std::optional<TextFit>>> expected;
  };
  const Case cases[] = {
      {"insert at row 2",
       [&] { InsertTextRow(doc, 2); },
       {{row(3), std::nullopt}, {row(4), wide}, {row(5), right}, {row(100), std::nullopt}}},
      {"delete row 3",
       [&] { DeleteTextRow(doc, 3); },
       {{row(3), right}, {row(4), std::nullopt}, {row(99), centred}, {row(100), std::nullopt}}},
      {"exchange row 3", [&] { ExchangeTextRow(doc, 3); }, {{row(3), right}, {row(4), wide}}},
      {"swap rows 4 and 100",
       [&] { SwapTextRows(doc, 4, 100); },
       {{row(3), wide}, {row(4), centred}, {row(100), right}}},
      {"row outside the list",
       [&] { DeleteTextRow(doc, 101); },
       {{row(3), wide}, {row(4), right}, {row(100), centred}}},
  };
  for (const Case& c : cases) {
    setRows();
    c.operation();
    for (const auto& [line, fit] : c.expected) EXPECT_EQ(FitOf(doc, line), fit) << c.what;
    EXPECT_EQ(FitOf(doc, slotmap::kAmount), centred) << c.what;
    // Still one record per fit, no empty line left behind.
    for (const QByteArray& line : tail(doc)) EXPECT_TRUE(ReadFitRecord(line)) << c.what;
  }
}

// ---- files

QList<QByteArray> layoutOf(qsizetype count) {
  QList<QByteArray> lines(count, ",");
  lines[0] = "[Version2.0]";
  lines[2] = "10,10,1,0,0,0,0,0,0,0,0,";
  lines[slotmap::kAmount] = sj("char,0,40,30,ＭＳ 明朝,20,,0,0,0,＊金壱萬円也＊");
  // As the program writes them: up to the last line that holds something.
  if (count > slotmap::kLineCount) lines[slotmap::kStubTax8] = sj("char,0,20,60,,10,,0,0,0,");
  return lines;
}

class FitFileTest : public ::testing::Test {
 protected:
  QByteArray bytesOf(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
  }
  // Loads the file, saves it under another name and gives both files' bytes.
  std::pair<QByteArray, QByteArray> roundTrip(const QList<QByteArray>& lines,
                                              const std::function<void(LayoutDocument&)>& edit) {
    const QString in = dir.filePath("in.rcd");
    const QString out = dir.filePath("out.rcd");
    EXPECT_TRUE(writeLineFile(in, lines));
    LayoutDocument doc;
    EXPECT_TRUE(LoadStyleFile(doc, in));
    if (edit) edit(doc);
    EXPECT_TRUE(SaveStyleFile(doc, out));
    return {bytesOf(in), bytesOf(out)};
  }
  QTemporaryDir dir;
};

TEST_F(FitFileTest, FilesLoadAndSaveByteForByte) {
  QList<QByteArray> withFits = layoutOf(slotmap::kExtendedLineCount);
  withFits << sj("fit,240,90,左,") << sj("fit,241,85.5,中央,") << sj("fit,268,30,右,");
  const std::pair<const char*, QList<QByteArray>> files[] = {
      {"original format", layoutOf(slotmap::kLineCount)},
      {"with the extension lines", layoutOf(slotmap::kExtendedLineCount)},
      {"with widths", withFits},
  };
  for (const auto& [what, lines] : files) {
    const auto [in, out] = roundTrip(lines, nullptr);
    EXPECT_EQ(out, in) << what;
    // A width given and taken away again leaves the file as it was.
    const auto [in2, out2] = roundTrip(lines, [](LayoutDocument& doc) {
      const auto before = FitOf(doc, slotmap::kDescription1);
      SetFit(doc, slotmap::kDescription1, TextFit{mm(50), TextAlign::Left});
      SetFit(doc, slotmap::kDescription1, before);
    });
    EXPECT_EQ(out2, in2) << what;
  }
}

TEST_F(FitFileTest, WidthsSetInTheEditorsComeBackFromTheFile) {
  const TextFit amount{mm(85.5), TextAlign::Centre};
  const TextFit freeText{mm(12), TextAlign::Right};
  const auto [in, out] = roundTrip(layoutOf(slotmap::kLineCount), [&](LayoutDocument& doc) {
    SetFit(doc, slotmap::kAmount, amount);
    SetFit(doc, slotmap::textLine(5), freeText);
  });
  // The original lines stay first and unchanged; the records follow the
  // extension lines.
  EXPECT_TRUE(out.startsWith(in));
  EXPECT_TRUE(out.endsWith(sj(",\r\nfit,131,12,右,\r\nfit,241,85.5,中央,\r\n")));
  LayoutDocument again;
  ASSERT_TRUE(LoadStyleFile(again, dir.filePath("out.rcd")));
  EXPECT_EQ(again.lineCount(), slotmap::kExtendedLineCount + 2);
  EXPECT_EQ(FitOf(again, slotmap::kAmount), amount);
  EXPECT_EQ(FitOf(again, slotmap::textLine(5)), freeText);
  // A reader that stops at line 266 reads the same lines as before.
  EXPECT_EQ(again.lines().first(slotmap::kLineCount), layoutOf(slotmap::kLineCount));
}

}  // namespace
}  // namespace kelvane
