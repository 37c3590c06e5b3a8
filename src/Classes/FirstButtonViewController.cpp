#include "Classes/FirstButtonViewController.h"

#include <QResizeEvent>

#include "Calculator/CalcEngine.h"
#include "Calculator/CalcScreenLogic.h"
#include "Calculator/OperatorsBasic.h"
#include "Calculator/OperatorsFormat.h"
#include "Classes/KeypadLayout.h"
#include "Classes/Notifications.h"
#include "Classes/UIButtonWithHold.h"
#include "Model/UserSettings.h"
#include "Platform/Core/Localized.h"
#include "Platform/Core/Log.h"
#include "Platform/Core/NotificationCenter.h"
#include "Platform/UI/Accessibility.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/ImageView.h"
#include "Platform/UI/PointScale.h"

namespace {

constexpr const char* kDigitTitles[16] = {"0", "1", "2", "3", "4", "5", "6", "7",
                                          "8", "9", "A", "B", "C", "D", "E", "F"};

// Where each digit sits: the hexadecimal digits above the familiar 7-8-9 block, 0 wide.
constexpr KeypadCell kDigitCells[16] = {
    {5, 0, 1, 2}, {4, 0, 1, 1}, {4, 1, 1, 1}, {4, 2, 1, 1}, {3, 0, 1, 1}, {3, 1, 1, 1}, {3, 2, 1, 1}, {2, 0, 1, 1},
    {2, 1, 1, 1}, {2, 2, 1, 1}, {1, 0, 1, 1}, {1, 1, 1, 1}, {1, 2, 1, 1}, {0, 0, 1, 1}, {0, 1, 1, 1}, {0, 2, 1, 1},
};

}  // namespace

FirstButtonViewController::FirstButtonViewController(QWidget* parent)
    : FirstButtonViewController(CalcEngine::sharedInstance(), UserSettings::sharedInstance(), parent) {}

FirstButtonViewController::FirstButtonViewController(CalcEngine& engine, UserSettings& settings, QWidget* parent)
    : ViewController(parent), engine_(engine), settings_(settings) {
    // No focus of its own: the keyboard drives the calculator through CalcKeyboard.
    setFocusPolicy(Qt::NoFocus);
    loadViewIfNeeded();
}

FirstButtonViewController::~FirstButtonViewController() { releaseAll(); }

void FirstButtonViewController::viewDidLoad() {
    background_ = new ImageView(this);
    background_->setImage(ImageStore::imageNamed("backgroundCalc.png"));

    for (int digit = 0; digit < 16; ++digit) {
        UIButton* key = new UIButton(this);
        addKey(key, kDigitTitles[digit], kDigitTitles[digit], kDigitCells[digit], KeyFace::Digit);
        connect(key, &UIButton::touchUpInside, this, [this, digit] { actionButtonDigit(digit); });
        numberButtons_[static_cast<size_t>(digit)] = key;
    }

    buttonPlusMinus_ = new UIButtonWithHold(this);
    addKey(buttonPlusMinus_, "±", "Plus minus", {3, 3, 1, 1}, KeyFace::Function);
    Accessibility::setHint(buttonPlusMinus_, Localized::string("Hold to switch between signed and unsigned."));
    buttonPlusMinus_->setHoldAction(QString::fromStdString(Localized::string("Switch signed and unsigned")),
                                    [this] { buttonPlusMinus_->buttonTimeout(); });
    connect(buttonPlusMinus_, &UIButton::touchUpInside, this, &FirstButtonViewController::buttonPlusMinus);

    // The other keys, one row each: title, spoken label, place, face, field and action.
    static constexpr struct {
        const char* title;
        const char* accessibilityLabel;
        KeypadCell cell;
        KeyFace face;
        UIButton* FirstButtonViewController::*field;
        void (FirstButtonViewController::*action)();
    } keys[] = {
        {".",
         "Decimal point",
         {5, 2, 1, 1},
         KeyFace::Digit,
         &FirstButtonViewController::buttonDecimalPoint_,
         &FirstButtonViewController::buttonDecimalPoint},
        {"AC",
         "Clear",
         {0, 3, 1, 1},
         KeyFace::Clear,
         &FirstButtonViewController::buttonClear_,
         &FirstButtonViewController::buttonClear},
        {"f(x)",
         "Functions",
         {1, 3, 1, 1},
         KeyFace::Function,
         &FirstButtonViewController::buttonMenu_,
         &FirstButtonViewController::buttonMenu},
        {"EXP",
         "Exponent",
         {2, 3, 1, 1},
         KeyFace::Function,
         &FirstButtonViewController::buttonExponent_,
         &FirstButtonViewController::buttonExponent},
        {"÷",
         "Divide",
         {0, 4, 1, 1},
         KeyFace::Operator,
         &FirstButtonViewController::buttonDivide_,
         &FirstButtonViewController::buttonDivide},
        {"×",
         "Multiply",
         {1, 4, 1, 1},
         KeyFace::Operator,
         &FirstButtonViewController::buttonMultiply_,
         &FirstButtonViewController::buttonMultiply},
        {"−",
         "Subtract",
         {2, 4, 1, 1},
         KeyFace::Operator,
         &FirstButtonViewController::buttonSubtract_,
         &FirstButtonViewController::buttonSubtract},
        {"+",
         "Add",
         {3, 4, 1, 1},
         KeyFace::Operator,
         &FirstButtonViewController::buttonAdd_,
         &FirstButtonViewController::buttonAdd},
        {"=",
         "Equals",
         {4, 3, 2, 2},
         KeyFace::Equals,
         &FirstButtonViewController::buttonEquals_,
         &FirstButtonViewController::buttonEquals},
    };
    for (const auto& definition : keys) {
        UIButton* key = new UIButton(this);
        addKey(key, definition.title, definition.accessibilityLabel, definition.cell, definition.face);
        connect(key, &UIButton::touchUpInside, this, definition.action);
        this->*definition.field = key;
    }

    background_->lower();

    buttonPlusMinus_->delegate = this;
    for (std::string_view name :
         {NotificationsNotificationBaseHasChanged, NotificationsNotificationAccumulatorHasChanged}) {
        observe(name, [this](const Notification&) { updateButtons(); });
    }
    updateButtons();
}

