#pragma once

#include <QObject>
#include <QPointer>

#include "Platform/UI/OneShotTimer.h"

class CalcViewController;
class PagedScrollView;
class QKeyEvent;
class UIButton;
class UIButtonWithHold;

// Lets the physical keyboard drive the keypad of a calculator screen: digits and A-F where
// enabled, '.', + - * /, Enter and = for equals, Escape for clear, 'e' for the exponent while a
// real is shown (a hex digit while hex digits are enabled), F9 for plus/minus and Shift+F9 for
// holding it (signed or unsigned), Ctrl+C / Ctrl+V for Copy and Paste of the display,
// Ctrl+Left / Ctrl+Right to turn the display page, Ctrl+Up / Ctrl+Down the keypad (to the ASCII
// table and back), Ctrl+PageUp / Ctrl+PageDown the favourites, Ctrl+1 / Ctrl+2 for Scientific /
// Programmer, Ctrl+H for the history, F2 and the context-menu key for the function menu. Space
// and Enter belong to the control that Tab moved to, if any. A key press goes through the
// on-screen key, so a disabled key stays disabled and the key is seen to move.
class CalcKeyboard : public QObject {
    Q_OBJECT

public:
    CalcKeyboard(CalcViewController& calcViewController, QObject* parent);
    ~CalcKeyboard() override;

    // True when the key meant something to the calculator.
    bool handleKeyPress(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    UIButton* keyForText(const QString& text) const;
    static void turnPage(PagedScrollView* strip, int step);
    void pressKey(UIButton* key);
    void holdKey(UIButtonWithHold* key);
    void flashKey(UIButton* key);

    CalcViewController& calcViewController_;
    // The key shown pressed for a moment after it was typed.
    QPointer<UIButton> flashedKey_;
    OneShotTimer flashTimer_;
};
