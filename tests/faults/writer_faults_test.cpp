// Every file the program writes, written while the disk refuses: the folder
// read-only, a folder where the file belongs, the disk full (a small disk
// of its own), and a write cut short by the atomic-write seam. Each time
// the file of the last good write must stay byte for byte, the user must
// read in Japanese which file could not be written, no scrap may be left
// beside it, and once the fault is gone the same command must work again
// in the same window.

#include "app/month_calendar.h"
#include "app/pages/environment_page.h"
#include "app/pages/receipt_issue_page.h"
#include "app/pages/style_settings_page.h"
#include "app/print_command.h"
#include "app/receipt_date.h"
#include "app/receipt_input.h"
#include "app/receipt_main_form.h"
#include "app/register_commands.h"
#include "app/register_viewer.h"
#include "app/settings_store.h"
#include "app/style_commands.h"
#include "layout/field_cursor.h"
#include "masterlist/master_list_file.h"
#include "masterlist_window/order_reg.h"
#include "settings/program_folder.h"
#include "support/box_answerer.h"
#include "support/pdf_pages.h"
#include "support/read_only_folder.h"
#include "support/small_disk.h"
#include "text/cp932.h"
#include "text/layout_text.h"
#include "text/line_file.h"
#include "widgets/str_col_grid.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <map>

namespace kelvane {
namespace {

using testing::BoxAnswerer;

// OnePageLeft: the disk is full but for one page, so that a lock file still
// fits and the register itself is what finds the disk full.
enum class Fault { ReadOnlyFolder, FolderInPlace, DiskFull, WriteCutShort, OnePageLeft };

const char* faultName(Fault fault) {
  switch (fault) {
    case Fault::ReadOnlyFolder:
      return "ReadOnlyFolder";
    case Fault::FolderInPlace:
      return "FolderInPlace";
    case Fault::DiskFull:
      return "DiskFull";
    case Fault::WriteCutShort:
      return "WriteCutShort";
    case Fault::OnePageLeft:
      break;
  }
  return "OnePageLeft";
}

QByteArray sj(const QString& text) { return ToLayoutText(text); }
QString numbered(const char* utf8, int n) { return QString::fromUtf8(utf8) + QString::number(n); }

bool hasJapanese(const QString& text) {
  return std::any_of(text.cbegin(), text.cend(), [](QChar c) {
    return (c.unicode() >= 0x3040 && c.unicode() <= 0x30FF) ||
           (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF);
  });
}

QByteArray bytesOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

class WriterFaultsTest;

// A command of the program that writes files, and how to tell it worked.
struct Writer {
  const char* name;
  QString folder;     // under the program folder; empty for the folder itself
  QStringList files;  // what the command writes there; kWindowFile for the window file
  // Runs the command the n-th time, with texts that carry n.
  std::function<void(WriterFaultsTest&, int n)> write;
  // After the n-th run went through: the files hold what it wrote.
  std::function<void(WriterFaultsTest&, int n)> expectWritten;
  int boxesWhenWritten = 0;  // questions and notices of a run that worked
  std::function<void(WriterFaultsTest&)> prepare = {};
  const char* answerOnFailure = nullptr;  // the button for a question then
  std::function<void(WriterFaultsTest&)> expectAfterFailure = {};
  // Files a failed run may leave beside the others by design.
  QStringList mayAppear = {};
};

// The window file is named after the test program, known once it runs.
const QString kWindowFile = QStringLiteral("<window file>");
QStringList filesOf(const Writer& writer) {
  QStringList files = writer.files;
  for (QString& name : files)
    if (name == kWindowFile) name = WindowFileName();
  return files;
}

void PrintTo(const Writer& writer, std::ostream* out) { *out << writer.name; }

class WriterFaultsTest : public ::testing::TestWithParam<std::tuple<Writer, Fault>> {
 public:
  void SetUp() override {
    testing::EnsureWidgetApplication();
    ASSERT_TRUE(QDir().mkpath(program()));
    disk_ = std::make_unique<testing::SmallDisk>(program(), 2 * 1024 * 1024);
    ASSERT_TRUE(QDir().mkpath(file("style")));
    SetProgramFolder(program());
    form_ = std::make_unique<ReceiptMainForm>();
    form_->dialogs.saveStyle = [this](QWidget*, const QString&) { return file("style/mine.rcd"); };
    form_->dialogs.printPdf = [this](QWidget*) { return file("receipt.pdf"); };
    form_->dialogs.askText = [this](QWidget*, const QString&, const QString&,
                                    const QString&) -> std::optional<QString> { return answer_; };
    form_->show();
    boxes_.texts.clear();
  }
  void TearDown() override {
    SetAtomicWriteLimitForTests(-1);
    viewer_.reset();
    form_.reset();
    SetProgramFolder({});
    disk_.reset();
  }

