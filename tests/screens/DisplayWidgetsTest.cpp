#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QtTest>
#include <cmath>

#include "Calculator/CalcEngine.h"
#include "Calculator/Constants.h"
#include "Calculator/Operators.h"
#include "Classes/BaseNumberView.h"
#include "Classes/DisplayViewController.h"
#include "Classes/ErrorView.h"
#include "Classes/Notifications.h"
#include "Classes/NumberView.h"
#include "Classes/QuilletColours.h"
#include "Classes/RealNumberView.h"
#include "Classes/UIButtonFavourite.h"
#include "Classes/UIButtonLCD.h"
#include "Classes/UIButtonWithHold.h"
#include "Classes/UIPageControlReadOnly.h"
#include "Classes/ZQGreyscale.h"
#include "Platform/Core/NotificationCenter.h"
#include "Platform/UI/Accessibility.h"
#include "Platform/UI/Clipboard.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/ImageView.h"
#include "Platform/UI/PagedScrollView.h"
#include "Utils/NumberUtils.h"
#include "WidgetTestSupport.h"
#include "support/NotificationLog.h"
#include "support/WordSizeScope.h"

namespace {
QAction* menuAction(const QString& title) {
    QMenu* menu = EditMenu::sharedMenu().menu();
    if (menu == nullptr) return nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text() == title) return action;
    }
    return nullptr;
}

const QColor kLcdInk(89, 91, 78);

CalcValueFormat styled(CalcValueFormatStyle style) { return CalcValueFormat::withStyle(style); }

std::vector<Image> blankImages(int count) {
    std::vector<Image> images;
    for (int i = 0; i < count; ++i) {
        QPixmap pixmap(QSize(30, 10));
        pixmap.fill(Qt::white);
        images.push_back(Image(pixmap, QSizeF(30, 10)));
    }
    return images;
}

Image filledImage(QColor colour, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(colour);
    return Image(pixmap, QSizeF(size));
}

QStringList screenImageNames() {
    QStringList names =
        QStringLiteral(
            "lcdBackground favouritesBarBackground backgroundCalc navigationBarHistory navigationBarCalc "
            "backgroundMenu lcdBackgroundMenu historyHeader buttonFavouriteMenu asciiTableCell "
            "asciiTableCellDepressed constantsConstDark toolbarTrash toolbarMail toolbarSave toolbarCopy aboutArtwork "
            "backgroundAbout aboutWebButton aboutWebButtonPressed")
            .split(' ');
    for (QString& name : names) name += QStringLiteral(".png");
    for (const char* page : {"Bin", "Oct", "Dec", "Hex", "Fix", "Eng", "Sci", "Auto"}) {
        names << QStringLiteral("lcdPage%1.png").arg(page) << QStringLiteral("lcdPage%1Transparent.png").arg(page);
    }
    return names;
}

struct HoldCounter : UIButtonWithHoldDelegate {
    int holds = 0;
    void buttonWithHoldTimeout(UIButtonWithHold&) override { ++holds; }
};

struct ScrollRecorder : PagedScrollViewDelegate {
    int scrolls = 0;
    int rests = 0;
    void scrollViewDidScroll(PagedScrollView&) override { ++scrolls; }
    void scrollViewDidEndDecelerating(PagedScrollView&) override { ++rests; }
};
}  // namespace

