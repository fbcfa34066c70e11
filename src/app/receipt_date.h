#pragma once
// The receipt's issue date: the month calendar on the page "領収書発行",
// the era label and the three date boxes of the title bar, and the date
// items of the receipt and the stub.

#include <QDate>
#include <QObject>

#include <optional>

namespace kelvane {

class MonthCalendar;
class ReceiptMainForm;

class ReceiptDate : public QObject {
  Q_OBJECT

 public:
  explicit ReceiptDate(ReceiptMainForm& form);

  MonthCalendar* calendar = nullptr;

  // Shows the month of `date` with the date marked.
  void DrawCalendar(const QDate& date);
  // The date boxes show `date`: the era label and the year within that era,
  // the month and the day.
  void showInBoxes(const QDate& date);
  // The Western year the era label and the year box give; nothing when the
  // box holds no whole number or the era is unknown.
  [[nodiscard]] std::optional<int> westernYearInBoxes() const;
  // The whole date the three boxes give; nothing when it is no calendar date.
  [[nodiscard]] std::optional<QDate> dateInBoxes() const;
  // A day chosen on the calendar: boxes and the six date items.
  void setIssueDate(const QDate& date);
  // "日付をクリア－にする": the six date items emptied; boxes and calendar stay.
  void clearDateItems();

 private:
  ReceiptMainForm& form_;
};

}  // namespace kelvane
