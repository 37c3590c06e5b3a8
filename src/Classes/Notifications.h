#pragma once

#include <string_view>

// The calculator screen's own notifications, observed by its pages. Each text is the name.
constexpr std::string_view NotificationsNotificationAccumulatorHasChanged =
    "NotificationsNotificationAccumulatorHasChanged";
constexpr std::string_view NotificationsNotificationBaseHasChanged = "NotificationsNotificationBaseHasChanged";
constexpr std::string_view NotificationsNotificationFavouritesHaveChanged =
    "NotificationsNotificationFavouritesHaveChanged";
