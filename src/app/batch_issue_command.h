#pragma once
// "CSVから一括発行…" of the main window: the file asked for and read, and the
// batch dialog given the window's layout, settings and printer.

#include <functional>

namespace kelvane {

class BatchIssueDialog;
class ReceiptMainForm;

// `run` stands in for the dialog's own event loop (tests drive it).
void IssueFromCsvFile(ReceiptMainForm& form,
                      const std::function<void(BatchIssueDialog&)>& run = {});

}  // namespace kelvane
