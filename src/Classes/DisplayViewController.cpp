#include "Classes/DisplayViewController.h"

#include <QContextMenuEvent>

#include "Calculator/CalcEngine.h"
#include "Calculator/CalcScreenLogic.h"
#include "Calculator/Operators.h"
#include "Classes/Notifications.h"
#include "Classes/UIButtonLCD.h"
#include "Platform/Core/Localized.h"
#include "Platform/Core/Log.h"
#include "Platform/Core/NotificationCenter.h"
#include "Platform/UI/Clipboard.h"
#include "Utils/NumberUtils.h"

DisplayViewController::DisplayViewController(QWidget* parent)
    : DisplayViewController(CalcEngine::sharedInstance(), parent) {}

DisplayViewController::DisplayViewController(CalcEngine& engine, QWidget* parent)
    : ViewController(parent), engine_(engine), button_(new UIButtonLCD(this)) {
    // No focus of its own: the keyboard drives the calculator through CalcKeyboard.
    setFocusPolicy(Qt::NoFocus);
    loadViewIfNeeded();
}

DisplayViewController::~DisplayViewController() { releaseAll(); }

void DisplayViewController::viewDidLoad() {
    setAttribute(Qt::WA_TranslucentBackground);
    button_->setGeometry(rect());
    connect(button_, &UIButton::touchDown, this, [this] { buttonTouchDown(); });
    // A finger that slides off the LCD is no longer holding it.
    connect(button_, &UIButton::touchDragExit, this, [this] { removeButtonTimer(); });
    connect(button_, &UIButton::touchUpInside, this, [this] { buttonTouchUpInside(); });
    connect(button_, &UIButton::touchUpOutside, this, [this] { buttonTouchUpOutside(); });
    connect(button_, &UIButton::touchCancel, this, [this] { buttonTouchCancel(); });
    button_->setHoldAction(QString::fromStdString(Localized::string("Copy and Paste")), [this] {
        removeButtonTimer();
        showEditMenu();
    });
    observe(NotificationsNotificationAccumulatorHasChanged,
            [this](const Notification&) { button_->setCurrOperator(engine_.currOperator()); });
    // Another edit menu ends the touch that opened this one.
    observe(EditMenuNotificationWillShowMenu, [this](const Notification&) { menuReset(); });
    isShowingMenu_ = false;
}

void DisplayViewController::releaseAll() {
    ViewController::releaseAll();
    removeButtonTimer();
    EditMenu::sharedMenu().forgetTarget(this);
}

void DisplayViewController::resizeEvent(QResizeEvent*) { button_->setGeometry(rect()); }

void DisplayViewController::updateWithEditingCalcValue(const CalcValue& value, const CalcValueFormat& format,
                                                       int32_t decimalPointDivider, bool hasExponent,
                                                       int32_t exponent) {
    button_->updateWithEditingCalcValue(value, format, decimalPointDivider, hasExponent, exponent);
}

void DisplayViewController::updateWithCalcValue(const CalcValue& value, const CalcValueFormat& format) {
    button_->updateWithCalcValue(value, format);
}

void DisplayViewController::updateWithError(OperatorsError error) { button_->updateWithError(error); }

void DisplayViewController::updateWithWordSize(int wordSize, CalcValueType type) {
    button_->updateWithWordSize(wordSize, type);
}

void DisplayViewController::buttonTouchDown() {
    // A new touch means the one that opened a menu has ended, wherever it was lifted.
    isShowingMenu_ = false;
    buttonTimer_.start(DisplayViewControllerHoldSeconds, [this] { buttonTimeout(); });
}

void DisplayViewController::buttonTouchUpInside() {
    removeButtonTimer();
    if (!isShowingMenu_) NotificationCenter::defaultCenter().post(DisplayViewControllerNotificationButtonPressed);
    isShowingMenu_ = false;
}

void DisplayViewController::buttonTouchUpOutside() {
    removeButtonTimer();
    isShowingMenu_ = false;
}

void DisplayViewController::buttonTouchCancel() {
    removeButtonTimer();
    isShowingMenu_ = false;
}

void DisplayViewController::buttonTimeout() {
    removeButtonTimer();
    Log::line("button timeout");
    showEditMenu();
    // The menu takes the pointer from here on: the LCD pops up now, not when the finger lifts.
    button_->setDown(false);
    isShowingMenu_ = true;
}

void DisplayViewController::showEditMenu() {
    button_->update();
    EditMenu& menu = EditMenu::sharedMenu();
    menu.setTargetRect(button_->geometry(), this);
    menu.setMenuVisible(true, this);
}

void DisplayViewController::contextMenuEvent(QContextMenuEvent* event) {
    // A right-click (or the menu key) asks at once for what a one-second press offers.
    removeButtonTimer();
    showEditMenu();
    event->accept();
}

void DisplayViewController::menuReset() { isShowingMenu_ = false; }

void DisplayViewController::removeButtonTimer() { buttonTimer_.stop(); }

bool DisplayViewController::canPerformAction(EditMenuAction action) {
    switch (action) {
        case EditMenuAction::Copy: return true;
        case EditMenuAction::Paste: {
            const std::optional<std::string> text =
                Clipboard::valueForPasteboardType(Clipboard::ClipboardTypeUTF8PlainText);
            return text && NumberUtils::calcValueFromString(*text).has_value();
        }
    }
    return false;
}

void DisplayViewController::copy() {
    Clipboard::setValueForPasteboardType(button_->title().toStdString(), Clipboard::ClipboardTypeUTF8PlainText);
}

void DisplayViewController::paste() {
    const std::optional<std::string> text = Clipboard::valueForPasteboardType(Clipboard::ClipboardTypeUTF8PlainText);
    if (!text) return;
    const std::optional<CalcValue> value =
        CalcScreenLogic::pastedCalcValueFromString(*text, Operators::sharedInstance().wordSize());
    if (value) engine_.enterAccumulatorCalcValue(*value);
}
