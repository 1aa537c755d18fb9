# cmake -DOBJDUMP=<objdump> -DMODULE=<dll> -DEXPECTED=<name,name> -P CheckExports.cmake
# Fails unless the module's export table holds exactly the expected names, as written.
execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${MODULE} failed: ${rc}")
endif()

# The name table: lines "\t[   0] _Name" below "[Ordinal/Name Pointer] Table".
set(names "")
set(inTable OFF)
string(REPLACE "\n" ";" lines "${dump}")
foreach(line IN LISTS lines)
    if(line MATCHES "^\\[Ordinal/Name Pointer\\] Table")
        set(inTable ON)
    elseif(inTable AND line MATCHES "^[ \t]+\\[ *[0-9]+\\] (.+)$")
        list(APPEND names "${CMAKE_MATCH_1}")
    elseif(inTable)
        set(inTable OFF)
    endif()
endforeach()

list(SORT names)
string(REPLACE "," ";" expected "${EXPECTED}")
list(SORT expected)
if(NOT names STREQUAL expected)
    message(FATAL_ERROR "${MODULE} exports [${names}], expected [${expected}]")
endif()
message(STATUS "${MODULE} exports exactly [${names}]")
