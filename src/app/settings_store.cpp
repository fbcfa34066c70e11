#include "app/settings_store.h"

#include "app/message_boxes.h"
#include "app/month_calendar.h"
#include "app/pages/environment_page.h"
#include "app/pages/receipt_issue_page.h"
#include "app/pages/style_settings_page.h"
#include "app/preview_pane.h"
#include "app/receipt_date.h"
#include "app/receipt_draft.h"
#include "app/receipt_input.h"
#include "app/receipt_main_form.h"
#include "app/receipt_on_form.h"
#include "app/register_commands.h"
#include "app/style_commands.h"
#include "app/title_strip.h"
#include "app/unrecognised_file.h"
#include "layout/header_lines.h"
#include "receipt/era.h"
#include "settings/program_folder.h"
#include "settings/settings_file.h"
#include "settings/window_geometry.h"
#include "styles/style_file.h"
#include "text/layout_text.h"
#include "text/line_file.h"
#include "widgets/nval_edit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QStringList>

namespace kelvane {

namespace {

// The check box or menu item each flag of the settings file is bound to.
struct FlagBinding {
  ConfFlag flag;
  QCheckBox* box = nullptr;
  QAction* item = nullptr;

  [[nodiscard]] bool get() const { return box ? box->isChecked() : item->isChecked(); }
  void set(bool on) const { box ? box->setChecked(on) : item->setChecked(on); }
};

std::vector<FlagBinding> flagBindings(ReceiptMainForm& form) {
  EnvironmentPage* env = form.environmentPage;
  const MainMenu& m = form.menu;
  return {{ConfFlag::AutoDate, env->CheckBox3},
          {ConfFlag::AutoNumber, env->CheckBox4},
          {ConfFlag::TopMark, env->CheckBox1},
          {ConfFlag::EndMark, env->CheckBox2},
          {ConfFlag::TabUse, nullptr, m.useTabs},
          {ConfFlag::AutoNew, env->CheckBox5},
          {ConfFlag::AutoSave, env->CheckBox6},
          {ConfFlag::Kansuji, env->CheckBox7},
          {ConfFlag::TitleUse, nullptr, m.showTitleBar},
          {ConfFlag::TopUse, nullptr, m.useTopBar},
          {ConfFlag::StatusUse, nullptr, m.showStatusBar},
          {ConfFlag::Zero, env->CheckBox8}};
}

void applyConf(ReceiptMainForm& form, const ConfRead& read) {
  for (const FlagBinding& b : flagBindings(form)) {
    if (const auto on = read.flag(b.flag)) b.set(*on);
  }
  StyleSettingsPage* style = form.stylePage;
  EnvironmentPage* env = form.environmentPage;
  if (read.styleName) style->stylebtn->setText(FromLayoutText(*read.styleName));
  if (read.dataName) form.setRegisterPathText(FromLayoutText(*read.dataName));
  if (read.offsetX) style->ofxbox->setValue(*read.offsetX);
  if (read.offsetY) style->ofYbox->setValue(*read.offsetY);
  if (read.sizeX) style->d3->setValue(*read.sizeX);
  if (read.sizeY) style->d4->setValue(*read.sizeY);
  if (read.headerChar) env->d1->setText(FromLayoutText(*read.headerChar));
  if (read.headerNumber) env->d2->setText(FromLayoutText(*read.headerNumber));
  if (read.lastNumber) env->last_number->setText(FromLayoutText(*read.lastNumber));
  if (read.barAvrg) form.preview->TrackBar1->setValue(*read.barAvrg);
  if (read.stylePreview) style->setPreviewMode(*read.stylePreview);
  // A name this program does not know leaves the choice as it is.
  ReceiptIssuePage* page = form.receiptPage;
  if (read.taxBasis) {
    if (const auto basis = TaxBasisNamed(FromLayoutText(*read.taxBasis)))
      page->taxBasis->setCurrentIndex(*basis == TaxBasis::Excluded ? 1 : 0);
  }
  if (read.archive) env->archiveBox->setChecked(*read.archive);
  if (read.taxRounding) {
    if (const auto rounding = TaxRoundingNamed(FromLayoutText(*read.taxRounding)))
      page->taxRounding->setCurrentIndex(static_cast<int>(*rounding));
  }
}

ConfWrite confState(ReceiptMainForm& form) {
  ConfWrite s;
  s.styleName = form.styleTitle();
  s.dataName = form.registerPath();
  s.offsetXText = form.offsetXText();
  s.offsetYText = form.offsetYText();
  s.sizeXText = form.receiptWidthText();
  s.sizeYText = form.receiptHeightText();
  s.stylePreview = form.previewMode();
  s.headerChar = form.numberHeader();
  s.headerNumber = form.digitCount();
  s.lastNumber = form.lastNumber();
  s.barAvrg = form.zoomPercent();
  for (const FlagBinding& b : flagBindings(form)) s.setFlag(b.flag, b.get());
  // The default choices leave the file as older copies write it.
  const ReceiptIssuePage* page = form.receiptPage;
  if (page->taxBasis->currentIndex() == 1)
    s.taxBasis = ToLayoutText(TaxBasisName(TaxBasis::Excluded));
  const auto rounding = TaxRoundingOnForm(form);
  if (rounding != TaxRounding::Down) s.taxRounding = ToLayoutText(TaxRoundingName(rounding));
  s.archive = form.environmentPage->archiveBox->isChecked();
  return s;
}

// A register named in the settings that is not there (a stick not put in)
// is said, and the default register is used for this run; the settings
// keep the user's path unless the user chooses another register.
void defaultRegisterPath(ReceiptMainForm& form) {
  const QString saved = form.registerPathText();
  if (!saved.isEmpty() && QFileInfo::exists(saved)) {
    if (QFileInfo(saved).isFile()) form.registerSession.markSeen(saved);
    return;
  }
  const QString fallback = ProgramFile(QString::fromLatin1(kDefaultRegisterName));
  form.setCurrentRegisterPath(fallback);
  if (saved.isEmpty()) form.setRegisterFieldText(fallback);
  if (QFileInfo(fallback).isFile()) form.registerSession.markSeen(fallback);
  if (saved.isEmpty() || saved == fallback) return;
  form.reportError(QStringLiteral("設定の領収書発行リスト「%1」が見つかりません。\r\n"
                                  "今回は「%2」を使います。設定のリストの場所は変えていません。")
                       .arg(QDir::toNativeSeparators(saved), QDir::toNativeSeparators(fallback)));
}

void applyViewSettings(ReceiptMainForm& form) {
  if (form.menu.useTabs->isChecked()) {
    form.tabs_show();
  } else {
    form.tabs_hide();
  }
  form.setTitleBarShown(form.menu.showTitleBar->isChecked());
  form.setTopBarShown(form.menu.useTopBar->isChecked());
  form.setStatusBarShown(form.menu.showStatusBar->isChecked());
}

const QString kUnreadKept = QStringLiteral("\r\n読み込めないファイルは上書きしません。");

// A file that is there but cannot be read holds settings or a layout that
// this run never saw (another user's file, a bad disk): the close leaves it.
Expected<void> unlessUnread(const QString& path) {
  if (!QFileInfo(path).isFile()) return {};
  if (auto read = readWholeFile(path); !read) return Failure{read.error() + kUnreadKept};
  return {};
}

bool saveWindowFile(ReceiptMainForm& form, QStringList& failures) {
  const QString path = ProgramFile(WindowFileName());
  auto ini = IniFile::load(path);
  if (!ini) {
    // Its other sections (the register list's place) would be lost.
    failures << ini.error() + kUnreadKept;
    return false;
  }
  StoreWindowGeometry(*ini, QRect(form.pos(), form.size()));
  if (auto saved = ini->save(path); !saved) {
    failures << saved.error();
    return false;
  }
  return true;
}

}  // namespace

QString WindowFileName() {
  const QString base = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
  return (base.isEmpty() ? QStringLiteral("kelvane") : base) + QStringLiteral(".ini");
}

void conf_read(ReceiptMainForm& form) {
  form.tabs_show();
  for (QAction* a :
       {form.menu.useTabs, form.menu.showTitleBar, form.menu.useTopBar, form.menu.showStatusBar}) {
    a->setChecked(true);
  }
  auto read = ReadConfFile(ProgramFile(QString::fromLatin1(kSettingsFileName)));
  if (read) {
    applyConf(form, *read);
  } else {
    form.reportError(read.error());
  }
  defaultRegisterPath(form);
  zero_display_apply(form, form.environmentPage->CheckBox8->isChecked() ? 1 : 0);
}

bool conf_write(ReceiptMainForm& form, bool announce) {
  const auto written =
      WriteConfFile(ProgramFile(QString::fromLatin1(kSettingsFileName)), confState(form));
  if (!written) {
    form.reportError(written.error());
    return false;
  }
  if (announce) info_box(QStringLiteral("環境設定を保存しました。"), QStringLiteral("確認"), &form);
  return true;
}

bool conf_write_numbering(ReceiptMainForm& form) {
  const auto written =
      UpdateConfNumbering(ProgramFile(QString::fromLatin1(kSettingsFileName)), confState(form));
  if (!written) {
    form.reportError(QStringLiteral("最終番号を設定ファイルに保存できません。\r\n") +
                     written.error());
    return false;
  }
  return true;
}

void zero_display_apply(ReceiptMainForm& form, int hideZero) {
  if (hideZero != 0 && hideZero != 1) return;
  for (const char* name : {"NValEditC9", "NValEditC10", "NValEditC11", "NValEditC13", "NValEditC7",
                           "amount10", "amount8"}) {
    if (auto* field = form.receiptPage->findChild<TNValEditC*>(QString::fromLatin1(name))) {
      field->setZeroDisplay(hideZero == 0);
    }
  }
}

void startup_restore(ReceiptMainForm& form) {
  form.showPage(form.receiptPage);
  form.receiptPage->Edit2->setFocus(Qt::OtherFocusReason);  // typing starts the receipt at once
  form.preview->TrackBar1->setValue(70);
  form.receiptDate->showInBoxes(QDate::currentDate());
  KeepUnrecognisedStartFiles(MessageBoxes(&form));
  conf_read(form);
  applyViewSettings(form);
  form.receiptInput->LoadInputHistory();
  form.receiptDate->calendar->LoadHolidays();
  form.receiptDate->DrawCalendar(QDate::currentDate());
  const QString current = ProgramFile(QString::fromLatin1(kCurrentLayoutFileName));
  {
    const auto change = form.edits().quiet();
    if (QFileInfo::exists(current)) LoadStyleIntoForm(form, current);
    RebuildHeaderLines(form.document(), form);
    form.UpdatePrinterMetrics();
    ClearReceiptFields(form);
  }
  form.preview->PreviewSuspended = false;
  form.RefreshPreview();  // the first drawing, whatever the receipt changes
  StartNewReceipt(form);
  RestoreReceiptDraft(form);
  // The layout the program starts with is where undo stops.
  form.edits().clearHistory();
}

bool close_save(ReceiptMainForm& form) {
  if (!KeepPrintedReceipt(form)) return false;
  QStringList failures;
  saveWindowFile(form, failures);
  // A layout that cannot be drawn was read from a damaged file, and the
  // user chose to keep it: rebuilding its header from misread values would
  // damage it further, so the file stays as it is.
  const bool keepLayoutFile = !form.preview->layoutDraws();
  {
    const auto change = form.edits().quiet();
    RebuildHeaderLines(form.document(), form);
  }
  const QString confPath = ProgramFile(QString::fromLatin1(kSettingsFileName));
  auto conf = unlessUnread(confPath);
  if (conf) conf = WriteConfFile(confPath, confState(form));
  if (!conf) failures << conf.error();
  const QString layoutPath = ProgramFile(QString::fromLatin1(kCurrentLayoutFileName));
  auto layout = unlessUnread(layoutPath);
  if (layout && !keepLayoutFile) layout = SaveStyleFile(form.document(), layoutPath);
  if (!layout) failures << layout.error();
  if (auto draft = SaveReceiptDraft(form); !draft) failures << draft.error();
  if (failures.isEmpty()) return true;
  const QString question = failures.join(QStringLiteral("\r\n")) +
                           QStringLiteral(
                               "\r\n\r\n保存できなかったファイルは前の内容のままです。"
                               "このまま終了しますか？");
  return confirm_box(question, QStringLiteral("実行"), QStringLiteral("キャンセル"), &form) ==
         kBoxFirstButton;
}

}  // namespace kelvane
