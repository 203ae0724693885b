// The typefaces each language is drawn in: the one map of them, for the
// generator that bakes words into pictures and the game that shows its texts.
#pragma once

#include <QString>
#include <QStringList>

namespace fonts {

// Han characters take the forms of the face that draws them, whatever their
// text: Japanese and English ask for Japanese faces (IPAGothic being a small
// Japanese-only one where Noto is missing), Chinese for the Simplified
// Chinese face of the same Noto collection.
inline QStringList families(const QString& language) {
    if (language == QLatin1String("zh")) return {QStringLiteral("Noto Sans CJK SC")};
    return {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic")};
}

}  // namespace fonts
