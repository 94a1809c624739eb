# Native build: the portable core and its unit tests, plus the end-to-end
# tests that drive the Windows programs under Wine.
find_package(ZLIB REQUIRED)
find_package(Threads REQUIRED)
include(GoogleTest)

add_compile_options(-Wall -Wextra -Wno-unused-parameter)
option(BROVA_SANITIZE "Build the core and its tests with ASan and UBSan" OFF)
if(BROVA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

add_library(brova_core STATIC ${core_sources} ${posix_backends})
target_include_directories(brova_core PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(brova_core PUBLIC ZLIB::ZLIB Threads::Threads)

add_executable(core_tests ${core_tests} tests/support/LocalServer.cpp)
target_link_libraries(core_tests PRIVATE brova_core gtest gtest_main)
add_test(NAME core_tests COMMAND core_tests)
set_tests_properties(core_tests PROPERTIES LABELS native)

# Portable files must build without Windows headers.
add_test(NAME portable_files_have_no_windows_h
         COMMAND ${CMAKE_SOURCE_DIR}/tools/check-portable ${CMAKE_SOURCE_DIR})
set_tests_properties(portable_files_have_no_windows_h PROPERTIES LABELS native)
# Folders include only their own level and the levels below; the frame's
# header stays inside app/.
add_test(NAME folders_include_downward_only
         COMMAND ${CMAKE_SOURCE_DIR}/tools/check-includes ${CMAKE_SOURCE_DIR})
set_tests_properties(folders_include_downward_only PROPERTIES LABELS native)

# End-to-end tests: native programs that start brova.exe under Wine on Xvfb.
set(BROVA_STAGE_DIR "${CMAKE_SOURCE_DIR}/build/stage" CACHE PATH "Staged installation folder")
file(GLOB e2e_support CONFIGURE_DEPENDS tests/support/*.cpp)
file(GLOB e2e_tests CONFIGURE_DEPENDS tests/e2e/*_test.cpp)
if(e2e_tests)
  add_library(e2e_support STATIC ${e2e_support})
  target_include_directories(e2e_support PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(e2e_support PUBLIC brova_core gtest Threads::Threads)
  target_compile_definitions(e2e_support PUBLIC
    BROVA_STAGE_DIR="${BROVA_STAGE_DIR}"
    BROVA_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    BROVA_BUILD_DIR="${CMAKE_SOURCE_DIR}/build")
  foreach(t ${e2e_tests})
    get_filename_component(name ${t} NAME_WE)
    add_executable(${name} ${t})
    target_link_libraries(${name} PRIVATE e2e_support gtest_main)
    # One test per case, so cases of different files run side by side.
    gtest_discover_tests(${name} TEST_PREFIX "${name}." PROPERTIES LABELS e2e TIMEOUT 300
                         DISCOVERY_TIMEOUT 60)
  endforeach()
endif()

# Benchmark helper for tools/bench-online.sh; not a test.
add_executable(online_bench tools/bench/online_bench.cpp)
target_link_libraries(online_bench PRIVATE brova_core)
# Benchmark helper for tools/bench-png.sh; not a test.
add_executable(png_bench tools/bench/png_bench.cpp)
target_link_libraries(png_bench PRIVATE brova_core)
