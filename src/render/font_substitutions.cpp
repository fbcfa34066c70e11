#include "render/font_substitutions.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace kelvane {

void InstallFontSubstitutions() {
  struct Substitute {
    const char16_t* face;
    const char16_t* ipa;
  };
  static const Substitute kFaces[] = {
      {u"ＭＳ 明朝", u"IPAMincho"},     {u"ＭＳ Ｐ明朝", u"IPAPMincho"},
      {u"ＭＳ ゴシック", u"IPAGothic"}, {u"ＭＳ Ｐゴシック", u"IPAPGothic"},
      {u"MS Mincho", u"IPAMincho"},     {u"MS PMincho", u"IPAPMincho"},
      {u"MS Gothic", u"IPAGothic"},     {u"MS PGothic", u"IPAPGothic"}};
  for (const auto& s : kFaces) {
    QFont::insertSubstitutions(QString::fromUtf16(s.face),
                               {QString::fromUtf16(s.ipa), QStringLiteral("IPAMincho")});
  }
}

}  // namespace kelvane
