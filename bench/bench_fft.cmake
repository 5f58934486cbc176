pkg_check_modules(FFTW3 REQUIRED IMPORTED_TARGET fftw3)
target_link_libraries(bench_fft PRIVATE audio PkgConfig::FFTW3)
