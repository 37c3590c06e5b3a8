#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QtTest>

#include "Calculator/Operators.h"
#include "Menus/AboutViewController.h"
#include "Menus/IntegerViewController.h"
#include "Menus/MuxTableViewController.h"
#include "Menus/SettingsViewController.h"
#include "Platform/Core/NotificationObserver.h"
#include "Platform/Store/FetchedResultsController.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/NavigationBar.h"
#include "Platform/UI/PointScale.h"
#include "Platform/UI/UIBarButtonItem.h"
#include "Platform/UI/UIButton.h"
#include "Platform/UI/UILabel.h"
#include "TableScreenSupport.h"
#include "WidgetTestSupport.h"
#include "screens/CalcScreenFixture.h"
#include "support/NotificationLog.h"

namespace {

// Takes what the About button would open instead of a browser.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    UrlCatcher() { QDesktopServices::setUrlHandler("file", this, "openUrl"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler("file"); }
    std::vector<QUrl> opened;

public slots:
    void openUrl(const QUrl& url) { opened.push_back(url); }
};

QString wordSizeLabel(const CalcScreenFixture& screen) {
    return screen.calc().displayViewController(screen.calc().displayPageIndex())->button()->wordSizeLabel()->text();
}

// "u200", "s-56" or "r0.5": the kind of a value and its number.
QString kindAndNumber(const CalcValue& value) {
    switch (value.type()) {
        case CalcValueTypeUBase: return QStringLiteral("u%1").arg(value.uBaseValue());
        case CalcValueTypeSBase: return QStringLiteral("s%1").arg(value.sBaseValue());
        default: return QStringLiteral("r%1").arg(value.realValue());
    }
}

}  // namespace

class SettingsAndAboutTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CalcScreenFixture> screen;
    QPointer<SettingsViewController> settingsScreen;
    QPointer<NavigationController> stack;

    UITableView* settingsTable() const { return settingsScreen->tableView(); }
    QString detailOfSetting(int setting) const {
        return settingsTable()->cellForRowAtIndexPath({0, static_cast<size_t>(setting)})->detailText;
    }

    // A menu presented over the calculator, and the screen pushed onto it as the menu's row does.
    void pushOntoMenu(ViewController* screenPushed) {
        stack = new NavigationController(new ProbeScreen("Menu", {}));
        screen->calcStack().presentModalViewController(stack, false);
        stack->pushViewController(screenPushed, true);
        QVERIFY(settles(*stack));
    }
    void openSettings() {
        settingsScreen = new SettingsViewController("Settings", *screen->engine, *screen->settings);
        pushOntoMenu(settingsScreen);
    }
    // Taps a setting's row and lets its editor slide in.
    template <typename Editor>
    Editor* openEditor(int setting) {
        tapRow(settingsTable(), {0, static_cast<size_t>(setting)});
        if (!settles(*stack)) return nullptr;
        return qobject_cast<Editor*>(stack->topViewController());
    }
    void goBack() {
        Finger::tap(static_cast<NavigationBar*>(stack->navigationBar())->backButton());
        QVERIFY(settles(*stack));
    }
    // An unsigned value at 8 bits with a step of history behind it.
    void showUnsigned200AtEightBits() {
        screen->settings->setWordSize(8);
        screen->typeKeys("100+100=");
        QCOMPARE(kindAndNumber(screen->engine->accumulatorCalcValue()), QStringLiteral("u200"));
    }
    // Angle, decimal places, figures less one, word size, integer type, favourites page.
    std::vector<int> storedSettings() const {
        const UserSettings& settings = *screen->settings;
        return {settings.angleType(), settings.numDecimalPlaces(), settings.numSigFigs(),
                settings.wordSize(),  settings.integerType(),      settings.favouritesPageIndex()};
    }
    static std::vector<size_t> checkedRows(MuxTableViewController* list) {
        std::vector<size_t> checked;
        for (size_t row = 0; row < list->tableView()->numberOfRowsInSection(0); ++row) {
            const auto accessory = list->tableView()->cellForRowAtIndexPath({0, row})->accessoryType;
            if (accessory == UITableViewCellAccessoryType::Checkmark) checked.push_back(row);
        }
        return checked;
    }
    // A fresh calculator over fresh files, the previous one ended first.
    void relaunch() {
        screen.reset();
        screen = std::make_unique<CalcScreenFixture>();
    }
    size_t historySteps() const { return screen->store->historyStepsFetchedResultsController()->numberOfObjects(); }

