// The record of endings across runs, as the 記録 box shows it, and a
// settings file that cannot be trusted.
#include "harness.h"

namespace {
// A folder of settings for one test, standing in for ~/.config.
struct Home {
    QTemporaryDir dir;
    QString before = settingsFolder();
    Home() { settingsFolder() = dir.path(); }
    ~Home() { settingsFolder() = before; }
    QString file() const { return dir.path() + "/velmoria/velmoria.conf"; }
};

// The game's own warnings, counted.
struct Complaints {
    static inline int count = 0;
    static inline QtMessageHandler previous = nullptr;
    Complaints() {
        count = 0;
        previous = qInstallMessageHandler([](QtMsgType t, const QMessageLogContext& c, const QString& m) {
            if (m.startsWith("velmoria:")) ++count;
            else previous(t, c, m);
        });
    }
    ~Complaints() { qInstallMessageHandler(previous); }
};

// The record as the player reads it.
QStringList record(Fom& f) {
    Boxes b(&f);
    f.Mnu4->trigger();
    return b.size() == 1 ? b[0].lines() : QStringList();
}

// The ceremony with these counts, to its end picture; or the dismissal.
void ending(Fom& f, int ghb, int fled) {
    Boxes b(&f);
    startRaising(f);
    f.Ghb = qint16(ghb);
    f.Tousou_Su = qint16(fled);
    f.Gamen_Ivent("fce9");
    if (fled == 5) f.Kubi_Ivent();
    else f.Hyouka_Ivent();
}
}  // namespace

class KirokuTest : public QObject {
    Q_OBJECT
private slots:
    void endingsAreRememberedAcrossRuns() {
        Home home;
        {
            Game g;
            QCOMPARE(record(*g), QStringList({"迎えた結末　0／8", "", "？？？　　　？？？", "？？？　　　？？？",
                                             "？？？　　　？？？", "？？？　　　？？？", "", "終えたゲーム　0回"}));
            ending(*g, 5, 0);
        }
        Game g;
        QCOMPARE(record(*g).value(2), QString("開花　　　　？？？"));
        for (const auto& [ghb, fled] : {std::pair{5, 2}, {6, 4}, {4, 3}, {3, 0}, {2, 3}, {-1, 0}, {0, 5}})
            ending(*g, ghb, fled);
        Game again;
        QCOMPARE(record(*again),
                 QStringList({"迎えた結末　8／8", "", "開花　　　　悪い評判", "お気に入り　甘すぎる",
                              "冷酷　　　　まるで駄目", "上々の評判　解雇", "", "終えたゲーム　8回"}));
    }

    // Written when the end picture shows, before the last box; not for a
    // game played on after its window was closed.
    void recordedWhenTheEndPictureShows() {
        Home home;
        for (bool closing : {false, true}) {
            Game g;
            Boxes b(&*g);
            QString countAtLastBox;
            b.onBox = [&](const ShownBox& box) {
                if (box.prompt == "エンＤ") countAtLastBox = QSettings(home.file(), QSettings::IniFormat).value("games").toString();
                if (closing && box.prompt.startsWith("以上を踏まえまして")) g->close();
            };
            g->Ghb = 3;
            g->Hyouka_Ivent();
            QCOMPARE(countAtLastBox, QString("1"));
        }
    }

    // Unreadable, unwritable or not ours: said once, and the record starts
    // afresh; the game plays on.
    void aBadFileIsReportedOnceAndTheRecordStartsAfresh() {
        const QByteArray bad[] = {
            QByteArray("\x01\x02\xff garbage [[[ ===", 20), "[endings\nbloom=true\n", "[General]\ngames=many\n",
            "[endings]\nbloom=perhaps\n", "[General]\ngames=-3\n", "[General]\nother=1\n",
        };
        for (const QByteArray& content : bad) {
            Home home;
            QDir(home.dir.path()).mkpath("velmoria");
            QFile f(home.file());
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
            f.close();
            Complaints complaints;
            ending(*Game(), 5, 1);
            // Written afresh: a sound record of that one game.
            QCOMPARE(record(*Game()).mid(2), QStringList({"？？？　　　？？？", "お気に入り　？？？", "？？？　　　？？？",
                                                        "？？？　　　？？？", "", "終えたゲーム　1回"}));
            QCOMPARE(complaints.count, 1);
        }
        for (const char* where : {"folder", "/dev/null/nowhere"}) {
            Home home;
            if (QString(where) == "folder") QDir(home.dir.path()).mkpath("velmoria/velmoria.conf");
            else settingsFolder() = where;
            Complaints complaints;
            Game g;
            ending(*g, 9, 0);
            ending(*g, 3, 5);
            QCOMPARE(complaints.count, 1);
            QCOMPARE(record(*g).mid(1), QStringList({"", "開花　　　　？？？", "？？？　　　？？？", "？？？　　　？？？",
                                                   "？？？　　　解雇", "", "終えたゲーム　2回"}));
        }
    }
};

QTEST_MAIN(KirokuTest)
#include "test_kiroku.moc"
