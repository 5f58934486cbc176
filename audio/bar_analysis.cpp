#include "audio/bar_analysis.h"

void TBarAnalysis::AddListener(const TAudioListener& listener) {
    if (listener.empty()) return;
    for (std::size_t i = listeners_.size(); i-- > 0;) {
        if (listeners_[i].empty()) {
            listeners_[i] = listener;
            FreeNotification(listener.object);
            return;
        }
    }
}

void TBarAnalysis::RemoveListener(const TAudioListener& listener) {
    for (auto& slot : listeners_)
        if (slot == listener) slot = TAudioListener{};
}

void TBarAnalysis::Notification(platform::Component* component, Operation operation) {
    if (operation == Operation::opRemove)
        for (auto& slot : listeners_)
            if (slot.object == component) slot = TAudioListener{};
    platform::Component::Notification(component, operation);
}

void TBarAnalysis::NotifyListeners(TAudioEvent event) {
    for (std::size_t i = 0; i < listeners_.size(); ++i) {
        const TAudioListener listener = listeners_[i];  // a listener may remove itself
        if (!listener.empty()) listener(this, event);
    }
}
