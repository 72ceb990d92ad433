# package-times.cmake: gives every file and folder staged for the release archive one time, that of
# the commit packaged, so that two packagings of one commit give the same archive bytes.
#
# Run by cpack before it writes the archive (CPACK_PRE_BUILD_SCRIPTS), with CPACK_ZK_SOURCE_DIR set.
find_program(ZK_GIT git)
find_program(ZK_TOUCH touch)
if(NOT ZK_GIT OR NOT ZK_TOUCH)
  message(FATAL_ERROR "package-times.cmake needs git and touch")
endif()
execute_process(COMMAND "${ZK_GIT}" log -1 --format=%ct WORKING_DIRECTORY "${CPACK_ZK_SOURCE_DIR}"
                OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT commit_time MATCHES "^[0-9]+$")
  message(FATAL_ERROR "cannot read the time of the commit packaged in ${CPACK_ZK_SOURCE_DIR}")
endif()
message(STATUS "CPACK_TEMPORARY_DIRECTORY=${CPACK_TEMPORARY_DIRECTORY} CPACK_TOPLEVEL_DIRECTORY=${CPACK_TOPLEVEL_DIRECTORY} CPACK_TEMPORARY_INSTALL_DIRECTORY=${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
list(SORT staged)
foreach(path IN LISTS staged)
  execute_process(COMMAND "${ZK_TOUCH}" -h -d "@${commit_time}" "${path}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "cannot set the time of ${path}")
  endif()
endforeach()
