# install-tracked.cmake: installs the release archive's files from the source tree, as git tracks
# them, and refuses a tree whose packaged files are changed or not tracked (a scratch scene, an
# editor backup or a file of secrets left in examples/ must never ship).
#
# Run by the install step (cmake --install, cpack) with ZK_SOURCE_DIR and ZK_PACKAGED_PATHS set.
cmake_minimum_required(VERSION 3.20)

if(NOT ZK_SOURCE_DIR OR NOT ZK_PACKAGED_PATHS)
  message(FATAL_ERROR "install-tracked.cmake needs ZK_SOURCE_DIR and ZK_PACKAGED_PATHS")
endif()
find_program(ZK_GIT git)
if(NOT ZK_GIT)
  message(FATAL_ERROR "the release archive is made from a git checkout: git is not installed")
endif()

execute_process(COMMAND "${ZK_GIT}" -c core.quotePath=false status --porcelain=v1 --untracked-files=all -- ${ZK_PACKAGED_PATHS}
                WORKING_DIRECTORY "${ZK_SOURCE_DIR}" OUTPUT_VARIABLE changed ERROR_VARIABLE error RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the release archive is made from a git checkout; git status failed: ${error}")
endif()
if(NOT changed STREQUAL "")
  message(FATAL_ERROR "refusing to package: these files of the archive are changed or not tracked by git "
                      "(commit them, or remove them):\n${changed}")
endif()

execute_process(COMMAND "${ZK_GIT}" -c core.quotePath=false ls-files -- ${ZK_PACKAGED_PATHS}
                WORKING_DIRECTORY "${ZK_SOURCE_DIR}" OUTPUT_VARIABLE tracked RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR tracked STREQUAL "")
  message(FATAL_ERROR "git ls-files found none of the archive's files in ${ZK_SOURCE_DIR}")
endif()
string(REPLACE "\n" ";" tracked "${tracked}")
foreach(file IN LISTS tracked)
  if(file STREQUAL "")
    continue()
  endif()
  get_filename_component(folder "${file}" DIRECTORY)
  file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${folder}" TYPE FILE FILES "${ZK_SOURCE_DIR}/${file}")
endforeach()
