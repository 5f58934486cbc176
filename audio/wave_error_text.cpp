#include "audio/wave_error_text.h"

#include "platform/wavein/wavein.h"

std::string WaveErrorText(unsigned code) {
    namespace wi = platform::wavein;
    char buffer[260] = {};
    switch (wi::waveOutGetErrorText(code, buffer, sizeof buffer)) {
    case wi::MMSYSERR_BADERRNUM: return "MMERR_???";
    case wi::MMSYSERR_NODRIVER: return "No driver present";
    case wi::MMSYSERR_NOMEM: return "Unable to allocate or lock memory";
    default: buffer[sizeof buffer - 1] = '\0'; return buffer;
    }
}
