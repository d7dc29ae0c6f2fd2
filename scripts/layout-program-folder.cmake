# Lays out the program folder: the data folders, the factory set in DLL\, the
# working copies of the settings (only where missing, so an organiser's own
# list and settings survive a rebuild), the shipped pictures and sounds and the
# user guide.
foreach(folder data dat datm DLL bg pics voice help)
  file(MAKE_DIRECTORY ${PROGRAM_DIR}/${folder})
endforeach()

file(GLOB factory_files ${SOURCE_DIR}/assets/factory/*)
foreach(source ${factory_files})
  get_filename_component(name ${source} NAME)
  file(COPY_FILE ${source} ${PROGRAM_DIR}/DLL/${name} ONLY_IF_DIFFERENT)
  if(NOT EXISTS ${PROGRAM_DIR}/${name})
    file(COPY_FILE ${source} ${PROGRAM_DIR}/${name})
  endif()
endforeach()

foreach(tree bg pics voice help)
  if(IS_DIRECTORY ${SOURCE_DIR}/assets/${tree})
    file(GLOB_RECURSE shipped RELATIVE ${SOURCE_DIR}/assets/${tree} ${SOURCE_DIR}/assets/${tree}/*)
    foreach(relative ${shipped})
      get_filename_component(dir ${PROGRAM_DIR}/${tree}/${relative} DIRECTORY)
      file(MAKE_DIRECTORY ${dir})
      file(COPY_FILE ${SOURCE_DIR}/assets/${tree}/${relative} ${PROGRAM_DIR}/${tree}/${relative} ONLY_IF_DIFFERENT)
    endforeach()
  endif()
endforeach()

# The list template. Opening it marks it read-only, so a newer template
# replaces it by removal, never by writing into it.
set(template_source ${SOURCE_DIR}/assets/data/template.xls)
set(template ${PROGRAM_DIR}/data/template.xls)
if(EXISTS ${template_source})
  if(EXISTS ${template})
    file(SHA256 ${template} installed)
    file(SHA256 ${template_source} shipped)
    if(NOT installed STREQUAL shipped)
      file(REMOVE ${template})
    endif()
  endif()
  if(NOT EXISTS ${template})
    file(COPY_FILE ${template_source} ${template})
  endif()
endif()
