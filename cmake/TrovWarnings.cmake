# SPDX-License-Identifier: GPL-3.0-or-later
# Warnings every target of the project is built with.
function(trov_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wnon-virtual-dtor
                                             -Wimplicit-fallthrough)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(${target} PRIVATE -Wshadow=local)
    endif()
    if(TROV_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
