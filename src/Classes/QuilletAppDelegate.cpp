#include "Classes/QuilletAppDelegate.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>

#include "Calculator/CalcEngine.h"
#include "Calculator/CalcEngineStore.h"
#include "Classes/CalcKeyboard.h"
#include "Classes/CalcViewController.h"
#include "Classes/IdleSaveTimer.h"
#include "Classes/Notifications.h"
#include "Classes/TerminationSignals.h"
#include "Model/CalcStore.h"
#include "Model/UserSettings.h"
#include "Platform/UI/Accessibility.h"
#include "Platform/UI/ImageDiskCache.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/LocalizedQt.h"
#include "Platform/UI/NavigationController.h"
#include "Platform/UI/UIButton.h"
#include "Platform/UI/UISegmentedControl.h"
#include "Platform/UI/UIWindow.h"

namespace {

// From the window's icon to the first frame, images drawn at an earlier start are read back,
// not drawn again.
std::unique_ptr<UIWindow> windowOverImagesOfEarlierStarts() {
    ImageStore::openDiskCache(ImageDiskCache::standardDirectory());
    return std::make_unique<UIWindow>();
}

}  // namespace

void QuilletAppDelegate::applicationWillLaunch() {
    QCoreApplication::setOrganizationName(QStringLiteral("Quillet"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillet"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Quillet"));
    QGuiApplication::setDesktopFileName(QStringLiteral("quillet"));
    LocalizedQt::install();
    Accessibility::install();
}

QuilletAppDelegate::QuilletAppDelegate(QObject* parent)
    : QuilletAppDelegate(CalcEngine::sharedInstance(), CalcStore::sharedInstance(), UserSettings::sharedInstance(),
                         parent) {}

QuilletAppDelegate::QuilletAppDelegate(CalcEngine& engine, CalcStore& store, UserSettings& settings, QObject* parent)
    : QObject(parent), engine_(engine), store_(store), settings_(settings), window_(windowOverImagesOfEarlierStarts()) {
    window_->installEventFilter(this);
    idleSaveTimer_ = new IdleSaveTimer([this] { CalcEngineStore::persistCalcEngine(engine_, store_); }, this);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, &QuilletAppDelegate::applicationStateChanged);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &QuilletAppDelegate::applicationWillTerminate);
    auto* terminationSignals = new TerminationSignals(this);
    connect(terminationSignals, &TerminationSignals::terminationRequested, qApp, &QCoreApplication::quit,
            Qt::QueuedConnection);
}

QuilletAppDelegate::~QuilletAppDelegate() {
    window_->removeEventFilter(this);
    window_.reset();
}

void QuilletAppDelegate::applicationDidFinishLaunching() {
    // The engine is restored before the calculator screen is built, so that the screen's first
    // frame already shows the saved calculation on the page that suits it.
    CalcEngineStore::restoreCalcEngine(engine_, store_);
    calcViewController_ = new CalcViewController(engine_, store_, settings_);
    // The screen's announcement that it has been built (sent by the engine) changes nothing.
    accumulatorChanges_ =
        NotificationObserver(NotificationsNotificationAccumulatorHasChanged, [this](const Notification& notification) {
            if (notification.object != &engine_) idleSaveTimer_->noteChange();
        });
    baseChanges_ = NotificationObserver(NotificationsNotificationBaseHasChanged,
                                        [this](const Notification&) { idleSaveTimer_->noteChange(); });
    navigationController_ = new NavigationController(calcViewController_);
    navigationController_->setTitleView(calcViewController_->segmentedControl());
    navigationController_->setRightBarButtonItem(calcViewController_->historyButton());
    navigationController_->setTintColor(Qt::black);
    new CalcKeyboard(*calcViewController_, window_.get());
    window_->addSubview(navigationController_->view());
    window_->makeKeyAndVisible();
    window_->setBackgroundColor(Qt::black);
}

void QuilletAppDelegate::applicationDidEnterBackground() {
    if (hasTerminated_) return;
    persistCalcEngine();
}

void QuilletAppDelegate::applicationWillTerminate() {
    if (hasTerminated_) return;
    accumulatorChanges_.reset();
    baseChanges_.reset();
    persistCalcEngine();
    store_.close();
    hasTerminated_ = true;
}

void QuilletAppDelegate::persistCalcEngine() {
    idleSaveTimer_->noteSaved();
    CalcEngineStore::persistCalcEngine(engine_, store_);
}

void QuilletAppDelegate::applicationStateChanged(Qt::ApplicationState state) {
    if (state != Qt::ApplicationActive) applicationDidEnterBackground();
}

bool QuilletAppDelegate::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_.get()) {
        switch (event->type()) {
            case QEvent::Hide: applicationDidEnterBackground(); break;
            case QEvent::Paint:
                if (!hasPaintedFirstFrame_) {
                    hasPaintedFirstFrame_ = true;
                    // Once the paint pass has ended, the images it drew are kept for the next
                    // start. Images made later (pages made lazily, other scales while the window
                    // is resized) are not worth a file each.
                    QTimer::singleShot(0, this, [] { ImageStore::closeDiskCache(); });
                }
                break;
            case QEvent::WindowStateChange:
                if (window_->isMinimized()) applicationDidEnterBackground();
                break;
            default: break;
        }
    }
    return QObject::eventFilter(watched, event);
}
