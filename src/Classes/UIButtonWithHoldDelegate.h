#pragma once

class UIButtonWithHold;

class UIButtonWithHoldDelegate {
public:
    virtual ~UIButtonWithHoldDelegate() = default;
    // The key has been held for the hold time; its ordinary press will not follow.
    virtual void buttonWithHoldTimeout(UIButtonWithHold& button) = 0;
};
