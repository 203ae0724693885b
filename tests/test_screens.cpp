// The window on screens of every shape: wholly on the screen, 2 : 1, centred,
// its text sizes following its height, and message boxes that read well
// beside it.
#include "harness.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {
struct Seen {
    QRect box;
    double points = 0;
    bool wrapped = true;
    bool fits = false;  // the whole text inside the box
    QString text;
};

QDialog* shownBox() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QDialog*>(w); box && box->isVisible()) return box;
    return nullptr;
}

// Shows a real box and notes what it looked like before answering it.
Seen showRealBox(const QString& prompt) {
    Seen seen;
    QTimer::singleShot(0, [&] {
        QDialog* box = shownBox();
        QApplication::processEvents();  // let it settle its size
        auto* label = box->findChild<QLabel*>();
        const QSize need = label->wordWrap() ? QSize(0, label->heightForWidth(label->width())) : label->sizeHint();
        seen = {box->frameGeometry(), label->font().pointSizeF(), label->wordWrap(),
                need.width() <= label->width() && need.height() <= label->height() &&
                    box->rect().contains(label->geometry()),
                label->text()};
        box->findChild<QPushButton*>()->click();
    });
    tk::MsgBox(prompt);
    return seen;
}
}  // namespace

class ScreensTest : public QObject {
    Q_OBJECT
private slots:
    void windowFitsItsScreen_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QSize>("size");  // 0 x 0: fitted, size not fixed here
        QTest::addColumn<int>("moji");
        QTest::newRow("1366 x 768") << QRect(0, 0, 1366, 768) << QRect() << QSize(922, 461) << 19;
        QTest::newRow("1366 x 768, top panel")
            << QRect(0, 0, 1366, 768) << QRect(0, 32, 1366, 736) << QSize(922, 461) << 19;
        QTest::newRow("1920 x 1080") << QRect(0, 0, 1920, 1080) << QRect() << QSize(1296, 648) << 27;
        QTest::newRow("480 x 270: boxes at the system's size") << QRect(0, 0, 480, 270) << QRect() << QSize(324, 162) << 6;
        QTest::newRow("1024 x 600") << QRect(0, 0, 1024, 600) << QRect() << QSize(720, 360) << 15;
        QTest::newRow("640 x 480") << QRect(0, 0, 640, 480) << QRect() << QSize(576, 288) << 12;
        QTest::newRow("3840 x 2160") << QRect(0, 0, 3840, 2160) << QRect() << QSize(2592, 1296) << 55;
        QTest::newRow("portrait 1080 x 1920") << QRect(0, 0, 1080, 1920) << QRect() << QSize() << 0;
        QTest::newRow("second screen, portrait, dock")
            << QRect(1920, 0, 1080, 1920) << QRect(1920, 0, 1080, 1872) << QSize() << 0;
    }
    void windowFitsItsScreen() {
        QFETCH(QRect, screen);
        QFETCH(QRect, available);
        QFETCH(QSize, size);
        QFETCH(int, moji);
        const QRect avail = available.isEmpty() ? screen : available;
        Game g(QStringLiteral(VELMORIA_BUILD_DIR), screen, available);
        Fom& f = *g;
        const QRect frame = f.geometry();  // the inside, menu bar included
        if (size.isValid()) QCOMPARE(frame.size(), size);
        QVERIFY(qAbs(frame.width() - 2 * frame.height()) <= 1);
        // Wholly on the screen, with room for a title bar and borders.
        QVERIFY(avail.adjusted(0, 0, 0, -40).contains(frame));
        QVERIFY(avail.contains(f.frameGeometry()));
        QVERIFY(frame.width() >= avail.width() * 0.9 || frame.height() >= 0.6 * screen.height() - 1);
        QVERIFY(qAbs(frame.center().x() - avail.center().x()) <= 1);
        QVERIFY(qAbs(frame.center().y() - avail.center().y()) <= 1);
        // Text sizes follow the real width, which is twice the height.
        if (moji) QCOMPARE(f.MojiSize, moji);
        QCOMPARE(f.LblDay->font().pointSize(), 2 * f.MojiSize);
        // The 7 x 3 grid tiles the client area: the panels fill row 1.
        const QRect client = f.client()->rect();
        QCOMPARE(f.Pic(6).geometry().right(), client.right());
        QVERIFY(qAbs(f.Pic(3).geometry().top() - client.height() / 3.0) <= 1);
        QVERIFY(qAbs(f.Pic(3).geometry().height() - client.height() / 3.0) <= 1);

        // Boxes read at half the counters' size, centred over the window.
        const QString longest = QStringLiteral("「食事」どもを甘やかしてばかりおるから、こうなるのじゃ。");
        const Seen seen = showRealBox("短い\r\n" + longest);
        QCOMPARE(seen.text, "短い\n" + longest);
        QCOMPARE(seen.points, std::max<double>(f.MojiSize, QApplication::font().pointSizeF()));
        QVERIFY(!seen.wrapped && seen.fits);
        QVERIFY(avail.contains(seen.box));
        QVERIFY(qAbs(seen.box.center().x() - f.frameGeometry().center().x()) <= 2);
        QVERIFY(qAbs(seen.box.center().y() - f.frameGeometry().center().y()) <= 2);
        // A line too long for the screen breaks inside the box.
        const Seen wide = showRealBox(QString(100, QChar(0x3042)));
        QVERIFY(wide.wrapped && wide.fits && avail.contains(wide.box));
    }

    void boxesAnswerTheKeyboard() {
        Game g;
        // Key 0: the title bar's close button; Tab: to the second button,
        // then Return, which answers with the button that has the focus.
        const struct { int buttons; int key; int answer; } cases[] = {
            {tk::vbOKOnly, Qt::Key_Return, tk::vbOK}, {tk::vbOKOnly, Qt::Key_Escape, tk::vbOK},
            {tk::vbOKOnly, 0, tk::vbOK},           {tk::vbYesNo, Qt::Key_Return, tk::vbYes},
            {tk::vbYesNo, Qt::Key_Escape, tk::vbNo}, {tk::vbYesNo, 0, tk::vbNo},
            {tk::vbYesNo, Qt::Key_Tab, tk::vbNo}};
        for (const auto& c : cases) {
            QTimer rescue;  // never hang the test: a box the key left open
            rescue.setSingleShot(true);
            QTimer::singleShot(0, [&] {
                QDialog* b = shownBox();
                b->activateWindow();
                if (c.key == Qt::Key_Tab) b->findChildren<QPushButton*>().last()->setFocus();
                if (c.key) QTest::keyClick(b->focusWidget() ? b->focusWidget() : b, c.key == Qt::Key_Tab ? Qt::Key_Return : Qt::Key(c.key));
                else b->close();
                QObject::connect(&rescue, &QTimer::timeout, b, [b] { b->findChildren<QPushButton*>().last()->click(); });
                rescue.start(3000);
            });
            const int answer = tk::MsgBox("問い", c.buttons);
            QVERIFY2(rescue.isActive(), qPrintable(QKeySequence(c.key).toString()));
            QCOMPARE(answer, c.answer);
        }
    }
};

QTEST_MAIN(ScreensTest)
#include "test_screens.moc"
