#include "tools/issue_options.h"

#include <QDir>

namespace kelvane {

QString IssueUsage() {
  return QStringLiteral(
      "使い方: kelvane-issue [--folder DIR] [--style FILE] [--pdf OUT.pdf] [--print] [--record] "
      "INPUT.csv\n"
      "  --folder DIR   設定・領収書発行リスト・今のレイアウトのあるフォルダー（既定: ~/Kelvane）\n"
      "  --style FILE   今のレイアウトの代わりに使うスタイルファイル\n"
      "  --pdf OUT.pdf  一枚一ページの PDF に書き出す\n"
      "  --print        今のプリンターで印刷する\n"
      "  --record       領収書発行リストに登録する\n"
      "--pdf、--print、--record のうち少なくとも一つを指定してください。");
}

Expected<IssueOptions> ParseIssueOptions(const QStringList& args, const QString& home) {
  IssueOptions o;
  o.folder = QDir(home).filePath(QStringLiteral("Kelvane"));
  QStringList files;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    const auto value = [&](QString& target) -> Expected<void> {
      if (i + 1 >= args.size() || args[i + 1].isEmpty())
        return Failure{QStringLiteral("%1 にはファイル名が必要です。").arg(a)};
      target = args[++i];
      return {};
    };
    Expected<void> ok;
    if (a == u"--folder")
      ok = value(o.folder);
    else if (a == u"--style")
      ok = value(o.style);
    else if (a == u"--pdf")
      ok = value(o.pdf);
    else if (a == u"--print")
      o.print = true;
    else if (a == u"--record")
      o.record = true;
    else if (a == u"--help" || a == u"-h")
      return Failure{IssueUsage()};
    else if (a.startsWith(u"--"))
      return Failure{QStringLiteral("知らないオプション「%1」です。\n%2").arg(a, IssueUsage())};
    else
      files.append(a);
    if (!ok) return Failure{ok.error()};
  }
  if (files.size() != 1) return Failure{IssueUsage()};
  if (o.pdf.isEmpty() && !o.print && !o.record)
    return Failure{
        QStringLiteral("--pdf、--print、--record のうち少なくとも一つを指定してください。")};
  o.input = files[0];
  return o;
}

}  // namespace kelvane
