#include "render/renderer.h"

#include "layout/element_record.h"
#include "layout/text_fit.h"
#include "render/picture_loader.h"
#include "render/style_names.h"
#include "text/cp932.h"
#include "text/fixed_point.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

namespace kelvane {

namespace {

using fixed::kOne;

// Device coordinates are kept well inside the painter's range; a layout
// that places something a kilometre off the page still draws nothing there.
constexpr qint64 kCoordinateLimit = 1'000'000'000;
// Largest character height drawn, in device pixels (about 70 cm at 600 dpi).
constexpr int kMaxFontPixels = 16384;
// Characters drawn one by one are those starting in the first 256 bytes.
constexpr qsizetype kCharacterWindow = 256;
// Vertical text that must fit is condensed along its column down to this
// share of its height before it is made smaller.
constexpr double kColumnMinimumHeight = 0.5;
// A font size of 0 points draws at the usual size instead.
constexpr int kDefaultPoints = 12;

const QByteArray& cp(const char* utf8) {
  // Only ever called with the few fixed texts below; each is converted once.
  static thread_local std::vector<std::pair<const char*, QByteArray>> memo;
  for (const auto& [key, bytes] : memo) {
    if (key == utf8) return bytes;
  }
  memo.emplace_back(utf8, cp932::fromUtf8Literal(utf8));
  return memo.back().second;
}

bool isSmallKana(QByteArrayView ch) {
  static const char* const kKana[] = {"ゃ", "ゅ", "ょ", "っ", "ャ", "ュ", "ョ", "ッ"};
  return std::any_of(std::begin(kKana), std::end(kKana),
                     [&](const char* k) { return ch == cp(k); });
}

qint64 saturatingAdd(qint64 a, qint64 b) {
  qint64 out = 0;
  if (__builtin_add_overflow(a, b, &out)) {
    return b > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
  }
  return out;
}

// Windows' MulDiv: a * b / c rounded half away from zero.
qint64 mulDiv(qint64 a, qint64 b, qint64 c) {
  if (c == 0) return 0;
  return fixed::divRoundHalfAway(static_cast<__int128>(a) * b, c);
}

QString fileNameOf(const QString& path) {
  const qsizetype cut = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
  return path.mid(cut + 1);
}

QString folderOf(const QString& path) {
  const qsizetype cut = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
  return cut < 0 ? QString() : path.left(cut + 1);
}

// A shape's fields once they have all read as numbers.
struct ShapeFields {
  qint64 x1, y1, x2, y2;
  int width;
  QByteArrayView styleName;
  LayoutColour colour;
};

LayoutColour colourOf(int colour) { return static_cast<LayoutColour>(colour) & 0xFFFFFFu; }

class Pass {
 public:
  Pass(Canvas& canvas, const RenderSettings& settings, PictureCache* pictures, qint64 resX,
       qint64 resY)
      : canvas_(canvas),
        settings_(settings),
        pictures_(pictures),
        scaleX_(PixelsPerMillimetre(resX)),
        scaleY_(PixelsPerMillimetre(resY)) {
    const bool hideOffset = !canvas.isPrinter() && settings.previewMode == 1;
    offsetX_ = hideOffset ? 0 : fixed::fromWhole(fixed::truncToWhole(settings.offsetX));
    offsetY_ = hideOffset ? 0 : fixed::fromWhole(fixed::truncToWhole(settings.offsetY));
  }

  // The widths of the texts, looked up by the line being drawn.
  void useFits(const FitTable* fits) { fits_ = fits; }
  void atLine(qsizetype line) { line_ = line; }
  Expected<void> DrawElement(QByteArrayView record);
  // Why the element just drawn is not quite as its record says, once.
  std::optional<QString> takeWarning() { return std::exchange(warning_, std::nullopt); }
  // The pass stopped at the style's line weight offset, not at the text of
  // the element being drawn.
  [[nodiscard]] bool stoppedAtSetting() const { return stoppedAtSetting_; }

