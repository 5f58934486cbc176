#pragma once
// The notification scheme between the recorder, the analyser and their
// consumers: a method taking (sender, event) bound to a component.

#include "platform/core/component.h"

enum TAudioEvent {
    aeData = 0,   // a block finished (recorder) / a new spectrum (analyser)
    aeClose = 1,  // the device closed
    aeOpen = 2,   // the device opened (recorder) / the tables were rebuilt (analyser)
};

struct TAudioListener {
    using Method = void (platform::Component::*)(platform::Component* sender, TAudioEvent event);

    platform::Component* object = nullptr;
    Method method = nullptr;

    bool empty() const { return object == nullptr || method == nullptr; }
    void operator()(platform::Component* sender, TAudioEvent event) const { (object->*method)(sender, event); }
    friend bool operator==(const TAudioListener&, const TAudioListener&) = default;
};

// Binds a member of a component class: makeAudioListener(this, &TMine::onAudio).
template <class T>
TAudioListener makeAudioListener(T* object, void (T::*method)(platform::Component*, TAudioEvent)) {
    return TAudioListener{object, static_cast<TAudioListener::Method>(method)};
}
