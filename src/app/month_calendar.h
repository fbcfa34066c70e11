#pragma once
// The month calendar of the receipt page: "≪" and "≫" page through the
// months, a click on a day of the shown month chooses the receipt date, and
// Shift+click first sets or clears that day as a holiday of every year.
// 200 × 160 pixels: a caption row, the weekday titles and six weeks, each a
// week number and seven days, in cells of 25 × 20.

#include "receipt/holiday_list.h"
#include "receipt/month_layout.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QToolButton;

namespace kelvane {

class MonthCalendar : public QWidget {
  Q_OBJECT

 public:
  explicit MonthCalendar(QWidget* parent = nullptr);

  // Shows the month of `date` with `date` as the chosen day. An invalid
  // date changes nothing.
  void DrawCalendar(const QDate& date);

  // Reads the holidays from "SDAYLIST.DAT" in the program folder and
  // redraws. A missing file is no holiday; a file that cannot be read is
  // reported, and then not overwritten by the toggles of this run.
  void LoadHolidays();

  // Asks whether to clear the holiday `month`/`day` (one question per
  // matching line, until one is cleared) or, when there is none, whether to
  // set it; then rewrites "SDAYLIST.DAT". Texts of one character get a
  // leading "0". The shown month is not redrawn here.
  void ToggleHoliday(const QString& month, const QString& day);

  [[nodiscard]] const QStringList& holidays() const { return holidays_.lines(); }
  [[nodiscard]] int displayedYear() const { return layout_.year; }
  [[nodiscard]] int displayedMonth() const { return layout_.month; }

  [[nodiscard]] QSize sizeHint() const override;
  [[nodiscard]] QSize minimumSizeHint() const override;

  // Where file problems are told, in words (default: qWarning).
  std::function<void(const QString&)> reportError;

  QToolButton* bfmonth = nullptr;
  QLabel* monthpl = nullptr;
  QToolButton* nxmonth = nullptr;
  std::array<QLabel*, 6> wk{};    // wk1 ... wk6
  std::array<QLabel*, 42> day{};  // day1 ... day42, row by row

 signals:
  // A day of the shown month was clicked; the calendar already shows it
  // as chosen.
  void dayChosen(const QDate& date);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void bfmonthClick();
  void nxmonthClick();
  void dayClick(int cell, Qt::KeyboardModifiers modifiers);
  void applyCells();
  void saveHolidays();
  void report(const QString& message);

  HolidayList holidays_;
  // The file could not be read: writing the list over it would lose the
  // holidays it holds.
  bool holidayFileUnread_ = false;
  QDate chosen_;
  MonthLayout layout_;               // the shown month: what the cells show
  std::array<QLabel*, 8> titles_{};  // "Wk", "日" ... "土"
  QLabel* pressed_ = nullptr;        // the day cell a left button went down on
};

}  // namespace kelvane
