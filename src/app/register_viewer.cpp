#include "app/register_viewer.h"

#include "app/info_tools.h"
#include "app/message_boxes.h"
#include "app/pages/page_parts.h"
#include "app/register_commands.h"
#include "app/register_find_bar.h"
#include "app/settings_store.h"
#include "printing/receipt_archive.h"
#include "receipt/amount_text.h"
#include "receipt/register_file.h"
#include "settings/column_widths_file.h"
#include "settings/program_folder.h"
#include "settings/window_geometry.h"
#include "text/layout_text.h"
#include "text/line_file.h"
#include "widgets/icon_button.h"
#include "widgets/scg_cell_param.h"
#include "widgets/str_col_grid.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kelvane {

namespace {

static_assert(kColumnWidthCount == kRegisterColumns, "display.dat keeps every column's width");

constexpr char kViewerSection[] = "freglist";
constexpr QSize kDesignSize(908, 566);
constexpr int kRowHeight = 17;
const QColor kFixedColour(128, 128, 192);

// The CSV file name stays from one export to the next while the program runs.
QString& lastCsvName() {
  static QString name;
  return name;
}

QString fileFilter(ViewerDialogs::Purpose purpose) {
  return purpose == ViewerDialogs::Purpose::ExportCsv ? QStringLiteral("CSV (*.CSV)")
                                                      : QStringLiteral("領収書作成- (*.klv)");
}

QString suffixOf(ViewerDialogs::Purpose purpose) {
  return purpose == ViewerDialogs::Purpose::ExportCsv ? QStringLiteral("CSV")
                                                      : QStringLiteral("klv");
}

TIconButton* bottomButton(QWidget* parent, QHBoxLayout* row, const char* name, ToolIcon icon,
                          const QString& caption) {
  auto* column = new QVBoxLayout;
  column->setSpacing(1);
  TIconButton* button = MakeToolButton(parent, QString::fromLatin1(name), icon, caption, 36);
  auto* label = new QLabel(caption, parent);
  label->setAlignment(Qt::AlignHCenter);
  column->addWidget(button, 0, Qt::AlignHCenter);
  column->addWidget(label);
  row->addLayout(column);
  return button;
}

}  // namespace

ViewerDialogs DesktopViewerDialogs() {
  ViewerDialogs d;
  d.chooseFile = [](QWidget* parent, ViewerDialogs::Purpose purpose, const QString& proposed) {
    const bool open = purpose == ViewerDialogs::Purpose::OpenRegister;
    QFileDialog dialog(parent, QStringLiteral("ネムリカ"), proposed, fileFilter(purpose));
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffixOf(purpose));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
  };
  d.openCopy = [](const QString& pdf) {
    return NotOpenedText(OpenLocalDocument(pdf), QStringLiteral("領収書のPDF控え"), pdf);
  };
  d.includeTitleRow = [](QWidget* parent) {
    return QMessageBox::question(parent, QStringLiteral("ネムリカ"),
                                 QStringLiteral("タイトル行を入れますか？"),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
  };
  return d;
}

Tfreglist::Tfreglist(const QString& registerPath, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("freglist"));
  setWindowTitle(QStringLiteral("ネムリカ－Version2-"));
  setModal(true);
  buildWindow();
  setUpGrid();
  setUpHistoryContextMenu();
  pathPanel->setText(registerPath);
  placeWindow();
}

Tfreglist::~Tfreglist() = default;

