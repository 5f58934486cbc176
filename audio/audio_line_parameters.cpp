#include "audio/audio_line_parameters.h"

void TAudioLineParameters::store(int& field, int value) {
    if (field == value) return;
    field = value;
    if (OnChange) OnChange(this);
}

void TAudioLineParameters::SetChannels(int value) { store(channels_, value); }
void TAudioLineParameters::SetFrequency(int value) { store(frequency_, value); }
void TAudioLineParameters::SetBitsPerSample(int value) { store(bitsPerSample_, value); }

void TAudioLineParameters::Assign(const TAudioLineParameters& source) {
    // Read all three first: `source` may be this object.
    const int channels = source.Channels(), frequency = source.Frequency(), bits = source.BitsPerSample();
    SetChannels(channels);
    SetFrequency(frequency);
    SetBitsPerSample(bits);
}
