# SPDX-License-Identifier: GPL-3.0-or-later
# Qt Test programs of window code, run on the offscreen platform so no display is needed.
find_package(Qt6 REQUIRED COMPONENTS Test Widgets PrintSupport)

# trov_add_window_test(NAME SOURCES... [LABELS l...] [LIBS lib...])
function(trov_add_window_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LABELS;LIBS" ${ARGN})
    add_executable(${name})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_sources(${name} PRIVATE ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE trov_core trov_test_support Qt6::Test ${ARG_LIBS})
    target_compile_definitions(${name} PRIVATE
        TROV_SOURCE_DIR="${PROJECT_SOURCE_DIR}" TROV_BINARY_DIR="${PROJECT_BINARY_DIR}"
        TROVCTL_PATH="$<TARGET_FILE:trovctl>")
    add_dependencies(${name} trovctl)
    trov_warnings(${name})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS "window;${ARG_LABELS}" TIMEOUT 120
                         ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# The same for tests of the main window's pieces, which live in trov_window.
function(trov_add_qt_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LABELS;LIBS" ${ARGN})
    trov_add_window_test(${name} SOURCES ${ARG_SOURCES} LABELS ${ARG_LABELS}
                         LIBS trov_window ${ARG_LIBS})
endfunction()
