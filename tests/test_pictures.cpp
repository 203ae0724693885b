// Every picture, broken in every way, stops the game with an error naming it
// at the moment the game first needs it, and not before; pictures decoded
// only when first shown; odd program and picture folders.
#include "harness.h"

#include <QProcess>

#include <fstream>

#include <sys/stat.h>

namespace {

enum Damage { Removed, Emptied, Truncated, NotABitmap };

void breakPicture(const QString& folder, const QString& name, Damage damage) {
    const QString path = folder + "/GF/" + name.toLower() + ".bmp";
    QFile built(VELMORIA_BUILD_DIR "/GF/" + name.toLower() + ".bmp");
    QVERIFY(built.open(QIODevice::ReadOnly));
    const QByteArray good = built.readAll();
    QFile::remove(path);  // the link
    if (damage == Removed) return;
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    if (damage == Truncated) f.write(good.left(good.size() - good.size() / 3));
    if (damage == NotABitmap) f.write("\x89PNG\r\n\x1a\n" + QByteArray(200, 'x'));
}

// The box before the first change to `face` in a scenario.
QString boxBefore(const Scenario& s, const char* face) {
    QString last;
    for (const Step& step : s) {
        if (step.face && QString(step.face) == face) return last;
        if (!step.face) last = joined(step.lines);
    }
    return last;
}

// For the real program: no display, and what it keeps stays in `dir`.
QProcessEnvironment headless(const QTemporaryDir& dir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    return env;
}

// Plays from the start picture onto the raising screen of week 1.
void begin(Fom& f, Boxes& b) {
    b.answers = {tk::vbYes};
    f.ImgStt_Click();
}

}  // namespace

class PicturesTest : public QObject {
    Q_OBJECT
private slots:
    void stopsWhereFirstNeeded_data() {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<int>("damage");
        QStringList names = {"stt", "end", "fce8", "fce9", "fce0"};
        for (int n = 1; n <= 7; ++n) names << QString("Fce%1").arg(n) << QString("fce%1k").arg(n) << QString("Fce%1d").arg(n);
        const char* damages[] = {"removed", "emptied", "truncated", "not a bitmap"};
        for (const QString& name : names)
            for (int d = Removed; d <= NotABitmap; ++d)
                QTest::newRow(qPrintable(name + " " + damages[d])) << name << d;
    }

    void stopsWhereFirstNeeded() {
        QFETCH(QString, picture);
        QFETCH(int, damage);
        QTemporaryDir dir;
        const QString folder = linkPictures(dir);
        breakPicture(folder, picture, Damage(damage));
        if (QTest::currentTestFailed()) return;

        // Where the game first needs each picture, and the last box shown before.
        std::function<void(Fom&, Boxes&)> reach;
        QString lastBox;
        const QString lower = picture.toLower();
        if (lower == "fce8") {
            reach = [](Fom& f, Boxes&) { f.ImgStt_Click(); };
        } else if (lower == "fce9") {
            reach = [](Fom& f, Boxes& b) {
                begin(f, b);
                for (int d = 0; d < 6; ++d) f.DayTim.fire();
            };
            lastBox = joined(serifu::Oshokuji);
        } else if (lower == "fce0") {
            reach = [](Fom& f, Boxes& b) {
                begin(f, b);
                f.Ghb = 9;
                f.Week = 4;
                f.Day = 6;
                f.DayTim.fire();
            };
            lastBox = boxBefore(serifu::Kaika, "fce0");
        } else if (lower == "end") {
            reach = [](Fom& f, Boxes& b) {
                begin(f, b);
                for (int i = 0; i < 4; ++i) f.Sonzai[i] = false;
                f.Tousou_Su = 4;
                f.Cp[5] = 0;
                f.Tim.fire();
            };
            lastBox = joined(serifu::Kubi.back());
        } else if (lower.size() == 5) {  // fce<n>k or fce<n>d
            const int meal = lower[3].digitValue() - 1;
            const bool leaving = lower.endsWith('d');
            reach = [meal, leaving](Fom& f, Boxes& b) {
                begin(f, b);
                f.Cp[meal] = leaving ? 0 : 1000;
                f.Tim.fire();
            };
            lastBox = joined(serifu::Oshirase);  // the week's notice
        }

        Draws draws;
        draws.fallback = [] { return 0.0f; };
        std::unique_ptr<Game> g;
        std::unique_ptr<Boxes> boxes;
        try {
            g = std::make_unique<Game>(768, folder);
            QVERIFY2(reach, "the game started without a picture it shows at start-up");
            boxes = std::make_unique<Boxes>(&**g);
            reach(**g, *boxes);
            QFAIL("the broken picture was never reported");
        } catch (const FatalError& e) {
            const QString message = QString::fromStdString(e.what());
            QVERIFY2(message.contains(picture + ".bmp", Qt::CaseInsensitive), qPrintable(message));
            if (!reach) return;  // start-up: the window never came up
            const QString shown = boxes->size() ? boxes->shown.back().prompt : QString();
            QCOMPARE(shown, lastBox);
        }
    }


