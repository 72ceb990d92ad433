# release-archive.cmake: writes each zip archive cpack made again with release_zip.py, so that one
# commit always gives the same archive bytes: the entries in name order, each with the time of the
# commit packaged, and no access or change times (which cpack's zip writer takes from the files).
#
# Run by cpack after it made the archives (CPACK_POST_BUILD_SCRIPTS), with CPACK_ZK_SOURCE_DIR set.
include("${CMAKE_CURRENT_LIST_DIR}/commit-time.cmake")
zk_commit_time(commit_time "${CPACK_ZK_SOURCE_DIR}")
find_program(ZK_PYTHON python3)
if(NOT ZK_PYTHON)
  message(FATAL_ERROR "the release archive needs python3")
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
