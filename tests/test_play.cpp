// What the player has beyond the rules, none of which changes the game:
// the pause and its causes, the keyboard, what a screen reader finds and is
// told (offscreen, no bus), and the languages, whole games in each.
#include "harness.h"
#include "ui/access.h"

#include <QDialog>
#include <QMenu>
#include <QRegularExpression>
#include <QToolTip>

namespace {
// Nothing is delivered, by the clock or by hand, yet the game's own
// switches stay as the game set them.
bool held(Fom& f) {
    return !f.Tim.running() && !f.DayTim.running() && !f.Tim.fire() && !f.DayTim.fire() && f.Tim.Enabled() && f.DayTim.Enabled();
}

// Both timers run again, each on an interval begun since `since` started: a
// timer that had run on would now be due sooner, however slow the machine.
bool freshlyRunning(Fom& f, const QElapsedTimer& since) {
    const auto fresh = [&](tk::Timer& t) { return t.running() && t.remainingTime() >= t.Interval() - since.elapsed() - 1; };
    return fresh(f.Tim) && fresh(f.DayTim);
}

// Every face clicked and its key pressed, and both timers fired: nothing
// may change or draw.
void tryToPlay(Game& g) {
    const auto before = g->Blood;
    for (int i = 0; i < 7; ++i) {
        QTest::mouseClick(g->client(), Qt::LeftButton, {}, g->ImgFce(i).pixelRect().center());
        key(&*g, Qt::Key_1 + i);
    }
    g->Tim.fire(), g->DayTim.fire();
    QVERIFY(g->Blood == before && g.taken == 0);
}

// Another program's window takes the focus, or gives it back.
void otherProgram(QWidget& other, Fom& f, bool takes) {
    other.setVisible(takes);
    (takes ? static_cast<QWidget&>(other) : f).activateWindow();
}

// Every event that would go to a reader, by the meal it is about.
struct Told {
    static inline QStringList events;
    Told() {
        events.clear();
        readerListens(true);
        QAccessible::installUpdateHandler([](QAccessibleEvent* e) {
            QAccessibleInterface* i = e->accessibleInterface();
            if (!i || (e->type() != QAccessible::DescriptionChanged && e->type() != QAccessible::ValueChanged)) return;
            events << (i->role() == QAccessible::Button ? i->text(QAccessible::Name) : i->parent()->text(QAccessible::Name));
        });
    }
    ~Told() { QAccessible::installUpdateHandler(nullptr); }
};

// One of the client area's objects as a reader finds it.
QAccessibleInterface* shown(Fom& f, QAccessible::Role role, const QString& name = QString()) {
    QAccessibleInterface* client = QAccessible::queryAccessibleInterface(f.client());
    for (int i = 0; i < client->childCount(); ++i)
        if (QAccessibleInterface* c = client->child(i); c->role() == role && (name.isEmpty() || c->text(QAccessible::Name) == name)) return c;
    return nullptr;
}

// Kana, kanji and full-width forms.
bool japanese(const QString& s) { return s.contains(QRegularExpression("[\\x{3000}-\\x{30FF}\\x{3400}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]")); }
// What must not show in a language: any of those in English; kana, or a
// Latin word but P and Velmoria, in Chinese.
bool foreign(const QString& language, const QString& s) {
    if (language == "zh") return s.contains(QRegularExpression("[\\x{3040}-\\x{30FF}]|(?!P\\b|Velmoria)\\b[A-Za-z]+"));
    return language == "en" && japanese(s);
}

// Every text the window shows or a reader finds, but the language menu's,
// whose names are each in their own language.
QStringList windowTexts(Fom& f) {
    QStringList out{f.windowTitle(), QGuiApplication::applicationDisplayName()};
    for (const tk::Label* l : {f.LblNamGhb, f.LblNamWeek, f.LblNamDay, f.LblGhb, f.LblWeek, f.LblDay, f.LblStt, f.Lbl})
        if (l->Visible()) out << l->text() << l->toolTip();
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
// text shown meanwhile that does not belong to the language spoken.
struct Played {
    QStringList boxes, japanese;  // Japanese: in the game's own language, what is foreign
};
Played play(int answer, int fled, bool speaks, bool clean) {
    Game g;
    g.fallback = [] { return 0.0f; };
    Played p;
    g.answers = {answer};
    auto note = [&](const QStringList& seen) {
        for (const QString& t : seen)
            if (lang::current() == "ja" ? japanese(t) : foreign(lang::current(), t)) p.japanese << t;
    };
    g.onBox = [&](const ShownBox& box) {
        p.boxes << QString("%1 %2 %3 %4").arg(box.face).arg(box.buttons).arg(box.title.isEmpty()).arg(box.startPicture);
        note(windowTexts(*g) << box.prompt << box.title << tk::buttonCaptions(box.buttons));
    };
    g->ImgStt_Click();
    for (int i = 0; i < 7; ++i) g->Senrei(i, 900);
    for (int i = 7 - fled; i < 7; ++i) g->Cp[i] = 0, g->Senrei(i, -1000);
    if (speaks) g->Cp[1] = 1000;
    g->Tim.fire();
    while (!g->ImgStt->Visible()) g->Senrei(0, clean ? 1000 : -1000), g->DayTim.fire();
    g->Mnu4->trigger();  // the record, too
    note(windowTexts(*g));
    return p;
}
}  // namespace

class PlayTest : public QObject {
    Q_OBJECT
private slots:
    VELMORIA_SUITE_SLOTS

