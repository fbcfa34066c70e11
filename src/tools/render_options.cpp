#include "tools/render_options.h"

namespace kelvane {

namespace {

Expected<int> numberOption(const QStringList& args, qsizetype& i, int low, int high) {
  const QString name = args[i];
  if (i + 1 >= args.size()) return Failure{QStringLiteral("%1 には数値が必要です。").arg(name)};
  bool ok = false;
  const int value = args[++i].toInt(&ok);
  if (!ok || value < low || value > high) {
    return Failure{QStringLiteral("%1 の値「%2」は %3 から %4 の整数で指定してください。")
                       .arg(name, args[i])
                       .arg(low)
                       .arg(high)};
  }
  return value;
}

}  // namespace

QString RenderUsage() {
  return QStringLiteral(
      "使い方: kelvane-render [--print | --preview] [--dpi N] [--zoom PERCENT] "
      "[--screen-dpi N] INPUT OUTPUT(.png|.pdf)");
}

Expected<RenderOptions> ParseRenderOptions(const QStringList& args) {
  RenderOptions o;
  QStringList files;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    Expected<int> number = 0;
    if (a == u"--print") {
      o.print = true;
    } else if (a == u"--preview") {
      o.print = false;
    } else if (a == u"--dpi") {
      if (!(number = numberOption(args, i, 36, 2400))) return Failure{number.error()};
      o.printerDpi = number.value();
    } else if (a == u"--zoom") {
      if (!(number = numberOption(args, i, 10, 100))) return Failure{number.error()};
      o.zoomPercent = number.value();
    } else if (a == u"--screen-dpi") {
      if (!(number = numberOption(args, i, 36, 600))) return Failure{number.error()};
      o.screenDpi = number.value();
    } else if (a.startsWith(u"--")) {
      return Failure{QStringLiteral("知らないオプション「%1」です。%2").arg(a, RenderUsage())};
    } else {
      files.append(a);
    }
  }
  if (files.size() != 2) return Failure{RenderUsage()};
  o.input = files[0];
  o.output = files[1];
  const QString lower = o.output.toLower();
  if (lower.endsWith(u".pdf")) {
    o.pdf = true;
  } else if (!lower.endsWith(u".png")) {
    return Failure{
        QStringLiteral("出力ファイル「%1」の名前は .png か .pdf で終えてください。").arg(o.output)};
  }
  return o;
}

}  // namespace kelvane
