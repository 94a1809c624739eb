# The setup program build/brova-setup.exe, beside the staged folder it is
# made from (NSIS, 64-bit Unicode stubs).
find_program(MAKENSIS makensis)
get_filename_component(stage_parent ${BROVA_STAGE_DIR} DIRECTORY)
set(BROVA_SETUP_EXE ${stage_parent}/brova-setup.exe CACHE FILEPATH "The setup program")
if(NOT MAKENSIS)
  message(WARNING "makensis not found (Debian package nsis): the setup program is not built")
  return()
endif()
set(setup_dir ${CMAKE_BINARY_DIR}/setup)
file(GLOB setup_data CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/data/*)
set(setup_sources ${CMAKE_SOURCE_DIR}/uninstall/win/setup.nsi ${CMAKE_SOURCE_DIR}/uninstall/win/setup-files.cmake
                  ${CMAKE_SOURCE_DIR}/resources/brova.ico)
add_custom_command(OUTPUT ${BROVA_SETUP_EXE}
  COMMAND ${CMAKE_COMMAND} -DSTAGE=${BROVA_STAGE_DIR} -DOUT=${setup_dir}
          -P ${CMAKE_SOURCE_DIR}/uninstall/win/setup-files.cmake
  COMMAND ${MAKENSIS} -V2 -INPUTCHARSET UTF8 -DSTAGE_FILES=${setup_dir}/files.nsh
          -DICON=${CMAKE_SOURCE_DIR}/resources/brova.ico -DOUTFILE=${BROVA_SETUP_EXE}
          ${CMAKE_SOURCE_DIR}/uninstall/win/setup.nsi
  DEPENDS brova trelk ${BROVA_STAGED_PROGRAMS} ${setup_data} ${setup_sources}
  COMMENT "Making the setup program"
  VERBATIM)
add_custom_target(setup ALL DEPENDS ${BROVA_SETUP_EXE})
add_dependencies(setup stage)