void Tfreglist::buildWindow() {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  auto* bar = new QMenuBar(this);
  buildMenus(bar);
  column->setMenuBar(bar);

  auto* top = new QHBoxLayout;
  top->setContentsMargins(6, 4, 6, 4);
  auto* title = new QLabel(QStringLiteral("ネムリカ-XP版-"), this);
  title->setStyleSheet(QStringLiteral("font-weight: bold;"));
  top->addWidget(title);
  top->addStretch(1);
  top->addWidget(new QLabel(QStringLiteral("Quillmark"), this));
  column->addLayout(top);

  auto* strip = new QHBoxLayout;
  strip->setContentsMargins(6, 0, 6, 4);
  strip->setSpacing(10);
  auto* choose = new QPushButton(QStringLiteral("ファイル指定"), this);
  choose->setObjectName(QStringLiteral("user_sel"));
  connect(choose, &QPushButton::clicked, this, &Tfreglist::N7Click);
  strip->addWidget(choose);
  strip->addWidget(new QLabel(QStringLiteral("領収書発行リスト"), this));
  strip->addStretch(1);
  column->addLayout(strip);
  buildFindBar(column);

  StrColGrid1 = new TStrColGrid(this);
  StrColGrid1->setObjectName(QStringLiteral("StrColGrid1"));
  column->addWidget(StrColGrid1, 1);

  auto* bottom = new QHBoxLayout;
  bottom->setContentsMargins(6, 4, 10, 4);
  buildTotalsStrip(bottom);
  bottom->addStretch(1);
  TIconButton* take =
      bottomButton(this, bottom, "IconButton3", ToolIcon::Apply, QStringLiteral("選択実行"));
  TIconButton* exit =
      bottomButton(this, bottom, "IconButton13", ToolIcon::Exit, QStringLiteral("Exit"));
  connect(take, &TIconButton::clicked, this, &Tfreglist::datasel);
  connect(exit, &TIconButton::clicked, this, &QDialog::reject);
  column->addLayout(bottom);

  auto* status = new QStatusBar(this);
  status->setSizeGripEnabled(false);
  auto* first = new QLabel(status);
  first->setMinimumWidth(80);
  pathPanel = new QLabel(status);
  status->addWidget(first);
  status->addWidget(pathPanel, 1);
  column->addWidget(status);
}

void Tfreglist::buildMenus(QMenuBar* bar) {
  QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
  connect(file->addAction(QStringLiteral("新規領収書発行リストファイルを作成")),
          &QAction::triggered, this, &Tfreglist::N5Click);
  connect(file->addAction(QStringLiteral("現在の発行リストファイルを別名で保存")),
          &QAction::triggered, this, &Tfreglist::N6Click);
  connect(file->addAction(QStringLiteral("領収書発行リストファイルを読み込む")),
          &QAction::triggered, this, &Tfreglist::N7Click);
  file->addSeparator();
  QAction* quit = file->addAction(QStringLiteral("終　了"));
  quit->setShortcut(QKeySequence(Qt::Key_End));
  connect(quit, &QAction::triggered, this, &QDialog::reject);
  QMenu* output = bar->addMenu(QStringLiteral("外部デ－タ出力(&O)"));
  connect(output->addAction(QStringLiteral("CSVファイルに出力")), &QAction::triggered, this,
          &Tfreglist::CSV1Click);
  buildHistoryMenu(bar->addMenu(QStringLiteral("履歴(&H)")));
  QMenu* info = bar->addMenu(QStringLiteral("Information(&I)"));
  QAction* manual = info->addAction(QStringLiteral("取扱説明書"));
  manual->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F1));
  connect(manual, &QAction::triggered, this, [this] {
    const QString failure =
        NotOpenedText(OpenLocalDocument(ManualPath()), QStringLiteral("取扱説明書"), ManualPath());
    if (!failure.isEmpty()) say(failure);
  });
}

