#include "Platform/UI/NavigationController.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPropertyAnimation>
#include <QResizeEvent>
#include <algorithm>
#include <utility>

#include "Platform/Core/Log.h"
#include "Platform/UI/Accessibility.h"
#include "Platform/UI/FlipTransitionView.h"
#include "Platform/UI/ModalOverlay.h"
#include "Platform/UI/NavigationBar.h"
#include "Platform/UI/NavigationItem.h"
#include "Platform/UI/PointGeometry.h"
#include "Platform/UI/ViewController.h"

namespace {

using AppearanceStep = void (ViewController::*)(bool);

// A presented stack hears of its appearance through the screen on its top.
void sendAppearance(QWidget* widget, AppearanceStep step, bool animated) {
    if (auto* stack = qobject_cast<NavigationController*>(widget)) widget = stack->topViewController();
    if (auto* screen = qobject_cast<ViewController*>(widget)) (screen->*step)(animated);
}

int milliseconds(double seconds) { return static_cast<int>(seconds * 1000); }

}  // namespace

NavigationController::NavigationController(QWidget* rootViewController, QWidget* parent)
    : QWidget(parent),
      navigationBar_(new NavigationBar(this)),
      inputShield_(new QWidget(this)),
      transitionAnimation_(new QPropertyAnimation(this, "transitionProgress", this)) {
    inputShield_->hide();
    transitionAnimation_->setStartValue(0.0);
    transitionAnimation_->setEndValue(1.0);
    transitionAnimation_->setEasingCurve(QEasingCurve::InOutQuad);
    connect(transitionAnimation_, &QPropertyAnimation::finished, this, &NavigationController::finishTransition);
    connect(navigationBar_, &NavigationBar::backButtonClicked, this, [this] { goBack(true); });
    viewControllers_.push_back(rootViewController);
    adopt(rootViewController);
    rootViewController->show();
    showTopItem();
}

NavigationController::~NavigationController() {
    // The bar gives the widgets it borrowed back to their screens, so that each goes with its own.
    navigationBar_->setItem(nullptr, QString());
}

std::vector<QWidget*> NavigationController::viewControllers() const { return viewControllers_; }

NavigationItem* NavigationController::navigationItemOf(QWidget* viewController) const {
    if (auto* screen = qobject_cast<ViewController*>(viewController)) return screen->navigationItem();
    return viewController->findChild<NavigationItem*>(QString(), Qt::FindDirectChildrenOnly);
}

void NavigationController::adopt(QWidget* viewController) {
    viewController->setParent(this);
    viewController->setGeometry(contentRect());
    if (!navigationItemOf(viewController)) new NavigationItem(viewController);
    if (auto* screen = qobject_cast<ViewController*>(viewController)) screen->loadViewIfNeeded();
    navigationBar_->raise();
}

void NavigationController::discard(QWidget* viewController) {
    if (!viewController) return;
    if (auto* stack = qobject_cast<NavigationController*>(viewController)) {
        stack->completeTransition();
        for (QWidget* screen : stack->viewControllers_) discard(screen);
        discard(stack->modalViewController_);
    } else if (auto* screen = qobject_cast<ViewController*>(viewController)) {
        screen->releaseAll();
    }
    viewController->hide();
    viewController->deleteLater();
}

void NavigationController::pushViewController(QWidget* viewController, bool animated) {
    completeTransition();
    QWidget* outgoing = topViewController();
    if (animated) navigationBar_->crossFadeFrom(navigationBar_->grab());
    viewControllers_.push_back(viewController);
    adopt(viewController);
    showTopItem();
    sendAppearance(outgoing, &ViewController::viewWillDisappear, animated);
    sendAppearance(viewController, &ViewController::viewWillAppear, animated);
    viewController->show();
    startTransition({TransitionKind::Push, viewController, outgoing}, animated);
}

