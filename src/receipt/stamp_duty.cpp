#include "receipt/stamp_duty.h"

#include "text/fixed_point.h"

namespace kelvane {

namespace {

struct Step {
  qint64 upToYen;  // the amount up to and including which the stamp applies
  qint64 stampYen;
};

// Receipts made from 2014-04-01 on.
constexpr qint64 kFreeBelowYen = 50'000;
constexpr Step kSteps[] = {{1'000'000, 200},        {2'000'000, 400},      {3'000'000, 600},
                           {5'000'000, 1'000},      {10'000'000, 2'000},   {20'000'000, 4'000},
                           {30'000'000, 6'000},     {50'000'000, 10'000},  {100'000'000, 20'000},
                           {200'000'000, 40'000},   {300'000'000, 60'000}, {500'000'000, 100'000},
                           {1'000'000'000, 150'000}};
constexpr qint64 kAboveAll = 200'000;

}  // namespace

qint64 StampDutyFor(qint64 amount) {
  if (amount < fixed::fromWhole(kFreeBelowYen)) return 0;
  for (const Step& s : kSteps)
    if (amount <= fixed::fromWhole(s.upToYen)) return s.stampYen;
  return kAboveAll;
}

}  // namespace kelvane
