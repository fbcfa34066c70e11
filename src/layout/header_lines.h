#pragma once
// Lines 0 to 5 of the layout: the style's settings, written from the host's
// controls before the layout is drawn or saved.

#include "layout/layout_document.h"
#include "layout/layout_host.h"

namespace kelvane {

inline constexpr char kVersionInMemory[] = "[Version1.1]";
inline constexpr char kVersionInFile[] = "[Version2.0]";

void RebuildHeaderLines(LayoutDocument& document, const LayoutHost& host);

}  // namespace kelvane

namespace kelvane {

// The style settings a loaded layout carries in lines 2 and 3. Numbers that
// are not whole numbers read as 0; the line weight offset stays text.
struct StyleHeader {
  int offsetX = 0;  // whole millimetres
  int offsetY = 0;
  QByteArray lineWeightOffset;
  int previewMode = 0;
  int paperSizeCode = 0;
  int landscapeFlag = 0;
  int paperSourceCode = 0;
  int receiptWidth = 0;  // whole millimetres
  int receiptHeight = 0;
};

[[nodiscard]] StyleHeader ReadStyleHeader(const LayoutDocument& document);

}  // namespace kelvane
