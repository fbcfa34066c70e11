// Any "kelvane.conf" or window file: the settings read, written and read
// again to the same values; a window placed from the file, stored into it
// and placed again where it was stored.

#include "fuzz_input.h"
#include "receipt/numbering.h"
#include "settings/ini_file.h"
#include "settings/settings_file.h"
#include "settings/window_geometry.h"
#include "text/layout_text.h"

#include <limits>

using namespace kelvane;

namespace {

ConfWrite AsWritten(const ConfRead& read) {
  ConfWrite w;
  w.styleName = read.styleName.value_or("");
  w.dataName = read.dataName.value_or("");
  w.offsetXText = QByteArray::number(read.offsetX.value_or(10));
  w.offsetYText = QByteArray::number(read.offsetY.value_or(10));
  w.sizeXText = QByteArray::number(read.sizeX.value_or(180));
  w.sizeYText = QByteArray::number(read.sizeY.value_or(90));
  w.stylePreview = read.stylePreview.value_or(0);
  w.headerChar = read.headerChar.value_or("1");
  w.headerNumber = read.headerNumber.value_or("1");
  w.lastNumber = read.lastNumber.value_or("1");
  w.barAvrg = read.barAvrg.value_or(70);
  for (int i = 0; i < kConfFlagCount; ++i) w.flags[i] = read.flags[i].value_or(false);
  return w;
}

void CheckConf(const QByteArray& content, const QList<QByteArray>& lines) {
  const ConfRead parsed = ParseConf(lines);
  const auto read = ReadConfFile(fuzz::AsFile(content, "kelvane.conf"));
  KELVANE_FUZZ_CHECK(read);
  const ConfWrite written = AsWritten(parsed);
  const QString copy = fuzz::PathOf("copy.conf");
  KELVANE_FUZZ_CHECK(WriteConfFile(copy, written));
  const auto again = ReadConfFile(copy);
  KELVANE_FUZZ_CHECK(again);
  const ConfRead& r = again.value();
  KELVANE_FUZZ_CHECK(r.styleName == written.styleName && r.dataName == written.dataName);
  KELVANE_FUZZ_CHECK(r.offsetX == written.offsetXText.toInt() &&
                     r.offsetY == written.offsetYText.toInt());
  KELVANE_FUZZ_CHECK(r.sizeX == written.sizeXText.toInt() && r.sizeY == written.sizeYText.toInt());
  KELVANE_FUZZ_CHECK(r.stylePreview == written.stylePreview && r.barAvrg == written.barAvrg);
  KELVANE_FUZZ_CHECK(r.headerChar == written.headerChar && r.headerNumber == written.headerNumber &&
                     r.lastNumber == written.lastNumber);
  for (int i = 0; i < kConfFlagCount; ++i) KELVANE_FUZZ_CHECK(r.flags[i] == written.flags[i]);

  // The next receipt number the window makes from the file's numbering,
  // and its number part read back as recording a receipt reads it.
  const QString header = FromLayoutText(written.headerChar);
  const int digits = DigitCount(FromLayoutText(written.headerNumber));
  const qint64 last = WholeNumber(FromLayoutText(written.lastNumber)).value_or(1);
  const QString next = NextReceiptNumber(header, digits, last);
  KELVANE_FUZZ_CHECK(next.startsWith(header));
  const qint64 part = NumberPart(next, header, digits);
  (void)ExceedsDigitCount(part, digits);
  if (last >= 0 && last < std::numeric_limits<qint64>::max() &&
      QString::number(last + 1).size() <= qint64(digits) + 1) {
    KELVANE_FUZZ_CHECK(part == last + 1);
  }
}

void CheckWindowFile(const QByteArray& content, const QList<QByteArray>& lines) {
  const QRect workArea(0, 0, 1920, 1040);
  const auto loaded = IniFile::load(fuzz::AsFile(content, "kelvane.ini"));
  KELVANE_FUZZ_CHECK(loaded && loaded->lines() == lines);
  IniFile ini = IniFile::parse(lines);
  const QRect main = RestoreWindowGeometry(ini, workArea);
  const QRect list = RestoreWindowGeometry(ini, workArea, "freglist", QSize(908, 566));
  KELVANE_FUZZ_CHECK(main.width() > 0 && main.height() > 0);
  KELVANE_FUZZ_CHECK(list.width() > 0 && list.height() > 0);
  // Stored and placed again: the same frame, and the other window's stays.
  const QRect frame(10, 20, 300, 400);
  StoreWindowGeometry(ini, frame, "freglist");
  KELVANE_FUZZ_CHECK(RestoreWindowGeometry(ini, workArea, "freglist", QSize(908, 566)) == frame);
  KELVANE_FUZZ_CHECK(RestoreWindowGeometry(ini, workArea) == main);
  StoreWindowGeometry(ini, main);
  KELVANE_FUZZ_CHECK(RestoreWindowGeometry(ini, workArea) == main);
  (void)ini.intValue("fkelvane", "Top", 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray content = fuzz::Bytes(data, size);
  const QList<QByteArray> lines = splitLines(content);
  CheckConf(content, lines);
  CheckWindowFile(content, lines);
  return 0;
}
