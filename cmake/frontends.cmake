# The terminal front end.
file(GLOB QUILLET_CLI_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/cli/*.cpp)
add_executable(quillet-cli ${QUILLET_CLI_SOURCES})
target_link_libraries(quillet-cli PRIVATE quillet_core)
install(TARGETS quillet-cli RUNTIME DESTINATION bin)

# The desktop application.
if(QUILLET_SCREENS)
    include(cmake/app.cmake OPTIONAL)
endif()
