#include "Platform/Core/NotificationObserver.h"

#include <utility>

NotificationObserver::NotificationObserver(std::string_view name, NotificationCenter::Handler handler,
                                           const void* sender, NotificationCenter& center)
    : identity_(std::make_unique<Identity>()), center_(&center) {
    center_->addObserver(identity_.get(), name, std::move(handler), sender);
}

NotificationObserver& NotificationObserver::operator=(NotificationObserver&& other) noexcept {
    if (this != &other) {
        reset();
        identity_ = std::move(other.identity_);
        center_ = other.center_;
    }
    return *this;
}

void NotificationObserver::reset() {
    if (!identity_) return;
    center_->removeObserver(identity_.get());
    identity_.reset();
}
