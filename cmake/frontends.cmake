# The terminal front end.
file(GLOB QUILLET_CLI_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/cli/*.cpp)
add_executable(quillet-cli ${QUILLET_CLI_SOURCES})
target_link_libraries(quillet-cli PRIVATE quillet_core quillet_persistence)
# Resolving the C++ runtime's symbols at every start costs more than the calculation; a
# terminal tool starts as fast as bc when the runtime is linked in.
if(NOT QUILLET_SANITIZE)
    target_link_options(quillet-cli PRIVATE -static-libstdc++ -static-libgcc)
endif()
install(TARGETS quillet-cli RUNTIME DESTINATION bin)

# The desktop application.
if(QUILLET_SCREENS)
    include(cmake/app.cmake OPTIONAL)
endif()
