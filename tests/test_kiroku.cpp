// The record of endings across runs, as the 記録 box shows it: each ending
// kept as itself, every other key left alone, a file that cannot be trusted,
// and games that end at once.
#include "harness.h"

namespace {
// A folder of settings for one test, standing in for ~/.config.
struct Home {
    QTemporaryDir dir;
    Home() { settingsFolder() = dir.path(); }
    ~Home() { settingsFolder().clear(); }
    QString file() const { return dir.path() + "/velmoria/velmoria.conf"; }
};

// The record as the player reads it.
QStringList record(Game& g) {
    const int before = g.size();
    g->Mnu4->trigger();
    return g.size() == before + 1 ? g.boxes.back().lines() : QStringList();
}

// The ceremony with these counts, to its end picture; or the dismissal.
void ending(Game& g, int ghb, int fled) {
    g.raising();
    g->Ghb = qint16(ghb);
    g->Tousou_Su = qint16(fled);
    g->Gamen_Ivent("fce9");
    fled == 5 ? g->Kubi_Ivent() : g->Hyouka_Ivent();
}

// The names in the box, in the order of its two columns.
const char* const kNames[] = {"開花", "お気に入り", "冷酷", "上々の評判", "悪い評判", "甘すぎる", "まるで駄目", "解雇"};

// Expects warnings of ours that match, and no other of ours.
void warned(int times, const char* pattern = "^velmoria: ") {
    for (int i = 0; i < times; ++i) QTest::ignoreMessage(QtWarningMsg, QRegularExpression(pattern));
    QTest::failOnWarning(QRegularExpression("^velmoria: "));
}
}  // namespace

class KirokuTest : public QObject {
    Q_OBJECT
private slots:
    VELMORIA_SUITE_SLOTS

    // Each verdict and the dismissal is kept under its own name, and the
    // count of games grows by one with each, written when the end picture
    // shows, before the last box; a later run reads them all.
    void eachEndingIsKeptAsItself() {
        Home home;
        {
            Game g;
            QCOMPARE(record(g), QStringList({"迎えた結末　0／8", "", "？？？　　　？？？", "？？？　　　？？？",
                                             "？？？　　　？？？", "？？？　　　？？？", "", "終えたゲーム　0回"}));
            QString countAtLastBox;
            g.onBox = [&](const ShownBox& box) {
                if (box.prompt == "エンＤ") countAtLastBox = QSettings(home.file(), QSettings::IniFormat).value("games").toString();
            };
            const std::pair<int, int> counts[] = {{5, 0}, {5, 2}, {6, 4}, {4, 3}, {3, 0}, {2, 3}, {-1, 0}, {0, 5}};
            for (int e = 0; e < 8; ++e) {
                ending(g, counts[e].first, counts[e].second);
                const QStringList r = record(g);
                const QString row = r.value(2 + e % 4);
                QVERIFY2(e < 4 ? row.startsWith(kNames[e]) : row.endsWith(kNames[e]), qPrintable(r.join('|')));
                QVERIFY(r.value(0) == QString("迎えた結末　%1／8").arg(e + 1) && r.value(7) == QString("終えたゲーム　%1回").arg(e + 1));
                if (e < 7) QCOMPARE(countAtLastBox, QString::number(e + 1));
            }
        }
        Game again;
        QCOMPARE(record(again), QStringList({"迎えた結末　8／8", "", "開花　　　　悪い評判", "お気に入り　甘すぎる",
                                             "冷酷　　　　まるで駄目", "上々の評判　解雇", "", "終えたゲーム　8回"}));
        // In Chinese too, the names all full-width, in two columns.
        lang::use("zh");
        QCOMPARE(record(again).mid(2, 4), QStringList({"主上绽放　　口碑不佳", "深得宠信　　过于心软", "冷酷无情　　一无是处", "口碑极佳　　惨遭解雇"}));
        lang::use("ja");
        // Not for a game played on after its window was closed.
        again.onBox = [&](const ShownBox& box) {
            if (box.prompt.startsWith("以上を踏まえまして")) again->close();
        };
        again->Ghb = 3;
        again->Hyouka_Ivent();
        QCOMPARE(QSettings(home.file(), QSettings::IniFormat).value("games").toInt(), 8);
    }

