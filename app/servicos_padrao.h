#pragma once
// The start-up sequence's services as the real program has them: the
// settings file, the process-wide language manager, the screen, message
// boxes, the splash window, a blocking sleep, the application object and
// the executable's version. Only the windows to create are the caller's,
// since they live in layers above this one.

#include "app/inicializacao.h"

class QWidget;

// `criarJanelas` creates the main window, the setup assistant and the
// tunings chooser, in that order. platform::ui::initialize must have run.
ServicosInicializacao servicosPadrao(std::function<std::shared_ptr<void>()> criarJanelas);

// Shows `janela` and has it painted now, before the caller blocks the
// thread: waits (briefly, handling no user input) until the window system
// has put it on screen.
void mostrarEPintar(QWidget& janela);
