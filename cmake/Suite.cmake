# Helpers shared by the programs' CMakeLists.

# suite_engine_tests(<target> SOURCES ... LIBS ...): a GoogleTest executable labelled "engine".
function(suite_engine_tests target)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    gtest_discover_tests(${target} PROPERTIES LABELS engine
                         WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
                         DISCOVERY_TIMEOUT 60)
endfunction()

# suite_gui_test(<target> SOURCES ... LIBS ...): a Qt Test executable labelled "gui",
# run on the offscreen platform.
function(suite_gui_test target)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} Qt6::Test Qt6::Widgets)
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES LABELS gui
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0"
        WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
endfunction()
