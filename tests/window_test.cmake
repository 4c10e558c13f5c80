# trov_add_window_test(NAME SOURCES... [LIBS lib...]): one Qt Test program of window code,
# run on the offscreen platform so no display is needed.
find_package(Qt6 REQUIRED COMPONENTS Test Widgets PrintSupport)

function(trov_add_window_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_sources(${name} PRIVATE ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE trov_core trov_test_support Qt6::Test ${ARG_LIBS})
    target_compile_definitions(${name} PRIVATE TROV_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    trov_warnings(${name})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS "window" TIMEOUT 120
                         ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
