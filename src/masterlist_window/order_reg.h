#pragma once
// Tforderreg: the window of the four master lists. It shows one list as a
// numbered grid of 40 entries per tab, gives back the entry the user picks
// (a double-click, Enter or "選択実行") and registers an entry in place
// (Shift with the double-click or with Enter). Created once and shown
// modally for each use; every showing reads the list file again, every
// registration rewrites it whole.

#include "masterlist/master_list_file.h"

#include <QDialog>
#include <QPoint>
#include <QString>

#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QStatusBar;

namespace kelvane {

class TGradBox;
class TStrColGrid;
class TTabRows;

class Tforderreg : public QDialog {
  Q_OBJECT

 public:
  enum class Mode { Selection, Registration };

  // Pages of 40 entries: rows of the grid, tabs.
  static constexpr int kRows = 20;
  static constexpr int kTabs = 15;

  explicit Tforderreg(QWidget* parent = nullptr);

  // Set by the caller before a showing.
  MasterListKind kind = MasterListKind::Addressees;
  Mode mode = Mode::Selection;
  // The text exchanged with the caller: the field's text before a showing,
  // the picked or registered entry after it; a cancelled showing leaves it.
  QString picked_text;

  // Selection use: `current` into picked_text, the list shown modally; the
  // text for the field afterwards.
  QString selectFrom(MasterListKind listKind, const QString& current);
  // Registration use: the list shown modally without "選択実行".
  void registerInto(MasterListKind listKind);

  // The one-line input box of a registration: the text typed from
  // `initial`, nothing when cancelled. The desktop's box unless replaced.
  std::function<std::optional<QString>(QWidget* parent, const QString& caption,
                                       const QString& prompt, const QString& initial)>
      askText;
  // Says what went wrong with a list file. A message box unless replaced.
  std::function<void(QWidget* parent, const QString& message)> reportError;

  // Mode label, grid header and first tab for the kind and mode; the
  // folder and the list file (made when missing) read into memory and the
  // first page shown.
  void dataread();
  // The list file into memory; false (and a message) when it cannot be read.
  bool read2record();
  // The 20 rows of the grid for the tab now selected.
  void READRECORD();
  // The list in memory written to its file; false (and a message) on failure.
  bool datasave();

  // The list read last, entries 1 to 600.
  [[nodiscard]] const MasterList& records() const { return list_; }
  // The file the list came from and goes back to.
  [[nodiscard]] QString listPath() const { return path_; }
  // "basedata" in the program folder.
  [[nodiscard]] static QString listFolder();

  TGradBox* GradBox1 = nullptr;
  QLabel* modeLabel = nullptr;  // e.g. "宛名を選択して下さい", "摘要1登録"
  TTabRows* TabControl1 = nullptr;
  TStrColGrid* StrColGrid1 = nullptr;
  QPushButton* Button1 = nullptr;  // "選択実行"
  QPushButton* Button2 = nullptr;  // "キャンセル"
  QStatusBar* StatusBar1 = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  void buildTitle(QWidget* strip);
  void setHeader();
  void StrColGrid1DblClick();
  void Button1Click();
  // Picks or registers the entry of the pair that holds (col, row).
  void takeCell(int col, int row, Qt::KeyboardModifiers modifiers);
  void registerEntry(int number, const QString& shown);
  void report(const QString& message);

  MasterList list_;
  QString path_;
  bool listRead_ = false;           // false: a save could overwrite what was not read
  QPoint doubleClickCell_{-1, -1};  // (column, row) under the last double-click
  Qt::KeyboardModifiers doubleClickModifiers_;
};

}  // namespace kelvane
