// The month calendar of the receipt page, driven with the mouse: days,
// months, Shift+click holidays and their file "SDAYLIST.DAT".

#include "app/month_calendar.h"

#include "settings/program_folder.h"
#include "support/widget_app.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace kelvane {
namespace {

const QColor kChosen(86, 86, 171);
const QColor kRed(255, 0, 0);

// Answers each question with the button captioned as the next queued
// answer ("実行" once the queue is empty) and keeps its text.
class Answerer : public QObject {
 public:
  Answerer() {
    testing::EnsureWidgetApplication();  // the timer needs the application's thread
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      const QString answer = answers.isEmpty() ? QStringLiteral("実行") : answers.takeFirst();
      texts.append(box->text());
      for (QAbstractButton* button : box->buttons()) {
        if (button->text() == answer) {
          button->click();
          return;
        }
      }
      ADD_FAILURE() << "no button " << answer.toStdString();
      box->done(0);
    });
    timer_.start();
  }
  QStringList answers;
  QStringList texts;

 private:
  QTimer timer_;
};

class MonthCalendarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureWidgetApplication();
    SetProgramFolder(dir_.path());
  }
  void TearDown() override { SetProgramFolder({}); }

  // A calendar as the program starts it: holidays read, then a date shown.
  std::unique_ptr<MonthCalendar> open(const QDate& date) {
    auto calendar = std::make_unique<MonthCalendar>();
    calendar->reportError = [this](const QString& message) { reports_.append(message); };
    calendar->LoadHolidays();
    calendar->DrawCalendar(date);
    calendar->show();
    return calendar;
  }
  QString holidayPath() const { return dir_.filePath(QStringLiteral("SDAYLIST.DAT")); }
  QByteArray holidayFile() const {
    QFile file(holidayPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
  }
  void writeHolidayFile(const QByteArray& content) const {
    QFile file(holidayPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
  }
  // The cell that shows day `dayNumber` of the displayed month.
  static QLabel* dayCell(MonthCalendar& calendar, int dayNumber) {
    for (QLabel* cell : calendar.day) {
      if (cell->property("dayNumber").toInt() == dayNumber) return cell;
    }
    return nullptr;
  }
  static void click(QWidget* cell, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(cell, Qt::LeftButton, modifiers);
  }
  static QColor textOf(QWidget* cell) { return cell->palette().color(QPalette::WindowText); }
  static QColor backgroundOf(QWidget* cell) { return cell->palette().color(QPalette::Window); }

  QTemporaryDir dir_;
  QStringList reports_;
  Answerer boxes_;
};

TEST_F(MonthCalendarTest, July1999FillsTheGridFromThursday) {
  auto calendar = open(QDate(1999, 7, 14));
  EXPECT_EQ(calendar->size(), QSize(200, 160));
  EXPECT_EQ(calendar->sizeHint(), QSize(200, 160));
  EXPECT_EQ(calendar->bfmonth->text(), QStringLiteral("≪"));
  EXPECT_EQ(calendar->nxmonth->text(), QStringLiteral("≫"));
  EXPECT_EQ(calendar->findChild<QLabel*>(QStringLiteral("monthpl"))->text(),
            QStringLiteral("1999年07月14日"));
  EXPECT_EQ(calendar->findChild<QLabel*>(QStringLiteral("wk1"))->text(), QStringLiteral("27"));
  EXPECT_EQ(calendar->findChild<QLabel*>(QStringLiteral("wk6"))->text(), QStringLiteral("32"));
  EXPECT_EQ(calendar->displayedYear(), 1999);
  EXPECT_EQ(calendar->displayedMonth(), 7);

  QStringList titles;
  for (QLabel* label : calendar->findChildren<QLabel*>()) {
    if (label->y() == 21) titles << label->text();
  }
  EXPECT_EQ(titles, (QStringList{"Wk", "日", "月", "火", "水", "木", "金", "土"}));

  const QStringList firstRow{"27", "28", "29", "30", "1", "2", "3"};
  for (int i = 0; i < 7; ++i) {
    auto* cell = calendar->findChild<QLabel*>(QStringLiteral("day%1").arg(i + 1));
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(), firstRow.at(i));
    EXPECT_EQ(cell->property("dayNumber").toInt(), i < 4 ? 0 : i - 3);
  }
  // June's days on the button face, July's on white, Saturdays teal,
  // Sundays dark red, the chosen day white on blue.
  EXPECT_EQ(backgroundOf(calendar->day[0]), calendar->palette().color(QPalette::Button));
  EXPECT_EQ(textOf(calendar->day[0]), QColor(Qt::black));
  EXPECT_EQ(backgroundOf(calendar->day[5]), QColor(Qt::white));
  EXPECT_EQ(textOf(calendar->day[6]), QColor(0, 128, 128));
  EXPECT_EQ(textOf(calendar->day[7]), QColor(128, 0, 0));
  EXPECT_EQ(backgroundOf(dayCell(*calendar, 14)), kChosen);
  EXPECT_EQ(textOf(dayCell(*calendar, 14)), QColor(Qt::white));
  EXPECT_EQ(backgroundOf(calendar->day[35]), calendar->palette().color(QPalette::Button));
  EXPECT_EQ(calendar->day[41]->text(), QStringLiteral("7"));

  // The day cells are for the mouse; the month buttons take Tab.
  EXPECT_EQ(calendar->day[10]->focusPolicy(), Qt::NoFocus);
  EXPECT_TRUE(calendar->bfmonth->focusPolicy() & Qt::TabFocus);
  EXPECT_TRUE(reports_.isEmpty()) << "a missing holiday file is no error";
}

