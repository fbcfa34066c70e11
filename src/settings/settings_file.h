#pragma once
// The settings file "kelvane.conf": 24 lines "[KEY]=value", cp932, CR LF,
// then the keys this program added later, each only when its setting is not
// the default: an older file loads unchanged, and older readers pass over
// lines they do not know.
// The reader tells which keys a file set; the window puts them into the
// controls that hold the settings, and gives their state back for writing.

#include "text/expected.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace kelvane {

// The twelve check boxes and menu items the file keeps, in file order.
enum class ConfFlag {
  AutoDate,    // [AUTO_DATE]   自動的に日付を入れる
  AutoNumber,  // [AUTO_NUMBER] 自動的に番号を入れる
  TopMark,     // [TOP_MARK]    領収金額に\をつける
  EndMark,     // [END_MARK]    領収金額末に－をつける
  TabUse,      // [TAB_USE]     タブメニュ－を使用する
  AutoNew,     // [AUTO_NEW]    データ保存後新規作成状態にする
  AutoSave,    // [AUTO_SAVE]   印刷終了後、保存ダイアログを出す
  Kansuji,     // [KANSUJI]     金額を漢数字にする
  TitleUse,    // [TITLE_USE]   タイトルバーを表示する
  TopUse,      // [TOP_USE]     トップバーを使用する
  StatusUse,   // [STATUS_USE]  ステータスバーを表示する
  Zero,        // [ZERO]        金額0は表示しない
};
inline constexpr int kConfFlagCount = 12;

// What a settings file set; a key that is absent (or, for a flag, not
// written exactly "=true" or "=false") is empty and leaves its control alone.
struct ConfRead {
  std::optional<QByteArray> styleName;
  std::optional<QByteArray> dataName;  // the register file, full path
  std::optional<int> offsetX;          // whole millimetres; not whole reads 0
  std::optional<int> offsetY;
  std::optional<int> sizeX;
  std::optional<int> sizeY;
  std::optional<int> stylePreview;  // 1 when not a number
  std::optional<QByteArray> headerChar;
  std::optional<QByteArray> headerNumber;
  std::optional<QByteArray> lastNumber;
  std::optional<int> barAvrg;  // 70 when not a number; the slider clamps it
  std::array<std::optional<bool>, kConfFlagCount> flags;
  // After the 24 lines: the amounts by rate's 税込 / 税抜 and the rounding
  // of their tax, by name (cp932) as the receipt page shows them.
  std::optional<QByteArray> taxBasis;     // [TAX_BASIS]
  std::optional<QByteArray> taxRounding;  // [TAX_ROUNDING]
  // [ARCHIVE]: whether each receipt handed out is kept as a PDF beside the
  // register; only "=false" turns it off.
  std::optional<bool> archive;

  [[nodiscard]] std::optional<bool> flag(ConfFlag f) const { return flags[static_cast<int>(f)]; }
};

// The controls' state as the writer takes it: texts as the fields show them.
struct ConfWrite {
  QByteArray styleName;
  QByteArray dataName;
  QByteArray offsetXText;
  QByteArray offsetYText;
  QByteArray sizeXText;
  QByteArray sizeYText;
  int stylePreview = 0;
  QByteArray headerChar;
  QByteArray headerNumber;
  QByteArray lastNumber;
  int barAvrg = 70;
  std::array<bool, kConfFlagCount> flags{};
  // Written after the 24 lines when not empty; empty for the default.
  QByteArray taxBasis;
  QByteArray taxRounding;
  bool archive = true;  // written only when off

  void setFlag(ConfFlag f, bool on) { flags[static_cast<int>(f)] = on; }
};

[[nodiscard]] ConfRead ParseConf(const QList<QByteArray>& lines);
// Whether file lines are plainly no settings file: something is in them but
// no line starts with one of the file's keys and "=" (case and spacing as
// written). Such a file is kept aside rather than written over at close; a
// file with a single known key line, however damaged the rest, is read.
[[nodiscard]] bool IsUnrecognisedConf(const QList<QByteArray>& lines);
[[nodiscard]] QList<QByteArray> FormatConf(const ConfWrite& state);

// A missing file reads as no keys at all; an unreadable one is a failure.
[[nodiscard]] Expected<ConfRead> ReadConfFile(const QString& path);
[[nodiscard]] Expected<void> WriteConfFile(const QString& path, const ConfWrite& state);

// Puts the automatic-numbering keys of `state` ([HEADER_CHAR],
// [HEADER_NUMBER], [LAST_NUMBER]) into the file at once, leaving its other
// lines as they are, so that a crash after a recording does not give the
// last number again. A file that is not there is written whole.
[[nodiscard]] Expected<void> UpdateConfNumbering(const QString& path, const ConfWrite& state);

}  // namespace kelvane
