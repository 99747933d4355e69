# Writes the Windows zip from its staging folder: the files in a fixed order and with the same
# permissions; with SOURCE_DATE_EPOCH set (make dist sets the last commit's time), CMake gives every
# time in the archive that value, so the same commit gives the same bytes wherever and whenever it
# is built.
#   cmake -DZIP_DIR=<folder> -DZIP_ROOT=<name inside the zip> -DZIP=<output> -P windows_zip.cmake
set(names LICENSE.txt README.txt brontek-tarnlow.exe)
set(stage ${ZIP_DIR}/../stage)
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${stage}/${ZIP_ROOT})
set(paths)
foreach(name ${names})
  file(COPY ${ZIP_DIR}/${name} DESTINATION ${stage}/${ZIP_ROOT}
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  list(APPEND paths ${ZIP_ROOT}/${name})
endforeach()
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E chdir ${stage}
  ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip ${paths}
  RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "could not write ${ZIP}")
endif()
