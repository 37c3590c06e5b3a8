#include <QTest>

#include "Platform/UI/UIWindow.h"
#include "screens/CalcScreenFixture.h"

// The calculator's first frames, pixel for pixel, against pictures kept beside this file: the
// strips, their pages and their indicators must land exactly where they always have. A
// picture that differs is saved in the working folder, to be looked at beside the kept one.
class CalcScreenPixelsTest : public QObject {
    Q_OBJECT

private slots:
    void firstFramesStayTheSame_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("a first launch") << QStringLiteral("first-frame");
        QTest::newRow("a restart on hexadecimal and the second favourites page")
            << QStringLiteral("first-frame-restarted");
        QTest::newRow("the window made wider") << QStringLiteral("first-frame-wide");
    }

    void firstFramesStayTheSame() {
        QFETCH(QString, name);
        CalcScreenFixture screen;
        if (name == QStringLiteral("first-frame-restarted")) {
            screen.engine->setNumberBase(16);
            screen.settings->setFavouritesPageIndex(1);
            screen.typeKeys("2A+7");
            screen.relaunch();
        } else if (name == QStringLiteral("first-frame-wide")) {
            screen.delegate->window()->resize(900, 640);
            QApplication::processEvents();
        }
        const QImage frame = screen.delegate->window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString referencePath = QFINDTESTDATA(QStringLiteral("reference/%1.png").arg(name));
        const QImage reference = QImage(referencePath).convertToFormat(QImage::Format_RGB32);
        if (frame != reference) {
            frame.save(QDir::current().filePath(name + QStringLiteral(".png")));
            QFAIL(qPrintable(QStringLiteral("%1 differs from %2").arg(name, referencePath)));
        }
    }
};

QUILLET_SCREEN_TEST_MAIN(CalcScreenPixelsTest)
#include "CalcScreenPixelsTest.moc"
