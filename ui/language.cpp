// Choosing the language, Qt's translator and faces for it, the 言語 menu and
// every text of the window in the language spoken now.
#include "ui/language.h"

#include "game/fom.h"
#include "pictures/fonts.h"
#include "ui/access.h"
#include "ui/kiroku.h"

#include <QActionGroup>
#include <QApplication>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

#include <algorithm>
#include <utility>

namespace lang {

namespace {
// The languages the game speaks, its own first, each by its own name.
constexpr std::pair<const char*, const char*> kLanguages[] = {{"ja", "日本語"}, {"en", "English"}, {"zh", "简体中文"}};
const QString kOwn = QLatin1String(kLanguages[0].first);
QString g_current = kOwn;
QTranslator* g_translator = nullptr;
}  // namespace

bool spoken(const QString& language) {
    return std::any_of(std::begin(kLanguages), std::end(kLanguages), [&](const auto& l) { return language == QLatin1String(l.first); });
}

QStringList codes() {
    QStringList out;
    for (const auto& l : kLanguages) out << QLatin1String(l.first);
    return out;
}

QString choose(const QString& asked, const QString& remembered, const QStringList& desktop) {
    if (spoken(asked)) return asked;
    if (spoken(remembered)) return remembered;
    for (const QString& name : desktop) {
        const QLocale::Language l = QLocale(name).language();
        if (l == QLocale::C) return kOwn;
        if (const QString code = QLocale::languageToCode(l); spoken(code)) return code;
    }
    return QStringLiteral("en");
}

QString remembered() { return settingsFile()->value(QStringLiteral("language")).toString(); }

void remember(const QString& language) { settingsFile()->setValue(QStringLiteral("language"), language); }

bool load(QTranslator& t, const QString& language) {
    return language != kOwn && t.load(QStringLiteral(":/i18n/velmoria_%1.qm").arg(language));
}

void use(const QString& language) {
    if (!spoken(language)) return;
    g_current = language;
    // The faces first: the window's labels refit to them at once, and take
    // their new texts when the posted LanguageChange arrives.
    useFaces();
    if (g_translator) QCoreApplication::removeTranslator(g_translator);
    delete std::exchange(g_translator, new QTranslator);
    if (load(*g_translator, language)) QCoreApplication::installTranslator(g_translator);
    // Box title bars show it.
    QGuiApplication::setApplicationDisplayName(QCoreApplication::translate("Fom", "ヴェルモリア"));
}

QString current() { return g_current; }

void useFaces() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    QFont f = QApplication::font();
    const QStringList families = fonts::families(g_current);
    if (f.families() == families) return;
    f.setFamilies(families);
    // Without a class name this also drops the theme's fonts for menus and
    // tooltips, which would otherwise keep their own families.
    QApplication::setFont(f);
}

}  // namespace lang

void Fom::createLanguageMenu() {
    // Its title comes from Kotoba(); each language by its own name.
    QMenu* menu = Mnu0->addMenu(QString());
    auto* group = new QActionGroup(menu);
    for (const auto& [code, name] : lang::kLanguages) {
        QAction* a = menu->addAction(QString::fromUtf8(name));
        // In its own faces whatever the window speaks. The style hint keeps
        // the font from equalling the one the action holds, which setFont()
        // would ignore, leaving the menu's faces in force.
        QFont face;
        face.setFamilies(fonts::families(QLatin1String(code)));
        face.setStyleHint(QFont::SansSerif);
        a->setFont(face);
        a->setCheckable(true);
        a->setData(QLatin1String(code));
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, code = QLatin1String(code)] { Mnu5_Click(code); });
    }
    Mnu5 = menu;
}

void Fom::Kotoba() {
    setWindowTitle(tr("ヴェルモリア"));
    LblNamGhb->setText(tr("働き"));
    LblNamWeek->setText(tr("週"));
    LblNamDay->setText(tr("日にち"));
    LblStt->setText(tr("— クリックで始める —"));
    // What the counters count, shown on hover and given to a reader.
    LblGhb->setToolTip(tr("ご褒美"));
    LblWeek->setToolTip(tr("週"));
    LblDay->setToolTip(tr("日"));
    Mnu0->setTitle(tr("設定"));
    Mnu1->setTitle(tr("難易度"));
    const QString paces[] = {tr("軽い"), tr("重い"), tr("激重")};
    for (int i = 0; i < 3; ++i) Mnu11[size_t(i)]->setText(paces[i]);
    Mnu3->setText(tr("一時停止") + QStringLiteral("\tP"));
    Mnu4->setText(tr("記録"));
    Mnu2->setText(tr("バージョン情報"));
    // In both scripts in Japanese, so that a reader of either finds it.
    Mnu5->setTitle(tr("言語 (Language)"));
    for (QAction* a : Mnu5->actions()) a->setChecked(a->data() == lang::current());
    // An ending's picture on the start screen carries its word.
    const QString shown = QFileInfo(ImgStt->source()).completeBaseName();
    if (shown == QLatin1String("end") || shown.startsWith(QLatin1String("end_"))) ImgStt->setPicture(Gazou("end"));
    PicTeishi->update();
}

// Every change of translator, the menu's or any other, ends here.
void Fom::changeEvent(QEvent* e) {
    tk::Form::changeEvent(e);
    if (e->type() != QEvent::LanguageChange) return;
    Kotoba();
    a11y::changed(*this);  // names and descriptions, in the new language
}

void Fom::Mnu5_Click(const QString& language) {
    lang::remember(language);
    lang::use(language);
}
