#include "printing/receipt_printing.h"

#include "printing/printer_paper.h"
#include "printing/printer_query.h"
#include "support/gui_app.h"
#include "support/pdf_pages.h"
#include "text/cp932.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <optional>

namespace kelvane {
namespace {

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

constexpr int kCheckDpi = 100;  // the PDF is read back at this resolution

double pixelsAt(double millimetres) { return millimetres * kCheckDpi / 25.4; }

QPageSize::PageSizeId sizeOf(const QPrinter& printer) {
  return printer.pageLayout().pageSize().id();
}

std::unique_ptr<QPrinter> pdfPrinter(const QString& file) {
  testing::EnsureGuiApplication();
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(file);
  printer->setResolution(600);
  return printer;
}

TEST(PrinterPaper, StyleCodesSetTheSizeAndAlwaysTheOrientation) {
  auto printer = pdfPrinter(QString());
  ApplyStylePaper(*printer, 9, 0);
  EXPECT_EQ(sizeOf(*printer), QPageSize::A4);
  EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Portrait);
  ApplyStylePaper(*printer, 11, 1);
  EXPECT_EQ(sizeOf(*printer), QPageSize::A5);
  EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Landscape);
  // 0 is "not captured"; 500 and 119 are outside the paper numbers; 48 is a
  // gap in them. None changes the paper, the orientation still follows.
  for (int code : {0, 500, 119, 48, -3}) {
    ApplyStylePaper(*printer, code, code % 2);
    EXPECT_EQ(sizeOf(*printer), QPageSize::A5) << code;
    EXPECT_EQ(printer->pageLayout().orientation(),
              code % 2 ? QPageLayout::Landscape : QPageLayout::Portrait)
        << code;
  }
}

TEST(PrinterPaper, CaptureGivesWindowsNumbersUpTo41) {
  auto printer = pdfPrinter(QString());
  ApplyStylePaper(*printer, 13, 0);  // B5 as Japanese offices use it
  EXPECT_EQ(sizeOf(*printer), QPageSize::JisB5);
  StylePaper paper = CapturePrinterPaper(*printer);
  EXPECT_EQ(paper.paperSizeCode, 13);
  EXPECT_EQ(paper.landscapeFlag, 0);
  EXPECT_EQ(paper.paperSource, static_cast<int>(printer->paperSource()));

  printer->setPageSize(QPageSize(QPageSize::A4));
  printer->setPageOrientation(QPageLayout::Landscape);
  paper = CapturePrinterPaper(*printer);
  EXPECT_EQ(paper.paperSizeCode, 9);
  EXPECT_EQ(paper.landscapeFlag, 1);

  printer->setPageSize(QPageSize(QSizeF(100, 150), QPageSize::Millimeter));
  EXPECT_EQ(CapturePrinterPaper(*printer).paperSizeCode, 0);
  printer->setPageSize(QPageSize(QPageSize::A3Extra));  // a Windows number above 41
  EXPECT_EQ(CapturePrinterPaper(*printer).paperSizeCode, 0);
}

TEST(PrinterPaper, MetricsSeeTheStylePaperOnTheProgramPrinter) {
  testing::EnsureGuiApplication();
  auto printer = MakeStandInPdfPrinter();
  EXPECT_EQ(UpdatePrinterMetrics(*printer, 96, 96),
            ComputePrinterMetrics(StandInA4Device(), 96, 96, false));
  ApplyStylePaper(*printer, 11, 1);
  const PrinterMetrics m = UpdatePrinterMetrics(*printer, 96, 120);
  EXPECT_EQ(m.pageWidthMm, 210);  // A5 landscape
  EXPECT_EQ(m.pageHeightMm, 148);
  EXPECT_EQ(m.printerDpiX, 600 * 10000);
  EXPECT_EQ(m.screenDpiY, 120 * 10000);
  EXPECT_FALSE(m.hasPrinter);
}

// A receipt with a black box, a thick line, a preview-only line and a text,
// offset by 5 x 7 mm; the preview leaves the offset out (mode 1), the
// paper never does.
class PrintLayoutTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  LayoutDocument doc;
  RenderSettings settings;

  void SetUp() override {
    testing::EnsureGuiApplication();
    settings.offsetX = 5 * 10000;
    settings.offsetY = 7 * 10000;
    settings.previewMode = 1;
    settings.previewResolution = 96;
    settings.metrics.screenDpiX = settings.metrics.screenDpiY = 96 * 10000;
    doc.setLine(12, sj("fillrect,0,20,30,70,50,1,塗り潰し,0,"));
    doc.setLine(13, sj("line,0,20,80,120,80,30,実線,0,"));
    doc.setLine(14, sj("line,1,20,120,120,120,30,実線,0,"));
    doc.setLine(127, sj("char,0,20,95,IPAGothic,20,,0,0,0,KELVANE 4711"));
  }
  QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

  // The first page of `pdf` at kCheckDpi, or a null image.
  QImage rasterise(const QString& pdf) const {
    return testing::RasterisePdf(pdf, kCheckDpi, dir.filePath(QStringLiteral("page")));
  }

  // Checks the drawing on a page whose printable area starts at
  // (originX, originY) millimetres from the paper's corner.
  void expectReceiptAt(const QImage& page, double originX, double originY) const {
    ASSERT_FALSE(page.isNull());
    const double left = originX + 5 + 20;
    const double boxTop = originY + 7 + 30;
    const int boxMiddle = qRound(pixelsAt(originY + 7 + 40));
    EXPECT_NEAR(testing::FirstDarkInRow(page, boxMiddle), pixelsAt(left), 1.0);
    EXPECT_NEAR(testing::FirstDarkInColumn(page, qRound(pixelsAt(left + 25)), 0), pixelsAt(boxTop),
                1.0);
    // The 80 mm line: about 1 mm thick, centred on its y.
    const int column = qRound(pixelsAt(left + 60));
    const int top = testing::FirstDarkInColumn(page, column, qRound(pixelsAt(originY + 7 + 60)));
    int bottom = top;
    while (bottom + 1 < page.height() && testing::Dark(page, column, bottom + 1)) ++bottom;
    EXPECT_NEAR((top + bottom + 1) / 2.0, pixelsAt(originY + 7 + 80), 1.0);
    // The 20-point text at 95 mm (about 7 mm high).
    const QRect text(qRound(pixelsAt(left)), qRound(pixelsAt(originY + 7 + 95)),
                     qRound(pixelsAt(60)), qRound(pixelsAt(8)));
    EXPECT_GT(testing::DarkPixels(page.copy(text)), 50);
    // Nothing of the preview-only line at 120 mm.
    const int hidden = qRound(pixelsAt(originY + 7 + 120));
    EXPECT_EQ(testing::DarkPixels(page.copy(0, hidden - 5, page.width(), 10)), 0);
  }
};

