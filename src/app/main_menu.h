#pragma once
// The main window's menu bar: every item with its caption and shortcut.
// The window connects the items to its commands.

#include <QObject>

class QAction;
class QMenu;
class QMenuBar;

namespace kelvane {

struct MainMenu {
  // "ファイル(&F)"
  QAction* releaseVersion = nullptr;
  QAction* printerSetup = nullptr;
  QAction* Print1 = nullptr;        // Ctrl+P
  QAction* printToPdf = nullptr;    // "PDFに出力": the printer's page as a PDF file
  QAction* issueFromCsv = nullptr;  // "CSVから一括発行…": many receipts from a list
  QAction* quit = nullptr;          // End
  // "編集(&E)": the layout's undo history. The captions name the step.
  QAction* undo = nullptr;  // "元に戻す", Ctrl+Z
  QAction* redo = nullptr;  // "やり直し", Ctrl+Shift+Z
  // "マスター登録"
  QAction* registerAddressees = nullptr;
  QAction* registerDescriptions1 = nullptr;
  QAction* registerDescriptions2 = nullptr;
  QAction* registerStaff = nullptr;
  // "ビュー(&W)"
  QAction* showReceiptPage = nullptr;   // F2
  QAction* showCompanyPage = nullptr;   // F3
  QAction* showRegisterList = nullptr;  // F9
  QAction* showEnvironmentPage = nullptr;
  QAction* useTabs = nullptr;
  QAction* showTitleBar = nullptr;
  QAction* useTopBar = nullptr;
  QAction* showStatusBar = nullptr;
  // "領収書関係(&R)"
  QAction* newReceipt = nullptr;     // F4
  QAction* recordReceipt = nullptr;  // F5
  QAction* deleteShown = nullptr;    // Ctrl+Delete
  QAction* clearDate = nullptr;
  QAction* removeTax = nullptr;
  QAction* showTaxTable = nullptr;
  // "スタイル設定"
  QAction* N16 = nullptr;  // load a style
  QAction* N17 = nullptr;  // save the style
  QAction* showStylePage = nullptr;
  QAction* showPositionsPage = nullptr;
  QAction* showImagesPage = nullptr;
  QMenu* linesMenu = nullptr;  // "線関係設定"
  QAction* insertShapeRow = nullptr;
  QAction* exchangeShapeRow = nullptr;
  QAction* deleteShapeRow = nullptr;
  QMenu* textsMenu = nullptr;  // "文字関係設定"
  QAction* insertTextRow = nullptr;
  QAction* exchangeTextRow = nullptr;
  QAction* deleteTextRow = nullptr;
  QAction* N13 = nullptr;  // clear the style
  QAction* N42 = nullptr;  // show only what is printed
  // "Information(&I)"
  QAction* manual = nullptr;  // Ctrl+Shift+F1
  QAction* taxTable = nullptr;
  QAction* kanjiCheck = nullptr;
  QAction* supportMail = nullptr;
  QAction* webPage = nullptr;
  QAction* textEditor = nullptr;
  QAction* memoryReport = nullptr;
  QAction* screenReport = nullptr;

  // Fills `bar`; actions are owned by `owner`.
  void build(QMenuBar* bar, QObject* owner);
};

}  // namespace kelvane
