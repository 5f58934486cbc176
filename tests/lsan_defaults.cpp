// Leak checking reads the shared suppressions from here: test discovery can
// hand a test only one environment variable, and that one is the Qt platform.

#ifndef QUINDRAL_LSAN_SUPPRESSIONS
#error "QUINDRAL_LSAN_SUPPRESSIONS must name the suppressions file"
#endif

extern "C" const char* __lsan_default_options() {
    return "suppressions=" QUINDRAL_LSAN_SUPPRESSIONS;
}
