#pragma once
// The register list: a receipt register shown as a table, one row per
// receipt in file order. A receipt picked from it goes back into the main
// window's form; the list can also open, create and save register files and
// export them as CSV.

#include "receipt/receipt.h"
#include "receipt/register_filter.h"
#include "receipt/register_history.h"
#include "receipt/register_view.h"

#include <QDate>
#include <QDialog>
#include <QPointer>

#include <functional>
#include <optional>

class QAction;
class QHBoxLayout;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QVBoxLayout;

namespace kelvane {

class TSCGCellParam;
class MonthlyTotalsWindow;
class RegisterFindBar;
class TStrColGrid;

// A receipt taken from the list, every field already read.
struct ReopenedReceipt {
  Receipt receipt;
  QByteArray line;  // the register line it was read from, byte for byte
};

// The file dialogs and the question of the list; tests put answers here.
struct ViewerDialogs {
  enum class Purpose { OpenRegister, NewRegister, SaveRegisterAs, ExportCsv };
  // A file name, or empty when cancelled; `proposed` is the name to start with.
  std::function<QString(QWidget* parent, Purpose purpose, const QString& proposed)> chooseFile;
  // "タイトル行を入れますか？": true for Yes.
  std::function<bool(QWidget* parent)> includeTitleRow;
  // Opens a kept copy with the desktop's PDF program; what to say when it
  // did not open, empty when it did.
  std::function<QString(const QString& pdf)> openCopy;
};
[[nodiscard]] ViewerDialogs DesktopViewerDialogs();

class Tfreglist : public QDialog {
  Q_OBJECT

 public:
  explicit Tfreglist(const QString& registerPath, QWidget* parent = nullptr);
  ~Tfreglist() override;

  TStrColGrid* StrColGrid1 = nullptr;
  QLabel* pathPanel = nullptr;  // the status bar's last panel: the file shown
  ViewerDialogs dialogs = DesktopViewerDialogs();

  [[nodiscard]] QString viewerPath() const;
  // The receipt taken by the last successful datasel.
  [[nodiscard]] const std::optional<ReopenedReceipt>& picked() const { return picked_; }

  void disp_clear();
  void file_read(const QString& path);
  // Takes the selected row's receipt and closes; a row that cannot be read
  // says why and keeps the list open.
  void datasel();
  void display_read();
  void display_write();
  void N5Click();    // a new, empty register file
  void N6Click();    // the rows shown, saved as another register file
  void N7Click();    // another register file shown
  void CSV1Click();  // the rows as a CSV file

  // The history of the register (its ".log" file): the changes of the
  // selected receipt's lines in a small window, and the deleted receipts
  // shown after the register's rows, greyed and marked "削除済み".
  QAction* historyAction = nullptr;      // "変更履歴"
  QAction* showDeletedAction = nullptr;  // "削除済みも表示", checkable
  QAction* deleteAction = nullptr;       // "この領収書を削除"
  QAction* restoreAction = nullptr;      // "削除済みの領収書を元に戻す"
  QAction* openCopyAction = nullptr;     // "控えPDFを開く"
  void openCopy();
  void showHistory();
  void deleteSelected();
  void restoreSelected();
  [[nodiscard]] bool isDeletedRow(int r) const;
  // ---- search, sort and totals
  RegisterFindBar* findBar = nullptr;  // the search fields above the grid
  QLabel* totalsPanel = nullptr;       // the count and sums of the rows shown
  QPushButton* monthlyButton = nullptr;
  // The rows the search fields ask for, in the order chosen, with their totals.
  void showMatchingRows();
  // A click on a column's title: sorted by it, a second click reverses.
  void sortByColumn(int col);
  // The monthly totals of the rows shown, in a window of their own.
  void showMonthlyTotals();
  [[nodiscard]] MonthlyTotalsWindow* monthlyTotalsWindow() const;
  // The index in file order of the line grid row `r` shows, or -1.
  [[nodiscard]] int lineIndexOfRow(int r) const;

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void buildWindow();
  void buildMenus(QMenuBar* bar);
  void setUpGrid();
  void placeWindow();
  void saveWindowPlace();
  [[nodiscard]] RegisterRow row(int r) const;
  [[nodiscard]] Expected<ReopenedReceipt> readRow(int r) const;
  void say(const QString& message);
  void buildHistoryMenu(QMenu* menu);
  void setUpHistoryContextMenu();
  void reloadRows();
  void loadDeletedReceipts();
  void appendDeletedRows();
  [[nodiscard]] QByteArray numberAt(int r) const;
  void buildFindBar(QVBoxLayout* column);
  void buildTotalsStrip(QHBoxLayout* bottom);
  void takeHeaderClicks();
  bool eventFilter(QObject* watched, QEvent* event) override;
  void fillGrid(int selected);
  void showTitles();
  void showTotals();

  // The lines of the file shown, byte for byte, in file order: saving as
  // another file copies them, never the cells.
  QList<QByteArray> lines_;
  // The file's rows with their search keys, and the ones shown: grid row r
  // shows line shownLines_[r - 1].
  RegisterIndex index_;
  QList<int> shownLines_;
  int sortColumn_ = 0;  // 0: file order
  bool sortDescending_ = false;
  QPointer<MonthlyTotalsWindow> monthly_;
  std::optional<ReopenedReceipt> picked_;
  // The deleted receipts' last entries, one for each row after the lines'.
  QList<HistoryEntry> deleted_;
  QList<TSCGCellParam*> deletedLook_;  // grey, one a column
  bool shown_ = false;
};

}  // namespace kelvane
