#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>
#include <vector>

class FlipTransitionView;
class NavigationBar;
class NavigationItem;
class QPropertyAnimation;

enum class ModalTransitionStyle { CoverVertical, FlipHorizontal };

// A stack of screens under a navigation bar, laid out in points. Pushing slides the new screen
// in from the right, popping slides it back out (0.3 s); the bar shows the top screen's item
// and a way back titled with the previous screen's title. Another widget, usually a stack of
// its own, can be presented over the whole stack: it slides up from the bottom, or flips in
// (0.5 s), and covers the stack until it is dismissed. The stack owns its screens and what it
// presents: a screen that is popped or dismissed is released and deleted.
//
// Escape and Alt+Left go back one screen, or close a presented stack at its root. While a
// transition runs, clicks on the stack are held off; a new push, pop or dismissal first ends
// the transition that runs.
class NavigationController : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal transitionProgress READ transitionProgress WRITE setTransitionProgress)

public:
    static constexpr double NavigationControllerBarHeight = 44.0;
    static constexpr double NavigationControllerSlideDuration = 0.3;
    static constexpr double NavigationControllerPresentDuration = 0.35;
    static constexpr double NavigationControllerFlipDuration = 0.5;

    explicit NavigationController(QWidget* rootViewController, QWidget* parent = nullptr);
    ~NavigationController() override;

    QWidget* view() { return this; }
    QWidget* rootViewController() const { return viewControllers_.front(); }
    QWidget* topViewController() const { return viewControllers_.back(); }
    std::vector<QWidget*> viewControllers() const;
    NavigationItem* navigationItemOf(QWidget* viewController) const;

    void pushViewController(QWidget* viewController, bool animated);
    // The screen taken off (deleted once the slide ends), or null at the root.
    QWidget* popViewControllerAnimated(bool animated);
    void popToRootViewControllerAnimated(bool animated);
    // One screen back or, at the root of a presented stack, closes it. False when there is
    // nowhere to go.
    bool goBack(bool animated = true);

    // Covers this stack with the widget until it is dismissed; the stack owns it from now on.
    // Ignored while something is presented already.
    void presentModalViewController(QWidget* modalViewController, bool animated,
                                    ModalTransitionStyle style = ModalTransitionStyle::CoverVertical);
    // Closes what this stack presented or, when it presented nothing, this stack itself.
    void dismissModalViewControllerAnimated(bool animated);
    QWidget* modalViewController() const { return modalViewController_; }
    // The stack that presented this one, or null.
    NavigationController* presentingNavigationController() const;
    bool isTransitioning() const;

    // The stack whose screens hold the widget, or null.
    static NavigationController* navigationControllerOf(const QWidget* widget);
    // True while something presented over one of the widget's stacks, a sheet or an alert
    // covers the widget: its keyboard shortcuts are then off.
    static bool isViewCovered(const QWidget* widget);

    // The root screen's bar: its title view and right bar button, and the bar's tint.
    void setTitleView(QWidget* titleView);
    void setRightBarButtonItem(QWidget* button);
    void setTintColor(const QColor& colour);
    QWidget* navigationBar() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class TransitionKind { None, Push, Pop, Present, Dismiss };
    struct Transition {
        TransitionKind kind = TransitionKind::None;
        QPointer<QWidget> incoming;
        QPointer<QWidget> outgoing;
        ModalTransitionStyle style = ModalTransitionStyle::CoverVertical;
    };

    qreal transitionProgress() const { return transitionProgress_; }
    void setTransitionProgress(qreal progress);
    void startTransition(Transition transition, bool animated);
    void finishTransition();
    // Ends the transition that runs at once, as if its animation had played out.
    void completeTransition();
    void adopt(QWidget* viewController);
    void discard(QWidget* viewController);
    void showTopItem();
    void focusTop();
    QRect contentRect() const;
    void layoutChildren();

    std::vector<QWidget*> viewControllers_;
    NavigationItem* rootNavigationItem_ = nullptr;
    NavigationBar* navigationBar_;
    QWidget* inputShield_;
    QPointer<QWidget> modalViewController_;
    ModalTransitionStyle modalTransitionStyle_ = ModalTransitionStyle::CoverVertical;
    QPropertyAnimation* transitionAnimation_;
    Transition transition_;
    qreal transitionProgress_ = 1.0;
    QPointer<FlipTransitionView> flipView_;
};
