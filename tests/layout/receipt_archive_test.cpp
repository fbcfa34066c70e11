// The copies of the receipts handed out: named by number and date, a
// reprint kept beside the first, the page as printed, and a folder that
// cannot take them said as a failure.

#include "printing/receipt_archive.h"

#include "printing/printer_query.h"
#include "support/gui_app.h"
#include "support/pdf_pages.h"
#include "support/read_only_folder.h"

#include <QDir>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(ReceiptArchive, FileNames) {
  const QDate d(2026, 12, 8);
  const std::tuple<const char*, int, const char*> cases[] = {
      {"A0012", 1, "A0012_2026-12-08.pdf"},       {"A0012", 3, "A0012_2026-12-08-3.pdf"},
      {"No.1/2:*", 1, "No.1_2___2026-12-08.pdf"}, {"..", 1, "番号なし_2026-12-08.pdf"},
      {"", 1, "番号なし_2026-12-08.pdf"},
  };
  for (const auto& [number, copy, name] : cases)
    EXPECT_EQ(ArchiveFileName(QString::fromUtf8(number), d, copy), QString::fromUtf8(name))
        << number;
}

class ReceiptArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureGuiApplication();
    printer_ = MakeStandInPdfPrinter();
  }
  // A page with one frame, drawn for the stand-in A4 printer.
  static RecordingCanvas page() {
    RecordingCanvas canvas(/*printer=*/true);
    canvas.setPen(0, PenStyle::Solid, 10);
    canvas.drawFrame({600, 600}, {3000, 1800});
    return canvas;
  }
  QString reg() const { return dir_.filePath(QStringLiteral("regidata.klv")); }
  QTemporaryDir dir_;
  std::unique_ptr<QPrinter> printer_;
};

TEST_F(ReceiptArchiveTest, AReprintIsKeptBesideTheFirstCopy) {
  const auto first =
      ArchiveReceiptPage(reg(), QStringLiteral("A1"), QDate(2026, 12, 8), page(), *printer_);
  const auto again =
      ArchiveReceiptPage(reg(), QStringLiteral("A1"), QDate(2026, 12, 8), page(), *printer_);
  ASSERT_TRUE(first && again) << (first ? again.error() : first.error()).toStdString();
  EXPECT_EQ(first->path, reg() + ".archive/2026/12/A1_2026-12-08.pdf");
  EXPECT_EQ(again->path, reg() + ".archive/2026/12/A1_2026-12-08-2.pdf");
  EXPECT_EQ(first->sha256.size(), 64);
  EXPECT_TRUE(testing::PdfInfo(first->path).contains(QRegularExpression("Pages:\\s+1\\n")));
  EXPECT_GT(testing::DarkPixels(testing::RasterisePdf(first->path, 30, dir_.filePath("p"))), 50);
  EXPECT_EQ(QDir(reg() + ".archive/2026/12").entryList(QDir::Files | QDir::Hidden).size(), 2)
      << "no hidden part left";
}

TEST_F(ReceiptArchiveTest, AFolderThatCannotTakeTheCopyIsAFailure) {
  ASSERT_TRUE(QDir().mkpath(reg() + ".archive"));
  testing::ReadOnlyFolder folder(reg() + ".archive");
  if (!folder.active()) GTEST_SKIP() << "this machine cannot make a folder read-only";
  const auto kept =
      ArchiveReceiptPage(reg(), QStringLiteral("A1"), QDate(2026, 12, 8), page(), *printer_);
  ASSERT_FALSE(kept);
  EXPECT_TRUE(kept.error().contains(QStringLiteral("控えのフォルダー")))
      << kept.error().toStdString();
}

}  // namespace
}  // namespace kelvane
