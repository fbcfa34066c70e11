#include "app/main_menu.h"

#include "app/info_tools.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace kelvane {

namespace {

QAction* item(QMenu* menu, const QString& caption, const QKeySequence& shortcut = {}) {
  QAction* action = menu->addAction(caption);
  if (!shortcut.isEmpty()) {
    action->setShortcut(shortcut);
    // The shortcuts act wherever the focus is in the main window.
    action->setShortcutContext(Qt::WindowShortcut);
  }
  return action;
}

QAction* checked(QMenu* menu, const QString& caption, bool on) {
  QAction* action = item(menu, caption);
  action->setCheckable(true);
  action->setChecked(on);
  return action;
}

}  // namespace

void MainMenu::build(QMenuBar* bar, QObject*) {
  QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
  releaseVersion = item(file, QStringLiteral("リリースバージョン"));
  printerSetup = item(file, QStringLiteral("用紙設定"));
  Print1 = item(file, QStringLiteral("印  刷"), QKeySequence(Qt::CTRL | Qt::Key_P));
  printToPdf = item(file, QStringLiteral("PDFに出力"));
  issueFromCsv = item(file, QStringLiteral("CSVから一括発行…"));
  file->addSeparator();
  quit = item(file, QStringLiteral("終  了"), QKeySequence(Qt::Key_End));

  QMenu* edit = bar->addMenu(QStringLiteral("編集(&E)"));
  undo = item(edit, QStringLiteral("元に戻す"), QKeySequence(Qt::CTRL | Qt::Key_Z));
  redo = item(edit, QStringLiteral("やり直し"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  undo->setEnabled(false);
  redo->setEnabled(false);

  QMenu* master = bar->addMenu(QStringLiteral("マスター登録"));
  registerAddressees = item(master, QStringLiteral("宛名登録"));
  registerDescriptions1 = item(master, QStringLiteral("摘要1登録"));
  registerDescriptions2 = item(master, QStringLiteral("摘要2登録"));
  registerStaff = item(master, QStringLiteral("社内担当者登録"));

  QMenu* view = bar->addMenu(QStringLiteral("ビュー(&W)"));
  showReceiptPage = item(view, QStringLiteral("領収書発行"), QKeySequence(Qt::Key_F2));
  showCompanyPage = item(view, QStringLiteral("自社情報"), QKeySequence(Qt::Key_F3));
  showRegisterList =
      item(view, QStringLiteral("領収書ファイルを一覧表で見る"), QKeySequence(Qt::Key_F9));
  showEnvironmentPage = item(view, QStringLiteral("環境設定"));
  view->addSeparator();
  useTabs = checked(view, QStringLiteral("タブメニュ－を使用する"), true);
  showTitleBar = checked(view, QStringLiteral("タイトルバーを表示する"), true);
  useTopBar = checked(view, QStringLiteral("トップバーを使用する"), true);
  showStatusBar = checked(view, QStringLiteral("ステータスバーを表示する"), true);

  QMenu* receipt = bar->addMenu(QStringLiteral("領収書関係(&R)"));
  newReceipt = item(receipt, QStringLiteral("新規領収書作成"), QKeySequence(Qt::Key_F4));
  recordReceipt = item(receipt, QStringLiteral("領収書発行リストに記録"), QKeySequence(Qt::Key_F5));
  deleteShown = item(receipt, QStringLiteral("表示中の領収書を削除"),
                     QKeySequence(Qt::CTRL | Qt::Key_Delete));
  receipt->addSeparator();
  clearDate = item(receipt, QStringLiteral("日付をクリア－にする"));
  removeTax = item(receipt, QStringLiteral("消費税を抜きにする"));
  showTaxTable = item(receipt, QStringLiteral("印紙税額表を見る"));

  QMenu* style = bar->addMenu(QStringLiteral("スタイル設定"));
  N16 = item(style, QStringLiteral("スタイルデ－タを読み込む"));
  N17 = item(style, QStringLiteral("スタイルデ－タを保存する"));
  style->addSeparator();
  showStylePage = item(style, QStringLiteral("用紙スタイル設定"));
  showPositionsPage = item(style, QStringLiteral("データ印刷位置設定"));
  showImagesPage = item(style, QStringLiteral("画像設定"));
  linesMenu = style->addMenu(QStringLiteral("線関係設定"));
  insertShapeRow = item(linesMenu, QStringLiteral("一行挿入"));
  exchangeShapeRow = item(linesMenu, QStringLiteral("交　換"));
  deleteShapeRow = item(linesMenu, QStringLiteral("選択中の行を削除"));
  textsMenu = style->addMenu(QStringLiteral("文字関係設定"));
  insertTextRow = item(textsMenu, QStringLiteral("一行挿入"));
  exchangeTextRow = item(textsMenu, QStringLiteral("交換"));
  deleteTextRow = item(textsMenu, QStringLiteral("選択中の行を削除"));
  style->addSeparator();
  N13 = item(style, QStringLiteral("スタイルデ－タをクリアにする"));
  N42 = checked(style, QStringLiteral("印刷されるものだけを表示"), false);

  QMenu* info = bar->addMenu(QStringLiteral("Information(&I)"));
  manual =
      item(info, QStringLiteral("取扱説明書"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F1));
  taxTable = item(info, QStringLiteral("印紙税額の一覧表"));
  kanjiCheck = item(info, QStringLiteral("漢数字変換確認"));
  info->addSeparator();
  supportMail = item(info, QString::fromUtf8(kSupportMailCaption));
  webPage = item(info, QString::fromUtf8(kWebPageCaption));
  info->addSeparator();
  textEditor = item(info, QStringLiteral("メモ帳を起動"));
  memoryReport = item(info, QStringLiteral("メモリ－確認"));
  screenReport = item(info, QStringLiteral("画面の解像度確認"));
}

}  // namespace kelvane
