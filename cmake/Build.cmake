# Compiler settings shared by every target of both builds.

# The warning flags: every target of ours links tabulon_warnings (PRIVATE, so that they reach
# its own sources only).
add_library(tabulon_warnings INTERFACE)
target_compile_options(tabulon_warnings INTERFACE
    -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)

if(TABULON_WINDOWS)
    # The programs speak the ANSI code page: every Win32 call is the ...A form.
    add_compile_definitions(WINVER=0x0600 _WIN32_WINNT=0x0600 _WIN32_IE=0x0700 NOMINMAX
                            WIN32_LEAN_AND_MEAN STRICT)
    set(ZLIB_USE_STATIC_LIBS ON)
else()
    option(TABULON_SANITIZE "Build the native tests with AddressSanitizer and UBSan" ON)
    if(TABULON_SANITIZE)
        add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer)
        add_link_options(-fsanitize=address,undefined)
    endif()
endif()

find_package(ZLIB REQUIRED)

# The Firebird client header comes from Debian's firebird-dev. The Windows build gets a copy of
# that one header in a folder of its own, so that no other Linux system header leaks in.
find_file(TABULON_IBASE_H ibase.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH REQUIRED)
set(TABULON_IBASE_DIR ${CMAKE_BINARY_DIR}/ibase-include)
configure_file(${TABULON_IBASE_H} ${TABULON_IBASE_DIR}/ibase.h COPYONLY)
add_library(tabulon_ibase INTERFACE)
target_include_directories(tabulon_ibase SYSTEM INTERFACE ${TABULON_IBASE_DIR})
