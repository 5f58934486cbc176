#pragma once
// The controls the measuring loop drives, as the main window implements
// them: the needle, the "OK" caption, the tuned indication and the needle
// panel's double buffering. Widget-free so the loop runs without a screen.

class PainelPonteiro {
public:
    virtual ~PainelPonteiro() = default;

    // Needle angle in degrees, -90..90, positive = swung left (string flat).
    // Reports the angle last set (0 before any).
    virtual double anguloPonteiro() const = 0;
    virtual void definirAnguloPonteiro(double graus) = 0;
    // "OK" caption: yellow while the needle is held at the centre, else white.
    virtual void definirOkAmarelo(bool amarelo) = 0;
    // The tuned indication.
    virtual void definirAfinadaVisivel(bool visivel) = 0;
    // Switches the needle panel's double buffering off (called at most once).
    virtual void desligarDoubleBuffering() = 0;
};

// A panel that only remembers what it was told: for offline runs and tests.
class PainelPonteiroMemoria final : public PainelPonteiro {
public:
    double anguloPonteiro() const override { return angulo; }
    void definirAnguloPonteiro(double graus) override { angulo = graus; }
    void definirOkAmarelo(bool valor) override { okAmarelo = valor; }
    void definirAfinadaVisivel(bool visivel) override { afinadaVisivel = visivel; }
    void desligarDoubleBuffering() override { doubleBuffering = false; }

    double angulo = 0.0;
    bool okAmarelo = false;
    bool afinadaVisivel = false;
    bool doubleBuffering = true;
};
