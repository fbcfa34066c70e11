#include "masterlist_window/order_reg.h"

#include "masterlist_window/tab_rows.h"
#include "settings/program_folder.h"
#include "text/cp932.h"
#include "text/layout_text.h"
#include "widgets/grad_box.h"
#include "widgets/str_col_grid.h"

#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>

#include <utility>

namespace kelvane {

namespace {

constexpr int kClientWidth = 738;
constexpr int kClientHeight = 522;
constexpr int kTitleHeight = 35;
constexpr int kLabelHeight = 22;
constexpr int kRowHeight = 17;
constexpr int kTabsPerRow = 8;  // two rows of tabs
constexpr int kColWidths[4] = {40, 309, 41, 321};

const QColor kHeaderColour(142, 140, 162);
const QColor kStripColour(83, 85, 108);

const QString kHint = QStringLiteral("登録はSHIFTキーを押しながらセルをダブルクリックして下さい");

struct KindTexts {
  const char* header;  // the grid's text columns
  const char* prefix;  // the mode label
  const char* prompt;  // the input box of a registration
};

KindTexts textsOf(MasterListKind kind) {
  switch (kind) {
    case MasterListKind::Descriptions1:
      return {"摘 要 1", "摘要1", "摘要1入力"};
    case MasterListKind::Descriptions2:
      return {"摘 要 2", "摘要2", "摘要2入力"};
    case MasterListKind::Staff:
      return {"社内担当者", "社内担当者", "社内担当者入力"};
    case MasterListKind::Addressees:
      break;
  }
  return {"宛　名", "宛名", "宛名入力"};
}

bool isEnter(const QKeyEvent* key) {
  return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

}  // namespace

Tforderreg::Tforderreg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Tforderreg"));
  setWindowTitle(QStringLiteral("ネムリカ"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setFixedSize(kClientWidth, kClientHeight);

  askText = [](QWidget* owner, const QString& caption, const QString& prompt,
               const QString& initial) -> std::optional<QString> {
    bool ok = false;
    const QString text =
        QInputDialog::getText(owner, caption, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok) return std::nullopt;
    return text;
  };
  reportError = [](QWidget* owner, const QString& message) {
    QMessageBox::warning(owner, QStringLiteral("ネムリカ"), message);
  };

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  auto* title = new QWidget(this);
  buildTitle(title);
  column->addWidget(title);

  // The label strip also holds the buttons: the page of 40 entries takes
  // the whole height below it.
  auto* strip = new QWidget(this);
  strip->setFixedHeight(kLabelHeight);
  strip->setAutoFillBackground(true);
  QPalette stripColours = strip->palette();
  stripColours.setColor(QPalette::Window, kStripColour);
  stripColours.setColor(QPalette::WindowText, Qt::white);
  strip->setPalette(stripColours);
  auto* stripRow = new QHBoxLayout(strip);
  stripRow->setContentsMargins(8, 1, 8, 1);
  stripRow->setSpacing(4);
  modeLabel = new QLabel(QStringLiteral("担当者選択"), strip);
  modeLabel->setObjectName(QStringLiteral("modeLabel"));
  stripRow->addWidget(modeLabel, 1);
  Button1 = new QPushButton(QStringLiteral("選択実行"), strip);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button2 = new QPushButton(QStringLiteral("キャンセル"), strip);
  Button2->setObjectName(QStringLiteral("Button2"));
  for (QPushButton* b : {Button1, Button2}) {
    b->setFixedSize(96, kLabelHeight - 2);
    b->setAutoDefault(false);  // Enter belongs to the grid
    b->setPalette(palette());
    stripRow->addWidget(b);
  }
  column->addWidget(strip);

  auto* body = new QWidget(this);
  auto* inner = new QVBoxLayout(body);
  inner->setContentsMargins(8, 6, 8, 4);
  inner->setSpacing(0);
  TabControl1 = new TTabRows(body);
  TabControl1->setObjectName(QStringLiteral("TabControl1"));
  QStringList captions;
  for (int t = 0; t < kTabs; ++t) {
    captions << QStringLiteral("No%1").arg(40 * t + 1, 3, 10, QLatin1Char('0'));
  }
  TabControl1->setTabs(captions, kTabsPerRow);
  // Any way of choosing a tab shows its page, the keyboard as well.
  connect(TabControl1, &TTabRows::currentChanged, this, [this] { READRECORD(); });
  inner->addWidget(TabControl1);

  StrColGrid1 = new TStrColGrid(body);
  StrColGrid1->setObjectName(QStringLiteral("StrColGrid1"));
  StrColGrid1->setToolTip(kHint);
  inner->addWidget(StrColGrid1, 0, Qt::AlignLeft | Qt::AlignTop);
  inner->addStretch(1);
  column->addWidget(body, 1);

  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setSizeGripEnabled(false);
  StatusBar1->addWidget(new QLabel(kHint, StatusBar1), 1);
  column->addWidget(StatusBar1);

  connect(Button1, &QPushButton::clicked, this, &Tforderreg::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  connect(StrColGrid1, &TStrColGrid::DblClick, this, &Tforderreg::StrColGrid1DblClick);
  StrColGrid1->viewport()->installEventFilter(this);
  StrColGrid1->installEventFilter(this);

  setTabOrder(TabControl1, StrColGrid1);
  setTabOrder(StrColGrid1, Button1);
  setTabOrder(Button1, Button2);
  FormCreate();
}

void Tforderreg::buildTitle(QWidget* strip) {
  strip->setFixedHeight(kTitleHeight);
  auto* row = new QHBoxLayout(strip);
  row->setContentsMargins(2, 2, 2, 2);
  auto* icon = new QLabel(strip);
  icon->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(24, 24));
  row->addWidget(icon);
  auto* name = new QLabel(QStringLiteral("ネムリカ-XP版-"), strip);
  name->setFrameShape(QFrame::StyledPanel);
  name->setMargin(4);
  QFont bold = name->font();
  bold.setBold(true);
  name->setFont(bold);
  row->addWidget(name);
  GradBox1 = new TGradBox(strip);
  GradBox1->setObjectName(QStringLiteral("GradBox1"));
  GradBox1->setDirection(TGradBox::gdHorizontal);
  GradBox1->setStartColor(QColor(224, 223, 227));
  GradBox1->setEndColor(kStripColour);
  GradBox1->setGradStep(128);
  GradBox1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  row->addWidget(GradBox1, 1);
}

// Colours, alignments and the fixed size of the grid.
void Tforderreg::FormCreate() {
  TStrColGrid* g = StrColGrid1;
  g->SetColCount(4);
  g->SetRowCount(kRows + 1);
  g->SetFixedRows(1);
  g->SetFixedCols(0);
  g->SetOptions(DefaultGridOptions() & ~GridOptions(GridOption::RangeSelect));
  g->SetDefaultRowHeight(kRowHeight);
  g->SetRowHeights(0, kRowHeight);
  for (int c = 0; c < 4; ++c) g->SetColWidths(c, kColWidths[c]);
  g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  g->SetFixedColor(kHeaderColour);
  for (int c = 0; c < 4; ++c) {
    g->SetCellColor(c, 0, kHeaderColour);
    g->SetCellFontColor(c, 0, Qt::white);
    g->SetCellAlignment(c, 0, TAlignment::Center);
  }
  for (int r = 1; r <= kRows; ++r) {
    for (int c : {0, 2}) {
      g->SetCellColor(c, r, kHeaderColour);
      g->SetCellFontColor(c, r, Qt::white);
      g->SetCellAlignment(c, r, TAlignment::Center);
    }
    for (int c : {1, 3}) {
      g->SetCellFontColor(c, r, Qt::black);
      g->SetCellAlignment(c, r, TAlignment::LeftJustify);
    }
  }
  // Every cell in view, no scrolling: each cell and its grid line.
  int width = 0;
  for (int c = 0; c < 4; ++c) width += g->ColWidths(c) + 1;
  int height = 0;
  for (int r = 0; r <= kRows; ++r) height += g->RowHeights(r) + 1;
  g->setFixedSize(width + 2 * g->frameWidth(), height + 2 * g->frameWidth());
  setHeader();
  READRECORD();
}

QString Tforderreg::listFolder() { return ProgramFile(QString::fromLatin1(kMasterListFolder)); }

QString Tforderreg::selectFrom(MasterListKind listKind, const QString& current) {
  kind = listKind;
  mode = Mode::Selection;
  picked_text = current;
  Button1->show();
  exec();
  return picked_text;
}

void Tforderreg::registerInto(MasterListKind listKind) {
  mode = Mode::Registration;
  kind = listKind;
  Button1->hide();
  exec();
}

void Tforderreg::showEvent(QShowEvent* event) {
  if (const QScreen* screen = this->screen()) {
    const QRect area = screen->availableGeometry();
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    move(frame.topLeft());
  }
  QDialog::showEvent(event);
  dataread();
  StrColGrid1->setFocus(Qt::OtherFocusReason);
}

void Tforderreg::setHeader() {
  const KindTexts t = textsOf(kind);
  const QString prefix = QString::fromUtf8(t.prefix);
  modeLabel->setText(prefix + (mode == Mode::Selection ? QStringLiteral("を選択して下さい")
                                                       : QStringLiteral("登録")));
  const QString header = QString::fromUtf8(t.header);
  StrColGrid1->SetRowTexts(0, {QStringLiteral("No"), header, QStringLiteral("No"), header});
}

void Tforderreg::dataread() {
  setHeader();
  {
    // Each showing starts on the first page.
    const QSignalBlocker quiet(TabControl1);
    TabControl1->setCurrentIndex(0);
  }
  StrColGrid1->SetCurrentCell(1, 1);
  const QString folder = listFolder();
  path_ = QDir(folder).filePath(MasterListFileName(kind));
  if (auto made = EnsureMasterListFolder(folder); !made) {
    list_ = MasterList();
    listRead_ = false;
    report(made.error());
  } else {
    read2record();
  }
  READRECORD();
}

bool Tforderreg::read2record() {
  auto loaded = LoadMasterListFile(path_);
  if (!loaded) {
    // Shown empty; a registration must not replace what could not be read.
    list_ = MasterList();
    listRead_ = false;
    report(loaded.error());
    return false;
  }
  list_ = loaded->list;
  listRead_ = true;
  if (!loaded->notice.isEmpty()) report(loaded->notice);
  return true;
}

void Tforderreg::READRECORD() {
  const int t = std::max(0, TabControl1->currentIndex());
  TStrColGrid* g = StrColGrid1;
  g->BeginUpdate();
  for (int r = 1; r <= kRows; ++r) {
    const int left = 40 * t + r;
    const int right = left + kRows;
    g->SetRowTexts(r, {QString::number(left), FromLayoutText(list_.entry(left).text),
                       QString::number(right), FromLayoutText(list_.entry(right).text)});
  }
  g->EndUpdate();
}

bool Tforderreg::datasave() {
  if (auto saved = SaveMasterListFile(path_, list_); !saved) {
    report(saved.error());
    return false;
  }
  return true;
}

bool Tforderreg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == StrColGrid1->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    // The entry is the one under the double-click, whatever cell was
    // current before; the header row is none.
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint() + StrColGrid1->viewport()->pos();
    doubleClickCell_ = {-1, -1};
    for (int r = 1; r <= kRows; ++r) {
      for (int c = 0; c < 4; ++c) {
        if (StrColGrid1->CellRect(c, r).contains(at)) doubleClickCell_ = {c, r};
      }
    }
    doubleClickModifiers_ = mouse->modifiers();
  } else if (watched == StrColGrid1 && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (isEnter(key)) {
      takeCell(StrColGrid1->Col(), StrColGrid1->Row(), key->modifiers());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void Tforderreg::StrColGrid1DblClick() {
  const QPoint cell = std::exchange(doubleClickCell_, QPoint(-1, -1));
  if (cell.y() < 1) return;
  if (StrColGrid1->Col() != cell.x() || StrColGrid1->Row() != cell.y()) {
    StrColGrid1->SetCurrentCell(cell.x(), cell.y());
  }
  takeCell(cell.x(), cell.y(), doubleClickModifiers_);
}

// "選択実行" picks the selected entry as a plain double-click does.
void Tforderreg::Button1Click() {
  takeCell(StrColGrid1->Col(), StrColGrid1->Row(), Qt::NoModifier);
}

void Tforderreg::takeCell(int col, int row, Qt::KeyboardModifiers modifiers) {
  if (row < 1 || row > kRows || col < 0 || col > 3) return;
  const int numberCol = col <= 1 ? 0 : 2;
  bool ok = false;
  const int number = StrColGrid1->Cells(numberCol, row).toInt(&ok);
  if (!ok) return;
  const QString shown = StrColGrid1->Cells(numberCol + 1, row);
  if (modifiers & Qt::ShiftModifier) {
    registerEntry(number, shown);
    return;
  }
  picked_text = shown;
  accept();
}

void Tforderreg::registerEntry(int number, const QString& shown) {
  if (!listRead_) {
    report(QStringLiteral("「%1」を読めなかったため、登録できません。")
               .arg(QDir::toNativeSeparators(path_)));
    return;
  }
  const QString prompt = QString::fromUtf8(textsOf(kind).prompt);
  const QString given = askText(this, QStringLiteral("Quillmark"), prompt, shown).value_or(shown);
  QByteArray bytes;
  if (given == shown) {
    // The text as it stands keeps its bytes, even those that do not read
    // as cp932 and are shown as replacement characters.
    bytes = list_.entry(number).text;
  } else {
    auto encoded = cp932::encode(given);
    if (!encoded) {
      report(encoded.error() + QStringLiteral("\r\n登録できません。"));
      return;
    }
    bytes = *encoded;
  }
  // The file changes first; memory and picked_text follow only a whole save.
  const MasterList before = list_;
  list_.registerText(number, bytes);
  if (!datasave()) {
    list_ = before;
    return;
  }
  picked_text = given;
  READRECORD();
}

void Tforderreg::report(const QString& message) {
  if (reportError) reportError(this, message);
}

}  // namespace kelvane