// Titles in white on the fixed colour, amounts right-aligned, texts left,
// number and date centred: one parameter per column serves every row.
void Tfreglist::setUpGrid() {
  TStrColGrid* g = StrColGrid1;
  g->SetColCount(kRegisterColumns);
  g->SetRowCount(2);
  g->SetFixedRows(1);
  g->SetFixedCols(1);
  g->SetDefaultRowHeight(kRowHeight);
  g->SetFixedColor(kFixedColour);
  g->SetAlignment(TAlignment::Center);
  g->SetOptions(DefaultGridOptions() | GridOption::RowSelect | GridOption::ColSizing);
  TSCGCellParam& titles = g->CellParams().Add();
  titles.SetRange(0, 0, kRegisterColumns - 1, 0);
  titles.SetFontColor(Qt::white);
  titles.SetFontColorEnabled(true);
  titles.SetAlignment(TAlignment::Center);
  for (int col = 3; col < kRegisterColumns; ++col) {
    TSCGCellParam& p = g->CellParams().Add();
    p.SetRange(col, 1, col, std::numeric_limits<int>::max());
    const bool right = IsAmountColumn(col) || col == 7;
    p.SetAlignment(right ? TAlignment::RightJustify : TAlignment::LeftJustify);
  }
  const ColumnWidths widths = DesignColumnWidths();
  for (int col = 0; col < kRegisterColumns; ++col) g->SetColWidths(col, widths[col]);
  const RegisterRow& names = RegisterTitles();
  g->SetRowTexts(0, QStringList(names.begin(), names.end()));
  connect(g, &TStrColGrid::DblClick, this, &Tfreglist::datasel);
  takeHeaderClicks();
}

void Tfreglist::placeWindow() {
  const QRect work = screen() ? screen()->availableGeometry() : QRect(0, 0, 1280, 800);
  auto ini = IniFile::load(ProgramFile(WindowFileName()));
  const QRect frame =
      RestoreWindowGeometry(ini ? *ini : IniFile{}, work, kViewerSection, kDesignSize);
  move(frame.topLeft());
  resize(frame.size());
}

// Kept for the next opening of the list.
void Tfreglist::saveWindowPlace() {
  const QString path = ProgramFile(WindowFileName());
  auto ini = IniFile::load(path);
  if (!ini) return;  // an unreadable window file is not replaced
  StoreWindowGeometry(*ini, QRect(pos(), size()), kViewerSection);
  if (auto saved = ini->save(path); !saved) say(saved.error());
}

QString Tfreglist::viewerPath() const { return pathPanel->text(); }

void Tfreglist::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shown_) return;
  shown_ = true;
  display_read();
  disp_clear();
  if (!QFileInfo::exists(viewerPath())) {
    const QString missing = viewerPath();
    pathPanel->setText(ProgramFile(QString::fromLatin1(kDefaultRegisterName)));
    // The list must not pass off another register as the one in use.
    if (!missing.isEmpty() && missing != viewerPath()) {
      say(QStringLiteral("領収書発行リスト「%1」が見つかりません。\r\n「%2」を表示します。")
              .arg(QDir::toNativeSeparators(missing), QDir::toNativeSeparators(viewerPath())));
    }
  }
  file_read(viewerPath());
  StrColGrid1->setFocus();
}

void Tfreglist::done(int result) {
  display_write();
  saveWindowPlace();
  QDialog::done(result);
}

void Tfreglist::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    datasel();  // the keyboard's double click
    return;
  }
  QDialog::keyPressEvent(event);
}

void Tfreglist::disp_clear() {
  TStrColGrid* g = StrColGrid1;
  g->BeginUpdate();
  g->SetRowCount(2);
  g->SetRowTexts(1, QStringList(kRegisterColumns, QString()));
  g->EndUpdate();
  lines_.clear();
  deleted_.clear();
  index_ = RegisterIndex();
  shownLines_.clear();
  showTotals();
}

void Tfreglist::file_read(const QString& path) {
  if (path.isEmpty() || !QFileInfo::exists(path)) return;
  auto content = readWholeFile(path);
  if (!content) {
    say(content.error());
    return;
  }
  // The grid's cells share their texts with the index's rows.
  lines_ = splitLines(*content);
  index_ = RegisterIndex(*content, lines_);
  if (showDeletedAction->isChecked()) loadDeletedReceipts();
  showMatchingRows();
}

