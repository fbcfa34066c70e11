#include "receipt/register_record.h"

#include "text/layout_text.h"

namespace kelvane {

std::array<const QByteArray*, RegisterRecord::kFieldCount> RegisterRecord::fields() const {
  return {&number,       &date,      &amount,       &addressee1, &description1,
          &description2, &netAmount, &billedAmount, &taxAmount,  &taxRate,
          &staff,        &stamp,     &addressee2};
}

std::array<QByteArray*, RegisterRecord::kFieldCount> RegisterRecord::fields() {
  return {&number,       &date,      &amount,       &addressee1, &description1,
          &description2, &netAmount, &billedAmount, &taxAmount,  &taxRate,
          &staff,        &stamp,     &addressee2};
}

std::array<const QByteArray*, RegisterRecord::kExtensionCount> RegisterRecord::extensionFields()
    const {
  return {&amount10, &tax10, &amount8, &tax8, &taxBasis, &registrationNumber};
}

std::array<QByteArray*, RegisterRecord::kExtensionCount> RegisterRecord::extensionFields() {
  return {&amount10, &tax10, &amount8, &tax8, &taxBasis, &registrationNumber};
}

bool RegisterRecord::hasExtension() const {
  for (const QByteArray* field : extensionFields())
    if (!field->isEmpty()) return true;
  return false;
}

namespace {

// Takes the fields from `from` on, each up to its comma; false once no
// comma is left.
template <class Fields>
bool takeFields(QByteArrayView line, qsizetype& from, const Fields& fields) {
  for (QByteArray* field : fields) {
    const qsizetype comma = line.indexOf(',', from);
    if (comma < 0) return false;
    *field = line.sliced(from, comma - from).toByteArray();
    from = comma + 1;
  }
  return true;
}

}  // namespace

RegisterRecord ParseRegisterLine(QByteArrayView line) {
  RegisterRecord record;
  qsizetype from = 0;
  if (takeFields(line, from, record.fields())) takeFields(line, from, record.extensionFields());
  return record;
}

QByteArray FormatRegisterLine(const RegisterRecord& record) {
  QByteArray line;
  const auto put = [&line](const QByteArray* field) {
    line += *field;
    line += ',';
  };
  for (const QByteArray* field : record.fields()) put(field);
  if (record.hasExtension())
    for (const QByteArray* field : record.extensionFields()) put(field);
  return line;
}

namespace {

QByteArrayView trimmed(QByteArrayView text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return text.sliced(begin, end - begin);
}

}  // namespace

QByteArray RegisterKey(QByteArrayView number) { return trimmed(number).toByteArray(); }

namespace {

QByteArrayView firstField(QByteArrayView line) {
  const qsizetype comma = line.indexOf(',');
  // A line without a comma has an empty first field.
  return comma < 0 ? QByteArrayView() : line.first(comma);
}

}  // namespace

QByteArray RegisterKeyOfLine(QByteArrayView line) { return RegisterKey(firstField(line)); }

bool LineHasNumber(QByteArrayView line, QByteArrayView key) {
  return trimmed(firstField(line)) == key;
}

QByteArray RegisterText(const QString& text) {
  QString safe = text;
  for (QChar& c : safe) {
    if (c == u',') {
      c = QChar(0xFF0C);  // ，
    } else if (c.unicode() < 0x20) {
      c = u' ';
    }
  }
  return ToLayoutText(safe);
}

}  // namespace kelvane
