# The frame window, the macro window, the grid and help windows, their tests and the help
# collection. Included from the program's CMakeLists.txt.
if(SUITE_BUILD_UI)
    get_filename_component(corvane_dir ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)
    add_library(Corvane_frame STATIC
        ${corvane_dir}/ui/frame_dialogs.cpp
        ${corvane_dir}/ui/grid_content.cpp
        ${corvane_dir}/ui/views.cpp
        ${corvane_dir}/ui/frm_grid.cpp
        ${corvane_dir}/ui/frm_macro.cpp
        ${corvane_dir}/ui/frm_logo.cpp
        ${corvane_dir}/ui/frm_about.cpp
        ${corvane_dir}/ui/frm_help.cpp
        ${corvane_dir}/ui/frm_main.cpp)
    target_include_directories(Corvane_frame PUBLIC ${corvane_dir}
                                                    ${corvane_dir}/ui)
    target_link_libraries(Corvane_frame PUBLIC Corvane_engine qtkit Qt6::Widgets Qt6::Charts
                                               Qt6::Help)

    if(TARGET Corvane)
        target_link_libraries(Corvane PRIVATE Corvane_frame)
    endif()

    # The help collection, built beside the program from the pages in help/.
    file(GLOB corvane_help_pages CONFIGURE_DEPENDS ${corvane_dir}/help/*.html
                                                   ${corvane_dir}/help/*.css
                                                   ${corvane_dir}/help/*.png)
    find_program(QHELPGENERATOR_EXECUTABLE qhelpgenerator
                 HINTS /usr/lib/qt6/libexec /usr/lib/qt6/bin ${QT6_INSTALL_PREFIX}/libexec)
    set(corvane_help_qhc ${CMAKE_BINARY_DIR}/Corvane/Corvane.qhc)
    set(corvane_help_qch ${CMAKE_BINARY_DIR}/Corvane/Corvane.qch)
    add_custom_command(
        OUTPUT ${corvane_help_qhc} ${corvane_help_qch}
        COMMAND ${CMAKE_COMMAND} -E copy_directory ${corvane_dir}/help
                ${CMAKE_BINARY_DIR}/Corvane/help-src
        COMMAND ${CMAKE_COMMAND} -E remove -f ${corvane_help_qhc} ${corvane_help_qch}
        COMMAND ${QHELPGENERATOR_EXECUTABLE} -s ${CMAKE_BINARY_DIR}/Corvane/help-src/corvane.qhcp
                -o ${corvane_help_qhc}
        DEPENDS ${corvane_dir}/help/corvane.qhp
                ${corvane_dir}/help/corvane.qhcp ${corvane_help_pages}
        COMMENT "Corvane help collection"
        VERBATIM)
    add_custom_target(Corvane_help ALL DEPENDS ${corvane_help_qhc})
    add_dependencies(Corvane_frame Corvane_help)

    set(corvane_frame_test_defs CORVANE_HELP_COLLECTION="${corvane_help_qhc}"
                                CORVANE_EXAMPLES="${CMAKE_SOURCE_DIR}/examples/Corvane")
    foreach(test frm_main frm_macro frm_grid)
        if(NOT EXISTS ${corvane_dir}/tests/${test}_test.cpp)
            continue()
        endif()
        suite_gui_test(Corvane_${test}_test SOURCES ${corvane_dir}/tests/${test}_test.cpp
                                                       ${corvane_dir}/tests/frm_test_dialogs.h
                       LIBS Corvane_frame)
        target_compile_definitions(Corvane_${test}_test PRIVATE ${corvane_frame_test_defs})
        if(TARGET Corvane_ui)
            target_link_libraries(Corvane_${test}_test PRIVATE Corvane_ui)
        endif()
    endforeach()
endif()
