#pragma once
// A register as a busy shop has it after some years: `count` receipts
// numbered A000001 on, for the benchmarks of the register and its list.

#include "receipt/register_record.h"

#include <QByteArray>
#include <QList>

namespace kelvane::bench {

inline QList<QByteArray> SampleRegisterLines(int count) {
  QList<QByteArray> lines;
  lines.reserve(count);
  for (int i = 1; i <= count; ++i) {
    RegisterRecord r;
    r.number = "A" + QByteArray::number(i).rightJustified(6, '0');
    r.date = "2026/12/8";
    r.amount = QByteArray::number(1000 + i);
    r.addressee1 = "\x8E\x52\x93\x63\x8F\xA4\x8E\x96";  // 山田商事
    r.description1 = "\x82\xA8\x95\x69\x91\xE3";        // お品代
    r.netAmount = QByteArray::number(900 + i);
    r.billedAmount = r.amount;
    r.taxAmount = "100";
    r.taxRate = "10";
    r.staff = "\x8D\xB2\x93\xA1";  // 佐藤
    r.stamp = "200";
    lines.append(FormatRegisterLine(r));
  }
  return lines;
}

}  // namespace kelvane::bench
