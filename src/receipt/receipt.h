#pragma once
// One receipt as a value: every field the receipt form holds, and what the
// layout items and the register line are made of. The window and the batch
// issue both work from it, so a receipt prints and records the same way
// wherever it comes from.

#include "receipt/register_record.h"
#include "receipt/tax_by_rate.h"
#include "text/expected.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace kelvane {

struct Receipt {
  QString number;
  std::optional<QDate> date;
  QString addressee1;
  QString addressee2;
  QString description1;
  QString description2;
  QString staff;
  QString stamp;  // 収入印紙
  // Ten-thousandths, as the amount fields hold them: 12,000 yen is 120000000.
  qint64 amount = 0;
  qint64 netAmount = 0;
  qint64 billedAmount = 0;
  qint64 taxAmount = 0;
  qint64 taxRate = 0;  // percent
  // The qualified invoice's figures by rate: the amounts as typed (with or
  // without tax, as `taxBasis` says) and the tax of each (rounded to whole
  // yen, in ten-thousandths like every amount).
  qint64 amount10 = 0;
  qint64 tax10 = 0;
  qint64 amount8 = 0;
  qint64 tax8 = 0;
  TaxBasis taxBasis = TaxBasis::Included;
  QString registrationNumber;  // 登録番号 of the issuer, as printed

  // Whether the receipt states its tax by rate.
  [[nodiscard]] bool hasRateFigures() const { return amount10 != 0 || amount8 != 0; }

  friend bool operator==(const Receipt&, const Receipt&) = default;
};

// The settings that change how a receipt's texts look on the paper.
struct ReceiptTextSettings {
  bool kanjiAmount = false;  // the amount received in kanji numerals
  bool yenMark = false;      // "\" (or "金") in front of the amount received
  bool dashMark = false;     // "-" (or "也") behind it
  bool zeroDisplay = true;   // a zero amount shows "0" rather than nothing
};

// The receipt's item texts (cp932) by layout line, the receipt's and the
// stub's, every receipt item present (an empty text clears the item).
struct ReceiptItems {
  QList<std::pair<int, QByteArray>> lines;
  // Why the amount received went in as digits although kanji were asked
  // for; nothing when it went in as asked.
  std::optional<QString> kanjiRefusal;

  // The text of `line`; an empty one for a line that is no receipt item.
  [[nodiscard]] QByteArray text(int line) const;
};

// Whether an amount fits the form's amount fields, nine whole digits: a
// larger one would show (and be recorded) cut to 999,999,999.
[[nodiscard]] bool FitsAmountField(qint64 tenThousandths);

// An amount as the form's amount fields show it: nine whole digits at most
// (larger amounts show as 999,999,999), grouped by three, a fraction as
// short as it goes and cut to the field's ten characters, "-" in front of a
// negative amount; zero as "0" or, without zero display, nothing.
[[nodiscard]] QString AmountFieldText(qint64 tenThousandths, bool zeroDisplay);

// Why the amount has no kanji form (negative, or ten digits and more);
// nothing when it has one or kanji are not asked for.
[[nodiscard]] std::optional<QString> KanjiAmountRefusal(qint64 tenThousandths,
                                                        const ReceiptTextSettings& settings);

[[nodiscard]] ReceiptItems ReceiptItemTexts(const Receipt& receipt,
                                            const ReceiptTextSettings& settings);

// The register line's fields, the number included. A receipt without a date
// cannot be recorded.
[[nodiscard]] Expected<RegisterRecord> RegisterRecordOf(const Receipt& receipt);

// A register line back into a receipt, refused when its date is no calendar
// date, an amount does not read, or an amount has ten digits or more (the
// form could not hold it and would record it cut).
[[nodiscard]] Expected<Receipt> ReceiptFromRegisterRecord(const RegisterRecord& record);

// The receipt with its tax worked out from its amounts by rate: the tax of
// each rate, and the five figures from the totals (領収金額 with tax, 税抜金額
// without, 請求金額 the same as 領収金額, 消費税額 the two taxes, 消費税率 the
// rate when only one is used, else 0). A receipt without amounts by rate
// is returned as it is.
[[nodiscard]] Receipt WithTaxByRate(Receipt receipt, TaxRounding rounding);

}  // namespace kelvane
