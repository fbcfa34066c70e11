#pragma once
// Command line of kelvane-issue:
//   kelvane-issue [--folder DIR] [--style FILE] [--pdf OUT.pdf] [--print]
//                 [--record] INPUT.csv

#include "text/expected.h"

#include <QString>
#include <QStringList>

namespace kelvane {

struct IssueOptions {
  QString folder;  // the program folder: settings, register, current layout
  QString style;   // a style file drawn instead of the current layout
  QString pdf;     // one PDF, a page a receipt
  bool print = false;
  bool record = false;
  QString input;
};

// `arguments` without the program name; `home` is where the default folder
// "Kelvane" is.
[[nodiscard]] Expected<IssueOptions> ParseIssueOptions(const QStringList& arguments,
                                                       const QString& home);

[[nodiscard]] QString IssueUsage();

}  // namespace kelvane