 private:
  int deviceX(qint64 mm) const { return toDevice(offsetX_, mm, scaleX_); }
  int deviceY(qint64 mm) const { return toDevice(offsetY_, mm, scaleY_); }
  static int toDevice(qint64 offset, qint64 mm, qint64 scale);
  QPoint device(qint64 x, qint64 y) const { return QPoint(deviceX(x), deviceY(y)); }

  Expected<int> penWidth(int width, PenStyle style);
  int patternedPenWidth() const;
  Expected<void> setShapePen(const ShapeFields& f);
  Expected<void> DrawLine(const ShapeFields& f);
  Expected<void> DrawFrame(const ShapeFields& f);
  void FillBox(const ShapeFields& f);
  Expected<void> DrawCharRecord(const TextElement& t);
  Expected<void> DrawText(int size, int vertical, qint64 x, qint64 y, qint64 spacing,
                          QByteArrayView text);
  Expected<void> drawSpaced(qint64 x, qint64 y, qint64 spacing, QByteArrayView text);
  Expected<void> drawFitted(qint64 x, qint64 y, qint64 spacing, const TextFit& fit,
                            QByteArrayView text);
  Expected<void> drawVertical(int size, qint64 x, qint64 y, qint64 spacing, QByteArrayView text);
  // The box of `cells` cells of a vertical column starting at (x, y).
  QRect columnBox(qint64 x, qint64 y, qint64 spacing, qsizetype cells, int em) const;
  int fontPixels(int size) const;
  Expected<void> DrawImageRecord(const ImageElement& i);
  Expected<void> DrawImage(qint64 x, qint64 y, const QString& path, qint64 width, qint64 height);
  bool skipsPreviewOnly() const { return settings_.showOnlyPrinted || canvas_.isPrinter(); }

