#pragma once

#include <any>
#include <string_view>
#include <vector>

#include "Platform/Core/NotificationObserver.h"

// Every post of one notification while it lives: its sender and its user info, in order.
class NotificationLog {
public:
    struct Post {
        const void* object;
        std::any userInfo;
    };

    explicit NotificationLog(std::string_view name)
        : observer_(name, [this](const Notification& posted) {
              posts.push_back({posted.object, posted.userInfo});
          }) {}

    int count() const { return static_cast<int>(posts.size()); }
    template <typename Info>
    Info userInfo(size_t post) const {
        return std::any_cast<Info>(posts.at(post).userInfo);
    }

    std::vector<Post> posts;

private:
    NotificationObserver observer_;
};
