#pragma once

#include <string_view>

#include "Calculator/OperatorsModule.h"
#include "Model/CalcValue.h"
#include "Platform/UI/EditMenu.h"
#include "Platform/UI/OneShotTimer.h"
#include "Platform/UI/ViewController.h"
#include "Utils/CalcValueFormat.h"

class CalcEngine;
class UIButtonLCD;

constexpr std::string_view DisplayViewControllerNotificationButtonPressed =
    "DisplayViewControllerNotificationButtonPressed";

// One page of the display strip: an LCD that shows the screen's updates, keeps its operator
// indicator in step with the engine, and opens Copy/Paste after a one-second press or on a
// right-click.
class DisplayViewController : public ViewController, public EditMenuTarget {
    Q_OBJECT

public:
    static constexpr double DisplayViewControllerHoldSeconds = 1.0;

    explicit DisplayViewController(QWidget* parent = nullptr);
    DisplayViewController(CalcEngine& engine, QWidget* parent = nullptr);
    ~DisplayViewController() override;

    void updateWithEditingCalcValue(const CalcValue& value, const CalcValueFormat& format, int32_t decimalPointDivider,
                                    bool hasExponent, int32_t exponent);
    void updateWithCalcValue(const CalcValue& value, const CalcValueFormat& format);
    void updateWithError(OperatorsError error);
    void updateWithWordSize(int wordSize, CalcValueType type);

    UIButtonLCD* button() const { return button_; }
    bool isShowingMenu() const { return isShowingMenu_; }
    bool isTimerRunning() const { return buttonTimer_.isActive(); }

    void buttonTimeout();
    void removeButtonTimer();
    // Also lets go of the timer and the edit menu; run before destruction or when hidden for good.
    void releaseAll() override;

    bool canPerformAction(EditMenuAction action) override;
    void copy() override;
    void paste() override;

protected:
    void viewDidLoad() override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void showEditMenu();
    void buttonTouchDown();
    void buttonTouchUpInside();
    void buttonTouchUpOutside();
    void buttonTouchCancel();
    void menuReset();

    CalcEngine& engine_;
    UIButtonLCD* button_;
    OneShotTimer buttonTimer_;
    bool isShowingMenu_ = false;
};
