#pragma once
// The copy of each receipt as it was handed out: the printed page kept as a
// one-page PDF beside the register, in "<register>.archive/YYYY/MM/", named
// by the receipt's number and date. A reprint is another copy handed out:
// it is kept beside the first, never over it.

#include "receipt/register_history.h"
#include "render/recording_canvas.h"
#include "text/expected.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

class QPrinter;

namespace kelvane {

struct ArchivedPage {
  QString path;
  QByteArray sha256;  // hex, of the file's bytes
};

// The folder of the copies of a register's receipts.
[[nodiscard]] QString ReceiptArchiveFolder(const QString& registerPath);

// The file name for a receipt: its number with the characters a file name
// cannot hold replaced, then the date; "-2", "-3" … for later copies.
[[nodiscard]] QString ArchiveFileName(const QString& number, const QDate& date, int copy);

// The copies kept of receipt `number` of `date`, the first one first.
[[nodiscard]] QStringList ArchivedCopiesOf(const QString& registerPath, const QString& number,
                                           const QDate& date);

// Writes `page` (drawn for `like`, whose paper and resolution the copy
// gets) as the copy of receipt `number` of `date`.
// `writer` (optional) is a PDF printer reused for many copies.
[[nodiscard]] Expected<ArchivedPage> ArchiveReceiptPage(const QString& registerPath,
                                                        const QString& number, const QDate& date,
                                                        const RecordingCanvas& page,
                                                        const QPrinter& like,
                                                        QPrinter* writer = nullptr);

// The history's 発行 entry of a receipt (`line`: the receipt as a register
// line) whose copy `kept` was or could not be kept beside that register.
[[nodiscard]] HistoryEntry HandedOutEntryOf(const QString& registerPath, const QByteArray& line,
                                            const Expected<ArchivedPage>& kept);

}  // namespace kelvane
