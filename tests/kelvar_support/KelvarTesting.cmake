# kelvar_program_test(<name> SOURCES ... [LIBS ...] [ENVIRONMENT ...] [ARGS ...] [TIMEOUT s])
# A program test of the browser under Wine: the real window in the test's own process, with the
# GUI test main, kelvar's resources (manifest, logo), the Firebird bridge and kelvar_test_support.
# SERIAL: it uses the fixed data folder and registry keys of the prefix.
include_guard(GLOBAL)
include(${CMAKE_SOURCE_DIR}/tests/support/GuiTesting.cmake)

function(kelvar_program_test name)
    cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;ENVIRONMENT;ARGS" ${ARGN})
    set(extra)
    if(T_TIMEOUT)
        list(APPEND extra TIMEOUT ${T_TIMEOUT})
    endif()
    if(T_ENVIRONMENT)
        list(APPEND extra ENVIRONMENT ${T_ENVIRONMENT})
    endif()
    if(T_ARGS)
        list(APPEND extra ARGS ${T_ARGS})
    endif()
    tabulon_test(${name} OWN_MAIN SERIAL SOURCES ${T_SOURCES}
                 LIBS kelvar_test_support tabulon_gui_test_main ${T_LIBS} ${extra})
    tabulon_gui_resources(${name} RC ${CMAKE_SOURCE_DIR}/kelvar/res/kelvar.rc)
    add_dependencies(${name} fbbridge)
endfunction()
