#include "gui/common/IconList.h"

#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using kardel::gui::IconList;

class IconListTest : public QObject {
    Q_OBJECT
private slots:
    void everyBuiltInIconIs16By16AndDistinct() {
        IconList list;
        QList<QImage> seen;
        for (int i = 0; i < IconList::kCount; ++i) {
            QPixmap pixmap = list.Pixmap(i);
            QCOMPARE(pixmap.size(), QSize(16, 16));
            QImage image = pixmap.toImage();
            QVERIFY2(!seen.contains(image), qPrintable(QString("icon %1 repeats another").arg(i)));
            seen.append(image);
        }
    }

    void outOfRangeIndicesGiveEmptyIcons() {
        IconList list;
        for (int index : {-1, 12, 1000})
            QVERIFY(list.Icon(index).isNull());
        QVERIFY(list.Pixmap(-5).isNull());
    }

    void definitionIconsAreReplacedAndRestored() {
        IconList list;
        QSignalSpy spy(&list, &IconList::Changed);
        QTemporaryDir dir;
        QImage green(32, 32, QImage::Format_ARGB32);
        green.fill(Qt::green);
        const QString path = dir.filePath("mine.png");
        QVERIFY(green.save(path));

        const QImage builtIn = list.Pixmap(7).toImage();
        QVERIFY(list.ReloadDefinition(3, path));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 7);
        QCOMPARE(list.Pixmap(7).toImage().pixelColor(8, 8), QColor(Qt::green));

        // "未定義" and missing files fall back to the built-in icon.
        QVERIFY(!list.ReloadDefinition(3, QString::fromUtf8("未定義")));
        QCOMPARE(list.Pixmap(7).toImage(), builtIn);
        QVERIFY(list.ReloadDefinition(3, path));
        list.RestoreDefinition(3);
        QCOMPARE(list.Pixmap(7).toImage(), builtIn);

        // An empty path leaves the entry alone; definitions outside 1 to 5 touch nothing.
        QVERIFY(list.ReloadDefinition(3, path));
        spy.clear();
        QVERIFY(!list.ReloadDefinition(3, QString()));
        QVERIFY(!list.ReloadDefinition(0, path));
        QVERIFY(!list.ReloadDefinition(6, path));
        QCOMPARE(spy.count(), 0);
        QCOMPARE(list.Pixmap(7).toImage().pixelColor(8, 8), QColor(Qt::green));
    }

    // Only a regular file of a few MB at most is read: a FIFO would block, /dev/zero
    // would never end, a huge file would fill memory; each gives the built-in icon.
    void iconFilesThatAreNotSmallRegularFilesGiveTheBuiltInIcon() {
        IconList list;
        QTemporaryDir dir;
        const QImage builtIn = list.Pixmap(5).toImage();
        const QString fifo = dir.filePath("fifo.png");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
        // A real picture padded past the limit: its pixels alone would still load.
        QImage red(16, 16, QImage::Format_ARGB32);
        red.fill(Qt::red);
        const QString huge = dir.filePath("huge.bmp");
        QVERIFY(red.save(huge));
        QFile padded(huge);
        QVERIFY(padded.resize(IconList::kMaxFileBytes + 1));
        for (const QString& path : {fifo, QStringLiteral("/dev/zero"), dir.path(), huge}) {
            QVERIFY2(!list.ReloadDefinition(1, path), qPrintable(path));
            QCOMPARE(list.Pixmap(5).toImage(), builtIn);
        }
        QVERIFY(padded.resize(IconList::kMaxFileBytes));
        QVERIFY(list.ReloadDefinition(1, huge)); // at the limit it still loads
        QCOMPARE(list.Pixmap(5).toImage().pixelColor(8, 8), QColor(Qt::red));
    }
};

QTEST_MAIN(IconListTest)
#include "IconListTest.moc"
