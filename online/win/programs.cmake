# The updater upkit.exe, a standalone program beside brova.exe: it replaces
# brova.exe with the staged data\brova_new.exe after brova has ended.
# It links no library of ours: header-only files (win/Handles.h) and the
# one portable check it needs.
add_executable(upkit WIN32 ${CMAKE_SOURCE_DIR}/online/upkit/Upkit.cpp ${CMAKE_SOURCE_DIR}/online/PeImage.cpp)
target_link_libraries(upkit PRIVATE user32 ${static_link} -municode)
target_include_directories(upkit PRIVATE ${CMAKE_SOURCE_DIR})
list(APPEND BROVA_STAGED_PROGRAMS upkit)

# Stand-ins for brova.exe in the updater's end-to-end tests (not staged).
foreach(version v1 v2)
  add_executable(fake_brova_${version} WIN32 ${CMAKE_SOURCE_DIR}/tests/tools/fake_brova.cpp)
  target_compile_definitions(fake_brova_${version} PRIVATE FAKE_VERSION=L"${version}")
  target_link_libraries(fake_brova_${version} PRIVATE user32 ${static_link} -municode)
endforeach()
