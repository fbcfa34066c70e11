// kelvane-render run as a person runs it: a layout file in, a picture out.

#include "tools/render_job.h"
#include "tools/render_options.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kelvane {
namespace {

const QString kTool = QStringLiteral(KELVANE_RENDER_TOOL);
const QString kSample = QStringLiteral(KELVANE_SOURCE_DATA "/style/sample.rcd");

struct ToolRun {
  int status;
  QString errors;
};

// A run still going after `waitMs` reads as status -1.
ToolRun runTool(const QStringList& arguments, int waitMs = 60000) {
  QProcess process;
  process.start(kTool, arguments);
  if (!process.waitForFinished(waitMs)) return {-1, {}};  // killed on leaving
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromUtf8(process.readAllStandardError())};
}

// A layout with the given print settings and receipt size lines and records.
QByteArray layoutWith(const QByteArray& offsets, const QByteArray& size,
                      const QByteArray& records) {
  return "[Version2.0]\r\n,\r\n" + offsets + ",1,0,9,0,380,70,7,-1,\r\n" + size +
         ",0,0,0,\r\n,\r\n,\r\n,\r\n,\r\n,\r\n,\r\n,\r\n,\r\n" + records;
}

int darkPixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += qGray(image.pixel(x, y)) < 128;
  }
  return count;
}

TEST(RenderOptions, ParsesAndRefuses) {
  auto o = ParseRenderOptions({"--print", "--dpi", "300", "in.rcd", "out.PDF"});
  ASSERT_TRUE(o.ok());
  EXPECT_TRUE(o->print);
  EXPECT_EQ(o->printerDpi, 300);
  EXPECT_TRUE(o->pdf);
  auto d = ParseRenderOptions({"in.rcd", "out.png"});
  ASSERT_TRUE(d.ok());
  EXPECT_FALSE(d->print);
  EXPECT_EQ(d->zoomPercent, 70);
  EXPECT_EQ(d->screenDpi, 96);
  EXPECT_FALSE(ParseRenderOptions({"in.rcd", "out.jpg"}).ok());
  EXPECT_FALSE(ParseRenderOptions({"in.rcd"}).ok());
  EXPECT_FALSE(ParseRenderOptions({"--zoom", "5", "a", "b.png"}).ok());
  EXPECT_FALSE(ParseRenderOptions({"--zoom"}).ok());
  EXPECT_FALSE(ParseRenderOptions({"--colour", "a", "b.png"}).ok());
}

TEST(ScreenPixels, PaperPanelSizes) {
  EXPECT_EQ(ScreenPixels(180, 96, 100), 680);
  EXPECT_EQ(ScreenPixels(90, 96, 100), 340);
  EXPECT_EQ(ScreenPixels(210, 96, 70), 555);
}

class RenderToolTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString out(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
  QString layout(const QByteArray& lines, const char* name = "t.rcd") const {
    const QString path = out(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(lines);
    return path;
  }
};

TEST_F(RenderToolTest, PreviewIsTheReceiptAtTheZoom) {
  const ToolRun run = runTool({"--zoom", "100", kSample, out("p.png")});
  ASSERT_EQ(run.status, 0) << run.errors.toStdString();
  const QImage image(out("p.png"));
  EXPECT_EQ(image.size(), QSize(755, 529));  // 200 x 140 mm at 96 dpi
  EXPECT_GT(darkPixels(image), 2000);
}

TEST_F(RenderToolTest, PrintPassIsAnA4Page) {
  const ToolRun run = runTool({"--print", "--dpi", "150", kSample, out("a4.png")});
  ASSERT_EQ(run.status, 0) << run.errors.toStdString();
  const QImage image(out("a4.png"));
  EXPECT_EQ(image.size(), QSize(1240, 1754));
}

TEST_F(RenderToolTest, WritesPdfThatReadsBackAsTheReceipt) {
  const ToolRun run = runTool({"--print", kSample, out("a4.pdf")});
  ASSERT_EQ(run.status, 0) << run.errors.toStdString();
  QFile pdf(out("a4.pdf"));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5) == "%PDF-");
  const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
  if (pdftoppm.isEmpty()) GTEST_SKIP() << "pdftoppm is not installed";
  QProcess::execute(pdftoppm, {"-r", "50", "-png", "-singlefile", out("a4.pdf"), out("page")});
  const QImage page(out("page.png"));
  EXPECT_NEAR(page.width(), 413, 1);  // A4 at 50 dpi
  EXPECT_NEAR(page.height(), 585, 1);
  EXPECT_GT(darkPixels(page), 1000);
  // The page is the printer pass: the preview-only note is not on it, and
  // the receipt sits at the overall offset of 5 mm (10 pixels at 50 dpi).
  EXPECT_EQ(darkPixels(page.copy(0, 0, 413, 9)), 0);
  EXPECT_EQ(darkPixels(page.copy(0, 0, 9, 585)), 0);
}

