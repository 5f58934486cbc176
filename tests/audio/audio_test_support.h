#pragma once
// Shared helpers of the audio tests: the one application object, delivery of
// posted reports, and a component that logs what it is told.

#include "audio/audio_listener.h"
#include "platform/core/component.h"

#include <QCoreApplication>

#include <string>
#include <vector>

namespace audiotest {

inline QCoreApplication& app() {
    static int argc = 1;
    static char name[] = "audio-test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication instance(argc, argv);
    return instance;
}

// Delivers every posted report, including those posted while delivering.
inline void pump() {
    app();
    for (int i = 0; i < 8; ++i) QCoreApplication::sendPostedEvents();
}

struct Call {
    std::string who;
    platform::Component* sender;
    TAudioEvent event;
    bool operator==(const Call&) const = default;
};

// Appends (name, sender, event) to a shared log on every notice.
class Probe : public platform::Component {
public:
    Probe(std::string name, std::vector<Call>& log, platform::Component* owner = nullptr)
        : platform::Component(owner), name_(std::move(name)), log_(log) {}

    void onAudio(platform::Component* sender, TAudioEvent event) { log_.push_back({name_, sender, event}); }
    void other(platform::Component* sender, TAudioEvent event) { log_.push_back({name_ + "/other", sender, event}); }
    TAudioListener listener() { return makeAudioListener(this, &Probe::onAudio); }

private:
    std::string name_;
    std::vector<Call>& log_;
};

// Names of the calls with `event`, in order.
inline std::vector<std::string> whoGot(const std::vector<Call>& log, TAudioEvent event) {
    std::vector<std::string> names;
    for (const auto& c : log)
        if (c.event == event) names.push_back(c.who);
    return names;
}

}  // namespace audiotest
