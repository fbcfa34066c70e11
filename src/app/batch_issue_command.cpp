#include "app/batch_issue_command.h"

#include "app/batch_issue_dialog.h"
#include "app/message_boxes.h"
#include "app/pages/environment_page.h"
#include "app/pages/receipt_issue_page.h"
#include "app/receipt_main_form.h"
#include "app/register_commands.h"
#include "app/settings_store.h"
#include "layout/field_cursor.h"
#include "layout/layout_slots.h"
#include "receipt/numbering.h"
#include "text/layout_text.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace kelvane {

namespace {

// The issuer's registration number is the layout's company item 登録番号.
ReceiptTaxSettings taxSettings(const ReceiptMainForm& form) {
  ReceiptTaxSettings t;
  t.rounding = form.taxRounding();
  t.registrationNumber =
      FromLayoutText(CharRecordText(form.previewDocument().line(slotmap::kRegistrationNumber)));
  return t;
}

ReceiptNumbering numberingOf(const ReceiptMainForm& form) {
  const EnvironmentPage* e = form.environmentPage;
  ReceiptNumbering n;
  n.automatic = e->CheckBox4->isChecked();
  n.header = e->d1->text();
  n.digitCount = DigitCount(e->d2->text());
  n.lastNumber = WholeNumber(e->last_number->text()).value_or(1);
  return n;
}

// The pages as the print command draws the receipt on screen.
BatchSetup setupFor(ReceiptMainForm& form) {
  BatchSetup s;
  s.layout = form.document();
  s.render = form.printSettings();
  s.pageDevice = &form.printer();
  s.text = form.receiptTextSettings();
  s.numbering = numberingOf(form);
  s.tax = taxSettings(form);
  s.registerPath = RegisterFilePath(form);
  s.tempCopyPath = RegisterTempCopyPath();
  s.registerMustExist = form.registerSession.seen(s.registerPath);
  s.today = QDate::currentDate();
  s.keepCopies = form.environmentPage->archiveBox->isChecked();
  return s;
}

BatchIssueWork workOf(ReceiptMainForm& form) {
  return BatchIssueWork{
      .setup = [&form] { return setupFor(form); },
      .printer = form.printer(),
      .hasPrinter = form.metrics.hasPrinter,
      .dialogs = form.dialogs,
      .shownNumber = [&form] { return form.receiptPage->Edit2->text(); },
      // The batch's receipts are not the one on screen: recording the form
      // over one of them is asked naming it, with キャンセル the default.
      .recorded =
          [&form](const QString& path, std::optional<qint64> lastNumber) {
            form.registerSession.markSeen(path);
            if (lastNumber) FollowLastNumber(form, *lastNumber);
            conf_write_numbering(form);
          },
  };
}

}  // namespace

void IssueFromCsvFile(ReceiptMainForm& form, const std::function<void(BatchIssueDialog&)>& run) {
  const QString path = form.dialogs.openCsv(&form);
  if (path.isEmpty()) return;
  auto csv = readReceiptCsvFile(path);
  if (!csv) {
    form.reportError(QStringLiteral("CSV ファイルを読めません。\r\n") + csv.error());
    return;
  }
  BatchIssueDialog dialog(workOf(form), path, std::move(*csv), &form);
  if (run) {
    run(dialog);
  } else {
    dialog.exec();
  }
}

}  // namespace kelvane
