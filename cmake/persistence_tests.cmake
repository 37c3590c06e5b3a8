# The persistence tests run on temporary files only.
file(GLOB QUILLET_PERSISTENCE_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/persistence/*.cpp)
add_executable(quillet_persistence_tests ${QUILLET_PERSISTENCE_TEST_SOURCES})
target_link_libraries(quillet_persistence_tests PRIVATE quillet_persistence Qt6::Core SQLite::SQLite3 GTest::gtest
                      GTest::gtest_main GTest::gmock)
target_include_directories(quillet_persistence_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
gtest_discover_tests(quillet_persistence_tests DISCOVERY_TIMEOUT 60)

# quillet-cli with the saved settings and --store, through its standard streams.
add_test(NAME cli_store_tests COMMAND ${CMAKE_COMMAND} -E env QUILLET_CLI=$<TARGET_FILE:quillet-cli>
         bash ${PROJECT_SOURCE_DIR}/tests/cli/cli_store_tests.sh)
