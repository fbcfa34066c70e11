// Any input history file or "SDAYLIST.DAT": the drop-down list read from
// it and updated, the holidays read, marked on every month and written
// back byte for byte.

#include "fuzz_input.h"
#include "receipt/holiday_list.h"
#include "receipt/input_history.h"
#include "receipt/month_layout.h"

#include <QDate>

#include <algorithm>

using namespace kelvane;

namespace {

void CheckHistory(const QByteArray& content) {
  auto read = ReadHistoryFile(fuzz::AsFile(content, "atesaki_1.DAT"));
  KELVANE_FUZZ_CHECK(read);
  QStringList list = read.value();
  const qsizetype before = list.size();
  const HistoryUpdate update = UpdateHistoryList(list, QStringLiteral("山田商事"));
  KELVANE_FUZZ_CHECK(!list.isEmpty() && list.first() == update.text);
  KELVANE_FUZZ_CHECK(list.size() >= before && list.size() <= std::max(before, kHistoryLength));
  if (!list.isEmpty()) (void)UpdateHistoryList(list, list.last().toUpper());

  // Written and read again, twice: the second time nothing changes.
  const QString copy = fuzz::PathOf("topic1.DAT");
  KELVANE_FUZZ_CHECK(WriteHistoryFile(copy, list));
  const auto once = ReadHistoryFile(copy);
  KELVANE_FUZZ_CHECK(once && once->size() == list.size());
  KELVANE_FUZZ_CHECK(WriteHistoryFile(copy, once.value()));
  const auto twice = ReadHistoryFile(copy);
  KELVANE_FUZZ_CHECK(twice && twice.value() == once.value());
}

void CheckHolidays(const QByteArray& content) {
  HolidayList holidays;
  KELVANE_FUZZ_CHECK(holidays.Read(fuzz::AsFile(content, "SDAYLIST.DAT")));
  // The lines read go back to the file as they were.
  const QString copy = fuzz::PathOf("copy.DAT");
  KELVANE_FUZZ_CHECK(holidays.Write(copy));
  const auto written = readWholeFile(copy);
  KELVANE_FUZZ_CHECK(written && written.value() == joinLines(splitLines(content)));

  for (int month = 1; month <= 12; ++month) {
    const MonthLayout layout = LayOutMonth(QDate(2024, month, 15), holidays.lines());
    KELVANE_FUZZ_CHECK(layout.month == month);
  }
  for (const QString& line : holidays.lines()) {
    const HolidayFields fields = SplitHolidayLine(line);
    const QString key = HolidayLineKey(line);
    KELVANE_FUZZ_CHECK(holidays.FindKey(key) >= 0);
    (void)HolidayKey(fields.month.toString(), fields.day.toString());
  }
  // A toggle on 3 May as the calendar does it.
  const QString key = HolidayKey(QStringLiteral("5"), QStringLiteral("3"));
  if (const qsizetype at = holidays.FindKey(key); at >= 0) {
    holidays.RemoveAt(at);
  } else {
    holidays.Append(key + u',');
  }
  KELVANE_FUZZ_CHECK(holidays.Write(copy));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray content = fuzz::Bytes(data, size);
  CheckHistory(content);
  CheckHolidays(content);
  return 0;
}
