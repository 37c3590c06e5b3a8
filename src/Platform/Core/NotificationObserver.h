#pragma once

#include <memory>
#include <string_view>

#include "Platform/Core/NotificationCenter.h"

// One observation of a notification that lasts as long as the token: destroying or resetting
// it removes the observer from its centre, so a screen never has to remember every name it
// observes. Tokens move but do not copy.
class NotificationObserver {
public:
    NotificationObserver() = default;
    // A null sender observes the name from every sender.
    NotificationObserver(std::string_view name, NotificationCenter::Handler handler, const void* sender = nullptr,
                         NotificationCenter& center = NotificationCenter::defaultCenter());
    ~NotificationObserver() { reset(); }
    NotificationObserver(NotificationObserver&& other) noexcept = default;
    NotificationObserver& operator=(NotificationObserver&& other) noexcept;
    NotificationObserver(const NotificationObserver&) = delete;
    NotificationObserver& operator=(const NotificationObserver&) = delete;

    bool isObserving() const { return identity_ != nullptr; }
    void reset();

private:
    // The centre knows an observer by an address; a token that moves keeps this one.
    struct Identity {};

    std::unique_ptr<Identity> identity_;
    NotificationCenter* center_ = nullptr;
};
