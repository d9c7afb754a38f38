# Helpers shared by the programs' CMakeLists.

# suite_engine_tests(<target> SOURCES ... LIBS ...): a GoogleTest executable labelled "engine".
function(suite_engine_tests target)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    set_target_properties(${target} PROPERTIES AUTOMOC OFF)
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

# suite_engine_library(<target> SOURCES ...): a program's Qt-free static library.
function(suite_engine_library target)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${target} STATIC ${ARG_SOURCES})
    set_target_properties(${target} PROPERTIES AUTOMOC OFF AUTORCC OFF)
    target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC numtext textfile csv ${ARG_LIBS})
endfunction()
