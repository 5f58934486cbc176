#include "audio/captura_afinador.h"

#include "audio/fft.h"
#include "audio/recorder.h"

namespace captura_afinador {

void configurar(TRecorder& gravador, TFFT& fft) {
    gravador.SetAutoStart(false);
    fft.SetSource(&gravador);
    gravador.Quality().SetFrequency(kTaxaAmostragem);
    gravador.Quality().SetChannels(1);
    gravador.Quality().SetBitsPerSample(8);
    // The analyser is sized before the recorder's block length is set, so
    // the request decides N; the tables are built when the device opens.
    fft.SetBufSize(kTamanhoFFT);
    gravador.SetBufSize(kTamanhoBuffer);
}

}  // namespace captura_afinador
