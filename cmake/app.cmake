# The desktop application: one window holding the calculator screen.
if(NOT TARGET quillet_screens)
    return()
endif()

add_executable(quillet src/app/main.cpp)
target_link_libraries(quillet PRIVATE quillet_screens)
if(QUILLET_TESTS)
    # The tests type into the running app through its standard input.
    target_sources(quillet PRIVATE src/app/TestKeyFeed.cpp)
    target_compile_definitions(quillet PRIVATE QUILLET_TEST_KEY_FEED)
endif()

include(GNUInstallDirs)
install(TARGETS quillet RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES resources/quillet.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/quillet.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

if(QUILLET_TESTS)
    # The app as a process: terminate signals end it cleanly, with the engine saved.
    add_test(NAME app_signals COMMAND ${CMAKE_COMMAND} -E env QUILLET_APP=$<TARGET_FILE:quillet>
             bash ${PROJECT_SOURCE_DIR}/tests/app/quillet_signals.sh)
    # The app as a screen reader meets it, over the accessibility bus on a virtual display.
    add_test(NAME app_screen_reader COMMAND ${CMAKE_COMMAND} -E env QUILLET_APP=$<TARGET_FILE:quillet>
             bash ${PROJECT_SOURCE_DIR}/tests/a11y/quillet_atspi.sh)
    # The app killed at random moments while keys are typed: the store stays sound and keeps
    # every step and the calculation of at most a second before.
    add_test(NAME app_kill COMMAND ${CMAKE_COMMAND} -E env QUILLET_APP=$<TARGET_FILE:quillet>
             QUILLET_CLI=$<TARGET_FILE:quillet-cli> python3 ${PROJECT_SOURCE_DIR}/tests/app/quillet_kill.py)
endif()