TEST_F(MonthCalendarTest, AClickChoosesADayOfTheShownMonthOnly) {
  auto calendar = open(QDate(1999, 7, 14));
  QSignalSpy chosen(calendar.get(), &MonthCalendar::dayChosen);

  click(dayCell(*calendar, 20));
  ASSERT_EQ(chosen.size(), 1);
  EXPECT_EQ(chosen.at(0).at(0).toDate(), QDate(1999, 7, 20));
  EXPECT_EQ(calendar->monthpl->text(), QStringLiteral("1999年07月20日"));
  EXPECT_EQ(backgroundOf(dayCell(*calendar, 20)), kChosen);
  EXPECT_EQ(backgroundOf(dayCell(*calendar, 14)), QColor(Qt::white));

  // 30 June and 1 August are shown but not chosen, with Shift or without.
  for (QLabel* outside : {calendar->day[3], calendar->day[35]}) {
    click(outside);
    click(outside, Qt::ShiftModifier);
  }
  EXPECT_EQ(chosen.size(), 1);
  EXPECT_EQ(calendar->displayedMonth(), 7);
  EXPECT_EQ(calendar->monthpl->text(), QStringLiteral("1999年07月20日"));
  EXPECT_TRUE(boxes_.texts.isEmpty());
  EXPECT_FALSE(QFile::exists(holidayPath()));

  // A press that leaves the cell before the release, or a right click, is
  // no click either.
  QTest::mousePress(dayCell(*calendar, 21), Qt::LeftButton);
  QTest::mouseRelease(dayCell(*calendar, 21), Qt::LeftButton, {}, QPoint(-5, -5));
  click(dayCell(*calendar, 22), {});
  QTest::mouseClick(dayCell(*calendar, 23), Qt::RightButton);
  ASSERT_EQ(chosen.size(), 2);
  EXPECT_EQ(chosen.at(1).at(0).toDate(), QDate(1999, 7, 22));
}

TEST_F(MonthCalendarTest, ShiftClickSetsAndClearsAHolidayOfEveryYear) {
  auto calendar = open(QDate(2024, 5, 20));
  QSignalSpy chosen(calendar.get(), &MonthCalendar::dayChosen);

  click(dayCell(*calendar, 3), Qt::ShiftModifier);
  EXPECT_EQ(boxes_.texts, QStringList{"05月03日を休日として設定しますか？"});
  EXPECT_EQ(calendar->holidays(), QStringList{"05,03,"});
  EXPECT_EQ(holidayFile(), QByteArray("05,03,\r\n"));
  ASSERT_EQ(chosen.size(), 1);
  EXPECT_EQ(chosen.at(0).at(0).toDate(), QDate(2024, 5, 3));
  EXPECT_EQ(textOf(dayCell(*calendar, 3)), kRed) << "red on the chosen background";
  EXPECT_EQ(backgroundOf(dayCell(*calendar, 3)), kChosen);

  // Every May has it, and no other month.
  calendar->DrawCalendar(QDate(2031, 5, 10));
  EXPECT_EQ(textOf(dayCell(*calendar, 3)), kRed);
  calendar->DrawCalendar(QDate(2031, 6, 10));
  EXPECT_NE(textOf(dayCell(*calendar, 3)), kRed);

  calendar->DrawCalendar(QDate(2031, 5, 10));
  click(dayCell(*calendar, 3), Qt::ShiftModifier);
  EXPECT_EQ(boxes_.texts.last(), QStringLiteral("05月03日を平日として再設定しますか？"));
  EXPECT_TRUE(calendar->holidays().isEmpty());
  EXPECT_EQ(holidayFile(), QByteArray());
  EXPECT_EQ(textOf(dayCell(*calendar, 3)), QColor(Qt::white)) << "chosen, no longer red";
  EXPECT_EQ(chosen.size(), 2);
}

