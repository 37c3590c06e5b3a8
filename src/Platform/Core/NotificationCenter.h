#pragma once

#include <any>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct Notification {
    std::string_view name;
    const void* object = nullptr;  // the sender, compared by identity only
    std::any userInfo;             // e.g. the index of a held favourite
};

// Synchronous notifications on the main thread: post() calls every matching observer before
// it returns. An observer is identified by an owner pointer so that it can remove all of its
// registrations at once (releaseAll).
class NotificationCenter {
public:
    using Handler = std::function<void(const Notification&)>;

    static NotificationCenter& defaultCenter();

    // A null sender filter observes the name from every sender.
    void addObserver(const void* observer, std::string_view name, Handler handler, const void* senderFilter = nullptr);
    void removeObserver(const void* observer);
    void post(std::string_view name, const void* object = nullptr, std::any userInfo = {});
    // The registrations in force: a screen gone that still counts here was never released.
    size_t observerCount() const;

private:
    struct Registration {
        const void* observer;
        std::string name;
        const void* senderFilter;
        Handler handler;
        bool removed;
    };
    std::vector<Registration> registrations_;
    int postingDepth_ = 0;
};
