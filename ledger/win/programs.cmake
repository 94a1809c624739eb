# Benchmark program of the ledger window (tools/bench-ledger.sh); not part of
# the installation folder.
add_executable(ledger_window_bench tools/bench/ledger_window_bench.cpp resources/brova.rc)
target_link_libraries(ledger_window_bench PRIVATE brova_win comctl32 ${static_link})