TEST_F(PrintLayoutTest, PdfPageIsMeasuredFromThePrintableAreaPlusTheOffset) {
  auto printer = pdfPrinter(path("receipt.pdf"));
  // Margins in points, so Qt keeps them exact: 12.7 mm left, 19.05 mm top.
  printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(36, 54, 36, 54), QPageLayout::Point));
  ASSERT_TRUE(PrintLayout(*printer, doc, settings).ok());
  const QImage page = rasterise(path("receipt.pdf"));
  if (page.isNull()) GTEST_SKIP() << "pdftoppm is not installed";
  EXPECT_NEAR(page.width(), pixelsAt(210), 1);
  expectReceiptAt(page, 12.7, 19.05);
  EXPECT_TRUE(testing::PdfText(path("receipt.pdf")).contains(QStringLiteral("KELVANE 4711")));
}

TEST_F(PrintLayoutTest, LayoutThatCannotBeDrawnPrintsNothing) {
  doc.setLine(15, sj("line,0,1,1,x1,2,1,実線,0,"));
  auto printer = pdfPrinter(path("broken.pdf"));
  const Expected<void> printed = PrintLayout(*printer, doc, settings);
  ASSERT_FALSE(printed.ok());
  EXPECT_TRUE(printed.error().contains(QStringLiteral("x1"))) << printed.error().toStdString();
  EXPECT_TRUE(printed.error().contains(QStringLiteral("16 行目")));
  EXPECT_FALSE(QFile::exists(path("broken.pdf")));  // no half-drawn page
  EXPECT_NE(printer->printerState(), QPrinter::Active);

  // Text that is not cp932 prints, with the replacement character (the
  // preview says which line holds it).
  doc.setLine(15, ",");
  doc.setLine(128, QByteArray("char,0,20,60,IPAGothic,12,,0,0,0,\x81\x20", 34));
  EXPECT_TRUE(PrintLayout(*printer, doc, settings).ok());
  EXPECT_TRUE(testing::PdfIsComplete(path("broken.pdf")));
}

TEST_F(PrintLayoutTest, PrinterThatCannotStartIsAFailure) {
  auto printer = pdfPrinter(path("no/such/folder/r.pdf"));
  const Expected<void> printed = PrintLayout(*printer, doc, settings);
  ASSERT_FALSE(printed.ok());
  EXPECT_TRUE(printed.error().contains(QStringLiteral("r.pdf"))) << printed.error().toStdString();
  EXPECT_TRUE(printed.error().contains(QStringLiteral("始められません")));
}

// --- a real print through CUPS -------------------------------------------

TEST_F(PrintLayoutTest, RealPrintOnTheCupsPdfQueue) {
  const QString folder = qEnvironmentVariable("KELVANE_CUPS_PDF_DIR");
  const QString queue = qEnvironmentVariable("PRINTER");
  if (const QString why = testing::CupsQueueMissing(); !why.isEmpty()) {
    if (testing::RunningInCi()) FAIL() << why.toStdString();
    GTEST_SKIP() << why.toStdString();
  }
  const QPrinterInfo info = QPrinterInfo::printerInfo(queue);
  ASSERT_FALSE(info.isNull()) << "CUPS does not know the printer " << queue.toStdString();
  QPrinter printer(info, QPrinter::HighResolution);
  const QString title = QStringLiteral("kelvane-test-%1-%2")
                            .arg(QCoreApplication::applicationPid())
                            .arg(QDateTime::currentMSecsSinceEpoch());
  printer.setDocName(title);
  const PrinterDeviceValues device = DeviceValuesOf(printer);

  const Expected<void> printed = PrintLayout(printer, doc, settings);
  ASSERT_TRUE(printed.ok()) << printed.error().toStdString();
  const std::optional<QString> pdf = testing::WaitForPdf(folder, title, 30);
  ASSERT_TRUE(pdf) << "no PDF named after " << title.toStdString() << " in " << folder.toStdString()
                   << " within 30 s";
  const QImage page = rasterise(*pdf);
  expectReceiptAt(page, device.offsetDotsX * 25.4 / device.dpiX,
                  device.offsetDotsY * 25.4 / device.dpiY);
  // The text went through Ghostscript as a Type 3 font and cannot be read
  // back as letters; the job's title shows it is our page.
  EXPECT_TRUE(testing::PdfInfo(*pdf).contains(title));
  if (!HasFailure()) QFile::remove(*pdf);
}

}  // namespace
}  // namespace kelvane
