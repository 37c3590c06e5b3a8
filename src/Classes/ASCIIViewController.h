#pragma once

#include "Platform/UI/OneShotTimer.h"
#include "Platform/UI/ViewController.h"

class CalcEngine;
class UIButtonASCIITable;

// The ASCII table page: keeps the table in step with the engine's value and number base, and
// enters the code of a tapped cell. While the page is on screen every change of the value or
// the base (re)starts a short delay, so that typing a number redraws the table once.
class ASCIIViewController : public ViewController {
    Q_OBJECT

public:
    static constexpr double ASCIIViewControllerUpdateDelay = 0.75;
    // The view's size in points.
    static constexpr double ASCIIViewControllerWidth = 320;
    static constexpr double ASCIIViewControllerHeight = 800;

    explicit ASCIIViewController(QWidget* parent = nullptr);
    explicit ASCIIViewController(CalcEngine& engine, QWidget* parent = nullptr);

    UIButtonASCIITable* asciiTableButton() const { return asciiTableButton_; }

    void notificationBaseHasChanged();
    void updateTimerFired();
    bool isUpdatePending() const { return updateTimer_.isActive(); }
    // Tests shorten the delay.
    void setUpdateDelay(double seconds) { updateDelay_ = seconds; }

    // True while the page is on screen: the table follows the engine, and is brought up to date
    // at once when it becomes true.
    void setIsRedrawing(bool isRedrawing);
    bool isRedrawing() const { return isRedrawing_; }

    void updateASCIITable();
    void recalculateAccessibility();
    void buttonASCIITableAction();

    // Lays the view and the table out again for the present point scale.
    void layoutForPointScale();

    void releaseAll() override;

signals:
    // The table was brought in line with the engine.
    void asciiTableUpdated();

protected:
    void viewDidLoad() override;

private:
    CalcEngine& engine_;
    UIButtonASCIITable* asciiTableButton_ = nullptr;
    OneShotTimer updateTimer_;
    double updateDelay_ = ASCIIViewControllerUpdateDelay;
    bool isRedrawing_ = false;
};
