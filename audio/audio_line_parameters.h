#pragma once
// The PCM format a recorder opens its device with.

#include <functional>

class TAudioLineParameters {
public:
    using ChangeEvent = std::function<void(TAudioLineParameters* sender)>;

    int Channels() const { return channels_; }            // channels per frame, default 1
    int Frequency() const { return frequency_; }          // frames per second, default 11025
    int BitsPerSample() const { return bitsPerSample_; }  // 8 (unsigned) or 16 (signed LE), default 8

    // Each setter stores the value; OnChange follows only when it differs.
    void SetChannels(int value);
    void SetFrequency(int value);
    void SetBitsPerSample(int value);

    // Copies the three values through the setters.
    void Assign(const TAudioLineParameters& source);

    ChangeEvent OnChange;  // called after any of the three changes

private:
    void store(int& field, int value);

    int channels_ = 1;
    int frequency_ = 11025;
    int bitsPerSample_ = 8;
};
