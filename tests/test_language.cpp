// The game in English: whole games to every ending with no Japanese left in
// any box, button, label, menu or what a reader finds, and the same boxes as
// in Japanese; how the language is chosen, and switched in play.
#include "harness.h"
#include "ui/language.h"

#include <QAccessible>
#include <QRegularExpression>

namespace {
// Kana, kanji and full-width forms.
bool japanese(const QString& s) {
    static const QRegularExpression cjk(QStringLiteral("[\\x{3000}-\\x{30FF}\\x{3400}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return s.contains(cjk);
}

// Every text the window shows or a reader finds, but the language menu's,
// which keeps both scripts.
QStringList windowTexts(Fom& f) {
    QStringList out{f.windowTitle(), QGuiApplication::applicationDisplayName()};
    for (const tk::Label* l : {f.LblNamGhb, f.LblNamWeek, f.LblNamDay, f.LblGhb, f.LblWeek, f.LblDay, f.LblStt, f.Lbl})
        out << l->text();
    std::function<void(QMenu*)> menu = [&](QMenu* m) {
        out << m->title();
        for (QAction* a : m->actions())
            if (a->menu() != f.Mnu5) a->menu() ? menu(a->menu()) : void(out << a->text());
    };
    menu(f.Mnu0);
    std::function<void(QAccessibleInterface*)> read = [&](QAccessibleInterface* i) {
        out << i->text(QAccessible::Name) << i->text(QAccessible::Description);
        for (int k = 0; k < i->childCount(); ++k) read(i->child(k));
    };
    read(QAccessible::queryAccessibleInterface(f.client()));
    return out;
}

// A whole game to one ending: the introduction answered, the last `fled`
// meals fleeing and meal 2 speaking its mind (or not) in the first tick,
// and every week's wish, meal 1, drunk with clean or dirty blood. Returns
// each box as its speaker, buttons, title or none and end picture, with any
// Japanese text shown meanwhile.
struct Played {
    QStringList boxes, japanese;
};
Played play(int answer, int fled, bool speaks, bool clean) {
    Game g;
    Draws d;
    d.fallback = [] { return 0.0f; };
    Boxes b(&*g);
    Played p;
    b.answers = {answer};
    b.onBox = [&](const ShownBox& box) {
        p.boxes << QString("%1 %2 %3 %4").arg(box.face).arg(box.buttons).arg(box.title.isEmpty()).arg(box.startPicture);
        const QStringList seen = windowTexts(*g) << box.prompt << box.title << tk::buttonCaptions(box.buttons);
        for (const QString& t : seen)
            if (japanese(t)) p.japanese << t;
    };
    g->ImgStt_Click();
    for (int i = 0; i < 7; ++i) g->Senrei(i, 900);
    for (int i = 7 - fled; i < 7; ++i) g->Cp[i] = 0, g->Senrei(i, -1000);
    if (speaks) g->Cp[1] = 1000;
    g->Tim.fire();
    while (!g->ImgStt->Visible()) {
        g->Senrei(0, clean ? 1000 : -1000);
        g->DayTim.fire();
    }
    g->Mnu4->trigger();  // the record, too
    for (const QString& t : windowTexts(*g))
        if (japanese(t)) p.japanese << t;
    return p;
}
}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT
private slots:
    // For each ending, and either answer to the introduction's question.
    void everyEndingInEnglish_data() {
        QTest::addColumn<int>("fled");
        QTest::addColumn<bool>("speaks");
        QTest::addColumn<bool>("clean");
        QTest::newRow("bloom") << 0 << true << true;
        QTest::newRow("liked") << 2 << true << true;
        QTest::newRow("cruelty") << 4 << true << true;
        QTest::newRow("esteemed") << 3 << false << true;
        QTest::newRow("disliked") << 0 << false << true;
        QTest::newRow("too soft") << 3 << false << false;
        QTest::newRow("no good") << 0 << false << false;
        QTest::newRow("dismissed") << 5 << false << true;
    }
    void everyEndingInEnglish() {
        QFETCH(int, fled);
        QFETCH(bool, speaks);
        QFETCH(bool, clean);
        for (int answer : {int(tk::vbYes), int(tk::vbNo)}) {
            lang::use("en");
            const Played english = play(answer, fled, speaks, clean);
            lang::use("ja");
            const Played own = play(answer, fled, speaks, clean);
            QCOMPARE(english.japanese, QStringList());
            QVERIFY(own.japanese.size() > own.boxes.size());  // the check sees Japanese where there is some
            QStringList ends = own.boxes;
            ends.replaceInStrings(QRegularExpression(" end$"), " end_en");
            QCOMPARE(english.boxes, ends);
        }
    }

    // --lang, else the remembered choice, else the desktop's languages as Qt
    // lists them (here for LANG, and LANGUAGE=de:ja); nothing the game does
    // not speak counts.
    void theLanguageChosen_data() {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("remembered");
        QTest::addColumn<QStringList>("desktop");
        QTest::addColumn<QString>("spoken");
        const QStringList ja{"ja-JP", "ja-Jpan-JP", "ja"}, en{"en-US", "en-Latn-US", "en"}, de{"de-DE", "de-Latn-DE", "de"};
        QTest::newRow("ja_JP") << "" << "" << ja << "ja";
        QTest::newRow("en_US") << "" << "" << en << "en";
        QTest::newRow("de_DE") << "" << "" << de << "en";
        QTest::newRow("C") << "" << "" << QStringList{"C"} << "ja";
        QTest::newRow("LANGUAGE=de:ja") << "" << "" << (QStringList{"de", "de-Latn-DE", "de-DE"} << ja) << "ja";
        QTest::newRow("remembered beats the desktop") << "" << "en" << ja << "en";
        QTest::newRow("--lang beats the remembered") << "ja" << "en" << en << "ja";
        QTest::newRow("a remembered language not spoken") << "" << "fr" << ja << "ja";
        QTest::newRow("none at all") << "" << "" << QStringList() << "en";
    }
    void theLanguageChosen() {
        QFETCH(QString, asked);
        QFETCH(QString, remembered);
        QFETCH(QStringList, desktop);
        QFETCH(QString, spoken);
        QCOMPARE(lang::choose(asked, remembered, desktop), spoken);
    }

    // From the menu, in play: every word changes at once, nothing else
    // does, and the choice is remembered.
    void switchingInPlayChangesOnlyTheWords() {
        Game g;
        Draws d;
        startRaising(*g, 3);
        auto state = [&] {
            return QString("%1 %2 %3 %4 %5 %6 %7 %8").arg(g->Day).arg(g->Week).arg(g->Ghb).arg(d.taken)
                .arg(g->Tim.Interval()).arg(g->Tim.running()).arg(g->DayTim.running()).arg(g->Blood[2] + g->Cp[4]);
        };
        const QString before = state();
        const QString ownWords = windowTexts(*g).join('|');
        for (const char* code : {"en", "ja"}) {
            for (QAction* a : g->Mnu5->actions())
                if (a->data() == code) a->trigger();
            QCOMPARE(state(), before);
            QCOMPARE(lang::remembered(), QString(code));
            QCOMPARE(japanese(windowTexts(*g).join('|')), QString(code) == "ja");
        }
        QCOMPARE(windowTexts(*g).join('|'), ownWords);
    }
};

QTEST_MAIN(LanguageTest)
#include "test_language.moc"
