#pragma once

#include <array>
#include <string_view>

#include "Classes/KeypadLayout.h"
#include "Classes/UIButtonWithHoldDelegate.h"
#include "Platform/UI/ViewController.h"

class CalcEngine;
class ImageView;
class UIButton;
class UIButtonWithHold;
class UserSettings;

constexpr std::string_view FirstButtonViewControllerNotificationMenuButton =
    "FirstButtonViewControllerNotificationMenuButton";

// The first page of the keypad strip: the sixteen digits, the four basic operators, equals,
// clear, decimal point, exponent, plus/minus and the menu key. Every key calls the engine; the
// page keeps the keys' enabled state in step with the value and the number base.
class FirstButtonViewController : public ViewController, public UIButtonWithHoldDelegate {
    Q_OBJECT

public:
    explicit FirstButtonViewController(QWidget* parent = nullptr);
    FirstButtonViewController(CalcEngine& engine, UserSettings& settings, QWidget* parent = nullptr);
    ~FirstButtonViewController() override;

    void actionButtonDigit(int digit);
    void buttonAdd();
    void buttonSubtract();
    void buttonMultiply();
    void buttonDivide();
    void buttonEquals();
    void buttonClear();
    void buttonDecimalPoint();
    void buttonExponent();
    void buttonPlusMinus();
    void buttonMenu();

    void updateButtons();
    void buttonWithHoldTimeout(UIButtonWithHold& button) override;

    // The keys, for the physical keyboard and for tests.
    UIButton* numberButton(int digit) const { return numberButtons_[static_cast<size_t>(digit)]; }
    UIButton* buttonDecimalPointKey() const { return buttonDecimalPoint_; }
    UIButton* buttonExponentKey() const { return buttonExponent_; }
    UIButtonWithHold* buttonPlusMinusKey() const { return buttonPlusMinus_; }
    UIButton* buttonClearKey() const { return buttonClear_; }
    UIButton* buttonAddKey() const { return buttonAdd_; }
    UIButton* buttonSubtractKey() const { return buttonSubtract_; }
    UIButton* buttonMultiplyKey() const { return buttonMultiply_; }
    UIButton* buttonDivideKey() const { return buttonDivide_; }
    UIButton* buttonEqualsKey() const { return buttonEquals_; }
    UIButton* buttonMenuKey() const { return buttonMenu_; }

    void releaseAll() override;

protected:
    void viewDidLoad() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void addKey(UIButton* key, const char* title, const char* accessibilityLabel, KeypadCell cell, KeyFace face);

    CalcEngine& engine_;
    UserSettings& settings_;
    std::array<UIButton*, 16> numberButtons_{};
    UIButton* buttonDecimalPoint_ = nullptr;
    UIButton* buttonExponent_ = nullptr;
    UIButtonWithHold* buttonPlusMinus_ = nullptr;
    UIButton* buttonClear_ = nullptr;
    UIButton* buttonAdd_ = nullptr;
    UIButton* buttonSubtract_ = nullptr;
    UIButton* buttonMultiply_ = nullptr;
    UIButton* buttonDivide_ = nullptr;
    UIButton* buttonEquals_ = nullptr;
    UIButton* buttonMenu_ = nullptr;
    ImageView* background_ = nullptr;
    KeypadLayout keypad_;
};
