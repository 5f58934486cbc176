# Runs the assembled program, so the application folder must be complete.
target_compile_definitions(bench_window_memory PRIVATE QUINDRAL_APP_DIR="${QUINDRAL_APP_DIR}")
add_dependencies(bench_window_memory quindral language_files tunings_file)
