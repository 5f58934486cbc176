#include "platform/core/component.h"

#include <algorithm>

namespace platform {

Component::Component(Component* owner) {
    if (owner) owner->InsertComponent(this);
}

Component::~Component() {
    destroying_ = true;
    // Partners first: each forgets us before it is told, so a partner that
    // answers by unlinking finds nothing left to do.
    while (!freeNotifies_.empty()) {
        Component* partner = freeNotifies_.back();
        freeNotifies_.pop_back();
        partner->unlinkPartner(this);
        partner->Notification(this, Operation::opRemove);
    }
    while (!components_.empty()) {
        Component* child = components_.back();
        components_.pop_back();
        child->owner_ = nullptr;
        delete child;
    }
    if (owner_) owner_->RemoveComponent(this);
}

void Component::FreeNotification(Component* other) {
    if (!other || other == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
        freeNotifies_.push_back(other);
    if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) ==
        other->freeNotifies_.end())
        other->freeNotifies_.push_back(this);
}

void Component::RemoveFreeNotification(Component* other) {
    if (!other) return;
    unlinkPartner(other);
    other->unlinkPartner(this);
}

void Component::unlinkPartner(Component* other) {
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), other),
                        freeNotifies_.end());
}

void Component::InsertComponent(Component* child) {
    if (!child || child == this || child->owner_ == this) return;
    if (child->owner_) child->owner_->RemoveComponent(child);
    components_.push_back(child);
    child->owner_ = this;
    Notification(child, Operation::opInsert);
}

void Component::RemoveComponent(Component* child) {
    if (!child || child->owner_ != this) return;
    Notification(child, Operation::opRemove);
    components_.erase(std::remove(components_.begin(), components_.end(), child), components_.end());
    child->owner_ = nullptr;
}

void Component::Notification(Component* component, Operation operation) {
    if (operation == Operation::opRemove && component) RemoveFreeNotification(component);
    // Children may come and go while being told; walk by index from the end.
    for (std::size_t i = components_.size(); i-- > 0;) {
        if (i >= components_.size()) {
            if (components_.empty()) break;
            i = components_.size() - 1;
        }
        if (components_[i] != component) components_[i]->Notification(component, operation);
    }
}

}  // namespace platform
