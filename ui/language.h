// The languages the game speaks, which one it speaks now, and how the player
// chose it: on the command line, in the menu (remembered), or by the desktop.
#pragma once

#include <QString>
#include <QStringList>

class QTranslator;

namespace lang {

// Japanese, the game's own and the source of every text, then English and
// Simplified Chinese.
bool spoken(const QString& language);
// Their codes in that order ("ja", "en", "zh").
QStringList codes();
// The first that the game speaks of: the one asked for on the command line,
// the one remembered, the desktop's own languages in order (Japanese for the
// C locale, which has none); English when the desktop names none of them.
QString choose(const QString& asked, const QString& remembered, const QStringList& desktop);
// What the settings file remembers, and remembering a choice.
QString remembered();
void remember(const QString& language);
// Speaks it from now on, in its own faces; the one spoken now. Qt posts
// LanguageChange to every window when the translator changes.
void use(const QString& language);
QString current();
// The application's font in the faces of the language spoken now: menus,
// boxes, tooltips and the window's labels follow it.
void useFaces();
// Its translation loaded into `t` (false for Japanese, which needs none).
bool load(QTranslator& t, const QString& language);

}  // namespace lang
