#include "app/style_commands.h"

#include "app/message_boxes.h"
#include "app/pages/company_info_page.h"
#include "app/pages/images_page.h"
#include "app/pages/lines_page.h"
#include "app/pages/style_settings_page.h"
#include "app/pages/texts_page.h"
#include "app/preview_placing.h"
#include "app/receipt_draft.h"
#include "app/receipt_main_form.h"
#include "app/register_commands.h"
#include "layout/header_lines.h"
#include "printing/printer_paper.h"
#include "settings/program_folder.h"
#include "styles/company_info.h"
#include "styles/style_contents.h"
#include "styles/style_file.h"
#include "text/layout_text.h"
#include "widgets/nval_edit.h"
#include "widgets/str_col_grid.h"

#include <QDir>
#include <QLabel>

namespace kelvane {

namespace {

QColor fromLayoutColour(quint32 bgr) {
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

void fillHeaderSettings(ReceiptMainForm& form, const StyleContents& c) {
  StyleSettingsPage* page = form.stylePage;
  page->stylebtn->setText(FromLayoutText(c.title));
  page->ofxbox->setValue(c.header.offsetX);
  page->ofYbox->setValue(c.header.offsetY);
  page->ps->setText(FromLayoutText(c.header.lineWeightOffset));
  page->setPreviewMode(c.header.previewMode);
  const int size = c.header.paperSizeCode;
  form.stylePaperSize = size >= 1 && size <= 41 ? size : 0;
  form.styleLandscape = c.header.landscapeFlag;
  form.stylePaperSource = c.header.paperSourceCode;
  ApplyStylePaper(form.printer(), form.stylePaperSize, form.styleLandscape);
  form.UpdatePrinterMetrics();
  page->d3->setValue(c.header.receiptWidth);
  page->d4->setValue(c.header.receiptHeight);
}

void fillImages(ImagesPage& page, const StyleContents& c) {
  for (int i = 0; i < 8; ++i) {
    page.ix[i]->setText(FromLayoutText(c.images[i].x));
    page.iy[i]->setText(FromLayoutText(c.images[i].y));
    page.im[i]->setText(FromLayoutText(c.images[i].file));
  }
}

void fillTexts(TStrColGrid& grid, const StyleContents& c) {
  grid.BeginUpdate();
  for (int row = 1; row <= 100; ++row) grid.SetCells(1, row, FromLayoutText(c.texts[row - 1]));
  grid.EndUpdate();
}

QString styleFolder() { return ProgramFile(QString::fromLatin1(kStyleFolderName)); }

}  // namespace

void FillShapeList(TStrColGrid& grid, const StyleContents& c) {
  grid.BeginUpdate();
  for (int row = 1; row <= 100; ++row) {
    const ShapeRow& shape = c.shapes[row - 1];
    grid.SetRowTexts(row,
                     {QString(), FromLayoutText(shape.kindCaption), FromLayoutText(shape.corners),
                      QString(), FromLayoutText(shape.penStyle), FromLayoutText(shape.kind)});
    grid.SetCellColor(3, row, fromLayoutColour(shape.colour));
  }
  grid.EndUpdate();
}

void FillStyleEditors(ReceiptMainForm& form, const StyleContents& c) {
  fillHeaderSettings(form, c);
  FillElementEditors(form, c);
}

void FillElementEditors(ReceiptMainForm& form, const StyleContents& c) {
  fillImages(*form.imagesPage, c);
  FillShapeList(*form.linesPage->StrColGrid1, c);
  fillTexts(*form.textsPage->StrColGrid3, c);
  for (int i = 0; i < slotmap::kCompanyItems; ++i)
    form.companyPage->data[i]->setText(FromLayoutText(c.company[i]));
}

namespace {

enum class CompanyInfo { FromFile, ShopKeeps };

// The first item the two sides differ in, so the choice is made knowing
// what is at stake.
QString companyChoiceText(ReceiptMainForm& form, const LayoutDocument& shop,
                          const LayoutDocument& style, int item) {
  const QString shopText = FromLayoutText(CompanyText(shop, item));
  return QStringLiteral(
             "自社情報をどちらにしますか？\r\n\r\n"
             "%1\r\n"
             "　現在の自社情報: %2\r\n"
             "　スタイルの自社情報: %3\r\n\r\n"
             "「現在の自社情報」では会社名や住所は今のままで、"
             "位置と文字の形だけスタイルのものになります。")
      .arg(form.companyPage->captions[item]->text(),
           shopText.isEmpty() ? QStringLiteral("（なし）") : shopText,
           FromLayoutText(CompanyText(style, item)));
}

// The loaded style's company information against the shop's: the shop's
// texts stay unless the style brings texts of its own and the user takes
// them.
void settleCompanyInfo(ReceiptMainForm& form, const LayoutDocument& shop) {
  LayoutDocument& style = form.document();
  const int item = FirstCompanyTextToChoose(shop, style);
  if (item >= 0 && keep_or_change_box(
                       companyChoiceText(form, shop, style, item), QStringLiteral("現在の自社情報"),
                       QStringLiteral("スタイルの自社情報"), &form) == kBoxSecondButton)
    return;
  KeepShopCompanyTexts(style, shop);
}

bool loadStyle(ReceiptMainForm& form, const QString& path, CompanyInfo company) {
  // One step however many lines the file changes; a command that loads
  // names the step itself.
  const auto change = form.edits().step(QStringLiteral("スタイルの読み込み"));
  const LayoutDocument shop = form.document();
  const auto loaded = LoadStyleFile(form.document(), path);
  if (!loaded) {
    form.reportError(loaded.error() + QStringLiteral("\r\n今のレイアウトをそのまま使います。"));
    return false;
  }
  if (company == CompanyInfo::ShopKeeps) settleCompanyInfo(form, shop);
  form.previewPlacer->clearSelection();  // the element picked belonged to the other layout
  FillStyleEditors(form, ReadStyleContents(form.document()));
  if (loaded->padded) form.reportError(ShortStyleMessage(path, *loaded));
  return true;
}

}  // namespace

bool LoadStyleIntoForm(ReceiptMainForm& form, const QString& path) {
  return loadStyle(form, path, CompanyInfo::FromFile);
}

bool LoadStyleOverLayout(ReceiptMainForm& form, const QString& path) {
  return loadStyle(form, path, CompanyInfo::ShopKeeps);
}

void OpenStyleFile(ReceiptMainForm& form) {
  if (!KeepPrintedReceipt(form)) return;  // loading ends with a new receipt
  const QString path = form.dialogs.openStyle(&form, styleFolder());
  // The style and the new receipt after it are one change and one redraw.
  const auto change = form.edits().quiet();
  if (!path.isEmpty()) {
    const auto load = form.edits().step(QStringLiteral("スタイルを開く"));
    const QString registerPath = form.registerPathText();
    if (LoadStyleOverLayout(form, path)) {
      form.setCurrentStylePath(path);
      RebuildHeaderLines(form.document(), form);
      ApplyStylePaper(form.printer(), form.stylePaperSize, form.styleLandscape);
      form.UpdatePrinterMetrics();
    }
    form.setRegisterFieldText(registerPath);
  }
  StartNewReceipt(form);
}

void SaveStyleFile(ReceiptMainForm& form) {
  const QString proposed =
      form.currentStylePath().isEmpty() ? styleFolder() : form.currentStylePath();
  const QString path = form.dialogs.saveStyle(&form, proposed);
  if (!path.isEmpty()) {
    // The header lines as the controls show them, drawn as well.
    form.applyHeaderSettings();
    const auto saved = kelvane::SaveStyleFile(form.document(), path);
    if (saved) {
      info_box(QDir::toNativeSeparators(path) + QStringLiteral("を保存しました。"),
               QStringLiteral("確認"), &form);
    } else {
      form.reportError(saved.error());
    }
  }
}

void ClearStyle(ReceiptMainForm& form) {
  // Every frame, text and picture of the layout goes: Enter keeps them.
  if (confirm_box(
          QStringLiteral("スタイルデータをクリアにします。\r\n"
                         "今のレイアウトの線・文字・画像はすべて消えます"
                         "（自社情報の文字は、印刷しないプレビュ－のみの項目として残ります）。"
                         "よろしいですか？"),
          QStringLiteral("実行"), QStringLiteral("キャンセル"), &form,
          BoxDefault::Second) != kBoxFirstButton)
    return;
  const auto change = form.edits().step(QStringLiteral("スタイルデータのクリア"));
  LoadEmptyStyle(form);
}

void LoadEmptyStyle(ReceiptMainForm& form) {
  const auto change = form.edits().step(QStringLiteral("空のレイアウトの読み込み"));
  LoadStyleOverLayout(form, ProgramFile(QString::fromLatin1(kClearStyleFileName)));
  RebuildHeaderLines(form.document(), form);
  form.UpdatePrinterMetrics();
}

void OfferToMendLayout(ReceiptMainForm& form, qsizetype line, const QString& message) {
  const bool lineAtFault = line >= 0 && line < form.document().lineCount();
  const QString advice =
      lineAtFault
          ? QStringLiteral("レイアウトの %1 行目を消すか、空のレイアウトを読み込むことができます。")
                .arg(line + 1)
          : QStringLiteral(
                "スタイルの線の太さの調整が読めないため、行を消しても直りません。"
                "空のレイアウトを読み込むか、別のスタイルを開いてください。");
  const QString text =
      message + QStringLiteral("\r\n\r\nプレビューにはそこまでに描けたものを表示しています。") +
      advice +
      QStringLiteral(
          "\r\n閉じると、レイアウトはそのままです。描けないあいだは、終了してもファイルを書き換えま"
          "せん。");
  const int choice =
      choice_box(text, lineAtFault ? QStringLiteral("この行を消す") : QString(),
                 QStringLiteral("空のレイアウトを読む"), QStringLiteral("閉じる"), &form);
  if (choice == kBoxFirstButton) {
    ClearLayoutLine(form, line);
  } else if (choice == kBoxSecondButton) {
    LoadEmptyStyle(form);
  }
}

void ClearLayoutLine(ReceiptMainForm& form, qsizetype line) {
  {
    const auto change = form.edits().step(QStringLiteral("行の消去"));
    form.document().setLine(line, EmptiedElementRecord(line));
  }
  FillElementEditors(form, ReadStyleContents(form.document()));
}

void EnterStyleTitle(ReceiptMainForm& form) {
  QLabel* title = form.stylePage->stylebtn;
  title->setText(form.dialogs.styleTitle(&form, title->text()));
}

void SetUpPrinterPaper(ReceiptMainForm& form) {
  if (!form.dialogs.printerSetup(&form, form.printer())) return;
  form.UpdatePrinterMetrics();
  const StylePaper paper = CapturePrinterPaper(form.printer());
  form.stylePaperSize = paper.paperSizeCode;
  form.styleLandscape = paper.landscapeFlag;
  form.stylePaperSource = paper.paperSource;
  form.applyHeaderSettings();
}

}  // namespace kelvane
