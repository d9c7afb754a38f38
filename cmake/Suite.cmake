# Helpers shared by the programs' CMakeLists.

# suite_engine_tests(<target> SOURCES ... LIBS ...): a GoogleTest executable labelled "engine".
function(suite_engine_tests target)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    set_target_properties(${target} PROPERTIES AUTOMOC OFF)
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    # common/testing: the names given to the cases of parameterised suites.
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/common/testing)
    # A case keeps the name its suite gives it; the printed parameter never becomes part of the
    # test's name, so names stay the same from run to run.
    gtest_discover_tests(${target} PROPERTIES LABELS engine
                         WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
                         DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES)
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
    target_link_libraries(${target} PUBLIC numtext textfile csv failure twips cli ${ARG_LIBS})
endfunction()

# suite_batch_export_test(<name> <program target> CHECKS ... ARGS ...): runs the program's batch
# mode with export options and checks the files it writes (tools/check_batch_export.py).
function(suite_batch_export_test name program)
    cmake_parse_arguments(ARG "" "" "CHECKS;ARGS" ${ARGN})
    find_package(Python3 COMPONENTS Interpreter QUIET)
    if(NOT Python3_Interpreter_FOUND)
        return()
    endif()
    add_test(NAME ${name}
             COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/check_batch_export.py
                     $<TARGET_FILE:${program}> ${ARG_CHECKS} -- ${ARG_ARGS})
    set_tests_properties(${name} PROPERTIES LABELS gui
        ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0"
        WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
endfunction()

# suite_executable(<program> ENGINE <library> UI <library>): the program's executable, from its
# main.cpp: the windows and the batch mode in a build with windows (SUITE_WINDOWS defined), the
# batch mode alone, without Qt, in a build without (-DSUITE_BUILD_UI=OFF).
function(suite_executable program)
    cmake_parse_arguments(ARG "" "ENGINE;UI" "" ${ARGN})
    add_executable(${program} main.cpp)
    if(SUITE_BUILD_UI)
        target_link_libraries(${program} PRIVATE ${ARG_UI})
        target_compile_definitions(${program} PRIVATE SUITE_WINDOWS)
    else()
        set_target_properties(${program} PROPERTIES AUTOMOC OFF AUTORCC OFF)
        target_link_libraries(${program} PRIVATE ${ARG_ENGINE})
    endif()
endfunction()