// The keys and strips under the finger, the display page, its LCD and number views, the page indicators
// and the artwork they draw. How the indicators look is checked pixel for pixel by the first frames of
// the calculator.
class DisplayWidgetsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Operators::sharedInstance().setWordSize(32);
        EditMenu::sharedMenu().setMenuVisible(false, nullptr);
    }

    void updatesReachTheLcdAndATapPostsOnceAndAHoldShowsTheMenuInstead() {
        CalcEngine engine;
        DisplayViewController page(engine);
        page.resize(320, 90);
        page.show();
        page.updateWithEditingCalcValue(CalcValue::calcValueWithRealValue(3.0),
                                        CalcValueFormat::withStyle(CalcValueFormatStyleSci), 1, false, 0);
        QCOMPARE(page.button()->title(), QStringLiteral("3."));
        engine.setCurrOperator(OperatorsOperatorMultiply);
        NotificationCenter::defaultCenter().post(NotificationsNotificationAccumulatorHasChanged);
        QCOMPARE(page.button()->currOperator(), OperatorsOperatorMultiply);
        NotificationLog presses(DisplayViewControllerNotificationButtonPressed);
        Finger::hold(page.button(), 100);
        QCOMPARE(presses.count(), 1);
        QCOMPARE(presses.posts[0].object, nullptr);
        QVERIFY(!EditMenu::sharedMenu().isMenuVisible());
        Finger::press(page.button(), page.button()->rect().center());
        QTRY_VERIFY_WITH_TIMEOUT(EditMenu::sharedMenu().isMenuVisible(), 1500);
        QVERIFY(page.isShowingMenu());
        Finger::release(page.button(), page.button()->rect().center());
        QCOMPARE(presses.count(), 1);
    }

    void pasteIsOfferedOnlyForNumbers() {
        CalcEngine engine;
        engine.enterAccumulatorCalcValue(CalcValue::calcValueWithUBaseValue(7));
        DisplayViewController page(engine);
        Clipboard::setValueForPasteboardType("2.5e3", Clipboard::ClipboardTypeUTF8PlainText);
        QVERIFY(page.canPerformAction(EditMenuAction::Paste));
        Clipboard::setValueForPasteboardType("abc", Clipboard::ClipboardTypeUTF8PlainText);
        QVERIFY(!page.canPerformAction(EditMenuAction::Paste));
        QVERIFY(page.canPerformAction(EditMenuAction::Copy));
        page.paste();
        QCOMPARE(engine.accumulatorCalcValue().uBaseValue(), 7u);
        QGuiApplication::clipboard()->clear();
        QVERIFY(!page.canPerformAction(EditMenuAction::Paste));
    }

    void copyThenPasteFromTheMenuRoundTripsThroughTheSystemClipboard() {
        CalcEngine engine;
        auto page = std::make_unique<DisplayViewController>(engine);
        page->resize(320, 90);
        page->show();
        const CalcValue value = CalcValue::calcValueWithRealValue(6.25e-7);
        page->updateWithCalcValue(value, CalcValueFormat::withStyle(CalcValueFormatStyleSci));
        Finger::press(page->button(), page->button()->rect().center());
        QTRY_VERIFY_WITH_TIMEOUT(EditMenu::sharedMenu().isMenuVisible(), 1500);
        Finger::release(page->button(), page->button()->rect().center());
        menuAction(QStringLiteral("Copy"))->trigger();
        engine.enterAccumulatorCalcValue(CalcValue::calcValueWithUBaseValue(0));
        page->buttonTimeout();
        menuAction(QStringLiteral("Paste"))->trigger();
        QVERIFY(engine.accumulatorCalcValue().isEqualToCalcValue(value));
        // The menu goes with its page.
        page->buttonTimeout();
        QVERIFY(EditMenu::sharedMenu().isMenuVisible());
        page.reset();
        QVERIFY(!EditMenu::sharedMenu().isMenuVisible());
    }

    // In the LCD's ink, not the platform's black, and shrunk to fit.
    void anErrorReplacesTheNumberUntilTheNextValue() {
        UIButtonLCD lcd;
        lcd.resize(320, 90);
        lcd.updateWithWordSize(32, CalcValueTypeUBase);
        lcd.updateWithError(OperatorsErrorDivideByZero);
        lcd.show();
        QVERIFY(lcd.numberView()->isHidden() && !lcd.errorView()->isHidden());
        QCOMPARE(lcd.errorView()->mainLabel()->text(), QStringLiteral("Divide by zero"));
        QCOMPARE(Accessibility::value(&lcd), QStringLiteral("Divide by zero"));
        QCOMPARE(darkestPixel(lcd.wordSizeLabel()->grab().toImage()), kLcdInk);
        QCOMPARE(darkestPixel(lcd.errorView()->grab().toImage()), kLcdInk);
        lcd.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(8), styled(CalcValueFormatStyleDec));
        QVERIFY(!lcd.numberView()->isHidden() && lcd.errorView()->isHidden());
        QCOMPARE(lcd.title(), QStringLiteral("8u"));
        for (const auto& [type, label] :
             {std::pair{CalcValueTypeUBase, "UINT16"}, {CalcValueTypeSBase, "INT16"}, {CalcValueTypeReal, ""}}) {
            lcd.updateWithWordSize(16, type);
            QCOMPARE(lcd.wordSizeLabel()->text(), QString(label));
        }

        ErrorView view;
        view.resize(150, 60);
        view.show();
        for (int code : {0, 6}) {
            view.updateWithError(static_cast<OperatorsError>(code));
            QCOMPARE(view.mainLabel()->text(), QStringLiteral("Unknown error"));
        }
        view.updateWithError(OperatorsErrorIntegerSize32);
        const QFontMetricsF metrics(view.mainLabel()->font(), view.mainLabel());
        QVERIFY(metrics.horizontalAdvance(view.mainLabel()->text()) <= 150.5);
    }

    void operatorImageShownForOperatorsWithAnImageInTheLcdInk() {
        UIButtonLCD lcd;
        lcd.resize(320, 90);
        for (const auto& [op, shown] : {std::pair{OperatorsOperatorAdd, true},
                                        {OperatorsOperatorEquals, false},
                                        {OperatorsOperatorDivide, true},
                                        {OperatorsOperatorNone, false}}) {
            lcd.setCurrOperator(op);
            QCOMPARE(lcd.viewLCDOperator()->isHidden(), !shown);
        }
        const Image menuImage = ImageStore::imageNamed("operatorAddDark.png");
        const Image lcdImage = UIButtonLCD::lcdImageFromMenuImage(menuImage);
        QCOMPARE(lcdImage.size(), QSizeF(32, 18));
        QCOMPARE(lcdImage.scale(), menuImage.scale());
        QCOMPARE(darkestPixel(lcdImage.toImage()), kLcdInk);
        QVERIFY(largestAlpha(lcdImage.toImage()) == 255);
    }

    // What Copy puts on the clipboard.
    void titleIsTextThatParsesBackToTheSameValue() {
        const struct {
            CalcValue value;
            CalcValueFormatStyle style;
            const char* title;
        } rows[] = {
            {CalcValue::calcValueWithUBaseValue(255), CalcValueFormatStyleHex, "0xFF"},
            {CalcValue::calcValueWithUBaseValue(0x1234), CalcValueFormatStyleBin, "1001000110100b"},
            {CalcValue::calcValueWithUBaseValue(511), CalcValueFormatStyleOct, "777o"},
            {CalcValue::calcValueWithUBaseValue(4000000000u), CalcValueFormatStyleDec, "4000000000u"},
            {CalcValue::calcValueWithSBaseValue(-42), CalcValueFormatStyleDec, "-42d"},
            {CalcValue::calcValueWithRealValue(1.5e-5), CalcValueFormatStyleSci, "1.5e-05"},
            {CalcValue::calcValueWithRealValue(2.5), CalcValueFormatStyleAuto, "2.5"},
        };
        for (const auto& row : rows) {
            UIButtonLCD lcd;
            lcd.updateWithCalcValue(row.value, styled(row.style));
            QCOMPARE(lcd.title(), QString(row.title));
            const std::optional<CalcValue> parsed = NumberUtils::calcValueFromString(row.title);
            QVERIFY2(parsed.has_value() && parsed->isEqualToCalcValue(row.value), row.title);
        }
    }

    void integerGoesToTheBaseViewAndRealToTheRealView() {
        WordSizeScope wordSize(64);
        NumberView view;
        view.resize(300, 80);
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(255), styled(CalcValueFormatStyleHex));
        QVERIFY(!view.baseNumberView()->isHidden() && view.realNumberView()->isHidden());
        QCOMPARE(Accessibility::value(&view), QStringLiteral("hex FF"));
        view.updateWithCalcValue(CalcValue::calcValueWithRealValue(2.5), styled(CalcValueFormatStyleAuto));
        QVERIFY(view.baseNumberView()->isHidden() && !view.realNumberView()->isHidden());
    }

    void sixtyFourBitBinarySplitsIntoTwoLinesOnlyWhenAllowedAndNeeded() {
        WordSizeScope wordSize(64);
        BaseNumberView view;
        view.maxFontSize = 40;
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(~0ull), styled(CalcValueFormatStyleBin));
        QCOMPARE(view.layoutRuns(QSizeF(700, 90))[0].text.size(), 79);
        view.allowTwoLines = true;
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(0xFFFFFFFFull), styled(CalcValueFormatStyleBin));
        NumberTextRuns runs = view.layoutRuns(QSizeF(308, 90));
        QCOMPARE(runs.size(), size_t(2));
        QCOMPARE(runs[0].text.size(), 39);
        QVERIFY(!runs[0].truncateMiddle);
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(0xFFFF0000FFFF0000ull),
                                 styled(CalcValueFormatStyleBin));
        runs = view.layoutRuns(QSizeF(308, 90));
        QCOMPARE(runs.size(), size_t(3));
        QCOMPARE(runs[0].text, QStringLiteral("1111 1111 1111 1111 0000 0000 0000 0000"));
        QCOMPARE(runs[1].text, QStringLiteral("1111 1111 1111 1111 0000 0000 0000 0000"));
        QCOMPARE(runs[2].text, QStringLiteral("b"));
        // Upper line above the lower, the suffix after the lower line.
        QVERIFY(runs[0].rect.top() < runs[1].rect.top());
        QVERIFY(runs[2].rect.left() >= runs[1].rect.left() + runs[1].rect.width() - 1);
        // Right aligned, the last digits of both lines end at the same place.
        QVERIFY(std::abs(runs[0].rect.right() - runs[1].rect.right()) <= 1.0);
    }

    void fittingUsesTheLargestSizeThatFitsAndShortensBelowTen() {
        WordSizeScope wordSize(64);
        BaseNumberView view;
        view.maxFontSize = 40;
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(7), styled(CalcValueFormatStyleDec));
        NumberTextRuns runs = view.layoutRuns(QSizeF(300, 60));
        QCOMPARE(runs[0].fontSize, 40.0);
        // A wide value in a narrow view gets a smaller size, and still fits.
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(123456789012ull), styled(CalcValueFormatStyleDec));
        runs = view.layoutRuns(QSizeF(120, 60));
        QVERIFY(runs[0].fontSize < 40.0 && runs[0].fontSize >= 10.0);
        QVERIFY(runs[0].rect.left() >= 0);
        // Never smaller than ten: what does not fit then is shortened in the middle.
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(~0ull), styled(CalcValueFormatStyleBin));
        runs = view.layoutRuns(QSizeF(60, 30));
        QCOMPARE(runs.size(), size_t(2));
        QCOMPARE(runs[0].fontSize, 10.0);
        QVERIFY(runs[0].truncateMiddle && runs[0].text.contains(QChar(0x2026)) && runs[0].text.size() < 79);
        QCOMPARE(runs[1].fontSize, 10.0 * 2 / 3);
    }

    void realWithExponentDrawsTimesTenAndARaisedExponent() {
        RealNumberView view;
        view.maxFontSize = 30;
        CalcValueFormat format = styled(CalcValueFormatStyleSci);
        format.numSigFig = 3;
        view.updateWithCalcValue(CalcValue::calcValueWithRealValue(1.5e8), format);
        const NumberTextRuns runs = view.layoutRuns(QSizeF(300, 60));
        QCOMPARE(runs.size(), size_t(2));
        QCOMPARE(runs[0].text, QStringLiteral("1.5x10"));
        QCOMPARE(runs[1].text, QStringLiteral("08"));
        QVERIFY(runs[1].fontSize < runs[0].fontSize && runs[1].rect.top() < runs[0].rect.top());
        view.updateWithCalcValue(CalcValue::calcValueWithRealValue(12.5), styled(CalcValueFormatStyleAuto));
        QCOMPARE(view.layoutRuns(QSizeF(300, 60)).size(), size_t(1));
    }

    // Out-of-range pages are clamped; the current page wears the normal image, the others the dim.
    void currentPageIsClampedAndShowsTheNormalImage() {
        UIPageControlReadOnly control;
        std::vector<Image> normal = blankImages(4);
        std::vector<Image> dim = blankImages(4);
        control.setImages(normal, dim);
        for (const auto& [page, shown] : {std::pair{5, 3}, {-1, 0}, {1, 1}, {3, 3}}) {
            control.setCurrentPage(page);
            QCOMPARE(control.currentPage(), shown);
        }
        QCOMPARE(control.imageViews()[3]->image().pixmap().cacheKey(), normal[3].pixmap().cacheKey());
        QCOMPARE(control.imageViews()[0]->image().pixmap().cacheKey(), dim[0].pixmap().cacheKey());
        control.setImages(blankImages(2), blankImages(2));
        QCOMPARE(control.currentPage(), 1);
        QCOMPARE(control.imageViews().size(), size_t(2));
    }

    // Every image the code names exists; the operators' glyphs lie in the part the LCD shows.
    void everyNamedImageExists() {
        QStringList names = screenImageNames();
        for (const CalcValue& value : Constants::constantsCalcValues()) {
            names << QString::fromStdString(*Constants::sharedInstance().imageFromConstantCalcValue(value));
        }
        for (const QString& name : names)
            QVERIFY2(!ImageStore::imageNamed(name.toStdString()).isNull(), qPrintable(name));
        Operators& operators = Operators::sharedInstance();
        for (OperatorsOperator op : operators.knownOperators()) {
            const std::string name = operators.imageFromOperator(op);
            if (name.empty()) continue;
            const Image image = ImageStore::imageNamed(name);
            QCOMPARE(image.size(), QSizeF(60, 38));
            QVERIFY2(largestAlpha(image.croppedToRect(QRectF(14, 10, 32, 18)).toImage()) > 200, name.c_str());
        }
        QVERIFY(!ImageStore::hasImageNamed("noSuchImage.png"));
    }

    // Each pixel takes the colour, keeping its own alpha; the density of the icon is kept.
    void greyscaleIsTheColourWithTheIconsAlphaAndPixelDensity() {
        const auto tinted = [](QColor fill, QColor colour) {
            return imageGreyscaleWithColor(filledImage(fill, QSize(8, 6)), colour)
                .toImage()
                .convertToFormat(QImage::Format_ARGB32);
        };
        QCOMPARE(largestAlpha(tinted(Qt::transparent, Qt::black)), 0);
        const QRgb half = tinted(QColor(10, 200, 30, 128), QuilletColours::buttonTextColour()).pixel(1, 1);
        QVERIFY(std::abs(qAlpha(half) - 128) <= 1);
        QVERIFY(std::abs(qRed(half) - 98) <= 2 && std::abs(qGreen(half) - 57) <= 2 && std::abs(qBlue(half) - 29) <= 2);
        QPixmap dense(QSize(16, 12));
        dense.fill(Qt::white);
        dense.setDevicePixelRatio(2.0);
        const Image denseTinted = imageGreyscaleWithColor(Image(dense, QSizeF(8, 6)), Qt::black);
        QCOMPARE(denseTinted.pixmap().width(), 16);
        QCOMPARE(denseTinted.scale(), 2.0);
    }

    void aTapClicksOnceAndAHoldTellsTheDelegateOnceInsteadUnlessCancelled() {
        UIButtonWithHold button;
        HoldCounter counter;
        button.delegate = &counter;
        button.resize(60, 44);
        button.show();
        const QPoint centre = button.rect().center();
        QSignalSpy clicks(&button, &QAbstractButton::clicked);
        QSignalSpy upInside(&button, &UIButton::touchUpInside);
        Finger::hold(&button, 200);
        QCOMPARE(clicks.count(), 1);
        QVERIFY(!button.isTimerRunning());
        QTest::qWait(400);
        QCOMPARE(counter.holds, 0);
        Finger::press(&button, centre);
        QTest::qWait(350);
        QCOMPARE(counter.holds, 0);
        QTRY_COMPARE_WITH_TIMEOUT(counter.holds, 1, 400);
        QVERIFY(button.timerHasFired());
        Finger::release(&button, centre);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(upInside.count(), 1);
        QCOMPARE(counter.holds, 1);
        QVERIFY(!button.isDown());
        // A cancelled touch never holds nor clicks.
        QSignalSpy cancels(&button, &UIButton::touchCancel);
        Finger::press(&button, centre);
        QTest::qWait(300);
        button.cancelTouch();
        QCOMPARE(cancels.count(), 1);
        QVERIFY(!button.isTimerRunning());
        QTest::qWait(350);
        Finger::release(&button, centre);
        QCOMPARE(counter.holds, 1);
        QCOMPARE(clicks.count(), 1);
    }

    // A key reports one touch down per press, however the finger wanders, and where it was lifted.
    void touchEventsFollowTheFinger() {
        const struct {
            QList<QPoint> path;
            QStringList events;
        } rows[] = {
            {{{30, 22}, {36, 26}, {28, 20}}, {"down", "up inside"}},                   // a tap that wobbles
            {{{30, 22}, {30, 80}}, {"down", "exit", "up outside"}},                    // slides off
            {{{30, 22}, {90, 22}, {30, 30}}, {"down", "exit", "enter", "up inside"}},  // off and back
        };
        for (const auto& [path, events] : rows) {
            UIButton button;
            button.resize(60, 44);
            button.show();
            QStringList seen;
            connect(&button, &UIButton::touchDown, [&] { seen << "down"; });
            connect(&button, &UIButton::touchDragExit, [&] { seen << "exit"; });
            connect(&button, &UIButton::touchDragEnter, [&] { seen << "enter"; });
            connect(&button, &UIButton::touchUpInside, [&] { seen << "up inside"; });
            connect(&button, &UIButton::touchUpOutside, [&] { seen << "up outside"; });
            Finger::press(&button, path.front());
            for (qsizetype i = 1; i < path.size(); ++i) Finger::move(&button, path[i - 1], path[i], 5, 5);
            Finger::release(&button, path.back());
            QCOMPARE(seen, events);
            QVERIFY(!button.isDown());
        }
    }

    // A constant's name, not its value, is the hint; an empty favourite has neither hint nor number.
    void favouriteHints() {
        for (const auto& [constant, value, hint] :
             {std::tuple{"Pi", 3.141592653589793, "Pi."}, {"", 42.0, "42."}, {"", qQNaN(), ""}}) {
            UIButtonFavourite button;
            button.resize(60, 40);
            button.show();
            QCOMPARE(Accessibility::label(&button), QStringLiteral("Favourite"));
            QCOMPARE(Accessibility::traits(&button), AccessibilityTraitButton);
            if (*constant) button.setConstantString(constant);
            const bool empty = std::isnan(value);
            button.setCalcValue(empty ? std::nullopt : std::optional(CalcValue::calcValueWithRealValue(value)),
                                CalcValueFormat::withStyle(CalcValueFormatStyleAuto));
            QCOMPARE(Accessibility::hint(&button), QString(hint));
            QCOMPARE(button.numberView()->isHidden(), empty);
            QCOMPARE(button.numberView()->geometry(), QRect(6, 10, 48, 20));
        }
    }

    void aStripSnapsToTheNextPageOrFallsBackAndCancelsTheKeyUnderTheFingerButNotATap() {
        PagedScrollView strip;
        strip.resize(320, 60);
        strip.setContentSize(QSize(4 * 320, 60));
        ScrollRecorder recorder;
        strip.setDelegate(&recorder);
        UIButton key(strip.contentView());
        key.setGeometry(20, 5, 200, 50);
        QSignalSpy clicks(&key, &QAbstractButton::clicked);
        QSignalSpy cancels(&key, &UIButton::touchCancel);
        strip.show();
        Finger::tap(&key, QPoint(50, 25));
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(recorder.scrolls, 0);
        Finger::drag(&key, QPoint(150, 25), QPoint(30, 25), 6, 10);
        QCOMPARE(cancels.count(), 1);
        QCOMPARE(clicks.count(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(recorder.rests, 1, 1000);
        QCOMPARE(strip.contentOffset().x(), 320.0);
        QCOMPARE(strip.currentPage(), 1);
        QVERIFY(recorder.scrolls > 2);
        // A short, slow drag falls back to the same page.
        Finger::drag(&strip, QPoint(200, 30), QPoint(140, 30), 6, 60);
        QTRY_COMPARE_WITH_TIMEOUT(recorder.rests, 2, 1000);
        QCOMPARE(strip.contentOffset().x(), 320.0);
        // Scrolling to a rectangle moves at once, with no deceleration.
        const int scrolls = recorder.scrolls;
        strip.scrollRectToVisible(QRect(3 * 320, 0, 320, 60));
        QCOMPARE(strip.contentOffset().x(), 960.0);
        QCOMPARE(recorder.scrolls, scrolls + 1);
        QCOMPARE(recorder.rests, 2);
    }
};

QTEST_MAIN(DisplayWidgetsTest)
#include "DisplayWidgetsTest.moc"
