#pragma once
// Page "環境設定": the register file, automatic numbering, the amount marks
// and the other check boxes the settings file keeps.

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;

namespace kelvane {

class EnvironmentPage : public QWidget {
  Q_OBJECT

 public:
  explicit EnvironmentPage(QWidget* parent = nullptr);

  QLabel* StaticText1 = nullptr;  // データファイル: the register file, full path
  QPushButton* selectRegisterButton = nullptr;  // "選択"
  QLabel* d1 = nullptr;                         // 自動連番ﾍｯﾀﾞｰ
  QLabel* d2 = nullptr;                         // 桁設定
  QLabel* last_number = nullptr;                // 最終番号

  QCheckBox* CheckBox1 = nullptr;   // 領収金額に\をつける
  QCheckBox* CheckBox2 = nullptr;   // 領収金額末に－をつける
  QCheckBox* CheckBox3 = nullptr;   // 自動的に日付を入れる
  QCheckBox* CheckBox4 = nullptr;   // 自動的に番号を入れる
  QCheckBox* CheckBox5 = nullptr;   // データ保存後新規作成状態にする
  QCheckBox* CheckBox6 = nullptr;   // 印刷終了後、保存ダイアログを出す
  QCheckBox* CheckBox7 = nullptr;   // 金額を漢数字にする
  QCheckBox* CheckBox8 = nullptr;   // 金額0は表示しない
  QCheckBox* archiveBox = nullptr;  // 発行した領収書のPDF控えを残す

  QPushButton* updateButton = nullptr;  // "更　新"
  QPushButton* helpButton = nullptr;    // "Help"
  QPushButton* closeButton = nullptr;   // "終　了"
};

}  // namespace kelvane
