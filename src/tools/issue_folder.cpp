#include "tools/issue_folder.h"

#include "layout/field_cursor.h"
#include "layout/header_lines.h"
#include "layout/layout_slots.h"
#include "layout/preview_geometry.h"
#include "printing/printer_query.h"
#include "receipt/numbering.h"
#include "settings/program_folder.h"
#include "styles/style_file.h"
#include "text/fixed_point.h"
#include "text/layout_text.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>

namespace kelvane {

namespace {

// The window's screen resolution stands in: the printer pass takes its font
// sizes from the preview's resolution at the zoom.
constexpr int kScreenDpi = 96;

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

void readStyleSettings(IssueFolder& f, bool currentLayout) {
  const StyleHeader h = ReadStyleHeader(f.layout);
  const ConfRead& c = f.conf;
  const bool useConf = currentLayout;  // the window puts the settings over the current layout
  f.offsetX = fixed::fromWhole(useConf && c.offsetX ? *c.offsetX : h.offsetX);
  f.offsetY = fixed::fromWhole(useConf && c.offsetY ? *c.offsetY : h.offsetY);
  f.receiptWidth = fixed::fromWhole(useConf && c.sizeX ? *c.sizeX : h.receiptWidth);
  f.receiptHeight = fixed::fromWhole(useConf && c.sizeY ? *c.sizeY : h.receiptHeight);
  f.previewMode = (useConf && c.stylePreview ? *c.stylePreview : h.previewMode) == 1 ? 1 : 0;
  f.zoomPercent = std::clamp(c.barAvrg.value_or(70), 10, 100);
  f.paperSizeCode = h.paperSizeCode >= 1 && h.paperSizeCode <= 41 ? h.paperSizeCode : 0;
  f.landscapeFlag = h.landscapeFlag;
}

void readReceiptSettings(IssueFolder& f) {
  const ConfRead& c = f.conf;
  const auto on = [&c](ConfFlag flag) { return c.flag(flag).value_or(false); };
  f.text.kanjiAmount = on(ConfFlag::Kansuji);
  f.text.yenMark = on(ConfFlag::TopMark);
  f.text.dashMark = on(ConfFlag::EndMark);
  f.text.zeroDisplay = !on(ConfFlag::Zero);
  f.numbering.automatic = on(ConfFlag::AutoNumber);
  f.numbering.header = FromLayoutText(c.headerChar.value_or(QByteArray()));
  f.numbering.digitCount = DigitCount(FromLayoutText(c.headerNumber.value_or(QByteArray())));
  f.numbering.lastNumber =
      WholeNumber(FromLayoutText(c.lastNumber.value_or(QByteArray()))).value_or(1);
  // The tax of each rate is rounded as the receipt page is set to.
  if (c.taxRounding) {
    if (const auto r = TaxRoundingNamed(FromLayoutText(*c.taxRounding))) f.tax.rounding = *r;
  }
  // The issuer's registration number is the layout's company item 登録番号.
  f.tax.registrationNumber =
      FromLayoutText(CharRecordText(f.layout.line(slotmap::kRegistrationNumber)));
}

}  // namespace

Expected<IssueFolder> ReadIssueFolder(const QString& folder, const QString& stylePath) {
  IssueFolder f;
  f.folder = QDir(folder).absolutePath();
  if (!QFileInfo(f.folder).isDir())
    return Failure{QStringLiteral("フォルダー「%1」がありません。").arg(shown(f.folder))};
  const QDir dir(f.folder);
  f.confPath = dir.filePath(QString::fromLatin1(kSettingsFileName));
  auto conf = ReadConfFile(f.confPath);
  if (!conf) return Failure{conf.error()};
  f.conf = *conf;

  const QString layoutPath =
      stylePath.isEmpty() ? dir.filePath(QString::fromLatin1(kCurrentLayoutFileName)) : stylePath;
  if (auto loaded = LoadStyleFile(f.layout, layoutPath); !loaded) return Failure{loaded.error()};
  readStyleSettings(f, stylePath.isEmpty());
  readReceiptSettings(f);

  // The register the window uses: the one the settings name, else the
  // folder's own. A named register elsewhere that is not there (a stick
  // pulled out, a share not mounted) is never made anew by a batch; the
  // folder's own register is made by the first receipt recorded, as in the
  // window.
  const QString own = QDir::cleanPath(dir.filePath(QString::fromLatin1(kDefaultRegisterName)));
  const bool named = f.conf.dataName && !f.conf.dataName->isEmpty();
  f.registerPath = named ? QDir::cleanPath(FromLayoutText(*f.conf.dataName)) : own;
  f.registerNamed = f.registerPath != own;
  return f;
}

RenderSettings IssueRenderSettings(const IssueFolder& f, const QPrinter& device) {
  RenderSettings s;
  s.offsetX = f.offsetX;
  s.offsetY = f.offsetY;
  s.previewMode = f.previewMode;
  s.lineWeightOffset = ReadStyleHeader(f.layout).lineWeightOffset;
  s.zoomPercent = f.zoomPercent;
  s.registerPath = f.registerPath;
  s.metrics = UpdatePrinterMetrics(device, kScreenDpi, kScreenDpi);
  s.previewResolution = ComputePreviewGeometry(s.metrics, f.zoomPercent, f.previewMode,
                                               f.receiptWidth, f.receiptHeight)
                            .resolutionX;
  return s;
}

Expected<void> SaveIssueNumbering(const IssueFolder& f, qint64 lastNumber) {
  ConfWrite state;
  state.headerChar = f.conf.headerChar.value_or(QByteArray());
  state.headerNumber = f.conf.headerNumber.value_or(QByteArray());
  state.lastNumber = QByteArray::number(lastNumber);
  return UpdateConfNumbering(f.confPath, state);
}

}  // namespace kelvane
