# commit-time.cmake: zk_commit_time(OUT SOURCE_DIR) sets OUT to the time of the commit checked out in
# SOURCE_DIR, in seconds since 1970: the time every file of the release archive carries.
function(zk_commit_time out source_dir)
  find_program(ZK_GIT git)
  if(NOT ZK_GIT)
    message(FATAL_ERROR "the release archive is made from a git checkout: git is not installed")
  endif()
  execute_process(COMMAND "${ZK_GIT}" log -1 --format=%ct WORKING_DIRECTORY "${source_dir}"
                  OUTPUT_VARIABLE time OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT time MATCHES "^[0-9]+$")
    message(FATAL_ERROR "cannot read the time of the commit packaged in ${source_dir}")
  endif()
  set(${out} ${time} PARENT_SCOPE)
endfunction()
