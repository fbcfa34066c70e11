// The shop's company information when a style is loaded over its layout:
// what is asked, and the records either answer leaves, byte for byte.

#include "styles/company_info.h"

#include "layout/layout_slots.h"
#include "text/cp932.h"

#include <gtest/gtest.h>

#include <map>

namespace kelvane {
namespace {

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

using Lines = std::map<int, QByteArray>;

LayoutDocument layoutWith(const Lines& lines) {
  LayoutDocument layout;
  for (const auto& [line, record] : lines) layout.setLine(line, record);
  return layout;
}

// The shop: company name, an address with commas, 登録番号; a damaged X in
// その他1 (its text is still the shop's).
const Lines kShop = {
    {slotmap::kCompanyName1, sj("char,0,118,70,ＭＳ 明朝,13,太字,0,0,0,ねむりか工房")},
    {slotmap::kAddress1, sj("char,0,118,87,ＭＳ 明朝,8,,0,0,0,大阪市北区1-2-3,4F")},
    {slotmap::kFax, "char,0,118,99,A,8,,0,0,0,FAX 06-0000-0000"},
    {slotmap::kOther1, sj("char,0,X,5,ＭＳ 明朝,8,,0,0,0,年中無休")},
    {slotmap::kRegistrationNumber, sj("char,0,131,80.5,ＭＳ 明朝,8,,0,0,0,T1234567890123")},
};

TEST(CompanyInfo, OnlyTextsOfTheStylesOwnAreAskedAbout) {
  const struct {
    const char* what;
    Lines style;
    int asked;  // the first item to choose, -1: none
  } cases[] = {
      {"a style without texts, placed elsewhere",
       {{slotmap::kCompanyName1, "char,1,8,100,A,12,,0,1,255,"}},
       -1},
      {"the empty layout", {}, -1},
      {"another shop's name",
       {{slotmap::kCompanyName1, sj("char,0,8,100,A,12,,0,0,0,見本商店")}},
       0},
      {"only another registration number",
       {{slotmap::kRegistrationNumber, "char,0,1,1,A,8,,0,0,0,T9"}},
       11},
      {"a TEL the shop has not typed, after its own name",
       {{slotmap::kCompanyName1, sj("char,0,1,1,B,9,,0,0,0,ねむりか工房")},
        {slotmap::kTelephone, "char,0,1,1,B,9,,0,0,0,TEL 03"}},
       5},
      // The shop's own older style: what it has is the shop's, what it
      // lacks the shop fills in.
      {"the same texts at other places, FAX left out",
       {{slotmap::kCompanyName1, sj("char,0,1,1,B,9,,0,0,0,ねむりか工房")},
        {slotmap::kAddress1, sj("char,0,1,2,B,9,,0,0,0,大阪市北区1-2-3,4F")},
        {slotmap::kOther1, sj("char,0,1,3,B,9,,0,0,0,年中無休")},
        {slotmap::kRegistrationNumber, sj("char,0,1,4,B,9,,0,0,0,")}},
       -1},
      // Text after ten commas of a record that is no "char" is no text.
      {"a text in a record of another kind",
       {{slotmap::kCompanyName1, "line,0,1,1,2,2,1,a,0,0,x"}},
       -1},
  };
  const LayoutDocument shop = layoutWith(kShop);
  for (const auto& c : cases) {
    EXPECT_EQ(FirstCompanyTextToChoose(shop, layoutWith(c.style)), c.asked) << c.what;
  }
  // A shop that has typed nothing yet is asked too: the style's texts may
  // well be another shop's.
  EXPECT_EQ(FirstCompanyTextToChoose(LayoutDocument(), layoutWith(cases[2].style)), 0);
  EXPECT_EQ(FirstCompanyTextToChoose(LayoutDocument(), LayoutDocument()), -1);
}

// Either answer, every company line byte for byte; every other line is the
// style's.
TEST(CompanyInfo, KeepingTheShopsTextsTakesEverythingElseFromTheStyle) {
  const Lines style = {
      {slotmap::kCompanyName1, sj("char,1,8,100,ＭＳ ゴシック,12,太字斜体,-0.5,1,255,見本商店")},
      {slotmap::kCompanyName2, sj("char,0,8,104,ＭＳ 明朝,8,,0,0,0,代表 見本太郎")},
      {slotmap::kAddress1, "char,0,8,107,A,8,,0,0,0,"},  // placed, no text
      // FAX and その他1 are not placed by the style; 住所2 short of fields.
      {slotmap::kAddress2, "char,0,8,111"},
      {slotmap::kRegistrationNumber, "char,0,60,20,A,7,,0,0,0,T9999999999999"},
      {12, "rect,0,1,1,50,50,1,a,0,"},
      {slotmap::kCompanyName1 - 1, "char,0,1,1,A,8,,0,0,0,free text"},
  };
  const Lines keep = {
      {slotmap::kCompanyName1,
       sj("char,1,8,100,ＭＳ ゴシック,12,太字斜体,-0.5,1,255,ねむりか工房")},
      {slotmap::kCompanyName2, sj("char,0,8,104,ＭＳ 明朝,8,,0,0,0,")},
      {slotmap::kAddress1, sj("char,0,8,107,A,8,,0,0,0,大阪市北区1-2-3,4F")},
      {slotmap::kAddress2, "char,0,8,111,,,,,,,"},
      {slotmap::kFax, "char,1,118,99,A,8,,0,0,0,FAX 06-0000-0000"},  // kept, not printed
      {slotmap::kOther1, ","},  // the shop's record could not be drawn
      {slotmap::kRegistrationNumber, "char,0,60,20,A,7,,0,0,0,T1234567890123"},
  };
  const LayoutDocument shop = layoutWith(kShop);
  LayoutDocument merged = layoutWith(style);
  KeepShopCompanyTexts(merged, shop);
  const LayoutDocument untouched = layoutWith(style);
  ASSERT_EQ(merged.lineCount(), untouched.lineCount());
  for (int line = 0; line < merged.lineCount(); ++line) {
    const auto kept = keep.find(line);
    const QByteArray expected = kept != keep.end() ? kept->second : untouched.line(line);
    EXPECT_EQ(merged.line(line), expected) << "line " << line;
  }
  for (int i = 0; i < slotmap::kCompanyItems; ++i) {
    if (slotmap::companyLine(i) == slotmap::kOther1) continue;
    EXPECT_EQ(CompanyText(merged, i), CompanyText(shop, i)) << i;
  }
  // The parked text is placed again by the next style that has a place.
  LayoutDocument placing = layoutWith({{slotmap::kFax, "char,0,5,5,A,8,,0,0,0,"}});
  KeepShopCompanyTexts(placing, merged);
  EXPECT_EQ(placing.line(slotmap::kFax), "char,0,5,5,A,8,,0,0,0,FAX 06-0000-0000");
  // Kept once, kept again: nothing more changes.
  LayoutDocument again = merged;
  KeepShopCompanyTexts(again, shop);
  EXPECT_EQ(again.lines(), merged.lines());
}

}  // namespace
}  // namespace kelvane
