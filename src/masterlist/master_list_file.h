#pragma once
// The four master lists (addressees, description lines 1 and 2, staff) and
// their files: fixed records of 172 bytes, record 0 an empty leader,
// records 1 to 600 the entries 1 to 600. Texts are cp932 bytes behind a
// length byte. QtCore only.

#include "text/expected.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>

namespace kelvane {

inline constexpr int kMasterRecordBytes = 172;
inline constexpr int kMasterEntryCount = 600;  // entries 1 to 600
inline constexpr int kMasterTextBytes = 80;    // entry text and second text
inline constexpr int kMasterCodeBytes = 4;     // short code
// A new file holds this many empty records; only the first 601 are used.
inline constexpr int kMasterFreshRecords = 1000;
// What a save writes: the leader and the 600 entries (103 372 bytes).
inline constexpr qint64 kMasterSavedBytes = qint64(kMasterEntryCount + 1) * kMasterRecordBytes;

// The folder under the program folder that holds the list files.
inline constexpr char kMasterListFolder[] = "basedata";

// Numbered as the callers choose a list.
enum class MasterListKind { Addressees = 1, Descriptions1 = 2, Descriptions2 = 3, Staff = 4 };

// "atesaki.dat", "topic1.dat", "topic2.dat" or "tanto.dat".
[[nodiscard]] QString MasterListFileName(MasterListKind kind);

// One record. Only `text` is shown and used by the program; the other three
// fields are carried through every rewrite.
struct MasterListEntry {
  QByteArray text;    // cp932, at most 80 bytes
  QByteArray code;    // cp932, at most 4 bytes
  QByteArray second;  // cp932, at most 80 bytes
  qint32 number = 0;

  bool operator==(const MasterListEntry&) const = default;
};

// The first bytes of `text`, at most `maxBytes`, ending on a whole
// character: a double-byte character that does not fit is left out whole.
[[nodiscard]] QByteArray CutCp932(QByteArrayView text, int maxBytes);

// The 172 bytes of `entry`; fields longer than their room are cut as above,
// unused bytes are zero.
[[nodiscard]] QByteArray EncodeMasterRecord(const MasterListEntry& entry);

// Any bytes as one record: missing bytes read as zero, a length byte beyond
// its field's room reads as the whole field and sets `*damaged`.
[[nodiscard]] MasterListEntry DecodeMasterRecord(QByteArrayView record, bool* damaged = nullptr);

// What a read found wrong in the content; the list holds what could be read.
struct MasterListReadReport {
  int entriesRead = 0;     // whole records after the leader, at most 600
  int damagedLengths = 0;  // records with a length byte beyond its field
  qint64 strayBytes = 0;   // a last partial record among the used ones
};

class MasterList {
 public:
  // Entry `number` (1 to 600); an empty entry outside.
  [[nodiscard]] const MasterListEntry& entry(int number) const;
  // Ignored outside 1 to 600.
  void setEntry(int number, const MasterListEntry& entry);
  // Registering: the text cut to 80 bytes; code, second text and number
  // cleared. Ignored outside 1 to 600.
  void registerText(int number, QByteArrayView text);

  // The file as a save writes it: the empty leader, then entries 1 to 600.
  [[nodiscard]] QByteArray fileContent() const;
  // Reads file content of any length: entries the content does not hold
  // are empty; record 0 and records after 600 are not looked at.
  [[nodiscard]] static MasterList fromFileContent(QByteArrayView content,
                                                  MasterListReadReport* report = nullptr);

  bool operator==(const MasterList&) const = default;

 private:
  std::array<MasterListEntry, kMasterEntryCount> entries_;
};

// The content of a new list file: 1000 empty records (172 000 zero bytes).
[[nodiscard]] QByteArray FreshMasterListContent();

struct MasterListLoad {
  MasterList list;
  bool created = false;  // the file was missing and has been made
  MasterListReadReport report;
  // Empty, or a sentence for the user on what was wrong with the content.
  QString notice;
};

// Reads the list file at `path`; a missing file is first created with
// FreshMasterListContent(). Fails with a message when the file cannot be
// made or read (a folder, no permission).
[[nodiscard]] Expected<MasterListLoad> LoadMasterListFile(const QString& path);

// Replaces the file at `path` with list.fileContent(), atomically.
[[nodiscard]] Expected<void> SaveMasterListFile(const QString& path, const MasterList& list);

// Makes the folder `path` and any missing parent.
[[nodiscard]] Expected<void> EnsureMasterListFolder(const QString& path);

}  // namespace kelvane