  Canvas& canvas_;
  const RenderSettings& settings_;
  PictureCache* pictures_;
  qint64 scaleX_, scaleY_;
  qint64 offsetX_ = 0, offsetY_ = 0;
  LayoutColour brushColour_ = 0xFFFFFF;
  QByteArray fontFace_;
  LayoutColour fontColour_ = 0;
  FontStyle fontStyle_;
  bool stoppedAtSetting_ = false;
  std::optional<QString> warning_;
  const FitTable* fits_ = nullptr;
  qsizetype line_ = -1;
};

int Pass::toDevice(qint64 offset, qint64 mm, qint64 scale) {
  const __int128 sum = static_cast<__int128>(offset) + mm;
  const qint64 pixels = fixed::divTrunc(sum * scale, static_cast<__int128>(kOne) * kOne);
  return static_cast<int>(std::clamp(pixels, -kCoordinateLimit, kCoordinateLimit));
}

Expected<void> Pass::DrawElement(QByteArrayView record) {
  // Header lines are visited too; only records of a known kind are drawn.
  const std::optional<ElementRecord> element = ReadElementRecord(record);
  if (!element) return {};
  if (skipsPreviewOnly()) {
    auto previewOnly = PreviewOnlyOf(element->previewFlag());
    if (!previewOnly) return Failure{previewOnly.error()};
    if (previewOnly.value()) return {};
  }
  if (auto numbers = StrictFieldsOf(element->fields); !numbers) return numbers;
  if (const auto* text = std::get_if<TextElement>(&element->fields)) return DrawCharRecord(*text);
  if (const auto* image = std::get_if<ImageElement>(&element->fields))
    return DrawImageRecord(*image);
  const auto& shape = std::get<ShapeElement>(element->fields);
  const ShapeFields f{*shape.x1.value,    *shape.y1.value, *shape.x2.value,       *shape.y2.value,
                      *shape.width.value, shape.pattern,   colourOf(shape.colour)};
  if (element->kind == ElementKind::Line) return DrawLine(f);
  if (element->kind == ElementKind::Rect) return DrawFrame(f);
  FillBox(f);
  return {};
}

Expected<int> Pass::penWidth(int width, PenStyle style) {
  auto weight = StrictWhole(settings_.lineWeightOffset);
  if (!weight) {
    stoppedAtSetting_ = true;
    return Failure{QStringLiteral("線の太さの調整") + weight.error()};
  }
  qint64 steps = static_cast<qint64>(width) + weight.value() - 1;
  if (canvas_.isPrinter()) steps += 4;
  const qint64 pixels = mulDiv(steps, settings_.previewResolution, 144);
  if (style == PenStyle::InsideFrame) return 1;
  if (style != PenStyle::Solid) return patternedPenWidth();
  return pixels <= 0 ? 1 : static_cast<int>(std::min<qint64>(pixels, kMaxFontPixels));
}

// A dashed or dotted line is one pixel of the preview wide; on paper it
// keeps that width, and so its dashes (which the canvas measures in pen
// widths) keep their length: one printer pixel would be a hairline.
int Pass::patternedPenWidth() const {
  const qint64 preview = settings_.previewResolution;
  if (!canvas_.isPrinter() || preview <= 0) return 1;
  const qint64 pixels = mulDiv(fixed::truncToWhole(settings_.metrics.printerDpiX), 1, preview);
  return static_cast<int>(std::clamp<qint64>(pixels, 1, kMaxFontPixels));
}

Expected<void> Pass::setShapePen(const ShapeFields& f) {
  const PenStyle style = PenStyleOf(f.styleName);
  auto width = penWidth(f.width, style);
  if (!width) return Failure{width.error()};
  canvas_.setPen(f.colour, style, width.value());
  return {};
}

Expected<void> Pass::DrawLine(const ShapeFields& f) {
  if (auto pen = setShapePen(f); !pen) return pen;
  canvas_.drawLine(device(f.x1, f.y1), device(f.x2, f.y2));
  return {};
}

Expected<void> Pass::DrawFrame(const ShapeFields& f) {
  if (auto pen = setShapePen(f); !pen) return pen;
  canvas_.drawFrame(device(f.x1, f.y1), device(f.x2, f.y2));
  return {};
}

void Pass::FillBox(const ShapeFields& f) {
  brushColour_ = f.colour;
  canvas_.setBrush(f.colour, BrushStyleOf(f.styleName));
  canvas_.fillBox(device(f.x1, f.y1), device(f.x2, f.y2));
  canvas_.setBrush(brushColour_, BrushStyle::Clear);
}

Expected<void> Pass::DrawCharRecord(const TextElement& t) {
  fontFace_ = t.face.toByteArray();
  fontStyle_ = FontStyleOf(t.decoration);
  fontColour_ = colourOf(t.colour);
  QByteArrayView text = t.text;
  if (settings_.eraLabel == cp("令和") && text == cp("平成")) text = cp("令和");
  // A damaged byte in a text (a hand edit, a file from elsewhere) spoils
  // one character, not the receipt: drawn as the replacement character.
  if (auto decoded = cp932::decode(text); !decoded) {
    warning_ = QStringLiteral("文字「%1」: %2").arg(cp932::decodeReplacing(text), decoded.error());
  }
  return DrawText(t.size, *t.vertical.value, *t.x.value, *t.y.value, *t.spacing.value, text);
}

int Pass::fontPixels(int size) const {
  const int points = size == 0 ? kDefaultPoints : size;
  const qint64 resolution = settings_.previewResolution;
  qint64 pixels = mulDiv(points, resolution, 72);
  if (canvas_.isPrinter()) {
    // The printer takes the size back in points and sets it at its own
    // resolution, so printed text is the chosen size.
    const qint64 printed = mulDiv(pixels, 72, resolution);
    pixels = mulDiv(printed, fixed::truncToWhole(settings_.metrics.printerDpiY), 72);
  }
  if (pixels < 0) pixels = -pixels;
  return static_cast<int>(std::clamp<qint64>(pixels, 1, kMaxFontPixels));
}

Expected<void> Pass::DrawText(int size, int vertical, qint64 x, qint64 y, qint64 spacing,
                              QByteArrayView text) {
  canvas_.setBrush(brushColour_, BrushStyle::Clear);
  if (x == 0 && y == 0) return {};  // an item at (0, 0) has not been placed
  if (text.isEmpty()) return {};
  const bool horizontal = vertical == 0 || vertical == 2 || vertical == 4 || vertical == 14;
  const bool upright = vertical == 1 || vertical == 3 || vertical == 13;
  if (!horizontal && !upright) return {};
  canvas_.setFont(
      FontSpec{fontFace_, fontPixels(size), fontStyle_.bold, fontStyle_.italic, fontColour_});
  if (upright) return drawVertical(size, x, y, spacing, text);
  if (const TextFit* fit = fits_ ? fits_->find(line_) : nullptr)
    return drawFitted(x, y, spacing, *fit, text);
  if (spacing == 0) return canvas_.textOut(device(x, y), text);
  return drawSpaced(x, y, spacing, text);
}

// The characters (one or two bytes each) that start in the first 256 bytes.
std::vector<QByteArrayView> charactersOf(QByteArrayView text) {
  std::vector<QByteArrayView> chars;
  for (qsizetype pos = 0; pos < text.size() && pos < kCharacterWindow;) {
    const int length = cp932::charLength(text, pos);
    chars.push_back(text.sliced(pos, length));
    pos += length;
  }
  return chars;
}

Expected<void> Pass::drawSpaced(qint64 x, qint64 y, qint64 spacing, QByteArrayView text) {
  const auto chars = charactersOf(text);
  if (spacing < 0) {
    // Right aligned: the last cell ends at the x of the record.
    spacing = spacing == std::numeric_limits<qint64>::min() ? std::numeric_limits<qint64>::max()
                                                            : -spacing;
    const __int128 shift = static_cast<__int128>(chars.size()) * spacing;
    x = fixed::divTrunc(static_cast<__int128>(x) - shift, 1);
  }
  for (const QByteArrayView ch : chars) {
    if (auto done = canvas_.textOut(device(x, y), ch); !done) return done;
    x = saturatingAdd(x, spacing);
  }
  return {};
}

// Brackets, dashes and punctuation that stand differently in a vertical
// column: （ opens downward, ー runs down, 、。 sit at the upper right.
// ～ and 〜 are the same cp932 character.
bool turnsInVerticalText(QByteArrayView ch) {
  static const std::vector<QByteArray> kTurning = [] {
    std::vector<QByteArray> out;
    for (const char* t :
         {"（", "）", "「", "」", "『", "』", "【", "】", "〔", "〕", "［", "］", "｛", "｝", "〈",
          "〉", "《", "》", "ー", "―",  "～", "…",  "‥",  "、", "。", "，", "．", "：", "；"}) {
      out.push_back(cp932::fromUtf8Literal(t));
    }
    return out;
  }();
  return ch.size() == 2 && std::find(kTurning.begin(), kTurning.end(), ch) != kTurning.end();
}

// Half-width characters written together across or along the column: the
// printable ASCII bytes but the space, so "No.12", "(3)" and "ABC" stay one
// run. Half-width katakana stand upright as before.
bool joinsHalfWidthRun(QByteArrayView ch) {
  return ch.size() == 1 && static_cast<unsigned char>(ch[0]) > 0x20 &&
         static_cast<unsigned char>(ch[0]) < 0x7F;
}

bool isDigitRun(QByteArrayView run) {
  return std::all_of(run.begin(), run.end(), [](char c) { return c >= '0' && c <= '9'; });
}

QRect Pass::columnBox(qint64 x, qint64 y, qint64 spacing, qsizetype cells, int em) const {
  qint64 last = y;
  for (qsizetype c = 1; c < cells; ++c) last = saturatingAdd(last, spacing);
  const qint64 first = deviceY(y);
  const qint64 end = deviceY(last);
  // A negative spacing writes upward: the box reaches from the higher cell.
  const qint64 top = std::min(first, end);
  const qint64 height = std::min(std::max(first, end) - top + em, kCoordinateLimit);
  return QRect(deviceX(x), static_cast<int>(top), em, static_cast<int>(height));
}

// Text with a width stays within [x, x + width]. Spaced text keeps its
// cells, narrowed when all of them would not fit, the run aligned in the
// width whatever the sign of the spacing; each character stays in its cell.
Expected<void> Pass::drawFitted(qint64 x, qint64 y, qint64 spacing, const TextFit& fit,
                                QByteArrayView text) {
  const int top = deviceY(y);
  // Pixels from x to x + width; both ends are within the device range, the
  // distance between them is kept within it too.
  const auto span = [this](qint64 from, qint64 width) {
    const qint64 pixels = qint64(deviceX(saturatingAdd(from, width))) - deviceX(from);
    return static_cast<int>(std::clamp<qint64>(pixels, 0, kCoordinateLimit));
  };
  if (spacing == 0) return canvas_.textOutFitted(device(x, y), span(x, fit.width), fit.align, text);
  const auto chars = charactersOf(text);
  const qint64 count = static_cast<qint64>(chars.size());
  qint64 cell = spacing == std::numeric_limits<qint64>::min() ? std::numeric_limits<qint64>::max()
                                                              : std::abs(spacing);
  if (static_cast<__int128>(cell) * count > fit.width) cell = fit.width / count;
  const qint64 slack = fit.width - cell * count;
  qint64 start = x;
  if (fit.align == TextAlign::Right) start = saturatingAdd(x, slack);
  if (fit.align == TextAlign::Centre) start = saturatingAdd(x, slack / 2);
  for (const QByteArrayView ch : chars) {
    if (auto done = canvas_.textOutFitted(QPoint(deviceX(start), top), span(start, cell),
                                          TextAlign::Left, ch);
        !done)
      return done;
    start = saturatingAdd(start, cell);
  }
  return {};
}

// How vertical text is laid down the column: each piece with what it
// takes of the column, in steps of the record's spacing.
struct ColumnPiece {
  QByteArrayView text;
  enum Kind { Upright, Turned, SideBySide, Clockwise } kind = Upright;
  qsizetype cells = 1;  // spacings it advances; a space advances a quarter
  bool space = false;
};

std::vector<ColumnPiece> columnPieces(QByteArrayView text) {
  std::vector<ColumnPiece> pieces;
  const auto chars = charactersOf(text);
  for (std::size_t i = 0; i < chars.size();) {
    std::size_t runEnd = i;
    while (runEnd < chars.size() && joinsHalfWidthRun(chars[runEnd])) ++runEnd;
    if (const auto runLength = static_cast<qsizetype>(runEnd - i); runLength >= 2) {
      // Two or three digits (12 月) share one cell; a longer run, or one
      // with letters, lies along the column, two half-width characters a cell.
      const QByteArrayView run(chars[i].data(), runLength);
      const bool sideBySide = runLength <= 3 && isDigitRun(run);
      pieces.push_back({run, sideBySide ? ColumnPiece::SideBySide : ColumnPiece::Clockwise,
                        sideBySide ? 1 : (runLength + 1) / 2});
      i = runEnd;
      continue;
    }
    QByteArrayView ch = chars[i++];
    if (ch == cp("－")) ch = cp("｜");
    pieces.push_back(
        {ch, turnsInVerticalText(ch) ? ColumnPiece::Turned : ColumnPiece::Upright, 1, ch == " "});
  }
  return pieces;
}

// The column's length in millimetres: what its pieces advance.
qint64 columnLength(const std::vector<ColumnPiece>& pieces, qint64 spacing, qint64 spaceStep) {
  __int128 length = 0;
  for (const ColumnPiece& p : pieces)
    length += p.space ? spaceStep : static_cast<__int128>(spacing) * p.cells;
  if (length < 0) length = -length;
  return static_cast<qint64>(std::min<__int128>(length, std::numeric_limits<qint64>::max()));
}

Expected<void> Pass::drawVertical(int size, qint64 x, qint64 y, qint64 spacing,
                                  QByteArrayView text) {
  qint64 spaceStep = fixed::divRoundHalfEven(spacing, 4);
  int em = fontPixels(size);
  int smallKanaShift = size / 4;
  const std::vector<ColumnPiece> pieces = columnPieces(text);
  if (const TextFit* fit = fits_ ? fits_->find(line_) : nullptr) {
    // A column longer than its height is condensed along it, to half, then
    // made smaller as well and kept in the middle of its column; a shorter
    // one is set at the top, the bottom or the middle of the height.
    const qint64 length = columnLength(pieces, spacing, spaceStep);
    if (length > fit->width) {
      const double ratio = double(fit->width) / double(length);
      const auto scaled = [ratio](qint64 v) { return static_cast<qint64>(std::floor(v * ratio)); };
      spacing = scaled(spacing);
      spaceStep = scaled(spaceStep);
      const double smaller = std::min(1.0, ratio / kColumnMinimumHeight);
      const int fitted = std::max(1, static_cast<int>(std::floor(em * smaller)));
      x = saturatingAdd(
          x, fixed::divTrunc(static_cast<__int128>(em - fitted) * kOne * kOne / 2, scaleX_));
      smallKanaShift = static_cast<int>(smallKanaShift * smaller);
      em = fitted;
      canvas_.setFont(FontSpec{fontFace_, em, fontStyle_.bold, fontStyle_.italic, fontColour_,
                               static_cast<int>(std::max(ratio, kColumnMinimumHeight) * 1000)});
    } else if (spacing > 0 && fit->align != TextAlign::Left) {
      const qint64 slack = fit->width - length;
      y = saturatingAdd(y, fit->align == TextAlign::Right ? slack : slack / 2);
    }
  }
  for (const ColumnPiece& p : pieces) {
    switch (p.kind) {
      case ColumnPiece::SideBySide:
      case ColumnPiece::Clockwise:
      case ColumnPiece::Turned: {
        // The canvas sets the vertical form, the digits across, or the run
        // along the column, in the cells the piece takes.
        const VerticalLook look = p.kind == ColumnPiece::Turned       ? VerticalLook::Turned
                                  : p.kind == ColumnPiece::SideBySide ? VerticalLook::SideBySide
                                                                      : VerticalLook::Clockwise;
        if (auto done =
                canvas_.textOutVertical(columnBox(x, y, spacing, p.cells, em), p.text, look);
            !done)
          return done;
        break;
      }
      case ColumnPiece::Upright: {
        int left = deviceX(x);
        // The small-kana offset stays within the device range at its edge too.
        if (isSmallKana(p.text)) {
          left = static_cast<int>(std::clamp<qint64>(qint64(left) + smallKanaShift,
                                                     -kCoordinateLimit, kCoordinateLimit));
        }
        if (auto done = canvas_.textOut(QPoint(left, deviceY(y)), p.text); !done) return done;
        break;
      }
    }
    if (p.space) {
      y = saturatingAdd(y, spaceStep);
      continue;
    }
    for (qsizetype c = 0; c < p.cells; ++c) y = saturatingAdd(y, spacing);
  }
  return {};
}

Expected<void> Pass::DrawImageRecord(const ImageElement& i) {
  if (i.file.isEmpty()) return {};
  if (skipsPreviewOnly() && i.secondFlag == 1) return {};
  auto path = cp932::decode(i.file);
  if (!path) return Failure{QStringLiteral("画像ファイル名: %1").arg(path.error())};
  // A file path is bytes; the layout writes 0x5C as the folder separator.
  QString local = path.value();
  local.replace(u'\u00A5', u'\\');
  return DrawImage(*i.x.value, *i.y.value, local, *i.width.value, *i.height.value);
}

bool isFile(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

Expected<void> Pass::DrawImage(qint64 x, qint64 y, const QString& stored, qint64 width,
                               qint64 height) {
  QString path = stored;
  if (!isFile(path)) {
    // The picture may have moved along with the issue list: look beside it.
    if (settings_.registerPath.isEmpty()) return {};
    path = folderOf(settings_.registerPath) + fileNameOf(stored);
    if (!isFile(path)) return {};
  }
  auto picture = pictures_ ? pictures_->load(path) : LoadPicture(path);
  if (!picture) return Failure{picture.error()};
  const QImage& image = picture->image;
  const qint64 naturalW = image.width();
  const qint64 naturalH = image.height();
  if (naturalW <= 0 || naturalH <= 0) return {};

  qint64 drawnW = naturalW, drawnH = naturalH;
  qint64 factorX = kOne, factorY = kOne;
  if (width == 0 && height == 0) {
    const PrinterMetrics& m = settings_.metrics;
    if (canvas_.isPrinter()) {
      if (m.screenDpiX > 0)
        factorX =
            fixed::divRoundHalfEven(static_cast<__int128>(m.printerDpiX) * kOne, m.screenDpiX);
      if (m.screenDpiY > 0)
        factorY =
            fixed::divRoundHalfEven(static_cast<__int128>(m.printerDpiY) * kOne, m.screenDpiY);
    } else {
      factorX = factorY = static_cast<qint64>(settings_.zoomPercent) * (kOne / 100);
    }
  } else {
    // One side missing: complete it from the picture's proportions, to the
    // nearest whole millimetre.
    // A side beyond the range of a millimetre value stays at its end; the
    // drawn size is kept within the device range below anyway.
    auto wholeMillimetres = [](qint64 whole) {
      return fixed::divTrunc(static_cast<__int128>(whole) * kOne, 1);
    };
    if (height == 0) {
      height = wholeMillimetres(fixed::divRoundHalfAway(static_cast<__int128>(width) * naturalH,
                                                        static_cast<__int128>(naturalW) * kOne));
    } else if (width == 0) {
      width = wholeMillimetres(fixed::divRoundHalfAway(static_cast<__int128>(height) * naturalW,
                                                       static_cast<__int128>(naturalH) * kOne));
    }
    drawnW =
        fixed::divTrunc(static_cast<__int128>(width) * scaleX_, static_cast<__int128>(kOne) * kOne);
    drawnH = fixed::divTrunc(static_cast<__int128>(height) * scaleY_,
                             static_cast<__int128>(kOne) * kOne);
  }
  if (!picture->drawable) return {};
  const qint64 targetW =
      std::clamp<qint64>(fixed::divTrunc(static_cast<__int128>(drawnW) * factorX, kOne),
                         -kCoordinateLimit, kCoordinateLimit);
  const qint64 targetH =
      std::clamp<qint64>(fixed::divTrunc(static_cast<__int128>(drawnH) * factorY, kOne),
                         -kCoordinateLimit, kCoordinateLimit);
  canvas_.stretchBitmap(
      QRect(deviceX(x), deviceY(y), static_cast<int>(targetW), static_cast<int>(targetH)), image);
  return {};
}

}  // namespace

qint64 PixelsPerMillimetre(qint64 dpi) {
  return fixed::divRoundHalfEven(static_cast<__int128>(dpi) * 10, 254);
}

Expected<void> Renderer::DrawLayout(Canvas& canvas, const LayoutDocument& document,
                                    const RenderSettings& settings, qint64 resolutionX,
                                    qint64 resolutionY) {
  Pass pass(canvas, settings, pictures_, resolutionX, resolutionY);
  const FitTable fits(document);
  pass.useFits(&fits);
  failedLine_ = -1;
  warnings_.clear();
  const auto& lines = document.lines();
  for (qsizetype i = 0; i < lines.size(); ++i) {
    pass.atLine(i);
    canvas.beginElement(i);
    auto done = pass.DrawElement(lines[i]);
    if (auto warning = pass.takeWarning()) {
      warnings_.append(
          QStringLiteral("レイアウトの %1 行目の%2\r\n読めない文字は「\uFFFD」で描きます。")
              .arg(i + 1)
              .arg(*warning));
    }
    if (!done) {
      failedLine_ = pass.stoppedAtSetting() ? -1 : i;
      return Failure{
          QStringLiteral("レイアウトの %1 行目を描けません: %2").arg(i + 1).arg(done.error())};
    }
  }
  return {};
}

}  // namespace kelvane