RegisterRow Tfreglist::row(int r) const {
  RegisterRow cells;
  const QStringList texts = StrColGrid1->RowTexts(r);
  for (int col = 0; col < kRegisterColumns && col < texts.size(); ++col) cells[col] = texts[col];
  return cells;
}

// Every cell is read before anything goes to the main window, so that a
// row that cannot be read changes nothing there. The receipt is read from
// the register line the row shows, not from its cells: the cells group the
// amounts and drop fractions of a yen, and recording the receipt again would
// record what they show rather than what was issued.
Expected<ReopenedReceipt> Tfreglist::readRow(int r) const {
  const QByteArray line = lines_.value(lineIndexOfRow(r));
  auto receipt = ReceiptFromRegisterRecord(ParseRegisterLine(line));
  if (!receipt) return Failure{receipt.error()};
  return ReopenedReceipt{*receipt, line};
}

void Tfreglist::datasel() {
  const int r = StrColGrid1->Selection().Top;
  if (r < 1 || r >= StrColGrid1->RowCount() || StrColGrid1->Cells(1, r).isEmpty()) return;
  if (isDeletedRow(r)) {
    say(QStringLiteral(
        "削除済みの領収書です。\r\n「削除済みの領収書を元に戻す」で戻してから開いてください。"));
    return;
  }
  auto receipt = readRow(r);
  if (!receipt) {
    say(receipt.error() + QStringLiteral("\r\nこの領収書は開けません。"));
    return;
  }
  picked_ = *receipt;
  accept();
}

void Tfreglist::display_read() {
  const QString path = ProgramFile(QString::fromLatin1(kColumnWidthsFileName));
  if (!QFileInfo::exists(path)) return;
  auto lines = readLineFile(path);
  if (!lines) return;  // the design widths stay
  ColumnWidths widths = DesignColumnWidths();
  ReadColumnWidths(*lines, widths);
  for (int col = 0; col < kRegisterColumns; ++col)
    StrColGrid1->SetColWidths(col, std::max(0, widths[col]));
}

void Tfreglist::display_write() {
  ColumnWidths widths{};
  for (int col = 0; col < kRegisterColumns; ++col) widths[col] = StrColGrid1->ColWidths(col);
  const auto written = writeLineFile(ProgramFile(QString::fromLatin1(kColumnWidthsFileName)),
                                     ColumnWidthsLines(widths));
  if (!written) say(written.error());
}

void Tfreglist::N5Click() {
  const QString path = dialogs.chooseFile(this, ViewerDialogs::Purpose::NewRegister, QString());
  if (path.isEmpty() || QFileInfo::exists(path)) return;
  if (auto created = writeFileAtomically(path, {}); !created) {
    say(created.error());
    return;
  }
  disp_clear();
}

void Tfreglist::N6Click() {
  const QString path = dialogs.chooseFile(this, ViewerDialogs::Purpose::SaveRegisterAs, QString());
  if (path.isEmpty()) return;
  // A copy of the register's lines as the rows show them, every byte kept.
  if (auto written = writeLineFile(path, lines_); !written) say(written.error());
}

void Tfreglist::N7Click() {
  const QString path = dialogs.chooseFile(this, ViewerDialogs::Purpose::OpenRegister, QString());
  if (path.isEmpty()) return;
  pathPanel->setText(path);
  disp_clear();
  file_read(path);
}

void Tfreglist::CSV1Click() {
  // Rows found or sorted: the whole register, or the rows as they are shown.
  QList<int> rows = index_.all();
  if (shownLines_ != rows) {
    const int choice = choice_box(
        QStringLiteral(
            "CSVファイルに出力する行を選んでください。\r\n表示中の行：%1件　発行リスト全体：%2件")
            .arg(shownLines_.size())
            .arg(rows.size()),
        QStringLiteral("表示中の行だけ"), QStringLiteral("発行リスト全体"),
        QStringLiteral("キャンセル"), this);
    if (choice == kBoxThirdButton) return;
    if (choice == kBoxFirstButton) rows = shownLines_;
  }
  const bool titles = dialogs.includeTitleRow(this);
  const QString path = dialogs.chooseFile(this, ViewerDialogs::Purpose::ExportCsv, lastCsvName());
  if (path.isEmpty()) return;
  lastCsvName() = path;
  QList<QByteArray> lines;
  if (titles) lines << CsvLineOfRow(RegisterTitles());
  for (const int i : rows)
    if (!index_.cells(i).value(1).isEmpty()) lines << CsvLineOfRow(index_.row(i));
  if (auto written = writeLineFile(path, lines); !written) say(written.error());
}

