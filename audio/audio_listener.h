#pragma once
// The notification scheme between the recorder, the analyser and their
// consumers: a method taking (sender, event) bound to a component.

#include "platform/core/component.h"

#include <array>
#include <cstddef>

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

// A fixed number of listener slots, shared by the recorder (six) and the
// analyser (four): filled from the highest-numbered empty slot, called in
// slot order 0..N-1.
template <std::size_t N>
class TAudioListenerSlots {
public:
    // False (and nothing stored) when every slot is taken or the listener is empty.
    bool add(const TAudioListener& listener) {
        if (listener.empty()) return false;
        for (std::size_t i = N; i-- > 0;) {
            if (slots_[i].empty()) {
                slots_[i] = listener;
                return true;
            }
        }
        return false;
    }
    // Empties every slot holding exactly this method and object.
    void remove(const TAudioListener& listener) {
        for (auto& slot : slots_)
            if (slot == listener) slot = TAudioListener{};
    }
    // Empties every slot bound to `object` (it is being destroyed).
    void forget(const platform::Component* object) {
        for (auto& slot : slots_)
            if (slot.object == object) slot = TAudioListener{};
    }
    void notify(platform::Component* sender, TAudioEvent event) const {
        for (std::size_t i = 0; i < N; ++i) {
            const TAudioListener listener = slots_[i];  // a listener may remove itself
            if (!listener.empty()) listener(sender, event);
        }
    }

private:
    std::array<TAudioListener, N> slots_{};
};
