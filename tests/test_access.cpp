// What a screen reader finds and is told, offscreen: Qt's accessibility made
// active and every event it would send recorded, no bus needed.
#include "harness.h"
#include "ui/access.h"

#include <QAccessible>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

namespace {
// Every event that would go to a reader, by kind and the meal it is about.
struct Told {
    static inline QStringList events;
    Told() {
        events.clear();
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QAccessible::installUpdateHandler([](QAccessibleEvent* e) {
            QAccessibleInterface* i = e->accessibleInterface();
            if (!i || (e->type() != QAccessible::DescriptionChanged && e->type() != QAccessible::ValueChanged)) return;
            events << (i->role() == QAccessible::Button ? i->text(QAccessible::Name) : i->parent()->text(QAccessible::Name));
        });
    }
    ~Told() {
        QAccessible::installUpdateHandler(nullptr);
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
    }
};

// The window's client area as a reader sees it, and one of its objects.
QAccessibleInterface* shown(Fom& f, QAccessible::Role role, const QString& name = QString()) {
    QAccessibleInterface* client = QAccessible::queryAccessibleInterface(f.client());
    for (int i = 0; i < client->childCount(); ++i) {
        QAccessibleInterface* c = client->child(i);
        if (c->role() == role && (name.isEmpty() || c->text(QAccessible::Name) == name)) return c;
    }
    return nullptr;
}

void key(Fom& f, int k) {
    QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
    QApplication::sendEvent(&f, &e);
}
}  // namespace

class AccessTest : public QObject {
    Q_OBJECT
private slots:
    // A reader's Press acts as a click would, and only when one would.
    void pressActsOnlyWhereAClickWould_data() {
        QTest::addColumn<int>("blocker");
        QTest::newRow("nothing in the way") << 0;
        QTest::newRow("paused") << 1;
        QTest::newRow("a box up") << 2;
    }
    void pressActsOnlyWhereAClickWould() {
        QFETCH(int, blocker);
        Told told;
        Game g;
        Draws d;
        d.fallback = [] { return 0.5f; };
        startRaising(*g);
        QAccessibleInterface* face = shown(*g, QAccessible::Grouping, "食事 3")->child(0);
        if (blocker == 1) tk::hold().set(tk::Hold::Player, true);
        if (blocker == 2) g->setInputBlocked(true);
        face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCoreApplication::sendPostedEvents();
        QCOMPARE(g->Blood[2] > 100, blocker == 0);
        tk::hold().clear();
    }

    // Each meal reads as its values in percent, the wished one as such; the
    // speaker's picture is named for who speaks.
    void namesAndValues() {
        Told told;
        Game g;
        startRaising(*g, 4);
        g->Senrei(4, 654);
        for (int i = 0; i < 7; ++i)
            QCOMPARE(shown(*g, QAccessible::Grouping, QString("食事 %1").arg(i + 1))->child(0)->text(QAccessible::Description),
                     i == 4 ? "自信 50%、血の清らかさ 75%、主様の御所望" : "自信 50%、血の清らかさ 10%");
        const std::pair<const char*, const char*> speakers[] = {
            {"fce8", "案内役"}, {"fce9", "主様"}, {"fce0", "開花した主様"}, {"fce3k", "食事 3"}, {"Fce6d", "食事 6"}};
        for (const auto& [picture, name] : speakers) {
            g->Gamen_Ivent(picture);
            QAccessibleInterface* speaker = shown(*g, QAccessible::Graphic);
            QVERIFY(speaker);
            QCOMPARE(speaker->text(QAccessible::Name), QString(name));
        }
    }

    // Without a reader nothing of it wakes the game; once one listens, it
    // looks for what changed.
    void idleWithoutAReader() {
        Game g;
        QAccessible::queryAccessibleInterface(g->client());
        auto looking = [&] {
            const auto timers = g->client()->findChildren<QTimer*>();
            return std::any_of(timers.begin(), timers.end(), [](QTimer* t) { return t->isActive(); });
        };
        QVERIFY(!looking());
        Told told;
        QVERIFY(looking());
    }

    // Of the values that change with a tick, only the focused meal's are told.
    void onlyTheFocusedMealsValuesAreTold() {
        Told told;
        Game g;
        startRaising(*g);
        key(*g, Qt::Key_Tab);
        key(*g, Qt::Key_Tab);
        a11y::changed(*g);
        Told::events.clear();
        for (int i = 0; i < 7; ++i) g->Senrei(i, 300 + 10 * i);
        a11y::changed(*g);
        Told::events.removeDuplicates();
        QCOMPARE(Told::events, QStringList({"食事 2"}));
    }
};

QTEST_MAIN(AccessTest)
#include "test_access.moc"
