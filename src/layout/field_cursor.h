#pragma once
// The comma-field getter every reader of layout and register records uses.

#include <QByteArray>
#include <QByteArrayView>

namespace kelvane {

// Takes the fields of one record strictly in order. Each TakeField returns
// the text before the next comma and keeps what follows in FieldRest. Once
// no comma is left, every further TakeField returns an empty field and
// FieldRest keeps the last piece: that is how the text of a "char" record
// (everything after the tenth comma) is read. Nothing is trimmed. Bytes are
// searched, which is safe in cp932: a comma never occurs inside a two-byte
// character.
class FieldCursor {
 public:
  explicit FieldCursor(QByteArrayView record) : rest_(record) {}

  QByteArrayView TakeField() {
    const qsizetype comma = rest_.indexOf(',');
    if (comma < 0) return {};
    const QByteArrayView field = rest_.first(comma);
    rest_ = rest_.sliced(comma + 1);
    return field;
  }

  // Skips `count` fields.
  void Skip(int count) {
    for (int i = 0; i < count; ++i) TakeField();
  }

  [[nodiscard]] QByteArrayView FieldRest() const { return rest_; }

 private:
  QByteArrayView rest_;
};

// Everything after the tenth comma of a record: the text of a "char" record.
[[nodiscard]] inline QByteArray CharRecordText(QByteArrayView record) {
  FieldCursor cursor(record);
  cursor.Skip(10);
  return cursor.FieldRest().toByteArray();
}

}  // namespace kelvane
