# The terminal front end.
# quillet-cli links the core only and starts like bc; with --store it hands over to
# quillet-cli-store, the same program with the store and its libraries.
# The fuzz targets link the sessions and options without main().
file(GLOB QUILLET_CLI_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/cli/*.cpp)
list(FILTER QUILLET_CLI_SOURCES EXCLUDE REGEX "/main\\.cpp$")
add_library(quillet_cli_common OBJECT ${QUILLET_CLI_SOURCES})
target_link_libraries(quillet_cli_common PUBLIC quillet_core)

add_executable(quillet-cli src/cli/main.cpp src/cli/launcher/CliStoreLauncher.cpp)
target_link_libraries(quillet-cli PRIVATE quillet_cli_common)
# Resolving the C++ runtime's symbols at every start costs more than the calculation.
if(NOT QUILLET_SANITIZE)
    target_link_options(quillet-cli PRIVATE -static-libstdc++ -static-libgcc)
endif()

add_executable(quillet-cli-store src/cli/main.cpp src/cli/store/CliCalcStore.cpp)
target_link_libraries(quillet-cli-store PRIVATE quillet_cli_common quillet_persistence)
add_dependencies(quillet-cli quillet-cli-store)

install(TARGETS quillet-cli RUNTIME DESTINATION bin)
install(TARGETS quillet-cli-store RUNTIME DESTINATION lib/quillet)

# The desktop application.
if(QUILLET_SCREENS)
    include(cmake/app.cmake OPTIONAL)
endif()