    // What this version does not know stays as it is; a value it cannot
    // read costs that entry; a file it cannot parse is copied aside first
    // and what could be read of it is kept. Each said once.
    void aFileNotWhollyOursLosesNothingElse() {
        // After お気に入り; warnings over both games (a value left unreadable is said again by the next).
        const struct { QByteArray content; const char* reached; int games, complaints; } rows[] = {
            {"[General]\nlanguage=en\ngames=2\n[endings]\nbloom=true\n[future]\nx=1\n", "開花 お気に入り", 3, 0},
            {"[endings]\ncruelty=true\nnogood=perhaps\n[General]\ngames=4\n", "お気に入り 冷酷", 5, 2},
            {"[General]\ngames=many\n[endings]\nbloom=true\n", "開花 お気に入り", 1, 1},
            {"[General]\ngames=-3\n", "お気に入り", 1, 1},
            {"[endings]\nbloom=true\nnonsense\n[General]\ngames=2\n", "開花 お気に入り", 3, 1}};
        for (const auto& r : rows) {
            Home home;
            QDir(home.dir.path()).mkpath("velmoria");
            QFile f(home.file());
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(r.content) == r.content.size());
            f.close();
            // A damaged file's warning names its copy.
            warned(r.complaints, r.content.contains("nonsense") ? "^velmoria: .*: .*/velmoria.conf.damaged-\\d{8}-\\d{6}$" : "^velmoria: ");
            {
                Game g;
                record(g);  // read first, once more at the ending
                ending(g, 5, 1);
                record(g);
            }
            Game g;
            QStringList names;
            const QStringList seen = record(g);
            for (const char* n : kNames)
                if (seen.join('|').contains(n)) names << n;
            QCOMPARE(names.join(' '), QString(r.reached));
            QCOMPARE(seen.value(7), QString("終えたゲーム　%1回").arg(r.games));
            QSettings s(home.file(), QSettings::IniFormat);
            if (r.content.contains("language")) QVERIFY(s.value("language") == "en" && s.value("future/x") == "1");
            // The damaged file, as it was, beside the sound one.
            const QStringList copies = QDir(home.dir.path() + "/velmoria").entryList({"velmoria.conf.damaged-*"});
            QCOMPARE(copies.size(), int(r.content.contains("nonsense")));
            for (const QString& c : copies) {
                QFile copy(home.dir.path() + "/velmoria/" + c);
                QVERIFY(copy.open(QIODevice::ReadOnly) && copy.readAll() == r.content);
            }
        }
    }

    // A folder that cannot be written: said once, and the game plays on.
    void anUnwritableFolderIsSaidOnce() {
        for (const char* where : {"folder", "/dev/null/nowhere"}) {
            Home home;
            if (QString(where) == "folder") QDir(home.dir.path()).mkpath("velmoria/velmoria.conf");
            else settingsFolder() = where;
            warned(1);
            Game g;
            ending(g, 9, 0);
            ending(g, 3, 5);
            QVERIFY(g->ImgStt->Visible());
            QCOMPARE(record(g).value(7), QString("終えたゲーム　0回"));
        }
    }

    // Games that end at once each add their own: one that read the record
    // before another wrote, and four processes writing 25 endings each.
    void gamesEndingAtOnce() {
        if (isChild()) {
            settingsFolder() = qEnvironmentVariable("XDG_CONFIG_HOME");
            {
                Services s;
                Kiroku k;
                for (int i = 0; i < 25; ++i) k.kinyuu(Kiroku::Ketsumatsu(i % Kiroku::Kazu));
            }
            settingsFolder().clear();
            return;
        }
        Home home;
        Game first;
        record(first);
        {
            Game second;
            ending(second, 5, 0);
        }
        ending(first, 2, 2);
        QCOMPARE(record(first).mid(2, 3).join('|'), QString("開花　　　　？？？|？？？　　　？？？|？？？　　　まるで駄目"));
        std::unique_ptr<QProcess> games[4];
        for (auto& p : games) p = child("gamesEndingAtOnce", {"XDG_CONFIG_HOME=" + home.dir.path()});
        for (auto& p : games) QVERIFY(p->waitForFinished(60000) && p->exitCode() == 0);
        QCOMPARE(record(first).value(7), QString("終えたゲーム　102回"));
    }
};

QTEST_MAIN(KirokuTest)
#include "test_kiroku.moc"
