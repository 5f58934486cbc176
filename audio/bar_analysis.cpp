#include "audio/bar_analysis.h"

void TBarAnalysis::AddListener(const TAudioListener& listener) {
    if (listeners_.add(listener)) FreeNotification(listener.object);
}

void TBarAnalysis::RemoveListener(const TAudioListener& listener) { listeners_.remove(listener); }

void TBarAnalysis::Notification(platform::Component* component, Operation operation) {
    if (operation == Operation::opRemove) listeners_.forget(component);
    platform::Component::Notification(component, operation);
}

void TBarAnalysis::NotifyListeners(TAudioEvent event) { listeners_.notify(this, event); }
