#pragma once
// Components: objects with an owner and removal notices, after the window
// toolkit the program was first written for.
//
// - An owner destroys the components it owns when it is destroyed (the newest
//   first), and is told (Notification with opRemove) when one of them goes.
// - FreeNotification links two components both ways: whichever of the two is
//   destroyed first tells the other with Notification(itself, opRemove), so
//   neither keeps a dangling pointer to the other.
//
// Notices are sent from ~Component, i.e. after the destroyed component's own
// destructor has run: a receiver may compare the pointer it is given but must
// not call into it. Not thread-safe: main thread only.

#include <vector>

namespace platform {

class Component {
public:
    enum class Operation { opInsert, opRemove };

    explicit Component(Component* owner = nullptr);
    virtual ~Component();

    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    Component* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    Component* Components(int index) const { return components_.at(static_cast<std::size_t>(index)); }

    // Asks for a removal notice when `other` is destroyed, and gives `other`
    // one when this component is. Null and self are ignored; asking twice
    // links once.
    void FreeNotification(Component* other);
    void RemoveFreeNotification(Component* other);

    // Takes over ownership (and the destruction) of `child`, removing it from
    // its previous owner.
    void InsertComponent(Component* child);
    // Gives up ownership of `child` without destroying it.
    void RemoveComponent(Component* child);

    // True while ~Component runs (children and partners are being told).
    bool Destroying() const { return destroying_; }

protected:
    // Told when `component` is inserted into/removed from this owner, or when a
    // free-notification partner is being destroyed. The base forwards the
    // notice to the owned components, as the toolkit does. Overrides must
    // call it.
    virtual void Notification(Component* component, Operation operation);

private:
    void unlinkPartner(Component* other);

    Component* owner_ = nullptr;
    std::vector<Component*> components_;
    std::vector<Component*> freeNotifies_;
    bool destroying_ = false;
};

}  // namespace platform
