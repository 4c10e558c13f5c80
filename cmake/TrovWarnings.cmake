# Warnings every target of the project is built with.
function(trov_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow=local
                                             -Wnon-virtual-dtor -Wimplicit-fallthrough)
    if(TROV_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
