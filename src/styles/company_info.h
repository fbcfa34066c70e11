#pragma once
// The shop's company information (会社名１ … その他2 and 登録番号) when a
// style is loaded over the current layout: the texts are the shop's own,
// the places, fonts and colours the style's. QtCore only; texts are cp932.

#include "layout/layout_document.h"

#include <QByteArray>

namespace kelvane {

// The text of company item `index` (0 to 11, the order of the page
// "自社情報"): the text of its "char" record, empty when the layout does
// not place the item.
[[nodiscard]] QByteArray CompanyText(const LayoutDocument& layout, int index);

// The first company item (index as above) for which `style` brings a text
// of its own: not empty and not the shop's. -1 when there is none, and the
// shop's texts are kept without asking: the style's texts are then each
// empty or the shop's already.
[[nodiscard]] int FirstCompanyTextToChoose(const LayoutDocument& shop, const LayoutDocument& style);

// The company records of `style` with the texts of `shop`: where the style
// places an item, its record keeps every field before the text (position,
// font, size, decoration, spacing, writing direction, colour, preview flag)
// and takes the shop's text. Where the style does not place an item (no
// "char" record, as in the empty layout or a file of the original format
// without 登録番号), the shop's record is kept with "プレビュ－のみ" set: not
// printed, yet still the shop's text for the company page and for the next
// style that places it. A shop record the preview could not draw is not
// kept there.
void KeepShopCompanyTexts(LayoutDocument& style, const LayoutDocument& shop);

}  // namespace kelvane