void Tfreglist::say(const QString& message) { info_box(message, QStringLiteral("確認"), this); }

// ---- the history of the register -------------------------------------------

namespace {

// The alignment of a body cell, as the grid has it for the register's rows.
TAlignment bodyAlignment(int col) {
  if (col < 3) return TAlignment::Center;
  return IsAmountColumn(col) || col == 7 ? TAlignment::RightJustify : TAlignment::LeftJustify;
}

// The row of the grey look while no deleted receipt is shown: none.
constexpr int kNoRow = std::numeric_limits<int>::max();

QString changedLine(const QByteArray& line) {
  return line.isEmpty() ? QStringLiteral("（なし）") : FromLayoutText(line);
}

}  // namespace

void Tfreglist::buildHistoryMenu(QMenu* menu) {
  historyAction = menu->addAction(QStringLiteral("変更履歴"));
  connect(historyAction, &QAction::triggered, this, &Tfreglist::showHistory);
  showDeletedAction = menu->addAction(QStringLiteral("削除済みも表示"));
  showDeletedAction->setCheckable(true);
  connect(showDeletedAction, &QAction::toggled, this, &Tfreglist::reloadRows);
  menu->addSeparator();
  deleteAction = menu->addAction(QStringLiteral("この領収書を削除"));
  deleteAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
  connect(deleteAction, &QAction::triggered, this, &Tfreglist::deleteSelected);
  restoreAction = menu->addAction(QStringLiteral("削除済みの領収書を元に戻す"));
  connect(restoreAction, &QAction::triggered, this, &Tfreglist::restoreSelected);
  menu->addSeparator();
  openCopyAction = menu->addAction(QStringLiteral("控えPDFを開く"));
  connect(openCopyAction, &QAction::triggered, this, &Tfreglist::openCopy);
}

// The last copy kept of the selected receipt as it was handed out.
void Tfreglist::openCopy() {
  const int r = StrColGrid1->Selection().Top;
  const int i = lineIndexOfRow(r);
  if (i < 0) return;
  const auto receipt = ReceiptFromRegisterRecord(ParseRegisterLine(lines_[i]));
  if (!receipt || !receipt->date) {
    say(QStringLiteral("この領収書の日付が読めないため、PDF控えを探せません。"));
    return;
  }
  const QStringList copies = ArchivedCopiesOf(viewerPath(), receipt->number, *receipt->date);
  if (copies.isEmpty()) {
    say(QStringLiteral("この領収書のPDF控えはありません。"));
    return;
  }
  if (const QString failure = dialogs.openCopy(copies.last()); !failure.isEmpty()) say(failure);
}

void Tfreglist::setUpHistoryContextMenu() {
  StrColGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(StrColGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu menu(this);
    menu.addAction(historyAction);
    menu.addAction(showDeletedAction);
    menu.addAction(openCopyAction);
    menu.addSeparator();
    const int r = StrColGrid1->Selection().Top;
    menu.addAction(isDeletedRow(r) ? restoreAction : deleteAction);
    menu.exec(StrColGrid1->viewport()->mapToGlobal(at));
  });
  // Grey for the deleted receipts' rows, each column aligned as the others.
  for (int col = 0; col < kRegisterColumns; ++col) {
    TSCGCellParam& p = StrColGrid1->CellParams().Add();
    p.SetRange(col, kNoRow, col, kNoRow);
    p.SetFontColor(Qt::gray);
    p.SetFontColorEnabled(true);
    p.SetAlignment(bodyAlignment(col));
    deletedLook_.append(&p);
  }
}

