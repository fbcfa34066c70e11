#include "printing/pdf_output.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace kelvane {

namespace {

QString systemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

// Empty when the PDF at `path` is whole and on the disk, or the reason. The
// PDF engine says nothing when the disk fills up under it; a file that does
// not end with its trailer, or cannot be synced, is not whole.
QString incompletePdf(const QString& path) {
  QFile pdf(path);
  if (!pdf.open(QIODevice::ReadOnly)) return pdf.errorString();
  if (::fsync(pdf.handle()) != 0 && errno != EINVAL && errno != ENOTSUP) return systemError();
  pdf.seek(std::max<qint64>(0, pdf.size() - 64));
  if (!pdf.readAll().trimmed().endsWith("%%EOF"))
    return QStringLiteral(
        "最後まで書き込めませんでした"
        "（ディスクの空きが足りない可能性があります）。");
  return {};
}

}  // namespace

QString PdfWriteFailure(const QString& path, const QString& why) {
  return QStringLiteral("PDF ファイル「%1」を書き込めません: %2")
      .arg(QDir::toNativeSeparators(path), why);
}

PdfOutput::PdfOutput(const QString& path)
    : path_(path), part_(QFileInfo(path).absolutePath() + QStringLiteral("/.kelvane-XXXXXX.pdf")) {}

Expected<std::unique_ptr<PdfOutput>> PdfOutput::Begin(const QString& path, const QPrinter& like,
                                                      QPrinter* reuse) {
  std::unique_ptr<PdfOutput> out(new PdfOutput(path));
  if (reuse) {
    out->printer_ = reuse;
  } else {
    out->own_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    out->printer_ = out->own_.get();
  }
  if (!out->part_.open()) return Failure{PdfWriteFailure(path, out->part_.errorString())};
  out->part_.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                            QFile::ReadOther);
  out->part_.close();
  QPrinter& p = *out->printer_;
  p.setOutputFormat(QPrinter::PdfFormat);
  p.setResolution(like.resolution());
  p.setPageLayout(like.pageLayout());
  p.setDocName(like.docName());
  p.setOutputFileName(out->part_.fileName());
  return out;
}

Expected<void> PdfOutput::finish() {
  if (const QString why = incompletePdf(part_.fileName()); !why.isEmpty())
    return Failure{PdfWriteFailure(path_, why)};
  if (std::rename(QFile::encodeName(part_.fileName()).constData(),
                  QFile::encodeName(path_).constData()) != 0)
    return Failure{PdfWriteFailure(path_, systemError())};
  part_.setAutoRemove(false);
  return {};
}

Expected<bool> PdfOutput::finishAsNew(const QString& path) {
  if (const QString why = incompletePdf(part_.fileName()); !why.isEmpty())
    return Failure{PdfWriteFailure(path, why)};
  // A hard link fails when the name is taken, where a rename would replace.
  if (::link(QFile::encodeName(part_.fileName()).constData(),
             QFile::encodeName(path).constData()) != 0) {
    if (errno == EEXIST) return false;
    return Failure{PdfWriteFailure(path, systemError())};
  }
  return true;  // the hidden name goes with the object
}

}  // namespace kelvane
