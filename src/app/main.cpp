// ネムリカ: fills in, previews and prints receipts and keeps their register.

#include "app/app_setup.h"
#include "app/receipt_main_form.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  kelvane::SetUpApplication(app);
  kelvane::ReceiptMainForm form;
  form.show();
  return app.exec();
}
