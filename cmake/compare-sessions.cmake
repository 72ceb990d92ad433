# compare-sessions.cmake: a session run by the Windows zkhost (under Wine) must write the same files,
# byte for byte, as the same session run by the Linux zkhost.
#
#   cmake -DLINUX_ZKHOST=... -DWINDOWS_ZKHOST=... -DEMULATOR=wine -DSOURCE_DIR=... -DSESSION=examples/session.yaml
#         -DOUT_DIR=... -P compare-sessions.cmake
foreach(var LINUX_ZKHOST WINDOWS_ZKHOST EMULATOR SOURCE_DIR SESSION OUT_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "compare-sessions.cmake needs -D${var}=...")
  endif()
endforeach()
if(NOT EXISTS "${LINUX_ZKHOST}")
  message(FATAL_ERROR "cannot compare: there is no Linux zkhost at ${LINUX_ZKHOST}; build the Linux tree "
                      "first (cmake --workflow --preset default)")
endif()

# run_session(NAME COMMAND...): runs the session into OUT_DIR/NAME, its messages into OUT_DIR/NAME.txt.
function(run_session name)
  file(REMOVE_RECURSE "${OUT_DIR}/${name}")
  execute_process(COMMAND ${ARGN} run "${SESSION}" --out "${OUT_DIR}/${name}"
                  WORKING_DIRECTORY "${SOURCE_DIR}" RESULT_VARIABLE status
                  OUTPUT_FILE "${OUT_DIR}/${name}.txt" ERROR_FILE "${OUT_DIR}/${name}.txt")
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the ${name} zkhost stopped with status ${status} on ${SESSION}; see ${OUT_DIR}/${name}.txt")
  endif()
endfunction()

file(MAKE_DIRECTORY "${OUT_DIR}")
# The Windows build draws its pictures' texts in CImg's built-in font (its libraries hold no
# FreeType): the Linux zkhost is asked to draw them in that font too.
run_session(linux "${CMAKE_COMMAND}" -E env ZKHOST_BUILTIN_FONT=1 "${LINUX_ZKHOST}")
run_session(windows ${EMULATOR} "${WINDOWS_ZKHOST}")

file(GLOB_RECURSE linux_files RELATIVE "${OUT_DIR}/linux" "${OUT_DIR}/linux/*")
file(GLOB_RECURSE windows_files RELATIVE "${OUT_DIR}/windows" "${OUT_DIR}/windows/*")
list(SORT linux_files)
list(SORT windows_files)
if(NOT linux_files STREQUAL windows_files)
  message(FATAL_ERROR "the two runs wrote different files:\n  Linux: ${linux_files}\n  Windows: ${windows_files}")
endif()
set(differ "")
foreach(file IN LISTS linux_files)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${OUT_DIR}/linux/${file}" "${OUT_DIR}/windows/${file}"
                  RESULT_VARIABLE same)
  if(NOT same EQUAL 0)
    list(APPEND differ "${file}")
  endif()
endforeach()
if(differ)
  message(FATAL_ERROR "these files differ between Linux and Windows (in ${OUT_DIR}): ${differ}")
endif()
list(LENGTH linux_files count)
message(STATUS "${SESSION}: the same ${count} files from Linux and Windows, byte for byte")
