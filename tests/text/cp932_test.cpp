#include "text/cp932.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(Cp932, RoundTripsJapaneseText) {
  const QString text = QStringLiteral("領収書　合計金額（税込）ｱｲｳ ABC 123 －～");
  auto bytes = cp932::encode(text);
  ASSERT_TRUE(bytes.ok()) << bytes.error().toStdString();
  auto back = cp932::decode(bytes.value());
  ASSERT_TRUE(back.ok());
  EXPECT_EQ(back.value(), text);
}

TEST(Cp932, KnownBytes) {
  // 領 is 0x97 0xCC; the full-width hyphen-minus is 0x81 0x7C.
  EXPECT_EQ(cp932::encode(QStringLiteral("領")).value(), QByteArray("\x97\xCC"));
  EXPECT_EQ(cp932::encode(QStringLiteral("－")).value(), QByteArray("\x81\x7C"));
  EXPECT_EQ(cp932::decode(QByteArray("\x81\x7C")).value(), QStringLiteral("－"));
}

TEST(Cp932, YenSignIsByte5C) {
  EXPECT_EQ(cp932::decode(QByteArray("\\12,000-")).value(), QStringLiteral("¥12,000-"));
  EXPECT_EQ(cp932::decode(cp932::fromUtf8Literal("金\\")).value(), QStringLiteral("金¥"));
  EXPECT_EQ(cp932::encode(QStringLiteral("¥100")).value(), QByteArray("\\100"));
  EXPECT_EQ(cp932::encode(QStringLiteral("\\100")).value(), QByteArray("\\100"));
  // 0x5C as the second byte of a two-byte character stays part of it.
  const QByteArray so = cp932::fromUtf8Literal("ソ");
  ASSERT_EQ(so, QByteArray("\x83\x5C"));
  EXPECT_EQ(cp932::decode(so).value(), QStringLiteral("ソ"));
}

TEST(Cp932, InvalidBytesAreAnErrorNotMangled) {
  auto lone = cp932::decode(QByteArray("ab\x82"));  // lead byte without a trail byte
  EXPECT_FALSE(lone.ok());
  EXPECT_FALSE(lone.error().isEmpty());
  auto bad = cp932::decode(QByteArray("\xA0x"));
  EXPECT_FALSE(bad.ok());
  EXPECT_TRUE(bad.error().contains(QStringLiteral("A0"))) << bad.error().toStdString();
}

// Each damaged character, one byte or a lead byte with its trail, becomes
// one U+FFFD; the characters around it stay.
TEST(Cp932, DecodeReplacingSpoilsOnlyTheDamagedCharacter) {
  const struct {
    QByteArray bytes;
    QString text;
  } cases[] = {
      {cp932::fromUtf8Literal("領収書"), QStringLiteral("領収書")},
      {QByteArray("A\xA0"
                  "B"),
       QStringLiteral("A\uFFFDB")},
      {QByteArray("\x81\x20z"), QStringLiteral("\uFFFDz")},
      {cp932::fromUtf8Literal("山") + QByteArray("\xFF\xFE") + cp932::fromUtf8Literal("田"),
       QStringLiteral("山\uFFFD\uFFFD田")},
      {QByteArray("x\x82"), QStringLiteral("x\uFFFD")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cp932::decodeReplacing(c.bytes), c.text) << c.bytes.toHex().toStdString();
  }
}

TEST(Cp932, UnencodableCharacterIsNamed) {
  auto out = cp932::encode(QStringLiteral("OK😀"));
  ASSERT_FALSE(out.ok());
  EXPECT_TRUE(out.error().contains(QStringLiteral("😀"))) << out.error().toStdString();
  EXPECT_FALSE(cp932::encode(QStringLiteral("한")).ok());
}

TEST(Cp932, EmptyText) {
  EXPECT_TRUE(cp932::decode(QByteArray()).value().isEmpty());
  EXPECT_TRUE(cp932::encode(QString()).value().isEmpty());
}

TEST(Cp932, LeadBytesAndCharacterLengths) {
  EXPECT_TRUE(cp932::isLeadByte(0x81));
  EXPECT_TRUE(cp932::isLeadByte(0x9F));
  EXPECT_TRUE(cp932::isLeadByte(0xE0));
  EXPECT_TRUE(cp932::isLeadByte(0xFC));
  EXPECT_FALSE(cp932::isLeadByte(0x80));
  EXPECT_FALSE(cp932::isLeadByte(0xA0));  // half-width katakana are one byte
  EXPECT_FALSE(cp932::isLeadByte(0xDF));
  EXPECT_FALSE(cp932::isLeadByte(0xFD));
  const QByteArray text(
      "\x82\xA0"
      "a"
      "\x82");
  EXPECT_EQ(cp932::charLength(text, 0), 2);
  EXPECT_EQ(cp932::charLength(text, 2), 1);
  EXPECT_EQ(cp932::charLength(text, 3), 1);  // a lead byte that ends the text
}

}  // namespace
}  // namespace kelvane
