# Uninstall.exe, the uninstaller beside brova.exe: a program of its own on
# the window layer, with its own resources and manifest.
file(GLOB uninstall_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/uninstall/win/*.cpp)
list(FILTER uninstall_sources EXCLUDE REGEX "_test\\.cpp$")
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/uninstall.rc PROPERTIES OBJECT_DEPENDS "${rc_parts}")
add_executable(Uninstall WIN32 ${uninstall_sources} ${CMAKE_SOURCE_DIR}/resources/uninstall.rc)
target_link_libraries(Uninstall PRIVATE brova_win comctl32 ${static_link} -municode)
set_target_properties(Uninstall PROPERTIES OUTPUT_NAME Uninstall)
list(APPEND BROVA_STAGED_PROGRAMS Uninstall)
