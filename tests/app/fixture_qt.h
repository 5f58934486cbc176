#pragma once
// The one Qt application of a test process.

#include "tests/app/fixture.h"

#include "platform/ui/application.h"

namespace teste_app {

// The one Qt application of a test process, on the offscreen platform.
inline void iniciarQt() {
    static int argc = 1;
    static char nome[] = "test_app";
    static char* argv[] = {nome, nullptr};
    platform::ui::initialize(argc, argv);
}

}  // namespace teste_app
