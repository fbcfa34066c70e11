// kelvane-screenshots DATA OUTPUT: the pictures of the manual and the
// README, taken from the real main window off screen. DATA is the folder
// of delivered files; OUTPUT receives the PNG files.

#include "app/app_setup.h"
#include "app/pages/environment_page.h"
#include "app/pages/receipt_issue_page.h"
#include "app/pages/style_settings_page.h"
#include "app/receipt_date.h"
#include "app/receipt_input.h"
#include "app/receipt_main_form.h"
#include "app/register_viewer.h"
#include "settings/program_folder.h"
#include "text/cp932.h"
#include "text/line_file.h"
#include "widgets/nval_edit.h"
#include "widgets/str_col_grid.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

using namespace kelvane;

void settle() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

bool copyTree(const QString& from, const QString& to) {
  QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString file = it.next();
    const QString target = to + file.mid(from.size());
    QDir().mkpath(QFileInfo(target).path());
    if (!QFile::copy(file, target)) return false;
  }
  return true;
}

// A shop's first receipts, so that the list and the form show something.
void writeRegister(const QString& path) {
  QList<QByteArray> lines;
  const char* rows[] = {
      "A0001,2026/12/1,5400,株式会社山田商事,お品代として,,5000,5400,400,8,佐藤,,,",
      "A0002,2026/12/3,128000,鈴木工務店,工事代金として,12月分,116364,128000,11636,10,佐藤,200,,",
      "A0003,2026/12/5,33000,田中様,お食事代として,,30000,33000,3000,10,高橋,,,",
      "A0004,2026/12/7,62700,有限会社青葉,お品代として,,57000,62700,5700,10,佐藤,200,経理部,"};
  for (const char* row : rows) lines << cp932::fromUtf8Literal(row);
  (void)writeLineFile(path, lines);
}

void fillReceipt(ReceiptMainForm& form) {
  ReceiptIssuePage* p = form.receiptPage;
  p->Edit2->setText(QStringLiteral("A0005"));
  p->atesaki_1->setEditText(QStringLiteral("株式会社山田商事"));
  p->topic1->setEditText(QStringLiteral("お品代として"));
  p->Field_07->setEditText(QStringLiteral("佐藤"));
  p->in_tax->setEditText(QStringLiteral("200"));
  p->NValEditC9->setValueUnits(128000LL * 10000);
  p->NValEditC10->setValueUnits(116364LL * 10000);
  p->NValEditC11->setValueUnits(128000LL * 10000);
  p->NValEditC13->setValueUnits(11636LL * 10000);
  for (QWidget* w :
       std::initializer_list<QWidget*>{p->Edit2, p->atesaki_1, p->topic1, p->NValEditC9,
                                       p->NValEditC10, p->NValEditC11, p->NValEditC13})
    form.receiptInput->commit(w);
  form.receiptDate->setIssueDate(QDate(2026, 12, 8));
}

bool save(QWidget* widget, const QString& path, const QRect& part = {}) {
  settle();
  const QPixmap shot = part.isNull() ? widget->grab() : widget->grab(part);
  const bool ok = shot.save(path);
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
  return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "使い方: kelvane-screenshots DATA OUTPUT\n");
    return 2;
  }
  const QString data = QString::fromLocal8Bit(argv[1]);
  const QString out = QString::fromLocal8Bit(argv[2]);
  QTemporaryDir folder;
  if (!copyTree(data, folder.path())) return 1;
  QFile::copy(folder.filePath(QStringLiteral("style/a4_receipt.rcd")),
              folder.filePath(QStringLiteral("cardtemp.dat")));
  writeRegister(folder.filePath(QStringLiteral("regidata.klv")));
  SetProgramFolder(folder.path());
  SetUpApplication(app);
  QDir().mkpath(out);

  ReceiptMainForm form;
  form.resize(1288, 784);
  form.show();
  settle();
  form.environmentPage->CheckBox1->setChecked(true);
  form.environmentPage->CheckBox2->setChecked(true);
  fillReceipt(form);
  bool ok = save(&form, out + QStringLiteral("/main_window.png"));
  const QRect pages = form.PageControl1->geometry().translated(
      form.PageControl1->parentWidget()->mapTo(&form, QPoint(0, 0)));
  ok = save(&form, out + QStringLiteral("/receipt_page.png"), pages) && ok;
  form.showPage(form.stylePage);
  ok = save(&form, out + QStringLiteral("/style_page.png"), pages) && ok;
  form.showPage(form.environmentPage);
  ok = save(&form, out + QStringLiteral("/environment_page.png"), pages) && ok;

  Tfreglist list(form.currentRegisterPath(), &form);
  list.show();
  list.StrColGrid1->SetCurrentCell(1, 2);
  ok = save(&list, out + QStringLiteral("/register_list.png")) && ok;
  list.reject();
  form.hide();
  return ok ? 0 : 1;
}
