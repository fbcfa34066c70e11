#include "widgets/scg_cell_param.h"

#include <algorithm>

namespace kelvane {

GridRangeError::GridRangeError(const QString& message)
    : std::out_of_range(message.toStdString()), message_(message) {}

GridOptions DefaultGridOptions() {
  return GridOption::FixedVertLine | GridOption::FixedHorzLine | GridOption::VertLine |
         GridOption::HorzLine | GridOption::RangeSelect;
}

// ---------------------------------------------------------------- parameter

TSCGCellParam::TSCGCellParam(TSCGCellParams& owner, int index, GridOptions options)
    : owner_(owner),
      index_(index),
      name_(QStringLiteral("パラメータ") + QString::number(index + 1)),
      options_(options) {}

void TSCGCellParam::Changed() { owner_.Changed(); }

void TSCGCellParam::SetAlignment(TAlignment value) {
  alignment_ = value;
  Changed();
}

void TSCGCellParam::SetCaption(const QString& value) {
  caption_ = value;
  Changed();
}

void TSCGCellParam::SetCaptionType(TCaptionType value) {
  captionType_ = value;
  Changed();
}

void TSCGCellParam::SetCellColor(const QColor& value) {
  cellColor_ = value;
  Changed();
}

void TSCGCellParam::SetCellColorEnabled(bool value) {
  cellColorEnabled_ = value;
  Changed();
}

void TSCGCellParam::SetBrush(const QBrush& value) {
  brush_ = value;
  Changed();
}

void TSCGCellParam::SetBrushEnabled(bool value) {
  brushEnabled_ = value;
  Changed();
}

void TSCGCellParam::SetFontName(const QString& value) {
  const bool known = owner_.Fonts() && owner_.Fonts()->Find(value);
  // While loading the fonts may not exist yet; drawing reports a name that
  // is still missing.
  fontName_ = (value.isEmpty() || known || owner_.Loading()) ? value : QString();
  Changed();
}

void TSCGCellParam::SetFontColor(const QColor& value) {
  fontColor_ = value;
  Changed();
}

void TSCGCellParam::SetFontColorEnabled(bool value) {
  fontColorEnabled_ = value;
  Changed();
}

void TSCGCellParam::SetFontWidth(int value) {
  if (value < 0)
    throw GridRangeError(DisplayName() + QStringLiteral(".FontWidth の値が範囲を超えました"));
  fontWidth_ = value;
  Changed();
}

void TSCGCellParam::SetLayout(TTextLayout value) {
  layout_ = value;
  Changed();
}

void TSCGCellParam::SetOptions(GridOptions value) {
  options_ = value;
  Changed();
}

void TSCGCellParam::SetOptionsEnabled(bool value) {
  optionsEnabled_ = value;
  Changed();
}

void TSCGCellParam::SetCol(int value) {
  Place p = CurrentPlace();
  p.col = value;
  MoveTo(p);
}

void TSCGCellParam::SetColMax(int value) {
  Place p = CurrentPlace();
  p.colMax = value;
  MoveTo(p);
}

void TSCGCellParam::SetRow(int value) {
  Place p = CurrentPlace();
  p.row = value;
  MoveTo(p);
}

void TSCGCellParam::SetRowMax(int value) {
  Place p = CurrentPlace();
  p.rowMax = value;
  MoveTo(p);
}

void TSCGCellParam::SetRangeEnabled(bool value) {
  Place p = CurrentPlace();
  p.range = value;
  MoveTo(p);
}

void TSCGCellParam::SetRange(int col, int row, int colMax, int rowMax) {
  MoveTo({true, col, row, colMax, rowMax});
}

void TSCGCellParam::MoveTo(const Place& p) {
  // Checked before anything changes, so a refused value leaves the old one.
  if (p.col < 0)
    throw GridRangeError(DisplayName() + QStringLiteral(".Col の値が 0 を下まわりました"));
  if (p.row < 0)
    throw GridRangeError(DisplayName() + QStringLiteral(".Row の値が 0 を下まわりました"));
  if (p.range && !owner_.Loading() && (p.colMax < p.col || p.rowMax < p.row)) {
    throw GridRangeError(QStringLiteral("範囲が不正です"));
  }
  const Place old = CurrentPlace();
  rangeEnabled_ = p.range;
  col_ = p.col;
  row_ = p.row;
  colMax_ = p.colMax;
  rowMax_ = p.rowMax;
  owner_.RemoveFromIndex(this, old.range, old.col, old.row);
  owner_.AddToIndex(this);
  Changed();
}

bool TSCGCellParam::Matches(int col, int row) const {
  if (rangeEnabled_) return col_ <= col && col <= colMax_ && row_ <= row && row <= rowMax_;
  return col == col_ && row == row_;
}

QString TSCGCellParam::DisplayName() const {
  return QString::asprintf("%s (%3d,%3d)-(%3d,%3d)", qUtf8Printable(name_), col_, row_, colMax_,
                           rowMax_);
}

// --------------------------------------------------------------- collection

TSCGCellParams::TSCGCellParams(CellParamHost* host) : host_(host) {}

TSCGCellParams::~TSCGCellParams() = default;

TSCGCellParams::Key TSCGCellParams::KeyOf(int col, int row) {
  return (static_cast<Key>(static_cast<unsigned>(col)) << 32) | static_cast<unsigned>(row);
}

TSCGCellParam& TSCGCellParams::Add() {
  const GridOptions options = host_ ? host_->StoredOptions() : DefaultGridOptions();
  items_.push_back(std::unique_ptr<TSCGCellParam>(new TSCGCellParam(*this, Count(), options)));
  TSCGCellParam* item = items_.back().get();
  AddToIndex(item);
  Changed();
  return *item;
}

void TSCGCellParams::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  items_.erase(items_.begin() + index);
  for (int i = index; i < Count(); ++i) items_[i]->index_ = i;
  RebuildIndex();
  Changed();
}

