# check-windows-module.cmake: checks a Windows module file the way Layout will meet it.
#
#   cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DMODULE=zktools.p -P cmake/check-windows-module.cmake
#
# The file must export one name, _mod_descrip, lying in a data section (not code), and import only
# DLLs that come with Windows: the C++ runtime (libstdc++, libgcc) and winpthread are linked in.
cmake_minimum_required(VERSION 3.20)

if(NOT OBJDUMP OR NOT MODULE)
  message(FATAL_ERROR "usage: cmake -DOBJDUMP=... -DMODULE=... -P check-windows-module.cmake")
endif()

execute_process(COMMAND "${OBJDUMP}" -p "${MODULE}" OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${MODULE} failed")
endif()
execute_process(COMMAND "${OBJDUMP}" -h "${MODULE}" OUTPUT_VARIABLE sections RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -h ${MODULE} failed")
endif()

# Exported names: the lines of the [Ordinal/Name Pointer] table.
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]*\n)*" table "${headers}")
string(REGEX MATCHALL "\t\\[ *[0-9]+\\] [^\n]+" entries "${table}")
set(names)
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "^\t\\[ *[0-9]+\\] " "" name "${entry}")
  list(APPEND names "${name}")
endforeach()
if(NOT names STREQUAL "_mod_descrip")
  message(FATAL_ERROR "${MODULE} must export _mod_descrip only; it exports: ${names}")
endif()

# The export's address must fall in a section holding data, not code.
string(REGEX MATCH "ImageBase[ \t]+([0-9a-fA-F]+)" unused "${headers}")
set(base "${CMAKE_MATCH_1}")
string(REGEX MATCH "\\+base\\[ *[0-9]+\\] ([0-9a-fA-F]+) Export RVA" unused "${headers}")
set(rva "${CMAKE_MATCH_1}")
if(base STREQUAL "" OR rva STREQUAL "")
  message(FATAL_ERROR "cannot read the export address of ${MODULE}")
endif()
math(EXPR address "0x${base} + 0x${rva}")
string(REGEX MATCHALL " *[0-9]+ [^ \n]+ +[0-9a-f]+ +[0-9a-f]+ +[0-9a-f]+ +[0-9a-f]+ +[^\n]+\n[^\n]+" rows "${sections}")
set(section "")
foreach(row IN LISTS rows)
  string(REGEX MATCH "^ *[0-9]+ ([^ ]+) +([0-9a-f]+) +([0-9a-f]+)" unused "${row}")
  set(sname "${CMAKE_MATCH_1}")
  math(EXPR first "0x${CMAKE_MATCH_3}")
  math(EXPR end "0x${CMAKE_MATCH_3} + 0x${CMAKE_MATCH_2}")
  if(address GREATER_EQUAL first AND address LESS end)
    set(section "${sname}")
    set(flags "${row}")
  endif()
endforeach()
if(section STREQUAL "" OR flags MATCHES "CODE")
  message(FATAL_ERROR "_mod_descrip of ${MODULE} is not in a data section (found: '${section}')")
endif()

# Imported DLLs: only the system's.
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
set(dlls)
foreach(import IN LISTS imports)
  string(REGEX REPLACE "^DLL Name: " "" dll "${import}")
  string(TOLOWER "${dll}" dll)
  list(APPEND dlls "${dll}")
endforeach()
list(REMOVE_DUPLICATES dlls)
set(system_dlls kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll oleaut32.dll
  msvcrt.dll ucrtbase.dll ws2_32.dll comdlg32.dll comctl32.dll shlwapi.dll version.dll winmm.dll
  imm32.dll bcrypt.dll crypt32.dll dbghelp.dll psapi.dll rpcrt4.dll uuid.dll)
foreach(dll IN LISTS dlls)
  if(NOT dll IN_LIST system_dlls AND NOT dll MATCHES "^api-ms-win-")
    message(FATAL_ERROR "${MODULE} needs ${dll}, which does not come with Windows")
  endif()
endforeach()
string(REPLACE ";" " " dll_text "${dlls}")
message(STATUS "${MODULE}: exports _mod_descrip only (data, ${section}); imports ${dll_text}")