TEST_F(RenderToolTest, BadInputGivesOneLineAndStatus1) {
  ToolRun missing = runTool({out("none.rcd"), out("x.png")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_TRUE(missing.errors.contains(QStringLiteral("none.rcd")));
  EXPECT_EQ(missing.errors.trimmed().count(u'\n'), 0);

  const QString bad = layout(
      "[Version2.0]\r\n,\r\n10,10,1,0,9,0,380,70,7,-1,\r\n100,50,0,0,0,\r\n"
      ",\r\n,\r\n,\r\n,\r\n,\r\n,\r\n,\r\n,\r\nline,0,1,1,x1,2,1,a,0,\r\n");
  ToolRun broken = runTool({bad, out("b.png")});
  EXPECT_EQ(broken.status, 1);
  EXPECT_TRUE(broken.errors.contains(QStringLiteral("x1")));
  EXPECT_FALSE(QFile::exists(out("b.png")));  // nothing half drawn is left behind

  ToolRun unwritable = runTool({kSample, out("no/such/dir/c.png")});
  EXPECT_EQ(unwritable.status, 1);
  ToolRun usage = runTool({kSample});
  EXPECT_EQ(usage.status, 1);
}

// Reading a pipe would wait for a writer for ever; a folder or a device is
// no layout either. None of them is opened.
TEST_F(RenderToolTest, InputThatIsNoPlainFileIsRefusedUnopened) {
  const QString fifo = out("pipe.rcd");
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const QString folder = out("folder.rcd");
  ASSERT_TRUE(QDir().mkdir(folder));
  for (const QString& input : {fifo, folder, QStringLiteral("/dev/null")}) {
    const ToolRun run = runTool({input, out("x.png")}, 10000);
    EXPECT_EQ(run.status, 1) << input.toStdString();
    EXPECT_TRUE(run.errors.contains(input)) << run.errors.toStdString();
    EXPECT_FALSE(QFile::exists(out("x.png")));
  }
}

// Each case is one run of the tool writing `output`; an empty `refusal`
// means the run is accepted.
struct ToolCase {
  QStringList arguments;
  const char* refusal;
};

void expectRuns(std::initializer_list<ToolCase> cases, const QString& output) {
  for (const ToolCase& c : cases) {
    const ToolRun run = runTool(c.arguments + QStringList{"--dpi", "36", output});
    const QString refusal = QString::fromUtf8(c.refusal);
    SCOPED_TRACE(c.arguments.join(u' ').toStdString());
    EXPECT_EQ(run.status, refusal.isEmpty() ? 0 : 1) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(refusal)) << run.errors.toStdString();
    EXPECT_EQ(QFile::remove(output), refusal.isEmpty());
  }
}

TEST_F(RenderToolTest, HeaderMeasuresBeyond10000mmAreRefusedByName) {
  // At the extreme offsets this line still lands on the page, 10 mm in.
  const QByteArray line = "line,0,-9990,10010,-9900,10010,1,a,0,\r\n";
  int made = 0;
  auto with = [&](const char* offsets, const char* size) {
    const QByteArray name = "h" + QByteArray::number(++made) + ".rcd";
    return QStringList{"--print", layout(layoutWith(offsets, size, line), name.constData())};
  };
  expectRuns({{with("10000,-10000", "10000,-10000"), ""},
              {with("10001,5", "200,140"), "全体位置調整X(mm)"},
              {with("5,-10001", "200,140"), "全体位置調整Y(mm)"},
              {with("5,5", "-10001,140"), "領収書のサイズX(mm)"},
              {with("5,5", "200,10001"), "領収書のサイズY(mm)"},
              {with("99999999999,5", "200,140"), "全体位置調整X(mm)"}},  // beyond 32 bits
             out("h.png"));
}

// A pass that draws nothing is an error, not a blank page with status 0.
TEST_F(RenderToolTest, NothingToDrawWritesNoBlankPage) {
  const QString cleared = QStringLiteral(KELVANE_SOURCE_DATA "/cleardata.rcd");
  const QString emptySlots = layout(layoutWith("5,5", "200,140", ",\r\n,\r\n"));
  const QString previewOnly =
      layout(layoutWith("5,5", "200,140", "line,1,0,65,190,65,1,a,0,\r\n"), "note.rcd");
  expectRuns({{{"--print", cleared}, "何もない"},
              {{emptySlots}, "何もない"},
              {{"--print", emptySlots}, "何もない"},
              {{"--print", previewOnly}, "何もない"},
              {{previewOnly}, ""},
              {{"--print", kSample}, ""}},
             out("n.pdf"));
}

}  // namespace
}  // namespace kelvane
