#pragma once
// Cell and range parameters of the column grid (colours, alignment, font,
// caption, options) and the named fonts they refer to. Coordinates are grid
// coordinates (column, row), fixed rows and columns included.

#include <QBrush>
#include <QColor>
#include <QFlags>
#include <QFont>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>
#include <stdexcept>
#include <unordered_map>
#include <vector>

class QPainter;

namespace kelvane {

class TStrColGrid;
class TSCGCellFonts;

// Thrown by setters for a cell outside the grid and for invalid parameter or
// font values: these are mistakes of the calling window, not of the user.
class GridRangeError : public std::out_of_range {
 public:
  explicit GridRangeError(const QString& message);
  [[nodiscard]] const QString& message() const { return message_; }

 private:
  QString message_;
};

enum class TAlignment { LeftJustify, RightJustify, Center };
enum class TTextLayout { Top, Center, Bottom };
enum class TCaptionType { ctCaption, ctCellText, ctHeader, ctFooter, ctTop, ctBottom };
// Only "disabled"/"closed" have an effect here: they switch the input method
// off for the grid or its editor.
enum class TImeMode { DontCare, Disable, Close, Open, Hiragana, Katakana, Alpha };

enum class GridOption : unsigned {
  FixedVertLine = 1u << 0,
  FixedHorzLine = 1u << 1,
  VertLine = 1u << 2,
  HorzLine = 1u << 3,
  RangeSelect = 1u << 4,
  DrawFocusSelected = 1u << 5,
  ColSizing = 1u << 6,
  RowMoving = 1u << 7,
  Editing = 1u << 8,
  Tabs = 1u << 9,
  RowSelect = 1u << 10,
};
Q_DECLARE_FLAGS(GridOptions, GridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(GridOptions)

// Fixed lines, grid lines and range select.
[[nodiscard]] GridOptions DefaultGridOptions();

// Old and new current cell of a selection change.
struct CellMove {
  int oldCol = 0;
  int oldRow = 0;
  int newCol = 0;
  int newRow = 0;
};

// One line of a cell's text as it is about to be drawn; the draw-text hooks
// may change text, alignment, layout and the separator flag.
struct TextBand {
  QString text;
  TAlignment alignment = TAlignment::LeftJustify;
  TTextLayout layout = TTextLayout::Top;
  bool separator = false;
  int index = 0;  // 0 = top band
  int count = 1;
  QRect rect;
};

// Returning false refuses the selection; an exception thrown by the handler
// refuses it as well.
using CellMoveHandler = std::function<bool(TStrColGrid&, const CellMove&)>;
using OutCellTextHandler = std::function<void(TStrColGrid&, int col, int row, QString& text)>;
using DrawTextOneLineHandler = std::function<void(TStrColGrid&, int col, int row, TextBand&)>;
using DrawCellHandler =
    std::function<void(TStrColGrid&, QPainter&, int col, int row, const QRect& cell)>;

// What the collections need from the grid that owns them. Collections
// without a host (tests, tools) behave as outside loading, with the default
// options and the application font.
class CellParamHost {
 public:
  virtual ~CellParamHost() = default;
  [[nodiscard]] virtual bool IsLoading() const = 0;
  [[nodiscard]] virtual GridOptions StoredOptions() const = 0;
  [[nodiscard]] virtual QFont GridFont() const = 0;
  virtual void CellParamsChanged() = 0;
};

class TSCGCellParams;

class TSCGCellParam {
 public:
  TSCGCellParam(const TSCGCellParam&) = delete;
  TSCGCellParam& operator=(const TSCGCellParam&) = delete;

  [[nodiscard]] TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  [[nodiscard]] const QString& Caption() const { return caption_; }
  void SetCaption(const QString& value);
  [[nodiscard]] TCaptionType CaptionType() const { return captionType_; }
  void SetCaptionType(TCaptionType value);
  // An invalid colour stands for the system window colour.
  [[nodiscard]] const QColor& CellColor() const { return cellColor_; }
  void SetCellColor(const QColor& value);
  [[nodiscard]] bool CellColorEnabled() const { return cellColorEnabled_; }
  void SetCellColorEnabled(bool value);
  [[nodiscard]] int Col() const { return col_; }
  void SetCol(int value);
  [[nodiscard]] int ColMax() const { return colMax_; }
  void SetColMax(int value);
  [[nodiscard]] const QBrush& Brush() const { return brush_; }
  void SetBrush(const QBrush& value);
  [[nodiscard]] bool BrushEnabled() const { return brushEnabled_; }
  void SetBrushEnabled(bool value);
  // Empty = the grid's font. Outside loading a name not in Fonts is dropped.
  [[nodiscard]] const QString& FontName() const { return fontName_; }
  void SetFontName(const QString& value);
  // An invalid colour stands for the system window-text colour.
  [[nodiscard]] const QColor& FontColor() const { return fontColor_; }
  void SetFontColor(const QColor& value);
  [[nodiscard]] bool FontColorEnabled() const { return fontColorEnabled_; }
  void SetFontColorEnabled(bool value);
  // Times the text is drawn, each one pixel further right; 0 draws none.
  [[nodiscard]] int FontWidth() const { return fontWidth_; }
  void SetFontWidth(int value);
  [[nodiscard]] TImeMode ImeMode() const { return imeMode_; }
  void SetImeMode(TImeMode value) { imeMode_ = value; }
  [[nodiscard]] bool ImeModeEnabled() const { return imeModeEnabled_; }
  void SetImeModeEnabled(bool value) { imeModeEnabled_ = value; }
  [[nodiscard]] TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout value);
  [[nodiscard]] const QString& Name() const { return name_; }
  void SetName(const QString& value) { name_ = value; }
  [[nodiscard]] GridOptions Options() const { return options_; }
  void SetOptions(GridOptions value);
  [[nodiscard]] bool OptionsEnabled() const { return optionsEnabled_; }
  void SetOptionsEnabled(bool value);
  [[nodiscard]] bool RangeEnabled() const { return rangeEnabled_; }
  void SetRangeEnabled(bool value);
  [[nodiscard]] int Row() const { return row_; }
  void SetRow(int value);
  [[nodiscard]] int RowMax() const { return rowMax_; }
  void SetRowMax(int value);
  [[nodiscard]] int Tag() const { return tag_; }
  void SetTag(int value) { tag_ = value; }

  // Sets all four bounds and enables the range in one step, so that moving a
  // range never passes through an invalid state.
  void SetRange(int col, int row, int colMax, int rowMax);

  [[nodiscard]] bool Matches(int col, int row) const;
  // "Name (col,row)-(colMax,rowMax)"
  [[nodiscard]] QString DisplayName() const;
  // Position in CellParams; later items win over earlier ones.
  [[nodiscard]] int Index() const { return index_; }

  CellMoveHandler OnEnterCell, OnExitCell;
  CellMoveHandler OnEnterCol, OnExitCol;
  CellMoveHandler OnEnterRow, OnExitRow;
  OutCellTextHandler OnOutCellText;
  DrawTextOneLineHandler OnDrawTextOneLine;
  DrawCellHandler OnDrawCell;

 private:
  friend class TSCGCellParams;
  TSCGCellParam(TSCGCellParams& owner, int index, GridOptions options);

  struct Place {
    bool range;
    int col, row, colMax, rowMax;
  };
  [[nodiscard]] Place CurrentPlace() const { return {rangeEnabled_, col_, row_, colMax_, rowMax_}; }
  // Applies a new place: validates it, restores the old one on failure, and
  // keeps the lookup index in step.
  void MoveTo(const Place& place);
  void Changed();

  TSCGCellParams& owner_;
  int index_;
  TAlignment alignment_ = TAlignment::LeftJustify;
  QString caption_;
  TCaptionType captionType_ = TCaptionType::ctCellText;
  QColor cellColor_;
  bool cellColorEnabled_ = false;
  int col_ = 0, row_ = 0, colMax_ = 0, rowMax_ = 0;
  QBrush brush_;
  bool brushEnabled_ = false;
  QString fontName_;
  QColor fontColor_;
  bool fontColorEnabled_ = false;
  int fontWidth_ = 1;
  TImeMode imeMode_ = TImeMode::DontCare;
  bool imeModeEnabled_ = false;
  TTextLayout layout_ = TTextLayout::Top;
  QString name_;
  GridOptions options_;
  bool optionsEnabled_ = false;
  bool rangeEnabled_ = false;
  int tag_ = 0;
};

// The grid's parameter list. Lookup stays fast with one item per cell:
// single-cell items are hashed by position, ranges are scanned.
class TSCGCellParams {
 public:
  explicit TSCGCellParams(CellParamHost* host = nullptr);
  ~TSCGCellParams();
  TSCGCellParams(const TSCGCellParams&) = delete;
  TSCGCellParams& operator=(const TSCGCellParams&) = delete;

