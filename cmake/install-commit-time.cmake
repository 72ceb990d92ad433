# install-commit-time.cmake: the tools the install step runs on installed files write the commit's
# time where they would write today's (SOURCE_DATE_EPOCH): strip gives a Windows module a new time
# stamp otherwise, and one commit would not always give the same module bytes.
#
# Run by the install step (cmake --install, cpack) before the module is installed, with
# ZK_SOURCE_DIR set.
include("${CMAKE_CURRENT_LIST_DIR}/commit-time.cmake")
zk_commit_time(commit_time "${ZK_SOURCE_DIR}")
set(ENV{SOURCE_DATE_EPOCH} "${commit_time}")