QWidget* NavigationController::popViewControllerAnimated(bool animated) {
    completeTransition();
    if (viewControllers_.size() < 2) return nullptr;
    QWidget* outgoing = topViewController();
    if (animated) navigationBar_->crossFadeFrom(navigationBar_->grab());
    viewControllers_.pop_back();
    QWidget* incoming = topViewController();
    showTopItem();
    sendAppearance(outgoing, &ViewController::viewWillDisappear, animated);
    sendAppearance(incoming, &ViewController::viewWillAppear, animated);
    incoming->setGeometry(contentRect());
    incoming->show();
    startTransition({TransitionKind::Pop, incoming, outgoing}, animated);
    return outgoing;
}

void NavigationController::popToRootViewControllerAnimated(bool animated) {
    completeTransition();
    if (viewControllers_.size() < 2) return;
    // The screens between the top and the root are never seen again.
    for (size_t index = viewControllers_.size() - 2; index > 0; --index) discard(viewControllers_[index]);
    viewControllers_.erase(viewControllers_.begin() + 1, viewControllers_.end() - 1);
    popViewControllerAnimated(animated);
}

bool NavigationController::goBack(bool animated) {
    completeTransition();
    if (viewControllers_.size() > 1) {
        popViewControllerAnimated(animated);
        return true;
    }
    if (NavigationController* presenter = presentingNavigationController()) {
        presenter->dismissModalViewControllerAnimated(animated);
        return true;
    }
    return false;
}

void NavigationController::presentModalViewController(QWidget* modalViewController, bool animated,
                                                      ModalTransitionStyle style) {
    completeTransition();
    if (modalViewController_) {
        Log::line("NavigationController: already presenting, the new screen is dropped");
        modalViewController->deleteLater();
        return;
    }
    const bool flips = animated && style == ModalTransitionStyle::FlipHorizontal;
    const QPixmap front = flips ? grab() : QPixmap();
    modalViewController_ = modalViewController;
    modalTransitionStyle_ = style;
    modalViewController->setParent(this);
    modalViewController->setGeometry(rect());
    if (auto* screen = qobject_cast<ViewController*>(modalViewController)) screen->loadViewIfNeeded();
    inputShield_->setGeometry(rect());
    inputShield_->raise();
    inputShield_->show();
    sendAppearance(topViewController(), &ViewController::viewWillDisappear, animated);
    sendAppearance(modalViewController, &ViewController::viewWillAppear, animated);
    modalViewController->raise();
    modalViewController->show();
    if (flips) {
        flipView_ = new FlipTransitionView(front, modalViewController, FlipTransitionView::FromRight, this);
        flipView_->setGeometry(rect());
        flipView_->show();
    }
    startTransition({TransitionKind::Present, modalViewController, topViewController(), style}, animated);
}

void NavigationController::dismissModalViewControllerAnimated(bool animated) {
    completeTransition();
    if (!modalViewController_) {
        if (NavigationController* presenter = presentingNavigationController()) {
            presenter->dismissModalViewControllerAnimated(animated);
        }
        return;
    }
    QWidget* outgoing = modalViewController_;
    modalViewController_ = nullptr;
    // Keys typed from now on belong to this stack again.
    if (QWidget* focus = QApplication::focusWidget(); focus && outgoing->isAncestorOf(focus)) focus->clearFocus();
    sendAppearance(outgoing, &ViewController::viewWillDisappear, animated);
    sendAppearance(topViewController(), &ViewController::viewWillAppear, animated);
    if (animated && modalTransitionStyle_ == ModalTransitionStyle::FlipHorizontal) {
        const QPixmap front = outgoing->grab();
        outgoing->hide();
        flipView_ = new FlipTransitionView(front, grab(), FlipTransitionView::FromLeft, this);
        flipView_->setGeometry(rect());
        flipView_->show();
    }
    startTransition({TransitionKind::Dismiss, nullptr, outgoing, modalTransitionStyle_}, animated);
}

NavigationController* NavigationController::presentingNavigationController() const {
    auto* presenter = qobject_cast<NavigationController*>(parentWidget());
    return presenter && presenter->modalViewController_ == this ? presenter : nullptr;
}

bool NavigationController::isTransitioning() const { return transition_.kind != TransitionKind::None; }

