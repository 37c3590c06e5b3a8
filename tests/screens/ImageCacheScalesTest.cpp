#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "Platform/UI/ImageDiskCache.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/UIWindow.h"
#include "screens/CalcScreenFixture.h"

// The rendered images kept on disk between starts: the sets of the last few scales a start drew
// at, however many scales the window has been drawn at over time.
class ImageCacheScalesTest : public QObject {
    Q_OBJECT

private slots:
    void onlyTheSetsOfTheLastFewScalesAreKept() {
        QTemporaryDir directory;
        const ImageDiskCache disk(directory.path());
        UIWindow window;
        window.show();
        QStringList used;
        for (const qreal factor : {1.0, 1.25, 1.5, 1.75, 2.0, 2.5}) {
            startAt(window, factor, directory.path());
            used.prepend(ImageDiskCache::setForScale(ImageStore::currentScale()));
            QCOMPARE(disk.sets(), used.mid(0, ImageDiskCache::ImageDiskCacheKeptSets));
        }
        // A start at a scale still kept reads its set back, draws nothing and keeps it longest.
        const QStringList filesBefore = QDir(directory.path()).entryList(QDir::Files);
        startAt(window, 1.75, directory.path());
        QCOMPARE(QDir(directory.path()).entryList(QDir::Files), filesBefore);
        QCOMPARE(disk.sets().first(), ImageDiskCache::setForScale(ImageStore::currentScale()));
        QCOMPARE(disk.sets().size(), ImageDiskCache::ImageDiskCacheKeptSets);
        // One more new scale now drops the set used longest ago, not the one just read.
        startAt(window, 3.0, directory.path());
        QCOMPARE(disk.sets(), (QStringList{ImageDiskCache::setForScale(3.0), ImageDiskCache::setForScale(1.75),
                                           ImageDiskCache::setForScale(2.5)}));
    }

private:
    // A start of the window at that many pixels per point: the images of its first frame are
    // read from the folder, or drawn and kept there.
    static void startAt(UIWindow& window, qreal factor, const QString& folder) {
        window.resize((UIWindow::UIWindowCanvasSize * factor).toSize());
        QApplication::processEvents();
        QCOMPARE(ImageStore::currentScale(), factor);
        ImageStore::clearCache();
        ImageStore::openDiskCache(folder);
        QVERIFY(!ImageStore::imageNamed("keyDigit.png").isNull());
        QVERIFY(!ImageStore::imageNamed("lcdBackground.png").isNull());
        ImageStore::closeDiskCache();
    }
};

QUILLET_SCREEN_TEST_MAIN(ImageCacheScalesTest)
#include "ImageCacheScalesTest.moc"
