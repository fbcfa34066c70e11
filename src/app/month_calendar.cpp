#include "app/month_calendar.h"

#include "app/message_boxes.h"
#include "settings/program_folder.h"

#include <QDebug>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

#include <algorithm>

namespace kelvane {

namespace {

constexpr int kCellWidth = 25;
constexpr int kCellHeight = 20;
constexpr int kColumns = 8;  // week number and seven days
constexpr int kRows = 8;     // caption, weekday titles, six weeks
constexpr int kWidth = kColumns * kCellWidth;
constexpr int kHeight = kRows * kCellHeight;
constexpr int kWeekNumberText = 8421504;  // grey

// The cell at `column`, `row` of the grid below the caption row, inside a
// one-pixel line on each side: the last column and row lose a pixel so that
// the outer lines fit in 200 × 160.
QRect GridCell(int column, int row) {
  return {column * kCellWidth + 1, row * kCellHeight + 1,
          kCellWidth - (column == kColumns - 1 ? 2 : 1), kCellHeight - (row == kRows - 1 ? 2 : 1)};
}

QLabel* MakeCell(QWidget* parent, const QString& name, const QString& text, int column, int row) {
  auto* cell = new QLabel(text, parent);
  if (!name.isEmpty()) cell->setObjectName(name);
  cell->setAlignment(Qt::AlignCenter);
  cell->setAutoFillBackground(true);
  cell->setGeometry(GridCell(column, row));
  return cell;
}

// A 0x00BBGGRR colour, the button face taken from `palette`.
QColor ColourOf(int value, const QPalette& palette) {
  if (value == kCalendarButtonFace) return palette.color(QPalette::Button);
  return {value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF};
}

void Paint(QLabel* cell, int background, int text, const QPalette& base) {
  QPalette palette = cell->palette();
  palette.setColor(QPalette::Window, ColourOf(background, base));
  palette.setColor(QPalette::WindowText, ColourOf(text, base));
  cell->setPalette(palette);
}

QToolButton* MonthButton(QWidget* parent, const char* name, const QString& text, const QString& tip,
                         int column) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setText(text);
  button->setToolTip(tip);
  button->setAccessibleName(tip);
  button->setFocusPolicy(Qt::TabFocus);
  button->setGeometry(column * kCellWidth, 0, kCellWidth, kCellHeight);
  return button;
}

}  // namespace

MonthCalendar::MonthCalendar(QWidget* parent) : QWidget(parent) {
  setFixedSize(kWidth, kHeight);
  reportError = [](const QString& message) { qWarning().noquote() << message; };

  bfmonth = MonthButton(this, "bfmonth", QStringLiteral("≪"), QStringLiteral("前の月"), 0);
  nxmonth =
      MonthButton(this, "nxmonth", QStringLiteral("≫"), QStringLiteral("次の月"), kColumns - 1);
  monthpl = new QLabel(this);
  monthpl->setObjectName(QStringLiteral("monthpl"));
  monthpl->setAlignment(Qt::AlignCenter);
  monthpl->setGeometry(kCellWidth, 0, (kColumns - 2) * kCellWidth, kCellHeight);
  connect(bfmonth, &QToolButton::clicked, this, &MonthCalendar::bfmonthClick);
  connect(nxmonth, &QToolButton::clicked, this, &MonthCalendar::nxmonthClick);

  const QStringList titles{QStringLiteral("Wk"), QStringLiteral("日"), QStringLiteral("月"),
                           QStringLiteral("火"), QStringLiteral("水"), QStringLiteral("木"),
                           QStringLiteral("金"), QStringLiteral("土")};
  for (int column = 0; column < kColumns; ++column) {
    titles_[column] = MakeCell(this, {}, titles.at(column), column, 1);
  }
  for (int week = 0; week < kCalendarWeeks; ++week) {
    wk[week] = MakeCell(this, QStringLiteral("wk%1").arg(week + 1), {}, 0, week + 2);
  }
  for (int index = 0; index < kCalendarCells; ++index) {
    day[index] =
        MakeCell(this, QStringLiteral("day%1").arg(index + 1), {}, index % 7 + 1, index / 7 + 2);
    day[index]->installEventFilter(this);
  }
  // Until the program sets the receipt date, today is shown.
  DrawCalendar(QDate::currentDate());
}

QSize MonthCalendar::sizeHint() const { return {kWidth, kHeight}; }
QSize MonthCalendar::minimumSizeHint() const { return sizeHint(); }

void MonthCalendar::DrawCalendar(const QDate& date) {
  if (!date.isValid()) return;
  chosen_ = date;
  layout_ = LayOutMonth(date, holidays_.lines());
  monthpl->setText(layout_.caption);
  for (int week = 0; week < kCalendarWeeks; ++week) {
    wk[week]->setText(QString::number(layout_.weekNumbers[week]));
  }
  applyCells();
}

