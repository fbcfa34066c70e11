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
  Number,
  Addressee1,
  Addressee2,
  Description1,
  Description2,
  Staff,
  Stamp,
  Amount,
  NetAmount,
  BilledAmount,
  TaxAmount,
  TaxRate,
  Date,
  Correction,
  // Added later, after every key of the first files and only on a receipt
  // with amounts by rate, so that other receipts are written as before.
  Amount10,
  Tax10,
  Amount8,
  Tax8,
  TaxBasis
};

struct KeyName {
  Key key;
  const char* name;
};
constexpr KeyName kKeys[] = {{Key::Number, "[NUMBER]"},
                             {Key::Addressee1, "[ADDRESSEE1]"},
                             {Key::Addressee2, "[ADDRESSEE2]"},
                             {Key::Description1, "[DESCRIPTION1]"},
                             {Key::Description2, "[DESCRIPTION2]"},
                             {Key::Staff, "[STAFF]"},
                             {Key::Stamp, "[STAMP]"},
                             {Key::Amount, "[AMOUNT]"},
                             {Key::NetAmount, "[NET_AMOUNT]"},
                             {Key::BilledAmount, "[BILLED_AMOUNT]"},
                             {Key::TaxAmount, "[TAX_AMOUNT]"},
                             {Key::TaxRate, "[TAX_RATE]"},
                             {Key::Date, "[DATE]"},
                             {Key::Correction, "[CORRECTION]"},
                             {Key::Amount10, "[AMOUNT10]"},
                             {Key::Tax10, "[TAX10]"},
                             {Key::Amount8, "[AMOUNT8]"},
                             {Key::Tax8, "[TAX8]"},
                             {Key::TaxBasis, "[TAX_BASIS]"}};

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
      const uint code =
          close > i + 2 && close - i - 2 <= 6 ? text.mid(i + 2, close - i - 2).toUInt(&ok, 16) : 0;
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
  const Receipt& r = receipt;
  for (const QString* t : {&r.number, &r.addressee1, &r.addressee2, &r.description1,
                           &r.description2, &r.staff, &r.stamp})
    if (!t->isEmpty()) return true;
  return r.amount != 0 || r.netAmount != 0 || r.billedAmount != 0 || r.taxAmount != 0 ||
         r.hasRateFigures();
}

QList<QByteArray> FormatReceiptDraft(const ReceiptDraft& d) {
  const Receipt& r = d.receipt;
  QList<QByteArray> lines{kHeader.toByteArray()};
  const bool byRate = r.hasRateFigures();
  for (const auto& [key, name] : kKeys) {
    switch (key) {
      case Key::Number:
        lines << line(name, escaped(r.number));
        break;
      case Key::Addressee1:
        lines << line(name, escaped(r.addressee1));
        break;
      case Key::Addressee2:
        lines << line(name, escaped(r.addressee2));
        break;
      case Key::Description1:
        lines << line(name, escaped(r.description1));
        break;
      case Key::Description2:
        lines << line(name, escaped(r.description2));
        break;
      case Key::Staff:
        lines << line(name, escaped(r.staff));
        break;
      case Key::Stamp:
        lines << line(name, escaped(r.stamp));
        break;
      case Key::Amount:
        lines << line(name, figure(r.amount));
        break;
      case Key::NetAmount:
        lines << line(name, figure(r.netAmount));
        break;
      case Key::BilledAmount:
        lines << line(name, figure(r.billedAmount));
        break;
      case Key::TaxAmount:
        lines << line(name, figure(r.taxAmount));
        break;
      case Key::TaxRate:
        if (d.keepsTaxRate) lines << line(name, figure(r.taxRate));
        break;
      case Key::Date:
        if (r.date && r.date->isValid())
          lines << line(name, r.date->toString(kDateFormat).toLatin1());
        break;
      case Key::Correction:
        lines << line(name, d.correction ? "true" : "false");
        break;
      case Key::Amount10:
        if (byRate) lines << line(name, figure(r.amount10));
        break;
      case Key::Tax10:
        if (byRate) lines << line(name, figure(r.tax10));
        break;
      case Key::Amount8:
        if (byRate) lines << line(name, figure(r.amount8));
        break;
      case Key::Tax8:
        if (byRate) lines << line(name, figure(r.tax8));
        break;
      case Key::TaxBasis:
        if (byRate) lines << line(name, escaped(TaxBasisName(r.taxBasis)));
        break;
    }
  }
  return lines;
}

ReceiptDraft ParseReceiptDraft(const QList<QByteArray>& lines) {
  ReceiptDraft d;
  Receipt& r = d.receipt;
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
      case Key::Number:
        text(r.number);
        break;
      case Key::Addressee1:
        text(r.addressee1);
        break;
      case Key::Addressee2:
        text(r.addressee2);
        break;
      case Key::Description1:
        text(r.description1);
        break;
      case Key::Description2:
        text(r.description2);
        break;
      case Key::Staff:
        text(r.staff);
        break;
      case Key::Stamp:
        text(r.stamp);
        break;
      case Key::Amount:
        amount(r.amount);
        break;
      case Key::NetAmount:
        amount(r.netAmount);
        break;
      case Key::BilledAmount:
        amount(r.billedAmount);
        break;
      case Key::TaxAmount:
        amount(r.taxAmount);
        break;
      case Key::TaxRate:
        if (auto parsed = fixed::parse(value)) {
          r.taxRate = *parsed;
          d.keepsTaxRate = true;
        }
        break;
      case Key::Date: {
        const QDate date = QDate::fromString(QString::fromLatin1(value), kDateFormat);
        if (date.isValid()) r.date = date;
        break;
      }
      case Key::Correction:
        d.correction = value == "true";
        break;
      case Key::Amount10:
        amount(r.amount10);
        break;
      case Key::Tax10:
        amount(r.tax10);
        break;
      case Key::Amount8:
        amount(r.amount8);
        break;
      case Key::Tax8:
        amount(r.tax8);
        break;
      case Key::TaxBasis: {
        QString name;
        text(name);
        if (const auto basis = TaxBasisNamed(name)) r.taxBasis = *basis;
        break;
      }
    }
  }
  return d;
}

}  // namespace kelvane
