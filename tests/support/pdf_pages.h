#pragma once
// Reading printed pages back: PDFs through poppler's tools, the pages as
// images, and the PDFs the cups-pdf queue writes.

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <optional>

namespace kelvane::testing {

inline QString PopplerOutput(const char* tool, const QStringList& arguments) {
  QProcess p;
  p.start(QString::fromLatin1(tool), arguments);
  p.waitForFinished(60000);
  return QString::fromUtf8(p.readAllStandardOutput());
}
inline QString PdfText(const QString& pdf) { return PopplerOutput("pdftotext", {pdf, "-"}); }
inline QString PdfInfo(const QString& pdf) { return PopplerOutput("pdfinfo", {pdf}); }

// A word of a PDF page and its box, in points from the page's top-left.
struct PdfWord {
  QString text;
  double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};
// The words of the first page, as pdftotext -bbox finds them.
inline QList<PdfWord> PdfWords(const QString& pdf) {
  const QString html = PopplerOutput("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
  static const QRegularExpression word(QStringLiteral(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
  QList<PdfWord> words;
  for (auto it = word.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    words.append({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                  m.captured(3).toDouble(), m.captured(4).toDouble()});
  }
  return words;
}

// The first page of `pdf` at `dpi`, written beside `scratch`, or a null
// image when pdftoppm is missing.
inline QImage RasterisePdf(const QString& pdf, int dpi, const QString& scratch) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) return {};
  QFile::remove(scratch + ".png");
  PopplerOutput("pdftoppm", {"-r", QString::number(dpi), "-f", "1", "-l", "1", "-png",
                             "-singlefile", pdf, scratch});
  return QImage(scratch + ".png");
}

inline bool Dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }
inline int DarkPixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += Dark(image, x, y);
  return count;
}
inline int FirstDarkInRow(const QImage& image, int y) {
  for (int x = 0; x < image.width(); ++x)
    if (Dark(image, x, y)) return x;
  return -1;
}
inline int FirstDarkInColumn(const QImage& image, int x, int fromY) {
  for (int y = fromY; y < image.height(); ++y)
    if (Dark(image, x, y)) return y;
  return -1;
}

inline bool RunningInCi() {
  const QByteArray ci = qgetenv("CI").toLower();
  return !ci.isEmpty() && ci != "false" && ci != "0";
}

inline bool PdfIsComplete(const QString& file) {
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly) || f.size() < 16) return false;
  f.seek(std::max<qint64>(0, f.size() - 1024));
  return f.readAll().contains("%%EOF");
}

// The PDF cups-pdf writes for the job titled `title` (it names the file
// after the title), once it is written completely.
inline std::optional<QString> WaitForPdf(const QString& folder, const QString& title, int seconds) {
  const QDateTime until = QDateTime::currentDateTime().addSecs(seconds);
  while (QDateTime::currentDateTime() < until) {
    const QStringList found =
        QDir(folder).entryList({QStringLiteral("*%1*.pdf").arg(title)}, QDir::Files);
    if (!found.isEmpty()) {
      const QString file = QDir(folder).filePath(found.first());
      if (PdfIsComplete(file)) return file;
    }
    QThread::msleep(250);
  }
  return std::nullopt;
}

// Why a test that needs the cups-pdf queue cannot run, or empty when it can.
inline QString CupsQueueMissing() {
  if (!qEnvironmentVariable("KELVANE_CUPS_PDF_DIR").isEmpty() &&
      !qEnvironmentVariable("PRINTER").isEmpty()) {
    return {};
  }
  return QStringLiteral(
      "CUPS could not be set up: KELVANE_CUPS_PDF_DIR and PRINTER are not set (test.sh sets "
      "them once the cups-pdf queue KelvanePDF has printed a probe page; see its warning)");
}

}  // namespace kelvane::testing