// The deleted receipts stand after the rows the search shows.
bool Tfreglist::isDeletedRow(int r) const {
  return r > shownLines_.size() && r - 1 - shownLines_.size() < deleted_.size();
}

QByteArray Tfreglist::numberAt(int r) const {
  if (isDeletedRow(r)) return deleted_[r - 1 - shownLines_.size()].number();
  const int i = lineIndexOfRow(r);
  return i < 0 ? QByteArray() : RegisterKeyOfLine(lines_[i]);
}

void Tfreglist::reloadRows() {
  const int top = StrColGrid1->Selection().Top;
  disp_clear();
  file_read(viewerPath());
  if (top < StrColGrid1->RowCount()) StrColGrid1->SetCurrentCell(1, top);
}

// The receipts whose last entry in the history is a deletion and whose
// number the register does not hold again.
void Tfreglist::loadDeletedReceipts() {
  deleted_.clear();
  auto history = ReadHistory(viewerPath());
  if (!history) {
    say(history.error());
    return;
  }
  QSet<QByteArray> keys;
  for (const QByteArray& line : lines_) keys.insert(RegisterKeyOfLine(line));
  deleted_ = DeletedReceipts(*history, keys);
}

// After the rows the search shows, each time the grid is filled; the
// history is read only when the register is.
void Tfreglist::appendDeletedRows() {
  for (TSCGCellParam* p : deletedLook_) p->SetRange(p->Col(), kNoRow, p->Col(), kNoRow);
  if (deleted_.isEmpty()) return;
  TStrColGrid* g = StrColGrid1;
  const int first = int(shownLines_.size()) + 1;
  const int last = first + int(deleted_.size()) - 1;
  g->BeginUpdate();
  g->SetRowCount(last + 1);
  for (int r = first; r <= last; ++r) {
    RegisterRow cells = RegisterLineCells(deleted_[r - first].before);
    cells[0] = QStringLiteral("削除済み");
    g->SetRowTexts(r, QStringList(cells.begin(), cells.end()));
  }
  g->EndUpdate();
  for (TSCGCellParam* p : deletedLook_) p->SetRange(p->Col(), first, p->Col(), last);
}

void Tfreglist::showHistory() {
  const QByteArray number = numberAt(StrColGrid1->Selection().Top);
  if (number.isEmpty()) return;
  auto history = ReadHistory(viewerPath());
  if (!history) {
    say(history.error());
    return;
  }
  const QList<HistoryEntry> entries = HistoryOfNumber(*history, number);
  auto* dialog = new QDialog(this);
  dialog->setObjectName(QStringLiteral("historyDialog"));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowTitle(QStringLiteral("変更履歴 - 番号 %1").arg(FromLayoutText(number)));
  auto* column = new QVBoxLayout(dialog);
  auto* table = new QTableWidget(int(entries.size()), 6, dialog);
  table->setObjectName(QStringLiteral("historyTable"));
  table->setHorizontalHeaderLabels({QStringLiteral("日時"), QStringLiteral("操作"),
                                    QStringLiteral("利用者"), QStringLiteral("変更前"),
                                    QStringLiteral("変更後"), QStringLiteral("控え")});
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  for (int r = 0; r < entries.size(); ++r) {
    const HistoryEntry& e = entries[r];
    const QStringList cells = {e.time,
                               HistoryActionName(e.action),
                               e.who,
                               changedLine(e.before),
                               changedLine(e.after),
                               CopyDescription(e)};
    for (int c = 0; c < cells.size(); ++c) table->setItem(r, c, new QTableWidgetItem(cells[c]));
  }
  table->resizeColumnsToContents();
  table->horizontalHeader()->setStretchLastSection(true);
  column->addWidget(new QLabel(entries.isEmpty()
                                   ? QStringLiteral("この番号の変更履歴はありません。")
                                   : QStringLiteral("古い順に表示しています。"),
                               dialog));
  column->addWidget(table, 1);
  auto* close = new QPushButton(QStringLiteral("閉じる"), dialog);
  connect(close, &QPushButton::clicked, dialog, &QDialog::close);
  column->addWidget(close, 0, Qt::AlignRight);
  dialog->resize(1000, 320);
  dialog->show();
}

