# Lists the staged installation folder for the setup program: OUT/files.nsh
# with one File command per staged file, and OUT/install.log with one
# "[FILE] \relative\name" line per installed file (the log itself included),
# the log that Uninstall.exe reads. The log also names what the programs make
# of their own beside the installed files (downloads, the staged program,
# the updater's old copy), so that Uninstall removes them too; and
# files.nsh defines ESTIMATED_SIZE_KB, the installed size for the uninstall
# entry. Names relative to the installation folder
# keep the log free of the folder the user picks, and ASCII keeps it valid
# GBK whatever code page the setup program runs under.
cmake_minimum_required(VERSION 3.20)
file(GLOB_RECURSE staged LIST_DIRECTORIES false RELATIVE ${STAGE} ${STAGE}/*)
list(SORT staged)
# A setup program without the programs would install nothing and say it did.
foreach(required brova.exe Uninstall.exe)
  if(NOT required IN_LIST staged)
    message(FATAL_ERROR "the staged folder ${STAGE} has no ${required}")
  endif()
endforeach()
set(nsh "")
set(log "")
set(current_dir "-")
set(total_bytes 0)
foreach(f ${staged})
  if(f MATCHES "[^ -~]" OR f MATCHES "[\"$]")
    message(FATAL_ERROR "staged file name not fit for the install log: ${f}")
  endif()
  get_filename_component(dir ${f} DIRECTORY)
  if(NOT dir STREQUAL current_dir)
    string(REPLACE "/" "\\" windir "${dir}")
    if(windir STREQUAL "")
      string(APPEND nsh "SetOutPath \"$INSTDIR\"\n")
    else()
      string(APPEND nsh "SetOutPath \"$INSTDIR\\${windir}\"\n")
    endif()
    set(current_dir "${dir}")
  endif()
  string(APPEND nsh "File \"${STAGE}/${f}\"\n")
  file(SIZE ${STAGE}/${f} bytes)
  math(EXPR total_bytes "${total_bytes} + ${bytes}")
  string(REPLACE "/" "\\" winname "${f}")
  string(APPEND log "[FILE] \\${winname}\r\n")
endforeach()
foreach(made data\\brova_new.exe data\\main2.htm data\\data_tmp.dat brova.exe.old brova.exe.incoming)
  string(APPEND log "[FILE] \\${made}\r\n")
endforeach()
string(APPEND log "[FILE] \\install.log\r\n")
if(NOT current_dir STREQUAL "")
  string(APPEND nsh "SetOutPath \"$INSTDIR\"\n")
endif()
string(APPEND nsh "File \"${OUT}/install.log\"\n")
math(EXPR size_kb "(${total_bytes} + 1023) / 1024")
string(PREPEND nsh "!define ESTIMATED_SIZE_KB ${size_kb}\n")
file(MAKE_DIRECTORY ${OUT})
file(WRITE ${OUT}/files.nsh "${nsh}")
file(WRITE ${OUT}/install.log "${log}")
