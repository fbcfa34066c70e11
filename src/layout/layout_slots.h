#pragma once
// Fixed line numbers of the layout document. Readers and writers address
// lines by these numbers, never by searching.

namespace kelvane::slotmap {

// A complete layout of the original format: lines 0 to 266. Files of that
// format end there, and so do the readers written for it.
inline constexpr int kLineCount = 267;
// The lines after them, for the qualified invoice (登録番号 and the amounts
// and taxes by rate): every document holds them, a file only when one of
// them holds something.
inline constexpr int kExtendedLineCount = 276;
// After them, only in a document that has them: the widths of texts, one
// "fit" record per text (text_fit.h).

inline constexpr int kVersionLine = 0;
inline constexpr int kTitleLine = 1;
inline constexpr int kPrintSettingsLine = 2;
inline constexpr int kReceiptSizeLine = 3;
inline constexpr int kRegisterPathLine = 4;
inline constexpr int kNumberingLine = 5;

// Image slots 1-4 are drawn before the lines and shapes, 5-8 after them.
inline constexpr int kFirstImageLineLow = 7;     // slots 1-4: lines 7-10
inline constexpr int kFirstImageLineHigh = 122;  // slots 5-8: lines 122-125
inline constexpr int kImageSlotsPerGroup = 4;
[[nodiscard]] constexpr int imageLine(int slot) {  // slot 1..8
  return slot <= kImageSlotsPerGroup ? kFirstImageLineLow + slot - 1
                                     : kFirstImageLineHigh + slot - 1 - kImageSlotsPerGroup;
}

inline constexpr int kShapeSlots = 100;  // lines 12-111
[[nodiscard]] constexpr int shapeLine(int slot) { return slot + 11; }

inline constexpr int kTextSlots = 100;  // lines 127-226
[[nodiscard]] constexpr int textLine(int slot) { return slot + 126; }

// Items: company information and receipt fields, line = tag + kItemBase.
inline constexpr int kItemBase = 140;
inline constexpr int kFirstItemTag = 88;
inline constexpr int kLastItemTag = 126;          // the last item of the original format
inline constexpr int kLastExtendedItemTag = 135;  // the last item of the extension lines
[[nodiscard]] constexpr bool isItemTag(int tag) {
  return tag >= kFirstItemTag && tag <= kLastExtendedItemTag;
}
[[nodiscard]] constexpr int itemLine(int tag) { return tag + kItemBase; }

inline constexpr int kCompanyName1 = 228;
inline constexpr int kCompanyName2 = 229;
inline constexpr int kBusiness = 230;
inline constexpr int kAddress1 = 231;
inline constexpr int kAddress2 = 232;
inline constexpr int kTelephone = 233;
inline constexpr int kFax = 234;
inline constexpr int kWebAddress = 235;
inline constexpr int kMailAddress = 236;
inline constexpr int kOther1 = 237;
inline constexpr int kOther2 = 238;

// The receipt handed over ("提　出"); the stub ("控　部") holds the same
// twelve values kStubOffset lines further on.
inline constexpr int kNumber = 239;
inline constexpr int kAddressee = 240;
inline constexpr int kAmount = 241;  // the only item that carries the amount marks
inline constexpr int kDescription1 = 242;
inline constexpr int kDescription2 = 243;
inline constexpr int kBilled = 244;
inline constexpr int kEraYear = 245;
inline constexpr int kMonth = 246;
inline constexpr int kDay = 247;
inline constexpr int kBeforeTax = 248;
inline constexpr int kTaxRate = 249;
inline constexpr int kTaxAmount = 250;
inline constexpr int kStubOffset = 12;
inline constexpr int kStubNumber = 251;
inline constexpr int kStubAmount = 253;

// Two-line addressee, used instead of kAddressee when the second line is set.
inline constexpr int kAddresseeLine1 = 263;
inline constexpr int kAddresseeLine2 = 264;
inline constexpr int kStubAddresseeLine1 = 265;
inline constexpr int kStubAddresseeLine2 = 266;

// ---- after the original format

// Company information: the issuer's registration number of a qualified
// invoice, "T" and thirteen digits (item 127).
inline constexpr int kRegistrationNumber = 267;

// Amount and tax by rate on the receipt (items 128 to 131); the stub holds
// the same four kStubRateOffset lines further on (items 132 to 135).
// "対象" is the net or the gross amount, as the layout's own text says.
inline constexpr int kAmount10 = 268;  // 10%対象
inline constexpr int kTax10 = 269;     // 10%消費税
inline constexpr int kAmount8 = 270;   // 8%対象
inline constexpr int kTax8 = 271;      // 8%消費税
inline constexpr int kStubRateOffset = 4;
inline constexpr int kStubAmount10 = 272;
inline constexpr int kStubTax10 = 273;
inline constexpr int kStubAmount8 = 274;
inline constexpr int kStubTax8 = 275;

// The company information items in the order the page "自社情報" lists
// them: 会社名１ … その他2 (lines 228 to 238), then 登録番号 (line 267).
inline constexpr int kCompanyItems = 12;
[[nodiscard]] constexpr int companyLine(int index) {
  return index < kCompanyItems - 1 ? kCompanyName1 + index : kRegistrationNumber;
}
// The index of a company information line; -1 for any other line.
[[nodiscard]] constexpr int companyIndex(int line) {
  if (line >= kCompanyName1 && line <= kOther2) return line - kCompanyName1;
  return line == kRegistrationNumber ? kCompanyItems - 1 : -1;
}

// What a line holds, for the commands that treat each kind of element
// alike: the preview's picking, the widths of texts and the clearing of a
// line.
[[nodiscard]] constexpr bool isShapeLine(long long line) {
  return line >= shapeLine(1) && line <= shapeLine(kShapeSlots);
}
[[nodiscard]] constexpr bool isTextLine(long long line) {
  return line >= textLine(1) && line <= textLine(kTextSlots);
}
// The company information and the receipt's items, lines 228 to 275.
[[nodiscard]] constexpr bool isItemLine(long long line) {
  return line >= itemLine(kFirstItemTag) && line <= itemLine(kLastExtendedItemTag);
}
[[nodiscard]] constexpr bool isImageLine(long long line) {
  const auto inGroup = [line](int first) {
    return line >= first && line < first + kImageSlotsPerGroup;
  };
  return inGroup(kFirstImageLineLow) || inGroup(kFirstImageLineHigh);
}

}  // namespace kelvane::slotmap
