// Any register file: its lines as records, as the list's rows and back, as
// CSV, and the file itself read and changed as recording a receipt does.

#include "fuzz_input.h"
#include "receipt/register_file.h"
#include "receipt/register_record.h"
#include "receipt/register_view.h"

using namespace kelvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray content = fuzz::Bytes(data, size);
  const QList<QByteArray> lines = splitLines(content);
  for (const QByteArray& line : lines) {
    const RegisterRecord record = ParseRegisterLine(line);
    const QByteArray key = RegisterKey(record.number);
    KELVANE_FUZZ_CHECK(LineHasNumber(line, key));
    // A record written out reads back the same.
    KELVANE_FUZZ_CHECK(FormatRegisterLine(ParseRegisterLine(FormatRegisterLine(record))) ==
                       FormatRegisterLine(record));
  }

  const QList<RegisterRow> rows = RegisterContentRows(content);
  KELVANE_FUZZ_CHECK(rows.size() == RegisterLineCount(content));
  KELVANE_FUZZ_CHECK(rows.size() == lines.size());
  for (const RegisterRow& row : rows) {
    (void)RegisterDateCell(row[2]);
    for (int col = 1; col < kRegisterColumns; ++col) {
      if (IsAmountColumn(col)) (void)RegisterAmountCell(row[col]);
    }
    // The list saved, read and saved again settles: saving once more
    // changes nothing.
    const QByteArray saved = RegisterLineOfRow(RegisterLineCells(RegisterLineOfRow(row)));
    KELVANE_FUZZ_CHECK(RegisterLineOfRow(RegisterLineCells(saved)) == saved);
    (void)CsvLineOfRow(row);
  }

  // The file as recording a receipt reads and rewrites it.
  const QString path = fuzz::AsFile(content, "regidata.klv");
  const auto read = ReadRegister(path);
  KELVANE_FUZZ_CHECK(read && read.value() && read.value()->size() == lines.size());
  const QByteArray number = lines.isEmpty() ? QByteArray("1") : ParseRegisterLine(lines[0]).number;
  const auto has = RegisterHasNumber(path, number);
  KELVANE_FUZZ_CHECK(has);
  const auto change = ChangeRegister(path, fuzz::PathOf("tempfile.dat"), number, [](int count) {
    return QByteArray::number(count + 1) + ",2024/4/1,1000,,,,,,,,,,,";
  });
  KELVANE_FUZZ_CHECK(change && change->linesRead == lines.size());
  // Every other line is kept, in order, and the new one is the last.
  QList<QByteArray> kept;
  for (const QByteArray& line : lines) {
    if (!LineHasNumber(line, RegisterKey(number))) kept << line;
  }
  const auto after = ReadRegister(path);
  KELVANE_FUZZ_CHECK(after && after.value() && after.value()->size() == kept.size() + 1);
  KELVANE_FUZZ_CHECK(after.value()->first(kept.size()) == kept);
  KELVANE_FUZZ_CHECK(after.value()->last().startsWith(QByteArray::number(lines.size() + 1) + ','));
  return 0;
}
