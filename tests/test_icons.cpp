// The drawn app icons: every size the desktop asks for, round on a transparent ground.
#include <QImage>
#include <QtTest>

class IconsTest : public QObject {
    Q_OBJECT
private slots:
    void everySizeIsDrawnForItself() {
        QImage previous;
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QString path = QString(VELMORIA_BUILD_DIR "/icons/%1x%1/apps/org.velmoria.Velmoria.png").arg(size);
            QImage icon(path);
            QVERIFY2(!icon.isNull(), qPrintable(path));
            QCOMPARE(icon.size(), QSize(size, size));
            QVERIFY2(icon.hasAlphaChannel(), qPrintable(path));
            icon = icon.convertToFormat(QImage::Format_ARGB32);
            // the corners show the desktop, the middle is solid
            for (QPoint corner : {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
                QCOMPARE(qAlpha(icon.pixel(corner)), 0);
            QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);
            QCOMPARE(qAlpha(icon.pixel(size / 2, 1)), 255);
            // not one picture shrunk to every size
            if (!previous.isNull())
                QVERIFY(icon != previous.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            previous = icon;
        }
    }
};

QTEST_MAIN(IconsTest)
#include "test_icons.moc"
