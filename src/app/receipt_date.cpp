#include "app/receipt_date.h"

#include "app/month_calendar.h"
#include "app/pages/receipt_issue_page.h"
#include "app/receipt_on_form.h"
#include "app/title_strip.h"
#include "layout/item_text.h"
#include "layout/layout_slots.h"
#include "receipt/era.h"
#include "receipt/numbering.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kelvane {

namespace {

void setBoth(LayoutDocument& document, int receiptLine, const QByteArray& text) {
  SetItemTextQuiet(document, receiptLine, text);
  SetItemTextQuiet(document, receiptLine + slotmap::kStubOffset, text);
}

}  // namespace

ReceiptDate::ReceiptDate(ReceiptIssuePage& page, TitleStrip& dateBoxes, const ReceiptFields& fields,
                         EditorTools tools)
    : QObject(tools.window()), dateBoxes_(dateBoxes), fields_(fields), tools_(tools) {
  QFrame* area = page.calendarArea;
  area->setEnabled(true);
  auto* fill = new QVBoxLayout(area);
  fill->setContentsMargins(area->frameWidth(), area->frameWidth(), area->frameWidth(),
                           area->frameWidth());
  calendar = new MonthCalendar(area);
  fill->addWidget(calendar);
  calendar->reportError = [this](const QString& message) { tools_.boxes.report(message); };
  connect(calendar, &MonthCalendar::dayChosen, this, &ReceiptDate::setIssueDate);
}

void ReceiptDate::DrawCalendar(const QDate& date) { calendar->DrawCalendar(date); }

// The year box counts within the era the label names, so that 令和 1 reads
// as 2019 again when the receipt is recorded.
void ReceiptDate::showInBoxes(const QDate& date) {
  const EraYear era = EraOf(date);
  TitleStrip* t = &dateBoxes_;
  t->Label17->setText(era.name);
  t->YERBOX->setText(QString::number(era.year));
  t->MTHBOX->setText(QString::number(date.month()));
  t->DAYBOX->setText(QString::number(date.day()));
}

std::optional<int> ReceiptDate::westernYearInBoxes() const {
  const TitleStrip* t = &dateBoxes_;
  const std::optional<qint64> eraYear = WholeNumber(t->YERBOX->text());
  return eraYear ? WesternYear(t->Label17->text(), static_cast<int>(*eraYear)) : std::nullopt;
}

std::optional<QDate> ReceiptDate::dateInBoxes() const {
  const TitleStrip* t = &dateBoxes_;
  const auto year = westernYearInBoxes();
  const auto month = WholeNumber(t->MTHBOX->text());
  const auto day = WholeNumber(t->DAYBOX->text());
  if (!year || !month || !day) return std::nullopt;
  const QDate date(*year, static_cast<int>(*month), static_cast<int>(*day));
  return date.isValid() ? std::optional(date) : std::nullopt;
}

void ReceiptDate::setIssueDate(const QDate& date) {
  showInBoxes(date);
  ApplyReceiptItems(tools_.edits, fields_.shownItems(), {ReceiptItemGroup::Date});
}

void ReceiptDate::clearDateItems() {
  const auto change = tools_.edits.quiet();
  LayoutDocument& document = tools_.document();
  for (int line : {slotmap::kEraYear, slotmap::kMonth, slotmap::kDay}) setBoth(document, line, {});
}

}  // namespace kelvane
