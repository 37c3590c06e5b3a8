#pragma once

#include <QWidget>
#include <string_view>
#include <vector>

#include "Platform/Core/NotificationCenter.h"
#include "Platform/Core/NotificationObserver.h"
#include "Platform/UI/NavigationController.h"
#include "Platform/UI/NavigationItem.h"

// The base of a screen: its title and navigation item, its place in a navigation stack, and
// the steps of its life. viewDidLoad() runs once, before the screen is first shown (or when
// the stack takes it); the appearance steps run around every push, pop, presentation and
// dismissal; releaseAll() runs when the stack lets the screen go, and ends the notifications
// observed through observe(). A memory warning logs "<ClassName> didReceiveMemoryWarning".
// Subclasses declare Q_OBJECT so that the log line carries their own name.
class ViewController : public QWidget {
    Q_OBJECT

public:
    explicit ViewController(QWidget* parent = nullptr);
    ~ViewController() override;

    QString title() const;
    // Also the title of the navigation item, and of the way back from the next screen.
    void setTitle(const QString& title);
    NavigationItem* navigationItem() const { return navigationItem_; }
    // The stack that holds this screen, or null.
    NavigationController* navigationController() const;

    void loadViewIfNeeded();
    bool isViewLoaded() const { return viewLoaded_; }

    // Presents over the stack that holds this screen; a screen outside any stack cannot.
    void presentModalViewController(QWidget* modalViewController, bool animated,
                                    ModalTransitionStyle style = ModalTransitionStyle::CoverVertical);
    // Closes what this screen's stack presented or, when it presented nothing, the stack itself.
    void dismissModalViewControllerAnimated(bool animated);

    virtual void viewWillAppear(bool animated);
    virtual void viewDidAppear(bool animated);
    virtual void viewWillDisappear(bool animated);
    virtual void viewDidDisappear(bool animated);
    // Overrides call this too: it ends every observation made through observe().
    virtual void releaseAll();
    virtual void didReceiveMemoryWarning();

protected:
    virtual void viewDidLoad() {}
    // Observes the notification until releaseAll() or the end of the screen.
    void observe(std::string_view name, NotificationCenter::Handler handler, const void* sender = nullptr);

    void showEvent(QShowEvent* event) override;

private:
    NavigationItem* navigationItem_;
    std::vector<NotificationObserver> observers_;
    bool viewLoaded_ = false;
};
