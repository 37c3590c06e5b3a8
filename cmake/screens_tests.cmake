# One Qt Test program per file, run on the offscreen platform.
file(GLOB QUILLET_SCREENS_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/screens/*.cpp)
foreach(test_source ${QUILLET_SCREENS_TEST_SOURCES})
    get_filename_component(test_name ${test_source} NAME_WE)
    add_executable(screens_${test_name} ${test_source})
    target_link_libraries(screens_${test_name} PRIVATE quillet_screens Qt6::Test)
    target_include_directories(screens_${test_name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    add_test(NAME screens_${test_name} COMMAND screens_${test_name})
    set_tests_properties(screens_${test_name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0")
endforeach()

# The history's export is compared with that of quillet-cli --history for the same store.
if(TARGET screens_HistoryViewControllerTest)
    target_compile_definitions(screens_HistoryViewControllerTest PRIVATE QUILLET_CLI="$<TARGET_FILE:quillet-cli>")
    add_dependencies(screens_HistoryViewControllerTest quillet-cli)
endif()
