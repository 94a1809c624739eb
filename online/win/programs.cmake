# The updater upkit.exe, a standalone program beside brova.exe: it replaces
# brova.exe with the staged data\brova_new.exe after brova has ended.
add_executable(upkit WIN32 ${CMAKE_SOURCE_DIR}/online/upkit/Upkit.cpp)
target_link_libraries(upkit PRIVATE user32 ${static_link} -municode)
list(APPEND BROVA_STAGED_PROGRAMS upkit)
