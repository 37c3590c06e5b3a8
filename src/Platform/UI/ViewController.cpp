#include "Platform/UI/ViewController.h"

#include <string>

#include "Platform/Core/FatalAssert.h"
#include "Platform/Core/Log.h"
#include "Platform/UI/NavigationItem.h"

ViewController::ViewController(QWidget* parent) : QWidget(parent), navigationItem_(new NavigationItem(this)) {
    setFocusPolicy(Qt::StrongFocus);
}

ViewController::~ViewController() = default;

QString ViewController::title() const { return navigationItem_->title(); }

void ViewController::setTitle(const QString& title) {
    navigationItem_->setTitle(title);
    setWindowTitle(title);
    // A screen reader names the screen it moves to by its title.
    setAccessibleName(title);
}

NavigationController* ViewController::navigationController() const {
    return NavigationController::navigationControllerOf(this);
}

void ViewController::loadViewIfNeeded() {
    if (viewLoaded_) return;
    viewLoaded_ = true;
    viewDidLoad();
}

void ViewController::presentModalViewController(QWidget* modalViewController, bool animated,
                                                ModalTransitionStyle style) {
    NavigationController* stack = navigationController();
    fatalAssertUnless(stack != nullptr, "Platform/ViewController", "no navigation controller to present from");
    stack->presentModalViewController(modalViewController, animated, style);
}

void ViewController::dismissModalViewControllerAnimated(bool animated) {
    if (NavigationController* stack = navigationController()) {
        stack->dismissModalViewControllerAnimated(animated);
    } else if (auto* presenter = qobject_cast<NavigationController*>(parentWidget())) {
        // Presented on its own, without a stack of its own.
        if (presenter->modalViewController() == this) presenter->dismissModalViewControllerAnimated(animated);
    }
}

void ViewController::viewWillAppear(bool) {}

void ViewController::viewDidAppear(bool) {}

void ViewController::viewWillDisappear(bool) {}

void ViewController::viewDidDisappear(bool) {}

void ViewController::releaseAll() { observers_.clear(); }

void ViewController::didReceiveMemoryWarning() {
    Log::line(std::string(metaObject()->className()) + " didReceiveMemoryWarning");
}

void ViewController::observe(std::string_view name, NotificationCenter::Handler handler, const void* sender) {
    observers_.emplace_back(name, std::move(handler), sender);
}

void ViewController::showEvent(QShowEvent* event) {
    loadViewIfNeeded();
    QWidget::showEvent(event);
}
