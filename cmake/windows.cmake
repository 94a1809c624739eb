# Windows build: brova.exe, Uninstall.exe, upkit.exe, data\trelk.dll and the
# Windows unit tests, all 64-bit (x86_64) and statically linked.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                        _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0700)
add_compile_options(-Wall -Wextra -Wno-unused-parameter -Wno-cast-function-type)
# 64-bit: handles, pointers, LPARAM, WPARAM and LRESULT are 64 bits wide; any
# conversion that could cut one (or any other value) to a narrower type warns.
add_compile_options(-Wconversion -Wno-sign-conversion -Wint-to-pointer-cast)
# Page-aligned sections let the loader map the image instead of copying it.
set(static_link -static -static-libgcc -static-libstdc++ -s -Wl,--gc-sections -Wl,--file-alignment,4096)
add_compile_options(-ffunction-sections -fdata-sections)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001 -I${CMAKE_SOURCE_DIR}")

find_library(ZLIB_STATIC NAMES libz.a z REQUIRED)
# brova.exe loads comctl32 when it first needs it (win/CommonControls.h).
set(win32_libs user32 gdi32 comdlg32 shell32 shlwapi ole32 advapi32 ws2_32 uuid)

add_library(brova_core STATIC ${core_sources} ${windows_backends})
target_include_directories(brova_core PUBLIC ${CMAKE_SOURCE_DIR} /usr/x86_64-w64-mingw32/include)
target_link_libraries(brova_core PUBLIC ${ZLIB_STATIC} ws2_32)

file(GLOB win_layer CONFIGURE_DEPENDS win/*.cpp)
list(FILTER win_layer EXCLUDE REGEX "_test\\.cpp$")
file(GLOB win_layer_tests CONFIGURE_DEPENDS win/*_test.cpp)
set(brova_main ${CMAKE_SOURCE_DIR}/app/win/Main.cpp)
list(REMOVE_ITEM win_sources ${brova_main})

add_library(brova_win STATIC ${win_layer} ${win_sources})
target_link_libraries(brova_win PUBLIC brova_core ${win32_libs})


# windres does not report the files brova.rc includes; rebuild on any change.
file(GLOB rc_parts CONFIGURE_DEPENDS resources/*.rc resources/*.h resources/*.manifest resources/*.ico
     resources/*.bmp)
set_source_files_properties(resources/brova.rc PROPERTIES OBJECT_DEPENDS "${rc_parts}")

add_executable(brova WIN32 ${brova_main} resources/brova.rc)
target_link_libraries(brova PRIVATE brova_win ${static_link} -municode)
set_target_properties(brova PROPERTIES OUTPUT_NAME brova)

file(GLOB hook_sources CONFIGURE_DEPENDS hooklib/*.cpp)
add_library(trelk SHARED ${hook_sources} hooklib/trelk.def)
target_link_libraries(trelk PRIVATE user32 ${static_link} )
target_include_directories(trelk PRIVATE ${CMAKE_SOURCE_DIR})
set_target_properties(trelk PROPERTIES PREFIX "" OUTPUT_NAME trelk)

# Windows unit tests run under Wine through the cross-compiling emulator.
add_executable(win_tests ${win_layer_tests} ${win_tests} resources/brova.rc)
target_link_libraries(win_tests PRIVATE brova_win comctl32 gtest gtest_main ${static_link})
add_test(NAME win_tests COMMAND win_tests)
set_tests_properties(win_tests PROPERTIES LABELS wine TIMEOUT 600)

# Test-side helper that end-to-end tests run under Wine to look at windows,
# post messages and read the clipboard, as another program would.
add_executable(winctl tests/tools/winctl.cpp)
target_link_libraries(winctl PRIVATE brova_core ${win32_libs} comctl32 ${static_link} -municode)
# Stand-in for the programs brova starts; it records that it ran.
add_executable(probe WIN32 tests/tools/probe.cpp)
target_link_libraries(probe PRIVATE brova_core ${win32_libs} ${static_link} -municode)
# Draws texts with brova's fonts, for the tests that read them off the screen.
add_executable(textsheet WIN32 tests/tools/textsheet.cpp)
target_link_libraries(textsheet PRIVATE brova_win ${static_link} -municode)

file(GLOB subsystem_cmake CONFIGURE_DEPENDS */win/programs.cmake)
foreach(extra ${subsystem_cmake})
  include(${extra})
endforeach()

# The staged installation folder: what a user gets.
set(BROVA_STAGE_DIR "${CMAKE_SOURCE_DIR}/build/stage" CACHE PATH "Staged installation folder")
set(stage_commands
  COMMAND ${CMAKE_COMMAND} -E make_directory ${BROVA_STAGE_DIR}/data
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:brova> ${BROVA_STAGE_DIR}/brova.exe
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:trelk> ${BROVA_STAGE_DIR}/data/trelk.dll)
foreach(program ${BROVA_STAGED_PROGRAMS})
  list(APPEND stage_commands
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${program}> ${BROVA_STAGE_DIR}/)
endforeach()
add_custom_target(stage ALL
  ${stage_commands}
  COMMAND ${CMAKE_COMMAND} -DSTAGE=${BROVA_STAGE_DIR} -DSOURCE=${CMAKE_SOURCE_DIR}
          -P ${CMAKE_SOURCE_DIR}/cmake/stage.cmake
  DEPENDS brova trelk ${BROVA_STAGED_PROGRAMS}
  VERBATIM)

# The setup program, made from the staged folder.
include(${CMAKE_SOURCE_DIR}/uninstall/win/setup.cmake)

# The Windows unit tests look at the staged programs and read fixture files.
target_compile_definitions(win_tests PRIVATE BROVA_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                                             BROVA_STAGE_DIR="${BROVA_STAGE_DIR}")

# The peer program of the start-up benchmark.
add_executable(bench_minimal WIN32 tools/bench/minimal.cpp)
target_link_libraries(bench_minimal PRIVATE ${static_link} -municode)
# The PNG encoder as brova.exe runs it, for tools/bench-png.sh.
add_executable(png_bench tools/bench/png_bench.cpp)
target_link_libraries(png_bench PRIVATE brova_core ${static_link})
