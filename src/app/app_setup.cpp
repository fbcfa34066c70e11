#include "app/app_setup.h"

#include "render/font_substitutions.h"
#include "settings/program_folder.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QToolTip>
#include <QTranslator>

namespace kelvane {

namespace {

// Hints show after 600 ms.
class HintStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    if (hint == SH_ToolTip_WakeUpDelay) return 600;
    return QProxyStyle::styleHint(hint, option, widget, data);
  }
};

}  // namespace

void SetUpApplication(QApplication& app) {
  QApplication::setApplicationName(QStringLiteral("kelvane"));
  InstallQtTranslations(app, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  app.setStyle(new HintStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
  InstallFontSubstitutions();
  QApplication::setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
  QPalette hints = QToolTip::palette();
  hints.setColor(QPalette::ToolTipBase, QColor(0, 255, 0));
  hints.setColor(QPalette::ToolTipText, Qt::black);
  QToolTip::setPalette(hints);
  // The program's own icon, as the desktop menu shows it.
  const QIcon icon(ProgramFile(QStringLiteral("kelvane.png")));
  if (!icon.isNull()) QApplication::setWindowIcon(icon);
}

QTranslator* InstallQtTranslations(QCoreApplication& app, const QString& folder) {
  auto* translator = new QTranslator(&app);
  if (translator->load(QStringLiteral("qtbase_ja"), folder) &&
      QCoreApplication::installTranslator(translator)) {
    return translator;
  }
  delete translator;
  return nullptr;
}

}  // namespace kelvane
