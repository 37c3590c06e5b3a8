#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "Classes/IdleSaveTimer.h"
#include "Platform/UI/ImageDiskCache.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/NavigationController.h"
#include "screens/CalcScreenFixture.h"
#include "screens/WidgetTestSupport.h"

using namespace std::chrono_literals;

namespace {
// Where the artwork's digest sits in a file: after the magic number, the version and the
// digest's own length.
constexpr qint64 kDigestOffset = 12;
const QByteArray kArtwork = QByteArrayLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\"/>");

QImage patternImage(int width, int height) {
    QImage pixels(width, height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) pixels.setPixel(x, y, qRgba(x * 7 % 256, y * 11 % 256, (x + y) % 256, 255));
    }
    return pixels;
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void replaceContents(const QString& path, const QByteArray& contents) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(contents), contents.size());
}

// The only file the store's cache holds.
QString onlyFileIn(const QString& directory) {
    const QStringList names = QDir(directory).entryList(QDir::Files);
    return names.size() == 1 ? QDir(directory).filePath(names.first()) : QString();
}
}  // namespace

// The application around the calculator: what it saves and when, and the images it keeps on disk
// from one start to the next.
class QuilletAppDelegateTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        directory_ = std::make_unique<QTemporaryDir>();
        ImageStore::clearCache();
    }
    void cleanup() {
        ImageStore::closeDiskCache();
        ImageStore::clearCache();
    }

    void damagedFileIsAMiss() {
        const ImageDiskCache cache(directory_->path());
        QVERIFY(cache.write(QStringLiteral("key"), kArtwork, {patternImage(16, 10), QSizeF(16, 10)}));
        const QString path = cache.filePath(QStringLiteral("key"));
        const QByteArray sound = contentsOf(path);
        const auto withByte = [&](qsizetype at, char byte) { return QByteArray(sound).replace(at, 1, &byte, 1); };
        // Empty, cut in the pixels, bytes after them, another magic number, another digest, and a
        // width beyond any image (it follows the digest and the two sizes in points).
        for (const QByteArray& damaged : {QByteArray(), sound.chopped(5), sound + "x", withByte(0, 'X'),
                                          withByte(kDigestOffset, static_cast<char>(sound[kDigestOffset] ^ 0x55)),
                                          withByte(kDigestOffset + 32 + 16, '\x7f')}) {
            replaceContents(path, damaged);
            QVERIFY(!cache.read(QStringLiteral("key"), kArtwork));
        }
    }

    void storeReadsAnEarlierStartsPixelsOrDrawsAgainForOtherArtwork() {
        const QImage drawn = ImageStore::imageNamed("keyDigit.png").toImage();
        ImageStore::openDiskCache(directory_->path());
        ImageStore::clearCache();
        QCOMPARE(ImageStore::imageNamed("keyDigit.png").toImage(), drawn);
        QVERIFY(ImageStore::imageNamed("noSuchImage.png").isNull());
        // Nothing is written before the cache is closed.
        QVERIFY(QDir(directory_->path()).entryList(QDir::Files).isEmpty());
        ImageStore::closeDiskCache();
        const QString path = onlyFileIn(directory_->path());
        QVERIFY(!path.isEmpty());
        const QByteArray sound = contentsOf(path);
        // Pixels changed in the file (its digest still that of the artwork) come back as they
        // are: the image was read, not drawn again.
        QByteArray file = sound;
        file[file.size() - 1] = static_cast<char>(file[file.size() - 1] ^ 0x01);
        replaceContents(path, file);
        ImageStore::clearCache();
        ImageStore::openDiskCache(directory_->path());
        const QImage readBack = ImageStore::imageNamed("keyDigit.png").toImage();
        QCOMPARE(readBack.size(), drawn.size());
        QVERIFY(readBack != drawn);
        ImageStore::closeDiskCache();
        // A file made from other artwork is drawn again, and made sound for the next start.
        file = sound;
        file[kDigestOffset] = static_cast<char>(file[kDigestOffset] ^ 0x55);
        replaceContents(path, file);
        ImageStore::clearCache();
        ImageStore::openDiskCache(directory_->path());
        QCOMPARE(ImageStore::imageNamed("keyDigit.png").toImage(), drawn);
        ImageStore::closeDiskCache();
        QCOMPARE(contentsOf(path), sound);
    }

    void windowFromCachedImagesLooksTheSame() {
        // The first launch over an empty cache draws every image from its artwork, the next
        // one reads them all back.
        QDir(ImageDiskCache::standardDirectory()).removeRecursively();
        CalcScreenFixture screen;
        screen.createAllPages();
        QApplication::processEvents();
        const QImage drawn = screen.delegate->window()->grab().toImage();
        QVERIFY(!QDir(ImageDiskCache::standardDirectory()).entryList(QDir::Files).isEmpty());
        ImageStore::clearCache();
        screen.relaunch();
        screen.createAllPages();
        QApplication::processEvents();
        QCOMPARE(screen.delegate->window()->grab().toImage(), drawn);
    }

    void imagesAfterTheFirstFrameStayInMemory() {
        QDir(ImageDiskCache::standardDirectory()).removeRecursively();
        CalcScreenFixture screen;
        QApplication::processEvents();
        const QStringList kept = QDir(ImageDiskCache::standardDirectory()).entryList(QDir::Files);
        QVERIFY(!kept.isEmpty());
        // A resized window draws everything again at its new scale, none of it kept on disk.
        screen.delegate->window()->resize(600, 860);
        screen.createAllPages();
        QApplication::processEvents();
        QVERIFY(screen.delegate->window()->grab().width() == 600);
        QCOMPARE(QDir(ImageDiskCache::standardDirectory()).entryList(QDir::Files), kept);
    }

    void persistingTwiceKeepsOneCopy() {
        CalcScreenFixture screen;
        screen.typeKeys("1+2");
        screen.delegate->applicationDidEnterBackground();
        screen.delegate->applicationWillTerminate();
        screen.delegate->applicationWillTerminate();  // a second quit event changes nothing
        QVERIFY(screen.delegate->hasTerminated());
        screen.relaunch();
        QCOMPARE(screen.engine->stack().size(), size_t{1});
        screen.typeKeys("=");
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 3u);
    }

    void hidingTheWindowPersists() {
        CalcScreenFixture screen;
        screen.typeKeys("9*");
        QVERIFY(screen.store->accumulatorState() == nullptr);
        screen.delegate->window()->hide();
        QVERIFY(screen.store->accumulatorState() != nullptr);
        // Nothing is reloaded on return: the value can still be used.
        screen.delegate->window()->show();
        screen.typeKeys("9=");
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 81u);
    }

    void anIdleCalculationIsSavedOnceAfterTheLastKey() {
        CalcScreenFixture screen;
        IdleSaveTimer& idleSave = screen.delegate->idleSaveTimer();
        idleSave.setDelays(500ms, 10s);
        QSignalSpy saves(&idleSave, &IdleSaveTimer::saved);
        // Being built and shown changes nothing.
        QTest::qWait(700);
        QCOMPARE(saves.count(), 0);
        // Each key restarts the wait.
        for (const char* keys : {"1", "2", "+3"}) {
            screen.typeKeys(keys);
            QTest::qWait(50);
        }
        QCOMPARE(saves.count(), 0);
        QTRY_COMPARE(saves.count(), 1);
        QTest::qWait(700);
        QCOMPARE(saves.count(), 1);
        // A change saved by hiding the window leaves nothing for the idle save.
        screen.typeKeys("4");
        screen.delegate->window()->hide();
        screen.delegate->window()->show();
        QTest::qWait(700);
        QCOMPARE(saves.count(), 1);

        screen.typeKeys("*");
        QTRY_COMPARE(saves.count(), 2);
        screen.kill();
        screen.launch();
        QCOMPARE(screen.calc().displayViewController(2)->button()->currOperator(), 4);
        // Killed again before anything changed: what was restored is still saved.
        screen.kill();
        screen.launch();
        screen.typeKeys("2=");
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 12u + 34u * 2u);
    }

    void typingWithoutAPauseStillSavesEverySoOften() {
        CalcScreenFixture screen;
        IdleSaveTimer& idleSave = screen.delegate->idleSaveTimer();
        idleSave.setDelays(10s, 200ms);
        QSignalSpy saves(&idleSave, &IdleSaveTimer::saved);
        for (int key = 0; key < 12; ++key) {
            screen.typeKeys("7");
            QTest::qWait(50);
        }
        QVERIFY2(saves.count() >= 2, qPrintable(QString::number(saves.count())));
    }

private:
    std::unique_ptr<QTemporaryDir> directory_;
};

QUILLET_SCREEN_TEST_MAIN(QuilletAppDelegateTest)
#include "QuilletAppDelegateTest.moc"