void Tfreglist::deleteSelected() {
  const int r = StrColGrid1->Selection().Top;
  const QByteArray number = numberAt(r);
  if (number.isEmpty() || isDeletedRow(r)) return;
  QList<QByteArray> shown;
  for (const QByteArray& line : lines_)
    if (RegisterKeyOfLine(line) == number) shown.append(line);
  QString question = QStringLiteral("この領収書を削除していいですか?\r\n");
  for (const QByteArray& line : shown)
    question += QStringLiteral("\r\n") + DescribeRegisterLine(line);
  if (confirm_box(question, QStringLiteral("実行"), QStringLiteral("キャンセル"), this,
                  BoxDefault::Second) != kBoxFirstButton)
    return;
  // Only the lines the list shows go: lines of the number another copy of
  // the program added since are not deleted unseen.
  const auto change =
      ChangeRegister(viewerPath(), RegisterTempCopyPath(), number, {}, RegisterGuard{shown, true});
  if (!change) {
    say(change.error() + QStringLiteral("\r\n領収書発行リストは前の内容のままです。"));
  } else if (change->conflict) {
    say(
        QStringLiteral("この番号の記録は他のネムリカが変更しました。削除はしていません。\r\n"
                       "表示し直します。"));
  }
  reloadRows();
}

void Tfreglist::restoreSelected() {
  const int r = StrColGrid1->Selection().Top;
  if (!isDeletedRow(r)) return;
  const HistoryEntry entry = deleted_[r - 1 - shownLines_.size()];
  // Recorded again through the same change as any receipt: the history
  // gains a 登録 of the line as it was before its deletion.
  const auto change = ChangeRegister(
      viewerPath(), RegisterTempCopyPath(), entry.number(), [&](int) { return entry.before; },
      RegisterGuard{QList<QByteArray>{}, true});
  if (!change) {
    say(change.error() + QStringLiteral("\r\n領収書発行リストは前の内容のままです。"));
  } else if (change->conflict) {
    say(QStringLiteral("番号 %1 は領収書発行リストに記録されています。元には戻していません。")
            .arg(FromLayoutText(entry.number())));
  }
  reloadRows();
}

// ---- search, sort and totals

void Tfreglist::buildFindBar(QVBoxLayout* column) {
  findBar = new RegisterFindBar(this);
  connect(findBar, &RegisterFindBar::filterChanged, this, &Tfreglist::showMatchingRows);
  column->addWidget(findBar);
}

void Tfreglist::buildTotalsStrip(QHBoxLayout* bottom) {
  totalsPanel = new QLabel(this);
  totalsPanel->setObjectName(QStringLiteral("totalsPanel"));
  totalsPanel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // A narrow list cuts the sums short rather than refusing to be narrow.
  totalsPanel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  monthlyButton = new QPushButton(QStringLiteral("月別集計"), this);
  monthlyButton->setObjectName(QStringLiteral("monthlyButton"));
  monthlyButton->setAutoDefault(false);
  connect(monthlyButton, &QPushButton::clicked, this, &Tfreglist::showMonthlyTotals);
  bottom->addWidget(totalsPanel, 4);
  bottom->addSpacing(10);
  bottom->addWidget(monthlyButton, 0, Qt::AlignVCenter);
}

