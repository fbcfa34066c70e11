#pragma once
// What the layout document needs from the window that holds the settings:
// the controls' values, read when an item is set or the header lines are
// rebuilt, and the preview to refresh after an item changed. The main window
// implements it; tests implement it with plain values. Texts are cp932 bytes,
// numeric edits give their text as displayed.

#include <QByteArray>

namespace kelvane {

class LayoutHost {
 public:
  virtual ~LayoutHost() = default;

  // Line 1: the style title (label "スタイル名").
  [[nodiscard]] virtual QByteArray styleTitle() const = 0;

  // Line 2: printing and preview settings.
  [[nodiscard]] virtual QByteArray offsetXText() const = 0;           // 全体位置調整X(mm)
  [[nodiscard]] virtual QByteArray offsetYText() const = 0;           // 全体位置調整Y(mm)
  [[nodiscard]] virtual QByteArray lineWeightOffsetText() const = 0;  // hidden label, "1"
  [[nodiscard]] virtual int previewMode() const = 0;                  // 0 or 1
  [[nodiscard]] virtual int paperSizeCode() const = 0;                // Windows paper number
  [[nodiscard]] virtual int landscapeFlag() const = 0;
  [[nodiscard]] virtual int splitterPosition() const = 0;  // left pane width, pixels
  [[nodiscard]] virtual int zoomPercent() const = 0;       // 10..100
  [[nodiscard]] virtual int paperSourceCode() const = 0;
  [[nodiscard]] virtual int paperListIndex() const { return -1; }
  [[nodiscard]] virtual QByteArray paperListText() const { return {}; }

  // Line 3: receipt size and flags.
  [[nodiscard]] virtual QByteArray receiptWidthText() const = 0;   // 領収書のサイズX(mm)
  [[nodiscard]] virtual QByteArray receiptHeightText() const = 0;  // 領収書のサイズY(mm)
  [[nodiscard]] virtual bool yenMark() const = 0;                  // 領収金額に\をつける
  [[nodiscard]] virtual bool dashMark() const = 0;     // 領収金額末に－をつける
  [[nodiscard]] virtual bool autoDate() const = 0;     // 自動的に日付を入れる
  [[nodiscard]] virtual bool kanjiAmount() const = 0;  // 金額を漢数字にする

  // Line 4: the current issue-list file, full path.
  [[nodiscard]] virtual QByteArray registerPath() const = 0;

  // Line 5: automatic numbering.
  [[nodiscard]] virtual QByteArray numberHeader() const = 0;  // 自動連番ﾍｯﾀﾞｰ
  [[nodiscard]] virtual QByteArray digitCount() const = 0;    // 桁設定
  [[nodiscard]] virtual QByteArray lastNumber() const = 0;    // 最終番号

  // Redraws the preview from the document.
  virtual void RefreshPreview() = 0;
};

}  // namespace kelvane