  QString program() const { return dir_.filePath(QStringLiteral("program")); }
  QString file(const QString& name) const { return QDir(program()).filePath(name); }
  QString file(const char* name) const { return file(QString::fromUtf8(name)); }
  QString registerFile() const { return file("regidata.klv"); }
  QList<QByteArray> lines(const QString& path) const {
    auto read = readLineFile(path);
    return read ? *read : QList<QByteArray>{};
  }
  // The text of a receipt item: what follows the record's tenth comma.
  QString item(int line) const {
    return FromLayoutText(CharRecordText(form_->document().line(line)));
  }

  // The register list on the current register, shown beside the window.
  Tfreglist& viewer() {
    if (!viewer_) {
      viewer_ = std::make_unique<Tfreglist>(form_->currentRegisterPath(), form_.get());
      viewer_->dialogs.chooseFile = [this](QWidget*, ViewerDialogs::Purpose purpose,
                                           const QString&) {
        return purpose == ViewerDialogs::Purpose::ExportCsv ? file("list.csv") : file("copy.klv");
      };
      viewer_->dialogs.includeTitleRow = [](QWidget*) { return false; };
    }
    if (!viewer_->isVisible()) viewer_->show();
    return *viewer_;
  }
  // The master-list window, showing the addressees to register into.
  Tforderreg& picker() {
    Tforderreg& p = *form_->orderreg;
    p.kind = MasterListKind::Addressees;
    p.mode = Tforderreg::Mode::Registration;
    p.hide();  // each showing reads the list
    p.show();
    return p;
  }
  static void doubleClick(Tforderreg& picker, int col, int row, Qt::KeyboardModifiers modifiers) {
    TStrColGrid* grid = picker.StrColGrid1;
    const QPoint at = grid->CellRect(col, row).center() - grid->viewport()->pos();
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, modifiers, at);
  }
  QLabel* dayCell(int dayNumber) const {
    for (QLabel* cell : form_->receiptDate->calendar->day) {
      if (cell->property("dayNumber").toInt() == dayNumber) return cell;
    }
    return nullptr;
  }
  void record(const QString& number, const QString& addressee, bool announce) {
    form_->receiptPage->Edit2->setText(number);
    form_->receiptPage->atesaki_1->setEditText(addressee);
    RecordReceipt(*form_, announce);
  }

  // The window answers the keyboard and draws what is typed into its items.
  void expectWindowWorks() {
    if (viewer_) viewer_->hide();
    form_->orderreg->hide();
    ASSERT_TRUE(form_->isVisible());
    QLineEdit* number = form_->receiptPage->Edit2;
    number->clear();
    QTest::keyClicks(number, QStringLiteral("W77"));
    QTest::keyClick(number, Qt::Key_Return);
    EXPECT_EQ(item(239), QStringLiteral("W77"));
  }

