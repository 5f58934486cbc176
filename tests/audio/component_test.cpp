#include "platform/core/component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::Component;

// Logs removal notices as "<receiver> lost <component>".
class Named : public Component {
public:
    Named(std::string name, std::vector<std::string>& log, Component* owner = nullptr)
        : Component(owner), name_(std::move(name)), log_(log) {}
    ~Named() override { log_.push_back(name_ + " destroyed"); }
    const std::string& name() const { return name_; }

protected:
    void Notification(Component* c, Operation op) override {
        if (op == Operation::opRemove) {
            // The component is half gone; only its address may be used.
            log_.push_back(name_ + " lost " + (c == peer ? peerName : std::string("?")));
        }
        Component::Notification(c, op);
    }

public:
    Component* peer = nullptr;
    std::string peerName;

private:
    std::string name_;
    std::vector<std::string>& log_;
};

TEST(Component, OwnerDestroysChildrenNewestFirst) {
    std::vector<std::string> log;
    auto* owner = new Named("owner", log);
    new Named("a", log, owner);
    new Named("b", log, owner);
    EXPECT_EQ(owner->ComponentCount(), 2);
    delete owner;
    EXPECT_EQ(log, (std::vector<std::string>{"owner destroyed", "b destroyed", "a destroyed"}));
}

TEST(Component, FreeNotificationWorksBothWaysAndOnce) {
    for (bool destroyAsker : {true, false}) {
        std::vector<std::string> log;
        auto* asker = new Named("asker", log);
        auto* other = new Named("other", log);
        asker->peer = other;
        asker->peerName = "other";
        other->peer = asker;
        other->peerName = "asker";
        asker->FreeNotification(other);
        asker->FreeNotification(other);  // linked once
        Named* first = destroyAsker ? asker : other;
        Named* second = destroyAsker ? other : asker;
        delete first;
        delete second;  // must not tell the already destroyed one
        ASSERT_EQ(log.size(), 3u) << destroyAsker;
        EXPECT_EQ(log[1], (destroyAsker ? "other lost asker" : "asker lost other"));
    }
}

TEST(Component, DestroyingAChildTellsOwnerAndSiblings) {
    std::vector<std::string> log;
    Named owner("owner", log);
    auto* a = new Named("a", log, &owner);
    auto* b = new Named("b", log, &owner);
    owner.peer = a;
    owner.peerName = "a";
    b->peer = a;
    b->peerName = "a";
    delete a;
    EXPECT_EQ(log, (std::vector<std::string>{"a destroyed", "owner lost a", "b lost a"}));
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), b);
}

TEST(Component, RemovedFreeNotificationSendsNothing) {
    std::vector<std::string> log;
    auto* a = new Named("a", log);
    Named b("b", log);
    a->FreeNotification(&b);
    b.RemoveFreeNotification(a);
    delete a;
    EXPECT_EQ(log, (std::vector<std::string>{"a destroyed"}));
}

}  // namespace
