#include "Classes/CalcKeyboard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

#include "Classes/CalcViewController.h"
#include "Classes/FirstButtonViewController.h"
#include "Classes/UIButtonWithHold.h"
#include "Platform/UI/NavigationController.h"
#include "Platform/UI/UIButton.h"
#include "Platform/UI/UISegmentedControl.h"

namespace {

// How long a key pressed from the keyboard shows as pressed.
constexpr double kKeyFlashSeconds = 0.09;

}  // namespace

CalcKeyboard::CalcKeyboard(CalcViewController& calcViewController, QObject* parent)
    : QObject(parent), calcViewController_(calcViewController) {
    qApp->installEventFilter(this);
}

CalcKeyboard::~CalcKeyboard() { qApp->removeEventFilter(this); }

bool CalcKeyboard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != calcViewController_.window() || !calcViewController_.isVisible()) return false;
    // Keys typed into a menu, a sheet or an alert over the calculator are theirs.
    if (NavigationController::isViewCovered(&calcViewController_)) return false;
    const auto& keyEvent = *static_cast<QKeyEvent*>(event);
    // Space and Enter press the control that Tab moved to.
    const bool pressesFocused =
        keyEvent.key() == Qt::Key_Space || keyEvent.key() == Qt::Key_Return || keyEvent.key() == Qt::Key_Enter;
    const QWidget* focus = QApplication::focusWidget();
    if (pressesFocused && focus != nullptr && (focus->focusPolicy() & Qt::TabFocus)) return false;
    // The context-menu key holds the focused control when it has a hold of its own; otherwise
    // it opens the function menu.
    const auto* focusedButton = qobject_cast<const UIButton*>(focus);
    if (keyEvent.key() == Qt::Key_Menu && focusedButton != nullptr && focusedButton->hasHoldAction()) return false;
    return handleKeyPress(keyEvent);
}

bool CalcKeyboard::handleKeyPress(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (modifiers == Qt::ControlModifier) {
        switch (event.key()) {
            case Qt::Key_C: calcViewController_.copyDisplay(); return true;
            case Qt::Key_V: calcViewController_.pasteDisplay(); return true;
            case Qt::Key_Left: calcViewController_.turnDisplayPage(-1); return true;
            case Qt::Key_Right: calcViewController_.turnDisplayPage(1); return true;
            case Qt::Key_H: pressKey(calcViewController_.historyButton()); return true;
            case Qt::Key_Up: turnPage(calcViewController_.buttonScrollView(), -1); return true;
            case Qt::Key_Down: turnPage(calcViewController_.buttonScrollView(), 1); return true;
            case Qt::Key_PageUp: turnPage(calcViewController_.favouritesScrollView(), -1); return true;
            case Qt::Key_PageDown: turnPage(calcViewController_.favouritesScrollView(), 1); return true;
            case Qt::Key_1: calcViewController_.segmentedControl()->chooseSegmentAtIndex(0); return true;
            case Qt::Key_2: calcViewController_.segmentedControl()->chooseSegmentAtIndex(1); return true;
            default: return false;
        }
    }
    if (modifiers != Qt::NoModifier) return false;
    FirstButtonViewController* keypad = calcViewController_.firstButtonViewController();
    if (!keypad) return false;
    if (event.key() == Qt::Key_F9 && event.modifiers().testFlag(Qt::ShiftModifier)) {
        holdKey(keypad->buttonPlusMinusKey());
        return true;
    }
    UIButton* key = nullptr;
    switch (event.key()) {
        case Qt::Key_F9: key = keypad->buttonPlusMinusKey(); break;
        case Qt::Key_F2:
        case Qt::Key_Menu: key = keypad->buttonMenuKey(); break;
        case Qt::Key_Return:
        case Qt::Key_Enter: key = keypad->buttonEqualsKey(); break;
        case Qt::Key_Escape: key = keypad->buttonClearKey(); break;
        default: key = keyForText(event.text()); break;
    }
    if (!key) return false;
    pressKey(key);
    return true;
}

UIButton* CalcKeyboard::keyForText(const QString& text) const {
    FirstButtonViewController* keypad = calcViewController_.firstButtonViewController();
    if (text.size() != 1) return nullptr;
    const QChar character = text.at(0).toUpper();
    if (character >= u'0' && character <= u'9') return keypad->numberButton(character.unicode() - u'0');
    if (character == u'E') {
        // E is a digit while the hexadecimal digits can be typed, the exponent otherwise.
        UIButton* digitE = keypad->numberButton(14);
        return digitE->isEnabled() ? digitE : keypad->buttonExponentKey();
    }
    if (character >= u'A' && character <= u'F') return keypad->numberButton(10 + character.unicode() - u'A');
    switch (character.unicode()) {
        case u'.':
        case u',': return keypad->buttonDecimalPointKey();
        case u'+': return keypad->buttonAddKey();
        case u'-': return keypad->buttonSubtractKey();
        case u'*': return keypad->buttonMultiplyKey();
        case u'/': return keypad->buttonDivideKey();
        case u'=': return keypad->buttonEqualsKey();
        default: return nullptr;
    }
}

void CalcKeyboard::turnPage(PagedScrollView* strip, int step) {
    // From the page the strip is heading to, so that two quick steps turn two pages.
    const int page = strip->targetPage() + step;
    if (page >= 0 && page < strip->pageCount()) strip->scrollToPage(page, true);
}

void CalcKeyboard::pressKey(UIButton* key) {
    if (!key->isEnabled()) return;
    key->click();
    flashKey(key);
}

void CalcKeyboard::holdKey(UIButtonWithHold* key) {
    if (!key->isEnabled()) return;
    key->buttonTimeout();
    flashKey(key);
}

void CalcKeyboard::flashKey(UIButton* key) {
    // A key typed before the last one's flash is over ends that flash.
    if (flashedKey_ && flashedKey_ != key) flashedKey_->setDown(false);
    flashedKey_ = key;
    key->setDown(true);
    flashTimer_.start(kKeyFlashSeconds, [this] {
        if (flashedKey_) flashedKey_->setDown(false);
        flashedKey_ = nullptr;
    });
}