    // While held nothing plays, by the mouse, the keys or the clock; after,
    // both timers start their intervals afresh.
    void everyCauseHoldsBothTimersAndResumesAfresh() {
        QWidget other;
        const struct {
            const char* name;
            bool overlay;  // the raising screen says it is paused
            std::function<void(Fom&)> begin, end;
        } causes[] = {
            {"minimised", true, [](Fom& f) { f.showMinimized(); }, [](Fom& f) { f.showNormal(); }},
            {"hidden", true, [](Fom& f) { f.hide(); },
             [&](Fom& f) {
                 f.show();  // offscreen hands the focus back only by way of another window
                 otherProgram(other, f, true);
                 otherProgram(other, f, false);
             }},
            {"focus lost", true, [&](Fom& f) { otherProgram(other, f, true); }, [&](Fom& f) { otherProgram(other, f, false); }},
            {"menu open (F10)", false, [](Fom& f) { QTest::keyClick(&f, Qt::Key_F10); }, [](Fom& f) { f.Mnu0->hide(); }},
            {"player's pause (P)", true, [](Fom& f) { key(&f, Qt::Key_P); }, [](Fom& f) { key(&f, Qt::Key_P); }},
            {"version box", false, [](Fom& f) { f.Mnu2->trigger(); }, [](Fom&) {}},
            {"record box", false, [](Fom& f) { f.Mnu4->trigger(); }, [](Fom&) {}},
        };
        for (const auto& c : causes) {
            Game g;
            bool heldDuringBox = false, overlayDuringBox = true;
            g.onBox = [&](const ShownBox&) {
                heldDuringBox = held(*g);
                overlayDuringBox = g->PicTeishi->isVisible();
                tryToPlay(g);
            };
            g.raising();
            tk::Timer::setManual(false);  // the real clock, slow enough that nothing fires
            g->Tim.setInterval(60000), g->DayTim.setInterval(60000);
            g->activateWindow();
            QTRY_VERIFY(g->isActiveWindow() && g->Tim.remainingTime() < 59990 && g->DayTim.remainingTime() < 59990);
            QElapsedTimer since;
            since.start();
            c.begin(*g);
            if (g.size()) {
                QVERIFY2(heldDuringBox && !overlayDuringBox, c.name);
            } else {
                QTRY_VERIFY2(held(*g), c.name);
                QCOMPARE(g->PicTeishi->isVisibleTo(&*g), c.overlay);
                tryToPlay(g);
            }
            c.end(*g);
            QTRY_VERIFY2(!g->PicTeishi->isVisibleTo(&*g), c.name);
            QVERIFY2(freshlyRunning(*g, since), c.name);
        }
    }

    void causesOverlapAndTheGameKeepsItsOwnSwitches() {
        Game g;
        g.raising();
        tk::Timer::setManual(false);
        QWidget other;
        g->Mnu3->trigger();
        otherProgram(other, *g, true);
        QTRY_VERIFY(tk::hold().heldBy(tk::Hold::Focus));
        otherProgram(other, *g, false);
        QTRY_VERIFY(!tk::hold().heldBy(tk::Hold::Focus));
        QVERIFY(held(*g));  // the player's pause lasts until the player ends it
        // Switches thrown while held are the ones in force afterwards; the
        // overlay, over faces and panels, shows on the raising screen only.
        g->Gamen_Ivent("fce8");
        QVERIFY(!g->PicTeishi->isVisible());
        g->Gamen_Ikusei();
        QCOMPARE(g->client()->childAt(g->Pic(3).geometry().center()), g->PicTeishi);
        QElapsedTimer since;
        since.start();
        g->Mnu3->trigger();
        QVERIFY(freshlyRunning(*g, since));
    }

