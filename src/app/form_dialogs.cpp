#include "app/form_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrinter>

namespace kelvane {

namespace {

const QString kStyleFilter = QStringLiteral("領収書作成-(RCD) (*.rcd)");

QString chooseStyle(QWidget* parent, const QString& proposed, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  dialog.setNameFilter(kStyleFilter);
  dialog.setDefaultSuffix(QStringLiteral("rcd"));
  const QFileInfo info(proposed);
  if (info.isDir()) {
    dialog.setDirectory(proposed);
  } else {
    dialog.setDirectory(info.absolutePath());
    dialog.selectFile(info.fileName());
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace

FormDialogs DesktopDialogs() {
  FormDialogs d;
  d.openStyle = [](QWidget* parent, const QString& proposed) {
    return chooseStyle(parent, proposed, QFileDialog::AcceptOpen);
  };
  d.saveStyle = [](QWidget* parent, const QString& proposed) {
    return chooseStyle(parent, proposed, QFileDialog::AcceptSave);
  };
  d.printPdf = [](QWidget* parent) {
    // A receipt mailed as a PDF is no paper document: it takes no revenue stamp.
    return QFileDialog::getSaveFileName(
        parent,
        QStringLiteral("PDF ファイルに印刷 - 紙で渡さずPDFだけで送る領収書には収入印紙は不要です"),
        QString(), QStringLiteral("PDF (*.pdf)"));
  };
  d.styleTitle = [](QWidget* parent, const QString& current) {
    bool ok = false;
    const QString title = QInputDialog::getText(parent, QStringLiteral("ネムリカ"),
                                                QStringLiteral("用紙のタイトルを入力して下さい"),
                                                QLineEdit::Normal, current, &ok);
    return ok ? title : current;
  };
  d.askText = [](QWidget* parent, const QString& caption, const QString& prompt,
                 const QString& initial) -> std::optional<QString> {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(initial);
    // A whole address or company line shows at once (they run to some forty
    // full-width characters), and the old text is selected: typing
    // replaces it.
    const int wholeLine = dialog.fontMetrics().horizontalAdvance(QString(40, QChar(0x3042)));
    if (auto* edit = dialog.findChild<QLineEdit*>()) {
      edit->setMinimumWidth(wholeLine);
      edit->selectAll();
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
  };
  d.openRegister = [](QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("データファイル"), QString(),
                       QStringLiteral("領収書作成- (*.klv)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDefaultSuffix(QStringLiteral("klv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
  };
  d.openCsv = [](QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("CSVから一括発行"), QString(),
                                        QStringLiteral("CSV (*.csv);;すべてのファイル (*)"));
  };
  d.printerSetup = [](QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
  };
  d.choosePicture = [](QWidget* parent, const QString& folder) {
    return QFileDialog::getOpenFileName(
        parent, QStringLiteral("画像ファイル"), folder,
        QStringLiteral("画像 (*.bmp *.jpg *.jpeg *.png);;ﾋﾞｯﾄﾏｯﾌﾟ (*.bmp);;JPEG (*.jpg *.jpeg);;"
                       "PNG (*.png)"));
  };
  d.chooseFont = [](QWidget* parent, const FontChoice& initial) -> std::optional<FontChoice> {
    // Layouts name Windows faces (ＭＳ 明朝); the dialog lists this
    // system's faces only, so it starts on the face standing in for the
    // item's. Left on it, the item keeps its own face name.
    const QString shownFamily = QFontInfo(QFont(initial.family)).family();
    QFont start(shownFamily, initial.pointSize > 0 ? initial.pointSize : 10);
    start.setBold(initial.bold);
    start.setItalic(initial.italic);
    start.setUnderline(initial.underline);
    start.setStrikeOut(initial.strikeOut);
    QFontDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("フォント"));
    dialog.setCurrentFont(start);
    // A face without a bold or italic style starts on its regular one; the
    // item's style stays unless the user picks another.
    const QFont shownAtStart = dialog.currentFont();
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QFont font = dialog.selectedFont();
    FontChoice chosen = initial;
    chosen.family = font.family() == shownFamily ? initial.family : font.family();
    chosen.pointSize = font.pointSize() > 0 ? font.pointSize() : qRound(font.pointSizeF());
    if (font.family() != shownAtStart.family() || font.bold() != shownAtStart.bold() ||
        font.italic() != shownAtStart.italic()) {
      chosen.bold = font.bold();
      chosen.italic = font.italic();
    }
    chosen.underline = font.underline();
    chosen.strikeOut = font.strikeOut();
    return chosen;
  };
  d.chooseColour = [](QWidget* parent, const QColor& initial) -> std::optional<QColor> {
    const QColor colour = QColorDialog::getColor(initial, parent, QStringLiteral("色の設定"));
    if (!colour.isValid()) return std::nullopt;
    return colour;
  };
  return d;
}

}  // namespace kelvane
