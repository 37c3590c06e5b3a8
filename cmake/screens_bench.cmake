# The screens: start-up of the app next to a bare Qt window, and the cost of one key press.
if(NOT TARGET quillet_screens)
    return()
endif()
file(GLOB QUILLET_SCREENS_BENCH_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/screens/*.cpp)
add_executable(quillet_screens_bench ${QUILLET_SCREENS_BENCH_SOURCES})
target_link_libraries(quillet_screens_bench PRIVATE quillet_screens Qt6::Test benchmark::benchmark)
