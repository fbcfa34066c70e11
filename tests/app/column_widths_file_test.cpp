#include "settings/column_widths_file.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(ColumnWidthsFile, TwentyOneLinesAndWidthsReadBack) {
  ColumnWidths widths = DesignColumnWidths();
  widths[4] = 300;
  const QList<QByteArray> lines = ColumnWidthsLines(widths);
  ASSERT_EQ(lines.size(), 21);
  EXPECT_EQ(lines[0], "[Version]=1.00");
  EXPECT_EQ(lines[1], "[list_colwidths[0]]=10");
  EXPECT_EQ(lines[5], "[list_colwidths[4]]=300");
  ColumnWidths read = DesignColumnWidths();
  ReadColumnWidths(lines, read);
  EXPECT_EQ(read, widths);

  ReadColumnWidths({"[list_colwidths[3]]=abc", "[list_colwidths[20]]=9", "list_colwidths[2]=7",
                    "[list_colwidths[1]]", "[Version]=2"},
                   read);
  EXPECT_EQ(read[3], 50);
  EXPECT_EQ(read[2], widths[2]);
  EXPECT_EQ(read[1], widths[1]);
}

}  // namespace
}  // namespace kelvane
