// The layouts delivered with the program: complete files that load as they
// are, place every receipt item, and stay inside the printable area of an
// ordinary printer even with every item filled in.

#include "layout/header_lines.h"
#include "layout/item_text.h"
#include "layout/layout_slots.h"
#include "layout/painter_canvas.h"
#include "layout/renderer.h"
#include "styles/style_file.h"
#include "support/gui_app.h"
#include "text/cp932.h"
#include "text/fixed_point.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QTemporaryDir>

namespace kelvane {
namespace {

constexpr int kDpi = 50;
constexpr double kPrinterMarginMm = 5;  // what most printers cannot reach
constexpr double kSlackMm = 20;         // drawn beyond the paper, to see what spills over

int pixels(double mm) { return qRound(mm * kDpi / 25.4); }

QStringList deliveredStyles() {
  const QDir folder(QStringLiteral(KELVANE_SOURCE_DATA "/style"));
  QStringList paths;
  for (const QString& name : folder.entryList({QStringLiteral("*.rcd")}, QDir::Files))
    paths << folder.filePath(name);
  return paths;
}

LayoutDocument load(const QString& path) {
  LayoutDocument document;
  const auto report = LoadStyleFile(document, path);
  EXPECT_TRUE(report) << path.toStdString() << ": " << report.error().toStdString();
  if (report) {
    EXPECT_EQ(report->fileLines, slotmap::kLineCount) << path.toStdString();
    EXPECT_FALSE(report->padded) << path.toStdString();
  }
  return document;
}

// Long but real values in every receipt item: the widest receipt a shop writes.
void fillEveryItem(LayoutDocument& document) {
  const char* values[] = {"No.0000012345", "株式会社山田商事ホールディングス", "\\123,456,789-",
                          "お品代として（１２月分）", "配送料を含む", "123,456,789", "8", "12", "28",
                          "112,233,445", "10", "11,223,344"};
  for (int i = 0; i < 12; ++i) {
    const QByteArray text = *cp932::encode(QString::fromUtf8(values[i]));
    SetItemTextQuiet(document, 239 + i, text);
    SetItemTextQuiet(document, 251 + i, i == 2 ? QByteArray("123,456,789") : text);
  }
  const QByteArray name = *cp932::encode(QStringLiteral("株式会社山田商事"));
  for (int line = 263; line <= 266; ++line) SetItemTextQuiet(document, line, name);
}

// The printer pass on a sheet of `paperMm`, drawn with
// the printable area's corner kPrinterMarginMm in from the paper's.
QImage printedPage(const LayoutDocument& document, QSizeF paperMm) {
  const StyleHeader header = ReadStyleHeader(document);
  QImage image(pixels(paperMm.width() + 2 * kSlackMm), pixels(paperMm.height() + 2 * kSlackMm),
               QImage::Format_RGB32);
  image.fill(Qt::white);
  RenderSettings settings;
  settings.offsetX = fixed::fromWhole(header.offsetX);
  settings.offsetY = fixed::fromWhole(header.offsetY);
  settings.lineWeightOffset = header.lineWeightOffset;
  settings.previewResolution = 67;
  settings.metrics.printerDpiX = settings.metrics.printerDpiY = fixed::fromWhole(kDpi);
  QPainter painter(&image);
  painter.translate(pixels(kSlackMm + kPrinterMarginMm), pixels(kSlackMm + kPrinterMarginMm));
  PainterCanvas canvas(painter, /*printer=*/true);
  const auto drawn = Renderer().DrawLayout(canvas, document, settings, settings.metrics.printerDpiX,
                                           settings.metrics.printerDpiY);
  EXPECT_TRUE(drawn) << drawn.error().toStdString();
  return image;
}

// The style's paper in millimetres, A4 when it names none.
QSizeF paperOf(const LayoutDocument& document) {
  const StyleHeader header = ReadStyleHeader(document);
  const QPageSize::PageSizeId id =
      header.paperSizeCode > 0 ? QPageSize::id(header.paperSizeCode) : QPageSize::A4;
  const QSizeF portrait = QPageSize(id == QPageSize::Custom ? QPageSize::A4 : id)
                              .size(QPageSize::Millimeter);
  return header.landscapeFlag == 1 ? portrait.transposed() : portrait;
}

// The dark pixels' bounding box, in millimetres from the paper's corner.
QRectF inkMm(const QImage& image) {
  int left = image.width(), top = image.height(), right = -1, bottom = -1;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(row[x]) > 200) continue;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return {};
  auto mm = [](int px) { return px * 25.4 / kDpi - kSlackMm; };
  return QRectF(QPointF(mm(left), mm(top)), QPointF(mm(right + 1), mm(bottom + 1)));
}

TEST(DeliveredStyles, LoadCompleteAndPrintInsideThePrintableArea) {
  testing::EnsureGuiApplication();
  const QStringList styles = deliveredStyles();
  ASSERT_FALSE(styles.isEmpty());
  for (const QString& path : styles) {
    SCOPED_TRACE(path.toStdString());
    LayoutDocument document = load(path);
    fillEveryItem(document);
    const QSizeF paper = paperOf(document);
    const QRectF ink = inkMm(printedPage(document, paper));
    ASSERT_FALSE(ink.isEmpty()) << "nothing printed";
    const QRectF printable(kPrinterMarginMm, kPrinterMarginMm, paper.width() - 2 * kPrinterMarginMm,
                           paper.height() - 2 * kPrinterMarginMm);
    EXPECT_TRUE(printable.contains(ink))
        << "ink from (" << ink.left() << ", " << ink.top() << ") to (" << ink.right() << ", "
        << ink.bottom() << ") mm";
  }
}

// The A4 receipt with its stub places every company and receipt item, so a
// shop can use it on the first day.
TEST(DeliveredStyles, TheA4ReceiptPlacesEveryItem) {
  const LayoutDocument document = load(QStringLiteral(KELVANE_SOURCE_DATA "/style/a4_receipt.rcd"));
  for (int line = 228; line <= 266; ++line)
    EXPECT_TRUE(document.line(line).startsWith("char,0,")) << "line " << line;
  const StyleHeader header = ReadStyleHeader(document);
  EXPECT_EQ(header.paperSizeCode, 9);  // A4
  EXPECT_EQ(header.landscapeFlag, 0);
  EXPECT_GT(header.receiptWidth, 0);
  EXPECT_GT(header.receiptHeight, 0);
}

// The empty layout the clear command loads.
// The three layouts a shop chooses from on the first day.
TEST(DeliveredStyles, ThePapersOfTheDeliveredLayouts) {
  const auto paper = [](const char* name) {
    return paperOf(load(QStringLiteral(KELVANE_SOURCE_DATA "/style/") + QString::fromLatin1(name)));
  };
  EXPECT_EQ(paper("a4_receipt.rcd").toSize(), QSize(210, 297));
  EXPECT_EQ(paper("a5_receipt.rcd").toSize(), QSize(210, 148));
  EXPECT_EQ(paper("a5_vertical_receipt.rcd").toSize(), QSize(148, 210));
  // The vertical one writes its columns top to bottom, one character apart.
  const LayoutDocument vertical =
      load(QStringLiteral(KELVANE_SOURCE_DATA "/style/a5_vertical_receipt.rcd"));
  const QByteArrayList amount = vertical.line(slotmap::kAmount).split(',');
  ASSERT_GE(amount.size(), 10);
  EXPECT_EQ(amount[8], "1") << "vertical";
  EXPECT_GT(amount[7].toDouble(), 5.0) << "a column advances a character height";
}

// Loaded and saved again, a delivered layout is the same file: the program
// writes the extension lines only when they hold something.
TEST(DeliveredStyles, SaveByteForByteAsDelivered) {
  QStringList files = deliveredStyles();
  files << QStringLiteral(KELVANE_SOURCE_DATA "/cleardata.rcd");
  QTemporaryDir dir;
  for (const QString& path : files) {
    SCOPED_TRACE(path.toStdString());
    LayoutDocument document = load(path);
    const QString saved = dir.filePath(QStringLiteral("saved.rcd"));
    ASSERT_TRUE(SaveStyleFile(document, saved));
    QFile original(path), again(saved);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly) && again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), original.readAll());
  }
}

TEST(DeliveredStyles, TheEmptyLayoutHoldsNoElement) {
  const LayoutDocument document = load(QStringLiteral(KELVANE_SOURCE_DATA "/cleardata.rcd"));
  for (int line = slotmap::kNumberingLine + 1; line < slotmap::kLineCount; ++line)
    EXPECT_EQ(document.line(line), ",") << "line " << line;
  EXPECT_EQ(ReadStyleHeader(document).offsetX, 10);
}

}  // namespace
}  // namespace kelvane
