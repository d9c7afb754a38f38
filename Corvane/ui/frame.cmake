# The frame window, the macro window, the grid and help windows, their tests and the help
# collection. Included from the program's CMakeLists.txt (paths are relative to Corvane/).
add_library(Corvane_frame STATIC
    ui/frm_grid.cpp
    ui/frm_macro.cpp
    ui/frm_logo.cpp
    ui/frm_about.cpp
    ui/frm_help.cpp
    ui/frm_main.cpp)
target_include_directories(Corvane_frame PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}
                                                ${CMAKE_CURRENT_SOURCE_DIR}/ui)
target_link_libraries(Corvane_frame PUBLIC Corvane_dialogs Corvane_engine qtkit Qt6::Widgets
                                           Qt6::Charts Qt6::Help)
target_link_libraries(Corvane PRIVATE Corvane_frame)

# The help collection, built beside the program from the pages in help/.
set(corvane_help_qhc ${CMAKE_CURRENT_BINARY_DIR}/Corvane.qhc)
find_program(QHELPGENERATOR_EXECUTABLE qhelpgenerator
             HINTS /usr/lib/qt6/libexec /usr/lib/qt6/bin ${QT6_INSTALL_PREFIX}/libexec)
if(QHELPGENERATOR_EXECUTABLE)
    file(GLOB corvane_help_pages CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/help/*.html
                                                   ${CMAKE_CURRENT_SOURCE_DIR}/help/*.css)
    # The project file writes the compressed help (Corvane.qch) one folder above itself, so
    # the sources are copied into the build folder first.
    add_custom_command(
        OUTPUT ${corvane_help_qhc} ${CMAKE_CURRENT_BINARY_DIR}/Corvane.qch
        COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_CURRENT_SOURCE_DIR}/help
                ${CMAKE_CURRENT_BINARY_DIR}/help-src
        COMMAND ${CMAKE_COMMAND} -E remove -f ${corvane_help_qhc}
                ${CMAKE_CURRENT_BINARY_DIR}/Corvane.qch
        COMMAND ${QHELPGENERATOR_EXECUTABLE} -s ${CMAKE_CURRENT_BINARY_DIR}/help-src/corvane.qhcp
                -o ${corvane_help_qhc}
        DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/help/corvane.qhp
                ${CMAKE_CURRENT_SOURCE_DIR}/help/corvane.qhcp ${corvane_help_pages}
        COMMENT "Corvane help collection"
        VERBATIM)
    add_custom_target(Corvane_help ALL DEPENDS ${corvane_help_qhc})
    add_dependencies(Corvane_frame Corvane_help)
else()
    message(WARNING "qhelpgenerator not found: Corvane is built without its help collection")
endif()

foreach(test frm_main frm_macro frm_grid export)
    suite_gui_test(Corvane_${test}_test SOURCES tests/${test}_test.cpp tests/frm_test_dialogs.h
                   LIBS Corvane_frame Corvane_ui)
    # These tests find their files through the definitions below, not QFINDTESTDATA; the test
    # library already names the test folders itself, so a second naming is dropped.
    get_target_property(corvane_test_defs Corvane_${test}_test COMPILE_DEFINITIONS)
    if(corvane_test_defs)
        list(FILTER corvane_test_defs EXCLUDE REGEX "^QT_TESTCASE_(BUILD|SOURCE)DIR=")
        set_target_properties(Corvane_${test}_test PROPERTIES COMPILE_DEFINITIONS
                                                              "${corvane_test_defs}")
    endif()
    target_compile_definitions(Corvane_${test}_test PRIVATE
        CORVANE_HELP_COLLECTION="${corvane_help_qhc}"
        CORVANE_EXAMPLES="${CMAKE_CURRENT_SOURCE_DIR}/../examples/Corvane")
endforeach()
# The export test also runs the program's batch mode, as a script would.
add_dependencies(Corvane_export_test Corvane)
target_compile_definitions(Corvane_export_test PRIVATE CORVANE_EXE="$<TARGET_FILE:Corvane>")