    void ownBoxesKeepTheFocus() {
        Game g;
        g.raising();
        g->activateWindow();
        QTRY_VERIFY(g->isActiveWindow());
        QDialog box(&*g);
        box.show();
        box.activateWindow();
        QTRY_VERIFY(box.isActiveWindow());
        QVERIFY(!tk::hold().held() && g->Tim.running());
    }

    // Keys 1-7 press a face as the mouse does: down flashes it, up purifies.
    // Steps: a key (1-7, P) pressed (v) or released (^), auto-repeated (r),
    // on the keypad (K) or with Ctrl, Alt or Meta (C, A, M); or a scene
    // starting, a box coming up (in which 2 and P are pressed), the start
    // screen. Then: the faces purified, those still down, paused or not.
    void keysPressFaces() {
        const char* const rows[][4] = {
            {"4v 4^", "4", "", ""}, {"4vK 4^K", "4", "", ""}, {"4vC 4^C", "", "", ""}, {"4vA 4^A", "", "", ""},
            {"4vM 4^M", "", "", ""}, {"4v 4vr 4^r 4vr 4^", "4", "", ""}, {"4v 5^", "", "4", ""}, {"4v 5v", "", "5", ""},
            {"4v 5v 5^ 4^", "5", "", ""}, {"Pv Pvr", "", "", "paused"}, {"4v Pv P^ Pv P^ 4^", "", "", ""},
            {"1v scene 1^", "", "", ""}, {"start 1v 1^", "", "", ""}, {"start Pv P^", "", "", ""}, {"box", "", "", ""}};
        for (const auto& [steps, purified, flashing, paused] : rows) {
            Game g;
            g.fallback = [] { return 0.5f; };
            g.raising();
            g.onBox = [&](const ShownBox&) { key(&*g, Qt::Key_2), key(&*g, Qt::Key_P); };
            QString done, down;
            for (const QString& step : QString(steps).split(' ')) {
                if (step == "scene") g->Gamen_Ivent("fce8");
                if (step == "box") g->Mnu2->trigger();
                if (step == "start") g->Form_Activate();
                if (step.size() > 3 || (!step[0].isDigit() && step[0] != 'P')) continue;
                Qt::KeyboardModifiers mods;
                for (auto [flag, mod] : {std::pair{'K', Qt::KeypadModifier}, {'C', Qt::ControlModifier}, {'A', Qt::AltModifier}, {'M', Qt::MetaModifier}})
                    if (step.contains(flag)) mods |= mod;
                const auto before = g->Blood;
                QKeyEvent e(step[1] == 'v' ? QEvent::KeyPress : QEvent::KeyRelease,
                            step[0] == 'P' ? Qt::Key_P : Qt::Key_0 + step[0].digitValue(), mods, QString(), step.contains('r'));
                QApplication::sendEvent(&*g, &e);
                for (int i = 0; i < Fom::Meals; ++i)
                    if (g->Blood[i] != before[i]) done += QString::number(i + 1);
            }
            for (int i = 0; i < Fom::Meals; ++i)
                if (g->ShpFce(i).Visible() || g->ImgFce(i).border()) down += QString::number(i + 1);
            QVERIFY2(done == purified && down == flashing && g->Mnu3->isChecked() == (*paused != 0) && !tk::hold().heldBy(tk::Hold::Player) == !*paused, steps);
        }
    }

    // Return and Space start a game on the start screen and press the face
    // with the focus, which Tab and the arrows move among those shown; only
    // a press this window had counts.
    void returnSpaceAndTheFocus() {
        Game g;
        g.fallback = [] { return 0.5f; };
        key(&*g, Qt::Key_Return, QEvent::KeyPress, true);  // held on after a box
        key(&*g, Qt::Key_Return, QEvent::KeyRelease);
        QCOMPARE(g.size(), 0);
        g.answers = {tk::vbYes};
        key(&*g, Qt::Key_Space);
        QVERIFY(g.size() == 10 && g->Ikusei() && !g->ShpWaku->Visible());
        g->Sonzai[1] = false;
        g->Gamen_Ikusei();
        QList<int> focus;
        for (int k : {Qt::Key_Tab, Qt::Key_Right, Qt::Key_Left, Qt::Key_Left, Qt::Key_Backtab}) {
            key(&*g, k, QEvent::KeyPress);
            focus << g->Waku();
        }
        QCOMPARE(focus, QList<int>({0, 2, 0, 6, 5}));
        QVERIFY(g->ShpWaku->Visible() && g->ShpWaku->rect().intersects(g->ImgFce(5).rect()));
        key(&*g, Qt::Key_Return, QEvent::KeyPress);
        QVERIFY(g->ShpFce(5).Visible());
        const int blood = g->Blood[5];
        key(&*g, Qt::Key_Return, QEvent::KeyRelease);
        QVERIFY(!g->ShpFce(5).Visible() && g->Blood[5] > blood);
        // A fled meal's focus goes to the next one to its right, else the
        // last one to its left.
        g->Tousou_Ivent(5);
        QCOMPARE(g->Waku(), 6);
        g->Tousou_Ivent(6);
        QCOMPARE(g->Waku(), 4);
    }

