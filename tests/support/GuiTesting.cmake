# tabulon_gui_resources(<target> [RC <file.rc>])
# Compiles a resource script into a Windows test program. Without RC the program gets the GUI
# tests' manifest alone (common controls 6); a script of its own can include it with
#   CREATEPROCESS_MANIFEST_RESOURCE_ID RT_MANIFEST "gui-test.manifest"
# since tests/support is on the resource compiler's include path.
include_guard(GLOBAL)

function(tabulon_gui_resources target)
    cmake_parse_arguments(R "" "RC" "" ${ARGN})
    if(NOT R_RC)
        set(R_RC ${CMAKE_SOURCE_DIR}/tests/support/gui-test.rc)
    endif()
    get_filename_component(rc_dir ${R_RC} DIRECTORY)
    get_filename_component(rc_name ${R_RC} NAME_WE)
    set(object ${CMAKE_CURRENT_BINARY_DIR}/${target}-${rc_name}-res.o)
    file(GLOB rc_inputs ${rc_dir}/*)
    add_custom_command(OUTPUT ${object}
        COMMAND ${CMAKE_RC_COMPILER} -O coff -I ${rc_dir} -I ${CMAKE_SOURCE_DIR}/tests/support
                -i ${R_RC} -o ${object}
        DEPENDS ${R_RC} ${rc_inputs} ${CMAKE_SOURCE_DIR}/tests/support/gui-test.manifest
        COMMENT "Resources of ${target}")
    target_sources(${target} PRIVATE ${object})
    set_source_files_properties(${object} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
endfunction()
