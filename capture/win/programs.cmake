# Helper of the capture benchmarks (tools/bench-capture.sh,
# tools/soak-capture.sh); not part of the installation folder.
add_executable(capture_bench tools/bench/capture_bench.cpp)
target_link_libraries(capture_bench PRIVATE brova_core ${win32_libs} ntdll ${static_link} -municode)
# Helper of tools/bench-markup.sh; not part of the installation folder.
add_executable(markup_bench tools/bench/markup_bench.cpp resources/brova.rc)
target_link_libraries(markup_bench PRIVATE brova_win comctl32 psapi ${static_link} -municode)