TEST_F(MonthCalendarTest, CancelKeepsTheListAndTheFileIsWrittenAnyway) {
  writeHolidayFile("05,03,\r\n11,23,\r\n05,03,\r\n");
  auto calendar = open(QDate(2024, 5, 20));

  // The day is in the list twice: each line is asked about until one goes.
  boxes_.answers = {QStringLiteral("キャンセル"), QStringLiteral("キャンセル")};
  click(dayCell(*calendar, 3), Qt::ShiftModifier);
  EXPECT_EQ(boxes_.texts.size(), 2);
  EXPECT_EQ(calendar->holidays(), (QStringList{"05,03,", "11,23,", "05,03,"}));

  boxes_.answers = {QStringLiteral("キャンセル"), QStringLiteral("実行")};
  click(dayCell(*calendar, 3), Qt::ShiftModifier);
  EXPECT_EQ(calendar->holidays(), (QStringList{"05,03,", "11,23,"}));
  EXPECT_EQ(holidayFile(), QByteArray("05,03,\r\n11,23,\r\n"));

  // A declined new holiday is not added; the file is rewritten regardless.
  QFile::remove(holidayPath());
  boxes_.answers = {QStringLiteral("キャンセル")};
  click(dayCell(*calendar, 4), Qt::ShiftModifier);
  EXPECT_EQ(boxes_.texts.last(), QStringLiteral("05月04日を休日として設定しますか？"));
  EXPECT_EQ(calendar->holidays(), (QStringList{"05,03,", "11,23,"}));
  EXPECT_EQ(holidayFile(), QByteArray("05,03,\r\n11,23,\r\n"));
  EXPECT_TRUE(reports_.isEmpty());
}

TEST_F(MonthCalendarTest, HolidaysOfOneRunAreThereInTheNext) {
  {
    auto first = open(QDate(2024, 5, 20));
    click(dayCell(*first, 3), Qt::ShiftModifier);
    first->DrawCalendar(QDate(2024, 11, 1));
    click(dayCell(*first, 23), Qt::ShiftModifier);
  }
  auto next = open(QDate(2025, 11, 1));
  EXPECT_EQ(next->holidays(), (QStringList{"05,03,", "11,23,"}));
  EXPECT_EQ(textOf(dayCell(*next, 23)), kRed);

  // The first toggle of the next run keeps the others.
  next->DrawCalendar(QDate(2025, 1, 1));
  click(dayCell(*next, 2), Qt::ShiftModifier);
  EXPECT_EQ(holidayFile(), QByteArray("05,03,\r\n11,23,\r\n01,02,\r\n"));
}

TEST_F(MonthCalendarTest, LinesThatAreNoHolidayAreKeptAndSkipped) {
  // 30 February, a line of words, bytes that are not cp932, a day far past
  // the grid and a line without its day all sit in the user's file.
  const QByteArray odd("02,30,\r\nabc,def,\r\n\x81\xFF,\r\n02,999,\r\n02,\r\n02,14,\r\n");
  writeHolidayFile(odd);
  auto calendar = open(QDate(2023, 2, 1));
  EXPECT_TRUE(reports_.isEmpty());
  EXPECT_EQ(calendar->holidays().size(), 6);
  EXPECT_EQ(textOf(dayCell(*calendar, 14)), kRed) << "the lines after them still count";
  // February 2023 ends in cell 31; cell 33 shows 2 March, marked by 30 February.
  EXPECT_EQ(calendar->day[32]->text(), QStringLiteral("2"));
  EXPECT_EQ(textOf(calendar->day[32]), kRed);
  EXPECT_EQ(backgroundOf(calendar->day[32]), calendar->palette().color(QPalette::Button));

  // A toggle writes them back as they were.
  click(dayCell(*calendar, 11), Qt::ShiftModifier);
  EXPECT_EQ(holidayFile(), odd + "02,11,\r\n");
}

