#pragma once
// Building blocks the main window's pages share: the framed pane with its
// gradient header, the tool icons, the nudge cross, colour swatches and the
// editor of a "char" record used by the position and free text editors.

#include <QFrame>
#include <QIcon>
#include <QString>

#include <array>
#include <initializer_list>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvane {

class TIconButton;
class TNValEdit;
class TNValEditC;
class TPictButton;
class TGradBox;

// Pane heights stay within this so that every page fits the page control.
inline constexpr int kPaneHeight = 228;

// A framed pane: a gradient header with the pane's title (and room for the
// "Page+1" arrows at its right) above the pane's body.
class PaneBox : public QFrame {
  Q_OBJECT

 public:
  explicit PaneBox(const QString& title, QWidget* parent = nullptr);

  [[nodiscard]] QLabel* titleLabel() const { return title_; }
  [[nodiscard]] QWidget* body() const { return body_; }
  // Adds `widget` to the header's right end.
  void addHeaderWidget(QWidget* widget);

 private:
  TGradBox* header_ = nullptr;
  QHBoxLayout* headerRow_ = nullptr;
  QLabel* title_ = nullptr;
  QWidget* body_ = nullptr;
};

// The pictures the program draws for its tool buttons (32 × 32).
enum class ToolIcon { Preview, PaperSetup, Print, Exit, Apply, Reset, Clear, Picture };
[[nodiscard]] QIcon DrawToolIcon(ToolIcon kind);

// A bevelled tool button in the pages' style (bsIELike, palette background).
[[nodiscard]] TIconButton* MakeToolButton(QWidget* parent, const QString& name, ToolIcon icon,
                                          const QString& hint, int size = 30);

// The four small arrows that step a position by 0.1, 1 or 10 mm.
struct NudgeButtons {
  TPictButton* up = nullptr;
  TPictButton* down = nullptr;
  TPictButton* left = nullptr;
  TPictButton* right = nullptr;
  QWidget* cross = nullptr;  // the four laid out as a cross
};
[[nodiscard]] NudgeButtons MakeNudgeButtons(QWidget* parent, const QString& upName,
                                            const QString& downName, const QString& leftName,
                                            const QString& rightName);

// A small panel painted in `colour`.
[[nodiscard]] QLabel* MakeSwatch(QWidget* parent, const QString& name, const QColor& colour);
// Millimetre measure edit: decimals as typed, zero shown as "0".
[[nodiscard]] TNValEdit* MakeMeasureEdit(QWidget* parent, const QString& name, int width = 64);
// A sunken label that shows a value.
[[nodiscard]] QLabel* MakeValueLabel(QWidget* parent, const QString& name, const QString& text);

// The controls of one "char" record; the text field only when named.
struct TextRecordEditor {
  QCheckBox* previewOnly = nullptr;   // "プレビュ－のみ"
  QCheckBox* vertical = nullptr;      // "縦書き"
  TNValEdit* x = nullptr;             // "位置(X mm)"
  TNValEdit* y = nullptr;             // "位置(Y mm)"
  QLabel* fontName = nullptr;         // "フォント名"
  QLabel* fontSize = nullptr;         // "文字サイズ"
  QLabel* decoration = nullptr;       // "修　　飾"
  QPushButton* fontButton = nullptr;  // "選択"
  TNValEditC* spacing = nullptr;      // "文字間(mm)"
  QLabel* swatch = nullptr;           // "フォント色"
  NudgeButtons nudge;
  TIconButton* apply = nullptr;
  TIconButton* reset = nullptr;
  QLineEdit* text = nullptr;  // "文字関係"
  QGridLayout* grid = nullptr;
  // The width the text is kept within and its place in it; empty: none.
  TNValEdit* fitWidth = nullptr;  // "幅(mm)"
  QComboBox* fitAlign = nullptr;  // "配置": 左, 右, 中央 in TextAlign order
};
struct TextRecordNames {
  QString previewOnly, vertical, x, y, fontButton, spacing, swatch;
  QString up, down, left, right, apply, reset;
  QString text;  // empty: the editor keeps the text itself and shows none
  QString fitWidth, fitAlign;
};
[[nodiscard]] TextRecordEditor BuildTextRecordEditor(QWidget* body, const TextRecordNames& names);

// The captions of the company information items, lines 228 to 238 and
// 登録番号 (line 267), in the order of slotmap::companyLine.
[[nodiscard]] const std::array<QString, 12>& CompanyInfoCaptions();

// Disables each control: their behaviour is wired in a later step, and a
// control that looks alive but does nothing would mislead the user.
void DisableControls(std::initializer_list<QWidget*> controls);

}  // namespace kelvane
