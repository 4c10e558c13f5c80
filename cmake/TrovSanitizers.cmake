# SPDX-License-Identifier: GPL-3.0-or-later
# TROV_SANITIZE selects a sanitizer build for the whole tree:
#   address   AddressSanitizer and UndefinedBehaviorSanitizer
#   thread    ThreadSanitizer
set(TROV_SANITIZE "" CACHE STRING "Sanitizer build: empty, address or thread")
option(TROV_WERROR "Treat warnings as errors" OFF)

if(TROV_SANITIZE STREQUAL "address")
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
elseif(TROV_SANITIZE STREQUAL "thread")
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
elseif(NOT TROV_SANITIZE STREQUAL "")
    message(FATAL_ERROR "TROV_SANITIZE must be empty, address or thread")
endif()
