# tabulon_resources(<target> <script.rc> [INCLUDE <folder> ...] [DEPENDS <file> ...])
# Compiles a Windows resource script with the cross build's resource compiler and links the
# object into <target>. The script's folder is the working folder and comes first on the include
# path, then the INCLUDE folders. The object is made again when the script or a DEPENDS file
# changes; without DEPENDS, when any file in the script's folder does.
function(tabulon_resources target script)
    cmake_parse_arguments(R "" "" "INCLUDE;DEPENDS" ${ARGN})
    get_filename_component(script ${script} ABSOLUTE)
    get_filename_component(script_dir ${script} DIRECTORY)
    get_filename_component(script_name ${script} NAME_WE)
    if(NOT R_DEPENDS)
        file(GLOB R_DEPENDS ${script_dir}/*)
    endif()
    set(includes)
    foreach(dir ${script_dir} ${R_INCLUDE})
        list(APPEND includes -I ${dir})
    endforeach()
    set(object ${CMAKE_CURRENT_BINARY_DIR}/${target}-${script_name}-res.o)
    add_custom_command(OUTPUT ${object}
        COMMAND ${CMAKE_RC_COMPILER} -O coff ${includes} -i ${script} -o ${object}
        DEPENDS ${script} ${R_DEPENDS}
        WORKING_DIRECTORY ${script_dir}
        COMMENT "Resources of ${target}"
        VERBATIM)
    target_sources(${target} PRIVATE ${object})
    set_source_files_properties(${object} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
endfunction()
