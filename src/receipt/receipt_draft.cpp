#include "receipt/receipt_draft.h"

#include "receipt/amount_text.h"
#include "text/cp932.h"
#include "text/fixed_point.h"

#include <QStringView>

namespace kelvane {

namespace {

constexpr QByteArrayView kHeader = "[ReceiptDraft]=1";
constexpr QStringView kDateFormat = u"yyyy/MM/dd";

enum class Key {
  Number, Addressee1, Addressee2, Description1, Description2, Staff, Stamp,
  Amount, NetAmount, BilledAmount, TaxAmount, TaxRate, Date, Correction
};

struct KeyName {
  Key key;
  const char* name;
};
constexpr KeyName kKeys[] = {
    {Key::Number, "[NUMBER]"},         {Key::Addressee1, "[ADDRESSEE1]"},
    {Key::Addressee2, "[ADDRESSEE2]"}, {Key::Description1, "[DESCRIPTION1]"},
    {Key::Description2, "[DESCRIPTION2]"}, {Key::Staff, "[STAFF]"},
    {Key::Stamp, "[STAMP]"},           {Key::Amount, "[AMOUNT]"},
    {Key::NetAmount, "[NET_AMOUNT]"},  {Key::BilledAmount, "[BILLED_AMOUNT]"},
    {Key::TaxAmount, "[TAX_AMOUNT]"},  {Key::TaxRate, "[TAX_RATE]"},
    {Key::Date, "[DATE]"},             {Key::Correction, "[CORRECTION]"}};

QByteArray escapeCode(char32_t code) {
  return "%{" + QByteArray::number(static_cast<quint32>(code), 16).toUpper() + '}';
}

// cp932 for what it holds as it is; the rest as "%{hex}". The backslash is
// escaped too: cp932 has one byte for it and the yen sign, read as the yen.
QByteArray escaped(const QString& text) {
  QByteArray out;
  for (const char32_t code : text.toUcs4()) {
    const bool plain = code >= 0x20 && code != U'%' && code != U'\\' && code != 0x7F;
    if (plain) {
      if (auto bytes = cp932::encode(QString::fromUcs4(&code, 1))) {
        out += *bytes;
        continue;
      }
    }
    out += escapeCode(code);
  }
  return out;
}

QString unescaped(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text.at(i) == u'%' && text.mid(i + 1, 1) == u"{") {
      const qsizetype close = text.indexOf(u'}', i + 2);
      bool ok = false;
      const uint code = close > i + 2 && close - i - 2 <= 6
                            ? text.mid(i + 2, close - i - 2).toUInt(&ok, 16) : 0;
      if (ok && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
        const char32_t c = code;
        out += QString::fromUcs4(&c, 1);
        i = close;
        continue;
      }
    }
    out += text.at(i);
  }
  return out;
}

QByteArray line(const char* name, const QByteArray& value) { return name + ('=' + value); }
QByteArray figure(qint64 units) { return PlainDecimal(units).toLatin1(); }

}  // namespace

bool ReceiptDraft::holdsReceipt() const {
  for (const QString* t : {&number, &addressee1, &addressee2, &description1, &description2, &staff,
                           &stamp})
    if (!t->isEmpty()) return true;
  return amount != 0 || netAmount != 0 || billedAmount != 0 || taxAmount != 0;
}

QList<QByteArray> FormatReceiptDraft(const ReceiptDraft& d) {
  QList<QByteArray> lines{kHeader.toByteArray()};
  for (const auto& [key, name] : kKeys) {
    switch (key) {
      case Key::Number: lines << line(name, escaped(d.number)); break;
      case Key::Addressee1: lines << line(name, escaped(d.addressee1)); break;
      case Key::Addressee2: lines << line(name, escaped(d.addressee2)); break;
      case Key::Description1: lines << line(name, escaped(d.description1)); break;
      case Key::Description2: lines << line(name, escaped(d.description2)); break;
      case Key::Staff: lines << line(name, escaped(d.staff)); break;
      case Key::Stamp: lines << line(name, escaped(d.stamp)); break;
      case Key::Amount: lines << line(name, figure(d.amount)); break;
      case Key::NetAmount: lines << line(name, figure(d.netAmount)); break;
      case Key::BilledAmount: lines << line(name, figure(d.billedAmount)); break;
      case Key::TaxAmount: lines << line(name, figure(d.taxAmount)); break;
      case Key::TaxRate:
        if (d.taxRate) lines << line(name, figure(*d.taxRate));
        break;
      case Key::Date:
        if (d.date && d.date->isValid()) lines << line(name, d.date->toString(kDateFormat).toLatin1());
        break;
      case Key::Correction: lines << line(name, d.correction ? "true" : "false"); break;
    }
  }
  return lines;
}

ReceiptDraft ParseReceiptDraft(const QList<QByteArray>& lines) {
  ReceiptDraft d;
  if (lines.isEmpty() || lines.constFirst() != kHeader) return d;
  for (const QByteArray& l : lines) {
    const qsizetype eq = l.indexOf('=');
    if (eq < 0) continue;
    const QByteArrayView name = QByteArrayView(l).first(eq);
    const QByteArrayView value = QByteArrayView(l).sliced(eq + 1);
    const KeyName* known = nullptr;
    for (const KeyName& k : kKeys)
      if (name == k.name) known = &k;
    if (!known) continue;
    auto text = [&](QString& into) {
      if (auto decoded = cp932::decode(value)) into = unescaped(*decoded);
    };
    auto amount = [&](qint64& into) {
      if (auto parsed = fixed::parse(value)) into = *parsed;
    };
    switch (known->key) {
      case Key::Number: text(d.number); break;
      case Key::Addressee1: text(d.addressee1); break;
      case Key::Addressee2: text(d.addressee2); break;
      case Key::Description1: text(d.description1); break;
      case Key::Description2: text(d.description2); break;
      case Key::Staff: text(d.staff); break;
      case Key::Stamp: text(d.stamp); break;
      case Key::Amount: amount(d.amount); break;
      case Key::NetAmount: amount(d.netAmount); break;
      case Key::BilledAmount: amount(d.billedAmount); break;
      case Key::TaxAmount: amount(d.taxAmount); break;
      case Key::TaxRate:
        if (auto parsed = fixed::parse(value)) d.taxRate = *parsed;
        break;
      case Key::Date: {
        const QDate date = QDate::fromString(QString::fromLatin1(value), kDateFormat);
        if (date.isValid()) d.date = date;
        break;
      }
      case Key::Correction: d.correction = value == "true"; break;
    }
  }
  return d;
}

}  // namespace kelvane
