#pragma once

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>

#include "Calculator/CalcEngine.h"
#include "Classes/CalcViewController.h"
#include "Classes/DisplayViewController.h"
#include "Classes/FirstButtonViewController.h"
#include "Classes/NumberView.h"
#include "Classes/QuilletAppDelegate.h"
#include "Classes/UIButtonLCD.h"
#include "Classes/UIButtonWithHold.h"
#include "Model/CalcStore.h"
#include "Model/UserSettings.h"
#include "Platform/Store/UserDefaults.h"
#include "Platform/UI/NavigationController.h"
#include "Platform/UI/UIButton.h"
#include "Platform/UI/UIWindow.h"
#include "Utils/NumberUtils.h"
#include "WidgetTestSupport.h"

// Points every shared instance that could still be reached (settings, store, image cache) at a
// temporary home, so that no test ever touches the user's own files. Call before the QApplication exists.
inline QTemporaryDir& useTemporaryHome() {
    static QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QDir(home.path()).filePath("data").toUtf8());
    qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath("config").toUtf8());
    qputenv("XDG_CACHE_HOME", QDir(home.path()).filePath("cache").toUtf8());
    qputenv("HOME", home.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return home;
}

// A calculator window as the application builds it, over a fresh engine, temporary settings
// and a temporary store. relaunch() quits it and starts it again over the same files, as a
// restart of the application would.
class CalcScreenFixture {
public:
    CalcScreenFixture() { launch(); }
    ~CalcScreenFixture() { quit(); }

    void launch() {
        defaults = std::make_unique<UserDefaults>(directory.filePath("settings.ini").toStdString());
        settings = std::make_unique<UserSettings>(*defaults);
        store = std::make_unique<CalcStore>(directory.filePath("Quillet.sqlite").toStdString());
        engine = std::make_unique<CalcEngine>();
        delegate = std::make_unique<QuilletAppDelegate>(*engine, *store, *settings);
        delegate->applicationDidFinishLaunching();
        delegate->window()->resize(480, 690);
        QApplication::processEvents();
    }

    void quit() {
        if (delegate) delegate->applicationWillTerminate();
        kill();
    }
    // Ends the app as a kill does: no quit event, nothing more saved, the store left as it is on disk.
    void kill() {
        delegate.reset();
        engine.reset();
        store.reset();
        settings.reset();
        defaults.reset();
    }

    void relaunch() {
        quit();
        launch();
    }

    CalcViewController& calc() const { return *delegate->calcViewController(); }
    FirstButtonViewController& keypad() const { return *calc().firstButtonViewController(); }
    UIWindow* window() const { return delegate->window(); }
    NavigationController& calcStack() const { return *delegate->navigationController(); }
    // The stack presented over the calculator, if any.
    NavigationController* presented() const {
        return qobject_cast<NavigationController*>(calcStack().modalViewController());
    }

    // Swipes a strip sideways by a share of its width (a positive share towards the next page).
    static void swipe(PagedScrollView* strip, double share, int millisecondsPerStep = 15) {
        const QPoint centre = strip->rect().center();
        Finger::drag(strip, centre, centre - QPoint(qRound(strip->width() * share), 0), 10, millisecondsPerStep);
    }
    // Swipes a strip to the page and waits until it rests there.
    static void swipeTo(PagedScrollView* strip, int page) {
        swipe(strip, page > strip->currentPage() ? 0.6 : -0.6);
        QTRY_COMPARE(strip->currentPage(), page);
        QTRY_VERIFY(!strip->isDecelerating());
    }

    // Runs the delayed page creation to its end at once.
    void createAllPages() const {
        for (int step = 0; step < 10; ++step) calc().lazyCreateUI();
    }

    // Taps the keys named by the text: digits, "+-*/=", '.', 'C' (clear), 'E' is the digit E,
    // 'x' the exponent key, 'n' plus/minus.
    void typeKeys(const std::string& keys) const {
        FirstButtonViewController& page = keypad();
        for (char key : keys) {
            UIButton* button = nullptr;
            switch (key) {
                case '+': button = page.buttonAddKey(); break;
                case '-': button = page.buttonSubtractKey(); break;
                case '*': button = page.buttonMultiplyKey(); break;
                case '/': button = page.buttonDivideKey(); break;
                case '=': button = page.buttonEqualsKey(); break;
                case '.': button = page.buttonDecimalPointKey(); break;
                case 'C': button = page.buttonClearKey(); break;
                case 'c': button = page.numberButton(12); break;
                case 'x': button = page.buttonExponentKey(); break;
                case 'n': button = page.buttonPlusMinusKey(); break;
                default:
                    if (key >= '0' && key <= '9') button = page.numberButton(key - '0');
                    if (key >= 'A' && key <= 'F') button = page.numberButton(10 + key - 'A');
            }
            QVERIFY2(button != nullptr, "unknown key in the test");
            QVERIFY2(button->isEnabled(), "the key is disabled");
            QTest::mouseClick(button, Qt::LeftButton);
        }
    }

    // What the LCD of a display page draws: its value in its format, or the error message.
    QString lcdText(int page) const {
        DisplayViewController* display = calc().displayViewController(page);
        if (!display) return QStringLiteral("<no page>");
        UIButtonLCD* lcd = display->button();
        if (engine->currError() != 0) return lcd->title();
        const std::optional<CalcValue> value = lcd->numberView()->displayCalcValue();
        const std::optional<CalcValueFormat> format = lcd->numberView()->displayFormat();
        if (!value || !format) return QStringLiteral("<nothing>");
        return QString::fromStdString(NumberUtils::stringFromCalcValue(*value, &*format));
    }

    static QString text(const CalcValue& value, CalcValueFormat format) {
        return QString::fromStdString(NumberUtils::stringFromCalcValue(value, &format));
    }

    QTemporaryDir directory;
    std::unique_ptr<UserDefaults> defaults;
    std::unique_ptr<UserSettings> settings;
    std::unique_ptr<CalcStore> store;
    std::unique_ptr<CalcEngine> engine;
    std::unique_ptr<QuilletAppDelegate> delegate;
};

#define QUILLET_SCREEN_TEST_MAIN(TestClass)     \
    int main(int argc, char** argv) {           \
        useTemporaryHome();                     \
        QApplication application(argc, argv);   \
        TestClass test;                         \
        return QTest::qExec(&test, argc, argv); \
    }
