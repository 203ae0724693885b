// Every picture, broken, stops the game with an error naming it at the
// moment the game first needs it, and not before; pictures decoded only when
// first shown; the real program's picture folder.
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

}  // namespace

class PicturesTest : public QObject {
    Q_OBJECT
private slots:
    void stopsWhereFirstNeeded_data() {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<int>("damage");
        QStringList names = {"stt", "end", "fce8", "fce9", "fce0"};
        for (int n = 1; n <= 7; ++n) names << QString("Fce%1").arg(n) << QString("fce%1k").arg(n) << QString("Fce%1d").arg(n);
        // One damage each: the reader's own tests try every kind on one file.
        const char* damages[] = {"removed", "emptied", "truncated", "not a bitmap"};
        for (int i = 0; i < names.size(); ++i)
            QTest::newRow(qPrintable(names[i] + " " + damages[i % 4])) << names[i] << i % 4;
    }

    void stopsWhereFirstNeeded() {
        QFETCH(QString, picture);
        QFETCH(int, damage);
        QTemporaryDir dir;
        const QString folder = linkPictures(dir);
        breakPicture(folder, picture, Damage(damage));
        if (QTest::currentTestFailed()) return;

        // Where the game first needs each picture, and the last box before:
        // the faces of the raising screen and the start picture at start-up.
        const QString p = picture.toLower();
        QString lastBox = p == "fce9" ? "主様の、お食事ぃいいいいい"
                          : p == "fce0" ? "ま、眩しいっ…！"
                          : p == "end" ? "うふふふふふ…"
                          : p.size() == 5 ? "主様の御所望なさる「食事」に\r\n印を付けておきました\r\nその「食事」をメインに洗礼して下さい"
                                  : "";
        auto reach = [&](Fom& f, Boxes& b) {
            if (p == "fce8") return f.ImgStt_Click();
            b.answers = {tk::vbYes};
            f.ImgStt_Click();
            if (p == "fce9") {
                for (int d = 0; d < 6; ++d) f.DayTim.fire();
            } else if (p == "fce0") {
                f.Ghb = 9;
                f.Week = 4;
                f.Day = 6;
                f.DayTim.fire();
            } else {
                if (p == "end") f.Tousou_Su = 4;
                for (int i = 0; p == "end" && i < 4; ++i) f.Sonzai[i] = false;
                f.Cp[p == "end" ? 5 : p[3].digitValue() - 1] = p.endsWith('k') ? 1000 : 0;
                f.Tim.fire();
            }
        };
        const bool atStart = p == "stt" || (p.size() == 4 && p != "fce8" && p != "fce9" && p != "fce0");
        Draws draws;
        draws.fallback = [] { return 0.0f; };
        std::unique_ptr<Game> g;
        std::unique_ptr<Boxes> boxes;
        try {
            g = std::make_unique<Game>(folder);
            QVERIFY2(!atStart, "the game started without a picture it shows at start-up");
            boxes = std::make_unique<Boxes>(&**g);
            reach(**g, *boxes);
            QFAIL("the broken picture was never reported");
        } catch (const FatalError& e) {
            const QString message = QString::fromStdString(e.what());
            QVERIFY2(message.contains(picture + ".bmp", Qt::CaseInsensitive), qPrintable(message));
            if (atStart) return;  // the window never came up
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

    // The real program finds its pictures beside itself whatever bytes its
    // folder's path holds (here Latin-1, not valid UTF-8): without them, or
    // with one broken, it names the file on standard error and ends with 1.
    void theRealProgramAndItsFolder() {
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path()) + "/caf\xe9";
        QCOMPARE(::mkdir(folder.constData(), 0755), 0);
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
        {
            std::ifstream from(VELMORIA_BUILD_DIR "/velmoria", std::ios::binary);
            std::ofstream to((folder + "/velmoria").constData(), std::ios::binary);
            to << from.rdbuf();
        }
        QCOMPARE(::chmod((folder + "/velmoria").constData(), 0755), 0);
        // QProcess takes its program as text: start it through a link.
        QCOMPARE(::symlink((folder + "/velmoria").constData(), QFile::encodeName(dir.filePath("start")).constData()), 0);
        QProcess game;  // without a display; what it keeps stays in `dir`
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        game.setProcessEnvironment(env);
        auto fails = [&](const QString& named) {
            game.start(dir.filePath("start"), {});
            QVERIFY(game.waitForFinished(30000));
            QCOMPARE(game.exitCode(), 1);
            const QString err = QString::fromLocal8Bit(game.readAllStandardError());
            QVERIFY2(err.contains("/caf\uFFFD/GF/" + named), qPrintable(err));
        };
        fails("stt.bmp");
        QCOMPARE(::mkdir(folder + "/GF", 0755), 0);
        for (const QString& n : built.entryList(QDir::Files))
            QCOMPARE(::symlink(QFile::encodeName(built.filePath(n)).constData(),
                               (folder + "/GF/" + QFile::encodeName(n)).constData()), 0);
        QCOMPARE(::unlink((folder + "/GF/fce4.bmp").constData()), 0);
        std::ofstream((folder + "/GF/fce4.bmp").constData(), std::ios::binary) << "BM";
        fails("fce4.bmp");
    }
};

QTEST_MAIN(PicturesTest)
#include "test_pictures.moc"
