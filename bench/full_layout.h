#pragma once
// The fully used layout the drawing benchmarks measure: all 100 line and
// shape slots, 100 free texts, the 39 items placed, and 8 images of
// 1200 x 800 pixels (four JPEG, four BMP); its preview settings and page.

#include "layout/layout_slots.h"
#include "render/renderer.h"
#include "text/cp932.h"

#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

namespace kelvane {
namespace {

[[maybe_unused]] QByteArray sj(const QString& text) { return cp932::encode(text).value(); }

[[maybe_unused]] QImage photo(int seed) {
  QImage image(1200, 800, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      line[x] = qRgb((x + seed * 40) & 0xFF, (y * 3 + seed) & 0xFF, ((x ^ y) + seed) & 0xFF);
    }
  }
  return image;
}

struct Fixture {
  QTemporaryDir dir;
  LayoutDocument doc;

  Fixture() {
    for (int slot = 1; slot <= 8; ++slot) {
      const bool jpeg = slot % 2 == 1;
      const QString path =
          dir.filePath(QStringLiteral("picture%1.%2").arg(slot).arg(jpeg ? "jpg" : "bmp"));
      photo(slot).save(path, jpeg ? "JPG" : "BMP");
      const int x = 10 + ((slot - 1) % 4) * 45;
      const int y = 10 + ((slot - 1) / 4) * 130;
      doc.setLine(slotmap::imageLine(slot),
                  sj(QStringLiteral("image,0,%1,%2,%3,40,0,,0,0").arg(x).arg(y).arg(path)));
    }
    static const char* const kPatterns[] = {"実線", "破線", "点線", "一点鎖線", "二点鎖線"};
    static const char* const kFills[] = {"塗り潰し", "水平", "垂直", "クロス", "ハッチ"};
    for (int slot = 1; slot <= slotmap::kShapeSlots; ++slot) {
      const int x = 5 + (slot % 10) * 19, y = 5 + (slot / 10) * 27;
      QString record;
      if (slot % 3 == 0) {
        record = QStringLiteral("fillrect,0,%1,%2,%3,%4,1,%5,%6,")
                     .arg(x)
                     .arg(y)
                     .arg(x + 15)
                     .arg(y + 10)
                     .arg(QString::fromUtf8(kFills[slot % 5]))
                     .arg(0xE0E0E0 - slot * 256);
      } else if (slot % 3 == 1) {
        record = QStringLiteral("rect,0,%1,%2,%3,%4,%5,%6,0,")
                     .arg(x)
                     .arg(y)
                     .arg(x + 17.5)
                     .arg(y + 20.25)
                     .arg(1 + slot % 4)
                     .arg(QString::fromUtf8(kPatterns[slot % 5]));
      } else {
        record = QStringLiteral("line,0,%1,%2,%3,%4,%5,%6,255,")
                     .arg(x)
                     .arg(y)
                     .arg(x + 18)
                     .arg(y + 25)
                     .arg(1 + slot % 3)
                     .arg(QString::fromUtf8(kPatterns[(slot + 1) % 5]));
      }
      doc.setLine(slotmap::shapeLine(slot), sj(record));
    }
    for (int slot = 1; slot <= slotmap::kTextSlots; ++slot) {
      const int x = 6 + (slot % 5) * 40, y = 8 + (slot / 5) * 13;
      const int vertical = slot % 10 == 0 ? 1 : 0;
      const QString spacing = slot % 7 == 0 ? QStringLiteral("4.5") : QStringLiteral("0");
      doc.setLine(slotmap::textLine(slot),
                  sj(QStringLiteral("char,0,%1,%2,ＭＳ 明朝,%3,%4,%5,%6,0,合計金額（税込）%7")
                         .arg(x)
                         .arg(y)
                         .arg(8 + slot % 12)
                         .arg(slot % 4 == 0 ? QStringLiteral("太字") : QString())
                         .arg(spacing)
                         .arg(vertical)
                         .arg(slot)));
    }
    for (int tag = slotmap::kFirstItemTag; tag <= slotmap::kLastItemTag; ++tag) {
      const int x = 10 + (tag % 3) * 60, y = 200 + (tag - slotmap::kFirstItemTag) * 2;
      doc.setLine(slotmap::itemLine(tag),
                  sj(QStringLiteral("char,0,%1,%2,ＭＳ ゴシック,11,,0,0,0,株式会社ねむりか 12,000")
                         .arg(x)
                         .arg(y)));
    }
  }
};

[[maybe_unused]] Fixture& fixture() {
  static Fixture f;
  return f;
}

[[maybe_unused]] RenderSettings previewSettings() {
  RenderSettings s;
  s.previewMode = 1;
  s.zoomPercent = 100;
  s.previewResolution = 96;
  s.metrics.printerDpiX = s.metrics.printerDpiY = 600 * 10000LL;
  s.metrics.screenDpiX = s.metrics.screenDpiY = 96 * 10000LL;
  return s;
}

// The preview page of A4 at 96 dpi, zoom 100.
[[maybe_unused]] QImage previewPage() {
  QImage page(794, 1123, QImage::Format_RGB32);
  page.fill(Qt::white);
  return page;
}

constexpr qint64 k96 = 96 * 10000LL;
constexpr qint64 k600 = 600 * 10000LL;

// The median wall time of `runs` runs of `run`, in milliseconds: the
// figure the benchmarks print beside their targets.
template <class F>
double medianMs(F&& run, int runs) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    QElapsedTimer timer;
    timer.start();
    run();
    times.push_back(timer.nsecsElapsed() / 1e6);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace
}  // namespace kelvane