  QTemporaryDir dir_;
  std::unique_ptr<testing::SmallDisk> disk_;
  BoxAnswerer boxes_;
  std::unique_ptr<ReceiptMainForm> form_;
  std::unique_ptr<Tfreglist> viewer_;
  std::optional<QString> answer_;
  bool closed_ = false;  // whether the last close request closed the window
};

// The fault for as long as it lives; it goes again when it ends.
class FaultInPlace {
 public:
  FaultInPlace(Fault fault, WriterFaultsTest& test, const QString& folder, const QStringList& files)
      : fault_(fault), test_(test), folder_(folder) {
    switch (fault) {
      case Fault::ReadOnlyFolder:
        readOnly_.emplace(folder);
        active_ = readOnly_->active();
        break;
      case Fault::FolderInPlace:
        for (const QString& name : files) {
          const QString path = QDir(folder).filePath(name);
          if (QFileInfo(path).isFile()) kept_[path] = bytesOf(path);
          QFile::remove(path);
          QDir().mkpath(path);
          writeSentinel(path);
          replaced_ << path;
        }
        active_ = true;
        break;
      case Fault::DiskFull:
      case Fault::OnePageLeft:
        active_ = test.disk_->active() && test.disk_->fill(fault == Fault::OnePageLeft ? 1 : 0);
        break;
      case Fault::WriteCutShort:
        SetAtomicWriteLimitForTests(8);
        active_ = true;
        break;
    }
  }
  ~FaultInPlace() {
    readOnly_.reset();
    // The fault is gone when the file is back: a register that vanishes is
    // never made anew in silence.
    for (const QString& path : replaced_) QDir(path).removeRecursively();
    for (const auto& [path, bytes] : kept_) (void)writeFileAtomically(path, bytes);
    if (fault_ == Fault::DiskFull || fault_ == Fault::OnePageLeft) test_.disk_->release();
    SetAtomicWriteLimitForTests(-1);
  }
  FaultInPlace(const FaultInPlace&) = delete;
  FaultInPlace& operator=(const FaultInPlace&) = delete;

  [[nodiscard]] bool active() const { return active_; }

  // A folder put in place of a file must come through untouched.
  void expectFoldersUntouched() const {
    for (const QString& path : replaced_) {
      EXPECT_TRUE(QFileInfo(path).isDir()) << path.toStdString();
      EXPECT_EQ(bytesOf(QDir(path).filePath(QStringLiteral("kept.txt"))), QByteArray("kept"))
          << path.toStdString();
    }
  }

 private:
  static void writeSentinel(const QString& folder) {
    QFile sentinel(QDir(folder).filePath(QStringLiteral("kept.txt")));
    if (sentinel.open(QIODevice::WriteOnly)) sentinel.write("kept");
  }

