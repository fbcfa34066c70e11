#pragma once
// The receipt's issue date: the month calendar on the page "領収書発行",
// the era label and the three date boxes of the title bar, and the date
// items of the receipt and the stub.

#include "app/editor_tools.h"

#include <QDate>
#include <QObject>

#include <optional>

namespace kelvane {

class MonthCalendar;
class ReceiptFields;
class ReceiptIssuePage;
class TitleStrip;

class ReceiptDate : public QObject {
  Q_OBJECT

 public:
  // The calendar goes into `page`; the date boxes are those of the title
  // strip.
  ReceiptDate(ReceiptIssuePage& page, TitleStrip& dateBoxes, const ReceiptFields& fields,
              EditorTools tools);

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
  TitleStrip& dateBoxes_;
  const ReceiptFields& fields_;
  EditorTools tools_;
};

}  // namespace kelvane