private slots:
    void init() { relaunch(); }
    void cleanup() { screen.reset(); }

    void theDescriptionsReadTheStoredSettings() {
        // Setting, key, the number stored, and the description read: name | type | value | choices |
        // bounds | the row's detail text.
        const struct {
            int setting;
            const char* key;
            int stored;
            const char* description;
        } rows[] = {
            {0, "UserSettingsKeyAngle", 1, "Angle|0|1|Degrees,Radians|0..0|Radians"},
            {0, "UserSettingsKeyAngle", 7, "Angle|0|7|Degrees,Radians|0..0|<unknown>"},
            {1, "UserSettingsKeyNumDecimalPlaces", 4, "Decimal Places|0|4|0,1,2,3,4,5,6,7,8,9,10|0..0|4"},
            // None of the choices.
            {1, "UserSettingsKeyNumDecimalPlaces", 15, "Decimal Places|0|15|0,1,2,3,4,5,6,7,8,9,10|0..0|15"},
            // Figures are stored less one.
            {2, "UserSettingsKeyNumSigFigs", 6, "Significant Figures|0|6|1,2,3,4,5,6,7,8,9,10|0..0|7"},
            {2, "UserSettingsKeyNumSigFigs", 12, "Significant Figures|0|9|1,2,3,4,5,6,7,8,9,10|0..0|10"},
            {3, "UserSettingsKeyWordSize", 16, "Integer Size|1|16||2..64|16 bits"},
            {3, "UserSettingsKeyWordSize", 0, "Integer Size|1|32||2..64|32 bits"},  // never written
            {4, "UserSettingsKeyIsIntegerType", 1, "Integer Type|0|1|Unsigned,Signed|0..0|Signed"},
        };
        const SettingsLogic logic(*screen->settings, *screen->engine, Operators::sharedInstance());
        for (const auto& row : rows) {
            screen->defaults->setIntegerForKey(row.stored, row.key);
            const std::optional<SettingDescription> description = logic.settingDescriptionForSetting(row.setting);
            QVERIFY(description && description->setting == row.setting);
            QStringList choices;
            for (const std::string& text : description->muxValues) choices << QString::fromStdString(text);
            QCOMPARE(QStringLiteral("%1|%2|%3|%4|%5..%6|%7")
                         .arg(QString::fromStdString(description->name))
                         .arg(description->type)
                         .arg(description->value)
                         .arg(choices.join(','))
                         .arg(description->minValue)
                         .arg(description->maxValue)
                         .arg(QString::fromStdString(SettingsLogic::detailTextForSettingDescription(*description))),
                     QString(row.description));
        }
        QVERIFY(!logic.settingDescriptionForSetting(-1) && !logic.settingDescriptionForSetting(5));
    }

    // The text typed, how the entry is left, and the word size stored. Qt::Key_Back stands for a
    // tap on the bar's back button, Qt::Key_Left for Alt+Left.
    void theNumberEntryStoresTheTextWithinTheBounds() {
        const struct {
            const char* typed;
            Qt::Key leave;
            int wordSize;
        } rows[] = {
            {"100", Qt::Key_Return, 64},          // above the bounds
            {"1", Qt::Key_Back, 2},               // below the bounds
            {"abc", Qt::Key_Escape, 2},           // letters read as 0
            {"-5", Qt::Key_Return, 2},            // negative
            {"16", Qt::Key_Left, 16},             // within
            {"99999999999", Qt::Key_Return, 64},  // too many digits for 32 bits
            {" 12 bits", Qt::Key_Back, 12},       // the number that leads the text
        };
        for (const auto& row : rows) {
            relaunch();
            openSettings();
            IntegerViewController* entry = openEditor<IntegerViewController>(3);
            QVERIFY(entry);
            QCOMPARE(entry->textField()->text(), QStringLiteral("32"));
            QVERIFY(entry->textField()->hasFocus());
            QCOMPARE(settingsScreen->activeSetting(), 3);
            // Typing replaces the number shown.
            Finger::type(entry, row.typed);
            if (row.leave == Qt::Key_Back) {
                goBack();
            } else {
                Finger::type(entry, row.leave, row.leave == Qt::Key_Left ? Qt::AltModifier : Qt::NoModifier);
                QVERIFY(settles(*stack));
            }
            QCOMPARE(stack->topViewController(), settingsScreen.data());
            QCOMPARE(screen->settings->wordSize(), row.wordSize);
            QCOMPARE(Operators::sharedInstance().wordSize(), row.wordSize);
            QCOMPARE(detailOfSetting(3), QStringLiteral("%1 bits").arg(row.wordSize));
            QCOMPARE(wordSizeLabel(*screen), QStringLiteral("UINT%1").arg(row.wordSize));
        }
    }

    void aChoiceListOpensOnTheStoredValueAndWritesAChange() {
        screen->createAllPages();
        screen->engine->enterAccumulatorCalcValue(CalcValue::calcValueWithRealValue(2.0 / 3));
        QCOMPARE(screen->lcdText(0), QStringLiteral("0.6667"));
        openSettings();
        MuxTableViewController* list = openEditor<MuxTableViewController>(1);
        QVERIFY(list);
        QCOMPARE(checkedRows(list), std::vector<size_t>{4});
        NotificationLog writes(UserSettingsNotificationUserSettingsHaveChanged);
        tapRow(list->tableView(), {0, 7});
        QCOMPARE(writes.count(), 1);
        QCOMPARE(screen->settings->numDecimalPlaces(), 7);
        QCOMPARE(checkedRows(list), std::vector<size_t>{7});
        // The display follows while the list is still open.
        QCOMPARE(screen->lcdText(0), QStringLiteral("0.6666667"));
        QTRY_VERIFY(!list->tableView()->indexPathForSelectedRow());
        goBack();
        QCOMPARE(detailOfSetting(1), QStringLiteral("7"));
        QTRY_VERIFY(!settingsTable()->indexPathForSelectedRow());
    }

    void changingTheIntegerTypeConvertsTheValueOnDisplayOnce() {
        showUnsigned200AtEightBits();
        const size_t stepsBefore = historySteps();
        openSettings();
        MuxTableViewController* list = openEditor<MuxTableViewController>(4);
        QVERIFY(list);
        tapRow(list->tableView(), {0, 1});
        // 200 read as an 8-bit two's complement pattern.
        QCOMPARE(kindAndNumber(screen->engine->accumulatorCalcValue()), QStringLiteral("s-56"));
        QCOMPARE(historySteps(), stepsBefore + 1);
        QCOMPARE(wordSizeLabel(*screen), QStringLiteral("INT8"));
        // The text checked already: nothing is written, nothing converted.
        NotificationLog writes(UserSettingsNotificationUserSettingsHaveChanged);
        tapRow(list->tableView(), {0, 1});
        QCOMPARE(writes.count(), 0);
        QCOMPARE(historySteps(), stepsBefore + 1);
        goBack();
        QCOMPARE(detailOfSetting(4), QStringLiteral("Signed"));
    }

    // Cancel keeps every setting, Reset Settings restores them.
    void resetAsksFirst() {
        for (const auto& [button, resets] : {std::pair{1, false}, {0, true}}) {
            relaunch();
            showUnsigned200AtEightBits();
            screen->settings->setAngleType(1);
            Operators::sharedInstance().setAngleType(1);
            screen->settings->setIntegerType(1);
            screen->typeKeys("=");
            QCOMPARE(kindAndNumber(screen->engine->accumulatorCalcValue()), QStringLiteral("s-56"));
            openSettings();
            tapRow(settingsTable(), {1, 0});
            auto* sheet = screen->delegate->window()->findChild<UIActionSheet*>();
            QVERIFY(sheet);
            QCOMPARE(sheet->buttonTitleAtIndex(0), QStringLiteral("Reset Settings"));
            QCOMPARE(sheet->buttonTitleAtIndex(1), QStringLiteral("Cancel"));
            QTRY_COMPARE(sheet->property("presentation").toReal(), 1.0);
            Finger::tap(sheet->buttonAtIndex(button));
            QTRY_VERIFY(!settingsTable()->indexPathForSelectedRow());
            const std::vector<int> expected =
                resets ? std::vector<int>{0, 4, 6, 32, 0, 0} : std::vector<int>{1, 4, 6, 8, 1, 0};
            QCOMPARE(storedSettings(), expected);
            QCOMPARE(detailOfSetting(3), QStringLiteral("%1 bits").arg(expected[3]));
            // The calculator works in what the screen shows at once.
            QCOMPARE(Operators::sharedInstance().wordSize(), expected[3]);
            QCOMPARE(Operators::sharedInstance().angleType(), expected[0]);
            QCOMPARE(wordSizeLabel(*screen), resets ? QStringLiteral("UINT32") : QStringLiteral("INT8"));
            // A reset re-masks at the new word size first, then changes the kind: -56 at 32 bits, unsigned.
            QCOMPARE(kindAndNumber(screen->engine->accumulatorCalcValue()), QString(resets ? "u4294967240" : "s-56"));
        }
    }

    void changesKeepAPendingAdditionFollowTheWindowAndSurviveARestart() {
        screen->typeKeys("5+3");
        openSettings();
        MuxTableViewController* angles = openEditor<MuxTableViewController>(0);
        QVERIFY(angles);
        tapRow(angles->tableView(), {0, 1});
        goBack();
        QCOMPARE(Operators::sharedInstance().angleType(), 1);
        IntegerViewController* entry = openEditor<IntegerViewController>(3);
        QVERIFY(entry);
        Finger::type(entry, "12");
        screen->window()->resize(640, 920);
        QTRY_COMPARE(entry->textField()->height(), qRound(PointScale::pixelsFromPoints(50)));
        QVERIFY(entry->textField()->geometry().right() < entry->width());
        saveSnapshot(*screen->window(), QStringLiteral("settingsNumberEntryLarge"));
        Finger::type(entry, Qt::Key_Return);
        QVERIFY(settles(*stack));
        Finger::tap(settingsScreen->navigationItem()->rightBarButtonItem());
        QVERIFY(settles(screen->calcStack()));
        QVERIFY(!screen->presented());
        // The 3 is still being typed and the addition still waits for it.
        screen->typeKeys("4=");
        QCOMPARE(kindAndNumber(screen->engine->accumulatorCalcValue()), QStringLiteral("u39"));
        screen->relaunch();
        QCOMPARE(storedSettings(), (std::vector<int>{1, 4, 6, 12, 0, 0}));
        QCOMPARE(Operators::sharedInstance().angleType(), 1);
        QCOMPARE(wordSizeLabel(*screen), QStringLiteral("UINT12"));
    }

    void theVersionTextEndsInTheVersionAndBuild() {
        // A checkout, a tarball, a revision too short to cut, one just long enough.
        for (const auto& [revision, build] : {std::pair{"0123456789abcdef0123456789abcdef01234567", "0123456"},
                                              {"", "????"},
                                              {"abcdef", "????"},
                                              {"abcdef1", "abcdef1"}}) {
            const QString text = AboutViewController::versionText("1.2", revision);
            QVERIFY2(text.endsWith(QStringLiteral(" V1.2 (build %1)").arg(build)), qPrintable(text));
            QVERIFY(!text.startsWith('V') && !text.contains('\n'));
        }
    }

    void aboutShowsThisBuildAndOpensTheProjectsPages() {
        const QString revision = AboutViewController::buildIdentifier();
        QVERIFY2(revision.isEmpty() || QRegularExpression("^[0-9a-f]{40}$").match(revision).hasMatch(),
                 qPrintable(revision));
        auto* about = new AboutViewController("About");
        pushOntoMenu(about);
        QCOMPARE(static_cast<NavigationBar*>(stack->navigationBar())->title(), QStringLiteral("About"));
        QVERIFY(about->versionLabel()->text().endsWith(
            QStringLiteral("V%1 (build %2)")
                .arg(AboutViewController::bundleVersion(), revision.isEmpty() ? "????" : revision.left(7))));
        saveSnapshot(*screen->delegate->window(), QStringLiteral("about"));
        UrlCatcher catcher;
        QVERIFY(about->webButton()->isVisible());
        Finger::tap(about->webButton());
        QCOMPARE(catcher.opened.size(), size_t{1});
        // The README, installed or beside the sources: never an address that leads nowhere.
        QVERIFY(QFileInfo(catcher.opened.front().toLocalFile()).fileName() == "README.md");
        QVERIFY(QFileInfo::exists(catcher.opened.front().toLocalFile()));
    }
};

QUILLET_SCREEN_TEST_MAIN(SettingsAndAboutTest)
#include "SettingsAndAboutTest.moc"