void NavigationController::startTransition(Transition transition, bool animated) {
    transition_ = std::move(transition);
    if (transition_.kind == TransitionKind::Push || transition_.kind == TransitionKind::Pop) {
        inputShield_->setGeometry(rect());
        inputShield_->raise();
        inputShield_->show();
        // Keys typed while the screens slide reach neither screen, as clicks do not: the stack
        // takes them (Escape still goes back) until the screen on top has the focus. A screen
        // sliding away is out of the stack already and has nowhere to push to.
        QWidget* focus = QApplication::focusWidget();
        QWidget* outgoing = transition_.outgoing;
        if (focus && outgoing && (focus == outgoing || outgoing->isAncestorOf(focus))) setFocus(Qt::OtherFocusReason);
    }
    if (flipView_) flipView_->raise();
    if (!animated) {
        setTransitionProgress(1.0);
        finishTransition();
        return;
    }
    double seconds = NavigationControllerSlideDuration;
    if (transition_.kind == TransitionKind::Present || transition_.kind == TransitionKind::Dismiss) {
        seconds = transition_.style == ModalTransitionStyle::FlipHorizontal ? NavigationControllerFlipDuration
                                                                            : NavigationControllerPresentDuration;
    }
    setTransitionProgress(0.0);
    transitionAnimation_->setDuration(milliseconds(seconds));
    transitionAnimation_->start();
}

void NavigationController::setTransitionProgress(qreal progress) {
    transitionProgress_ = progress;
    const QRect content = contentRect();
    const int width = content.width();
    const int height = this->height();
    const auto slide = [&](QWidget* screen, qreal offset) {
        if (screen) screen->move(content.left() + qRound(offset * width), content.top());
    };
    const bool flips = transition_.style == ModalTransitionStyle::FlipHorizontal && flipView_;
    switch (transition_.kind) {
        case TransitionKind::Push:
            slide(transition_.incoming, 1.0 - progress);
            slide(transition_.outgoing, -progress);
            navigationBar_->setCrossFadeProgress(progress);
            break;
        case TransitionKind::Pop:
            slide(transition_.incoming, progress - 1.0);
            slide(transition_.outgoing, progress);
            navigationBar_->setCrossFadeProgress(progress);
            break;
        case TransitionKind::Present:
            if (flips)
                flipView_->setProgress(progress);
            else if (transition_.incoming)
                transition_.incoming->move(0, qRound((1.0 - progress) * height));
            break;
        case TransitionKind::Dismiss:
            if (flips)
                flipView_->setProgress(progress);
            else if (transition_.outgoing)
                transition_.outgoing->move(0, qRound(progress * height));
            break;
        case TransitionKind::None: break;
    }
}

void NavigationController::finishTransition() {
    const Transition finished = std::exchange(transition_, Transition{});
    transitionProgress_ = 1.0;
    navigationBar_->endCrossFade();
    if (flipView_) {
        flipView_->hide();
        flipView_->deleteLater();
        flipView_ = nullptr;
    }
    switch (finished.kind) {
        case TransitionKind::Push:
            if (finished.outgoing) {
                finished.outgoing->hide();
                finished.outgoing->setGeometry(contentRect());
            }
            if (finished.incoming) finished.incoming->setGeometry(contentRect());
            if (!modalViewController_) inputShield_->hide();
            sendAppearance(finished.outgoing, &ViewController::viewDidDisappear, true);
            sendAppearance(finished.incoming, &ViewController::viewDidAppear, true);
            focusTop();
            break;
        case TransitionKind::Pop:
            if (finished.incoming) finished.incoming->setGeometry(contentRect());
            if (!modalViewController_) inputShield_->hide();
            sendAppearance(finished.outgoing, &ViewController::viewDidDisappear, true);
            discard(finished.outgoing);
            sendAppearance(finished.incoming, &ViewController::viewDidAppear, true);
            focusTop();
            break;
        case TransitionKind::Present:
            if (finished.incoming) {
                finished.incoming->setGeometry(rect());
                sendAppearance(finished.outgoing, &ViewController::viewDidDisappear, true);
                sendAppearance(finished.incoming, &ViewController::viewDidAppear, true);
                if (auto* stack = qobject_cast<NavigationController*>(finished.incoming.data())) {
                    stack->focusTop();
                } else {
                    finished.incoming->setFocus(Qt::OtherFocusReason);
                    Accessibility::postNotification(AccessibilityNotification::ScreenChanged, finished.incoming);
                }
            }
            break;
        case TransitionKind::Dismiss:
            inputShield_->hide();
            sendAppearance(finished.outgoing, &ViewController::viewDidDisappear, true);
            discard(finished.outgoing);
            sendAppearance(topViewController(), &ViewController::viewDidAppear, true);
            focusTop();
            break;
        case TransitionKind::None: break;
    }
}

