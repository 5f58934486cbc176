#include "audio/audio_message_box.h"

#include <cstdio>

namespace {

void toStandardError(const std::string& text, const std::string& caption) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

AudioMessageBox current = toStandardError;

}  // namespace

AudioMessageBox SetAudioMessageBox(AudioMessageBox box) {
    AudioMessageBox previous = current;
    current = box ? box : toStandardError;
    return previous;
}

void ShowAudioMessage(const std::string& text, const std::string& caption) { current(text, caption); }
