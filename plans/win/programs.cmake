# Benchmark program of the calendar and planner windows (tools/bench-windows.sh);
# not part of the installation folder.
add_executable(planner_bench tools/bench/planner_bench.cpp resources/brova.rc)
target_link_libraries(planner_bench PRIVATE brova_win comctl32 ${static_link})
