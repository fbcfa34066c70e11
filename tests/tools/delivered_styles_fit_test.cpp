// Each delivered style printed with the longest values a shop types: no
// text may cross a frame of the style. The receipt goes through
// kelvane-issue into a PDF, and the words come back with pdftotext -bbox.

#include "layout/field_cursor.h"
#include "layout/item_text.h"
#include "layout/layout_slots.h"
#include "printing/printer_paper.h"
#include "printing/printer_query.h"
#include "support/gui_app.h"
#include "support/pdf_pages.h"
#include "text/cp932.h"
#include "text/fixed_point.h"
#include "text/line_file.h"
#include "tools/issue_folder.h"

#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QRectF>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kelvane {
namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;
constexpr double kSlack = 0.3;  // points: a glyph's box may touch a line

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

// The frames a style prints, in millimetres of the layout.
QList<QRectF> printedFrames(const LayoutDocument& layout) {
  QList<QRectF> frames;
  for (const QByteArray& line : layout.lines()) {
    FieldCursor c(line);
    if (c.TakeField() != "rect") continue;
    if (c.TakeField() == "1") continue;  // preview only
    qint64 v[4];
    bool ok = true;
    for (qint64& value : v) {
      const auto parsed = fixed::parse(c.TakeField());
      ok = ok && parsed.has_value();
      value = parsed.value_or(0);
    }
    if (!ok) continue;
    const auto mm = [](qint64 f) { return double(f) / fixed::kOne; };
    frames.append(QRectF(QPointF(mm(v[0]), mm(v[1])), QPointF(mm(v[2]), mm(v[3]))).normalized());
  }
  return frames;
}

// A word crosses a frame when part of it is inside and part outside.
bool crosses(const QRectF& word, const QRectF& frame) {
  const QRectF inner = word.adjusted(kSlack, kSlack, -kSlack, -kSlack);
  return inner.intersects(frame) && !frame.contains(inner);
}

class DeliveredStyleFitTest : public ::testing::TestWithParam<const char*> {
 protected:
  QString file(const QString& name) const { return QDir(folder_.path()).filePath(name); }
  void put(const QString& name, const QByteArray& bytes) {
    QFile f(file(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
  }
  QTemporaryDir folder_;
};

TEST_P(DeliveredStyleFitTest, TheLongestValuesStayInsideTheirFrames) {
  testing::EnsureGuiApplication();
  const QString source = QStringLiteral(KELVANE_SOURCE_DATA "/style/") + GetParam();
  auto lines = readLineFile(source);
  ASSERT_TRUE(lines) << lines.error().toStdString();
  LayoutDocument style;
  style.replaceAll(*lines);
  // A 40-character address, as a shop in a long building name has.
  SetItemTextQuiet(
      style, slotmap::kAddress1,
      sj("〒５３０－０００１　大阪府大阪市北区梅田三丁目一番三号　ノースゲートビルディング十九階"));
  ASSERT_TRUE(writeLineFile(file("style.rcd"), style.lines()));
  put("kelvane.conf", "[KANSUJI]=true\r\n[TOP_MARK]=true\r\n[END_MARK]=true\r\n");
  put("in.csv", sj("番号,日付,宛名1,宛名2,摘要1,領収金額\r\n"
                   "K-999999,2026/12/28,株式会社ネムリカ総合サービス大阪北営業所,"
                   "経理部長　山田太郎様御中　ご担当者各位,お品代として,999999999\r\n"));

  QProcess tool;
  tool.start(QStringLiteral(KELVANE_ISSUE_TOOL),
             {"--folder", folder_.path(), "--style", file("style.rcd"), "--pdf", file("out.pdf"),
              file("in.csv")});
  ASSERT_TRUE(tool.waitForFinished(120000));
  ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();

  // Where the layout's millimetres are on the PDF's page.
  auto folder = ReadIssueFolder(folder_.path(), file("style.rcd"));
  ASSERT_TRUE(folder) << folder.error().toStdString();
  std::unique_ptr<QPrinter> page = MakeStandInPdfPrinter();
  ApplyStylePaper(*page, folder->paperSizeCode, folder->landscapeFlag);
  const QPointF origin = page->pageLayout().paintRect(QPageLayout::Point).topLeft();
  const QPointF offset(fixed::truncToWhole(folder->offsetX), fixed::truncToWhole(folder->offsetY));
  const auto onPage = [&](const QRectF& mm) {
    return QRectF(origin + (mm.topLeft() + offset) * kPointsPerMm, mm.size() * kPointsPerMm);
  };

  const QList<testing::PdfWord> words = testing::PdfWords(file("out.pdf"));
  ASSERT_FALSE(words.isEmpty());
  QStringList crossing;
  for (const QRectF& frameMm : printedFrames(style)) {
    const QRectF frame = onPage(frameMm);
    for (const testing::PdfWord& w : words) {
      const QRectF box(QPointF(w.xMin, w.yMin), QPointF(w.xMax, w.yMax));
      if (crosses(box, frame))
        crossing.append(QStringLiteral("「%1」 crosses the frame at %2,%3 mm (%4 x %5 mm)")
                            .arg(w.text)
                            .arg(frameMm.x())
                            .arg(frameMm.y())
                            .arg(frameMm.width())
                            .arg(frameMm.height()));
    }
  }
  EXPECT_TRUE(crossing.isEmpty()) << crossing.join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Styles, DeliveredStyleFitTest,
                         ::testing::Values("a4_receipt.rcd", "a5_receipt.rcd",
                                           "a5_vertical_receipt.rcd", "qualified_invoice.rcd",
                                           "sample.rcd"),
                         [](const auto& info) {
                           std::string name = info.param;
                           return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace kelvane