// The titles sort. A double click on a title only sorts by its clicks: it is
// not the choice of the selected row that a double click on a row is.
void Tfreglist::takeHeaderClicks() {
  QHeaderView* titles = StrColGrid1->horizontalHeader();
  titles->setSectionsClickable(true);
  connect(titles, &QHeaderView::sectionClicked, this,
          [this](int section) { sortByColumn(section + StrColGrid1->FixedCols()); });
  titles->viewport()->installEventFilter(this);
}

bool Tfreglist::eventFilter(QObject* watched, QEvent* event) {
  QHeaderView* titles = StrColGrid1 ? StrColGrid1->horizontalHeader() : nullptr;
  if (titles && watched == titles->viewport() && event->type() == QEvent::MouseButtonDblClick)
    return true;
  return QDialog::eventFilter(watched, event);
}

int Tfreglist::lineIndexOfRow(int r) const { return shownLines_.value(r - 1, -1); }

void Tfreglist::showMatchingRows() {
  const int selected = lineIndexOfRow(StrColGrid1->Row());
  shownLines_ = index_.matching(findBar->filter());
  if (sortColumn_ > 0) index_.sort(shownLines_, sortColumn_, sortDescending_);
  fillGrid(selected);
  showTotals();
}

void Tfreglist::sortByColumn(int col) {
  if (col < 1 || col >= kRegisterColumns) return;
  sortDescending_ = col == sortColumn_ && !sortDescending_;
  sortColumn_ = col;
  const int selected = lineIndexOfRow(StrColGrid1->Row());
  // From file order each time, so that equal rows stand in file order.
  std::sort(shownLines_.begin(), shownLines_.end());
  index_.sort(shownLines_, sortColumn_, sortDescending_);
  fillGrid(selected);
}

// The shown rows into the grid; the receipt selected stays selected while
// it is shown.
void Tfreglist::fillGrid(int selected) {
  TStrColGrid* g = StrColGrid1;
  g->BeginUpdate();
  g->SetRowCount(static_cast<int>(std::max<qsizetype>(2, shownLines_.size() + 1)));
  if (shownLines_.isEmpty()) g->SetRowTexts(1, QStringList(kRegisterColumns, QString()));
  int r = 1;
  // The grid shares each row's list with the index: a long register's
  // cells are held once.
  for (const int i : shownLines_) g->SetRowTexts(r++, index_.cells(i));
  g->EndUpdate();
  appendDeletedRows();
  showTitles();
  const qsizetype at = selected < 0 ? -1 : shownLines_.indexOf(selected);
  g->SetCurrentCell(std::max(1, g->Col()), at < 0 ? 1 : static_cast<int>(at) + 1);
}

// The sorted column's title carries ▲ (ascending) or ▼.
void Tfreglist::showTitles() {
  const RegisterRow& names = RegisterTitles();
  QStringList titles(names.begin(), names.end());
  if (sortColumn_ > 0)
    titles[sortColumn_] += sortDescending_ ? QStringLiteral(" ▼") : QStringLiteral(" ▲");
  StrColGrid1->SetRowTexts(0, titles);
}

void Tfreglist::showTotals() {
  const RegisterSums sums = index_.sums(shownLines_);
  totalsPanel->setText(
      QStringLiteral("表示 %1件 / 全 %2件　　領収金額 %3　　税抜金額 %4　　消費税額 %5")
          .arg(GroupDigits(sums.count), GroupDigits(index_.size()), GroupedAmount(sums.amount),
               GroupedAmount(sums.net), GroupedAmount(sums.tax)));
}

MonthlyTotalsWindow* Tfreglist::monthlyTotalsWindow() const { return monthly_; }

void Tfreglist::showMonthlyTotals() {
  if (monthly_) monthly_->close();
  monthly_ = new MonthlyTotalsWindow(
      index_.monthlyTotals(shownLines_),
      [this](QWidget* parent) {
        return dialogs.chooseFile(parent, ViewerDialogs::Purpose::ExportCsv, lastCsvName());
      },
      this);
  monthly_->setAttribute(Qt::WA_DeleteOnClose);
  monthly_->show();
}

}  // namespace kelvane