    // Start-up checks every picture it sets but decodes only what is drawn:
    // the faces under the start picture wait until the raising screen.
    void picturesAreDecodedWhenFirstShown() {
        const int before = tk::pictureDecodes();
        auto decoded = [&] { return tk::pictureDecodes() - before; };
        Draws draws;
        draws.fallback = [] { return 0.5f; };
        Game g;
        Boxes boxes(&*g);
        QCOMPARE(decoded(), 0);
        g->grab();
        QCOMPARE(decoded(), 1);
        startRaising(*g);
        g->grab();
        QCOMPARE(decoded(), 8);
        g->Gamen_Ivent("fce8");
        g->grab();
        g->Gamen_Ikusei();
        g->grab();
        QCOMPARE(decoded(), 9);  // the faces are not read again
    }

    // The program finds its pictures beside itself whatever bytes its
    // folder's path holds (here Latin-1, not valid UTF-8).
    void startsFromAFolderWhoseNameIsNotText() {
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path()) + "/caf\xe9";
        QCOMPARE(::mkdir(folder.constData(), 0755), 0);
        QCOMPARE(::mkdir(folder + "/GF", 0755), 0);
        const QDir built(VELMORIA_BUILD_DIR "/GF");
        struct RemoveByBytes {  // QTemporaryDir cannot name what lies inside
            QByteArray folder;
            QStringList names;
            ~RemoveByBytes() {
                for (const QString& n : names) ::unlink((folder + "/GF/" + QFile::encodeName(n)).constData());
                ::unlink((folder + "/velmoria").constData());
                ::rmdir((folder + "/GF").constData());
                ::rmdir(folder.constData());
            }
        } cleanUp{folder, built.entryList(QDir::Files)};
        for (const QString& n : built.entryList(QDir::Files))
            QCOMPARE(::symlink(QFile::encodeName(built.filePath(n)).constData(),
                               (folder + "/GF/" + QFile::encodeName(n)).constData()), 0);
        {
            std::ifstream from(VELMORIA_BUILD_DIR "/velmoria", std::ios::binary);
            std::ofstream to((folder + "/velmoria").constData(), std::ios::binary);
            to << from.rdbuf();
        }
        QCOMPARE(::chmod((folder + "/velmoria").constData(), 0755), 0);
        // QProcess takes its program as text: start it through a link.
        QCOMPARE(::symlink((folder + "/velmoria").constData(), QFile::encodeName(dir.filePath("start")).constData()), 0);

        QProcess game;
        game.setProcessEnvironment(headless(dir));

        // A broken face there is reported by its name: the folder was found.
        QCOMPARE(::unlink((folder + "/GF/fce4.bmp").constData()), 0);
        {
            std::ofstream broken((folder + "/GF/fce4.bmp").constData(), std::ios::binary);
            broken << "BM";
        }
        game.start(dir.filePath("start"), {});
        QVERIFY(game.waitForFinished(30000));
        QCOMPARE(game.exitCode(), 1);
        const QString err = QString::fromLocal8Bit(game.readAllStandardError());
        QVERIFY2(err.contains("/caf\uFFFD/GF/fce4.bmp"), qPrintable(err));

        // Whole, it starts and stays up until closed.
        QCOMPARE(::unlink((folder + "/GF/fce4.bmp").constData()), 0);
        QCOMPARE(::symlink(QFile::encodeName(built.filePath("fce4.bmp")).constData(),
                           (folder + "/GF/fce4.bmp").constData()), 0);
        game.start(dir.filePath("start"), {});
        QVERIFY(game.waitForStarted());
        const bool ended = game.waitForFinished(3000);
        if (!ended) {
            game.kill();
            game.waitForFinished();
        }
        QVERIFY2(!ended, qPrintable(QString::fromLocal8Bit(game.readAllStandardError())));
    }

    // The real program: an error on standard error naming the file, and a
    // non-zero exit, with no window left hanging.
    void theProgramStopsWithAnError_data() {
        QTest::addColumn<QString>("broken");
        QTest::newRow("no picture folder") << QString();
        QTest::newRow("a truncated face") << QString("Fce4");
    }
    void theProgramStopsWithAnError() {
        QFETCH(QString, broken);
        QTemporaryDir dir;
        const QString program = dir.filePath("velmoria");
        QVERIFY(QFile::copy(VELMORIA_BUILD_DIR "/velmoria", program));
        if (!broken.isEmpty()) {
            linkPictures(dir);
            breakPicture(dir.path(), broken, Truncated);
        }
        QProcess game;
        game.setProcessEnvironment(headless(dir));
        game.start(program, {});
        QVERIFY(game.waitForFinished(30000));
        QCOMPARE(game.exitStatus(), QProcess::NormalExit);
        QCOMPARE(game.exitCode(), 1);
        const QString err = QString::fromLocal8Bit(game.readAllStandardError());
        QVERIFY2(err.contains((broken.isEmpty() ? QString("stt") : broken.toLower()) + ".bmp"), qPrintable(err));
    }
};

QTEST_MAIN(PicturesTest)
#include "test_pictures.moc"
