// The layouts delivered with the program: complete files that load as they
// are, place every receipt item, and stay inside the printable area of an
// ordinary printer even with every item filled in.

#include "layout/field_cursor.h"
#include "layout/header_lines.h"
#include "layout/item_text.h"
#include "layout/layout_slots.h"
#include "layout/text_fit.h"
#include "receipt/amount_text.h"
#include "render/painter_canvas.h"
#include "render/renderer.h"
#include "styles/shape_record.h"
#include "styles/style_file.h"
#include "styles/text_record.h"
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
    EXPECT_GE(report->fileLines, slotmap::kLineCount) << path.toStdString();
    EXPECT_FALSE(report->padded) << path.toStdString();
  }
  // After the extension lines only the widths of the texts.
  for (qsizetype line = slotmap::kExtendedLineCount; line < document.lineCount(); ++line)
    EXPECT_TRUE(ReadFitRecord(document.line(line))) << path.toStdString() << " line " << line;
  return document;
}

// Long but real values in every receipt item: the widest receipt a shop writes.
void fillEveryItem(LayoutDocument& document) {
  const char* values[] = {"No.0000012345",
                          "株式会社山田商事ホールディングス",
                          "\\123,456,789-",
                          "お品代として（１２月分）",
                          "配送料を含む",
                          "123,456,789",
                          "8",
                          "12",
                          "28",
                          "112,233,445",
                          "10",
                          "11,223,344"};
  for (int i = 0; i < 12; ++i) {
    const QByteArray text = *cp932::encode(QString::fromUtf8(values[i]));
    SetItemTextQuiet(document, 239 + i, text);
    SetItemTextQuiet(document, 251 + i, i == 2 ? QByteArray("123,456,789") : text);
  }
  const QByteArray name = *cp932::encode(QStringLiteral("株式会社山田商事"));
  for (int line = 263; line <= 266; ++line) SetItemTextQuiet(document, line, name);
  SetItemTextQuiet(document, slotmap::kRegistrationNumber, "T7000012050002");
  for (int line = slotmap::kAmount10; line <= slotmap::kStubTax8; ++line)
    SetItemTextQuiet(document, line, "123,456,789");
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
  const QSizeF portrait =
      QPageSize(id == QPageSize::Custom ? QPageSize::A4 : id).size(QPageSize::Millimeter);
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

// ---- the qualified invoice (適格簡易請求書)

const QString kQualifiedInvoice =
    QStringLiteral(KELVANE_SOURCE_DATA "/style/qualified_invoice.rcd");

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

QByteArray freeText(const QByteArray& x, const QByteArray& y, const char* font, const char* size,
                    const char* text) {
  TextRecordEntry e;
  e.x = x, e.y = y, e.fontName = sj(font), e.fontSize = size, e.text = sj(text);
  return BuildTextRecord(e, TextEditorKind::FreeText);
}

// A placed item without text, in ＭＳ 明朝.
QByteArray item(const QByteArray& x, const QByteArray& y, const char* size) {
  TextRecordEntry e;
  e.x = x, e.y = y, e.fontSize = size;
  return BuildTextRecord(e, TextEditorKind::Position);
}

QByteArray shape(int kind, const QByteArray& x1, const QByteArray& y1, const QByteArray& x2,
                 const QByteArray& y2, const char* width, const char* style, quint32 colour = 0) {
  ShapeValues v;
  v.kind = kind, v.x1 = x1, v.y1 = y1, v.x2 = x2, v.y2 = y2, v.width = width;
  v.styleName = sj(style), v.colour = colour;
  return BuildShapeRecord(v);
}

// The text record at `line` moved to (x, y), its font and text kept.
void moveText(LayoutDocument& d, int line, const QByteArray& x, const QByteArray& y) {
  QByteArrayList fields = d.line(line).split(',');
  ASSERT_GE(fields.size(), 11) << line;
  fields[2] = x, fields[3] = y;
  d.setLine(line, fields.join(','));
}

// The qualified invoice as the editors make it from the A4 receipt: the
// amount frame as wide as the receipt, so that a nine-digit amount in kanji
// with both marks fits; 登録番号 under the company name; and on the receipt
// and on the stub the amounts and taxes by rate beside the receipt's own
// figures, with the note on the reduced rate.
LayoutDocument QualifiedInvoiceLayout() {
  LayoutDocument d = load(QStringLiteral(KELVANE_SOURCE_DATA "/style/a4_receipt.rcd"));
  d.setLine(slotmap::kTitleLine, sj("適格簡易請求書（提出・控え）,"));
  d.setLine(15, shape(kShapeFilledBox, "10", "47", "186", "63", "1", "塗り潰し", 15790320));
  d.setLine(16, shape(kShapeFrame, "10", "47", "186", "63", "2", "実線"));

  // Company information: 登録番号 under the name, the rest a little lower.
  d.setLine(167, freeText("118", "80.5", "ＭＳ 明朝", "8", "登録番号"));
  d.setLine(slotmap::kRegistrationNumber, item("131", "80.5", "8"));
  moveText(d, slotmap::kBusiness, "118", "85");
  const char* lower[] = {"89", "93", "97", "101", "105", "109", "113", "117"};
  for (int line = slotmap::kAddress1; line <= slotmap::kOther2; ++line)
    moveText(d, line, "118", lower[line - slotmap::kAddress1]);

  // The breakdown, on the receipt (top 87) and on the stub (top 227): by
  // rate on the left, the receipt's figures on the right.
  struct Part {
    int top;
    int frame, rule, divider;   // shape lines
    int heading, labels, mark;  // free text lines: 内訳, the four on the right, ％
    int rateLabels;             // five free text lines from here: by rate and the note
    int rate10;                 // the first of the four items by rate
    int beforeTax, taxRate, taxAmount, billed;
    int yen, rateYen;  // free text lines: the A4 receipt's three 円, the four by rate
  };
  const Part parts[] = {
      {87, 18, 30, 31, 137, 138, 140, 162, slotmap::kAmount10, 248, 249, 250, 244, 173, 179},
      {227, 27, 32, 33, 155, 156, 158, 168, slotmap::kStubAmount10, 260, 261, 262, 256, 176, 183}};
  // Figures right-aligned in their column, 円 right after it.
  auto rightAligned = [&d](int line, const char* width) {
    SetFit(d, line, TextFit{*fixed::parse(width), TextAlign::Right});
  };
  SetFit(d, slotmap::kAmount, TextFit{fixed::fromWhole(144), TextAlign::Left});
  for (const Part& p : parts) {
    auto at = [&p](double offset) { return QByteArray::number(p.top + offset); };
    const QByteArray rowY[] = {at(6), at(10.5), at(15), at(19.5)};
    d.setLine(p.frame, shape(kShapeFrame, "10", at(0), "86", at(34), "1", "実線"));
    d.setLine(p.rule, shape(kShapeLine, "10", at(4.5), "86", at(4.5), "1", "実線"));
    d.setLine(p.divider, shape(kShapeLine, "48", at(4.5), "48", at(23), "1", "点線", 8421504));
    d.setLine(p.heading, freeText("12", at(1), "ＭＳ ゴシック", "8", "内　訳"));
    const char* right[] = {"税抜金額", "消費税率", "消費税額", "請求金額"};
    for (int row = 0; row < 4; ++row) {
      const int line = p.labels + row + (row >= 2 ? 1 : 0);  // ％ sits between them
      d.setLine(line, freeText("50", rowY[row], "ＭＳ ゴシック", "8", right[row]));
    }
    d.setLine(p.mark, freeText("68", rowY[1], "ＭＳ 明朝", "8", "％"));
    const char* left[] = {"10%対象", "消費税", "8%対象※", "消費税"};
    for (int row = 0; row < 4; ++row) {
      d.setLine(p.rateLabels + row,
                freeText(row % 2 ? "14" : "12", rowY[row], "ＭＳ ゴシック", "8", left[row]));
      d.setLine(p.rate10 + row, item("27", rowY[row], "8"));
    }
    d.setLine(p.rateLabels + 4,
              freeText("12", at(27), "ＭＳ ゴシック", "7", "※ 軽減税率（8%）対象"));
    const int figures[] = {p.beforeTax, p.taxRate, p.taxAmount, p.billed};
    for (int row = 0; row < 4; ++row) moveText(d, figures[row], "64", rowY[row]);
    for (int row : {0, 2, 3}) rightAligned(figures[row], "18.4");
    rightAligned(p.taxRate, "3.8");
    moveText(d, p.yen, "82.6", rowY[0]);
    moveText(d, p.yen + 1, "82.6", rowY[2]);
    moveText(d, p.yen + 2, "82.6", rowY[3]);
    for (int row = 0; row < 4; ++row) {
      rightAligned(p.rate10 + row, "17.6");
      d.setLine(p.rateYen + row, freeText("44.8", rowY[row], "ＭＳ 明朝", "8", "円"));
    }
  }
  // The stub's 備考 beside its breakdown, as high.
  d.setLine(28, shape(kShapeFrame, "88", "227", "186", "261", "1", "実線"));
  moveText(d, 161, "90", "228");
  return d;
}

// The delivered file is what the editors' records above make, and a file
// a reader of the original format reads as a complete A4 receipt.
TEST(DeliveredStyles, TheQualifiedInvoiceIsMadeByTheRecordBuilders) {
  LayoutDocument made = QualifiedInvoiceLayout();
  // KELVANE_WRITE_STYLES=1 writes the file anew after a change above.
  if (qEnvironmentVariableIsSet("KELVANE_WRITE_STYLES")) {
    ASSERT_TRUE(SaveStyleFile(made, kQualifiedInvoice));
  }
  const LayoutDocument delivered = load(kQualifiedInvoice);
  made.setLine(slotmap::kVersionLine, delivered.line(slotmap::kVersionLine));
  EXPECT_EQ(StyleFileLines(delivered), StyleFileLines(made));
  EXPECT_GT(StyleFileLines(delivered).size(), slotmap::kExtendedLineCount);  // and its widths
  for (int line = slotmap::kCompanyName1; line < slotmap::kExtendedLineCount; ++line)
    EXPECT_TRUE(delivered.line(line).startsWith("char,0,")) << "line " << line;
  EXPECT_EQ(FieldCursor(delivered.line(slotmap::kTitleLine)).TakeField(),
            sj("適格簡易請求書（提出・控え）"));
}

// Each item filled with its longest value stays inside its frame, drawn
// alone at the printer.
TEST(DeliveredStyles, TheQualifiedInvoiceFitsTheLongestValues) {
  testing::EnsureGuiApplication();
  const LayoutDocument style = load(kQualifiedInvoice);
  const QByteArray kanji = *cp932::encode(u'金' + KanjiAmount(987'654'321) + u'也');
  const QByteArray name20 = sj("株式会社山田商事ホールディングス東京本");
  const QByteArray figure = "123,456,789";
  struct Fit {
    int line;
    QByteArray value;
    QRectF frame;  // layout millimetres
  };
  std::vector<Fit> fits{
      {slotmap::kAmount, kanji, QRectF(QPointF(10, 47), QPointF(186, 63))},
      {slotmap::kAddresseeLine1, name20, QRectF(QPointF(10, 22), QPointF(111, 41))},
      {slotmap::kAddresseeLine2, name20, QRectF(QPointF(10, 22), QPointF(111, 41))},
      {slotmap::kStubAddresseeLine1, name20, QRectF(QPointF(10, 162), QPointF(111, 181))},
      {slotmap::kStubAddresseeLine2, name20, QRectF(QPointF(10, 162), QPointF(111, 181))},
      {slotmap::kRegistrationNumber, "T7000012050002", QRectF(QPointF(130, 79), QPointF(190, 84))},
  };
  for (int top : {87, 227}) {
    const QRectF left(QPointF(26, top + 4.5), QPointF(48, top + 23));
    const QRectF right(QPointF(63, top + 4.5), QPointF(86, top + 23));
    const int rate10 = top == 87 ? slotmap::kAmount10 : slotmap::kStubAmount10;
    for (int i = 0; i < 4; ++i) fits.push_back({rate10 + i, figure, left});
    const int offset = top == 87 ? 0 : slotmap::kStubOffset;
    for (int line : {slotmap::kBeforeTax, slotmap::kTaxAmount, slotmap::kBilled})
      fits.push_back({line + offset, figure, right});
    fits.push_back({slotmap::kTaxRate + offset, "10", right});
  }
  const StyleHeader header = ReadStyleHeader(style);
  const QPointF corner(kPrinterMarginMm + header.offsetX, kPrinterMarginMm + header.offsetY);
  constexpr double kPixelMm = 25.4 / kDpi;
  for (const Fit& fit : fits) {
    SCOPED_TRACE(fit.line);
    LayoutDocument alone;
    for (int line = 0; line <= slotmap::kNumberingLine; ++line)
      alone.setLine(line, style.line(line));
    alone.setLine(fit.line, style.line(fit.line));
    SetItemTextQuiet(alone, fit.line, fit.value);
    const QRectF ink = inkMm(printedPage(alone, QSizeF(210, 297)));
    ASSERT_FALSE(ink.isEmpty());
    const QRectF frame =
        fit.frame.translated(corner).adjusted(-kPixelMm, -kPixelMm, kPixelMm, kPixelMm);
    EXPECT_TRUE(frame.contains(ink)) << "ink from (" << ink.left() << ", " << ink.top() << ") to ("
                                     << ink.right() << ", " << ink.bottom() << ") mm";
  }
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
