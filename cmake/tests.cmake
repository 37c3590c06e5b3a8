find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB QUILLET_CORE_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/core/*.cpp)
add_executable(quillet_core_tests ${QUILLET_CORE_TEST_SOURCES})
target_link_libraries(quillet_core_tests PRIVATE quillet_core GTest::gtest GTest::gtest_main GTest::gmock)
target_include_directories(quillet_core_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
gtest_discover_tests(quillet_core_tests DISCOVERY_TIMEOUT 60)

# The command line is tested as a program, through its standard streams.
add_test(NAME cli_tests COMMAND ${CMAKE_COMMAND} -E env QUILLET_CLI=$<TARGET_FILE:quillet-cli>
         bash ${PROJECT_SOURCE_DIR}/tests/cli/cli_tests.sh)

include(cmake/persistence_tests.cmake)
if(QUILLET_SCREENS)
    include(cmake/screens_tests.cmake OPTIONAL)
endif()
