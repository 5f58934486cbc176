#pragma once
// The program's start-up sequence and its last-resort error report, with
// every outside service passed in so the sequence runs headless in tests.
// The real services are wired in the executable's main.
//
// Order, all inside one handler:
//   1. language name from the settings file;
//   2. the language manager selects it (the chooser when not found); no
//      current language afterwards: return at once, nothing shown;
//   3. screen above 96 pixels per inch: geral/erroPPP titled
//      geral/nomeAplicacao, return without windows;
//   4. splash shown and painted, then a blocking 1000 ms wait;
//   5. application title set to "";
//   6. main window, setup assistant, tunings chooser created, in that order;
//   7. splash closed and destroyed;
//   8. message loop until the main window closes.
// A failure escaping any step is shown once (relatorio_erro.h) and start-up
// ends; the result is always exit code 0.

#include <chrono>
#include <functional>
#include <memory>
#include <string>

class GerenciadorIdiomas;

struct ServicosInicializacao {
    // ConfiguracoesUsuario::lerIdioma.
    std::function<std::string()> lerIdioma;
    // GerenciadorIdiomas::instancia (created, and so discovering, here).
    std::function<GerenciadorIdiomas&()> idiomas;
    // The screen's logical resolution in pixels per inch.
    std::function<int()> pixelsPorPolegada;
    // Plain message box (text, title).
    std::function<void(const std::string& texto, const std::string& titulo)> mostrarMensagem;
    // Creates the splash window, shows it and has it painted at once; the
    // window closes when the returned object is released.
    std::function<std::shared_ptr<void>()> mostrarSplash;
    // Blocks the thread without processing messages.
    std::function<void(std::chrono::milliseconds)> esperar;
    // The application's title.
    std::function<void(const std::string&)> definirTitulo;
    // Creates the three application windows, hidden, in their order; they
    // live as long as the returned object.
    std::function<std::shared_ptr<void>()> criarJanelas;
    // Runs the message loop until the main window has closed.
    std::function<void()> executarLaco;
    // obterVersaoPrograma.
    std::function<std::string()> obterVersao;
};

inline constexpr std::chrono::milliseconds kTempoSplash{1000};
inline constexpr int kMaximoPixelsPorPolegada = 96;

// Runs the whole sequence; always gives 0.
int executarInicializacao(const ServicosInicializacao& servicos);
