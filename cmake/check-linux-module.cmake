# check-linux-module.cmake: the module file exports what Layout looks for and nothing else.
#
#   cmake -DNM=nm -DMODULE=zktools.p -P cmake/check-linux-module.cmake
#
# The dynamic symbol table must define two names: _mod_descrip, as data, which Layout looks for,
# and the function ZkCameraFrameDoor, which only zkhost looks for.
cmake_minimum_required(VERSION 3.20)

if(NOT NM OR NOT MODULE)
  message(FATAL_ERROR "usage: cmake -DNM=... -DMODULE=... -P check-linux-module.cmake")
endif()
execute_process(COMMAND "${NM}" -D --defined-only "${MODULE}" OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${NM} -D ${MODULE} failed")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${symbols}")
set(names)
foreach(line IN LISTS lines)
  # "0000000000075a0 D _mod_descrip" (undefined-address symbols have no number)
  string(REGEX MATCH "[A-Za-z] [^ ]+$" entry "${line}")
  list(APPEND names "${entry}")
endforeach()
list(SORT names)
if(NOT names STREQUAL "D _mod_descrip;T ZkCameraFrameDoor")
  message(FATAL_ERROR "${MODULE} must export the data symbol _mod_descrip and the function ZkCameraFrameDoor "
                      "only; it exports: ${names}")
endif()
message(STATUS "${MODULE}: exports _mod_descrip (data) and ZkCameraFrameDoor (code) only")
