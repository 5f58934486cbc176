#include "tuner/core/medidor_afinacao.h"

#include "platform/clock/clock.h"
#include "tunings/afinacao.h"

#include <cmath>
#include <cstdint>

namespace {

// Times of day carry a rounding of about 1e-16 of a day; a hold of exactly
// 1.2 s must read as "not more than 1.2 s" however the sum was rounded.
constexpr double kFolgaArredondamento = 1e-12;

}  // namespace

MedidorAfinacao::MedidorAfinacao(const Espectro& espectro, PainelPonteiro& painel, platform::clock::Clock& relogio)
    : espectro_(espectro), painel_(painel), relogio_(relogio) {}

void MedidorAfinacao::definirAssistenteAtivo(std::function<bool()> assistenteAtivo) {
    assistenteAtivo_ = std::move(assistenteAtivo);
}

void MedidorAfinacao::definirAfinacao(const Afinacao* afinacao) {
    afinacao_ = afinacao;
    calcularCorrecoes();
}

double MedidorAfinacao::larguraBin() const {
    const int n = espectro_.tamanho();
    return n >= 2 ? espectro_.taxaAmostragem() / n : 0.0;
}

bool MedidorAfinacao::cordaValida() const {
    return afinacao_ && cordaSelecionada_ >= 0 && cordaSelecionada_ < afinacao_->obterNumeroCordas();
}

void MedidorAfinacao::calcularCorrecoes() {
    tamanhoCorrecoes_ = espectro_.tamanho();
    correcoes_.clear();
    if (!afinacao_) return;
    const double largura = larguraBin();
    const int bins = tamanhoCorrecoes_ / 2;
    correcoes_.resize(static_cast<std::size_t>(afinacao_->obterNumeroCordas()), 0.0);
    for (std::size_t k = 0; k < correcoes_.size(); ++k) {
        const double alvo = afinacao_->obterFrequencia(static_cast<std::int32_t>(k));
        // The distance shrinks bin by bin, then grows: strict "<" keeps the
        // lower bin at an exact tie.
        double melhor = 2000000.0;
        for (int j = 0; j < bins; ++j) {
            const double d = alvo - j * largura;
            if (std::fabs(d) < std::fabs(melhor)) melhor = d;
        }
        correcoes_[k] = bins > 0 ? melhor : 0.0;
    }
}

double MedidorAfinacao::correcao(int corda) const {
    if (corda < 0 || static_cast<std::size_t>(corda) >= correcoes_.size()) return 0.0;
    return correcoes_[static_cast<std::size_t>(corda)];
}

double MedidorAfinacao::frequenciaPico() const {
    if (!cordaValida()) return 0.0;
    const double largura = larguraBin();
    const int bins = espectro_.tamanho() / 2;
    int melhorIndice = 0;
    double melhorMagnitude = 0.0;
    for (int i = 0; i < bins; ++i) {
        const auto f = static_cast<std::int32_t>(i * largura);  // whole hertz, toward zero
        if (!afinacao_->pertenceACorda(f, cordaSelecionada_)) continue;
        const double m = espectro_.magnitude(i);
        if (m > melhorMagnitude) {
            melhorIndice = i;
            melhorMagnitude = m;
        }
    }
    return melhorIndice * largura;
}

void MedidorAfinacao::verificarRegularidade(double agora) {
    if (!verificandoDoubleBuffer_) return;
    if (ultimoTick_ == 0.0) {
        ultimoTick_ = agora;
        return;
    }
    const double intervalo = agora - ultimoTick_;
    ultimoTick_ = agora;
    if (intervalo > kLimiteTickLento) {
        if (++ticksLentos_ > kMaximoTicksLentos) {
            painel_.desligarDoubleBuffering();
            verificandoDoubleBuffer_ = false;
        }
    } else {
        ticksLentos_ = 0;
    }
}

void MedidorAfinacao::limparAfinada() {
    centrado_ = false;
    painel_.definirAfinadaVisivel(false);
    painel_.definirOkAmarelo(false);
}

MedidorAfinacao::Leitura MedidorAfinacao::timerTimer() {
    Leitura leitura;
    if (assistenteAtivo_ && assistenteAtivo_()) return leitura;

    const double agora = relogio_.timeOfDay();
    verificarRegularidade(agora);

    if (!cordaValida() || espectro_.tamanho() < 2) return leitura;
    if (espectro_.tamanho() != tamanhoCorrecoes_) calcularCorrecoes();

    double pico = frequenciaPico();
    if (tipoSistema_ == 1) pico += larguraBin();
    if (tipoSistema_ == 2) pico -= larguraBin();

    const double alvo = afinacao_->obterFrequencia(cordaSelecionada_);
    const double desejado = -((pico - alvo) + correcao(cordaSelecionada_)) * kGrausPorHertz;
    leitura = {true, pico, desejado};

    const double anterior = painel_.anguloPonteiro();
    const double novo = anterior + (desejado - anterior) * kSuavizacao;

    if (std::fabs(novo) >= kAnguloMaximo) {
        // The side comes from where the needle was, not from where it would go.
        painel_.definirAnguloPonteiro(anterior > 0.0 ? kAnguloMaximo : -kAnguloMaximo);
        limparAfinada();
        return leitura;
    }

    painel_.definirAnguloPonteiro(novo);
    if (std::trunc(novo) != 0.0) {
        limparAfinada();
    } else if (!centrado_) {
        inicioCentrado_ = agora;
        centrado_ = true;
    } else {
        painel_.definirOkAmarelo(true);
        if (agora - inicioCentrado_ > kTempoAfinado + kFolgaArredondamento) painel_.definirAfinadaVisivel(true);
    }
    return leitura;
}