    // A reader's Press acts as a click would, and only when one would:
    // nothing in the way, paused, a box up.
    void readersPressActsOnlyWhereAClickWould() {
        for (int blocker : {0, 1, 2}) {
            Told told;
            Game g;
            g.fallback = [] { return 0.5f; };
            g.raising();
            QAccessibleInterface* face = shown(*g, QAccessible::Grouping, "食事 3")->child(0);
            if (blocker == 1) tk::hold().set(tk::Hold::Player, true);
            if (blocker == 2) g->setInputBlocked(true);
            face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            QCoreApplication::sendPostedEvents();
            QCOMPARE(g->Blood[2] > 100, blocker == 0);
        }
    }

    // Each meal reads as its values in percent, the wished one as such; the
    // speaker's picture is named for who speaks.
    void readersNamesAndValues() {
        Told told;
        Game g;
        g.raising(4);
        g->Senrei(4, 654);
        for (int i = 0; i < 7; ++i)
            QCOMPARE(shown(*g, QAccessible::Grouping, QString("食事 %1").arg(i + 1))->child(0)->text(QAccessible::Description),
                     i == 4 ? "自信 50%、血の清らかさ 75%、主様の御所望" : "自信 50%、血の清らかさ 10%");
        const std::pair<const char*, const char*> speakers[] = {
            {"fce8", "案内役"}, {"fce9", "主様"}, {"fce0", "開花した主様"}, {"fce3k", "食事 3"}, {"Fce6d", "食事 6"}};
        for (const auto& [picture, name] : speakers) {
            g->Gamen_Ivent(picture);
            QAccessibleInterface* speaker = shown(*g, QAccessible::Graphic);
            QVERIFY(speaker && speaker->text(QAccessible::Name) == name);
        }
    }

    // Without a reader nothing of it wakes the game; once one listens, it
    // looks for what changed, and of the values that change with a tick
    // only the focused meal's are told.
    void readersAreToldOnlyWhatTheyNeed() {
        Game g;
        g.raising();
        QAccessible::queryAccessibleInterface(g->client());
        auto looking = [&] {
            const auto timers = g->client()->findChildren<QTimer*>();
            return std::any_of(timers.begin(), timers.end(), [](QTimer* t) { return t->isActive(); });
        };
        QVERIFY(!looking());
        Told told;
        QVERIFY(looking());
        key(&*g, Qt::Key_Tab, QEvent::KeyPress), key(&*g, Qt::Key_Tab, QEvent::KeyPress);
        a11y::changed(*g);
        Told::events.clear();
        for (int i = 0; i < 7; ++i) g->Senrei(i, 300 + 10 * i);
        a11y::changed(*g);
        Told::events.removeDuplicates();
        QCOMPARE(Told::events, QStringList({"食事 2"}));
    }

    // For each ending and either answer to the introduction's question: no
    // Japanese left anywhere, and the same boxes as in Japanese.
    void everyEndingInEachLanguage() {
        const struct { int fled; bool speaks, clean; } endings[] = {
            {0, true, true}, {2, true, true}, {4, true, true}, {3, false, true}, {0, false, true}, {3, false, false},
            {0, false, false}, {5, false, true}};
        for (const auto& e : endings)
            for (int answer : {int(tk::vbYes), int(tk::vbNo)}) {
                const Played own = play(answer, e.fled, e.speaks, e.clean);
                QVERIFY(own.japanese.size() > own.boxes.size());  // the check sees Japanese where there is some
                for (const char* code : {"en", "zh"}) {
                    lang::use(code);
                    const Played other = play(answer, e.fled, e.speaks, e.clean);
                    lang::use("ja");
                    QCOMPARE(other.japanese, QStringList());
                    QCOMPARE(other.boxes, QStringList(own.boxes).replaceInStrings(QRegularExpression(" end$"), QString(" end_") + code));
                }
            }
    }

