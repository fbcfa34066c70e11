#pragma once
// What kelvane-issue takes from a program folder: the settings in
// "kelvane.conf", the register they name, and the layout to draw (the
// current one, "cardtemp.dat", or a style file), read as the window reads
// them at start.

#include "layout/layout_document.h"
#include "receipt/receipt.h"
#include "receipt/receipt_batch.h"
#include "render/renderer.h"
#include "settings/settings_file.h"
#include "text/expected.h"

#include <QString>

class QPrinter;

namespace kelvane {

struct IssueFolder {
  QString folder;
  QString confPath;
  ConfRead conf;
  LayoutDocument layout;
  QString registerPath;
  bool registerNamed = false;  // the settings name one elsewhere: it must be there
  ReceiptTextSettings text;
  ReceiptNumbering numbering;
  ReceiptTaxSettings tax;
  // The style's settings: the settings file's where it has them and the
  // current layout is drawn, else the layout's own.
  qint64 offsetX = 0;  // millimetres, fixed point
  qint64 offsetY = 0;
  qint64 receiptWidth = 0;
  qint64 receiptHeight = 0;
  int previewMode = 0;
  int zoomPercent = 70;
  int paperSizeCode = 0;
  int landscapeFlag = 0;
};

// Reads the folder; `stylePath` empty draws the current layout.
[[nodiscard]] Expected<IssueFolder> ReadIssueFolder(const QString& folder,
                                                    const QString& stylePath);

// The render settings of the printer pass on `device`, as the window's
// print command makes them.
[[nodiscard]] RenderSettings IssueRenderSettings(const IssueFolder& f, const QPrinter& device);

// The last number after a recorded batch into the settings file, its other
// lines kept.
[[nodiscard]] Expected<void> SaveIssueNumbering(const IssueFolder& f, qint64 lastNumber);

}  // namespace kelvane