void NavigationController::completeTransition() {
    if (!isTransitioning()) return;
    transitionAnimation_->stop();
    setTransitionProgress(1.0);
    finishTransition();
}

void NavigationController::showTopItem() {
    // A null title offers no way back; a screen without a title offers the plain word.
    QString backTitle;
    if (viewControllers_.size() > 1) {
        backTitle = navigationItemOf(viewControllers_[viewControllers_.size() - 2])->title();
        if (backTitle.isNull()) backTitle = QStringLiteral("");
    }
    navigationBar_->setItem(navigationItemOf(topViewController()), backTitle);
}

void NavigationController::focusTop() {
    if (modalViewController_) return;
    QWidget* top = topViewController();
    if (top->focusPolicy() != Qt::NoFocus || top->focusProxy()) top->setFocus(Qt::OtherFocusReason);
    // A screen reader moves to where the keyboard now is, or to the screen itself.
    QWidget* focus = QApplication::focusWidget();
    Accessibility::postNotification(AccessibilityNotification::ScreenChanged,
                                    focus && top->isAncestorOf(focus) ? focus : top);
}

QRect NavigationController::contentRect() const {
    const int barHeight = qRound(PointScale::pixelsFromPoints(NavigationControllerBarHeight));
    return QRect(0, barHeight, width(), std::max(0, height() - barHeight));
}

void NavigationController::layoutChildren() {
    const double width = PointScale::pointsFromPixels(this->width());
    navigationBar_->setGeometry(PointGeometry::pixelRectFromPoints(0, 0, width, NavigationControllerBarHeight));
    for (QWidget* screen : viewControllers_) screen->setGeometry(contentRect());
    if (modalViewController_) modalViewController_->setGeometry(rect());
    if (transition_.kind == TransitionKind::Dismiss && transition_.outgoing) transition_.outgoing->setGeometry(rect());
    inputShield_->setGeometry(rect());
    if (flipView_) flipView_->setGeometry(rect());
    if (isTransitioning()) setTransitionProgress(transitionProgress_);
}

void NavigationController::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutChildren();
}

void NavigationController::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool back = (event->key() == Qt::Key_Escape && modifiers == Qt::NoModifier) ||
                      (event->key() == Qt::Key_Left && modifiers == Qt::AltModifier);
    if (!back) {
        QWidget::keyPressEvent(event);
        return;
    }
    // A key that a bare presented screen left alone closes it.
    if (modalViewController_) {
        dismissModalViewControllerAnimated(true);
        return;
    }
    if (!goBack(true)) event->ignore();
}

void NavigationController::setTitleView(QWidget* titleView) {
    navigationItemOf(rootViewController())->setTitleView(titleView);
}

void NavigationController::setRightBarButtonItem(QWidget* button) {
    navigationItemOf(rootViewController())->setRightBarButtonItem(button);
}

void NavigationController::setTintColor(const QColor& colour) { navigationBar_->setTintColor(colour); }

QWidget* NavigationController::navigationBar() const { return navigationBar_; }

NavigationController* NavigationController::navigationControllerOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        auto* stack = qobject_cast<NavigationController*>(w->parentWidget());
        if (stack && std::find(stack->viewControllers_.begin(), stack->viewControllers_.end(), w) !=
                         stack->viewControllers_.end()) {
            return stack;
        }
    }
    return nullptr;
}

bool NavigationController::isViewCovered(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        auto* stack = qobject_cast<NavigationController*>(w->parentWidget());
        if (stack && stack->modalViewController_ && stack->modalViewController_ != w) return true;
    }
    return ModalOverlay::isShownOver(widget);
}
