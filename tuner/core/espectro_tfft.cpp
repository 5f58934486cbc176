#include "audio/fft.h"
#include "tuner/core/espectro.h"

int EspectroTFFT::tamanho() const { return fft_.BufSize(); }

double EspectroTFFT::magnitude(int i) const { return fft_.Magnitude(i); }
