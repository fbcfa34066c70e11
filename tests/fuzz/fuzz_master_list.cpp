// Any master-list file ("atesaki.dat", "topic1.dat", ...): the records read,
// what was read saved and read again to the same list.

#include "fuzz_input.h"
#include "masterlist/master_list_file.h"

using namespace kelvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray content = fuzz::Bytes(data, size);
  MasterListReadReport report;
  const MasterList list = MasterList::fromFileContent(content, &report);
  KELVANE_FUZZ_CHECK(report.entriesRead >= 0 && report.entriesRead <= kMasterEntryCount);
  KELVANE_FUZZ_CHECK(report.strayBytes >= 0 && report.strayBytes < kMasterRecordBytes);
  const QByteArray saved = list.fileContent();
  KELVANE_FUZZ_CHECK(saved.size() == kMasterSavedBytes);
  KELVANE_FUZZ_CHECK(MasterList::fromFileContent(saved) == list);

  const auto loaded = LoadMasterListFile(fuzz::AsFile(content, "atesaki.dat"));
  KELVANE_FUZZ_CHECK(loaded && loaded->list == list && !loaded->created);
  KELVANE_FUZZ_CHECK(loaded->notice.isEmpty() ==
                     (report.damagedLengths == 0 && report.strayBytes == 0));

  // Registering over an entry keeps every other one.
  MasterList changed = list;
  changed.registerText(1, content.left(120));
  KELVANE_FUZZ_CHECK(changed.entry(1).text.size() <= kMasterTextBytes);
  for (int n = 2; n <= kMasterEntryCount; ++n)
    KELVANE_FUZZ_CHECK(changed.entry(n) == list.entry(n));
  return 0;
}
