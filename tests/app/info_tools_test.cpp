#include "app/info_tools.h"

#include "settings/program_folder.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QUrlQuery>

namespace kelvane {
namespace {

TEST(InfoTools, ReportTexts) {
  EXPECT_EQ(ScreenResolutionText(QSize(1920, 1080)),
            QStringLiteral("現在の画面解像度は\r\n1920×1080"));
  EXPECT_EQ(MemoryReportText(5000000000ULL, 17179869184ULL),
            QStringLiteral("現在のメモリーは\r\nFree 5000000000 / Total 17179869184 Bytes"));
  // The live report names this machine's memory: a total above zero.
  const QString live = MemoryReportText();
  EXPECT_TRUE(live.startsWith(QStringLiteral("現在のメモリーは\r\nFree ")));
  EXPECT_FALSE(live.endsWith(QStringLiteral("Total 0 Bytes")));
}

TEST(InfoTools, SupportMailHasASubjectAndNoRecipient) {
  const QUrl url = SupportMailUrl();
  EXPECT_EQ(url.scheme(), "mailto");
  EXPECT_TRUE(url.path().isEmpty());
  EXPECT_EQ(QUrlQuery(url).queryItemValue("subject", QUrl::FullyDecoded),
            QStringLiteral("ネムリカ"));
}

TEST(InfoTools, DeliveredDocumentsAreFoundInTheProgramFolder) {
  QTemporaryDir dir;
  SetProgramFolder(dir.path());
  EXPECT_EQ(TaxTablePath(), dir.filePath("tax_table.htm"));
  EXPECT_TRUE(ManualPath().startsWith(dir.path()));
  EXPECT_EQ(OpenLocalDocument(TaxTablePath()), DocumentOpening::FileMissing)
      << "a missing table opens nothing";
  SetProgramFolder({});
}

}  // namespace
}  // namespace kelvane
