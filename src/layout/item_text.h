#pragma once
// Putting a receipt value into its item slot.

#include "layout/layout_document.h"
#include "layout/layout_host.h"

#include <QByteArrayView>

namespace kelvane {

// The record at `line` with its first ten fields kept and `text` as its new
// text. A slot that held no "char" record becomes ten empty fields and the
// text: a record that is not drawn until the item is placed.
[[nodiscard]] QByteArray WithItemText(QByteArrayView record, QByteArrayView text);

// The amount text with the marks the host asks for: "\" or "金" in front,
// "-" or "也" behind (the kanji forms in kanji mode). Applied to any text,
// an empty one included.
[[nodiscard]] QByteArray WithAmountMarks(QByteArrayView text, const LayoutHost& host);

// Stores `text` (cp932) in item line `line`, with the amount marks on the
// amount received, then refreshes the preview.
void SetItemText(LayoutDocument& document, LayoutHost& host, int line, QByteArrayView text);

// The same without marks and without refreshing: for bulk updates, after
// which the caller refreshes once.
void SetItemTextQuiet(LayoutDocument& document, int line, QByteArrayView text);

}  // namespace kelvane
