# wine-server.cmake: starts (ACTION=start) or stops (ACTION=stop) one Wine server for a test run, so
# that Windows test programs started side by side share it instead of racing to start their own.
# Starting also boots the prefix (making it on a machine's first run): Wine's own background
# programs then start here, with no test's output to hold open.
#
#   cmake -DWINE=wine -DWINESERVER=/usr/bin/wineserver -DACTION=start -P wine-server.cmake
if(NOT WINESERVER)
  message(FATAL_ERROR "no wineserver program was found when the tree was configured: install Wine (./zk setup-windows)")
endif()
if(ACTION STREQUAL "start")
  # -p: it stays until stopped. A server already running for this prefix answers 2, which is as good.
  # The server stays in the background: it must not hold the test's output open.
  execute_process(COMMAND ${WINESERVER} -p RESULT_VARIABLE status OUTPUT_FILE /dev/null ERROR_FILE /dev/null)
  if(NOT status EQUAL 0 AND NOT status EQUAL 2)
    message(FATAL_ERROR "wineserver -p failed with status ${status}")
  endif()
  execute_process(COMMAND ${WINE} wineboot RESULT_VARIABLE status OUTPUT_FILE /dev/null ERROR_FILE /dev/null)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${WINE} wineboot failed with status ${status}")
  endif()
elseif(ACTION STREQUAL "stop")
  # No server left to stop answers 1.
  execute_process(COMMAND ${WINESERVER} -k RESULT_VARIABLE status)
  if(NOT status EQUAL 0 AND NOT status EQUAL 1)
    message(FATAL_ERROR "wineserver -k failed with status ${status}")
  endif()
else()
  message(FATAL_ERROR "ACTION must be start or stop")
endif()