  void SetFonts(const TSCGCellFonts* fonts) { fonts_ = fonts; }
  [[nodiscard]] const TSCGCellFonts* Fonts() const { return fonts_; }
  [[nodiscard]] CellParamHost* Host() const { return host_; }

  // A new single-cell item at (0, 0) named "パラメータ" + the new count.
  TSCGCellParam& Add();
  void Delete(int index);
  void Clear();
  [[nodiscard]] int Count() const { return static_cast<int>(items_.size()); }
  [[nodiscard]] TSCGCellParam& Items(int index) const { return *items_.at(index); }

  // The latest item covering (col, row), or null.
  [[nodiscard]] TSCGCellParam* Find(int col, int row) const;

  // Font rename and delete follow into the items that use the name.
  void RenameFontReferences(const QString& from, const QString& to);
  void ClearFontReferences(const QString& name);

 private:
  friend class TSCGCellParam;
  using Key = unsigned long long;
  static Key KeyOf(int col, int row);
  void AddToIndex(TSCGCellParam* item);
  void RemoveFromIndex(TSCGCellParam* item, bool range, int col, int row);
  void RebuildIndex();
  [[nodiscard]] bool Loading() const { return host_ && host_->IsLoading(); }
  void Changed() const {
    if (host_) host_->CellParamsChanged();
  }