void MonthCalendar::applyCells() {
  if (day.back() == nullptr) return;  // still being built
  const QPalette& base = palette();
  for (QLabel* title : titles_) Paint(title, kCalendarButtonFace, kCalendarBlack, base);
  for (QLabel* week : wk) Paint(week, kCalendarButtonFace, kWeekNumberText, base);
  for (int index = 0; index < kCalendarCells; ++index) {
    const CalendarCell& cell = layout_.cells[index];
    QLabel* label = day[index];
    label->setText(QString::number(cell.caption));
    label->setProperty("dayNumber", cell.dayNumber);
    Paint(label, cell.background, cell.text, base);
  }
}

void MonthCalendar::LoadHolidays() {
  const QString path = ProgramFile(QString::fromLatin1(kHolidayFileName));
  const auto read = holidays_.Read(path);
  holidayFileUnread_ = !read.ok();
  if (!read) report(QStringLiteral("休日の一覧を読み込めませんでした。\n%1").arg(read.error()));
  DrawCalendar(chosen_);
}

void MonthCalendar::ToggleHoliday(const QString& month, const QString& day) {
  const QString key = HolidayKey(month, day);
  const QString shown =
      PadHolidayField(month) + QStringLiteral("月") + PadHolidayField(day) + QStringLiteral("日");
  const QString go = QStringLiteral("実行");
  const QString cancel = QStringLiteral("キャンセル");
  bool found = false;
  // The list may hold the day more than once; each line is asked about
  // until one is cleared.
  for (qsizetype at = holidays_.FindKey(key); at >= 0; at = holidays_.FindKey(key, at + 1)) {
    found = true;
    if (confirm_box(shown + QStringLiteral("を平日として再設定しますか？"), go, cancel, window()) ==
        kBoxFirstButton) {
      // Only the line asked about goes, even if the list was read anew
      // while the question was open.
      if (holidays_.FindKey(key, at) == at) holidays_.RemoveAt(at);
      break;
    }
  }
  if (!found && confirm_box(shown + QStringLiteral("を休日として設定しますか？"), go, cancel,
                            window()) == kBoxFirstButton) {
    holidays_.Append(key + u',');
  }
  saveHolidays();
}

void MonthCalendar::saveHolidays() {
  const QString path = ProgramFile(QString::fromLatin1(kHolidayFileName));
  if (holidayFileUnread_) {
    report(QStringLiteral("「%1」は読み込めなかったため、上書きしません。"
                          "休日の変更はプログラムを終了するまで有効です。")
               .arg(QDir::toNativeSeparators(path)));
    return;
  }
  const auto written = holidays_.Write(path);
  if (!written) {
    report(QStringLiteral("休日の一覧を保存できませんでした。休日の変更はプログラムを終了するまで"
                          "有効です。\n%1")
               .arg(written.error()));
  }
}

void MonthCalendar::report(const QString& message) {
  if (reportError) {
    reportError(message);
  } else {
    qWarning().noquote() << message;
  }
}

void MonthCalendar::bfmonthClick() {
  DrawCalendar(QDate(layout_.year, layout_.month, 1).addMonths(-1));
}

void MonthCalendar::nxmonthClick() {
  DrawCalendar(QDate(layout_.year, layout_.month, 1).addMonths(1));
}

void MonthCalendar::dayClick(int cell, Qt::KeyboardModifiers modifiers) {
  const int dayNumber = layout_.cells[cell].dayNumber;
  if (dayNumber == 0) return;
  // Taken before the question: its box must not change which date is meant.
  const QDate date(layout_.year, layout_.month, dayNumber);
  if (modifiers & Qt::ShiftModifier) {
    ToggleHoliday(QString::number(date.month()), day[cell]->text());
  }
  DrawCalendar(date);
  emit dayChosen(date);
}

bool MonthCalendar::eventFilter(QObject* watched, QEvent* event) {
  auto* label = qobject_cast<QLabel*>(watched);
  const auto found = std::find(day.begin(), day.end(), label);
  if (label == nullptr || found == day.end()) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton) pressed_ = label;
      return true;
    }
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) return true;
      const bool click = pressed_ == label && label->rect().contains(mouse->position().toPoint());
      pressed_ = nullptr;
      if (click) dayClick(int(found - day.begin()), mouse->modifiers());
      return true;
    }
    case QEvent::MouseButtonDblClick:
      // The second press of a double click is no second click.
      return true;
    default:
      return QWidget::eventFilter(watched, event);
  }
}

void MonthCalendar::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  // The one-pixel gaps between the cells are the grid lines.
  painter.fillRect(0, kCellHeight, kWidth, kHeight - kCellHeight, palette().color(QPalette::Mid));
}

void MonthCalendar::changeEvent(QEvent* event) {
  // The titles, week numbers and days outside the month follow the
  // palette's button face.
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
    applyCells();
  }
  QWidget::changeEvent(event);
}

}  // namespace kelvane
