#include "printing/printer_paper.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

namespace kelvane {

namespace {

// Styles name papers by the Windows paper numbers; codes above these were
// never written by the style editor.
constexpr int kLastAppliedCode = 118;
constexpr int kLastCapturedCode = 41;

}  // namespace

void ApplyStylePaper(QPrinter& printer, int paperSizeCode, int landscapeFlag) {
  if (paperSizeCode >= 1 && paperSizeCode <= kLastAppliedCode) {
    const QPageSize::PageSizeId id = QPageSize::id(paperSizeCode);
    if (id != QPageSize::Custom) printer.setPageSize(QPageSize(id));
  }
  printer.setPageOrientation(landscapeFlag != 0 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

StylePaper CapturePrinterPaper(const QPrinter& printer) {
  const QPageLayout layout = printer.pageLayout();
  const int windowsId = layout.pageSize().windowsId();
  StylePaper paper;
  paper.paperSizeCode = windowsId >= 1 && windowsId <= kLastCapturedCode ? windowsId : 0;
  paper.paperSource = static_cast<int>(printer.paperSource());
  paper.landscapeFlag = layout.orientation() == QPageLayout::Landscape ? 1 : 0;
  return paper;
}

}  // namespace kelvane
