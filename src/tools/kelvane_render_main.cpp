// kelvane-render: draws a layout file with the program's own renderer into a
// PNG or PDF file, for tests, benchmarks and machines without a display.

#include "layout/layout_document.h"
#include "render/font_substitutions.h"
#include "text/line_file.h"
#include "tools/render_job.h"
#include "tools/render_options.h"

#include <QGuiApplication>

#include <cstdio>

namespace {

int fail(const QString& message) {
  std::fprintf(stderr, "kelvane-render: %s\n", message.toUtf8().constData());
  return 1;
}

// Qt's own notices (runtime folder, fonts) would bury the one line a person
// needs to read; only its fatal messages are shown.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "kelvane-render: %s\n", message.toUtf8().constData());
  }
}

}  // namespace

int main(int argc, char** argv) {
  // The tool never shows a window.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(quietQtMessages);
  QGuiApplication app(argc, argv);
  kelvane::InstallFontSubstitutions();

  QStringList arguments = QGuiApplication::arguments();
  arguments.removeFirst();
  auto options = kelvane::ParseRenderOptions(arguments);
  if (!options) return fail(options.error());

  if (auto input = kelvane::CheckInputFile(options->input); !input) return fail(input.error());
  auto lines = kelvane::readLineFile(options->input);
  if (!lines) return fail(lines.error());
  kelvane::LayoutDocument document;
  document.replaceAll(std::move(lines.value()));

  auto frame = kelvane::PlanRender(options.value(), document, options->input);
  if (!frame) return fail(frame.error());
  auto written = kelvane::WriteRender(frame.value(), document, options->output, options->pdf);
  if (!written) return fail(written.error());
  return 0;
}
