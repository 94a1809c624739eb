# Copies the default data files into the staged installation folder.
file(GLOB_RECURSE defaults RELATIVE ${SOURCE}/resources/data ${SOURCE}/resources/data/*)
foreach(f ${defaults})
  get_filename_component(dir ${STAGE}/data/${f} DIRECTORY)
  file(MAKE_DIRECTORY ${dir})
  file(COPY_FILE ${SOURCE}/resources/data/${f} ${STAGE}/data/${f} ONLY_IF_DIFFERENT)
endforeach()
