#pragma once
// TBarAnalysis: what consumers of a spectrum analyser see: bands to read and
// four listener slots told of new results.

#include "audio/audio_listener.h"
#include "platform/core/component.h"

#include <array>

class TBarAnalysis : public platform::Component {
public:
    static constexpr int ListenerSlots = 4;

    explicit TBarAnalysis(platform::Component* owner = nullptr) : platform::Component(owner) {}

    // The highest-numbered empty slot receives `listener` (the first goes to
    // slot 3); when all four are occupied the request is ignored. Asks the
    // listener's object for a removal notice.
    virtual void AddListener(const TAudioListener& listener);
    // Empties every slot holding exactly this (object, method).
    virtual void RemoveListener(const TAudioListener& listener);

    virtual int BandCount() const = 0;
    virtual double BandLevel(int i) const = 0;
    virtual double BandFrequency(int i) const = 0;

protected:
    // Listeners whose object is being destroyed are dropped.
    void Notification(platform::Component* component, Operation operation) override;
    // Calls the occupied slots in order 0..3 with (this, event).
    void NotifyListeners(TAudioEvent event);

private:
    TAudioListenerSlots<ListenerSlots> listeners_;
};
