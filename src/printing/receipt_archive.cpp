#include "printing/receipt_archive.h"

#include "printing/pdf_output.h"
#include "printing/receipt_printing.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kelvane {

namespace {

constexpr int kMaxCopies = 1000;

Expected<QByteArray> sha256Of(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return Failure{file.errorString()};
  QCryptographicHash hash(QCryptographicHash::Sha256);
  if (!hash.addData(&file)) return Failure{file.errorString()};
  return hash.result().toHex();
}

}  // namespace

QString ReceiptArchiveFolder(const QString& registerPath) {
  return registerPath + QStringLiteral(".archive");
}

QString ArchiveFileName(const QString& number, const QDate& date, int copy) {
  QString name = number.trimmed();
  for (QChar& c : name)
    if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c)) c = u'_';
  if (name.isEmpty() || name == u"." || name == u"..") name = QStringLiteral("番号なし");
  name += u'_' + date.toString(QStringLiteral("yyyy-MM-dd"));
  if (copy > 1) name += u'-' + QString::number(copy);
  return name + QStringLiteral(".pdf");
}

namespace {

QString monthFolder(const QString& registerPath, const QDate& day) {
  return ReceiptArchiveFolder(registerPath) + u'/' + day.toString(QStringLiteral("yyyy")) + u'/' +
         day.toString(QStringLiteral("MM"));
}

}  // namespace

QStringList ArchivedCopiesOf(const QString& registerPath, const QString& number,
                             const QDate& date) {
  QStringList copies;
  const QString folder = monthFolder(registerPath, date);
  // Copies are numbered without gaps; a gap ends the search.
  for (int copy = 1; copy <= kMaxCopies; ++copy) {
    const QString path = folder + u'/' + ArchiveFileName(number, date, copy);
    if (!QFileInfo::exists(path)) break;
    copies.append(path);
  }
  return copies;
}

Expected<ArchivedPage> ArchiveReceiptPage(const QString& registerPath, const QString& number,
                                          const QDate& date, const RecordingCanvas& page,
                                          const QPrinter& like, QPrinter* writer) {
  const QDate day = date.isValid() ? date : QDate::currentDate();
  const QString folder = monthFolder(registerPath, day);
  // A register whose folder is gone (a stick pulled out) gets no archive
  // made in an empty mount point.
  if (!QFileInfo(registerPath).absoluteDir().exists())
    return Failure{QStringLiteral("領収書発行リストのフォルダー「%1」が見つかりません。")
                       .arg(QDir::toNativeSeparators(QFileInfo(registerPath).absolutePath()))};
  if (!QDir().mkpath(folder))
    return Failure{QStringLiteral("控えのフォルダー「%1」を作れません。")
                       .arg(QDir::toNativeSeparators(folder))};
  // The pages are drawn once; the first free name of the copies takes them.
  auto out = PdfOutput::Begin(folder + u'/' + ArchiveFileName(number, day, 1), like, writer);
  if (!out) return Failure{out.error()};
  std::vector<RecordingCanvas> pages{page};
  if (auto printed = PrintPages((*out)->printer(), pages); !printed)
    return Failure{printed.error()};
  QString path;
  for (int copy = 1; copy <= kMaxCopies && path.isEmpty(); ++copy) {
    const QString candidate = folder + u'/' + ArchiveFileName(number, day, copy);
    auto placed = (*out)->finishAsNew(candidate);
    if (!placed) return Failure{placed.error()};
    if (*placed) path = candidate;
  }
  if (path.isEmpty()) return Failure{QStringLiteral("控えが多すぎます。")};
  auto sha = sha256Of(path);
  if (!sha) return Failure{sha.error()};
  return ArchivedPage{path, *sha};
}

HistoryEntry HandedOutEntryOf(const QString& registerPath, const QByteArray& line,
                              const Expected<ArchivedPage>& kept) {
  if (!kept) return HandedOutWithoutCopy(line, kept.error());
  return HandedOutEntry(line, ReceiptArchiveFolder(registerPath), kept->path, kept->sha256);
}

}  // namespace kelvane
