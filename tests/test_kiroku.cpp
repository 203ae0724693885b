// The record of endings across runs, as the 記録 box shows it, and a
// settings file that cannot be trusted.
#include "harness.h"

#include <QSettings>

namespace {
// A folder of settings for one test, standing in for ~/.config.
struct Home {
    QTemporaryDir dir;
    QString before = settingsFolder();
    Home() { settingsFolder() = dir.path(); }
    ~Home() { settingsFolder() = before; }
    QString file() const { return dir.path() + "/velmoria/velmoria.conf"; }
    void write(const QByteArray& content) const {
        QDir(dir.path()).mkpath("velmoria");
        QFile f(file());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
};

// Warnings of the game itself, counted.
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

// The ceremony with these counts, to its end picture.
void ceremony(Fom& f, int ghb, int fled) {
    startRaising(f);
    f.Ghb = qint16(ghb);
    f.Tousou_Su = qint16(fled);
    f.Gamen_Ivent("fce9");
    f.Hyouka_Ivent();
}
}  // namespace

class KirokuTest : public QObject {
    Q_OBJECT
private slots:
    void endingsAreRememberedAcrossRuns() {
        Home home;
        {
            Game g;
            const QStringList none = record(*g);
            QCOMPARE(none.first(), QString("迎えた結末　0／8"));
            QCOMPARE(none.count("？？？　　　？？？"), 4);
            QCOMPARE(none.last(), QString("終えたゲーム　0回"));
            Boxes b(&*g);
            ceremony(*g, 5, 0);
        }
        QVERIFY(QFile::exists(home.file()));
        Game g;
        QCOMPARE(record(*g).mid(2, 4), QStringList({"開花　　　　？？？", "？？？　　　？？？",
                                                  "？？？　　　？？？", "？？？　　　？？？"}));
        // Every verdict and the dismissal, each by its own name.
        const struct {
            int ghb, fled;
        } rest[] = {{5, 2}, {6, 4}, {4, 3}, {3, 0}, {2, 3}, {-1, 0}};
        for (const auto& r : rest) {
            Boxes b(&*g);
            ceremony(*g, r.ghb, r.fled);
        }
        {
            Boxes b(&*g);
            startRaising(*g);
            g->Kubi_Ivent();
        }
        Game again;
        QCOMPARE(record(*again),
                 QStringList({"迎えた結末　8／8", "", "開花　　　　悪い評判", "お気に入り　甘すぎる",
                              "冷酷　　　　まるで駄目", "上々の評判　解雇", "", "終えたゲーム　8回"}));
    }

    void recordedWhenTheEndPictureShowsNeverAfterTheWindowIsLost() {
        Home home;
        {
            Game g;
            Boxes b(&*g);
            QString countAtLastBox;
            b.onBox = [&](const ShownBox& box) {
                if (box.prompt == "エンＤ")
                    countAtLastBox = QSettings(home.file(), QSettings::IniFormat).value("games").toString();
            };
            ceremony(*g, 3, 0);
            QCOMPARE(countAtLastBox, QString("1"));
        }
        {
            Game g;
            Boxes b(&*g);
            b.onBox = [&](const ShownBox&) {
                if (g->isVisible()) g->close();  // the player closes the window mid-ceremony
            };
            ceremony(*g, 5, 0);
            QCOMPARE(pictureName(g->ImgStt->picture()), QString("end"));
            b.onBox = {};
            startRaising(*g);
            g->Kubi_Ivent();
        }
        Game g;
        const QStringList r = record(*g);
        QCOMPARE(r.first(), QString("迎えた結末　1／8"));
        QCOMPARE(r.last(), QString("終えたゲーム　1回"));
    }

    void aBadFileIsReportedOnceAndTheRecordStartsAfresh() {
        const QByteArray bad[] = {
            QByteArray("\x01\x02\xff garbage [[[ ===", 20),
            "[endings\nbloom=true\n",
            "[General]\ngames=many\n",
            "[endings]\nbloom=perhaps\n",
            "[General]\ngames=-3\n",
        };
        for (const QByteArray& content : bad) {
            Home home;
            home.write(content);
            Complaints complaints;
            Game g;
            QCOMPARE(record(*g).last(), QString("終えたゲーム　0回"));
            QCOMPARE(complaints.count, 1);
            Boxes b(&*g);
            ceremony(*g, 5, 1);
            record(*g);
            QCOMPARE(complaints.count, 1);
            // Written afresh: the next run finds a sound record of one game.
            Game next;
            QCOMPARE(record(*next).mid(2, 1), QStringList({"？？？　　　？？？"}));
            QCOMPARE(record(*next).last(), QString("終えたゲーム　1回"));
            QCOMPARE(complaints.count, 1);
        }
    }

    void unreadableOrUnwritableNeverStopsTheGame() {
        {
            Home home;
            QDir(home.dir.path()).mkpath("velmoria/velmoria.conf");  // a folder where the file should be
            Complaints complaints;
            Game g;
            Boxes b(&*g);
            ceremony(*g, 3, 5);
            startRaising(*g);
            g->Kubi_Ivent();
            QCOMPARE(complaints.count, 1);
            // This run still knows what it reached.
            QCOMPARE(record(*g).last(), QString("終えたゲーム　2回"));
            QVERIFY(g->ImgStt->Visible());
        }
        const QString before = settingsFolder();
        settingsFolder() = "/dev/null/nowhere";
        Complaints complaints;
        Game g;
        Boxes b(&*g);
        ceremony(*g, 9, 0);
        ceremony(*g, 9, 0);
        QCOMPARE(complaints.count, 1);
        QCOMPARE(record(*g).mid(2, 1), QStringList({"開花　　　　？？？"}));
        settingsFolder() = before;
    }
};

QTEST_MAIN(KirokuTest)
#include "test_kiroku.moc"
