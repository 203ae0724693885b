// Choosing the language, Qt's translator for it, the 言語 menu and every
// text of the window in the language spoken now.
#include "ui/language.h"

#include "game/fom.h"
#include "ui/access.h"
#include "ui/kiroku.h"

#include <QActionGroup>
#include <QApplication>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

#include <algorithm>
#include <utility>

namespace lang {

namespace {
// The languages the game speaks, its own first, each by its own name.
constexpr std::pair<const char*, const char*> kLanguages[] = {{"ja", "日本語"}, {"en", "English"}};
const QString kOwn = QLatin1String(kLanguages[0].first);
QString g_current = kOwn;
QTranslator* g_translator = nullptr;
}  // namespace

bool spoken(const QString& language) {
    return std::any_of(std::begin(kLanguages), std::end(kLanguages), [&](const auto& l) { return language == QLatin1String(l.first); });
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
    if (g_translator) QCoreApplication::removeTranslator(g_translator);
    delete std::exchange(g_translator, new QTranslator);
    if (load(*g_translator, language)) QCoreApplication::installTranslator(g_translator);
    // Box title bars show it.
    QGuiApplication::setApplicationDisplayName(QCoreApplication::translate("Fom", "ヴェルモリア"));
}

QString current() { return g_current; }

}  // namespace lang

void Fom::createLanguageMenu() {
    // In both scripts, so that either reader finds it; each language by its own name.
    QMenu* menu = Mnu0->addMenu(QStringLiteral("言語 (Language)"));
    auto* group = new QActionGroup(menu);
    for (const auto& [code, name] : lang::kLanguages) {
        QAction* a = menu->addAction(QString::fromUtf8(name));
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
    Mnu0->setTitle(tr("設定"));
    Mnu1->setTitle(tr("難易度"));
    const QString paces[] = {tr("軽い"), tr("重い"), tr("激重")};
    for (int i = 0; i < 3; ++i) Mnu11[size_t(i)]->setText(paces[i]);
    Mnu3->setText(tr("一時停止") + QStringLiteral("\tP"));
    Mnu4->setText(tr("記録"));
    Mnu2->setText(tr("バージョン情報"));
    for (QAction* a : Mnu5->actions()) a->setChecked(a->data() == lang::current());
    PicTeishi->update();
}

void Fom::Mnu5_Click(const QString& language) {
    lang::remember(language);
    lang::use(language);
    Kotoba();
    a11y::changed(*this);  // names and descriptions, in the new language
}
