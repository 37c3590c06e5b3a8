#include "Platform/Core/NotificationCenter.h"

#include <algorithm>
#include <utility>

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter center;
    return center;
}

void NotificationCenter::addObserver(const void* observer, std::string_view name, Handler handler,
                                     const void* senderFilter) {
    registrations_.push_back({observer, std::string(name), senderFilter, std::move(handler), false});
}

void NotificationCenter::removeObserver(const void* observer) {
    // While a post is delivering, entries are only marked so that the loop stays valid.
    for (Registration& registration : registrations_) {
        if (registration.observer == observer) registration.removed = true;
    }
    if (postingDepth_ == 0) {
        std::erase_if(registrations_, [](const Registration& r) { return r.removed; });
    }
}

size_t NotificationCenter::observerCount() const {
    return static_cast<size_t>(
        std::count_if(registrations_.begin(), registrations_.end(), [](const Registration& r) { return !r.removed; }));
}

void NotificationCenter::post(std::string_view name, const void* object, std::any userInfo) {
    const Notification notification{name, object, std::move(userInfo)};
    ++postingDepth_;
    // Observers added during delivery are not called for this post.
    const size_t count = registrations_.size();
    for (size_t i = 0; i < count; ++i) {
        if (registrations_[i].removed || registrations_[i].name != name) continue;
        if (registrations_[i].senderFilter && registrations_[i].senderFilter != object) continue;
        Handler handler = registrations_[i].handler;
        handler(notification);
    }
    if (--postingDepth_ == 0) {
        std::erase_if(registrations_, [](const Registration& r) { return r.removed; });
    }
}
