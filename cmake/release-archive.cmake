# release-archive.cmake: writes each zip archive cpack made again with release_zip.py, so that one
# commit always gives the same archive bytes: the entries in name order, each with the time of the
# commit packaged, and no access or change times (which cpack's zip writer takes from the files).
#
# Run by cpack after it made the archives (CPACK_POST_BUILD_SCRIPTS), with CPACK_ZK_SOURCE_DIR set.
find_program(ZK_GIT git)
find_program(ZK_PYTHON python3)
if(NOT ZK_GIT OR NOT ZK_PYTHON)
  message(FATAL_ERROR "the release archive needs git and python3")
endif()
execute_process(COMMAND "${ZK_GIT}" log -1 --format=%ct WORKING_DIRECTORY "${CPACK_ZK_SOURCE_DIR}"
                OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT commit_time MATCHES "^[0-9]+$")
  message(FATAL_ERROR "cannot read the time of the commit packaged in ${CPACK_ZK_SOURCE_DIR}")
endif()
foreach(archive IN LISTS CPACK_PACKAGE_FILES)
  if(NOT archive MATCHES "\\.zip$")
    continue()
  endif()
  execute_process(COMMAND "${ZK_PYTHON}" "${CPACK_ZK_SOURCE_DIR}/cmake/release_zip.py" "${CPACK_TEMPORARY_DIRECTORY}"
                          "${archive}" "${commit_time}"
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "cannot write ${archive} again from ${CPACK_TEMPORARY_DIRECTORY}")
  endif()
endforeach()
