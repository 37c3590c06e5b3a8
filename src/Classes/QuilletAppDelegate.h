#pragma once

#include <QObject>
#include <memory>

#include "Platform/Core/NotificationObserver.h"

class CalcEngine;
class CalcStore;
class CalcViewController;
class IdleSaveTimer;
class NavigationController;
class UIWindow;
class UserSettings;

// Puts the calculator screen into the window, brings the engine back to the state saved at the
// last quit, and saves that state whenever the application is hidden or deactivated and when it
// quits (window closed, SIGTERM, SIGINT), closing the store last. In between, a changed
// calculation is saved once the calculator has been idle for a second, so that a crash or a kill
// loses at most the last second of it.
class QuilletAppDelegate : public QObject {
    Q_OBJECT

public:
    // Over the shared engine, store and settings.
    explicit QuilletAppDelegate(QObject* parent = nullptr);
    QuilletAppDelegate(CalcEngine& engine, CalcStore& store, UserSettings& settings, QObject* parent = nullptr);
    ~QuilletAppDelegate() override;

    // Names the application and installs its translations and screen reader support: what a
    // start does once the application object exists, before the store is opened.
    static void applicationWillLaunch();
    void applicationDidFinishLaunching();
    void applicationDidEnterBackground();
    void applicationWillTerminate();

    UIWindow* window() const { return window_.get(); }
    NavigationController* navigationController() const { return navigationController_; }
    CalcViewController* calcViewController() const { return calcViewController_; }
    IdleSaveTimer& idleSaveTimer() const { return *idleSaveTimer_; }
    bool hasTerminated() const { return hasTerminated_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applicationStateChanged(Qt::ApplicationState state);
    void persistCalcEngine();

    CalcEngine& engine_;
    CalcStore& store_;
    UserSettings& settings_;
    std::unique_ptr<UIWindow> window_;
    NavigationController* navigationController_ = nullptr;
    CalcViewController* calcViewController_ = nullptr;
    IdleSaveTimer* idleSaveTimer_ = nullptr;
    NotificationObserver accumulatorChanges_;
    NotificationObserver baseChanges_;
    bool hasTerminated_ = false;
    bool hasPaintedFirstFrame_ = false;
};
