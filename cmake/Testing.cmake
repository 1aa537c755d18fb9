# Test programs of both builds. Windows test programs run under Wine through the emulator
# script that this file configures; native ones run directly.

if(TABULON_WINDOWS)
    set(TABULON_TEST_PREFIX "win.")
    set(TABULON_WINEPREFIX "${CMAKE_BINARY_DIR}/../wineprefix" CACHE PATH "Wine prefix of the tests")
    set(TABULON_WINEHOME "${CMAKE_BINARY_DIR}/../home" CACHE PATH "HOME of the Wine processes")
    get_filename_component(TABULON_WINEPREFIX "${TABULON_WINEPREFIX}" ABSOLUTE)
    get_filename_component(TABULON_WINEHOME "${TABULON_WINEHOME}" ABSOLUTE)
    set(TABULON_BRIDGE_DIR "${CMAKE_BINARY_DIR}/fbbridge")
    configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                    WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)

    # GoogleTest built for Windows from the sources that Debian's googletest package installs.
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
    set(TABULON_TEST_PREFIX "native.")
    set(TABULON_FIREBIRD_LOCK "${CMAKE_BINARY_DIR}/firebird-lock")
    find_package(GTest REQUIRED)
endif()

# tabulon_test(<name> SOURCES ... [LIBS ...] [OWN_MAIN] [SERIAL] [ENVIRONMENT VAR=value ...]
#              [ARGS ...] [TIMEOUT seconds])
# One test program with one ctest entry. SERIAL marks tests that touch the fixed registry keys
# and folders of the Wine prefix: they take a lock so that no two of them run at once.
function(tabulon_test name)
    cmake_parse_arguments(T "OWN_MAIN;SERIAL" "TIMEOUT" "SOURCES;LIBS;ENVIRONMENT;ARGS" ${ARGN})
    if(NOT TARGET ${name})
        add_executable(${name} ${T_SOURCES})
        target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest)
        if(NOT T_OWN_MAIN)
            target_link_libraries(${name} PRIVATE GTest::gtest_main)
        endif()
        target_link_libraries(${name} PRIVATE tabulon_warnings)
    endif()
    tabulon_add_test_run(${name} ${name} ${ARGN})
endfunction()

# tabulon_add_test_run(<ctest name> <target> [SERIAL] [ENVIRONMENT ...] [ARGS ...] [TIMEOUT s])
# A further ctest entry for an existing test program, e.g. with a gtest filter or another
# environment. Every entry writes its results as gtest XML into TABULON_TEST_RESULTS, where
# tools/check-test-runs looks for each test that the program lists; the option comes before ARGS
# so that the words before it are the program's own command.
set(TABULON_TEST_RESULTS "${CMAKE_BINARY_DIR}/test-results")
function(tabulon_add_test_run testname target)
    cmake_parse_arguments(T "OWN_MAIN;SERIAL" "TIMEOUT" "SOURCES;LIBS;ENVIRONMENT;ARGS" ${ARGN})
    set(results "${TABULON_TEST_RESULTS}/${TABULON_TEST_PREFIX}${testname}.xml")
    if(TABULON_WINDOWS)
        set(results "Z:${results}")
    endif()
    add_test(NAME ${TABULON_TEST_PREFIX}${testname}
             COMMAND ${target} --gtest_output=xml:${results} ${T_ARGS})
    set(env ${T_ENVIRONMENT})
    if(NOT TABULON_WINDOWS)
        list(APPEND env "FIREBIRD_LOCK=${TABULON_FIREBIRD_LOCK}"
                        "ASAN_OPTIONS=detect_leaks=0")
    endif()
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${TABULON_TEST_PREFIX}${testname} PROPERTIES
        ENVIRONMENT "${env}" TIMEOUT ${T_TIMEOUT})
    if(T_SERIAL)
        set_tests_properties(${TABULON_TEST_PREFIX}${testname} PROPERTIES
            RESOURCE_LOCK wineprefix-state)
    endif()
endfunction()