  Fault fault_;
  WriterFaultsTest& test_;
  QString folder_;
  std::optional<testing::ReadOnlyFolder> readOnly_;
  QStringList replaced_;
  std::map<QString, QByteArray> kept_;
  bool active_ = false;
};

TEST_P(WriterFaultsTest, KeepsThePreviousFileSaysWhichAndGoesOn) {
  const auto& [writer, fault] = GetParam();
  const QString folder = QDir(program()).filePath(writer.folder);
  if (writer.prepare) writer.prepare(*this);
  writer.write(*this, 1);
  writer.expectWritten(*this, 1);
  ASSERT_EQ(boxes_.texts.size(), writer.boxesWhenWritten) << boxes_.texts.join('|').toStdString();

  const QStringList files = filesOf(writer);
  std::map<QString, QByteArray> previous;
  for (const QString& name : files) previous[name] = bytesOf(QDir(folder).filePath(name));
  {
    FaultInPlace inPlace(fault, *this, folder, files);
    if (!inPlace.active()) GTEST_SKIP() << "this machine cannot bring about " << faultName(fault);
    const auto entriesNow = [&] {
      QStringList names =
          QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
      for (const QString& name : writer.mayAppear) names.removeAll(name);
      return names;
    };
    const QStringList entries = entriesNow();
    boxes_.texts.clear();
    boxes_.answerWith =
        writer.answerOnFailure ? QString::fromUtf8(writer.answerOnFailure) : QString();
    writer.write(*this, 2);
    boxes_.answerWith.clear();

    // Said in words, naming each file that was not written.
    EXPECT_FALSE(boxes_.texts.isEmpty()) << "the failure is said";
    for (const QString& text : boxes_.texts) EXPECT_TRUE(hasJapanese(text)) << text.toStdString();
    for (const QString& name : files) {
      EXPECT_TRUE(std::any_of(boxes_.texts.cbegin(), boxes_.texts.cend(),
                              [&](const QString& t) { return t.contains(name); }))
          << name.toStdString() << " is not named in: " << boxes_.texts.join('|').toStdString();
    }
    // The previous file is whole, and nothing half-written lies beside it.
    if (fault == Fault::FolderInPlace) {
      inPlace.expectFoldersUntouched();
    } else {
      for (const auto& [name, bytes] : previous)
        EXPECT_EQ(bytesOf(QDir(folder).filePath(name)), bytes) << name.toStdString();
    }
    EXPECT_EQ(entriesNow(), entries) << "nothing half-written is left";
    if (writer.expectAfterFailure) writer.expectAfterFailure(*this);
  }

  // The fault is gone: the same command in the same window works again.
  boxes_.texts.clear();
  writer.write(*this, 3);
  writer.expectWritten(*this, 3);
  EXPECT_EQ(boxes_.texts.size(), writer.boxesWhenWritten) << boxes_.texts.join('|').toStdString();
  expectWindowWorks();
}

// ---- the writers -----------------------------------------------------------

Writer recordReceipt() {
  Writer w{
      "RecordReceipt",
      {},
      {"regidata.klv"},
      [](WriterFaultsTest& t, int n) { t.record(numbered("A", n), numbered("宛名", n), true); },
      [](WriterFaultsTest& t, int n) {
        const QList<QByteArray> lines = t.lines(t.registerFile());
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_TRUE(lines.last().startsWith(sj(numbered("A", n)) + ','));
        EXPECT_TRUE(lines.last().contains(sj(numbered("宛名", n))));
      },
      1};
  // The register as it stood is kept there before it is rewritten.
  w.mayAppear = {"tempfile.dat"};
  return w;
}

Writer deleteShownReceipt() {
  Writer w{"DeleteShownReceipt",
           {},
           {"regidata.klv"},
           [](WriterFaultsTest& t, int n) {
             t.form_->receiptPage->Edit2->setText(numbered("A", n));
             DeleteShownReceipt(*t.form_);
           },
           [](WriterFaultsTest& t, int n) {
             const QList<QByteArray> lines = t.lines(t.registerFile());
             for (const QByteArray& line : lines)
               EXPECT_FALSE(line.startsWith(sj(numbered("A", n)) + ','));
           },
           2};
  w.prepare = [](WriterFaultsTest& t) {
    for (int n = 1; n <= 3; ++n) t.record(numbered("A", n), numbered("宛名", n), false);
    t.boxes_.texts.clear();
  };
  return w;
}

Writer settingsUpdate() {
  return {"SettingsUpdateButton",
          {},
          {"kelvane.conf"},
          [](WriterFaultsTest& t, int n) {
            t.form_->environmentPage->d1->setText(numbered("見出", n));
            QTest::mouseClick(t.form_->environmentPage->updateButton, Qt::LeftButton);
          },
          [](WriterFaultsTest& t, int n) {
            EXPECT_TRUE(bytesOf(t.file(kSettingsFileName)).contains(sj(numbered("見出", n))));
          },
          1};
}

Writer closeSave() {
  Writer w{"CloseSave",
           {},
           {kWindowFile, "kelvane.conf", "cardtemp.dat"},
           [](WriterFaultsTest& t, int n) {
             t.form_->environmentPage->d1->setText(numbered("見出", n));
             t.form_->stylePage->stylebtn->setText(numbered("様式", n));
             t.form_->move(20 * n, 10 * n);
             t.form_->close();
             t.closed_ = !t.form_->isVisible();
             if (t.closed_) t.form_->show();
           },
           [](WriterFaultsTest& t, int n) {
             EXPECT_TRUE(t.closed_);
             EXPECT_TRUE(bytesOf(t.file(kSettingsFileName)).contains(sj(numbered("見出", n))));
             EXPECT_TRUE(bytesOf(t.file(kCurrentLayoutFileName)).contains(sj(numbered("様式", n))));
             EXPECT_TRUE(bytesOf(t.file(WindowFileName())).contains("Left="));
           },
           0};
  // Asked whether to close all the same: no, so the window stays.
  w.answerOnFailure = "キャンセル";
  w.expectAfterFailure = [](WriterFaultsTest& t) {
    EXPECT_FALSE(t.closed_);
    ASSERT_FALSE(t.boxes_.texts.isEmpty());
    EXPECT_TRUE(t.boxes_.texts.last().contains(QStringLiteral("このまま終了しますか")));
  };
  return w;
}

Writer saveStyle() {
  return {"SaveStyleFile",
          "style",
          {"mine.rcd"},
          [](WriterFaultsTest& t, int n) {
            t.form_->stylePage->stylebtn->setText(numbered("様式", n));
            SaveStyleFile(*t.form_);
          },
          [](WriterFaultsTest& t, int n) {
            const QList<QByteArray> lines = t.lines(t.file("style/mine.rcd"));
            ASSERT_GT(lines.size(), 1);
            EXPECT_EQ(lines[0], "[Version2.0]");
            EXPECT_TRUE(bytesOf(t.file("style/mine.rcd")).contains(sj(numbered("様式", n))));
          },
          1};
}

Writer inputHistory() {
  return {"InputHistory",
          {},
          {"atesaki_1.DAT"},
          [](WriterFaultsTest& t, int n) {
            t.form_->receiptPage->atesaki_1->setEditText(numbered("宛名", n));
            t.form_->receiptInput->UpdateInputHistory();
          },
          [](WriterFaultsTest& t, int n) {
            const QList<QByteArray> lines = t.lines(t.file("atesaki_1.DAT"));
            ASSERT_FALSE(lines.isEmpty());
            EXPECT_EQ(lines.first(), sj(numbered("宛名", n)));
          },
          0};
}

Writer holidayToggle() {
  return {"HolidayToggle",
          {},
          {"SDAYLIST.DAT"},
          [](WriterFaultsTest& t, int n) {
            QLabel* cell = t.dayCell(n);
            ASSERT_NE(cell, nullptr);
            QTest::mouseClick(cell, Qt::LeftButton, Qt::ShiftModifier);
          },
          [](WriterFaultsTest& t, int n) {
            const QList<QByteArray> lines = t.lines(t.file("SDAYLIST.DAT"));
            ASSERT_FALSE(lines.isEmpty());
            EXPECT_TRUE(lines.last().endsWith(",0" + QByteArray::number(n) + ','));
          },
          1};
}

Writer masterListRegistration() {
  return {"MasterListRegistration",
          "basedata",
          {"atesaki.dat"},
          [](WriterFaultsTest& t, int n) {
            Tforderreg& p = t.picker();
            t.answer_ = numbered("登録", n);
            WriterFaultsTest::doubleClick(p, 1, 1, Qt::ShiftModifier);
          },
          [](WriterFaultsTest& t, int n) {
            const QByteArray content = bytesOf(t.file("basedata/atesaki.dat"));
            EXPECT_EQ(content.size(), kMasterSavedBytes);
            EXPECT_EQ(MasterList::fromFileContent(content).entry(1).text, sj(numbered("登録", n)));
            EXPECT_EQ(t.form_->orderreg->StrColGrid1->Cells(1, 1), numbered("登録", n));
          },
          0};
}

// The viewer showing the register again after its first receipt was
// recorded anew with an addressee that carries n.
void changeFirstRow(WriterFaultsTest& t, int n) {
  t.record(QStringLiteral("A1"), numbered("宛名", n), false);
  t.boxes_.texts.clear();
  Tfreglist& v = t.viewer();
  v.disp_clear();
  v.file_read(v.viewerPath());
}

Writer viewerSaveAs() {
  Writer w{"ViewerSaveAs",
           {},
           {"copy.klv"},
           [](WriterFaultsTest& t, int n) {
             changeFirstRow(t, n);
             t.viewer().N6Click();
           },
           [](WriterFaultsTest& t, int n) {
             const QList<QByteArray> lines = t.lines(t.file("copy.klv"));
             ASSERT_EQ(lines.size(), 1);
             EXPECT_TRUE(lines[0].startsWith("A1,"));
             EXPECT_TRUE(lines[0].contains(sj(numbered("宛名", n))));
           },
           0};
  w.prepare = [](WriterFaultsTest& t) {
    t.record(QStringLiteral("A1"), QStringLiteral("宛名"), false);
    t.boxes_.texts.clear();
  };
  return w;
}

Writer viewerCsv() {
  Writer w = viewerSaveAs();
  w.name = "ViewerCsvExport";
  w.files = {"list.csv"};
  w.write = [](WriterFaultsTest& t, int n) {
    changeFirstRow(t, n);
    t.viewer().CSV1Click();
  };
  w.expectWritten = [](WriterFaultsTest& t, int n) {
    const QList<QByteArray> lines = t.lines(t.file("list.csv"));
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].contains(sj(numbered("宛名", n))));
  };
  return w;
}

