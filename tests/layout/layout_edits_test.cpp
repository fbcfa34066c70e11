#include "layout/layout_edits.h"

#include "layout/item_text.h"
#include "layout/layout_slots.h"

#include <gtest/gtest.h>

#include <functional>

namespace kelvane {
namespace {

const QByteArray kLine = "line,1,1,20,20,1,0,0,PS_SOLID,";
const QByteArray kAmountRecord = "char,100,200,0,0,MS Gothic,12,,0,0,";

struct Edits : ::testing::Test {
  LayoutDocument document;
  LayoutEdits edits{document};
  int changes = 0;
  QList<QList<qsizetype>> restores;
  void SetUp() override {
    QObject::connect(&edits, &LayoutEdits::changed, [this] { ++changes; });
    QObject::connect(&edits, &LayoutEdits::restored,
                     [this](const QList<qsizetype>& lines) { restores.append(lines); });
  }
};

TEST_F(Edits, NestedChangesAreOneChangeAndOneStep) {
  {
    const auto outer = edits.step(QStringLiteral("スタイルの読み込み"));
    for (int row = 1; row <= 20; ++row) {
      const auto inner = edits.step(QStringLiteral("線の変更"));
      document.setLine(slotmap::shapeLine(row), kLine);
    }
    EXPECT_EQ(changes, 0);  // told when the outer change ends
  }
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(edits.undoCount(), 1);
  EXPECT_EQ(edits.undoName(), QStringLiteral("スタイルの読み込み"));
}

TEST_F(Edits, AChangeThatChangesNothingIsNeitherToldNorAStep) {
  {
    const auto change = edits.step(QStringLiteral("線の変更"));
    document.setLine(slotmap::shapeLine(1), document.line(slotmap::shapeLine(1)));
  }
  EXPECT_EQ(changes, 0);
  EXPECT_FALSE(edits.canUndo());
}

TEST_F(Edits, UndoAndRedoReturnTheDocumentByteForByte) {
  const QList<QByteArray> start = document.lines();
  {
    const auto change = edits.step(QStringLiteral("線の変更"));
    document.setLine(slotmap::shapeLine(3), kLine);
    document.setLine(slotmap::textLine(5), "char,1,1,0,0,,10,,0,0,abc");
  }
  const QList<QByteArray> changed = document.lines();
  edits.undo();
  EXPECT_EQ(document.lines(), start);
  ASSERT_EQ(restores.size(), 1);
  EXPECT_EQ(restores[0], (QList<qsizetype>{slotmap::shapeLine(3), slotmap::textLine(5)}));
  EXPECT_EQ(edits.redoName(), QStringLiteral("線の変更"));
  edits.redo();
  EXPECT_EQ(document.lines(), changed);
  EXPECT_EQ(changes, 3);  // the change, the undo, the redo
}

TEST_F(Edits, TheStyleFileOpenedIsTakenBackWithItsStep) {
  const auto open = [&](const char* path, const QByteArray& record) {
    const auto change = edits.step(QStringLiteral("スタイルを開く"));
    edits.setSource(QString::fromLatin1(path));
    document.setLine(slotmap::shapeLine(1), record);
  };
  open("/styles/a.rcd", kLine);
  open("/styles/b.rcd", kLine);  // the same lines from another file is a step too
  EXPECT_EQ(edits.undoCount(), 2);
  edits.undo();
  EXPECT_EQ(edits.source(), QStringLiteral("/styles/a.rcd"));
  edits.undo();
  EXPECT_EQ(edits.source(), QString());
  edits.redo();
  edits.redo();
  EXPECT_EQ(edits.source(), QStringLiteral("/styles/b.rcd"));
}

TEST_F(Edits, AStepThatChangesTheLineCountHoldsTheWholeDocument) {
  const QList<QByteArray> start = document.lines();
  QList<QByteArray> longer = start;
  longer[slotmap::kTitleLine] = "Other,";
  longer.append("extra");
  {
    const auto change = edits.step(QStringLiteral("スタイルの読み込み"));
    document.replaceAll(longer);
  }
  edits.undo();
  EXPECT_EQ(document.lines(), start);
  edits.redo();
  EXPECT_EQ(document.lines(), longer);
}

TEST_F(Edits, ANewStepClearsRedo) {
  for (const char* name : {"一", "二"}) {
    const auto change = edits.step(QString::fromUtf8(name));
    document.setLine(slotmap::shapeLine(1), QByteArray(name));
  }
  edits.undo();
  ASSERT_TRUE(edits.canRedo());
  {
    const auto change = edits.step(QStringLiteral("三"));
    document.setLine(slotmap::shapeLine(2), kLine);
  }
  EXPECT_FALSE(edits.canRedo());
  EXPECT_EQ(edits.undoName(), QStringLiteral("三"));
  edits.redo();  // nothing to do again
  EXPECT_EQ(document.line(slotmap::shapeLine(2)), kLine);
}

TEST_F(Edits, TheHistoryKeepsItsLimitAndDropsTheOldest) {
  const QList<QByteArray> start = document.lines();
  const int total = LayoutEdits::kHistorySteps + 20;
  QList<QList<QByteArray>> states{start};
  for (int i = 1; i <= total; ++i) {
    const auto change = edits.step(QStringLiteral("変更%1").arg(i));
    document.setLine(slotmap::shapeLine(1 + i % 100), QByteArray::number(i));
    states.append(document.lines());
  }
  EXPECT_GE(LayoutEdits::kHistorySteps, 200);
  EXPECT_EQ(edits.undoCount(), LayoutEdits::kHistorySteps);
  for (int i = total; i > total - LayoutEdits::kHistorySteps; --i) {
    ASSERT_EQ(edits.undoName(), QStringLiteral("変更%1").arg(i));
    edits.undo();
    ASSERT_EQ(document.lines(), states[i - 1]);
  }
  EXPECT_FALSE(edits.canUndo());
  EXPECT_EQ(document.lines(), states[total - LayoutEdits::kHistorySteps]);
}

TEST_F(Edits, QuietChangesAreHeardButNoSteps) {
  {
    const auto change = edits.quiet();
    SetItemTextQuiet(document, slotmap::kAmount, "12,000");
    SetItemTextQuiet(document, slotmap::kStubAmount, "12,000");
  }
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(edits.canUndo());
}

TEST_F(Edits, AStepInsideAQuietChangeMakesItAStep) {
  {
    const auto outer = edits.quiet();
    SetItemTextQuiet(document, slotmap::kAmount, "1");
    const auto inner = edits.step(QStringLiteral("スタイルを開く"));
    document.setLine(slotmap::shapeLine(1), kLine);
  }
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(edits.undoName(), QStringLiteral("スタイルを開く"));
}

TEST_F(Edits, NoUndoWhileAChangeIsOpen) {
  {
    const auto change = edits.step(QStringLiteral("一"));
    document.setLine(slotmap::shapeLine(1), kLine);
  }
  {
    const auto change = edits.step(QStringLiteral("二"));
    edits.undo();
    EXPECT_EQ(document.line(slotmap::shapeLine(1)), kLine);
  }
  EXPECT_EQ(edits.undoCount(), 1);  // "一": "二" changed nothing
}

// An undo puts back the layout of an item line and keeps the receipt text
// typed since; the company texts and the other lines come back whole.
TEST_F(Edits, UndoKeepsTheReceiptTextsTypedSince) {
  document.setLine(slotmap::kAmount, kAmountRecord + "5,000");
  document.setLine(slotmap::kCompanyName1, kAmountRecord + "Old Co.");
  {
    const auto change = edits.step(QStringLiteral("印字位置の変更"));
    document.setLine(slotmap::kAmount, "char,150,200,0,0,MS Gothic,12,,0,0,5,000");
    document.setLine(slotmap::kCompanyName1, "char,150,200,0,0,MS Gothic,12,,0,0,New Co.");
  }
  {
    const auto change = edits.quiet();
    SetItemTextQuiet(document, slotmap::kAmount, "7,000");
  }
  edits.undo();
  EXPECT_EQ(document.line(slotmap::kAmount), kAmountRecord + "7,000");
  EXPECT_EQ(document.line(slotmap::kCompanyName1), kAmountRecord + "Old Co.");
  edits.redo();
  EXPECT_EQ(document.line(slotmap::kAmount), "char,150,200,0,0,MS Gothic,12,,0,0,7,000");
}

TEST(RestoredLine, WhatAnUndoKeepsOfEachKindOfLine) {
  const QByteArray wanted = kAmountRecord + "old";
  const QByteArray current = "char,1,2,0,0,,10,,0,0,now";
  struct Case {
    qsizetype line;
    QByteArray current;
    QByteArray expected;
  };
  const Case cases[] = {
      {slotmap::shapeLine(1), current, wanted},
      {slotmap::kCompanyName1, current, wanted},
      {slotmap::kRegistrationNumber, current, wanted},
      {slotmap::kTitleLine, current, wanted},
      {slotmap::kNumber, current, kAmountRecord + "now"},
      {slotmap::kStubAddresseeLine2, current, kAmountRecord + "now"},
      {slotmap::kAmount10, current, kAmountRecord + "now"},
      {slotmap::kStubTax8, current, kAmountRecord + "now"},
      // The same text: the record comes back exactly, an empty slot too.
      {slotmap::kAmount, "char,9,9,0,0,,10,,0,0,old", wanted},
      {slotmap::kRegisterPathLine, "/now/path.csv,", "/now/path.csv,"},
      {slotmap::kNumberingLine, "No.,4,12,", "No.,4,12,"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LayoutEdits::restoredLine(c.line, wanted, c.current), c.expected) << c.line;
  }
  EXPECT_EQ(LayoutEdits::restoredLine(slotmap::kAmount, ",", ",,,,,,,,,,"), ",");
}

}  // namespace
}  // namespace kelvane