    // --lang, else the remembered choice, else the desktop's languages as Qt
    // lists them (here for LANG, and LANGUAGE=de:ja); nothing the game does
    // not speak counts.
    void theLanguageChosen() {
        const QStringList ja{"ja-JP", "ja-Jpan-JP", "ja"}, en{"en-US", "en-Latn-US", "en"}, de{"de-DE", "de-Latn-DE", "de"};
        const struct { const char* asked; const char* remembered; QStringList desktop; const char* spoken; } rows[] = {
            {"", "", ja, "ja"}, {"", "", en, "en"}, {"", "", de, "en"}, {"", "", {"C"}, "ja"},
            {"", "", QStringList{"de", "de-Latn-DE", "de-DE"} + ja, "ja"}, {"", "en", ja, "en"}, {"ja", "en", en, "ja"},
            {"", "fr", ja, "ja"}, {"", "", {}, "en"}, {"", "", {"zh-CN", "zh-Hans-CN", "zh"}, "zh"},
            {"", "", {"zh-TW", "zh-Hant-TW", "zh"}, "zh"}, {"", "", {"zh-HK", "zh-Hant-HK", "zh"}, "zh"}, {"zh", "en", ja, "zh"}};
        for (const auto& r : rows) QCOMPARE(lang::choose(r.asked, r.remembered, r.desktop), QString(r.spoken));
    }

    // From the menu, in play: every word changes, hints and a reader's names
    // too, the end picture's word with them; nothing else does, and the
    // choice is remembered.
    void switchingInPlayChangesOnlyTheWords() {
        Told told;
        Game g;
        g.raising(3);
        g->ImgStt->setPicture(g->Gazou("end"));
        const QString before = g.state(), ownWords = windowTexts(*g).join('|');
        for (const char* code : {"en", "zh", "ja"}) {
            for (QAction* a : g->Mnu5->actions())
                if (a->data() == code) a->trigger();
            QCoreApplication::sendPostedEvents();
            QVERIFY(g.state() == before && lang::remembered() == code);
            QCOMPARE(pictureName(g->ImgStt->picture()), QString(code) == "ja" ? "end" : QString("end_") + code);
            const QStringList texts = windowTexts(*g);
            for (const QString& t : texts) QVERIFY2(!foreign(code, t), qPrintable(t));
        }
        QCOMPARE(windowTexts(*g).join('|'), ownWords);
    }

    // The counters' hints show where the pointer rests on a number that
    // nothing covers, in the language spoken; a reader gets each as the
    // counter's description, never in its name.
    void countersHints() {
        Told told;
        Game g;
        auto hint = [&](const tk::Label* l) {
            QToolTip::hideText();
            if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); })) return QStringLiteral("(the last hint never went)");
            const QPoint at = l->textRect().center();
            QWidget* w = g->client()->childAt(at) ? g->client()->childAt(at) : g->client();
            QHelpEvent e(QEvent::ToolTip, w->mapFrom(g->client(), at), g->client()->mapToGlobal(at));
            QApplication::sendEvent(w, &e);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QCOMPARE(hint(g->LblGhb), QString());  // under the start picture
        g.raising();
        const std::pair<const tk::Label*, const char*> rows[] = {{g->LblGhb, "ご褒美"}, {g->LblWeek, "週"}, {g->LblDay, "日"}, {g->LblNamGhb, ""}};
        for (const auto& [label, text] : rows) QCOMPARE(hint(label), QString(text));
        QAccessibleInterface* week = shown(*g, QAccessible::StaticText, "週 1");
        QVERIFY(week && week->text(QAccessible::Description) == "週");
        key(&*g, Qt::Key_P);
        QCOMPARE(hint(g->LblGhb), QString());  // under the pause overlay
        key(&*g, Qt::Key_P);
        lang::use("en");
        QCoreApplication::sendPostedEvents();
        QVERIFY(hint(g->LblGhb) == "Rewards" && QFontInfo(QToolTip::font()).family() == "Noto Sans CJK JP");
        lang::use("zh");
        QCoreApplication::sendPostedEvents();
        QVERIFY(!hint(g->LblWeek).isEmpty() && QFontInfo(QToolTip::font()).family() == "Noto Sans CJK SC");
    }
};

QTEST_MAIN(PlayTest)
#include "test_play.moc"