Writer viewerColumnWidths() {
  return {"ViewerColumnWidths",
          {},
          {"display.dat"},
          [](WriterFaultsTest& t, int n) {
            Tfreglist& v = t.viewer();
            v.StrColGrid1->SetColWidths(5, 100 + n);
            v.reject();  // closing keeps the widths
          },
          [](WriterFaultsTest& t, int n) {
            const QList<QByteArray> lines = t.lines(t.file("display.dat"));
            ASSERT_EQ(lines.size(), 21);
            EXPECT_EQ(lines[6], "[list_colwidths[5]]=" + QByteArray::number(100 + n));
          },
          0};
}

Writer pdfExport() {
  return {
      "PdfExport",
      {},
      {"receipt.pdf"},
      [](WriterFaultsTest& t, int n) {
        t.form_->receiptPage->Edit2->setText(numbered("P", n));
        PrintReceiptToPdf(*t.form_);
      },
      [](WriterFaultsTest& t, int) { EXPECT_TRUE(testing::PdfIsComplete(t.file("receipt.pdf"))); },
      0};
}

std::string caseName(const ::testing::TestParamInfo<std::tuple<Writer, Fault>>& info) {
  return std::string(std::get<0>(info.param).name) + '_' + faultName(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(
    EveryWriter, WriterFaultsTest,
    ::testing::Combine(::testing::Values(recordReceipt(), deleteShownReceipt(), settingsUpdate(),
                                         closeSave(), saveStyle(), inputHistory(), holidayToggle(),
                                         masterListRegistration(), viewerSaveAs(), viewerCsv(),
                                         viewerColumnWidths()),
                       ::testing::Values(Fault::ReadOnlyFolder, Fault::FolderInPlace,
                                         Fault::DiskFull, Fault::WriteCutShort)),
    caseName);

// The PDF is written by Qt's PDF engine, not through the atomic writer, so
// a write cut short by the seam does not reach it; a real full disk does.
INSTANTIATE_TEST_SUITE_P(PdfEngine, WriterFaultsTest,
                         ::testing::Combine(::testing::Values(pdfExport()),
                                            ::testing::Values(Fault::ReadOnlyFolder,
                                                              Fault::FolderInPlace,
                                                              Fault::DiskFull)),
                         caseName);

// A removal makes the register smaller and may well fit in that page.
INSTANTIATE_TEST_SUITE_P(RegisterUnderItsLock, WriterFaultsTest,
                         ::testing::Combine(::testing::Values(recordReceipt()),
                                            ::testing::Values(Fault::OnePageLeft)),
                         caseName);

// The histories are saved once more when the program ends: with the fault
// still there, that last try says so again and keeps the file.
class HistoryAtExitTest : public WriterFaultsTest {};

TEST_P(HistoryAtExitTest, TheLastTrySaysItAgainAndKeepsTheFile) {
  const auto& [writer, fault] = GetParam();
  writer.write(*this, 1);
  const QByteArray previous = bytesOf(file("atesaki_1.DAT"));
  {
    FaultInPlace inPlace(fault, *this, program(), writer.files);
    if (!inPlace.active()) GTEST_SKIP() << "this machine cannot bring about " << faultName(fault);
    writer.write(*this, 2);
    ASSERT_EQ(boxes_.texts.size(), 1) << "said once while the program runs";
    form_.reset();
    ASSERT_EQ(boxes_.texts.size(), 2) << "and once more at the end";
    EXPECT_TRUE(boxes_.texts.last().contains(QStringLiteral("atesaki_1.DAT")));
    if (fault == Fault::FolderInPlace) {
      inPlace.expectFoldersUntouched();
    } else {
      EXPECT_EQ(bytesOf(file("atesaki_1.DAT")), previous);
    }
  }
  if (fault == Fault::FolderInPlace) return;
  form_ = std::make_unique<ReceiptMainForm>();
  form_->show();
  QComboBox* field = form_->receiptPage->atesaki_1;
  ASSERT_EQ(field->count(), 1);
  EXPECT_EQ(field->itemText(0), numbered("宛名", 1));
}

INSTANTIATE_TEST_SUITE_P(Addressees, HistoryAtExitTest,
                         ::testing::Combine(::testing::Values(inputHistory()),
                                            ::testing::Values(Fault::ReadOnlyFolder,
                                                              Fault::FolderInPlace, Fault::DiskFull,
                                                              Fault::WriteCutShort)),
                         caseName);

// ---- files that could not be read ------------------------------------------

// A file of the program folder that the program cannot read when it starts
// (here: far larger than any file of the program, which every reader
// refuses; on a shop's machine also a file of another user or a bad disk).
// What the program writes later must not take the place of what it never
// read.
class UnreadFileTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    testing::EnsureWidgetApplication();
    ASSERT_TRUE(QDir().mkpath(program()));
    SetProgramFolder(program());
  }
  void TearDown() override {
    form_.reset();
    SetProgramFolder({});
  }
  QString program() const { return dir_.filePath(QStringLiteral("program")); }
  QString target() const {
    const QString name = QString::fromUtf8(GetParam());
    return QDir(program()).filePath(name == kWindowFile ? WindowFileName() : name);
  }
  // The first bytes of the file and its size: enough to tell it was left.
  static std::pair<qint64, QByteArray> head(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {-1, {}};
    return {file.size(), file.read(4096)};
  }

  QTemporaryDir dir_;
  BoxAnswerer boxes_;
  std::unique_ptr<ReceiptMainForm> form_;
};

