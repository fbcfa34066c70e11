// Every delivered layout printed to PDF with the longest values a shop
// writes, one item a page, read back with pdftotext -bbox: no text crosses
// the frame, rule or mark it belongs inside.

#include "layout/item_text.h"
#include "layout/layout_slots.h"
#include "layout/text_fit.h"
#include "receipt/amount_text.h"
#include "render/painter_canvas.h"
#include "render/renderer.h"
#include "styles/style_file.h"
#include "support/gui_app.h"
#include "support/pdf_pages.h"
#include "text/cp932.h"
#include "text/fixed_point.h"

#include <gtest/gtest.h>

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

namespace kelvane {
namespace {

namespace s = slotmap;

enum class Value { Amount, StubAmount, Addressee, Description, Address, Figure, Rate };

QByteArray valueOf(Value v) {
  switch (v) {
    case Value::Amount:  // nine digits in kanji with both marks
      return *cp932::encode(u'金' + KanjiAmount(987'654'321) + u'也');
    case Value::StubAmount:
      return "987,654,321";
    case Value::Addressee:
      return cp932::fromUtf8Literal("株式会社山田商事ホールディングス東京本社");
    case Value::Description:
      return cp932::fromUtf8Literal("お品代として（１２月分の配送料・設置工事費を含む）");
    case Value::Address:
      return cp932::fromUtf8Literal(
          "大阪府大阪市中央区南船場四丁目3番11号 心斎橋フロントビルディング8階805号");
    case Value::Figure:
      return "123,456,789";
    case Value::Rate:
      return "10";
  }
  return {};
}

struct Item {
  int line;
  Value value;
  QRectF frame;  // layout millimetres
};

QRectF box(double x1, double y1, double x2, double y2) {
  return {QPointF(x1, y1), QPointF(x2, y2)};
}

// The items of the A4 receipt's top half (or its stub, `dy` 140 lower):
// the amount in its box, the addressee before 様 and above its rule, the
// description before the company name, the address before the seal box,
// the figures of the breakdown before their 円.
std::vector<Item> a4Half(double dy, bool stub, double yenX = 75.3) {
  const int o = stub ? s::kStubOffset : 0;
  std::vector<Item> items{
      {s::kAmount + o, stub ? Value::StubAmount : Value::Amount, box(10, 47 + dy, 130, 63 + dy)},
      {s::kAddressee + o, Value::Addressee, box(10, 22 + dy, 111.5, 41 + dy)},
      {(stub ? s::kStubAddresseeLine1 : s::kAddresseeLine1), Value::Addressee,
       box(10, 22 + dy, 111.5, 41 + dy)},
      {(stub ? s::kStubAddresseeLine2 : s::kAddresseeLine2), Value::Addressee,
       box(10, 22 + dy, 111.5, 41 + dy)},
      {s::kDescription1 + o, Value::Description, box(10, 64 + dy, stub ? 130 : 117.5, 79 + dy)},
      {s::kDescription2 + o, Value::Description, box(10, 64 + dy, stub ? 130 : 117.5, 79 + dy)},
      {s::kBeforeTax + o, Value::Figure, box(35, 92 + dy, yenX, 119 + dy)},
      {s::kTaxAmount + o, Value::Figure, box(35, 92 + dy, yenX, 119 + dy)},
      {s::kBilled + o, Value::Figure, box(35, 92 + dy, yenX, 119 + dy)},
      {s::kTaxRate + o, Value::Rate, box(35, 92 + dy, 48, 119 + dy)},
  };
  if (!stub) {
    items.push_back({s::kAddress1, Value::Address, box(118, 84, 170, 95)});
    items.push_back({s::kAddress2, Value::Address, box(118, 84, 170, 95)});
  }
  return items;
}

struct Style {
  const char* file;
  std::vector<Item> items;
};

std::vector<Style> deliveredStyles() {
  std::vector<Style> styles;
  std::vector<Item> a4 = a4Half(0, false);
  for (const Item& item : a4Half(140, true)) a4.push_back(item);
  styles.push_back({"a4_receipt.rcd", a4});
  styles.push_back({"a5_receipt.rcd", a4Half(0, false)});

  // The qualified invoice: the amount box as wide as the receipt, the
  // figures in two columns, by rate on the left.
  std::vector<Item> qualified;
  for (const double dy : {0.0, 140.0}) {
    const bool stub = dy > 0;
    const int o = stub ? s::kStubOffset : 0;
    const int rate10 = stub ? s::kStubAmount10 : s::kAmount10;
    for (Item item : a4Half(dy, stub)) {
      if (item.line == s::kAmount) item.frame = box(10, 47, 186, 63);
      if (item.value == Value::Figure || item.value == Value::Rate) continue;
      if (item.line == s::kAddress1 || item.line == s::kAddress2)
        item.frame = box(118, 84, 170, 97);
      qualified.push_back(item);
    }
    const double top = stub ? 227 : 87;
    const QRectF right = box(63, top + 4.5, 82.6, top + 23);
    for (int line : {s::kBeforeTax + o, s::kTaxAmount + o, s::kBilled + o})
      qualified.push_back({line, Value::Figure, right});
    qualified.push_back({s::kTaxRate + o, Value::Rate, box(63, top + 4.5, 68, top + 23)});
    for (int i = 0; i < 4; ++i)
      qualified.push_back({rate10 + i, Value::Figure, box(26, top + 4.5, 44.8, top + 23)});
  }
  styles.push_back({"qualified_invoice.rcd", qualified});

  // The sample: receipt on the left half, stub on the right.
  styles.push_back(
      {"sample.rcd",
       {{s::kAmount, Value::Amount, box(4, 16, 91, 30)},
        {s::kAddressee, Value::Addressee, box(4, 30, 85, 46)},
        {s::kDescription1, Value::Description, box(4, 47, 91, 82)},
        {s::kAddress1, Value::Address, box(4, 100, 66, 112)},
        {s::kBeforeTax, Value::Figure, box(29, 84, 60.3, 91)},
        {s::kTaxAmount, Value::Figure, box(44, 90, 60.3, 97)},
        {s::kStubAmount, Value::StubAmount, box(99, 16, 186, 30)},
        {s::kAddressee + s::kStubOffset, Value::Addressee, box(99, 30, 186, 46)},
        {s::kDescription1 + s::kStubOffset, Value::Description, box(99, 47, 186, 82)}}});

  // The vertical receipt's horizontal items: the address before the seal
  // box and inside the border, the figures before their 円 and the stamp box.
  styles.push_back({"a5_vertical_receipt.rcd",
                    {{s::kAddress1, Value::Address, box(68, 168, 106, 175)},
                     {s::kAddress2, Value::Address, box(68, 174, 126, 179)},
                     {s::kBeforeTax, Value::Figure, box(22, 160, 40.7, 184)},
                     {s::kTaxAmount, Value::Figure, box(22, 160, 40.7, 184)},
                     {s::kBilled, Value::Figure, box(22, 160, 40.7, 184)},
                     {s::kTaxRate, Value::Rate, box(22, 160, 33, 184)}}});
  return styles;
}

constexpr qint64 kDpi = 600 * fixed::kOne;

// Prints `document` as the printer would on a page the size of the style's
// receipt area; the words found, in layout millimetres.
QList<testing::PdfWord> printedWords(const LayoutDocument& document, const QString& pdf) {
  const qint64 offsetX = fixed::fromWhole(5), offsetY = fixed::fromWhole(5);
  {
    QPdfWriter writer(pdf);
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QSizeF(210, 297), QPageSize::Millimeter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    PainterCanvas canvas(painter, /*printer=*/true);
    RenderSettings settings;
    settings.offsetX = offsetX;
    settings.offsetY = offsetY;
    settings.metrics.printerDpiX = settings.metrics.printerDpiY = kDpi;
    const auto drawn = Renderer().DrawLayout(canvas, document, settings, kDpi, kDpi);
    EXPECT_TRUE(drawn) << drawn.error().toStdString();
  }
  QList<testing::PdfWord> words = testing::PdfWords(pdf);
  constexpr double kMmPerPoint = 25.4 / 72;
  for (testing::PdfWord& w : words) {
    w.xMin = w.xMin * kMmPerPoint - 5, w.xMax = w.xMax * kMmPerPoint - 5;
    w.yMin = w.yMin * kMmPerPoint - 5, w.yMax = w.yMax * kMmPerPoint - 5;
  }
  return words;
}

TEST(DeliveredStylesInPdf, TheLongestValuesStayInsideTheirFrames) {
  testing::EnsureGuiApplication();
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
    GTEST_SKIP() << "pdftotext is not installed";
  QTemporaryDir dir;
  constexpr double kTolerance = 0.1;  // millimetres
  for (const Style& style : deliveredStyles()) {
    LayoutDocument delivered;
    ASSERT_TRUE(LoadStyleFile(delivered, QStringLiteral(KELVANE_SOURCE_DATA "/style/") +
                                             QString::fromLatin1(style.file)));
    for (const Item& item : style.items) {
      SCOPED_TRACE(std::string(style.file) + " line " + std::to_string(item.line));
      // The item alone, with its width, as on a receipt.
      LayoutDocument alone;
      alone.setLine(item.line, delivered.line(item.line));
      SetFit(alone, item.line, FitOf(delivered, item.line));
      SetItemTextQuiet(alone, item.line, valueOf(item.value));
      const auto words = printedWords(alone, dir.filePath(QStringLiteral("item.pdf")));
      ASSERT_FALSE(words.isEmpty());
      const QRectF frame = item.frame.adjusted(-kTolerance, -kTolerance, kTolerance, kTolerance);
      for (const testing::PdfWord& w : words) {
        EXPECT_TRUE(frame.contains(QRectF(QPointF(w.xMin, w.yMin), QPointF(w.xMax, w.yMax))))
            << w.text.toStdString() << " from (" << w.xMin << ", " << w.yMin << ") to (" << w.xMax
            << ", " << w.yMax << ") mm";
      }
    }
  }
}

}  // namespace
}  // namespace kelvane
