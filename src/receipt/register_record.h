#pragma once
// One line of the receipt register: thirteen fields, each followed by a
// comma, in cp932, keyed by the receipt number.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>

namespace kelvane {

struct RegisterRecord {
  QByteArray number;        // 領収書番号, as typed
  QByteArray date;          // Western year/month/day, e.g. 2019/5/1
  QByteArray amount;        // 領収金額, plain decimal
  QByteArray addressee1;    // 宛名1
  QByteArray description1;  // 摘要1
  QByteArray description2;  // 摘要2
  QByteArray netAmount;     // 税抜金額
  QByteArray billedAmount;  // 請求金額
  QByteArray taxAmount;     // 消費税額
  QByteArray taxRate;       // 消費税率, percent
  QByteArray staff;         // 社内担当者
  QByteArray stamp;         // 収入印紙
  QByteArray addressee2;    // 宛名2
  // Fields after the thirteen, for qualified invoices. A line without them
  // has the thirteen only, as older registers do; readers that stop at the
  // thirteenth field read a line with them the same way.
  QByteArray amount10;            // 10%対象, plain decimal, as typed
  QByteArray tax10;               // 10%消費税
  QByteArray amount8;             // 8%対象
  QByteArray tax8;                // 8%消費税
  QByteArray taxBasis;            // 税区分 of the two amounts: "税込" or "税抜" (cp932)
  QByteArray registrationNumber;  // 登録番号 of the issuer

  static constexpr int kFieldCount = 13;
  static constexpr int kExtensionCount = 6;
  [[nodiscard]] std::array<const QByteArray*, kFieldCount> fields() const;
  [[nodiscard]] std::array<QByteArray*, kFieldCount> fields();
  [[nodiscard]] std::array<const QByteArray*, kExtensionCount> extensionFields() const;
  [[nodiscard]] std::array<QByteArray*, kExtensionCount> extensionFields();
  [[nodiscard]] bool hasExtension() const;
};

// Fields from the left, each up to the next comma; once no comma is left
// the remaining fields are empty and any text after the last comma is
// ignored.
[[nodiscard]] RegisterRecord ParseRegisterLine(QByteArrayView line);

// Every field followed by one comma, the last one included; the fields
// after the thirteen only when one of them holds something.
[[nodiscard]] QByteArray FormatRegisterLine(const RegisterRecord& record);

// A receipt number as lines are matched by it: without the characters at or
// below the space at either end.
[[nodiscard]] QByteArray RegisterKey(QByteArrayView number);

// The key of a register line's number: its first field as RegisterKey
// makes it; a line without a comma has an empty first field.
[[nodiscard]] QByteArray RegisterKeyOfLine(QByteArrayView line);

// Whether the line's first field matches `key` (a RegisterKey), exactly and
// with case.
[[nodiscard]] bool LineHasNumber(QByteArrayView line, QByteArrayView key);

// A text field as the register stores it: a comma would shift every later
// field of the line, so it becomes the full-width "，"; a line break or a
// tab would split the line, so it becomes a space. Characters cp932 cannot
// hold become "?".
[[nodiscard]] QByteArray RegisterText(const QString& text);

}  // namespace kelvane