TEST_P(UnreadFileTest, IsNeitherWrittenOverAtCloseNorAfterARecord) {
  {
    QFile big(target());
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write("shop's own lines\r\n");
    ASSERT_TRUE(big.resize(kMaxLineFileBytes + 4096));  // sparse: no room taken
  }
  const auto before = head(target());
  form_ = std::make_unique<ReceiptMainForm>();
  form_->show();

  form_->receiptPage->Edit2->setText(QStringLiteral("A1"));
  form_->receiptPage->atesaki_1->setEditText(QStringLiteral("宛名"));
  RecordReceipt(*form_, false);
  boxes_.answerWith = QStringLiteral("キャンセル");
  form_->close();
  boxes_.answerWith.clear();
  form_.reset();

  EXPECT_EQ(head(target()), before);
  const QString name = QFileInfo(target()).fileName();
  EXPECT_TRUE(std::any_of(boxes_.texts.cbegin(), boxes_.texts.cend(), [&](const QString& t) {
    return t.contains(name);
  })) << boxes_.texts.join('|').toStdString();
  for (const QString& text : boxes_.texts) EXPECT_TRUE(hasJapanese(text)) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(StartUpFiles, UnreadFileTest,
                         ::testing::Values("kelvane.conf", "cardtemp.dat", "<window file>",
                                           "atesaki_1.DAT"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.index == 2   ? "WindowFile"
                                              : info.index == 0 ? "Settings"
                                              : info.index == 1 ? "CurrentLayout"
                                                                : "AddresseeHistory");
                         });
}  // namespace
}  // namespace kelvane
