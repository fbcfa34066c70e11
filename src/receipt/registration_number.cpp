#include "receipt/registration_number.h"

#include <algorithm>

namespace kelvane {

Expected<QString> NormaliseRegistrationNumber(const QString& typed) {
  QString out;
  for (QChar c : typed.normalized(QString::NormalizationForm_KC)) {
    if (c.isSpace() || c == u'-' || c == u'ー' || c == u'−') continue;
    out += c == u't' ? QChar(u'T') : c;
  }
  if (out.isEmpty()) return out;
  const bool shaped =
      out.size() == 14 && out[0] == u'T' &&
      std::all_of(out.begin() + 1, out.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
  if (!shaped) {
    return Failure{QStringLiteral("登録番号「%1」は「T」と13桁の数字で入力してください"
                                  "（例: T1234567890123）。")
                       .arg(typed.trimmed())};
  }
  return out;
}

bool HasCorporateCheckDigit(const QString& n) {
  if (n.size() != 14) return false;
  // The twelve digits after the check digit, counted from the right: odd
  // places weigh 1, even places 2.
  int sum = 0;
  for (int place = 1; place <= 12; ++place) {
    const int digit = n[14 - place].unicode() - u'0';
    sum += digit * (place % 2 == 1 ? 1 : 2);
  }
  return n[1].unicode() - u'0' == 9 - sum % 9;
}

QString CheckDigitWarning(const QString& n) {
  return QStringLiteral(
             "登録番号「%1」は法人番号の検査用数字と合いません。\r\n"
             "個人事業者の番号ならこのままで構いません。"
             "番号を確かめて、このまま使いますか？")
      .arg(n);
}

}  // namespace kelvane
