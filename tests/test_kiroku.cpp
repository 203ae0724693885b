// The record of endings across runs, as the 記録 box shows it: each ending
// kept as itself, every other key left alone, a file that cannot be trusted,
// and games that end at once.
#include "harness.h"

#include <QProcess>

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
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
    }
};

// The game's own warnings, counted.
struct Complaints {
    static inline QStringList said;
    static inline QtMessageHandler previous = nullptr;
    Complaints() {
        said.clear();
        previous = qInstallMessageHandler([](QtMsgType t, const QMessageLogContext& c, const QString& m) {
            if (m.startsWith("velmoria:")) said << m;
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

// The names in the box, in the order of its two columns.
const char* const kNames[] = {"開花", "お気に入り", "冷酷", "上々の評判", "悪い評判", "甘すぎる", "まるで駄目", "解雇"};
}  // namespace

class KirokuTest : public QObject {
    Q_OBJECT
private slots:
    // Each verdict and the dismissal is kept under its own name, and the
    // count of games grows by one with each; a later run reads them all.
    void eachEndingIsKeptAsItself() {
        Home home;
        {
            Game g;
            QCOMPARE(record(*g), QStringList({"迎えた結末　0／8", "", "？？？　　　？？？", "？？？　　　？？？",
                                             "？？？　　　？？？", "？？？　　　？？？", "", "終えたゲーム　0回"}));
            const std::pair<int, int> counts[] = {{5, 0}, {5, 2}, {6, 4}, {4, 3}, {3, 0}, {2, 3}, {-1, 0}, {0, 5}};
            for (int e = 0; e < 8; ++e) {
                ending(*g, counts[e].first, counts[e].second);
                const QStringList r = record(*g);
                const QString row = r.value(2 + e % 4);
                QVERIFY2(e < 4 ? row.startsWith(kNames[e]) : row.endsWith(kNames[e]), qPrintable(r.join('|')));
                QCOMPARE(r.value(0), QString("迎えた結末　%1／8").arg(e + 1));
                QCOMPARE(r.value(7), QString("終えたゲーム　%1回").arg(e + 1));
            }
        }
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

    // What this version does not know stays as it is; a value it cannot
    // read costs that entry; a file it cannot parse is copied aside first
    // and what could be read of it is kept. Each said once.
    void aFileNotWhollyOursLosesNothingElse_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reached");  // after the ending お気に入り
        QTest::addColumn<int>("games");
        QTest::addColumn<int>("complaints");
        QTest::newRow("keys of a later version")
            << QByteArray("[General]\nlanguage=en\ngames=2\n[endings]\nbloom=true\n[future]\nx=1\n") << "開花 お気に入り" << 3 << 0;
        QTest::newRow("an ending unreadable")
            << QByteArray("[endings]\ncruelty=true\nnogood=perhaps\n[General]\ngames=4\n") << "お気に入り 冷酷" << 5 << 1;
        QTest::newRow("games unreadable") << QByteArray("[General]\ngames=many\n[endings]\nbloom=true\n") << "開花 お気に入り" << 1 << 1;
        QTest::newRow("games below 0") << QByteArray("[General]\ngames=-3\n") << "お気に入り" << 1 << 1;
        QTest::newRow("not parsable") << QByteArray("[endings]\nbloom=true\nnonsense\n[General]\ngames=2\n") << "開花 お気に入り" << 3 << 1;
    }
    void aFileNotWhollyOursLosesNothingElse() {
        QFETCH(QByteArray, content);
        QFETCH(QString, reached);
        QFETCH(int, games);
        QFETCH(int, complaints);
        Home home;
        home.write(content);
        Complaints said;
        {
            Game g;
            record(*g);  // read first, once more at the ending
            ending(*g, 5, 1);
            record(*g);
        }
        QCOMPARE(Complaints::said.size(), complaints);
        QStringList names;
        const QStringList r = record(*Game());
        for (const char* n : kNames)
            if (r.join('|').contains(n)) names << n;
        QCOMPARE(names.join(' '), reached);
        QCOMPARE(r.value(7), QString("終えたゲーム　%1回").arg(games));
        QSettings s(home.file(), QSettings::IniFormat);
        if (content.contains("language")) QVERIFY(s.value("language") == "en" && s.value("future/x") == "1");
        // The damaged file, as it was, beside the sound one.
        const QStringList copies = QDir(home.dir.path() + "/velmoria").entryList({"velmoria.conf.damaged-*"});
        QCOMPARE(copies.size(), QTest::currentDataTag() == QString("not parsable") ? 1 : 0);
        for (const QString& c : copies) {
            QFile copy(home.dir.path() + "/velmoria/" + c);
            QVERIFY(copy.open(QIODevice::ReadOnly) && copy.readAll() == content);
            QVERIFY(Complaints::said.first().contains(c));
        }
    }

    // A folder that cannot be written: said once, and the game plays on.
    void anUnwritableFolderIsSaidOnce() {
        for (const char* where : {"folder", "/dev/null/nowhere"}) {
            Home home;
            if (QString(where) == "folder") QDir(home.dir.path()).mkpath("velmoria/velmoria.conf");
            else settingsFolder() = where;
            Complaints said;
            Game g;
            ending(*g, 9, 0);
            ending(*g, 3, 5);
            QCOMPARE(Complaints::said.size(), 1);
            QVERIFY(g->ImgStt->Visible());
            QCOMPARE(record(*g).value(7), QString("終えたゲーム　0回"));
        }
    }

    // Games that end at once each add their own: one that read the record
    // before another wrote, and several processes writing together.
    void gamesEndingAtOnce() {
        Home home;
        Game first;
        record(*first);
        {
            Game second;
            ending(*second, 5, 0);
        }
        ending(*first, 2, 2);
        QCOMPARE(record(*first).mid(2, 3).join('|'), QString("開花　　　　？？？|？？？　　　？？？|？？？　　　まるで駄目"));
        std::vector<std::unique_ptr<QProcess>> games;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", home.dir.path());
        env.insert("VELMORIA_RECORD_ENDINGS", "25");
        for (int i = 0; i < 4; ++i) {
            games.push_back(std::make_unique<QProcess>());
            games.back()->setProcessEnvironment(env);
            games.back()->start(QCoreApplication::applicationFilePath(), {});
        }
        for (auto& p : games) QVERIFY(p->waitForFinished(60000) && p->exitCode() == 0);
        QCOMPARE(record(*first).value(7), QString("終えたゲーム　102回"));
    }
};

// With VELMORIA_RECORD_ENDINGS=N, one of the games ending at once: it
// records N endings and leaves.
int main(int argc, char** argv) {
    if (const int n = qEnvironmentVariableIntValue("VELMORIA_RECORD_ENDINGS")) {
        QCoreApplication app(argc, argv);
        Kiroku k;
        for (int i = 0; i < n; ++i) k.kinyuu(Kiroku::Ketsumatsu(i % Kiroku::Kazu));
        return 0;
    }
    QApplication app(argc, argv);
    KirokuTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_kiroku.moc"
