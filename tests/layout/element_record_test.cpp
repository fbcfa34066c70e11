// The element records taken apart once: kinds, the fields the renderer
// needs as numbers and those that fall back to 0, the text with its commas,
// short and damaged records.

#include "layout/element_record.h"

#include "text/cp932.h"

#include <gtest/gtest.h>

#include <optional>

namespace kelvane {
namespace {

QByteArray sj(const char* utf8) { return cp932::fromUtf8Literal(utf8); }

TEST(ElementRecordKinds, OnlyTheFiveKeywordsAreElements) {
  struct Case {
    const char* record;
    std::optional<ElementKind> kind;
  };
  const Case cases[] = {
      {"line,0,1,2,3,4,1,,0,", ElementKind::Line},
      {"rect,0,1,2,3,4,1,,0,", ElementKind::Rect},
      {"fillrect,0,1,2,3,4,1,,0,", ElementKind::FillRect},
      {"char,0,1,2,,0,,0,0,0,text", ElementKind::Text},
      {"image,0,1,2,a.jpg,3,4,,0,0", ElementKind::Image},
      {"", std::nullopt},
      {"line", std::nullopt},  // no comma: a header line, not an element
      {"Line,0,1,2,3,4,1,,0,", std::nullopt},
      {" line,0,1,2,3,4,1,,0,", std::nullopt},
      {"fit,127,30,1,", std::nullopt},
      {"[Settings]", std::nullopt},
  };
  for (const Case& c : cases) {
    const auto read = ReadElementRecord(c.record);
    EXPECT_EQ(read.has_value(), c.kind.has_value()) << c.record;
    if (read && c.kind) {
      EXPECT_EQ(read->kind, *c.kind) << c.record;
    }
  }
}

TEST(ElementRecordFields, ShapeFieldsInOrder) {
  const QByteArray record = sj("rect,1,10.5,-2,120,35.25,3,破線,255,");
  const auto read = ReadElementRecord(record);
  ASSERT_TRUE(read);
  const auto& s = std::get<ShapeElement>(read->fields);
  EXPECT_EQ(s.previewFlag, "1");
  EXPECT_EQ(s.x1.value, 10'5000);
  EXPECT_EQ(s.y1.value, -2'0000);
  EXPECT_EQ(s.x2.value, 120'0000);
  EXPECT_EQ(s.y2.value, 35'2500);
  EXPECT_EQ(s.width.value, 3);
  EXPECT_EQ(s.pattern, sj("破線"));
  EXPECT_EQ(s.colour, 255);
  EXPECT_TRUE(StrictFieldsOf(read->fields));
}

TEST(ElementRecordFields, TextIsTheRestOfTheLineCommasAndAll) {
  const QByteArray record = sj("char,0,20,30.5,ＭＳ 明朝,14,太字,-4.2,1,65280,1,234,567 円,");
  const auto read = ReadElementRecord(record);
  ASSERT_TRUE(read);
  const auto& t = std::get<TextElement>(read->fields);
  EXPECT_EQ(t.x.value, 20'0000);
  EXPECT_EQ(t.y.value, 30'5000);
  EXPECT_EQ(t.face, sj("ＭＳ 明朝"));
  EXPECT_EQ(t.sizeText, "14");
  EXPECT_EQ(t.size, 14);
  EXPECT_EQ(t.decoration, sj("太字"));
  EXPECT_EQ(t.spacing.value, -4'2000);
  EXPECT_EQ(t.vertical.value, 1);
  EXPECT_EQ(t.colour, 65280);
  EXPECT_EQ(t.text, sj("1,234,567 円,"));
  EXPECT_TRUE(StrictFieldsOf(read->fields));
}

TEST(ElementRecordFields, ImageFieldsAndTheSecondFlag) {
  const QByteArray record = "image,0,10,20,C:\\pic\\logo.jpg,30,0,,1,0";
  const auto read = ReadElementRecord(record);
  ASSERT_TRUE(read);
  const auto& i = std::get<ImageElement>(read->fields);
  EXPECT_EQ(i.x.value, 10'0000);
  EXPECT_EQ(i.y.value, 20'0000);
  EXPECT_EQ(i.file, "C:\\pic\\logo.jpg");
  EXPECT_EQ(i.width.value, 30'0000);
  EXPECT_EQ(i.height.value, 0);
  EXPECT_EQ(i.secondFlag, 1);
}

// Which damaged field stops the drawing, and how the message names it; the
// fields read with a default never do.
TEST(ElementRecordStrictness, TheFirstBadNumberIsNamed) {
  struct Case {
    const char* record;
    const char* message;  // empty: the record draws
  };
  const Case cases[] = {
      {"line,0,1,2,3,4,1,,0,", ""},
      {"line,0,x,2,3,4,1,,0,", "「x」は数値として読めません。"},
      {"line,0,1,2,3,4y,1,,0,", "「4y」は数値として読めません。"},
      {"line,0,1,2,3,,1,,0,", "「」は数値として読めません。"},
      {"line,0,1,2,3,4,1.5,,0,", "「1.5」は整数として読めません。"},
      {"line,0,1,2,3,4,,,0,", "「」は整数として読めません。"},
      {"rect,0,a,b,3,4,w,,0,", "「a」は数値として読めません。"},
      {"fillrect,0,1,2,3,4,1,,red,", ""},  // a colour that is no number is black
      // Short records: once the commas run out every field is empty.
      {"line,0,1,2,3,4", "「」は数値として読めません。"},
      {"line,0,1,2,3,4,", "「」は整数として読めません。"},
      {"char,0,1,2,,big,,0,0,blue,t", ""},  // size and colour fall back to 0
      {"char,0,1,,,0,,0,0,0,t", "「」は数値として読めません。"},
      {"char,0,1,2,,0,,wide,0,0,t", "「wide」は数値として読めません。"},
      {"char,0,1,2,,0,,0,yes,0,t", "「yes」は整数として読めません。"},
      {"char,0,1,2", "「」は数値として読めません。"},
      {"image,0,1,2,,3,4,,0,0", ""},  // no file: read, then nothing drawn
      {"image,0,1,2,a.jpg,,4,,0,0", "「」は数値として読めません。"},
      {"image,0,1,2,a.jpg,3,h,,0,0", "「h」は数値として読めません。"},
      {"image,0,1,2,a.jpg,3,4,,x,", ""},  // a second flag that is no number is 0
      {"image,1e2,0,0,a.jpg,1E1,0,,0,0", ""},
  };
  for (const Case& c : cases) {
    const auto read = ReadElementRecord(c.record);
    ASSERT_TRUE(read) << c.record;
    const auto strict = StrictFieldsOf(read->fields);
    if (*c.message == '\0') {
      EXPECT_TRUE(strict) << c.record << ": " << strict.error().toStdString();
    } else {
      ASSERT_FALSE(strict) << c.record;
      EXPECT_EQ(strict.error(), QString::fromUtf8(c.message)) << c.record;
    }
  }
}

TEST(ElementRecordStrictness, BytesThatAreNoTextAreShownEncoded) {
  const QByteArray record = "line,0,\x82,2,3,4,1,,0,";
  const auto strict = StrictFieldsOf(ReadElementRecord(record)->fields);
  ASSERT_FALSE(strict);
  EXPECT_EQ(strict.error(), QStringLiteral("「%82」は数値として読めません。"));
}

TEST(ElementRecordPreviewFlag, ReadOnlyWhenAsked) {
  struct Case {
    const char* flag;
    std::optional<bool> previewOnly;  // nothing: a failure naming the flag
  };
  const Case cases[] = {{"", false},  {"0", false},  {"1", true},           {" 1", true},
                        {"2", false}, {"-1", false}, {"1.0", std::nullopt}, {"yes", std::nullopt}};
  for (const Case& c : cases) {
    const auto read = PreviewOnlyOf(c.flag);
    ASSERT_EQ(read.ok(), c.previewOnly.has_value()) << c.flag;
    if (read) {
      EXPECT_EQ(read.value(), *c.previewOnly) << c.flag;
    }
  }
  EXPECT_EQ(PreviewOnlyOf("yes").error(), QStringLiteral("「yes」は整数として読めません。"));
  // A damaged flag does not make the record unreadable.
  const auto read = ReadElementRecord("line,yes,1,2,3,4,1,,0,");
  ASSERT_TRUE(read);
  EXPECT_TRUE(StrictFieldsOf(read->fields));
  EXPECT_EQ(read->previewFlag(), "yes");
}

TEST(ElementRecordSlots, KindReadersIgnoreTheKeyword) {
  // An editor reads its slot whatever keyword a hand edit left there.
  const ShapeElement s = ReadShapeElement("box,0,1,2,3,4,1,,0,");
  EXPECT_EQ(s.keyword, "box");
  EXPECT_EQ(s.x2.value, 3'0000);
  const ImageElement empty = ReadImageElement("");
  EXPECT_TRUE(empty.keyword.isEmpty());
  EXPECT_TRUE(empty.file.isEmpty());
  EXPECT_FALSE(empty.x.value);
  const TextElement t = ReadTextElement("char,0,1,2,,0,,0,0,0,");
  EXPECT_TRUE(t.text.isEmpty());
}

}  // namespace
}  // namespace kelvane
