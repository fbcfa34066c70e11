#pragma once
// The two text editors of the style: the position editor "位置調整" on the
// page "自社情報＆印字位置" places the company information and the receipt
// fields (lines 228 to 266, and 267 to 275 after them: 登録番号 and the
// amounts and taxes by rate) and keeps their texts; the free text editor
// "設　定" on the page "文字関係" edits the 100 free text slots of the list
// StrColGrid3. Also the company information labels of the page "自社情報",
// the list's operations (its pop-up menu, the main menu's "文字関係設定",
// dragging a row) and the font and colour dialogs of both editors.
// Both editors also keep a text's width and alignment (幅(mm), 配置),
// which live in the layout's fit records, not in the text record.
// Every change goes into the layout at once and the preview is redrawn.

#include "app/editor_tools.h"
#include "styles/text_record.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace kelvane {

class CompanyInfoPage;
class PositionsPage;
class TextsPage;
class TIconButton;
class TNValEdit;
class TNValEditC;
class TPictButton;

class TextItemEditors : public QObject {
  Q_OBJECT

 public:
  TextItemEditors(PositionsPage& positions, TextsPage& texts, CompanyInfoPage& company,
                  EditorTools tools);

  // ---- the position editor
  // The layout line of the selected item; 0 while nothing is selected.
  [[nodiscard]] int positionLine() const { return positionLine_; }
  // The selected item's text, taken at selection and written back by apply.
  [[nodiscard]] const QByteArray& heldText() const { return heldText_; }
  // A click on the caption of item `item` (its line less 140).
  void where01Click(int item);
  // A click on the company information label of `line` (228 to 238, or
  // 登録番号 at 267): the item is selected and, when it has been placed, its
  // text asked for. A registration number is kept as "T" and 13 digits: a
  // text of another shape is refused and a number that fails the corporate
  // check digit asked about; refused or not confirmed, the old number stays.
  void data228Click(int line);
  void ApplyPositionItem();
  void ResetPositionItem();
  void choosePositionFont();
  void choosePositionColour();
  void nudgePosition(NudgeDirection direction, Qt::KeyboardModifiers modifiers);

  // ---- the free text editor
  // The layout line of the selected slot; 0 while nothing is selected.
  [[nodiscard]] int textLine() const { return textLine_; }
  // Selects list row `row` (1 to 100) into the editor.
  void StrColGrid3Click(int row);
  // Row `row` highlighted in the list and into the free text editor.
  void PickTextRow(int row);
  void ApplyTextItem();
  void ResetTextItem();
  void chooseTextFont();
  void chooseTextColour();
  void nudgeText(NudgeDirection direction, Qt::KeyboardModifiers modifiers);

  // ---- the free text list, on the list's current row
  void InsertTextRow();
  void ExchangeTextRow();
  void DeleteTextRow();
  // Row `from` was dragged onto row `to`: the two slots are exchanged.
  void StrColGrid3RowMoved(int from, int to);
  // Column 1 of every row from the layout.
  void RebuildTextList();
  // The row the list highlights into the editor, when it edits a row.
  void showHighlightedRow();
  // Both editors read their selected record again (after an undo or redo);
  // nothing is asked and nothing written.
  void showDocumentAgain();

  // The list's pop-up menu: "一行挿入", "交　換", "選択中の行を削除".
  QMenu* textListMenu = nullptr;
  QAction* N52 = nullptr;
  QAction* N53 = nullptr;
  QAction* N54 = nullptr;

  // The controls of one editor.
  struct Controls {
    QCheckBox* previewOnly = nullptr;
    QCheckBox* vertical = nullptr;
    TNValEdit* x = nullptr;
    TNValEdit* y = nullptr;
    QLabel* fontName = nullptr;
    QLabel* fontSize = nullptr;
    QLabel* decoration = nullptr;
    QPushButton* fontButton = nullptr;
    TNValEditC* spacing = nullptr;
    QLabel* swatch = nullptr;
    TPictButton* up = nullptr;
    TPictButton* down = nullptr;
    TPictButton* left = nullptr;
    TPictButton* right = nullptr;
    TIconButton* apply = nullptr;
    TIconButton* reset = nullptr;
    QLineEdit* text = nullptr;  // the free text editor only
    TNValEdit* fitWidth = nullptr;
    QComboBox* fitAlign = nullptr;
  };

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void enableControls();
  void connectPositionEditor();
  void connectTextEditor();
  void connectList();
  void connectCaptions();

  // Reset values: X, Y and spacing 0, font name and decoration empty, the
  // size `size`.
  static void resetControls(const Controls& c, const QString& size);
  static void fillControls(const Controls& c, const TextRecordValues& values);
  [[nodiscard]] static TextRecordEntry entryOf(const Controls& c);
  enum class Selection { Filled, NotText, Unreadable };
  // Reads the record at `line` into the editor (the free text editor's text
  // field, or the held text). A slot without a text record fills nothing; a
  // record that cannot be read is said in a message naming `what`.
  Selection readInto(const Controls& c, int line, const QString& what);
  // The item at `line` into the position editor, from cleared controls.
  Selection showPositionItem(int line, const QString& what);
  // The width and alignment of `line` (text_fit.h), shown or written; a
  // width of 0 or none takes the line's width away.
  void showFit(const Controls& c, int line);
  void writeFit(const Controls& c, int line);
  // Font name and size as `record` holds them, defaults included.
  static void showWritten(const Controls& c, const QByteArray& record);
  // The font dialog for an editor; false when the command ended before the
  // dialog opened.
  bool chooseFont(const Controls& c, bool strictSize);
  bool chooseColour(const Controls& c);
  void nudge(const Controls& c, NudgeDirection direction, Qt::KeyboardModifiers modifiers);
  void sayNothingSelected();
  // The typed registration number as kept, or nothing when it is refused
  // or the user keeps the old one.
  std::optional<QString> acceptedRegistrationNumber(const QString& typed);
  // A list operation on the list's current row as the undo step `name`.
  void rowCommand(bool (*operation)(LayoutDocument&, int), const QString& name);

  PositionsPage& positions_;
  TextsPage& texts_;
  CompanyInfoPage& company_;
  EditorTools tools_;
  Controls position_;
  Controls text_;
  int positionLine_ = 0;
  QByteArray heldText_;
  int textLine_ = 0;
  QLabel* pressedCaption_ = nullptr;
};

}  // namespace kelvane