TEST_F(MonthCalendarTest, TheMonthButtonsGoToTheFirstOfTheNextOrPreviousMonth) {
  auto calendar = open(QDate(2023, 1, 17));
  QSignalSpy chosen(calendar.get(), &MonthCalendar::dayChosen);
  EXPECT_EQ(calendar->wk[0]->text(), QStringLiteral("2")) << "1 January 2023 is a Sunday";

  click(calendar->bfmonth);
  EXPECT_EQ(calendar->displayedYear(), 2022);
  EXPECT_EQ(calendar->displayedMonth(), 12);
  EXPECT_EQ(calendar->monthpl->text(), QStringLiteral("2022年12月01日"));
  EXPECT_EQ(backgroundOf(dayCell(*calendar, 1)), kChosen);

  click(calendar->nxmonth);
  click(calendar->nxmonth);
  EXPECT_EQ(calendar->displayedYear(), 2023);
  EXPECT_EQ(calendar->displayedMonth(), 2);
  EXPECT_EQ(calendar->monthpl->text(), QStringLiteral("2023年02月01日"));

  // From the keyboard as well.
  calendar->activateWindow();
  calendar->bfmonth->setFocus();
  QTest::keyClick(calendar->bfmonth, Qt::Key_Space);
  EXPECT_EQ(calendar->displayedMonth(), 1);
  EXPECT_EQ(chosen.size(), 0) << "paging chooses no receipt date";

  calendar->DrawCalendar(QDate(2024, 12, 25));
  click(calendar->nxmonth);
  EXPECT_EQ(calendar->monthpl->text(), QStringLiteral("2025年01月01日"));
  calendar->DrawCalendar(QDate());
  EXPECT_EQ(calendar->monthpl->text(), QStringLiteral("2025年01月01日"));
}

TEST_F(MonthCalendarTest, AHolidayFileThatCannotBeWrittenIsReported) {
  auto calendar = open(QDate(2024, 5, 20));
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("SDAYLIST.DAT")));
  QSignalSpy chosen(calendar.get(), &MonthCalendar::dayChosen);

  click(dayCell(*calendar, 3), Qt::ShiftModifier);
  ASSERT_EQ(reports_.size(), 1);
  EXPECT_TRUE(reports_.first().contains(QStringLiteral("SDAYLIST.DAT")))
      << reports_.first().toStdString();
  EXPECT_TRUE(reports_.first().contains(QStringLiteral("保存できません")));
  // The change holds for the rest of the run, and the date is still chosen.
  EXPECT_EQ(calendar->holidays(), QStringList{"05,03,"});
  EXPECT_EQ(textOf(dayCell(*calendar, 3)), kRed);
  EXPECT_EQ(chosen.size(), 1);
}

TEST_F(MonthCalendarTest, AHolidayFileThatCannotBeReadIsNotOverwritten) {
  // Far too big to be a holiday list: refused, said once, and kept.
  const QByteArray big = QByteArray("05,05,\r\n").repeated(200 * 1024);
  writeHolidayFile(big);
  auto calendar = open(QDate(2024, 5, 20));
  ASSERT_EQ(reports_.size(), 1);
  EXPECT_TRUE(reports_.first().contains(QStringLiteral("SDAYLIST.DAT")));
  EXPECT_TRUE(calendar->holidays().isEmpty());

  click(dayCell(*calendar, 3), Qt::ShiftModifier);
  EXPECT_EQ(calendar->holidays(), QStringList{"05,03,"});
  ASSERT_EQ(reports_.size(), 2);
  EXPECT_TRUE(reports_.last().contains(QStringLiteral("上書きしません")));
  EXPECT_EQ(holidayFile(), big);

  // Once it reads again, the toggles write again.
  writeHolidayFile("11,03,\r\n");
  calendar->LoadHolidays();
  click(dayCell(*calendar, 3), Qt::ShiftModifier);
  EXPECT_EQ(holidayFile(), QByteArray("11,03,\r\n05,03,\r\n"));
  EXPECT_EQ(reports_.size(), 2);
}

}  // namespace
}  // namespace kelvane
