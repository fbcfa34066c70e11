#pragma once
// A PDF file of printer pages, written beside its final name and put in
// place only when it is whole: an earlier file of that name survives a
// failed or abandoned run, and a full disk is never taken for a finished
// file.

#include "text/expected.h"

#include <QPrinter>
#include <QString>
#include <QTemporaryFile>

#include <memory>

namespace kelvane {

class PdfOutput {
 public:
  // A PDF printer whose pages have the paper, orientation, margins and
  // resolution of `like`, writing to a hidden file beside `path`. `reuse`
  // (optional) is a printer set up again for this file instead of a new one:
  // making a printer asks the print system for its default printer, which
  // costs more than a page when many files are written.
  [[nodiscard]] static Expected<std::unique_ptr<PdfOutput>> Begin(const QString& path,
                                                                  const QPrinter& like,
                                                                  QPrinter* reuse = nullptr);

  [[nodiscard]] QPrinter& printer() { return *printer_; }

  // Checks that the pages are whole on the disk and puts the file in place.
  // Without it the hidden file is removed when the object goes.
  [[nodiscard]] Expected<void> finish();

  // As finish(), but put in place as `path` only when no file of that name
  // is there, even against another copy of the program doing the same:
  // false (the pages kept for another name) when one is.
  [[nodiscard]] Expected<bool> finishAsNew(const QString& path);

 private:
  explicit PdfOutput(const QString& path);
  QString path_;
  QTemporaryFile part_;
  std::unique_ptr<QPrinter> own_;
  QPrinter* printer_ = nullptr;
};

// "PDF ファイル「…」を書き込めません: why"
[[nodiscard]] QString PdfWriteFailure(const QString& path, const QString& why);

}  // namespace kelvane
