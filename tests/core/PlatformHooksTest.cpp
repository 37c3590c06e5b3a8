#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Platform/Core/FatalAssert.h"
#include "Platform/Core/NotificationCenter.h"
#include "Platform/Core/NotificationObserver.h"

namespace {

constexpr std::string_view kName = "TestNotificationSomethingHappened";

TEST(NotificationCenterDelivery, SynchronousToMatchingObserversWithTheUserInfo) {
    NotificationCenter center;
    int owner = 0;
    int sender = 0;
    std::vector<std::string> received;
    center.addObserver(&owner, kName, [&](const Notification& n) { received.push_back(std::string(n.name)); });
    center.addObserver(
        &owner, kName,
        [&](const Notification& n) { received.push_back(std::to_string(std::any_cast<int>(n.userInfo))); }, &sender);
    center.addObserver(&owner, "OtherName", [&](const Notification&) { received.push_back("other"); });
    center.post(kName, &owner);
    center.post(kName, &sender, 7);
    EXPECT_EQ(received, (std::vector<std::string>{std::string(kName), std::string(kName), "7"}));
    center.removeObserver(&owner);
    center.post(kName);
    EXPECT_EQ(received.size(), 3u);
}

TEST(NotificationCenterDelivery, ObserverMayRemoveItselfOrOthersWhileDelivering) {
    NotificationCenter center;
    int first = 0;
    int second = 0;
    int calls = 0;
    center.addObserver(&first, kName, [&](const Notification&) {
        ++calls;
        center.removeObserver(&first);
        center.removeObserver(&second);
        center.addObserver(&second, kName, [&](const Notification&) { calls += 100; });
    });
    center.addObserver(&second, kName, [&](const Notification&) { calls += 10; });
    center.post(kName);
    EXPECT_EQ(calls, 1);  // the removed observer is not called, the one added during delivery neither
    center.post(kName);
    EXPECT_EQ(calls, 101);
}

TEST(NotificationObserverToken, ObservesForItsLifetimeWhereverItMoves) {
    NotificationCenter center;
    int calls = 0;
    const auto count = [&](const Notification&) { ++calls; };
    {
        NotificationObserver token(kName, count, nullptr, center);
        NotificationObserver moved = std::move(token);
        EXPECT_FALSE(token.isObserving());
        center.post(kName);
        EXPECT_EQ(calls, 1);
        // Assigning over a token ends its own observation first.
        moved = NotificationObserver("OtherName", count, nullptr, center);
        center.post(kName);
        EXPECT_EQ(calls, 1);
        center.post("OtherName");
        EXPECT_EQ(calls, 2);
    }
    center.post("OtherName");
    EXPECT_EQ(calls, 2);
    // A token may end itself while its notification is delivered.
    NotificationObserver once;
    once = NotificationObserver(
        kName, [&](const Notification&) { ++calls, once.reset(); }, nullptr, center);
    center.post(kName);
    center.post(kName);
    EXPECT_EQ(calls, 3);
}

using FatalAssertDeathTest = ::testing::Test;

TEST_F(FatalAssertDeathTest, PrintsSourceAndMessage) {
    EXPECT_DEATH(fatalAssert("Classes/Example", "unknown state"), "^Classes/Example: unknown state\n");
    EXPECT_DEATH(fatalAssertUnless(false, "Model/Example", "stack empty"), "Model/Example: stack empty");
    fatalAssertUnless(true, "Model/Example", "never printed");
}

}  // namespace
