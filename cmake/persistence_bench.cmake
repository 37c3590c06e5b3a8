file(GLOB QUILLET_PERSISTENCE_BENCH_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/persistence/*.cpp)
add_executable(quillet_persistence_bench ${QUILLET_PERSISTENCE_BENCH_SOURCES})
target_link_libraries(quillet_persistence_bench PRIVATE quillet_persistence benchmark::benchmark
                      benchmark::benchmark_main)
