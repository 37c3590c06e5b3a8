# One Qt Test program per file, run on the offscreen platform.
file(GLOB QUILLET_SCREENS_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/screens/*.cpp)
foreach(test_source ${QUILLET_SCREENS_TEST_SOURCES})
    get_filename_component(test_name ${test_source} NAME_WE)
    add_executable(screens_${test_name} ${test_source})
    target_link_libraries(screens_${test_name} PRIVATE quillet_screens Qt6::Test)
    target_include_directories(screens_${test_name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    add_test(NAME screens_${test_name} COMMAND screens_${test_name})
    set_tests_properties(screens_${test_name} PROPERTIES
        ENVIRONMENT
                      "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0;QTEST_FUNCTION_TIMEOUT=900000")
endforeach()

# The history's export is compared with that of quillet-cli --history for the same store.
if(TARGET screens_HistoryViewControllerTest)
    target_compile_definitions(screens_HistoryViewControllerTest PRIVATE QUILLET_CLI="$<TARGET_FILE:quillet-cli>")
    add_dependencies(screens_HistoryViewControllerTest quillet-cli)
endif()

# The random-key soak of soak/ runs with the tests. It checks what the fuzz targets check, with
# their code; CI presses 10^5 keys and scripts/soak.sh as many as asked (QUILLET_SOAK_KEYS).
add_library(quillet_soak_invariants STATIC ${PROJECT_SOURCE_DIR}/fuzz/FuzzInvariants.cpp
            ${PROJECT_SOURCE_DIR}/fuzz/FuzzScreen.cpp)
target_link_libraries(quillet_soak_invariants PUBLIC quillet_core quillet_cli_common)
target_include_directories(quillet_soak_invariants PUBLIC ${PROJECT_SOURCE_DIR}/fuzz ${PROJECT_SOURCE_DIR}/src)
add_executable(quillet_soak ${PROJECT_SOURCE_DIR}/soak/CalcScreenSoak.cpp)
target_link_libraries(quillet_soak PRIVATE quillet_screens quillet_soak_invariants Qt6::Test)
target_include_directories(quillet_soak PRIVATE ${PROJECT_SOURCE_DIR}/tests)
add_test(NAME soak COMMAND quillet_soak)
set_tests_properties(soak PROPERTIES TIMEOUT 900 ENVIRONMENT
                      "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0;QTEST_FUNCTION_TIMEOUT=900000")
