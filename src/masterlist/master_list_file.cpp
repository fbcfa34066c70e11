#include "masterlist/master_list_file.h"

#include "text/cp932.h"
#include "text/line_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QtEndian>

namespace kelvane {

namespace {

// Offsets inside a record.
constexpr int kTextAt = 0;
constexpr int kCodeAt = 81;
constexpr int kSecondAt = 86;
constexpr int kNumberAt = 168;

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

void putString(QByteArray& record, int at, QByteArrayView text, int room) {
  const QByteArray cut = CutCp932(text, room);
  record[at] = static_cast<char>(cut.size());
  std::copy(cut.cbegin(), cut.cend(), record.begin() + at + 1);
}

QByteArray takeString(QByteArrayView record, int at, int room, bool& damaged) {
  int length = static_cast<unsigned char>(record[at]);
  if (length > room) {
    damaged = true;
    length = room;
  }
  return record.sliced(at + 1, length).toByteArray();
}

}  // namespace

QString MasterListFileName(MasterListKind kind) {
  switch (kind) {
    case MasterListKind::Descriptions1:
      return QStringLiteral("topic1.dat");
    case MasterListKind::Descriptions2:
      return QStringLiteral("topic2.dat");
    case MasterListKind::Staff:
      return QStringLiteral("tanto.dat");
    case MasterListKind::Addressees:
      break;
  }
  return QStringLiteral("atesaki.dat");
}

QByteArray CutCp932(QByteArrayView text, int maxBytes) {
  if (maxBytes <= 0) return {};
  if (text.size() <= maxBytes) return text.toByteArray();
  qsizetype end = 0;
  while (end < text.size()) {
    const qsizetype next = end + cp932::charLength(text, end);
    if (next > maxBytes) break;
    end = next;
  }
  return text.first(end).toByteArray();
}

QByteArray EncodeMasterRecord(const MasterListEntry& entry) {
  QByteArray record(kMasterRecordBytes, '\0');
  putString(record, kTextAt, entry.text, kMasterTextBytes);
  putString(record, kCodeAt, entry.code, kMasterCodeBytes);
  putString(record, kSecondAt, entry.second, kMasterTextBytes);
  qToLittleEndian<qint32>(entry.number, record.data() + kNumberAt);
  return record;
}

MasterListEntry DecodeMasterRecord(QByteArrayView bytes, bool* damaged) {
  QByteArray record(kMasterRecordBytes, '\0');
  const qsizetype given = std::min<qsizetype>(bytes.size(), kMasterRecordBytes);
  std::copy(bytes.begin(), bytes.begin() + given, record.begin());
  bool bad = false;
  MasterListEntry entry;
  entry.text = takeString(record, kTextAt, kMasterTextBytes, bad);
  entry.code = takeString(record, kCodeAt, kMasterCodeBytes, bad);
  entry.second = takeString(record, kSecondAt, kMasterTextBytes, bad);
  entry.number = qFromLittleEndian<qint32>(record.constData() + kNumberAt);
  if (damaged) *damaged = bad;
  return entry;
}

const MasterListEntry& MasterList::entry(int number) const {
  static const MasterListEntry empty;
  if (number < 1 || number > kMasterEntryCount) return empty;
  return entries_[static_cast<size_t>(number - 1)];
}

void MasterList::setEntry(int number, const MasterListEntry& entry) {
  if (number < 1 || number > kMasterEntryCount) return;
  MasterListEntry& e = entries_[static_cast<size_t>(number - 1)];
  e.text = CutCp932(entry.text, kMasterTextBytes);
  e.code = CutCp932(entry.code, kMasterCodeBytes);
  e.second = CutCp932(entry.second, kMasterTextBytes);
  e.number = entry.number;
}

void MasterList::registerText(int number, QByteArrayView text) {
  MasterListEntry entry;
  entry.text = text.toByteArray();
  setEntry(number, entry);
}

QByteArray MasterList::fileContent() const {
  QByteArray content;
  content.reserve(kMasterSavedBytes);
  content += QByteArray(kMasterRecordBytes, '\0');
  for (const MasterListEntry& e : entries_) content += EncodeMasterRecord(e);
  return content;
}

MasterList MasterList::fromFileContent(QByteArrayView content, MasterListReadReport* report) {
  MasterList list;
  MasterListReadReport found;
  const qsizetype used = std::min<qsizetype>(content.size(), kMasterSavedBytes);
  const qsizetype whole = used / kMasterRecordBytes;  // the leader included
  for (qsizetype r = 1; r < whole; ++r) {
    bool damaged = false;
    list.entries_[static_cast<size_t>(r - 1)] =
        DecodeMasterRecord(content.sliced(r * kMasterRecordBytes, kMasterRecordBytes), &damaged);
    if (damaged) ++found.damagedLengths;
  }
  found.entriesRead = whole > 0 ? static_cast<int>(whole - 1) : 0;
  // A partial record is not an entry; it only matters among the used ones.
  found.strayBytes = used % kMasterRecordBytes;
  if (report) *report = found;
  return list;
}

QByteArray FreshMasterListContent() {
  return QByteArray(qsizetype(kMasterFreshRecords) * kMasterRecordBytes, '\0');
}

Expected<MasterListLoad> LoadMasterListFile(const QString& path) {
  MasterListLoad load;
  const QFileInfo info(path);
  if (info.isDir()) {
    return Failure{QStringLiteral("「%1」はフォルダなので読み込めません。").arg(shown(path))};
  }
  if (!info.exists()) {
    if (auto made = writeFileAtomically(path, FreshMasterListContent()); !made) {
      return Failure{made.error()};
    }
    load.created = true;
    load.report.entriesRead = kMasterEntryCount;
    return load;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return Failure{
        QStringLiteral("「%1」を読み込めません: %2").arg(shown(path), file.errorString())};
  }
  const QByteArray content = file.read(kMasterSavedBytes);
  if (file.error() != QFileDevice::NoError) {
    return Failure{
        QStringLiteral("「%1」を読み込めません: %2").arg(shown(path), file.errorString())};
  }
  load.list = MasterList::fromFileContent(content, &load.report);
  QStringList notes;
  if (load.report.damagedLengths > 0) {
    notes << QStringLiteral("%1 件の記録は文字数の欄が壊れていたため、入る分だけを読みました。")
                 .arg(load.report.damagedLengths);
  }
  if (load.report.strayBytes > 0) {
    notes << QStringLiteral("最後の %1 バイトは記録 1 件に足りないため読みませんでした。")
                 .arg(load.report.strayBytes);
  }
  if (!notes.isEmpty()) {
    load.notice = QStringLiteral("「%1」の内容が正しくありません。\r\n").arg(shown(path)) +
                  notes.join(QStringLiteral("\r\n"));
  }
  return load;
}

Expected<void> SaveMasterListFile(const QString& path, const MasterList& list) {
  return writeFileAtomically(path, list.fileContent());
}

Expected<void> EnsureMasterListFolder(const QString& path) {
  const QFileInfo info(path);
  if (info.isDir()) return {};
  if (info.exists()) {
    return Failure{
        QStringLiteral("「%1」はフォルダではないため、マスターを置けません。").arg(shown(path))};
  }
  if (!QDir().mkpath(path)) {
    return Failure{QStringLiteral("フォルダ「%1」を作れません。").arg(shown(path))};
  }
  return {};
}

}  // namespace kelvane
