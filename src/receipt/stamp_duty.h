#pragma once
// The revenue stamp a paper receipt for sales needs (印紙税, document no. 17-1),
// by the amount written on it, as the table "tax_table.htm" shows it.

#include <QtGlobal>

namespace kelvane {

// The stamp in whole yen for a receipt of `amount` (fixed point); 0 under
// 50,000 yen. When the receipt states the tax, the amount without tax
// decides: pass that one.
[[nodiscard]] qint64 StampDutyFor(qint64 amount);

}  // namespace kelvane
