#pragma once
// Command line of kelvane-render:
//   kelvane-render [--print | --preview] [--dpi N] [--zoom PERCENT]
//                  [--screen-dpi N] INPUT OUTPUT
// OUTPUT ends in .png or .pdf.

#include "text/expected.h"

#include <QString>
#include <QStringList>

namespace kelvane {

struct RenderOptions {
  bool print = false;  // the printer pass on an A4 page; else the preview pass
  int printerDpi = 600;
  int zoomPercent = 70;  // 10..100, as the preview's zoom bar
  int screenDpi = 96;
  QString input;
  QString output;
  bool pdf = false;  // output is a PDF file; else a PNG picture
};

// `arguments` without the program name.
[[nodiscard]] Expected<RenderOptions> ParseRenderOptions(const QStringList& arguments);

[[nodiscard]] QString RenderUsage();

}  // namespace kelvane
