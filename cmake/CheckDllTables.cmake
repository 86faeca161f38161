# Checks a built T3dExport.dll as a host sees it: exactly the six entry points exported, by name,
# ordinals from 1; imports from the DLLs of IMPORTS (a comma-separated list, lower case) only.
#   cmake -DOBJDUMP=<objdump> -DDLL=<T3dExport.dll> -DIMPORTS=<a.dll,b.dll> -P cmake/CheckDllTables.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE table RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} cannot read ${DLL}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${table}")
list(TRANSFORM imports REPLACE "DLL Name: " "")
list(TRANSFORM imports TOLOWER)
string(REPLACE "," ";" allowed "${IMPORTS}")
list(REMOVE_ITEM imports ${allowed})
if(imports)
  message(FATAL_ERROR "${DLL} imports from ${imports} too")
endif()

string(REGEX MATCH "Export Address Table -- Ordinal Base ([0-9]+)" base "${table}")
# The names: the lines of the block after "[Ordinal/Name Pointer] Table", up to an empty line.
set(header "[Ordinal/Name Pointer] Table\n")
string(FIND "${table}" "${header}" at)
string(LENGTH "${header}" length)
math(EXPR at "${at} + ${length}")
string(SUBSTRING "${table}" ${at} -1 block)
string(FIND "${block}" "\n\n" end)
string(SUBSTRING "${block}" 0 ${end} block)
string(REGEX MATCHALL "\\] [A-Za-z_][A-Za-z0-9_@]*" names "${block}")
list(TRANSFORM names REPLACE "\\] " "")
list(SORT names)
set(expected KXDllCanUnloadNow KXDllCleanUp KXDllCleanUpExceptionTranslator KXDllGetClassObject
             KXDllInit KXDllInitExceptionTranslator)
string(REGEX MATCH "Export Address Table[ \t]+([0-9a-fA-F]+)" entries "${table}")
set(entries ${CMAKE_MATCH_1})
if(NOT names STREQUAL expected OR NOT base MATCHES "Base 1$" OR NOT entries STREQUAL "00000006")
  message(FATAL_ERROR "${DLL} exports ${names} (${base}, ${entries} entries); it should export "
                      "the six entry points alone, ordinals from 1")
endif()
message(STATUS "${DLL}: six exports, imports from ${IMPORTS} only")