void FirstButtonViewController::addKey(UIButton* key, const char* title, const char* accessibilityLabel,
                                       KeypadCell cell, KeyFace face) {
    key->setTitle(QString::fromUtf8(title));
    KeypadLayout::setFace(key, face);
    Accessibility::setLabel(key, Localized::string(accessibilityLabel));
    keypad_.add(key, cell);
}

void FirstButtonViewController::actionButtonDigit(int digit) { engine_.enterValue(digit); }
void FirstButtonViewController::buttonAdd() { engine_.enterOperator(OperatorsOperatorAdd); }
void FirstButtonViewController::buttonSubtract() { engine_.enterOperator(OperatorsOperatorSubtract); }
void FirstButtonViewController::buttonMultiply() { engine_.enterOperator(OperatorsOperatorMultiply); }
void FirstButtonViewController::buttonDivide() { engine_.enterOperator(OperatorsOperatorDivide); }
void FirstButtonViewController::buttonEquals() { engine_.enterEquals(); }
void FirstButtonViewController::buttonClear() { engine_.clear(); }
void FirstButtonViewController::buttonDecimalPoint() { engine_.enterDecimalPoint(); }
void FirstButtonViewController::buttonExponent() { engine_.enterExponent(); }

void FirstButtonViewController::buttonPlusMinus() {
    engine_.enterPlusMinus();
    // The engine reports only a change it made itself; the screen must redraw either way.
    if (CalcEngineDelegate* delegate = engine_.delegate()) delegate->calcEngineAccumulatorUpdate(engine_);
}

void FirstButtonViewController::buttonMenu() {
    NotificationCenter::defaultCenter().post(FirstButtonViewControllerNotificationMenuButton);
}

void FirstButtonViewController::updateButtons() {
    const int usableDigits = CalcScreenLogic::usableDigitCount(engine_);
    for (int digit = 0; digit < 16; ++digit) {
        UIButton* key = numberButtons_[static_cast<size_t>(digit)];
        const bool enabled = digit < usableDigits;
        if (key->isEnabled() != enabled) key->setEnabled(enabled);
    }
    const bool realKeys = CalcScreenLogic::realKeysEnabled(engine_);
    buttonDecimalPoint_->setEnabled(realKeys);
    buttonExponent_->setEnabled(realKeys);
    buttonClear_->setTitle(engine_.willClearAll() ? QStringLiteral("AC") : QStringLiteral("C"));
}

void FirstButtonViewController::buttonWithHoldTimeout(UIButtonWithHold&) {
    Log::line("buttonWithHold timeout");
    const CalcValueType type = engine_.accumulatorCalcValue().type();
    const int32_t integerType = settings_.integerType();
    if (type == CalcValueTypeUBase && integerType == 0) {
        settings_.setIntegerType(1);
        engine_.enterOperator(OperatorsOperatorToSBase);
    } else if (type == CalcValueTypeSBase && integerType == 1) {
        settings_.setIntegerType(0);
        engine_.enterOperator(OperatorsOperatorToUBase);
    }
}

void FirstButtonViewController::releaseAll() {
    ViewController::releaseAll();
    if (buttonPlusMinus_) {
        buttonPlusMinus_->removeButtonTimer();
        buttonPlusMinus_->delegate = nullptr;
    }
}

void FirstButtonViewController::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Drawn again for the present scale, so that it stays sharp.
    background_->setImage(ImageStore::imageNamed("backgroundCalc.png"));
    background_->setGeometry(rect());
    keypad_.layout(size());
}
