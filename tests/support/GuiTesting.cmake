# tabulon_gui_resources(<target> [RC <file.rc>])
# Compiles a resource script into a Windows test program (tabulon_resources). Without RC the
# program gets the GUI tests' manifest alone (common controls 6); a script of its own can include
# it with
#   CREATEPROCESS_MANIFEST_RESOURCE_ID RT_MANIFEST "gui-test.manifest"
# since tests/support is on the resource compiler's include path.
include_guard(GLOBAL)

function(tabulon_gui_resources target)
    cmake_parse_arguments(R "" "RC" "" ${ARGN})
    if(NOT R_RC)
        set(R_RC ${CMAKE_SOURCE_DIR}/tests/support/gui-test.rc)
    endif()
    get_filename_component(rc_dir ${R_RC} DIRECTORY)
    file(GLOB rc_inputs ${rc_dir}/*)
    tabulon_resources(${target} ${R_RC} INCLUDE ${CMAKE_SOURCE_DIR}/tests/support
        DEPENDS ${rc_inputs} ${CMAKE_SOURCE_DIR}/tests/support/gui-test.manifest)
endfunction()