void TSCGCellParams::Clear() {
  singles_.clear();
  ranges_.clear();
  items_.clear();
  Changed();
}

namespace {

void InsertByIndex(std::vector<TSCGCellParam*>& list, TSCGCellParam* item) {
  const auto at = std::lower_bound(
      list.begin(), list.end(), item,
      [](const TSCGCellParam* a, const TSCGCellParam* b) { return a->Index() < b->Index(); });
  list.insert(at, item);
}

void Erase(std::vector<TSCGCellParam*>& list, const TSCGCellParam* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

void TSCGCellParams::AddToIndex(TSCGCellParam* item) {
  if (item->RangeEnabled()) {
    InsertByIndex(ranges_, item);
  } else {
    InsertByIndex(singles_[KeyOf(item->Col(), item->Row())], item);
  }
}

void TSCGCellParams::RemoveFromIndex(TSCGCellParam* item, bool range, int col, int row) {
  if (range) {
    Erase(ranges_, item);
    return;
  }
  const auto it = singles_.find(KeyOf(col, row));
  if (it == singles_.end()) return;
  Erase(it->second, item);
  if (it->second.empty()) singles_.erase(it);
}

void TSCGCellParams::RebuildIndex() {
  singles_.clear();
  ranges_.clear();
  for (const auto& item : items_) AddToIndex(item.get());
}

TSCGCellParam* TSCGCellParams::Find(int col, int row) const {
  TSCGCellParam* best = nullptr;
  if (const auto it = singles_.find(KeyOf(col, row)); it != singles_.end()) {
    best = it->second.back();
  }
  for (auto it = ranges_.rbegin(); it != ranges_.rend(); ++it) {
    if (best && (*it)->Index() < best->Index()) break;
    if ((*it)->Matches(col, row)) return *it;
  }
  return best;
}

void TSCGCellParams::RenameFontReferences(const QString& from, const QString& to) {
  for (const auto& item : items_) {
    if (item->fontName_ == from) item->fontName_ = to;
  }
  Changed();
}

void TSCGCellParams::ClearFontReferences(const QString& name) {
  for (const auto& item : items_) {
    if (item->fontName_ == name) item->fontName_.clear();
  }
  Changed();
}

// --------------------------------------------------------------------- font

TSCGCellFont::TSCGCellFont(TSCGCellFonts& owner, QString name, QFont font)
    : owner_(owner), name_(std::move(name)), font_(std::move(font)) {}

void TSCGCellFont::SetFont(const QFont& value) {
  font_ = value;
  owner_.Changed();
}

void TSCGCellFont::SetName(const QString& value) {
  if (value.isEmpty()) throw GridRangeError(QStringLiteral("フォント名は空にできません"));
  if (value == name_) return;
  if (owner_.Find(value)) {
    throw GridRangeError(QStringLiteral("このフォント名はすでに使用されています"));
  }
  const QString old = name_;
  name_ = value;
  owner_.Renamed(old, value);
}

QString TSCGCellFont::DisplayName() const {
  const int size = font_.pointSize() > 0 ? font_.pointSize() : font_.pixelSize();
  return QString::asprintf("%s( %s, %d )", qUtf8Printable(name_), qUtf8Printable(font_.family()),
                           size);
}

TSCGCellFonts::TSCGCellFonts(CellParamHost* host) : host_(host) {}

TSCGCellFonts::~TSCGCellFonts() = default;

TSCGCellFont& TSCGCellFonts::Add() {
  // After a deletion the count alone could repeat a name that is still used.
  int number = Count() + 1;
  QString name;
  do {
    name = QStringLiteral("フォント") + QString::number(number++);
  } while (Find(name));
  const QFont font = host_ ? host_->GridFont() : QFont();
  items_.push_back(std::unique_ptr<TSCGCellFont>(new TSCGCellFont(*this, name, font)));
  return *items_.back();
}

void TSCGCellFonts::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  const QString name = items_[index]->Name();
  items_.erase(items_.begin() + index);
  if (params_) params_->ClearFontReferences(name);
  Changed();
}

void TSCGCellFonts::Clear() {
  while (Count() > 0) Delete(Count() - 1);
}

const TSCGCellFont* TSCGCellFonts::Find(const QString& name) const {
  for (const auto& item : items_) {
    if (item->Name() == name) return item.get();
  }
  return nullptr;
}

void TSCGCellFonts::Renamed(const QString& from, const QString& to) {
  if (params_) params_->RenameFontReferences(from, to);
  Changed();
}

}  // namespace kelvane