  CellParamHost* host_;
  const TSCGCellFonts* fonts_ = nullptr;
  std::vector<std::unique_ptr<TSCGCellParam>> items_;
  // Items of each position and all ranges, each in ascending index order.
  std::unordered_map<Key, std::vector<TSCGCellParam*>> singles_;
  std::vector<TSCGCellParam*> ranges_;
};

class TSCGCellFonts;

class TSCGCellFont {
 public:
  TSCGCellFont(const TSCGCellFont&) = delete;
  TSCGCellFont& operator=(const TSCGCellFont&) = delete;

  [[nodiscard]] const QFont& Font() const { return font_; }
  void SetFont(const QFont& value);
  [[nodiscard]] const QString& Name() const { return name_; }
  // Never empty, unique in the grid; parameters using the old name follow.
  void SetName(const QString& value);
  // "Name( face, size )"
  [[nodiscard]] QString DisplayName() const;

 private:
  friend class TSCGCellFonts;
  TSCGCellFont(TSCGCellFonts& owner, QString name, QFont font);

  TSCGCellFonts& owner_;
  QString name_;
  QFont font_;
};

class TSCGCellFonts {
 public:
  explicit TSCGCellFonts(CellParamHost* host = nullptr);
  ~TSCGCellFonts();
  TSCGCellFonts(const TSCGCellFonts&) = delete;
  TSCGCellFonts& operator=(const TSCGCellFonts&) = delete;

  void SetParams(TSCGCellParams* params) { params_ = params; }

  // A copy of the grid's font named "フォント" + the new count (the number
  // is raised until the name is free).
  TSCGCellFont& Add();
  void Delete(int index);
  void Clear();
  [[nodiscard]] int Count() const { return static_cast<int>(items_.size()); }
  [[nodiscard]] TSCGCellFont& Items(int index) const { return *items_.at(index); }
  [[nodiscard]] const TSCGCellFont* Find(const QString& name) const;

 private:
  friend class TSCGCellFont;
  void Renamed(const QString& from, const QString& to);
  void Changed() const {
    if (host_) host_->CellParamsChanged();
  }

  CellParamHost* host_;
  TSCGCellParams* params_ = nullptr;
  std::vector<std::unique_ptr<TSCGCellFont>> items_;
};

}  // namespace kelvane
